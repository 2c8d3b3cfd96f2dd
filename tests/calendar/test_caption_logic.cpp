// Fitting event texts into caption labels, and reading records for the month view.
#include "calendar/AppSettings.h"
#include "common/TestMain.h"
#include "events/CaptionFit.h"
#include "events/MonthEvents.h"

#include <QTest>

namespace {
// Every character 100 twips wide: a label of 735 twips holds seven.
qint32 Fixed_Width(const QString& text) {
    return qint32(text.size()) * 100;
}

QStringList Lines(const QString& caption) {
    return caption.split(QStringLiteral("\r\n"));
}
} // namespace

class CaptionLogicTest : public QObject {
    Q_OBJECT
  private slots:
    void One_Line_Styles_Cut_With_Ellipsis() {
        QCOMPARE(DotDotDot("Lunch", 870, 0, Fixed_Width), QStringLiteral("Lunch"));
        // Eight characters are narrower than 870: their last three become "...".
        QCOMPARE(DotDotDot("Birthday party", 870, 0, Fixed_Width), QStringLiteral("Birth..."));
        QCOMPARE(DotDotDot("Birthday party", 870, 2, Fixed_Width), QStringLiteral("Birth..."));
        // Exactly as wide as the label is too wide.
        QCOMPARE(DotDotDot("12345678", 800, 0, Fixed_Width), QStringLiteral("1234..."));
        // A label too narrow for more than the ellipsis: nothing of the text is left.
        QCOMPARE(DotDotDot("Long text", 150, 0, Fixed_Width), QStringLiteral("..."));
        QCOMPARE(DotDotDot("Long text", 0, 0, Fixed_Width), QStringLiteral("..."));
    }

    void Style_One_Gives_Three_Lines() {
        QCOMPARE(Lines(DotDotDot("Lunch", 735, 1, Fixed_Width)), QStringList({"Lunch", "", ""}));
        // The last word is measured as well: "with Ann" is too wide for one line.
        QCOMPARE(Lines(DotDotDot("Dinner with Ann", 735, 1, Fixed_Width)),
                 QStringList({"Dinner ", "with ", "Ann"}));
        QCOMPARE(Lines(DotDotDot("Dinner with Ann and Bob tonight", 735, 1, Fixed_Width)),
                 QStringList({"Dinner ", "with ", "A..."}));
        // A first word wider than the label is cut, and the rest goes on right after the cut.
        QCOMPARE(Lines(DotDotDot("Supercalifragilistic is long", 735, 1, Fixed_Width)),
                 QStringList({"Superca", "lifragi", "list..."}));
        // With no space to break at, the word is cut over the lines.
        QCOMPARE(Lines(DotDotDot("Supercalifragilistic", 735, 1, Fixed_Width)),
                 QStringList({"Superca", "lifragi", "listic"}));
        QCOMPARE(Lines(DotDotDot("Supercalifragilisticexpialidocious", 735, 1, Fixed_Width)),
                 QStringList({"Superca", "lifragi", "list..."}));
        // A tiny label never loops: the lines come out empty.
        QCOMPARE(Lines(DotDotDot("a b c d e f", 50, 1, Fixed_Width)), QStringList({"", "", "..."}));
    }

    void Get_Line_Builds_Lines_Word_By_Word() {
        QCOMPARE(Get_Line("one two three four", 900, Fixed_Width), QStringLiteral("one two "));
        QCOMPARE(Get_Line("one two", 900, Fixed_Width), QStringLiteral("one two"));
        QCOMPARE(Get_Line("one two three", 900, Fixed_Width), QStringLiteral("one two "));
        QCOMPARE(Get_Line("enormousword rest", 500, Fixed_Width), QStringLiteral("enor"));
        QCOMPARE(Get_Line("", 500, Fixed_Width), QString());
    }

    void Fitting_Style_Follows_The_Pack_Switches() {
        AppSettings settings;
        settings.Style = 2;
        settings.PackBoxStyle = 0;
        QCOMPARE(DDD_Style(settings), qint16(2));
        settings.Use_Themes = 1;
        QCOMPARE(DDD_Style(settings), qint16(2));
        settings.Use_Theme_Style = 1;
        QCOMPARE(DDD_Style(settings), qint16(0));
        settings.Use_Theme_Style = 5;
        QCOMPARE(DDD_Style(settings), qint16(0));
    }

    void Records_Split_Into_Day_Month_Year_And_Text() {
        EventDay day;
        QVERIFY(Parse_Event_Record("5/3/2004=Tom && Jerry", &day));
        QCOMPARE(day.day, qint16(5));
        QCOMPARE(day.month, qint16(3));
        QCOMPARE(day.year, qint16(2004));
        QCOMPARE(day.text, QStringLiteral("Tom && Jerry"));
        QVERIFY(Parse_Event_Record("25/12/9999=a=b", &day));
        QCOMPARE(day.text, QStringLiteral("a=b"));
        QVERIFY(Parse_Event_Record("1/1/2026=", &day));
        QCOMPARE(day.text, QString());
    }

    void Malformed_Records_Are_Refused_data() {
        QTest::addColumn<QString>("record");
        QTest::newRow("no =") << "5/3/2004";
        QTest::newRow("one slash") << "5/3=x";
        QTest::newRow("no slash") << "532004=x";
        QTest::newRow("letters") << "a/3/2004=x";
        QTest::newRow("empty day") << "/3/2004=x";
        QTest::newRow("year too big") << "5/3/40000=x";
        QTest::newRow("day too big") << "99999/3/2004=x";
        QTest::newRow("three slashes") << "5/3/20/04=x";
        QTest::newRow("empty") << "";
    }
    void Malformed_Records_Are_Refused() {
        QFETCH(QString, record);
        EventDay day;
        QVERIFY(!Parse_Event_Record(record, &day));
    }

    void Month_And_Today_Matching() {
        EventDay every_year{25, 12, Every_Year, "Christmas"};
        EventDay dated{5, 3, 2004, "x"};
        QVERIFY(Shown_In_Month(every_year, 12, 1990));
        QVERIFY(Shown_In_Month(every_year, 12, 2030));
        QVERIFY(!Shown_In_Month(every_year, 11, 2030));
        QVERIFY(Shown_In_Month(dated, 3, 2004));
        QVERIFY(!Shown_In_Month(dated, 3, 2005));
        QVERIFY(Falls_Today(every_year, QDate(2031, 12, 25)));
        QVERIFY(Falls_Today(dated, QDate(2004, 3, 5)));
        QVERIFY(!Falls_Today(dated, QDate(2005, 3, 5)));
        QVERIFY(!Falls_Today(dated, QDate(2004, 3, 6)));
        QCOMPARE(Alert_Text("Tom && Jerry", QDate(2026, 2, 10),
                            QLocale(QLocale::English, QLocale::UnitedStates)),
                 QStringLiteral("Today: 2/10/2026\r\n\r\nTom & Jerry"));
    }
};

ALMANOR_TEST(CaptionLogicTest)
#include "test_caption_logic.moc"
