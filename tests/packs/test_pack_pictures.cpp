#include "common/TestMain.h"
#include "packs/PackWorld.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTest>

// Converting the month's picture to the bitmap the wallpaper shows, once a month.
class PackPicturesTest : public QObject {
    Q_OBJECT
  private slots:
    void converts_once_and_keeps_one_bitmap() {
        PackWorld world;
        world.Make_Pack("P", "3=1-4-2\n", {2, 3});
        const QString folder = world.Folder("P");
        world.env.Write_File("Almanor/P/2.bmp", "old month");
        world.env.Write_File("Almanor/P/Photo.BMP", "not ours");
        world.env.Write_File("Almanor/P/.hidden.bmp", "hidden");

        const QString path = Get_Paper_Path(world.env.Program_Dir(), "P", 3);
        QCOMPARE(path, folder + "/3.bmp");
        const QImage bitmap(path, "BMP");
        QCOMPARE(bitmap.size(), QSize(40, 30));
        QVERIFY(!QFileInfo::exists(folder + "/2.bmp"));
        QVERIFY(QFileInfo::exists(folder + "/Photo.BMP"));
        QVERIFY(QFileInfo::exists(folder + "/.hidden.bmp"));
        QVERIFY(QFileInfo::exists(folder + "/2.jpg"));

        // Later calls in the month reuse the bitmap: nothing is deleted or converted again.
        world.env.Write_File("Almanor/P/3.bmp", "kept");
        world.env.Write_File("Almanor/P/stray.bmp", "stray");
        QCOMPARE(Get_Paper_Path(world.env.Program_Dir(), "P", 3), path);
        QCOMPARE(TestEnv::Read_File(path), QByteArray("kept"));
        QVERIFY(QFileInfo::exists(folder + "/stray.bmp"));

        // The next month converts its own picture and removes the old one.
        QCOMPARE(Get_Paper_Path(world.env.Program_Dir(), "P", 2), folder + "/2.bmp");
        const QStringList bitmaps =
            QDir(folder).entryList({"*.bmp"}, QDir::Files | QDir::CaseSensitive);
        QCOMPARE(bitmaps, QStringList{"2.bmp"});
        QVERIFY(world.boxes.shown.isEmpty());
    }

    void unusable_picture_is_reported_data() {
        QTest::addColumn<QByteArray>("jpeg");
        QTest::addColumn<bool>("bitmap_is_folder");
        QTest::newRow("missing picture") << QByteArray() << false;
        QTest::newRow("not a picture") << QByteArray("plain text") << false;
        QTest::newRow("bitmap can't be written") << QByteArray("use real") << true;
    }
    void unusable_picture_is_reported() {
        QFETCH(QByteArray, jpeg);
        QFETCH(bool, bitmap_is_folder);
        PackWorld world;
        world.Make_Pack("P", "5=0-0-0\n", bitmap_is_folder ? QList<int>{5} : QList<int>{});
        if (!jpeg.isEmpty() && !bitmap_is_folder)
            world.env.Write_File("Almanor/P/5.jpg", jpeg);
        if (bitmap_is_folder)
            QDir().mkpath(world.Folder("P") + "/5.bmp");

        QCOMPARE(Get_Paper_Path(world.env.Program_Dir(), "P", 5), QString("ERROR"));
        QCOMPARE(world.boxes.shown.size(), 1);
        QCOMPARE(world.boxes.shown.first().text,
                 "Error loading in Picture file...\r\n\r\n" + world.Folder("P") + "/5.jpg");
        QCOMPARE(world.boxes.shown.first().icon, MsgIcon::Critical);
        // No half-written bitmap is left for a later call to take as converted.
        QVERIFY(QDir(world.Folder("P")).entryList({"5.bmp*"}, QDir::Files).isEmpty());
    }

    void a_pack_needs_all_thirteen_files() {
        PackWorld world;
        QList<int> months;
        for (int m = 1; m <= 12; ++m)
            months.append(m);
        world.Make_Pack("Full", "1=0-0-0\n", months);
        world.Make_Pack("NoDecember", "1=0-0-0\n", months.mid(0, 11));
        months.removeAll(7);
        world.Make_Pack("NoJuly", "1=0-0-0\n", months);
        QVERIFY(Is_Pack(world.env.Program_Dir(), "Full"));
        QVERIFY(!Is_Pack(world.env.Program_Dir(), "NoJuly"));
        QVERIFY(!Is_Pack(world.env.Program_Dir(), "NoDecember"));
        QVERIFY(!Is_Pack(world.env.Program_Dir(), "Missing"));
        QVERIFY(!Is_Pack(world.env.Program_Dir(), ""));
    }

    // "." and ".." name the program folder and the folder above it, never a pack: nothing there
    // is read, converted or deleted, even when it looks like a complete pack.
    void dot_names_never_reach_outside_the_packs() {
        PackWorld world;
        const QString above = world.env.Root();
        world.env.Write_File("settings.ini", "1=1-4-2\n");
        world.env.Write_File("Almanor/settings.ini", "1=1-4-2\n");
        for (int m = 1; m <= 12; ++m) {
            QImage picture(8, 8, QImage::Format_RGB32);
            picture.fill(Qt::red);
            picture.save(above + QString("/%1.jpg").arg(m), "JPG");
            picture.save(world.env.Program_Dir() + QString("/%1.jpg").arg(m), "JPG");
        }
        world.env.Write_File("old.bmp", "keep");
        world.env.Write_File("Almanor/old.bmp", "keep");
        for (const QString& pack : {QStringLiteral(".."), QStringLiteral(".")}) {
            QVERIFY(!Is_Pack_Name(pack));
            QVERIFY(!Is_Pack(world.env.Program_Dir(), pack));
            QVERIFY(Get_Paper_Details(world.context, 1, pack) != "1-4-2");
            Get_Paper_Path(world.env.Program_Dir(), pack, 1);
            Delete_Old_Bmps(world.env.Program_Dir(), pack);
        }
        QCOMPARE(TestEnv::Read_File(above + "/old.bmp"), QByteArray("keep"));
        QCOMPARE(TestEnv::Read_File(world.env.Program_Dir() + "/old.bmp"), QByteArray("keep"));
        QCOMPARE(QDir(above).entryList({"*.bmp"}, QDir::Files), QStringList{"old.bmp"});
        QCOMPARE(QDir(world.env.Program_Dir()).entryList({"*.bmp"}, QDir::Files),
                 QStringList{"old.bmp"});
    }
};

ALMANOR_TEST(PackPicturesTest)
#include "test_pack_pictures.moc"
