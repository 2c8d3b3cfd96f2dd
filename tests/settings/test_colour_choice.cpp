#include "calendar/AppSettings.h"
#include "calendar/SettingsStore.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "settings/ColourChoice.h"

#include <QTest>

class ColourChoiceTest : public QObject {
    Q_OBJECT

  private slots:
    void read_outs_split_a_colour_into_its_channels() {
        const std::optional<ColourReadouts> today = Colour_Readouts(16761024);
        QVERIFY(today);
        QCOMPARE(today->decimal, QStringLiteral("16761024"));
        QCOMPARE(today->hex, QStringLiteral("#C0C0FF"));
        QCOMPARE(today->channels, QStringLiteral("192,192,255"));
        // Leading zeros, and red in the lowest byte.
        const std::optional<ColourReadouts> dark = Colour_Readouts(0x0A0B01);
        QCOMPARE(dark->hex, QStringLiteral("#010B0A"));
        QCOMPARE(dark->channels, QStringLiteral("1,11,10"));
        QCOMPARE(Colour_Readouts(0)->hex, QStringLiteral("#000000"));
        QCOMPARE(Colour_Readouts(16777215)->hex, QStringLiteral("#FFFFFF"));
        // System colours and values past 24 bits are no plain colours: nothing to show.
        QVERIFY(!Colour_Readouts(-2147483630));
        QVERIFY(!Colour_Readouts(-1));
        QVERIFY(!Colour_Readouts(0x1000000));
        for (qint32 c : {0, 255, 65280, 8390687, 16777215})
            QCOMPARE(Join_Colour(Split_Colour(c)), c);
    }

    void palette_runs_hue_across_and_white_to_black_down() {
        QCOMPARE(Palette_Image().size(), QSize(Palette_Width, Palette_Height));
        for (int y : {0, 24, 49})
            QCOMPARE(Palette_Colour(0, y), 0x7F7F7F);
        for (int x = 1; x < Palette_Width; ++x) {
            QCOMPARE(Palette_Colour(x, 0), 0xFFFFFF);
            QCOMPARE(Palette_Colour(x, 49), 0);
        }
        // Row 24 holds the pure hues: red, yellow, green, cyan, blue, magenta and red again.
        QCOMPARE(Palette_Colour(1, 24), 0x0000FF);
        QCOMPARE(Palette_Colour(98, 24), 0x0000FF);
        auto rgb = [](int x) { return Split_Colour(Palette_Colour(x, 24)); };
        QCOMPARE(rgb(17).red, 255); // near yellow: red and green high
        QVERIFY(rgb(17).green > 230);
        QCOMPARE(rgb(50).blue, 255); // near cyan: green and blue high, no red
        QVERIFY(rgb(50).green > 230 && rgb(50).red == 0);
        QCOMPARE(rgb(66).blue, 255); // near blue
        QVERIFY(rgb(66).red < 30 && rgb(66).green == 0);
        // Down a column the colour darkens steadily below the pure row and lightens above it.
        for (int y = 1; y < Palette_Height; ++y) {
            const Rgb above = Split_Colour(Palette_Colour(34, y - 1));
            const Rgb here = Split_Colour(Palette_Colour(34, y));
            QVERIFY(here.red + here.green + here.blue <= above.red + above.green + above.blue);
        }
        // Outside the chart: the nearest edge.
        QCOMPARE(Palette_Colour(500, -3), Palette_Colour(98, 0));
    }

    void gradient_mixes_channels_to_the_nearest_whole_number() {
        const auto steps = Gradient_Colours(0, 0x0000FF);
        QVERIFY(steps);
        for (int i = 0; i < 256; ++i)
            QCOMPARE((*steps)[i], qint32(i)); // red rises by one a step
        const auto mixed = Gradient_Colours(0x0A1400, 0x140A0A);
        QCOMPARE(mixed->front(), 0x0A1400);
        QCOMPARE(mixed->back(), 0x140A0A);
        // 127/255 of the way from 0 to 1 rounds down, 128/255 rounds up.
        const auto tiny = Gradient_Colours(0, 1);
        QCOMPARE((*tiny)[127], 0);
        QCOMPARE((*tiny)[128], 1);
        QVERIFY(!Gradient_Colours(-2147483630, 0));
        QVERIFY(!Gradient_Colours(0, -1));
    }

    void gradient_scale_has_ten_numbered_marks() {
        const QList<GradientMark> marks = Gradient_Marks(254);
        QCOMPARE(marks.size(), 11);
        QCOMPARE(marks.front().number, 0); // not printed
        QCOMPARE(marks.back().number, 10);
        QCOMPARE(marks[1].x, 25);
        QCOMPARE(marks.back().x, 250);
        // Steps are whole numbers rounded halves to even: 25.5 gives 26, so only nine follow 0.
        QCOMPARE(Gradient_Marks(255).size(), 10);
        QVERIFY(Gradient_Marks(0).isEmpty());
    }

    void save_stores_only_changed_colours_in_order_and_repaints_their_parts() {
        TestEnv env;
        SettingsStore store;
        AppSettings settings;
        ColourSet pending = Current_Colours(settings);
        QList<ColourRepaint> repaints;
        auto record = [&](ColourRepaint part) { repaints.append(part); };

        // Nothing changed: only today's box is repainted, nothing written.
        Save_Colours(store, settings, pending, settings.Menu_Colour_Source, record);
        QCOMPARE(repaints, QList<ColourRepaint>{ColourRepaint::Today});
        QVERIFY(!QFile::exists(store.File_Path()));

        repaints.clear();
        pending[int(ColourEntry::Inactive)] = 255;
        pending[int(ColourEntry::Normal)] = 65280;
        Save_Colours(store, settings, pending, 1, record);
        QCOMPARE(repaints, (QList<ColourRepaint>{ColourRepaint::Boxes, ColourRepaint::Inactive,
                                                 ColourRepaint::Today}));
        QCOMPARE(settings.Normal, 65280);
        QCOMPARE(settings.Inactive, 255);
        const QString app = QStringLiteral("Almanor");
        const QString colours = QStringLiteral("Colours");
        QCOMPARE(store.Read(app, colours, QStringLiteral("Normal"), QString()),
                 QStringLiteral("65280"));
        QCOMPARE(store.Read(app, colours, QStringLiteral("Today"), QStringLiteral("<none>")),
                 QStringLiteral("<none>"));

        // Switching to system colours stores the source and repaints the menus once.
        repaints.clear();
        Save_Colours(store, settings, pending, 0, record);
        QCOMPARE(repaints, (QList<ColourRepaint>{ColourRepaint::Menus, ColourRepaint::Today}));
        QCOMPARE(settings.Menu_Colour_Source, qint16(0));
        QCOMPARE(store.Read(app, colours, QStringLiteral("Menu Colour Source"), QString()),
                 QStringLiteral("0"));
        // Back to "Use Others...": Back and Fore are written with it, even unchanged.
        Save_Colours(store, settings, pending, 1, record);
        QCOMPARE(store.Read(app, colours, QStringLiteral("Back"), QString()),
                 QStringLiteral("8390687"));
        QCOMPARE(store.Read(app, colours, QStringLiteral("Fore"), QString()),
                 QStringLiteral("16777215"));
    }
};

ALMANOR_TEST(ColourChoiceTest)
#include "test_colour_choice.moc"
