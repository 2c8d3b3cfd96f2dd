#include "IcalTestSupport.h"

#include "common/TestMain.h"

#include <QTest>

namespace {

// A zone the file describes itself, five hours behind UTC all year.
const QByteArray kFixedZone("BEGIN:VTIMEZONE\n"
                            "TZID:Fixed Five\n"
                            "BEGIN:STANDARD\n"
                            "DTSTART:19700101T000000\n"
                            "TZOFFSETFROM:-0500\n"
                            "TZOFFSETTO:-0500\n"
                            "END:STANDARD\n"
                            "END:VTIMEZONE\n");

} // namespace

class ICalReadTest : public QObject {
    Q_OBJECT

  private slots:
    void each_start_lands_on_its_local_day() {
        const QStringList got = Read_Listing(
            kFixedZone +
            Event_Of("DTSTART;VALUE=DATE:20260310\nDTEND;VALUE=DATE:20260311\nSUMMARY:Holiday\n") +
            // 22:00 in New York (summer time since 8 March) is 03:00 the next day in Berlin.
            Event_Of("DTSTART;TZID=America/New_York:20260310T220000\nSUMMARY:Call\n") +
            Event_Of("DTSTART;TZID=Fixed Five:20260310T220000\nSUMMARY:Own zone\n") +
            Event_Of("DTSTART:20260310T233000Z\nSUMMARY:Late\n") +
            // A floating time is the reader's own wall-clock time.
            Event_Of("DTSTART:20260310T093000\nSUMMARY:Dentist\n"));
        QCOMPARE(got, (QStringList{"2026-03-10|Holiday", "2026-03-11|03:00 Call",
                                   "2026-03-11|04:00 Own zone", "2026-03-11|00:30 Late",
                                   "2026-03-10|09:30 Dentist"}));

        ICalImportContext us = Berlin_Context();
        us.zone = QTimeZone("America/New_York");
        us.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        const ICalReadResult result =
            Read_ICal_Events(Calendar_Of(Event_Of("DTSTART:20260310T233000Z\nSUMMARY:Late\n")), us);
        QVERIFY(result.ok);
        // The locale's own short form (a 12-hour clock here), whatever its spacing.
        QCOMPARE(Listing(result.events),
                 QStringList{"2026-03-10|" +
                             us.locale.toString(QTime(19, 30), QLocale::ShortFormat) + " Late"});
        QVERIFY(Listing(result.events).first().contains(QStringLiteral("PM")));
    }

    void yearly_rules_without_end_become_every_year_records() {
        const QStringList got = Read_Listing(
            Event_Of("DTSTART;VALUE=DATE:19800505\nRRULE:FREQ=YEARLY\nSUMMARY:Anna's birthday\n") +
            Event_Of("DTSTART;VALUE=DATE:20000229\nRRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29\n"
                     "SUMMARY:Leap day\n") +
            Event_Of("DTSTART;TZID=Europe/Berlin:20201224T180000\nRRULE:FREQ=YEARLY\n"
                     "SUMMARY:Carols\n"));
        QCOMPARE(got, (QStringList{"*1980-05-05|Anna's birthday", "*2000-02-29|Leap day",
                                   "*2020-12-24|18:00 Carols"}));

        // Not one fixed day every year, or not for ever: the occurrences from a year ago to a
        // year from now.
        QCOMPARE(Read_Listing(Event_Of("DTSTART;VALUE=DATE:20241128\n"
                                       "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=4TH\n"
                                       "SUMMARY:Thanksgiving\n")),
                 (QStringList{"2026-11-26|Thanksgiving", "2027-11-25|Thanksgiving"}));
        QCOMPARE(Read_Listing(Event_Of("DTSTART;VALUE=DATE:20260101\n"
                                       "RRULE:FREQ=YEARLY;COUNT=2\nSUMMARY:Twice\n")),
                 (QStringList{"2026-01-01|Twice", "2027-01-01|Twice"}));
        QCOMPARE(Read_Listing(Event_Of("DTSTART;VALUE=DATE:20220601\n"
                                       "RRULE:FREQ=YEARLY;INTERVAL=2\nSUMMARY:Even\n")),
                 QStringList{"2026-06-01|Even"});
    }

