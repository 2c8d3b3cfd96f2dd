#include "calendar/MsgBox.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "events/EventStats.h"
#include "events/EventStore.h"
#include "events/Overview.h"

#include <QTest>

namespace {

const QDate kToday(2026, 6, 15);

QStringList Lines_Of(const QStringList& records, SortOrder order) {
    Overview overview = Overview_Of_Records(records, kToday);
    Sort_Overview(overview.entries, order);
    QStringList lines;
    for (const OverviewEntry& entry : overview.entries)
        lines.append(Overview_Line(entry));
    return lines;
}

QList<qsizetype> Record_Order(const QStringList& records, SortOrder order) {
    Overview overview = Overview_Of_Records(records, kToday);
    Sort_Overview(overview.entries, order);
    QList<qsizetype> indexes;
    for (const OverviewEntry& entry : overview.entries)
        indexes.append(entry.record);
    return indexes;
}

// The entry of the overview of the file at path that came from the record with this text.
OverviewEntry Entry_Of(const Overview& overview, const QString& record) {
    const qsizetype at = overview.records.indexOf(record);
    for (const OverviewEntry& entry : overview.entries)
        if (entry.record == at)
            return entry;
    return {};
}

} // namespace

class OverviewOrderTest : public QObject {
    Q_OBJECT
  private slots:
    // Day numbers of 1927 and 2173 differ in length; the order must stay by date on both sides.
    void dates_far_apart_sort_by_date() {
        const QStringList records{"1/1/2200=Far future", "17/5/1927=Before the edge",
                                  "1/1/1753=First year", "14/10/2173=After the edge",
                                  "9/9/9998=Last year",  "18/5/1927=On the edge",
                                  "1/1/2000=Millennium"};
        const QList<qsizetype> ascending{2, 1, 5, 6, 3, 0, 4};
        QCOMPARE(Record_Order(records, SortOrder::Ascending_Date), ascending);
        QList<qsizetype> descending = ascending;
        std::reverse(descending.begin(), descending.end());
        QCOMPARE(Record_Order(records, SortOrder::Descending_Date), descending);
    }

    void every_year_events_sit_at_their_day_this_year() {
        const QStringList records{"1/3/2026=March", "25/12/2025=Christmas eve party",
                                  "14/2/9999=Valentine", "14/2/2026=Dated valentine"};
        const QStringList ascending{"12/25/2025  -  Christmas eve party",
                                    "2/14/2026 (every year)  -  Valentine",
                                    "2/14/2026  -  Dated valentine", "3/1/2026  -  March"};
        QCOMPARE(Lines_Of(records, SortOrder::Ascending_Date), ascending);
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        QCOMPARE(Lines_Of(records, SortOrder::Descending_Date), descending);
        // Every-year 29 February runs on into 1 March when this year has none.
        const Overview leap = Overview_Of_Records({"29/2/9999=Leap"}, kToday);
        QVERIFY(leap.ok);
        QCOMPARE(leap.entries.at(0).date, QDate(2026, 3, 1));
    }

    void date_added_is_file_order_for_any_count() {
        QStringList records;
        for (int i = 0; i < 25; ++i)
            records.append(Event_Key(QDate(2030, 1, 1).addDays(-i * 40)) + "=n" +
                           QString::number(i));
        const QList<qsizetype> order = Record_Order(records, SortOrder::Date_Added);
        for (qsizetype i = 0; i < order.size(); ++i)
            QCOMPARE(order.at(i), i);
        QCOMPARE(Lines_Of({"5/3/2004=A && B", "5/3/9999=Yearly"}, SortOrder::Date_Added),
                 QStringList({"3/5/2004  -  A & B", "3/5/2026 (every year)  -  Yearly"}));
        QCOMPARE(Key_Order(SortOrder::Descending_Date), SortOrder::Ascending_Date);
    }

    void malformed_record_keeps_what_came_before() {
        const QStringList bad_ones{"no equals sign",   "5/13/2004=month 13", "31/4/2004=no day",
                                   "x/3/2004=letters", "5/3=short key",      "30/2/9999=never"};
        for (const QString& bad : bad_ones) {
            const Overview overview =
                Overview_Of_Records({"1/1/2004=first", bad, "2/2/2004=after"}, kToday);
            QVERIFY2(!overview.ok, qPrintable(bad));
            QCOMPARE(overview.entries.size(), 1);
            QCOMPARE(overview.entries.at(0).text, QStringLiteral("first"));
        }
    }

    void countdown_counts_days_from_today() {
        QCOMPARE(Countdown_Text(kToday.addDays(3), kToday), QStringLiteral("3 days"));
        QCOMPARE(Countdown_Text(kToday, kToday), QStringLiteral("0 days"));
        QCOMPARE(Countdown_Text(kToday.addDays(-1), kToday), QStringLiteral("-1 days"));
    }
};

class EventStatsTest : public QObject {
    Q_OBJECT
  private slots:
    void counts_a_small_calendar() {
        TestEnv env;
        env.Write_File("Almanor/calendar.dat",
                       Format_Event_File({"15/6/2026=Today", "3/2/2025=Last year",
                                          "10/7/2026=Next month", "20/5/9999=Every May"}));
        const StatsPass pass = Read_Stats(env.Data_File(), kToday);
        QVERIFY(pass.ok);
        const StatsLabels labels = Stats_Label_Texts(pass.stats);
        QCOMPARE(labels.total_all, QStringLiteral("Total Events: 3"));
        QCOMPARE(labels.total_year, QStringLiteral("Events This Year: 2"));
        QCOMPARE(labels.before, QStringLiteral("No. Before Today: 1"));
        QCOMPARE(labels.after, QStringLiteral("No. After Today: 1"));
        QCOMPARE(labels.months[4], QStringLiteral("May: 1"));
        QCOMPARE(labels.months[5], QStringLiteral("Jun: 1"));
        QCOMPARE(labels.months[6], QStringLiteral("July: 1"));
        QCOMPARE(labels.months[0], QStringLiteral("Jan: 0"));
        QCOMPARE(labels.months[1], QStringLiteral("Feb: 0"));
    }

