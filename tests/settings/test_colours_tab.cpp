// The "Colours" tab, driven with the mouse.
#include "SettingsWorld.h"

#include "calendar/ColourValue.h"
#include "calendar/gui/ColourLabel.h"
#include "common/TestMain.h"
#include "settings/gui/Colours_Page.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {
// A palette pixel's place on the chart as shown.
QPoint At(const Colours_Page& page, int x, int y) {
    return QPoint(x * page.Pal->width() / Palette_Width, y * page.Pal->height() / Palette_Height);
}

Colours_Page& Colours(SettingsWorld& world) {
    world.Set(QStringLiteral("Settings Tab"), 2);
    return *world.Open().Colours();
}
} // namespace

class ColoursTabTest : public QObject {
    Q_OBJECT

  private slots:
    void a_swatch_chooses_its_entry_like_its_label() {
        SettingsWorld world;
        Colours_Page& page = Colours(world);
        QCOMPARE(page.Edit_Colour, 0);
        QVERIFY(page.Col_Lbl[0]->font().bold());
        for (int entry : {3, 6, 1, 5}) {
            world.Click(entry % 2 ? page.Col_Pic[entry]
                                  : static_cast<QWidget*>(page.Col_Lbl[entry]));
            QCOMPARE(page.Edit_Colour, entry);
            for (int i = 0; i < Colour_Entry_Count; ++i)
                QCOMPARE(page.Col_Lbl[i]->font().bold(), i == entry);
        }
        QCOMPARE(page.Col_Lbl[1]->text(), QStringLiteral("Normal Day Colour"));
    }

