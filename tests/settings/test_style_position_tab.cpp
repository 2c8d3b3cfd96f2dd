#include "calendar/Placement.h"
#include "calendar/SettingsStore.h"
#include "common/SettingsWindowWorld.h"
#include "common/TestMain.h"
#include "packs/SetWallpaper_Mod.h"
#include "registry/Registry.h"
#include "settings/gui/StylePosition_Page.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

namespace {
// Drags a slider to a step, by way of another one when it is there already.
void Drag(QSlider* slider, int step) {
    if (slider->value() == step)
        slider->setValue((step + 1) % 3);
    slider->setValue(step);
}
} // namespace

// The "Style & Position" tab as a user works it: the sliders, the style options, the position
// preview with its desktop picture, and what Apply does to the calendar.
class StylePositionTabTest : public QObject {
    Q_OBJECT
  private slots:
    void sliders_give_position_tip_and_apply_data() {
        QTest::addColumn<int>("horizontal");
        QTest::addColumn<int>("vertical");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QString>("name");
        QTest::newRow("centre") << 1 << 1 << 3 << "Center Screen";
        QTest::newRow("top left") << 0 << 0 << 6 << "Top Left";
        QTest::newRow("bottom right") << 2 << 2 << 0 << "Bottom Right";
        QTest::newRow("centre left") << 0 << 1 << 9 << "Center Left";
        QTest::newRow("top right") << 2 << 0 << 4 << "Top Right";
    }
    void sliders_give_position_tip_and_apply() {
        QFETCH(int, horizontal);
        QFETCH(int, vertical);
        QFETCH(int, alignment);
        QFETCH(QString, name);
        SettingsWindowWorld world;
        world.world.Set("Alignment", 5);
        Settings_Frm& frame = world.Open();
        StylePosition_Page* page = frame.Style_Position();
        Drag(page->Horizontal_Sli, horizontal);
        QCOMPARE(page->Horizontal_Sli->toolTip(),
                 Position_Name(Get_Set_Position({horizontal, page->Vertical_Sli->value()})));
        Drag(page->Vertical_Sli, vertical);
        QCOMPARE(page->Get_Set_Position(), qint16(alignment));
        QCOMPARE(page->Vertical_Sli->toolTip(), name);

        frame.Apply_Btn_Click();
        QCOMPARE(world.Stored("Alignment"), QString::number(alignment));
        Main_Frm& calendar = *world.world.window;
        QCOMPARE(calendar.Settings.Alignment, qint16(alignment));
        const auto place =
            Place_Window(qint16(alignment), calendar.GetDesktopRect(),
                         calendar.Layout().window_width, calendar.Layout().window_height, 0, 0);
        QVERIFY(place);
        QCOMPARE(calendar.pos(), calendar.Scale().Pixels(*place));
    }

    void setup_moves_sliders_only_for_table_positions() {
        SettingsWindowWorld world;
        world.world.Set("Alignment", 2);
        StylePosition_Page* page = world.Open().Style_Position();
        QCOMPARE(page->Horizontal_Sli->value(), 0);
        QCOMPARE(page->Vertical_Sli->value(), 2);
        for (qint16 position : {qint16(7), qint16(10), qint16(-1)}) {
            page->Setup_Set_Position(position);
            QCOMPARE(page->Horizontal_Sli->value(), 0);
            QCOMPARE(page->Vertical_Sli->value(), 2);
        }
        page->Setup_Set_Position(8);
        QCOMPARE(page->Horizontal_Sli->value(), 2);
        QCOMPARE(page->Vertical_Sli->value(), 1);
    }

