// The calendar window as the user sees it: its size and boxes, which days show, the headers, the
// event captions, the "Today: " alert, bad data files and the window's shape.
#include "calendar/gui/ColourLabel.h"
#include "common/CalendarWorld.h"
#include "common/TestMain.h"
#include "platform/DesktopStack.h"

#include <QFontMetrics>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>

namespace {
// A pixel count from twips, as the window converts at the screen's resolution.
int Px(const Main_Frm& w, qint32 twips) {
    return int(std::lround(twips / w.Scale().Twips_Per_Pixel_X()));
}

QPoint Centre(const QWidget* widget) {
    return widget->geometry().center();
}

QStringList Lines_Of(const ColourLabel* label) {
    return label->text().split(QStringLiteral("\r\n"));
}

int Shown_Width(const Main_Frm& w, const QString& line) {
    return QFontMetrics(w.font()).horizontalAdvance(Shown_Caption(line));
}
} // namespace

class CalendarWindowTest : public QObject {
    Q_OBJECT
  private slots:
    // Weeks from Sunday: March 2026 starts on a Sunday and fills five rows, May 2026 starts on a
    // Friday and needs box 35.
    void Window_Size_Follows_Style_And_Rows_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("box_width");
        QTest::addColumn<int>("box_height");
        QTest::addColumn<int>("gap");
        QTest::newRow("style 0, five rows") << 0 << 3 << 9705 << 2900 << 1275 << 320 << 100;
        QTest::newRow("style 0, six rows") << 0 << 5 << 9705 << 3320 << 1275 << 320 << 100;
        QTest::newRow("style 1, five rows") << 1 << 3 << 6405 << 5775 << 825 << 915 << 75;
        QTest::newRow("style 1, six rows") << 1 << 5 << 6405 << 6765 << 825 << 915 << 75;
        QTest::newRow("style 2, five rows") << 2 << 3 << 3255 << 2625 << 375 << 285 << 75;
        QTest::newRow("style 2, six rows") << 2 << 5 << 3255 << 2985 << 375 << 285 << 75;
    }
    void Window_Size_Follows_Style_And_Rows() {
        QFETCH(int, style);
        QFETCH(int, month);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, box_width);
        QFETCH(int, box_height);
        QFETCH(int, gap);
        CalendarWorld world(QDateTime(QDate(2026, month, 10), QTime(9, 0)));
        world.Set("Style", style);
        world.Set("Start Day", 1);
        Main_Frm& w = world.Start();

        QCOMPARE(w.width(), Px(w, width));
        QCOMPARE(w.height(), Px(w, height));
        const bool six_rows = month == 5;
        QCOMPARE(!w.Box_Lbl[35]->isHidden(), six_rows);

        // The grid starts at (90, 810); boxes and gaps keep the style's measures.
        QCOMPARE(w.Box_Lbl[0]->pos(), QPoint(Px(w, 90), Px(w, 810)));
        QCOMPARE(w.Box_Lbl[8]->size(), QSize(Px(w, box_width), Px(w, box_height)));
        QCOMPARE(w.Box_Lbl[8]->x(), Px(w, 90 + box_width + gap));
        QCOMPARE(w.Box_Lbl[8]->y(), Px(w, 810 + box_height + gap));
        // The last row in use ends 90 twips above the window's bottom edge, the right column
        // 90 twips before its right edge (a pixel of rounding either way).
        const ColourLabel* bottom = w.Box_Lbl[six_rows ? 35 : 28];
        QVERIFY(qAbs(w.height() - bottom->geometry().bottom() - 1 - Px(w, 90)) <= 1);
        QVERIFY(qAbs(w.width() - w.Box_Lbl[6]->geometry().right() - 1 - Px(w, 90)) <= 1);

        // Headers stand over their columns; ">" ends where the last header ends.
        for (int c = 0; c < 7; ++c) {
            QCOMPARE(w.Day_Lbl[c]->x(), w.Box_Lbl[c]->x());
            QCOMPARE(w.Day_Lbl[c]->width(), w.Box_Lbl[c]->width());
        }
        QCOMPARE(w.Next_Month_Lbl->geometry().right(), w.Day_Lbl[6]->geometry().right());
        QVERIFY(w.Which_Month_Lbl->geometry().right() < w.Next_Month_Lbl->x());

        // Captions lie inside their box, or far outside the window in style 2.
        const QRect caption = w.Box_Caption_Lbl[8]->geometry();
        if (style == 2)
            QVERIFY(!w.rect().intersects(caption));
        else
            QVERIFY(w.Box_Lbl[8]->geometry().contains(caption));
    }

    void February_2026_From_Sunday_Uses_Four_Rows() {
        CalendarWorld world(QDateTime(QDate(2026, 2, 10), QTime(9, 0)));
        world.Set("Start Day", 1);
        Main_Frm& w = world.Start();
        for (int i = 0; i < 28; ++i) {
            QVERIFY2(!w.Box_Lbl[i]->isHidden(), qPrintable(QString::number(i)));
            QCOMPARE(w.Box_Lbl[i]->text(), QStringLiteral(" %1 ").arg(i + 1));
        }
        for (int i = 28; i < 37; ++i) {
            QVERIFY(w.Box_Lbl[i]->isHidden());
            QVERIFY(w.Box_Caption_Lbl[i]->isHidden());
        }
        // The fifth row still counts for the height.
        QCOMPARE(w.height(), Px(w, 5775));
        // Today (the 10th) wears the "Today" colour, its neighbours "Normal".
        QCOMPARE(w.Box_Lbl[9]->Back_Colour(), w.Settings.Today);
        QCOMPARE(w.Box_Lbl[8]->Back_Colour(), w.Settings.Normal);

        // A Monday start moves the 1st to the last column of the first row.
        w.Settings.Start_Day = 2;
        w.Refresh_Calendar();
        QVERIFY(w.Box_Lbl[0]->isHidden());
        QCOMPARE(w.Box_Lbl[6]->text(), QStringLiteral(" 1 "));
        QCOMPARE(w.Box_Lbl[33]->text(), QStringLiteral(" 28 "));
        QVERIFY(w.Box_Lbl[34]->isHidden());
        QCOMPARE(w.Box_Lbl[15]->Back_Colour(), w.Settings.Today);

        // Another month shows no today mark.
        w.ViewMonth = 3;
        w.Refresh_Calendar();
        for (const ColourLabel* box : w.Box_Lbl)
            QVERIFY(box->Back_Colour() != w.Settings.Today ||
                    w.Settings.Today == w.Settings.Normal);
    }

    void Headers_Name_The_Columns() {
        {
            CalendarWorld world;
            world.Set("Style", 2);
            world.Set("Start Day", 2);
            Main_Frm& w = world.Start();
            QStringList headers;
            for (const ColourLabel* header : w.Day_Lbl)
                headers << header->text();
            QCOMPARE(headers, QStringList({"M", "T", "W", "T", "F", "S", "S"}));
        }
        {
            // A pack's style in force keeps the names whole even when "Style" is 2.
            CalendarWorld world;
            world.Set("Style", 2);
            world.Set("Start Day", 1);
            Main_Frm& w = world.Start();
            w.Settings.Use_Themes = 1;
            w.Settings.Use_Theme_Style = 1;
            w.Set_Day_Headers();
            QCOMPARE(w.Day_Lbl[0]->text(), QStringLiteral("Sun"));
            QCOMPARE(w.Day_Lbl[6]->text(), QStringLiteral("Sat"));
        }
    }

    void Captions_Are_Fitted_To_Their_Boxes() {
        const QString long_text =
            QStringLiteral("Quarterly planning meeting with the whole design team && guests in "
                           "the large room upstairs, bring the printed reports");
        {
            CalendarWorld world;
            world.Set("Style", 1);
            world.Set("Start Day", 1);
            world.Write_Events({"3/2/2026=Lunch", "4/2/2026=" + long_text});
            Main_Frm& w = world.Start();
            // Boxes 2 and 3 hold the 3rd and 4th.
            QCOMPARE(Lines_Of(w.Box_Caption_Lbl[2]), QStringList({"Lunch", "", ""}));
            const QStringList lines = Lines_Of(w.Box_Caption_Lbl[3]);
            QCOMPARE(lines.size(), 3);
            QVERIFY(lines[2].endsWith(QStringLiteral("...")));
            QVERIFY(long_text.startsWith(lines[0] + lines[1]));
            for (const QString& line : lines)
                QVERIFY2(Shown_Width(w, line) <= w.Box_Caption_Lbl[3]->width(), qPrintable(line));
            // The tooltip holds the whole text with one "&".
            QCOMPARE(w.Box_Lbl[3]->toolTip(), Unescape(long_text));
            QCOMPARE(w.Box_Caption_Lbl[3]->toolTip(), w.Box_Lbl[3]->toolTip());
        }
        for (const int style : {0, 2}) {
            CalendarWorld world;
            world.Set("Style", style);
            world.Set("Start Day", 1);
            world.Write_Events({"3/2/2026=Lunch", "4/2/2026=" + long_text});
            Main_Frm& w = world.Start();
            QCOMPARE(w.Box_Caption_Lbl[2]->text(), QStringLiteral("Lunch"));
            const QString cut = w.Box_Caption_Lbl[3]->text();
            QVERIFY2(cut.endsWith(QStringLiteral("...")) && !cut.contains(QLatin1Char('\n')),
                     qPrintable(cut));
            QVERIFY(long_text.startsWith(cut.chopped(3)));
            QVERIFY(Shown_Width(w, cut.chopped(3)) < w.Box_Caption_Lbl[3]->width());
            // Style 2 underlines the numbers of event days instead.
            QCOMPARE(w.Box_Lbl[3]->font().underline(), style == 2);
            QVERIFY(!w.Box_Lbl[4]->font().underline());
        }
    }

    void One_Alert_For_Todays_Events() {
        CalendarWorld world;
        world.Write_Events({"10/2/2025=Last year", "10/2/2026=Dentist && lunch",
                            "10/2/9999=Every year", "10/2/2026=Third"});
        world.Start();
        QCOMPARE(world.boxes.shown.size(), 1);
        const MsgBoxRequest& alert = world.boxes.shown.first();
        QCOMPARE(alert.text, QStringLiteral("Today: 2/10/2026\r\n\r\nDentist & lunch"));
        QCOMPARE(alert.caption, QStringLiteral("Almanor"));
        QCOMPARE(alert.icon, MsgIcon::Information);
        QCOMPARE(alert.buttons, MsgButtons::Ok);
        // The last record for the day is the one in the box; the window is usable again.
        QCOMPARE(
            world.window->Box_Caption_Lbl[world.window->Start_Box(2, 2026) + 9]->text().section(
                QStringLiteral("\r\n"), 0, 0),
            QStringLiteral("Third"));
        QVERIFY(world.window->isEnabled());

        // Rebuilding the month the same day raises no second alert.
        world.window->Refresh_Calendar();
        QCOMPARE(world.boxes.shown.size(), 1);
    }

    void No_Alert_When_Alerts_Are_Off() {
        CalendarWorld world;
        world.Set("Show Alerts", 0);
        world.Write_Events({"10/2/2026=Dentist"});
        world.Start();
        QVERIFY(world.boxes.shown.isEmpty());
    }

    void Records_Before_A_Malformed_One_Stay_Shown() {
        CalendarWorld world;
        world.Set("Start Day", 1);
        world.Write_Events(
            {"3/2/2026=Before", "5/2/2026=Also before", "x/2/2026=Broken", "7/2/2026=After"});
        Main_Frm& w = world.Start();
        QCOMPARE(Lines_Of(w.Box_Caption_Lbl[2]).first(), QStringLiteral("Before"));
        QCOMPARE(Lines_Of(w.Box_Caption_Lbl[4]).join(QString()), QStringLiteral("Also before"));
        QCOMPARE(w.Box_Lbl[4]->toolTip(), QStringLiteral("Also before"));
        QCOMPARE(w.Box_Caption_Lbl[6]->text(), QString());
        QCOMPARE(w.Box_Lbl[6]->toolTip(), QString());
        QCOMPARE(world.boxes.shown.size(), 1);
        QCOMPARE(world.boxes.shown.first().text, QStringLiteral("Error loading in data file."));
        QCOMPARE(world.boxes.shown.first().caption, QStringLiteral("ERROR"));
        QCOMPARE(world.boxes.shown.first().icon, MsgIcon::Critical);
    }

    void A_Day_No_Box_Can_Hold_Is_Malformed() {
        CalendarWorld world;
        world.Set("Start Day", 1);
        world.Write_Events({"3/2/2026=Fine", "40/2/2026=Too far", "0/2/9999=Day zero"});
        Main_Frm& w = world.Start();
        QCOMPARE(Lines_Of(w.Box_Caption_Lbl[2]).first(), QStringLiteral("Fine"));
        QCOMPARE(world.boxes.shown.size(), 1);
        QCOMPARE(world.boxes.shown.first().caption, QStringLiteral("ERROR"));
    }

    // Damaged records in every place never crash the month view: the first record stays shown
    // and at most one error is reported per rebuild.
    void Mutated_Files_Never_Crash_The_Month() {
        CalendarWorld world;
        world.Set("Start Day", 1);
        world.Set("Show Alerts", 0);
        Main_Frm& w = world.Start();
        QRandomGenerator random(20260210);
        static const char alphabet[] = "0123456789/=-+ .,&\"x\xC3\xA9";
        for (int round = 0; round < 300; ++round) {
            QStringList records{QStringLiteral("3/2/2026=First")};
            for (int n = 0; n < 6; ++n) {
                QString record = QStringLiteral("%1/%2/%3=Event %4")
                                     .arg(1 + random.bounded(28))
                                     .arg(random.bounded(2) ? 2 : 1 + random.bounded(12))
                                     .arg(random.bounded(2) ? 9999 : 2026)
                                     .arg(n);
                for (int m = random.bounded(3); m > 0; --m) {
                    const int at = random.bounded(int(record.size()));
                    const QChar c =
                        QChar::fromLatin1(alphabet[random.bounded(int(sizeof(alphabet) - 1))]);
                    switch (random.bounded(3)) {
                    case 0:
                        record[at] = c;
                        break;
                    case 1:
                        record.insert(at, QString(random.bounded(8), c));
                        break;
                    default:
                        record.remove(at, 1 + random.bounded(6));
                        break;
                    }
                }
                records << record;
            }
            world.Write_Events(records);
            world.boxes.shown.clear();
            w.Refresh_Calendar();
            QVERIFY2(!w.Box_Caption_Lbl[2]->text().isEmpty(), qPrintable(records.join('|')));
            QVERIFY(world.boxes.shown.size() <= 1);
            for (const MsgBoxRequest& box : world.boxes.shown)
                QCOMPARE(box.text, QStringLiteral("Error loading in data file."));
        }
    }

    void Window_Shape_Holds_Only_Visible_Labels_data() {
        QTest::addColumn<int>("style");
        QTest::newRow("style 0") << 0;
        QTest::newRow("style 1") << 1;
        QTest::newRow("style 2") << 2;
    }
    void Window_Shape_Holds_Only_Visible_Labels() {
        QFETCH(int, style);
        CalendarWorld world;
        world.Set("Style", style);
        world.Set("Start Day", 2);
        Main_Frm& w = world.Start();
        const QRegion shape = w.mask();
        QVERIFY(!shape.isEmpty());

        // Every visible label is in it, every hidden box is not.
        for (const QWidget* label :
             {static_cast<QWidget*>(w.Which_Month_Lbl), static_cast<QWidget*>(w.Prev_Month_Lbl),
              static_cast<QWidget*>(w.Next_Month_Lbl)})
            QVERIFY(shape.contains(Centre(label)));
        for (const ColourLabel* header : w.Day_Lbl)
            QVERIFY(shape.contains(Centre(header)));
        for (const ColourLabel* box : w.Box_Lbl) {
            QCOMPARE(shape.contains(Centre(box)), !box->isHidden());
            if (!box->isHidden())
                QVERIFY(shape.contains(box->geometry()));
        }
        // February 2026 from Monday: box 0 lies before the 1st, rows 4 and 5 past the 28th.
        QVERIFY(!shape.contains(Centre(w.Box_Lbl[0])));

        // Gaps between boxes and the frame around the grid are holes.
        const QRect a = w.Box_Lbl[8]->geometry();
        const QRect b = w.Box_Lbl[9]->geometry();
        QVERIFY(b.left() - a.right() > 1);
        QVERIFY(!shape.contains(QPoint((a.right() + b.left()) / 2, a.center().y())));
        const QRect below = w.Box_Lbl[15]->geometry();
        QVERIFY(!shape.contains(QPoint(a.center().x(), (a.bottom() + below.top()) / 2)));
        QVERIFY(!shape.contains(QPoint(1, 1)));
        QVERIFY(!shape.contains(QPoint(w.width() - 2, w.height() - 2)));
        QVERIFY(shape.boundingRect().intersected(w.rect()) == shape.boundingRect());
    }

    // Showing the desktop must not take the calendar away: a window manager that minimises it
    // gets it back at once, and the desktop's icon window, raised over it, makes it rise again.
    void Calendar_Stays_On_The_Desktop() {
        CalendarWorld world;
        Main_Frm& w = world.Start();
        w.show();
        w.showMinimized();
        QTRY_VERIFY(!w.isMinimized());
        QVERIFY(w.isVisible());

        const QRect screen(0, 0, 1280, 1024);
        const QRect calendar(800, 600, 400, 300);
        const StackedWindow icons{1, true, screen};
        const StackedWindow own{2, true, calendar};
        const StackedWindow widget{3, true, QRect(700, 500, 100, 100)};
        const StackedWindow editor{4, false, screen};
        QVERIFY(!Covered_By_Desktop_Window({icons, own, widget, editor}, 2));
        QVERIFY(Covered_By_Desktop_Window({own, widget, icons, editor}, 2));
        QVERIFY(!Covered_By_Desktop_Window({icons, editor}, 2));
        const StackedWindow twin{5, true, calendar};
        QVERIFY(!Covered_By_Desktop_Window({own, twin}, 2));
    }

    void Style_Change_Brings_Captions_Back() {
        CalendarWorld world;
        world.Set("Style", 2);
        world.Set("Start Day", 1);
        world.Write_Events({"3/2/2026=Lunch"});
        Main_Frm& w = world.Start();
        QVERIFY(!w.rect().intersects(w.Box_Caption_Lbl[2]->geometry()));
        w.Settings.Style = 0;
        w.Which_Style(0);
        QVERIFY(w.Box_Lbl[2]->geometry().contains(w.Box_Caption_Lbl[2]->geometry()));
        QCOMPARE(w.Box_Caption_Lbl[2]->text(), QStringLiteral("Lunch"));
        QCOMPARE(w.width(), Px(w, 9705));
    }

  private:
    static QString Unescape(QString text) { return text.replace(QStringLiteral("&&"), "&"); }
};

ALMANOR_TEST(CalendarWindowTest)
#include "test_calendar_window.moc"
