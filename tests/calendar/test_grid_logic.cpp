// Month arithmetic, box style geometry, placement, twips and colour values.
#include "calendar/AppSettings.h"
#include "calendar/BoxStyles.h"
#include "calendar/ColourValue.h"
#include "calendar/MonthGrid.h"
#include "calendar/Placement.h"
#include "calendar/PlacementRules.h"
#include "calendar/TwipScale.h"
#include "common/TestMain.h"

#include <QTest>

class GridLogicTest : public QObject {
    Q_OBJECT
  private slots:
    void Days_In_Month_Follows_Gregorian_Leap_Years() {
        QCOMPARE(DaysInMonth(QDate(2024, 2, 1)), 29);
        QCOMPARE(DaysInMonth(QDate(2000, 2, 29)), 29);
        QCOMPARE(DaysInMonth(QDate(1900, 2, 10)), 28);
        QCOMPARE(DaysInMonth(QDate(2026, 2, 1)), 28);
        QCOMPARE(DaysInMonth(QDate(2100, 2, 1)), 28);
        QCOMPARE(DaysInMonth(QDate(2026, 12, 31)), 31);
        QCOMPARE(DaysInMonth(QDate(2026, 4, 1)), 30);
        QCOMPARE(DaysInMonth(QDate()), 0);
    }

    void Start_Box_Counts_From_The_Chosen_First_Day() {
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        // 1 February 2026 is a Sunday.
        QCOMPARE(Start_Box(2, 2026, 1, us), qint16(0));
        QCOMPARE(Start_Box(2, 2026, 2, us), qint16(6));
        QCOMPARE(Start_Box(2, 2026, 7, us), qint16(1));
        // 1 August 2026 is a Saturday: the last column with weeks from Sunday.
        QCOMPARE(Start_Box(8, 2026, 1, us), qint16(6));
        // Moving the first day from Sunday to Monday moves the 1st one column left.
        QCOMPARE(Start_Box(9, 2026, 1, us), qint16(2));
        QCOMPARE(Start_Box(9, 2026, 2, us), qint16(1));
        // 0 takes the locale's first day: Sunday in the US, Monday in Germany.
        QCOMPARE(Start_Box(2, 2026, 0, us), qint16(0));
        QCOMPARE(Start_Box(2, 2026, 0, de), qint16(6));
        // Values outside 0..7 fall back to the locale; impossible months give the first box.
        QCOMPARE(Start_Box(2, 2026, 9, us), qint16(0));
        QCOMPARE(Start_Box(13, 2026, 1, us), qint16(0));
        QCOMPARE(Start_Box(13, 2026, 2, us), qint16(0));
        QCOMPARE(Start_Box(0, 2026, 2, de), qint16(0));
    }