    void sampling_shows_the_colour_and_shift_shows_a_gradient() {
        SettingsWorld world;
        Colours_Page& page = Colours(world);
        const qint32 colour = Palette_Colour(60, 30);
        QTest::mouseMove(page.Pal, At(page, 60, 30));
        QCOMPARE(page.txCol[0]->text(), QString::number(colour));
        QCOMPARE(page.txCol[1]->text(), Colour_Readouts(colour)->hex);
        QCOMPARE(page.txCol[2]->text(), Colour_Readouts(colour)->channels);
        const QImage plain = page.Sample_Image();
        const Rgb rgb = Split_Colour(colour);
        QCOMPARE(plain.pixelColor(0, 0), QColor(rgb.red, rgb.green, rgb.blue));
        QCOMPARE(plain.pixelColor(plain.width() - 1, 0), QColor(rgb.red, rgb.green, rgb.blue));

        // With Shift, Ctrl or Alt held: black on the left, the colour on the right.
        for (Qt::KeyboardModifier held :
             {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
            page.ShowColors(0xFFFFFF);
            page.Pal_MouseMove(held, 60, 30);
            const QImage gradient = page.Sample_Image();
            const QColor left = gradient.pixelColor(0, 0);
            QVERIFY(left.red() <= 3 && left.green() <= 3 && left.blue() <= 3);
            const QColor right = gradient.pixelColor(gradient.width() - 1, 0);
            QVERIFY(qAbs(right.red() - rgb.red) <= 3 && qAbs(right.blue() - rgb.blue) <= 3);
            QCOMPARE(page.txCol[0]->text(), QString::number(colour));
        }
        // A system colour is never sampled into the box.
        page.ShowColors(-2147483630);
        QCOMPARE(page.txCol[0]->text(), QString::number(colour));
    }

    void picking_num_colours_all_three_preview_day_labels() {
        SettingsWorld world;
        Colours_Page& page = Colours(world);
        world.Click(page.Col_Lbl[2]);
        world.Click(page.Pal, Qt::NoModifier, At(page, 70, 10));
        const qint32 colour = Palette_Colour(70, 10);
        QCOMPARE(page.Col_Pic[2]->Back_Colour(), colour);
        for (ColourLabel* day :
             {page.Preview_Style0_Lbl, page.Preview_Style1_Lbl, page.Preview_Today_Lbl})
            QCOMPARE(day->Fore_Colour(), colour);
        // The captions and the backgrounds are not touched.
        QCOMPARE(page.Preview_Caption0_Lbl->Fore_Colour(), world.window->Settings.Text);
        QCOMPARE(page.Preview_Today_Lbl->Back_Colour(), world.window->Settings.Today);

        world.Click(page.Col_Lbl[3]);
        world.Click(page.Pal, Qt::NoModifier, At(page, 20, 40));
        for (ColourLabel* caption :
             {page.Preview_Caption0_Lbl, page.Preview_Caption1_Lbl, page.Preview_Caption_Today_Lbl})
            QCOMPARE(caption->Fore_Colour(), Palette_Colour(20, 40));
        world.Click(page.Col_Lbl[1]);
        world.Click(page.Pal, Qt::NoModifier, At(page, 90, 5));
        QCOMPARE(page.Preview_Style0_Lbl->Back_Colour(), Palette_Colour(90, 5));
        QCOMPARE(page.Preview_Style1_Lbl->Back_Colour(), Palette_Colour(90, 5));
    }

    void system_colours_disable_back_and_fore_and_keep_the_month_label() {
        SettingsWorld world;
        Colours_Page& page = Colours(world);
        QVERIFY(page.Col_Other_Opt->isChecked());
        QCOMPARE(page.Preview_Month_Lbl->Back_Colour(), world.window->Settings.Back);
        world.Click(page.Col_Lbl[4]);
        world.Click(page.Col_Sys_Opt);
        QVERIFY(!page.Col_Pic[4]->isEnabled() && !page.Col_Lbl[5]->isEnabled());
        // The calendar's desktop has no icon text background: dark grey stands in.
        QCOMPARE(page.Preview_Month_Lbl->Back_Colour(), Dark_Grey);
        QCOMPARE(page.Preview_Prev_Lbl->Fore_Colour(), world.window->IconTextFore);
        // A disabled entry can't be chosen; picking still sets the entry chosen before.
        world.Click(page.Col_Lbl[5]);
        QCOMPARE(page.Edit_Colour, 4);
        world.Click(page.Pal, Qt::NoModifier, At(page, 30, 30));
        QCOMPARE(page.Col_Pic[4]->Back_Colour(), Palette_Colour(30, 30));
        QCOMPARE(page.Preview_Month_Lbl->Back_Colour(), Dark_Grey);

        world.Click(world.settings->Apply_Btn);
        QCOMPARE(world.Stored(QStringLiteral("Menu Colour Source"), QStringLiteral("Colours")),
                 QStringLiteral("0"));
        QCOMPARE(world.window->Back_Colour(), Dark_Grey);
        // "Use Others..." shows and applies the picked background.
        world.Click(page.Col_Other_Opt);
        QCOMPARE(page.Preview_Month_Lbl->Back_Colour(), Palette_Colour(30, 30));
        world.Click(world.settings->Apply_Btn);
        QCOMPARE(world.window->Back_Colour(), Palette_Colour(30, 30));
        QCOMPARE(world.Stored(QStringLiteral("Back"), QStringLiteral("Colours")),
                 QString::number(Palette_Colour(30, 30)));
    }

    void apply_leaves_the_inactive_calendar_in_its_inactive_header_colour() {
        SettingsWorld world;
        Colours_Page& page = Colours(world);
        QVERIFY(!world.window->isActiveWindow());
        for (int entry : {4, 5, 6}) {
            world.Click(page.Col_Lbl[entry]);
            world.Click(page.Pal, Qt::NoModifier, At(page, 20 + 10 * entry, 30));
            world.Click(world.settings->Apply_Btn);
            QCOMPARE(world.window->Which_Month_Lbl->Fore_Colour(), world.window->Settings.Inactive);
            QCOMPARE(world.window->Day_Lbl[3]->Fore_Colour(), world.window->Settings.Inactive);
        }
        QCOMPARE(world.window->Back_Colour(), Palette_Colour(60, 30));
        QCOMPARE(world.window->Settings.Inactive, Palette_Colour(80, 30));
    }

    void restore_defaults_then_apply_writes_only_colours_that_differ() {
        SettingsWorld world;
        world.Set(QStringLiteral("Today"), 255, QStringLiteral("Colours"));
        world.Set(QStringLiteral("Text"), 65280, QStringLiteral("Colours"));
        world.Set(QStringLiteral("Normal"), 16777215, QStringLiteral("Colours"));
        Colours_Page& page = Colours(world);
        QCOMPARE(page.Col_Pic[0]->Back_Colour(), 255);
        world.Click(page.Default_Cols_Btn);
        QCOMPARE(page.Col_Pic[0]->Back_Colour(), 16761024);
        QCOMPARE(page.Preview_Caption1_Lbl->Fore_Colour(), -2147483630);
        QCOMPARE(world.window->Settings.Today, 255); // nothing stored before Apply
        const QMap<QString, QString> before = world.Stored_Keys();

        world.Click(world.settings->Apply_Btn);
        QMap<QString, QString> colours;
        const QMap<QString, QString> stored = world.Stored_Keys();
        for (auto it = stored.begin(); it != stored.end(); ++it)
            if (it.key().startsWith(QStringLiteral("Colours/")) &&
                before.value(it.key()) != it.value())
                colours.insert(it.key(), it.value());
        QCOMPARE(colours, (QMap<QString, QString>{
                              {QStringLiteral("Colours/Today"), QStringLiteral("16761024")},
                              {QStringLiteral("Colours/Text"), QStringLiteral("-2147483630")}}));
        QCOMPARE(world.window->Settings.Text, -2147483630);
        QCOMPARE(world.window->Box_Caption_Lbl[0]->Fore_Colour(), -2147483630);
    }

    void apply_repaints_the_calendar_boxes() {
        SettingsWorld world;
        Colours_Page& page = Colours(world);
        world.Click(page.Col_Lbl[1]);
        world.Click(page.Pal, Qt::NoModifier, At(page, 1, 24));
        QCOMPARE(page.Col_Pic[1]->Back_Colour(), 255); // pure red
        QCOMPARE(world.window->Box_Lbl[0]->Back_Colour(), 16777215);
        world.Click(world.settings->Apply_Btn);
        QCOMPARE(world.Stored(QStringLiteral("Normal"), QStringLiteral("Colours")),
                 QStringLiteral("255"));
        int red = 0;
        for (ColourLabel* box : world.window->Box_Lbl)
            red += box->Back_Colour() == 255 ? 1 : 0;
        QCOMPARE(red, Box_Count - 1); // all but today's box
        // The stored day-number colour shows in the preview when the window comes back.
        world.window->Settings.Num = 65280;
        world.Reactivate_Through_Calendar();
        QCOMPARE(page.Preview_Style0_Lbl->Fore_Colour(), 65280);
    }
};

ALMANOR_TEST(ColoursTabTest)
#include "test_colours_tab.moc"
