#include "calendar/SettingsStore.h"
#include "calendar/gui/ColourLabel.h"
#include "common/SettingsWindowWorld.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "packs/PacksTab.h"
#include "packs/SetWallpaper_Mod.h"
#include "packs/gui/DesktopPreview.h"
#include "packs/gui/Packs_Page.h"
#include "registry/Registry.h"
#include "settings/gui/StylePosition_Page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

namespace {
QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

void Set_Desktop_Value(const QString& name, const std::optional<QString>& value) {
    if (value)
        Write_Value("HKCU", Desktop_Key, name, "S", *value);
    else
        Delete_Value("HKCU", Desktop_Key, name);
}

// Month pictures play for a moment only.
struct ShortMonths {
    ShortMonths(int ms) { DesktopPreview::Month_Ms = ms; }
    ~ShortMonths() { DesktopPreview::Month_Ms = 3000; }
};
} // namespace

// The "Wallpaper" tab as a user works it: the pack list, the month preview, the pack check boxes,
// the display mode, Apply, and the year played on the desktop.
class PacksTabTest : public QObject {
    Q_OBJECT
  private slots:
    void lists_complete_packs_once_however_often_activated() {
        SettingsWindowWorld world;
        world.Make_Pack("Default", SettingsWindowWorld::Full_Ini(),
                        SettingsWindowWorld::All_Months());
        world.Make_Pack("Winter", SettingsWindowWorld::Full_Ini(),
                        {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12});
        world.world.env.Write_File("Almanor/Logs/today.log", "nothing");
        Packs_Page* page = world.Open().Packs();
        QCOMPARE(Items(page->Packs_Cbo), QStringList{"Default"});
        QCOMPARE(page->Packs_Cbo->currentText(), QStringLiteral("Default"));
        world.Reactivate();
        world.Reactivate();
        QCOMPARE(Items(page->Packs_Cbo), QStringList{"Default"});
        QVERIFY(world.world.boxes.shown.isEmpty());
    }

    void month_details_show_as_labels_data() {
        QTest::addColumn<QByteArray>("march");
        QTest::addColumn<QString>("position");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("display");
        QTest::newRow("3=1-4-2") << QByteArray("3=1-4-2") << "Position: Top Right"
                                 << "Box Style: Square Box"
                                 << "Display: Stretch";
        QTest::newRow("code without a name") << QByteArray("3=0-7-1") << "Position: "
                                             << "Box Style: Thin Box"
                                             << "Display: Tile";
        QTest::newRow("not three numbers") << QByteArray("3=1-4") << "Position:"
                                           << "Box Style:"
                                           << "Display:";
    }
    void month_details_show_as_labels() {
        QFETCH(QByteArray, march);
        QFETCH(QString, position);
        QFETCH(QString, style);
        QFETCH(QString, display);
        SettingsWindowWorld world;
        world.Make_Pack("Default", SettingsWindowWorld::Full_Ini() + march + "\r\n",
                        SettingsWindowWorld::All_Months());
        world.world.Set("Use Themes", 1);
        Packs_Page* page = world.Open().Packs();
        QVERIFY(page->Preview_Sli->isEnabled());
        QCOMPARE(page->Preview_Sli->value(), 2); // the calendar's month
        page->Preview_Sli->setValue(3);
        QCOMPARE(page->Theme_Pos_Lbl->text(), position);
        QCOMPARE(page->Theme_Style_Lbl->text(), style);
        QCOMPARE(page->Theme_Display_Lbl->text(), display);
        QVERIFY(!page->Theme_Preview_Img->pixmap().isNull());
        QVERIFY(page->Loading_Lbl->isHidden());
    }

