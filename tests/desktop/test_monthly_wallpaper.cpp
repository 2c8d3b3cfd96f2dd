#include "common/TestMain.h"
#include "packs/MonthlyWallpaper.h"
#include "packs/PackWorld.h"
#include "packs/SetWallpaper_Mod.h"
#include "registry/Registry.h"

#include <QFileInfo>
#include <QTest>

namespace {
QString Value_Or_Missing(const QString& name) {
    QVariant value;
    Read_Value("HKCU", Desktop_Key, name, "S", "missing", value);
    return value.toString();
}
} // namespace

// The month's wallpaper from a pack, the pack's style and position, and the registry values
// that record the display mode.
class MonthlyWallpaperTest : public QObject {
    Q_OBJECT
  private slots:
    void display_mode_values_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("tile");
        QTest::addColumn<QString>("style");
        QTest::addColumn<int>("fit");
        QTest::newRow("centre") << 0 << "/p/1.bmp"
                                << "0"
                                << "0" << int(WallpaperFit::Centre);
        QTest::newRow("tile") << 1 << "/p/1.bmp"
                              << "1"
                              << "0" << int(WallpaperFit::Tile);
        QTest::newRow("stretch") << 2 << "/p/1.bmp"
                                 << "0"
                                 << "2" << int(WallpaperFit::Stretch);
        QTest::newRow("unknown 5") << 5 << "/p/1.bmp"
                                   << "0"
                                   << "2" << int(WallpaperFit::Stretch);
        QTest::newRow("removed") << 0 << ""
                                 << "0"
                                 << "0" << int(WallpaperFit::Centre);
    }
    void display_mode_values() {
        QFETCH(int, mode);
        QFETCH(QString, path);
        TestEnv env;
        RecordingPlatform platform;
        SetWallpaper(path, qint16(mode));
        QTEST(Value_Or_Missing("TileWallpaper"), "tile");
        QTEST(Value_Or_Missing("WallpaperStyle"), "style");
        QCOMPARE(platform.wallpapers.size(), 1);
        QCOMPARE(platform.wallpapers.first().path, path);
        QTEST(int(platform.wallpapers.first().fit), "fit");
        // Style words compare exactly.
        SetWallpaperByName(path, "center");
        QCOMPARE(Value_Or_Missing("WallpaperStyle"), QString("2"));
    }

    void themes_off_changes_nothing() {
        PackWorld world;
        world.settings.Use_Themes = 0;
        Get_Wallpaper_Stuff(world.context, "Missing", 3);
        QVERIFY(world.boxes.shown.isEmpty());
        QVERIFY(world.platform.wallpapers.isEmpty());
        QCOMPARE(Value_Or_Missing("TileWallpaper"), QString("missing"));
    }

    void month_of_a_pack_data() {
        QTest::addColumn<bool>("use_other");
        QTest::addColumn<int>("other_mode");
        QTest::addColumn<QString>("tile");
        QTest::addColumn<QString>("style");
        QTest::newRow("pack's mode") << false << 1 << "0"
                                     << "2";
        QTest::newRow("other mode") << true << 1 << "1"
                                    << "0";
    }
    void month_of_a_pack() {
        QFETCH(bool, use_other);
        QFETCH(int, other_mode);
        PackWorld world;
        world.Make_Pack("P", "2=0-0-0\n3=1-4-2\n", {2, 3});
        world.settings.Use_Themes = 1;
        world.settings.Use_Theme_Style = 1;
        world.settings.Use_Theme_Pos = 0;
        world.settings.PackPosition = 7;
        world.settings.Use_Other_Display_Mode = use_other;
        world.settings.Other_Display_Mode = qint16(other_mode);

        Get_Wallpaper_Stuff(world.context, "P", 3);
        const QString bitmap = world.Folder("P") + "/3.bmp";
        QCOMPARE(world.settings.PackBoxStyle, qint16(1));
        QCOMPARE(world.settings.PackPosition, qint16(7));
        QVERIFY(QFileInfo::exists(bitmap));
        QTEST(Value_Or_Missing("TileWallpaper"), "tile");
        QTEST(Value_Or_Missing("WallpaperStyle"), "style");
        QCOMPARE(world.platform.wallpapers.size(), 1);
        QCOMPARE(world.platform.wallpapers.last().path, bitmap);

        // The same day again: nothing converted, the wallpaper set again.
        world.env.Write_File("Almanor/P/3.bmp", "kept");
        Get_Wallpaper_Stuff(world.context, "P", 3);
        QCOMPARE(TestEnv::Read_File(bitmap), QByteArray("kept"));
        QCOMPARE(world.platform.wallpapers.size(), 2);
        QVERIFY(world.boxes.shown.isEmpty());
    }

    void unusable_month_changes_nothing_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("two fields") << QByteArray("3=1-4\n");
        QTest::newRow("no item for the month") << QByteArray("4=1-4-2\n");
        QTest::newRow("letters") << QByteArray("3=x-y-z\n");
    }
    void unusable_month_changes_nothing() {
        QFETCH(QByteArray, ini);
        PackWorld world;
        world.Make_Pack("P", ini, {3});
        world.settings.Use_Themes = 1;
        world.settings.Use_Theme_Style = 1;
        world.settings.Use_Theme_Pos = 1;
        world.settings.PackBoxStyle = 2;
        world.settings.PackPosition = 5;
        Get_Wallpaper_Stuff(world.context, "P", 3);
        QCOMPARE(world.boxes.shown.size(), 1);
        QCOMPARE(world.Last_Message(),
                 "Error loading in Settings file...\r\n\r\n" + world.Folder("P") + "/settings.ini");
        QCOMPARE(world.settings.PackBoxStyle, qint16(2));
        QCOMPARE(world.settings.PackPosition, qint16(5));
        QVERIFY(world.platform.wallpapers.isEmpty());
        QVERIFY(!QFileInfo::exists(world.Folder("P") + "/3.bmp"));
    }

    void preview_skips_a_wallpaper_in_place() {
        PackWorld world;
        world.Make_Pack("P", "6=0-8-0\n", {6});
        world.settings.Use_Themes = 0; // the preview doesn't ask
        world.settings.Use_Theme_Pos = 1;
        // What the platform records when it sets a wallpaper.
        const QString bitmap = world.Folder("P") + "/6.bmp";
        Preview_Wallpaper_Stuff(world.context, "P", 6);
        QCOMPARE(world.settings.PackPosition, qint16(8));
        QCOMPARE(world.platform.wallpapers.size(), 1);
        SetRegistryString("HKCU", Desktop_Key, "Wallpaper", bitmap);
        QCOMPARE(Current_Wallpaper(), bitmap);

        Preview_Wallpaper_Stuff(world.context, "P", 6);
        QCOMPARE(world.platform.wallpapers.size(), 1);
        // Another display mode wanted: set again.
        world.settings.Use_Other_Display_Mode = true;
        world.settings.Other_Display_Mode = 1;
        Preview_Wallpaper_Stuff(world.context, "P", 6);
        QCOMPARE(world.platform.wallpapers.size(), 2);
        QCOMPARE(Current_Display_Mode(), qint16(1));
    }
};

ALMANOR_TEST(MonthlyWallpaperTest)
#include "test_monthly_wallpaper.moc"