    void other_rules_are_expanded_without_their_exceptions() {
        QCOMPARE(Read_Listing(Event_Of("DTSTART;TZID=Europe/Berlin:20261201T100000\n"
                                       "RRULE:FREQ=WEEKLY;COUNT=4\n"
                                       "EXDATE;TZID=Europe/Berlin:20261208T100000\n"
                                       "SUMMARY:Choir\n")),
                 (QStringList{"2026-12-01|10:00 Choir", "2026-12-15|10:00 Choir",
                              "2026-12-22|10:00 Choir"}));

        // A moved occurrence replaces the one of the series; a cancelled one is left out.
        QCOMPARE(
            Read_Listing(Event_Of("UID:series\nDTSTART;VALUE=DATE:20261201\n"
                                  "RRULE:FREQ=DAILY;COUNT=4\nSUMMARY:Course\n") +
                         Event_Of("UID:series\nRECURRENCE-ID;VALUE=DATE:20261202\n"
                                  "DTSTART;VALUE=DATE:20261210\nSUMMARY:Course (moved)\n") +
                         Event_Of("UID:series\nRECURRENCE-ID;VALUE=DATE:20261203\n"
                                  "DTSTART;VALUE=DATE:20261203\nSTATUS:CANCELLED\n"
                                  "SUMMARY:Course\n")),
            (QStringList{"2026-12-01|Course", "2026-12-04|Course", "2026-12-10|Course (moved)"}));

        // Endless rules stop a year after the import.
        const QStringList daily =
            Read_Listing(Event_Of("DTSTART;VALUE=DATE:20261201\nRRULE:FREQ=DAILY\nSUMMARY:Walk\n"));
        QCOMPARE(daily.size(), QDate(2026, 12, 1).daysTo(QDate(2027, 12, 7)) + 1);
        QCOMPARE(daily.last(), QStringLiteral("2027-12-07|Walk"));
        // A rule no day can meet ends too.
        QCOMPARE(Read_Listing(Event_Of("DTSTART;VALUE=DATE:20260101\n"
                                       "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30\n"
                                       "SUMMARY:Never\n")),
                 QStringList{"2026-01-01|Never"});
    }

    void only_events_that_say_something_are_taken() {
        const QStringList got = Read_Listing(
            Event_Of("DTSTART;VALUE=DATE:20260401\nSTATUS:CANCELLED\nSUMMARY:Called off\n") +
            Event_Of("DTSTART;VALUE=DATE:20260402\nDESCRIPTION:\\n  First line \\nSecond\n") +
            Event_Of("DTSTART;VALUE=DATE:20260403\nSUMMARY:  \n") + Event_Of("SUMMARY:No start\n") +
            Event_Of("DTSTART;VALUE=DATE:20260404\nSUMMARY:With alarm\nBEGIN:VALARM\n"
                     "ACTION:DISPLAY\nTRIGGER:-PT15M\nDESCRIPTION:Ring\nEND:VALARM\n") +
            "BEGIN:VTODO\nUID:t\nDTSTAMP:20261201T000000Z\nDTSTART:20260405T090000\n"
            "SUMMARY:Todo\nEND:VTODO\n"
            "BEGIN:VJOURNAL\nUID:j\nDTSTAMP:20261201T000000Z\nDTSTART;VALUE=DATE:20260406\n"
            "SUMMARY:Journal\nEND:VJOURNAL\n"
            "BEGIN:VFREEBUSY\nUID:f\nDTSTAMP:20261201T000000Z\n"
            "FREEBUSY:20260407T090000Z/PT1H\nEND:VFREEBUSY\n");
        QCOMPARE(got, (QStringList{"2026-04-02|First line\r\nSecond", "2026-04-04|With alarm"}));
    }

