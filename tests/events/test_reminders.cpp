#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "events/Reminders.h"

#include <QFile>
#include <QTest>

namespace {
const QLocale En(QLocale::English, QLocale::UnitedStates);

QStringList Summaries(const QList<ReminderDay>& days) {
    QStringList out;
    for (const ReminderDay& day : days)
        out << day.summary + QStringLiteral(": ") + day.body;
    return out;
}
} // namespace

class ReminderTest : public QObject {
    Q_OBJECT

  private slots:
    void days_ahead() {
        const QStringList records = {
            QStringLiteral("7/12/2026=Dentist && gym"), QStringLiteral("8/12/2026=Tax"),
            QStringLiteral("10/12/9999=Birthday"),      QStringLiteral("14/12/2026=Party"),
            QStringLiteral("15/12/2026=Too far"),       QStringLiteral("9/12/2025=Last year"),
        };
        const QDate today(2026, 12, 7);
        QCOMPARE(Summaries(Reminder_Days(records, today, 0, En)),
                 QStringList{QStringLiteral("Today: Dentist & gym")});
        QCOMPARE(
            Summaries(Reminder_Days(records, today, 1, En)),
            (QStringList{QStringLiteral("Today: Dentist & gym"), QStringLiteral("Tomorrow: Tax")}));
        QCOMPARE(
            Summaries(Reminder_Days(records, today, 7, En)),
            (QStringList{QStringLiteral("Today: Dentist & gym"), QStringLiteral("Tomorrow: Tax"),
                         QStringLiteral("Thursday 12/10/2026: Birthday"),
                         QStringLiteral("Monday 12/14/2026: Party")}));
        // Other sources' lines follow a day's note, and make a day of their own.
        const auto remote = [](const QDate& day) {
            return day.day() == 9 ? QStringList{QStringLiteral("09:00 Call (Work)")}
                                  : QStringList();
        };
        QCOMPARE(Summaries(Reminder_Days(records, today, 2, En, remote)).mid(1),
                 (QStringList{QStringLiteral("Tomorrow: Tax"),
                              QStringLiteral("Wednesday 12/9/2026: 09:00 Call (Work)")}));
        // Out-of-range day counts stay within 0 to 30 days.
        QCOMPARE(Reminder_Days(records, today, -3, En).size(), 1);
        QCOMPARE(Reminder_Days({QStringLiteral("6/1/2027=x")}, today, 99, En).size(), 1);
        QCOMPARE(Reminder_Days({QStringLiteral("7/1/2027=x")}, today, 99, En).size(), 0);
        // The alert box tells the days after today only: today's note has its own alert.
        QCOMPARE(Reminder_Alert_Text(Reminder_Days(records, today, 1, En), today),
                 QStringLiteral("Tomorrow: Tax"));
        QVERIFY(Reminder_Alert_Text(Reminder_Days(records, today, 0, En), today).isEmpty());
    }

    void every_year_leap_day() {
        const QStringList records = {QStringLiteral("29/2/9999=Leap birthday"),
                                     QStringLiteral("1/3/9999=Spring")};
        // Without a 29th the note is told on the 28th, beside that day's own note.
        const QList<ReminderDay> plain = Reminder_Days(
            records + QStringList{QStringLiteral("28/2/2027=Exam")}, QDate(2027, 2, 27), 2, En);
        QCOMPARE(Summaries(plain), (QStringList{QStringLiteral("Tomorrow: Exam\nLeap birthday"),
                                                QStringLiteral("Monday 3/1/2027: Spring")}));
        // In a leap year it keeps its own day, and the 28th stays empty.
        const QList<ReminderDay> leap = Reminder_Days(records, QDate(2028, 2, 28), 1, En);
        QCOMPARE(Summaries(leap), QStringList{QStringLiteral("Tomorrow: Leap birthday")});
        QCOMPARE(leap.first().day, QDate(2028, 2, 29));
    }

    void next_reminder() {
        const QTime nine(9, 0);
        const QDate today(2026, 12, 7);
        const auto at = [&](int h, int m) { return QDateTime(today, QTime(h, m)); };
        // Before the time: wait for it. After it, not yet shown (a late start, a resume): due.
        QCOMPARE(Next_Reminder_Ms(at(8, 0), nine, QDate()), 3'600'000);
        QCOMPARE(Next_Reminder_Ms(at(9, 0), nine, today.addDays(-1)), 0);
        QCOMPARE(Next_Reminder_Ms(at(23, 0), nine, today.addDays(-5)), 0);
        // Shown today: tomorrow's time, also when the clock was set back before today's time.
        QCOMPARE(Next_Reminder_Ms(at(9, 30), nine, today), 23 * 3'600'000 + 30 * 60'000);
        QCOMPARE(Next_Reminder_Ms(at(8, 0), nine, today), 25 * 3'600'000);
        // A clock set back a whole day waits for the day after the one shown.
        QCOMPARE(Next_Reminder_Ms(at(10, 0), nine, today.addDays(1)), 23 * 3'600'000);
        QCOMPARE(Remind_Time_Of(QStringLiteral("18:45")), QTime(18, 45));
        QCOMPARE(Remind_Time_Of(QStringLiteral("7:05")), QTime(7, 5));
        QCOMPARE(Remind_Time_Of(QStringLiteral("25:00")), nine);
        QCOMPARE(Remind_Time_Of(QStringLiteral("soon")), nine);
    }

    void state_file() {
        TestEnv env;
        const QString path = Reminder_State_Path();
        QCOMPARE(path, env.State_Home() + QStringLiteral("/Almanor/reminders"));
        QVERIFY(!Read_Reminded_Day(path).isValid());
        QVERIFY(Write_Reminded_Day(path, QDate(2026, 12, 7)));
        QCOMPARE(Read_Reminded_Day(path), QDate(2026, 12, 7));
        env.Write_File(QStringLiteral("state/Almanor/reminders"), "garbage");
        QVERIFY(!Read_Reminded_Day(path).isValid());
        qputenv("XDG_STATE_HOME", "relative/dir");
        QCOMPARE(Reminder_State_Path(), QDir::homePath() + "/.local/state/Almanor/reminders");
    }
};

ALMANOR_TEST(ReminderTest)
#include "test_reminders.moc"
