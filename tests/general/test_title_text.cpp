#include "calendar/AppSettings.h"
#include "calendar/DateWatchSchedule.h"
#include "calendar/General_Mod.h"
#include "common/TestMain.h"

#include <QTest>

namespace {

const QLocale en_us(QLocale::English, QLocale::UnitedStates);
// Sunday 6 December 2026, 21:05:07.
const QDateTime sunday(QDate(2026, 12, 6), QTime(21, 5, 7));

QString Title(const AppSettings& settings, int month, int year, bool bar_time,
              const QString& date_format, const QDateTime& now = sunday,
              const QLocale& locale = en_us, const QString& time_format = "H:mm") {
    return Title_Text(settings, qint16(month), qint16(year), bar_time, time_format, date_format,
                      now, locale);
}

} // namespace

class TitleTextTest : public QObject {
    Q_OBJECT

  private slots:
    void Date_Formats_Of_The_Current_Month_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("plain");
        QTest::newRow("system") << "Use System Format"
                                << "Sunday, December 6, 2026";
        QTest::newRow("mm/yyyy") << "mm/yyyy"
                                 << "12/2026";
        QTest::newRow("dd/mm/yyyy") << "dd/mm/yyyy"
                                    << "06/12/2026";
        QTest::newRow("Month") << "Month - yyyy"
                               << "December - 2026";
        QTest::newRow("d Month") << "d Month - yyyy"
                                 << "6th December - 2026";
        QTest::newRow("Weekday") << "Weekday - d month - yyyy"
                                 << "Sunday 6th December - 2026";
        QTest::newRow("wrong case") << "month - yyyy"
                                    << "";
        QTest::newRow("unknown") << "yyyy-mm-dd"
                                 << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void Date_Formats_Of_The_Current_Month() {
        QFETCH(QString, format);
        QFETCH(QString, plain);
        const AppSettings settings;
        QCOMPARE(Title(settings, 12, 2026, false, format), plain);
        QCOMPARE(Title(settings, 12, 2026, true, format), "21:05 - " + plain);
    }

    void Other_Months_Show_Name_And_Year_Only() {
        const AppSettings settings;
        QCOMPARE(Title(settings, 3, 2026, true, "d Month - yyyy"), "March - 2026");
        QCOMPARE(Title(settings, 12, 2025, true, "dd/mm/yyyy"), "December - 2025");
        QCOMPARE(Title(settings, 12, 2026, true, "dd/mm/yyyy"), "21:05 - 06/12/2026");
        // Today the 31st: February runs over into March, which is not today either.
        const QDateTime jan31(QDate(2027, 1, 31), QTime(8, 0));
        QCOMPARE(Title(settings, 2, 2027, true, "d Month - yyyy", jan31), "February - 2027");
        QCOMPARE(Title(settings, 1, 2027, false, "d Month - yyyy", jan31), "31st January - 2027");
        const QDateTime mar31(QDate(2027, 3, 31), QTime(8, 0));
        QCOMPARE(Title(settings, 2, 2027, true, "Month - yyyy", mar31), "February - 2027");
    }

    void Style_2_Shows_No_Time() {
        AppSettings settings;
        settings.Style = 2;
        QCOMPARE(Title(settings, 12, 2026, true, "Weekday - d month - yyyy"), "December - 2026");
        QCOMPARE(Title(settings, 7, 813, true, "Month - yyyy"), "July - 0813");
        settings.Use_Themes = 1; // the pack's style only counts with "Use Theme Style" too
        QCOMPARE(Title(settings, 12, 2026, true, "mm/yyyy"), "December - 2026");
        settings.Use_Theme_Style = 1;
        QCOMPARE(Title(settings, 12, 2026, true, "mm/yyyy"), "21:05 - 12/2026");
        settings.Use_Themes = 0;
        QCOMPARE(Title(settings, 12, 2026, true, "mm/yyyy"), "December - 2026");
    }

    void Names_And_Separators_Follow_The_Locale() {
        const AppSettings settings;
        const QLocale german(QLocale::German, QLocale::Germany);
        QCOMPARE(Title(settings, 12, 2026, false, "dd/mm/yyyy", sunday, german), "06.12.2026");
        QCOMPARE(Title(settings, 12, 2026, false, "mm/yyyy", sunday, german), "12.2026");
        QCOMPARE(Title(settings, 12, 2026, false, "Weekday - d month - yyyy", sunday, german),
                 "Sonntag 6. Dezember - 2026");
        // English suffixes are for English only: elsewhere the day is written as the language
        // writes it.
        const QLocale french(QLocale::French, QLocale::France);
        QCOMPARE(Title(settings, 12, 2026, false, "d Month - yyyy", sunday, french),
                 QString::fromUtf8("6 décembre - 2026"));
        QCOMPARE(Title(settings, 12, 2026, false, "d Month - yyyy", sunday, german),
                 "6. Dezember - 2026");
        QCOMPARE(Title(settings, 12, 2026, false, "d Month - yyyy", sunday, QLocale::c()),
                 "6th December - 2026");
        QCOMPARE(Title(settings, 11, 2026, false, "Month - yyyy", sunday, german),
                 "November - 2026");
        QCOMPARE(Title(settings, 12, 2026, false, "Use System Format", sunday, german),
                 "Sonntag, 6. Dezember 2026");
    }