    void series_are_expanded_around_the_day_of_the_import() {
        // A weekday meeting since 2009 fills the year before and the year after today.
        const QStringList meeting =
            Read_Listing(Event_Of("DTSTART;TZID=Europe/Berlin:20090105T093000\n"
                                  "RRULE:FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR\nSUMMARY:Stand-up\n"));
        QCOMPARE(meeting.size(), 400);
        QVERIFY(meeting.contains(QStringLiteral("2026-12-07|09:30 Stand-up")));
        QCOMPARE(meeting.last(), QStringLiteral("2027-12-07|09:30 Stand-up"));
        QVERIFY(meeting.first() > QStringLiteral("2025-12-07"));

        // A finite series that starts further ahead than a year is there from its start.
        QCOMPARE(Read_Listing(Event_Of("DTSTART;VALUE=DATE:20290305\nRRULE:FREQ=MONTHLY;COUNT=3\n"
                                       "SUMMARY:Course\n")),
                 (QStringList{"2029-03-05|Course", "2029-04-05|Course", "2029-05-05|Course"}));

        // Past the limit, what lies ahead comes first, and the cut is told.
        const ICalReadResult pill = Read_ICal_Events(
            Calendar_Of(Event_Of("DTSTART;VALUE=DATE:20200101\nRRULE:FREQ=DAILY\nSUMMARY:Pill\n") +
                        Event_Of("DTSTART;VALUE=DATE:20200101\nRRULE:FREQ=WEEKLY\nSUMMARY:Bins\n")),
            Berlin_Context());
        QCOMPARE(pill.events.size(), Max_ICal_Occurrences + 104);
        QCOMPARE(pill.events.first().day, QDate(2026, 11, 3));
        QCOMPARE(pill.events.at(Max_ICal_Occurrences - 1).day, QDate(2027, 12, 7));
        QCOMPARE(pill.cut_series, 1);
        QCOMPARE(pill.first_cut, QStringLiteral("Pill"));
    }

    void moved_occurrences_of_every_year_series_land_on_their_new_day() {
        QCOMPARE(Read_Listing(Event_Of("UID:anna\nDTSTART;VALUE=DATE:19800505\n"
                                       "RRULE:FREQ=YEARLY\nSUMMARY:Anna's party\n"
                                       "DESCRIPTION:Bring cake\n") +
                              Event_Of("UID:anna\nRECURRENCE-ID;VALUE=DATE:20270505\n"
                                       "DTSTART;VALUE=DATE:20270508\n") +
                              Event_Of("UID:anna\nRECURRENCE-ID;VALUE=DATE:20280505\n"
                                       "DTSTART;VALUE=DATE:20280506\nSUMMARY:At the lake\n")),
                 (QStringList{"*1980-05-05|Anna's party\r\nBring cake",
                              "2027-05-08|Anna's party\r\nBring cake",
                              "2028-05-06|At the lake\r\nBring cake"}));
    }

    void events_cover_every_day_to_their_end() {
        QCOMPARE(
            Read_Listing(
                Event_Of("DTSTART;VALUE=DATE:20260310\nDTEND;VALUE=DATE:20260313\nSUMMARY:Fair\n") +
                Event_Of("DTSTART;TZID=Europe/Berlin:20260320T220000\nDURATION:PT5H\n"
                         "SUMMARY:Night shift\n") +
                Event_Of("DTSTART;TZID=Europe/Berlin:20260322T090000\n"
                         "DTEND;TZID=Europe/Berlin:20260323T000000\nSUMMARY:Day shift\n") +
                Event_Of("DTSTART;VALUE=DATE:20001231\nDURATION:P2D\nRRULE:FREQ=YEARLY\n"
                         "SUMMARY:Turn of the year\n")),
            (QStringList{"2026-03-10|Fair", "2026-03-11|Fair", "2026-03-12|Fair",
                         "2026-03-20|22:00 Night shift", "2026-03-21|Night shift",
                         "2026-03-22|09:00 Day shift", "*2000-12-31|Turn of the year",
                         "*2001-01-01|Turn of the year"}));
        const QStringList long_stay = Read_Listing(
            Event_Of("DTSTART;VALUE=DATE:20260101\nDTEND;VALUE=DATE:20260401\nSUMMARY:Abroad\n"));
        QCOMPARE(long_stay.size(), Max_Event_Days);
        QCOMPARE(long_stay.last(), QStringLiteral("2026-01-31|Abroad"));
    }

    void text_around_the_calendars_is_passed_over() {
        const QByteArray calendar =
            Calendar_Of(Event_Of("DTSTART;VALUE=DATE:20260501\nSUMMARY:A\n"));
        const ICalReadResult read =
            Read_ICal_Events("Exported by a web calendar\r\n\r\n" + calendar +
                                 "X-COMMENT: generated\r\n" + calendar + "-- end --",
                             Berlin_Context());
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(Listing(read.events), (QStringList{"2026-05-01|A", "2026-05-01|A"}));
        // Inside a calendar every line still counts.
        QByteArray garbled = "Preface\r\n" + calendar;
        garbled.insert(garbled.indexOf("SUMMARY:A"), "no colon here\r\n");
        QCOMPARE(Read_ICal_Events(garbled, Berlin_Context()).error,
                 QStringLiteral("Line 9 is not an iCalendar line."));
    }