    void unreadable_settings_file_leaves_bare_labels() {
        SettingsWindowWorld world;
        world.Make_Pack("Default", "[Months]\r\n" + SettingsWindowWorld::Full_Ini(),
                        SettingsWindowWorld::All_Months());
        world.world.Set("Use Themes", 1);
        world.world.Set("Use Theme Style", 0);
        Packs_Page* page = world.Open().Packs();
        QCOMPARE(page->Theme_Pos_Lbl->text(), QStringLiteral("Position:"));
        QCOMPARE(page->Theme_Style_Lbl->text(), QStringLiteral("Box Style:"));
        QVERIFY(!world.world.boxes.shown.isEmpty());
        QVERIFY(
            world.world.boxes.shown.last().text.startsWith("Error loading in Settings file..."));
        // Another month: the broken file is reported once, not once per label.
        const qsizetype shown = world.world.boxes.shown.size();
        page->Preview_Sli->setValue(7);
        QCOMPARE(world.world.boxes.shown.size(), shown + 1);
        QCOMPARE(page->Theme_Display_Lbl->text(), QStringLiteral("Display:"));
    }

    void packs_cannot_be_ticked_without_a_valid_pack() {
        SettingsWindowWorld world;
        world.Make_Pack("Broken", SettingsWindowWorld::Full_Ini(), {1, 2, 3});
        Settings_Frm& frame = world.Open();
        Packs_Page* page = frame.Packs();
        QCOMPARE(page->Packs_Cbo->count(), 0);
        page->Theme_Use_Chk->click();
        QVERIFY(!page->Theme_Use_Chk->isChecked());
        QVERIFY(!page->Preview_Btn->isEnabled());
        frame.Apply_Btn_Click();
        QCOMPARE(world.world.window->Settings.Use_Themes, qint16(0));
        QVERIFY(world.platform.wallpapers.isEmpty());
    }

    void pack_that_lost_a_picture_is_dropped_when_chosen() {
        SettingsWindowWorld world;
        world.Make_Pack("Autumn", SettingsWindowWorld::Full_Ini(),
                        SettingsWindowWorld::All_Months());
        world.Make_Pack("Spring", SettingsWindowWorld::Full_Ini(),
                        SettingsWindowWorld::All_Months());
        world.world.Set("Use Themes", 1);
        world.world.Set("Pack Name", "Autumn");
        Packs_Page* page = world.Open().Packs();
        QCOMPARE(Items(page->Packs_Cbo), (QStringList{"Autumn", "Spring"}));
        QVERIFY(QFile::remove(world.world.env.Program_Dir() + "/Spring/5.jpg"));
        page->Packs_Cbo->setCurrentIndex(1);
        QCOMPARE(Items(page->Packs_Cbo), QStringList{"Autumn"});
        QCOMPARE(page->Packs_Cbo->currentText(), QStringLiteral("Autumn"));
        QVERIFY(world.world.boxes.shown.isEmpty());
    }

    void apply_turns_packs_on_and_off() {
        SettingsWindowWorld world;
        world.Make_Pack("Default", SettingsWindowWorld::Full_Ini(),
                        SettingsWindowWorld::All_Months());
        Settings_Frm& frame = world.Open();
        Packs_Page* page = frame.Packs();
        QVERIFY(!page->Packs_Cbo->isEnabled());
        page->Theme_Use_Chk->click();
        QVERIFY(page->Packs_Cbo->isEnabled() && page->Preview_Btn->isEnabled());
        frame.Apply_Btn_Click();
        QCOMPARE(world.Stored("Use Themes"), QStringLiteral("1"));
        QVERIFY(!world.platform.wallpapers.isEmpty());
        QCOMPARE(world.platform.wallpapers.last().path,
                 world.world.env.Program_Dir() + "/Default/2.bmp");

        page->Theme_Use_Chk->click();
        frame.Apply_Btn_Click();
        QCOMPARE(world.Stored("Use Themes"), QStringLiteral("0"));
        QCOMPARE(world.platform.wallpapers.last().path, QString());
        const qsizetype seen = world.platform.wallpapers.size();
        frame.Apply_Btn_Click();
        QCOMPARE(world.platform.wallpapers.size(), seen);
    }

