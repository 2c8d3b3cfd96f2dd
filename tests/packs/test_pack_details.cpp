#include "common/TestMain.h"
#include "packs/PackWorld.h"
#include "packs/SetWallpaper_Mod.h"
#include "registry/Registry.h"

#include <QTest>

// Reading a pack's settings.ini: the month items, the getters and the failures that tell the
// user.
class PackDetailsTest : public QObject {
    Q_OBJECT
  private slots:
    void details_of_a_month_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("details");
        QTest::newRow("one item") << QByteArray("5=1-8-0\r\n") << 5 << "1-8-0";
        QTest::newRow("twelve lines")
            << QByteArray("1=0-0-2\n2=0-0-2\n3=1-4-2\n12=0-6-0\n") << 3 << "1-4-2";
        QTest::newRow("the last item wins") << QByteArray("5=1-8-0\n5=0-2-1\n") << 5 << "0-2-1";
        QTest::newRow("no item for the month") << QByteArray("1=0-0-2\n") << 7 << "";
        QTest::newRow("month 13 is skipped") << QByteArray("13=0-0-0\n1=1-1-1\n") << 1 << "1-1-1";
        QTest::newRow("10 is not 1") << QByteArray("10=2-2-2\n1=1-1-1\n") << 1 << "1-1-1";
        QTest::newRow("non-numeric key skipped") << QByteArray("name=x\n2=0-1-2\n") << 2 << "0-1-2";
        QTest::newRow("quoted item, comma items")
            << QByteArray("\"4=1-5-0\"\n6=0-1-1,7=2-3-0\n") << 7 << "2-3-0";
        QTest::newRow("spaces trimmed") << QByteArray("  9=2-9-1  \n") << 9 << "2-9-1";
    }
    void details_of_a_month() {
        QFETCH(QByteArray, ini);
        QFETCH(int, month);
        QFETCH(QString, details);
        PackWorld world;
        world.Make_Pack("P", ini);
        QCOMPARE(Get_Paper_Details(world.context, qint16(month), "P"), details);
        QVERIFY(world.boxes.shown.isEmpty());
    }

    void getters_and_validity_data() {
        QTest::addColumn<QString>("details");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("mode");
        QTest::newRow("plain") << "1-8-0" << true << 1 << 8 << 0;
        QTest::newRow("blanks") << " 2 - 9 - 1 " << true << 2 << 9 << 1;
        QTest::newRow("empty") << "" << false << 0 << 0 << 0;
        QTest::newRow("error") << "ERROR" << false << 0 << 0 << 0;
        QTest::newRow("two fields") << "1-8" << false << 0 << 0 << 0;
        QTest::newRow("letters") << "a-1-2" << false << 0 << 0 << 0;
        QTest::newRow("four fields") << "1-2-3-4" << false << 0 << 0 << 0;
        QTest::newRow("beyond 16 bits") << "1-70000-0" << false << 0 << 0 << 0;
    }
    void getters_and_validity() {
        QFETCH(QString, details);
        QFETCH(bool, valid);
        QCOMPARE(Paper_Details_Valid(details), valid);
        QTEST(int(Get_Paper_BoxStyle(details)), "style");
        QTEST(int(Get_Paper_Pos(details)), "position");
        QTEST(int(Get_Paper_DisplayMode(details)), "mode");
    }

    void a_section_header_fails_the_read() {
        PackWorld world;
        world.Make_Pack("P", "[Months]\n5=1-8-0\n");
        QCOMPARE(Get_Paper_Details(world.context, 5, "P"), QString("ERROR"));
        QCOMPARE(world.boxes.shown.size(), 1);
        const MsgBoxRequest& box = world.boxes.shown.first();
        QCOMPARE(box.text,
                 "Error loading in Settings file...\r\n\r\n" + world.Folder("P") + "/settings.ini");
        QCOMPARE(box.icon, MsgIcon::Critical);
        QCOMPARE(box.caption, QString("Almanor"));
    }

    void missing_settings_file_keeps_packs_on() {
        PackWorld world;
        world.settings.Use_Themes = 1;
        world.env.Write_File("Almanor/P/1.jpg", "x");
        QCOMPARE(Get_Paper_Details(world.context, 1, "P"), QString("ERROR"));
        QCOMPARE(world.Last_Message(),
                 "Error loading in Settings file...\r\n\r\n" + world.Folder("P") + "/settings.ini");
        QCOMPARE(world.settings.Use_Themes, qint16(1));
        QVERIFY(world.platform.wallpapers.isEmpty());
        // An empty pack name is the program folder, which has no settings.ini.
        QCOMPARE(Get_Paper_Details(world.context, 1, ""), QString("ERROR"));
        QCOMPARE(world.Last_Message(), "Error loading in Settings file...\r\n\r\n" +
                                           world.env.Program_Dir() + "/settings.ini");
    }

    void missing_pack_turns_packs_off_once_data() {
        QTest::addColumn<QString>("pack");
        QTest::newRow("deleted folder") << "Gone";
        QTest::newRow("outside the program folder") << "../config";
        QTest::newRow("a path") << "sub/Pack";
    }
    void missing_pack_turns_packs_off_once() {
        QFETCH(QString, pack);
        PackWorld world;
        world.settings.Use_Themes = 1;
        world.store.Write("Almanor", "Settings", "Use Themes", 1);
        QDir().mkpath(world.Folder("sub/Pack"));
        SetRegistryString("HKCU", Desktop_Key, "TileWallpaper", "1");
        // The desktop shows the missing pack's picture, as this program set it.
        SetRegistryString("HKCU", Desktop_Key, "Wallpaper", world.Folder(pack) + "/4.bmp");

        QCOMPARE(Get_Paper_Details(world.context, 4, pack), QString("ERROR"));
        QCOMPARE(world.boxes.shown.size(), 1);
        QCOMPARE(world.boxes.shown.first().text,
                 "Missing Pack " + pack + ". Packs will now be disabled.");
        QCOMPARE(world.boxes.shown.first().icon, MsgIcon::Critical);
        QCOMPARE(world.settings.Use_Themes, qint16(0));
        QCOMPARE(Load_Settings(world.store).Use_Themes, qint16(0));
        // Without a record of the user's own wallpaper, the pack's picture is cleared: no
        // picture, centred values.
        QCOMPARE(world.platform.wallpapers.size(), 1);
        QCOMPARE(world.platform.wallpapers.first().path, QString());
        QVariant tile;
        Read_Value("HKCU", Desktop_Key, "TileWallpaper", "S", "", tile);
        QCOMPARE(tile.toString(), QString("0"));
    }
};

ALMANOR_TEST(PackDetailsTest)
#include "test_pack_details.moc"