    void Time_Formats() {
        const QTime evening(21, 5, 7);
        const QTime morning(9, 5, 7);
        QCOMPARE(Format_Time(morning, "H:mm", en_us), "9:05");
        QCOMPARE(Format_Time(morning, "HH:mm", en_us), "09:05");
        QCOMPARE(Format_Time(evening, "H:mm:ss", en_us), "21:05:07");
        QCOMPARE(Format_Time(evening, "HH:mm:ss", en_us), "21:05:07");
        QCOMPARE(Format_Time(evening, "h:mm AM/PM", en_us), "9:05 PM");
        QCOMPARE(Format_Time(morning, "h:mm:ss AM/PM", en_us), "9:05:07 AM");
        QCOMPARE(Format_Time(evening, "HH:mm am/pm", en_us), "09:05 pm");
        QCOMPARE(Format_Time(evening, "h:mm AM/PM", QLocale(QLocale::German)), "9:05 PM");
        QCOMPARE(Format_Time(evening, "'AM/PM' H", en_us), "AM/PM 21");
        const AppSettings settings;
        QCOMPARE(Title(settings, 12, 2026, true, "Month - yyyy", sunday, en_us, "h:mm AM/PM"),
                 "9:05 PM - December - 2026");
    }

    void Date_Serial_Runs_Over() {
        QCOMPARE(Date_Serial(2027, 2, 31), QDate(2027, 3, 3));
        QCOMPARE(Date_Serial(2028, 2, 30), QDate(2028, 3, 1));
        QCOMPARE(Date_Serial(2026, 13, 1), QDate(2027, 1, 1));
        QCOMPARE(Date_Serial(2026, 0, 1), QDate(2025, 12, 1));
        QCOMPARE(Date_Serial(2026, -11, 1), QDate(2025, 1, 1));
        QCOMPARE(Date_Serial(2026, 1, 0), QDate(2025, 12, 31));
    }

    void Ordinal_Suffixes() {
        const QList<QPair<int, QString>> cases = {
            {1, "st"},  {2, "nd"},  {3, "rd"},  {4, "th"},  {10, "th"}, {11, "th"}, {12, "th"},
            {13, "th"}, {21, "st"}, {22, "nd"}, {23, "rd"}, {31, "st"}, {0, "th"},  {101, "st"}};
        for (const auto& [n, suffix] : cases)
            QCOMPARE(Ordinal_Suffix(qint16(n)), suffix);
    }

    // The date watch sleeps until the title's clock can change: the title never changes before
    // the wake-up, and does change at it when it shows a clock. Without a clock it only changes
    // with the date, which the midnight wake-up takes care of.
    void Title_Wakes_At_Its_Next_Change() {
        const QStringList formats{"H:mm", "HH:mm:ss", "h:mm AM/PM", "'s'H:mm", "h:mm:ss ap"};
        const QList<QTime> times{QTime(9, 0), QTime(9, 0, 59, 999), QTime(11, 59, 30, 1),
                                 QTime(23, 58, 0, 500)};
        for (const bool bar_time : {true, false}) {
            for (const int style : {1, 2}) {
                for (const QString& format : formats) {
                    for (const QTime& time : times) {
                        for (const int month : {12, 11}) {
                            AppSettings settings;
                            settings.Style = qint16(style);
                            const QDateTime now(QDate(2026, 12, 6), time);
                            const auto title = [&](const QDateTime& at) {
                                return Title(settings, month, 2026, bar_time, "d Month - yyyy", at,
                                             en_us, format);
                            };
                            settings.Bar_Time = bar_time;
                            settings.Bar_Time_Format = format;
                            const qint64 wake =
                                Title_Clock_Wake_Ms(settings, qint16(month), 2026, now);
                            const QString context = QStringLiteral("%1 %2 %3 %4 %5")
                                                        .arg(bar_time)
                                                        .arg(style)
                                                        .arg(format, time.toString("HH:mm:ss.zzz"))
                                                        .arg(month);
                            if (wake < 0) {
                                const QDateTime late(now.date(), QTime(23, 59, 59, 999));
                                QVERIFY2(title(late) == title(now), qPrintable(context));
                                continue;
                            }
                            QVERIFY2(wake > 0 && wake <= 60'000, qPrintable(context));
                            QVERIFY2(title(now.addMSecs(wake - 1)) == title(now),
                                     qPrintable(context));
                            QVERIFY2(title(now.addMSecs(wake)) != title(now), qPrintable(context));
                        }
                    }
                }
            }
        }
    }
};

ALMANOR_TEST(TitleTextTest)
#include "test_title_text.moc"