    void Day_Headers_Name_The_Column_Weekdays() {
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(Day_Header_Texts(1, false, us),
                 QStringList({"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}));
        QCOMPARE(Day_Header_Texts(2, true, us), QStringList({"M", "T", "W", "T", "F", "S", "S"}));
        QCOMPARE(Day_Header_Texts(7, false, us).first(), QStringLiteral("Sat"));
        QCOMPARE(Day_Header_Texts(0, false, QLocale(QLocale::German, QLocale::Germany)).first(),
                 QStringLiteral("Mo."));
        QCOMPARE(Day_Number_Caption(5), QStringLiteral(" 5 "));
    }

    void Style_Geometry_Gives_The_Window_Sizes_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("sixth_row");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("style 0, five rows") << 0 << false << 9705 << 2900;
        QTest::newRow("style 0, six rows") << 0 << true << 9705 << 3320;
        QTest::newRow("style 1, five rows") << 1 << false << 6405 << 5775;
        QTest::newRow("style 1, six rows") << 1 << true << 6405 << 6765;
        QTest::newRow("style 2, five rows") << 2 << false << 3255 << 2625;
        QTest::newRow("style 2, six rows") << 2 << true << 3255 << 2985;
    }
    void Style_Geometry_Gives_The_Window_Sizes() {
        QFETCH(int, style);
        QFETCH(bool, sixth_row);
        QFETCH(int, width);
        QFETCH(int, height);
        GridLayout layout = Design_Layout();
        Which_Style_Layout(layout, qint16(style), sixth_row);
        QCOMPARE(layout.window_width, width);
        QCOMPARE(layout.window_height, height);
        // The grid's corner never moves; headers sit over their columns.
        QCOMPARE(layout.boxes[0].left, 90);
        QCOMPARE(layout.boxes[0].top, 810);
        for (int c = 0; c < 7; ++c) {
            QCOMPARE(layout.day_headers[c].left, layout.boxes[c].left);
            QCOMPARE(layout.day_headers[c].width, layout.boxes[c].width);
            QCOMPARE(layout.day_headers[c].top, 450);
        }
        QCOMPARE(layout.next_month.Right(), layout.day_headers[6].Right());
        QCOMPARE(layout.which_month.width, layout.next_month.left - 495 - 100);
    }

    void Captions_Sit_Inside_Their_Boxes_Or_Outside_The_Window() {
        GridLayout layout = Design_Layout();
        Which_Style_Layout(layout, 0, false);
        QCOMPARE(layout.captions[8],
                 (TwipRect{layout.boxes[8].left + 360, layout.boxes[8].top + 55, 870, 220}));
        QCOMPARE(layout.boxes[8], (TwipRect{90 + 1275 + 100, 810 + 320 + 100, 1275, 320}));
        QCOMPARE(layout.number_align, TextAlign::Left);
        QCOMPARE(layout.caption_align, TextAlign::Left);

        Which_Style_Layout(layout, 2, false);
        QCOMPARE(layout.captions[8].left, Hidden_Caption_Pos);
        QCOMPARE(layout.captions[8].top, Hidden_Caption_Pos);
        QCOMPARE(layout.captions[8].width, 870);
        QCOMPARE(layout.number_align, TextAlign::Centre);
        QCOMPARE(layout.caption_align, TextAlign::Left);

        Which_Style_Layout(layout, 1, false);
        QCOMPARE(layout.captions[8],
                 (TwipRect{layout.boxes[8].left + 45, layout.boxes[8].top + 270, 735, 600}));
        QCOMPARE(layout.caption_align, TextAlign::Centre);
    }

    void Unknown_Style_Keeps_The_Boxes() {
        GridLayout layout = Design_Layout();
        Which_Style_Layout(layout, 2, false);
        const auto boxes = layout.boxes;
        Which_Style_Layout(layout, 3, true);
        QCOMPARE(layout.boxes, boxes);
        QCOMPARE(layout.window_width, 3255);
        QCOMPARE(layout.window_height, 2985);
    }

    void Placement_Follows_The_Position_Table() {
        // 1024 x 738 pixels at 15 twips a pixel.
        const TwipRect work{0, 0, 15360, 11070};
        const auto at = [&](qint16 position) {
            return Place_Window(position, work, 6405, 5775, 1234, 567);
        };
        QCOMPARE(at(0), QPoint(8955, 5295));
        QCOMPARE(at(1), QPoint((15360 - 6405) / 2, 5295));
        QCOMPARE(at(2), QPoint(0, 5295));
        QCOMPARE(at(3), QPoint(4477, 2647));
        QCOMPARE(at(4), QPoint(8955, 0));
        QCOMPARE(at(5), QPoint(4477, 0));
        QCOMPARE(at(6), QPoint(0, 0));
        QCOMPARE(at(7), QPoint(1234, 567));
        QCOMPARE(at(8), QPoint(8955, 2647));
        QCOMPARE(at(9), QPoint(0, 2647));
        QVERIFY(!at(10).has_value());
        QVERIFY(!at(-1).has_value());
        // A work area that does not start at the corner, and a window larger than it.
        const TwipRect offset{1500, 450, 9000, 6000};
        QCOMPARE(Place_Window(0, offset, 6405, 5775, 0, 0), QPoint(4095, 675));
        QCOMPARE(Place_Window(3, offset, 9705, 6765, 0, 0), QPoint(1148, 68));
    }

    // Dragging and the question after a drop follow the stored position, unless a pack's
    // position is in force.
    void Drag_Rules_Follow_The_Position_In_Force() {
        AppSettings settings;
        settings.Alignment = 7;
        settings.Allow_Dragging = 0;
        QVERIFY(Drag_Allowed(settings));
        QVERIFY(!Ask_Manual_Positioning(settings, true, true));
        settings.Use_Theme_Pos = 1;
        QVERIFY(Ask_Manual_Positioning(settings, true, true));
        QVERIFY(!Ask_Manual_Positioning(settings, true, false));
        QVERIFY(!Ask_Manual_Positioning(settings, false, true));
        settings.Alignment = 3;
        settings.Use_Theme_Pos = 0;
        QVERIFY(!Drag_Allowed(settings));
        QVERIFY(Ask_Manual_Positioning(settings, true, true));
        settings.Allow_Dragging = 1;
        QVERIFY(Drag_Allowed(settings));
    }

    void Work_Area_And_Twips_Scale() {
        QCOMPARE(Work_Area_In_Twips(QRect(0, 0, 1024, 738), 15, 15),
                 (TwipRect{0, 0, 15360, 11070}));
        QCOMPARE(Work_Area_In_Twips(QRect(10, 20, 100, 50), 12, 12),
                 (TwipRect{120, 240, 1200, 600}));
        const TwipScale at96;
        QCOMPARE(at96.X_Pixels(6405), 427);
        QCOMPARE(at96.Y_Pixels(6765), 451);
        QCOMPARE(at96.X_Twips(427), 6405);
        QCOMPARE(at96.Pixels(TwipRect{90, 810, 825, 915}), QRect(6, 54, 55, 61));
        const TwipScale at120(120, 120);
        QCOMPARE(at120.X_Pixels(6405), 534);
        QCOMPARE(at120.Twips_Per_Pixel_Y(), 12.0);
    }

    void Colour_Values_Resolve_Direct_And_System_Colours() {
        QPalette palette;
        palette.setColor(QPalette::Active, QPalette::ButtonText, QColor(1, 2, 3));
        palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(4, 5, 6));
        // 0x00BBGGRR
        QCOMPARE(Resolve_Colour(0x00336699, palette), QColor(0x99, 0x66, 0x33));
        QCOMPARE(Resolve_Colour(Dark_Grey, palette), QColor(75, 75, 75));
        QCOMPARE(Resolve_Colour(White, palette), QColor(255, 255, 255));
        // 0x80000000 + 18 button text, + 3 inactive caption.
        QVERIFY(Is_System_Colour(-2147483630));
        QCOMPARE(Resolve_Colour(-2147483630, palette), QColor(1, 2, 3));
        QCOMPARE(Resolve_Colour(-2147483645, palette), QColor(4, 5, 6));
        // Beyond the table: black rather than anything undefined.
        QCOMPARE(Resolve_Colour(qint32(0x80001000u), palette), QColor(Qt::black));
        QCOMPARE(Resolve_Colour(-1, palette), QColor(Qt::black));
    }
};

ALMANOR_TEST(GridLogicTest)
#include "test_grid_logic.moc"