    void text_is_unfolded_and_unescaped() {
        const QByteArray long_summary = "SUMMARY:Meeting with the whole team\\, the board\\; and "
                                        "the\n  auditors about the budget of next year\\nRoom "
                                        "4\\\\5\n";
        const QStringList got =
            Read_Listing(Event_Of("DTSTART;VALUE=DATE:20260501\n" + long_summary) +
                         Event_Of("DTSTART;VALUE=DATE:20260502\nSUMMARY:M\xC3\xBCller & S\xC3\xB8n "
                                  "\xE2\x80\x94 \xE6\x9D\xB1\xE4\xBA\xAC \"live\"\n"));
        QCOMPARE(got, (QStringList{"2026-05-01|Meeting with the whole team, the board; and the "
                                   "auditors about the budget of next year\r\nRoom 4\\5",
                                   QStringLiteral("2026-05-02|Müller & Søn — 東京 \"live\"")}));
    }

    void broken_files_fail_and_name_the_line() {
        const QByteArray whole = Calendar_Of(Event_Of("DTSTART;VALUE=DATE:20260501\nSUMMARY:A\n") +
                                             Event_Of("DTSTART;VALUE=DATE:20260502\nSUMMARY:B\n"));
        const ICalImportContext context = Berlin_Context();

        const ICalReadResult cut = Read_ICal_Events(whole.first(whole.size() - 40), context);
        QVERIFY(!cut.ok);
        QVERIFY(cut.events.isEmpty());
        QVERIFY2(cut.error.contains(QStringLiteral("ends at line")), qPrintable(cut.error));

        QByteArray binary(512, '\0');
        for (int i = 0; i < binary.size(); ++i)
            binary[i] = char((i * 73 + 11) % 256);
        const ICalReadResult noise = Read_ICal_Events(binary, context);
        QVERIFY(!noise.ok);
        QVERIFY(!noise.error.isEmpty());

        // A zero byte inside an otherwise good calendar.
        QByteArray zero = whole;
        zero.insert(zero.indexOf("SUMMARY:B") + 9, '\0');
        QCOMPARE(Read_ICal_Events(zero, context).error,
                 QStringLiteral("Line 14 holds bytes that are not text."));

        QCOMPARE(Read_ICal_Events("Subject,Start Date\r\nA,1/1/2026\r\n", context).error,
                 QStringLiteral("Line 1 is not the start of a calendar (BEGIN:VCALENDAR)."));
        QCOMPARE(Read_ICal_Events("\r\nBEGIN:VCARD\r\nFN:Anna\r\nEND:VCARD\r\n", context).error,
                 QStringLiteral("Line 2 is not the start of a calendar (BEGIN:VCALENDAR)."));
        QCOMPARE(Read_ICal_Events(QByteArray(), context).error,
                 QStringLiteral("The file holds no calendar."));

        QByteArray garbled = whole;
        garbled.insert(garbled.indexOf("SUMMARY:B"), "this line has no colon\r\n");
        QCOMPARE(Read_ICal_Events(garbled, context).error,
                 QStringLiteral("Line 14 is not an iCalendar line."));

        // A value libical can't read loses only its property; the rest is read.
        QByteArray bad_value = whole;
        bad_value.replace("DTSTART;VALUE=DATE:20260501", "DTSTART;VALUE=DATE:2026-99");
        const ICalReadResult partly = Read_ICal_Events(bad_value, context);
        QVERIFY2(partly.ok, qPrintable(partly.error));
        QCOMPARE(Listing(partly.events), QStringList{"2026-05-02|B"});

        // Text in another encoding than UTF-8 is read as the other exchange files are.
        const QByteArray latin =
            Calendar_Of(Event_Of("DTSTART;VALUE=DATE:20260501\nSUMMARY:M\xFCller \x80 5\n"));
        QCOMPARE(Listing(Read_ICal_Events(latin, context).events),
                 QStringList{QStringLiteral("2026-05-01|Müller € 5")});
        const QString text = QString::fromUtf8(whole);
        QByteArray utf16("\xFF\xFE");
        utf16 += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        QCOMPARE(Read_ICal_Events(utf16, context).events.size(), 2);

        // Two calendars one after the other, and a byte order mark, are read whole.
        const ICalReadResult two = Read_ICal_Events("\xEF\xBB\xBF" + whole + whole, context);
        QVERIFY(two.ok);
        QCOMPARE(two.events.size(), 4);
    }
};

ALMANOR_TEST(ICalReadTest)

#include "test_ical_read.moc"