    // Packs off: the pack can't give a position, so the user's own is stored, ticked or not.
    void apply_with_packs_off_stores_the_own_position_under_the_pack_tick() {
        TestEnv env;
        SettingsStore store;
        AppSettings settings;
        settings.Alignment = 2;
        settings.Use_Theme_Pos = 1;
        ThemeChoices choices;
        choices.use_theme_pos = true;
        choices.set_position = 8;
        auto stored = [&store] { return store.Read("Almanor", "Settings", "Alignment", "<none>"); };
        Store_Theme_Choices(choices, settings, store);
        QCOMPARE(settings.Alignment, qint16(8));
        QCOMPARE(stored(), QStringLiteral("8"));
        choices.manual_position = true;
        Store_Theme_Choices(choices, settings, store);
        QCOMPARE(stored(), QStringLiteral("7"));
    }

    void display_mode_controls_and_their_storing() {
        SettingsWindowWorld world;
        world.world.Set("Use Other Display Mode", "True");
        world.world.Set("Other Display Mode", 1);
        Settings_Frm& frame = world.Open();
        Packs_Page* page = frame.Packs();
        QVERIFY(page->Other_Display_Chk->isChecked());
        QCOMPARE(page->Display_Cbo->currentText(), QStringLiteral("Tile"));
        QVERIFY(page->Display_Cbo->isEnabled());
        QVERIFY(!page->Theme_Display_Lbl->isEnabled());
        page->Display_Cbo->setCurrentIndex(2);
        page->Other_Display_Chk->click();
        QVERIFY(!page->Display_Cbo->isEnabled());
        QVERIFY(page->Theme_Display_Lbl->isEnabled());
        frame.Apply_Btn_Click();
        QCOMPARE(world.Stored("Use Other Display Mode"), QStringLiteral("False"));
        QCOMPARE(world.Stored("Other Display Mode"), QStringLiteral("2"));
    }

    void desktop_preview_puts_everything_back_data() {
        QTest::addColumn<bool>("packs_on");
        QTest::addColumn<std::optional<QString>>("style");
        QTest::newRow("packs off, stretched") << false << std::optional<QString>("2");
        QTest::newRow("no WallpaperStyle") << false << std::optional<QString>();
        QTest::newRow("WallpaperStyle not a number") << false << std::optional<QString>("wide");
        QTest::newRow("packs on") << true << std::optional<QString>("0");
    }
    void desktop_preview_puts_everything_back() {
        QFETCH(bool, packs_on);
        QFETCH(std::optional<QString>, style);
        ShortMonths quick(1);
        SettingsWindowWorld world;
        world.Make_Pack("Default", SettingsWindowWorld::Full_Ini(),
                        SettingsWindowWorld::All_Months());
        world.world.Set("Use Themes", packs_on ? 1 : 0);
        world.world.Set("Use Theme Pos", 1);
        const QString old_picture = world.world.env.Root() + "/holiday.png";
        Set_Desktop_Value("Wallpaper", old_picture);
        Set_Desktop_Value("TileWallpaper", "0");
        Set_Desktop_Value("WallpaperStyle", style);
        Settings_Frm& frame = world.Open();
        Main_Frm& calendar = *world.world.window;
        const AppSettings before = calendar.Settings;
        const QPoint place = calendar.pos();
        const auto values = [] {
            return QList<std::optional<QString>>{Desktop_Value("Wallpaper"),
                                                 Desktop_Value("TileWallpaper"),
                                                 Desktop_Value("WallpaperStyle")};
        };
        const auto values_before = values();
        const qsizetype shown_before = world.platform.wallpapers.size();
        Packs_Page* page = frame.Packs();
        if (!packs_on)
            page->Theme_Use_Chk->click();
        frame.Style_Position()->Theme_Style_Chk->click();

        page->Preview_Btn->click();
        DesktopPreview* preview = DesktopPreview::Running();
        QVERIFY(preview);
        QVERIFY(!calendar.isEnabled() && !calendar.Date_Watch_Running());
        QVERIFY(calendar.Which_Month_Lbl->text().startsWith("Preview Mode - "));
        // A second press while the year plays changes nothing.
        page->Preview_Btn_Click();
        QCOMPARE(DesktopPreview::Running(), preview);
        QTRY_VERIFY_WITH_TIMEOUT(!DesktopPreview::Running(), 20000);

        QCOMPARE(calendar.Settings, before);
        QCOMPARE(values(), values_before);
        const QString month_bitmap = world.world.env.Program_Dir() + "/Default/%1.bmp";
        QCOMPARE(world.platform.wallpapers.size() - shown_before >= 12, true);
        QCOMPARE(world.platform.wallpapers[shown_before].path, month_bitmap.arg(1));
        QCOMPARE(world.platform.wallpapers.last().path,
                 packs_on ? month_bitmap.arg(2) : old_picture);
        QCOMPARE(calendar.pos(), place);
        QVERIFY(calendar.isEnabled() && calendar.Date_Watch_Running());
        QVERIFY(frame.isEnabled() && page->Preview_Btn->isEnabled());
        // The tab's choices were only borrowed: nothing was stored.
        QCOMPARE(world.Stored("Use Theme Style"), QStringLiteral("missing"));
    }