    void box_is_placed_with_integer_halving_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<TwipRect>("box");
        // The desktop picture of the small preview: 975, 975, 1730 x 1170.
        // 1730 - 585 = 1145 and 1170 - 540 = 630: the odd one loses its half twip.
        QTest::newRow("square, centre") << "Style1_Opt" << 3 << TwipRect{1547, 1290, 585, 540};
        // 1730 - 345 = 1385 and 1170 - 315 = 855, both odd.
        QTest::newRow("small, centre") << "Style3_Opt" << 3 << TwipRect{1667, 1402, 345, 315};
        QTest::newRow("thin, top centre") << "Style2_Opt" << 5 << TwipRect{1352, 975, 975, 360};
        QTest::newRow("small, bottom right") << "Style3_Opt" << 0 << TwipRect{2360, 1830, 345, 315};
        QTest::newRow("square, centre left") << "Style1_Opt" << 9 << TwipRect{975, 1290, 585, 540};
    }
    void box_is_placed_with_integer_halving() {
        QFETCH(QString, option);
        QFETCH(int, alignment);
        QFETCH(TwipRect, box);
        SettingsWindowWorld world;
        world.world.Set("Alignment", alignment);
        StylePosition_Page* page = world.Open().Style_Position();
        page->findChild<QRadioButton*>(option)->click();
        QCOMPARE(page->Box_Preview_Twips(), box);
        QVERIFY(!page->Box_Preview_Img->isHidden());
        // The picture follows the twips.
        QCOMPARE(page->Box_Preview_Img->geometry(), TwipScale().Pixels(box));
    }

    void manual_position_hides_the_box_and_is_stored_as_7() {
        SettingsWindowWorld world;
        Settings_Frm& frame = world.Open();
        StylePosition_Page* page = frame.Style_Position();
        page->Pos_Manual_Opt->click();
        QVERIFY(page->Box_Preview_Img->isHidden());
        QVERIFY(page->Horizontal_Sli->isHidden());
        QCOMPARE(page->Pos_Preview_Twips(), (TwipRect{650, 1100, 2010, 1405}));
        frame.Apply_Btn_Click();
        QCOMPARE(world.Stored("Alignment"), QStringLiteral("7"));

        page->Pos_Set_Opt->click();
        QVERIFY(!page->Box_Preview_Img->isHidden());
        QVERIFY(!page->Horizontal_Sli->isHidden());
        QCOMPARE(page->Pos_Preview_Twips(), (TwipRect{975, 975, 1730, 1170}));
    }

    void reactivation_drops_unapplied_style_and_position() {
        SettingsWindowWorld world;
        world.world.Set("Style", 0);
        world.world.Set("Alignment", 1);
        Settings_Frm& frame = world.Open();
        StylePosition_Page* page = frame.Style_Position();
        QVERIFY(page->Style2_Opt->isChecked());
        page->Style3_Opt->click();
        page->Horizontal_Sli->setValue(0);
        world.Reactivate();
        QVERIFY(page->Style2_Opt->isChecked());
        QCOMPARE(page->Get_Set_Position(), qint16(1));
        QCOMPARE(page->Box_Preview_Twips().width, 975);
        // Apply stores the style of the selected option.
        page->Style3_Opt->click();
        frame.Apply_Btn_Click();
        QCOMPARE(world.Stored("Style"), QStringLiteral("2"));
        QCOMPARE(world.world.window->Settings.Style, qint16(2));
    }

    void pack_checks_take_over_style_and_position() {
        SettingsWindowWorld world;
        world.Make_Pack("Default", SettingsWindowWorld::Full_Ini(),
                        SettingsWindowWorld::All_Months());
        world.world.Set("Use Themes", 1);
        world.world.Set("Style", 2);
        world.world.Set("Alignment", 2);
        Settings_Frm& frame = world.Open();
        StylePosition_Page* page = frame.Style_Position();
        QCOMPARE(page->Box_Preview_Twips().width, 345);

        // February of the pack: 2=1-4-0, a square box at the top right.
        page->Theme_Style_Chk->click();
        QVERIFY(!page->Style1_Opt->isEnabled());
        QVERIFY(!page->Style3_Opt->isEnabled());
        QVERIFY(!page->Example_Lbl[4]->isEnabled());
        QCOMPARE(page->Box_Preview_Twips().width, 585);
        QCOMPARE(page->Theme_Pos_Chk->text(), QStringLiteral("Use Pack Position when available"));
        page->Theme_Pos_Chk->click();
        QVERIFY(!page->Pos_Set_Opt->isEnabled());
        QVERIFY(!page->Pos_Manual_Opt->isEnabled());
        QVERIFY(page->Vertical_Sli->isHidden());
        QCOMPARE(page->Box_Preview_Twips(), (TwipRect{650 + 2010 - 585, 1100, 585, 540}));

        frame.Apply_Btn_Click();
        QCOMPARE(world.Stored("Use Theme Style"), QStringLiteral("1"));
        QCOMPARE(world.Stored("Use Theme Pos"), QStringLiteral("1"));
        // The pack's position is in use: "Alignment" keeps its value.
        QCOMPARE(world.Stored("Alignment"), QStringLiteral("2"));
        Main_Frm& calendar = *world.world.window;
        QCOMPARE(calendar.Settings.Effective_Style(), qint16(1));
        QCOMPARE(calendar.Settings.Effective_Position(), qint16(4));

        // Coming back to the window keeps the pack's place, not the sliders'.
        world.Reactivate();
        QVERIFY(page->Vertical_Sli->isHidden());
        QCOMPARE(page->Box_Preview_Twips(), (TwipRect{650 + 2010 - 585, 1100, 585, 540}));

        // Clearing them gives the user's own choices back.
        page->Theme_Style_Chk->click();
        page->Theme_Pos_Chk->click();
        QVERIFY(page->Style3_Opt->isEnabled() && page->Pos_Set_Opt->isEnabled());
        QCOMPARE(page->Box_Preview_Twips(), (TwipRect{975, 975 + 1170 - 315, 345, 315}));
    }

    void desktop_picture_behind_the_preview() {
        SettingsWindowWorld world;
        // No wallpaper anywhere: an empty preview and not a word.
        StylePosition_Page* page = world.Open().Style_Position();
        QVERIFY(page->Pos_Preview_Img->pixmap().isNull());

        // A recorded path that isn't a picture: the same.
        const QString text = world.world.env.Write_File("notes.txt", "not a picture");
        Write_Value("HKCU", Desktop_Key, "Wallpaper", "S", text);
        page->Load_Desktop_Preview();
        QVERIFY(page->Pos_Preview_Img->pixmap().isNull());

        // The recorded path of a picture.
        QImage red(64, 48, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QString red_path = world.world.env.Root() + "/red.png";
        QVERIFY(red.save(red_path));
        Write_Value("HKCU", Desktop_Key, "Wallpaper", "S", red_path);
        page->Load_Desktop_Preview();
        QCOMPARE(page->Pos_Preview_Img->pixmap().toImage().pixelColor(3, 3), QColor(Qt::red));

        // What the desktop itself says comes first.
        QImage blue(64, 48, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        world.platform.desktop_picture = world.world.env.Root() + "/blue.png";
        QVERIFY(blue.save(world.platform.desktop_picture));
        page->Load_Desktop_Preview();
        QCOMPARE(page->Pos_Preview_Img->pixmap().toImage().pixelColor(3, 3), QColor(Qt::blue));
        QVERIFY(world.world.boxes.shown.isEmpty());
    }
};

ALMANOR_TEST(StylePositionTabTest)
#include "test_style_position_tab.moc"
