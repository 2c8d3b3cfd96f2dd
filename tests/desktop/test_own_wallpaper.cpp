#include "common/TestMain.h"
#include "packs/OwnWallpaper.h"
#include "packs/PackWorld.h"
#include "packs/PacksTab.h"
#include "packs/SetWallpaper_Mod.h"

#include <QTest>

namespace {
WallpaperRecord Gnome(const QString& uri) {
    return {QStringLiteral("gnome"),
            {{QStringLiteral("org.gnome.desktop.background picture-uri"), uri},
             {QStringLiteral("org.gnome.desktop.background picture-options"),
              QStringLiteral("'zoom'")}}};
}

bool Same(const WallpaperRecord& a, const WallpaperRecord& b) {
    return a.backend == b.backend && a.values == b.values;
}
} // namespace

// Wallpaper packs keep the user's own wallpaper and put it back when they are turned off or the
// pack in use goes.
class OwnWallpaperTest : public QObject {
    Q_OBJECT

    static void Apply_Packs(PackWorld& world, bool on) {
        ThemeChoices choices;
        choices.use_themes = on;
        choices.pack = QStringLiteral("Default");
        Store_Theme_Choices(choices, world.settings, world.store);
    }

  private slots:
    void packs_off_put_back_what_packs_on_found() {
        PackWorld world;
        const WallpaperRecord own = Gnome(QStringLiteral("'file:///home/u/sea.jpg'"));
        world.platform.own_wallpaper = own;
        Apply_Packs(world, true);
        QVERIFY(Own_Wallpaper_Record() && Same(*Own_Wallpaper_Record(), own));

        // The desktop shows the pack now: a second "on" keeps the user's record.
        world.platform.own_wallpaper = Gnome(QStringLiteral("'file:///p/Default/3.bmp'"));
        QVERIFY(!Record_Own_Wallpaper(world.env.Program_Dir()));
        world.settings.Use_Themes = 0;
        Apply_Packs(world, true);
        QVERIFY(Same(*Own_Wallpaper_Record(), own));

        Apply_Packs(world, false);
        QCOMPARE(world.platform.restored.size(), 1);
        QVERIFY(Same(world.platform.restored.first(), own));
        QVERIFY(world.platform.wallpapers.isEmpty());
        QVERIFY(!Own_Wallpaper_Record());
    }

    void without_a_record_or_when_refused_packs_off_clear_the_pack_picture() {
        PackWorld world;
        world.settings.Use_Themes = 1;
        Apply_Packs(world, false);
        QCOMPARE(world.platform.wallpapers.size(), 1);
        QCOMPARE(world.platform.wallpapers.first().path, QString());

        // A record the desktop refuses is kept for the next try.
        world.platform.own_wallpaper = Gnome(QStringLiteral("'file:///home/u/sea.jpg'"));
        world.platform.restore_works = false;
        Apply_Packs(world, true);
        Apply_Packs(world, false);
        QCOMPARE(world.platform.wallpapers.size(), 2);
        QVERIFY(Own_Wallpaper_Record());

        // A picture of the program folder is never taken for the user's own.
        PackWorld other;
        other.platform.own_wallpaper = Gnome(QStringLiteral("'file:///x.jpg'"));
        other.platform.desktop_picture = other.Folder(QStringLiteral("Default")) + "/3.bmp";
        QVERIFY(!Record_Own_Wallpaper(other.env.Program_Dir()));
        QVERIFY(!Own_Wallpaper_Record());
    }

    void desktop_preview_puts_back_what_only_the_desktop_knew() {
        PackWorld world;
        const WallpaperRecord blue{"x11-root", {{"pixel", "255"}}};
        world.platform.own_wallpaper = blue;
        const DesktopSnapshot before = Take_Desktop_Snapshot();
        SetWallpaper(world.Folder("Default") + "/1.bmp", 2);
        Restore_Desktop(before);
        QCOMPARE(world.platform.restored.size(), 1);
        QVERIFY(Same(world.platform.restored.first(), blue));
        QCOMPARE(world.platform.wallpapers.size(), 1);
    }

    void missing_pack_clears_only_its_own_picture() {
        PackWorld world;
        world.settings.Use_Themes = 1;
        // The user's wallpaper is back already (the Remover put it back): nothing is cleared.
        SetRegistryString("HKCU", Desktop_Key, "Wallpaper", "/home/u/sea.jpg");
        Put_Back_Own_Wallpaper_After(world.Folder(QStringLiteral("Gone")));
        QVERIFY(world.platform.wallpapers.isEmpty());
        SetRegistryString("HKCU", Desktop_Key, "Wallpaper", world.Folder("Gone") + "/3.bmp");
        Put_Back_Own_Wallpaper_After(world.Folder(QStringLiteral("Gone")));
        QCOMPARE(world.platform.wallpapers.size(), 1);
    }
};

ALMANOR_TEST(OwnWallpaperTest)
#include "test_own_wallpaper.moc"
