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
        months.removeAll(7);
        world.Make_Pack("NoJuly", "1=0-0-0\n", months);
        QVERIFY(Is_Pack(world.env.Program_Dir(), "Full"));
        QVERIFY(!Is_Pack(world.env.Program_Dir(), "NoJuly"));
        QVERIFY(!Is_Pack(world.env.Program_Dir(), "Missing"));
        QVERIFY(!Is_Pack(world.env.Program_Dir(), ""));
    }
};

ALMANOR_TEST(PackPicturesTest)
#include "test_pack_pictures.moc"