    void missing_and_empty_files_count_nothing() {
        TestEnv env;
        for (int round = 0; round < 2; ++round) {
            if (round == 1)
                env.Write_File("Almanor/calendar.dat", "");
            const StatsPass pass = Read_Stats(env.Data_File(), kToday);
            QVERIFY(pass.ok);
            const StatsLabels labels = Stats_Label_Texts(pass.stats);
            QCOMPARE(labels.total_all, QStringLiteral("Total Events: 0"));
            for (const QString& month : labels.months)
                QVERIFY(month.endsWith(QStringLiteral(": 0")));
            QVERIFY(Read_Overview(env.Data_File(), kToday).entries.isEmpty());
            QVERIFY(Read_Overview(env.Data_File(), kToday).ok);
        }
    }

    // More records than a 16-bit counter holds.
    void counts_forty_thousand_records_exactly() {
        QStringList records;
        for (int i = 0; i < 40000; ++i)
            records.append(QStringLiteral("1/1/2027=x"));
        for (int i = 0; i < 40000; ++i)
            records.append(QStringLiteral("1/3/9999=y"));
        const QString text = QString::fromUtf8(Format_Event_File(records));
        const StatsPass pass = Stats_Of_Text(text, kToday);
        QVERIFY(pass.ok);
        QCOMPARE(pass.stats.total, 40000);
        QCOMPARE(pass.stats.after_today, 40000);
        QCOMPARE(pass.stats.this_year, 0);
        QCOMPARE(pass.stats.months[2], 40000);
    }

    void malformed_record_ends_the_pass_with_what_was_counted() {
        const StatsPass pass = Stats_Of_Text(
            u"\"1/1/2026=a\"\r\n\"2/1/2026=b\"\r\n\"5/14/2026=bad\"\r\n\"3/1/2026=c\"\r\n", kToday);
        QVERIFY(!pass.ok);
        QCOMPARE(pass.stats.total, 2);
        QCOMPARE(pass.stats.months[0], 2);
    }
};

class OverviewRemovalTest : public QObject {
    Q_OBJECT
  private slots:
    // A day holding a dated and an every-year record: each line removes its own record only.
    void removes_exactly_the_record_of_the_line() {
        // On 5 March the dated record comes first, on 7 March the every-year one, so neither
        // victim is simply the first record of its day.
        const QStringList records{"1/1/2026=First",      "5/3/2026=Dated",     "5/3/9999=Yearly",
                                  "7/3/9999=Yearly too", "7/3/2026=Dated too", "9/9/2026=Last"};
        for (const QString& victim :
             {QStringLiteral("5/3/9999=Yearly"), QStringLiteral("7/3/2026=Dated too")}) {
            TestEnv env;
            MsgBoxRecorder recorder;
            env.Write_File("Almanor/calendar.dat", Format_Event_File(records));
            const Overview overview = Read_Overview(env.Data_File(), kToday);
            EventStore store(env.Data_File());
            QCOMPARE(Remove_Overview_Record(store, Entry_Of(overview, victim), victim),
                     RemoveResult::Removed);
            QStringList left = records;
            left.removeOne(victim);
            QCOMPARE(TestEnv::Read_File(env.Data_File()), Format_Event_File(left));
            QVERIFY(recorder.shown.isEmpty());
        }
    }

    void changed_file_is_checked_before_removal() {
        TestEnv env;
        MsgBoxRecorder recorder;
        env.Write_File("Almanor/calendar.dat",
                       Format_Event_File({"1/1/2026=A", "2/1/2026=B", "3/1/2026=C"}));
        const Overview overview = Read_Overview(env.Data_File(), kToday);
        const OverviewEntry c = Entry_Of(overview, "3/1/2026=C");
        const OverviewEntry b = Entry_Of(overview, "2/1/2026=B");
        // Meanwhile the first record went and B was changed: C moved up, B is gone.
        const QByteArray changed = Format_Event_File({"2/1/2026=B changed", "3/1/2026=C"});
        env.Write_File("Almanor/calendar.dat", changed);
        EventStore store(env.Data_File());
        QCOMPARE(Remove_Overview_Record(store, b, "2/1/2026=B"), RemoveResult::Gone);
        QCOMPARE(TestEnv::Read_File(env.Data_File()), changed);
        QCOMPARE(Remove_Overview_Record(store, c, "3/1/2026=C"), RemoveResult::Removed);
        QCOMPARE(TestEnv::Read_File(env.Data_File()), Format_Event_File({"2/1/2026=B changed"}));
        // A file deleted meanwhile is not written back from the store's old list.
        QFile::remove(env.Data_File());
        QCOMPARE(Remove_Overview_Record(store, c, "2/1/2026=B changed"), RemoveResult::Gone);
        QVERIFY(!QFile::exists(env.Data_File()));
        QVERIFY(recorder.shown.isEmpty());
    }
};

ALMANOR_TEST(OverviewOrderTest)
ALMANOR_TEST(EventStatsTest)
ALMANOR_TEST(OverviewRemovalTest)
#include "test_overview.moc"