    void apply_and_the_preview_leave_a_compacted_calendar_compacted() {
        ShortMonths quick(1);
        SettingsWindowWorld world;
        world.Make_Pack("Default", SettingsWindowWorld::Full_Ini(),
                        SettingsWindowWorld::All_Months());
        world.world.Set("Use Themes", 1);
        Settings_Frm& frame = world.Open();
        Main_Frm& calendar = *world.world.window;
        calendar.Compact_Mode();
        const int height = calendar.height();
        const auto still_compacted = [&] {
            return calendar.Compacted && calendar.height() == height &&
                   calendar.Prev_Month_Lbl->isHidden() &&
                   calendar.mask().boundingRect().bottom() < calendar.Day_Lbl[0]->y();
        };
        frame.Apply_Btn->click();
        QVERIFY(still_compacted());
        frame.Packs()->Preview_Btn->click();
        QVERIFY(DesktopPreview::Running());
        QVERIFY(still_compacted());
        QTRY_VERIFY_WITH_TIMEOUT(!DesktopPreview::Running(), 20000);
        QVERIFY(still_compacted());
    }

    void closing_a_window_while_the_year_plays_puts_back_the_desktop_data() {
        QTest::addColumn<bool>("close_calendar");
        QTest::newRow("settings window closed") << false;
        QTest::newRow("calendar gone") << true;
    }
    void closing_a_window_while_the_year_plays_puts_back_the_desktop() {
        QFETCH(bool, close_calendar);
        ShortMonths quick(20);
        SettingsWindowWorld world;
        world.Make_Pack("Default", SettingsWindowWorld::Full_Ini(),
                        SettingsWindowWorld::All_Months());
        world.world.Set("Use Themes", 1);
        Settings_Frm& frame = world.Open();
        // The desktop as the user left it after the calendar started.
        const QString old_picture = world.world.env.Root() + "/holiday.png";
        Set_Desktop_Value("Wallpaper", old_picture);
        Set_Desktop_Value("TileWallpaper", "1");
        Set_Desktop_Value("WallpaperStyle", "0");
        world.world.window->Settings.Use_Themes = 0; // as if packs were off all along
        frame.Packs()->Preview_Btn->click();
        QVERIFY(DesktopPreview::Running());
        QTest::qWait(50);
        if (close_calendar) {
            world.world.window.reset();
        } else {
            frame.close();
            QTRY_VERIFY(world.frame.isNull());
        }
        QTRY_VERIFY_WITH_TIMEOUT(!DesktopPreview::Running(), 20000);
        QCOMPARE(world.platform.wallpapers.last().path, old_picture);
        QCOMPARE(int(world.platform.wallpapers.last().fit), int(WallpaperFit::Tile));
        QCOMPARE(Desktop_Value("Wallpaper"), std::optional<QString>(old_picture));
        QCOMPARE(Desktop_Value("TileWallpaper"), std::optional<QString>("1"));
        QCOMPARE(Desktop_Value("WallpaperStyle"), std::optional<QString>("0"));
        if (!close_calendar)
            QVERIFY(world.world.window->isEnabled());
    }
};

ALMANOR_TEST(PacksTabTest)
#include "test_packs_tab.moc"
