#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "events/EventStore.h"
#include "exchange/CsvEvents.h"
#include "exchange/EventExport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);  // month/day
const QLocale kUk(QLocale::English, QLocale::UnitedKingdom); // day/month

// An all-day appointment list as a desktop mail program exports it: every heading quoted, many
// columns, empty fields unquoted, a description with a comma and a line break.
const QByteArray kOutlook =
    "\"Subject\",\"Start Date\",\"Start Time\",\"End Date\",\"End Time\",\"All day event\","
    "\"Reminder on/off\",\"Reminder Date\",\"Reminder Time\",\"Meeting Organizer\","
    "\"Required Attendees\",\"Optional Attendees\",\"Meeting Resources\",\"Billing Information\","
    "\"Categories\",\"Description\",\"Location\",\"Mileage\",\"Priority\",\"Private\","
    "\"Sensitivity\",\"Show time as\"\r\n"
    "\"Dentist\",\"3/5/2026\",\"10:00:00 AM\",\"3/5/2026\",\"11:00:00 AM\",\"False\",\"True\","
    "\"3/5/2026\",\"9:45:00 AM\",,,,,,\"Health\",\"Bring card, and\r\nthe letter\",\"Main St\",,"
    "\"Normal\",\"False\",\"Normal\",\"2\"\r\n"
    "\"Mum's birthday\",\"12/24/2026\",\"12:00:00 AM\",\"12/25/2026\",\"12:00:00 AM\",\"True\","
    "\"False\",,,,,,,,,,,,\"Normal\",\"False\",\"Normal\",\"3\"\r\n";

// A spreadsheet's save: byte order mark, only fields that need them quoted, LF line ends, no
// line end after the last row, day/month dates with leading zeros.
const QByteArray kSpreadsheet = "\xEF\xBB\xBF"
                                "Start Date,Subject,Description,Location\n"
                                "05/03/2026,Team lunch,\"Pizza, salad\",Cafe\n"
                                "06/03/2026,\"Say \"\"hi\"\"\",Tom & Jerry,\n"
                                ",,,\n"
                                "2026-03-07,ISO day,,\n"
                                "2026-03-08T09:30:00,,Only a description,";

QList<ImportedEvent> Read(const QByteArray& bytes, const QLocale& locale, CsvReadResult* out) {
    *out = Read_CSV_Events(bytes, locale);
    return out->events;
}

} // namespace

class CsvReadTest : public QObject {
    Q_OBJECT

  private slots:
    void mail_program_rows_with_many_columns() {
        CsvReadResult result;
        const auto events = Read(kOutlook, kUs, &result);
        QCOMPARE(result.error, CsvReadError::None);
        QCOMPARE(events.size(), 2);
        QCOMPARE(events.at(0).day, QDate(2026, 3, 5));
        // A timed row carries its start time as an .ics import writes it; an all-day one doesn't.
        QCOMPARE(events.at(0).text, kUs.toString(QTime(10, 0), QLocale::ShortFormat) +
                                        QStringLiteral(" Dentist - Bring card, and\r\nthe letter"));
        QCOMPARE(events.at(1).day, QDate(2026, 12, 24));
        QCOMPARE(events.at(1).text, QStringLiteral("Mum's birthday"));
    }

    void spreadsheet_rows_with_bom_unquoted_fields_and_day_month_dates() {
        CsvReadResult result;
        const auto events = Read(kSpreadsheet, kUk, &result);
        QCOMPARE(result.error, CsvReadError::None);
        QCOMPARE(events.size(), 4); // the empty row adds nothing
        QCOMPARE(events.at(0).day, QDate(2026, 3, 5));
        QCOMPARE(events.at(0).text, QStringLiteral("Team lunch - Pizza, salad"));
        QCOMPARE(events.at(1).day, QDate(2026, 3, 6));
        QCOMPARE(events.at(1).text, QStringLiteral("Say \"hi\" - Tom & Jerry"));
        QCOMPARE(events.at(2).day, QDate(2026, 3, 7));
        QCOMPARE(events.at(2).text, QStringLiteral("ISO day"));
        QCOMPARE(events.at(3).day, QDate(2026, 3, 8));
        QCOMPARE(events.at(3).text, QStringLiteral("Only a description"));
    }

    void the_locale_decides_day_and_month_order() {
        const QByteArray csv = "Subject,Start Date,Description\r\nA,4/1/2004,\r\n";
        CsvReadResult result;
        QCOMPARE(Read(csv, kUk, &result).at(0).day, QDate(2004, 1, 4));
        QCOMPARE(Read(csv, kUs, &result).at(0).day, QDate(2004, 4, 1));
        // Two-digit years and a time after the date, as some programs write them.
        QCOMPARE(Parse_CSV_Date("4/1/04 9:30 AM", kUs), QDate(2004, 4, 1));
        QCOMPARE(Parse_CSV_Date("13/1/2004", kUs), QDate());
        QCOMPARE(Parse_CSV_Date("2026-02-30", kUs), QDate());
    }

    void old_line_ends_and_windows_1252_text() {
        const QByteArray csv = "\"Subject\",\"Start Date\",\"Description\"\r"
                               "\"Caf\xE9 \x80 5\",\"1/4/2004\",\"\"\r";
        CsvReadResult result;
        const auto events = Read(csv, kUk, &result);
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.at(0).text, QStringLiteral("Caf\u00E9 \u20AC 5"));
    }

    void rows_cover_their_days_from_start_to_end() {
        const QByteArray csv =
            "Subject,Start Date,Start Time,End Date,End Time,All day event,Description\r\n"
            "Trip,5/3/2026,,7/3/2026,,,\r\n"
            "Party,5/3/2026,8:00 PM,6/3/2026,1:00 AM,False,\r\n"
            "Holiday,9/3/2026,12:00:00 AM,11/3/2026,12:00:00 AM,True,\r\n"
            "Flight,12/3/2026,06:15,12/3/2026,08:00,,\r\n"
            "Sabbatical,1/1/2026,,30/6/2026,,,\r\n";
        CsvReadResult result;
        QStringList got;
        for (const ImportedEvent& event : Read(csv, kUk, &result))
            got << event.day.toString(Qt::ISODate) + QLatin1Char('|') + event.text;
        QCOMPARE(result.rows, 5);
        QCOMPARE(got.mid(0, 8),
                 (QStringList{"2026-03-05|Trip", "2026-03-06|Trip", "2026-03-07|Trip",
                              "2026-03-05|20:00 Party", "2026-03-06|Party", "2026-03-09|Holiday",
                              "2026-03-10|Holiday", "2026-03-12|06:15 Flight"}));
        QCOMPARE(got.size(), 8 + Max_Event_Days);
        QCOMPARE(got.last(), QStringLiteral("2026-01-31|Sabbatical"));
        QCOMPARE(Parse_CSV_Time("12:30:00 AM"), QTime(0, 30));
        QCOMPARE(Parse_CSV_Time("13:00 PM"), QTime());
    }

    void tabs_stay_and_other_control_characters_go() {
        const QByteArray csv = "Subject,Start Date,Description\r\n"
                               "\"Tea\tat\x01 five\",1/4/2004,\"x\x07\ty\x1F\"\r\n";
        CsvReadResult result;
        const auto events = Read(csv, kUk, &result);
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.at(0).text, QStringLiteral("Tea\tat five - x\ty"));
    }

    void this_programs_own_subject_is_dropped() {
        QCOMPARE(CSV_Event_Text("Almanor", "Dentist"), QStringLiteral("Dentist"));
        QCOMPARE(CSV_Event_Text("Meeting", "Room 2, floor 3"),
                 QStringLiteral("Meeting - Room 2, floor 3"));
        QCOMPARE(CSV_Event_Text("Almanor", ""), QString());
    }

    void headings_are_found_in_any_order_and_case() {
        CsvColumns columns;
        QVERIFY(Check_CSV_Headings(
            {"Location", " DESCRIPTION ", "Start Date/Time", "subject", "Start Date"}, &columns));
        QCOMPARE(columns.description, 1);
        QCOMPARE(columns.start_date, 4); // the exact heading wins over the longer one
        QCOMPARE(columns.subject, 3);
        QVERIFY(Check_CSV_Headings({"Subject", "Start Date/Time", "Description"}, &columns));
        QCOMPARE(columns.start_date, 1);
        QVERIFY(!Check_CSV_Headings({"Title", "Date", "Notes"}, &columns));
    }

    void a_bad_date_fails_the_whole_file_naming_its_line() {
        const QByteArray csv = "Subject,Start Date,Description\n"
                               "A,1/4/2004,\n"
                               "B,\"2/4/2004\",\"two\nlines\"\n"
                               "C,31/02/2004,\n";
        CsvReadResult result;
        QVERIFY(Read(csv, kUk, &result).isEmpty());
        QCOMPARE(result.error, CsvReadError::BadRecord);
        QCOMPARE(result.detail,
                 QStringLiteral("Line 5: the start date \"31/02/2004\" is not a date."));
        // An event without any date is no better.
        QVERIFY(Read("Subject,Start Date,Description\nA,,\n", kUk, &result).isEmpty());
        QVERIFY(result.detail.startsWith(QStringLiteral("Line 2:")));
    }

    void cut_off_empty_and_binary_files_are_refused() {
        CsvReadResult result;
        Read("Subject,Start Date,Description\nA,1/4/2004,\"never closed\n", kUk, &result);
        QCOMPARE(result.error, CsvReadError::BadRecord);
        QCOMPARE(result.detail, QStringLiteral("Line 2: a quoted field is never closed."));
        QVERIFY(result.events.isEmpty());

        Read(QByteArray(), kUk, &result);
        QCOMPARE(result.error, CsvReadError::MissingHeadings);
        Read("\r\n\r\n", kUk, &result);
        QCOMPARE(result.error, CsvReadError::MissingHeadings);

        QByteArray binary(64 * 1024, Qt::Uninitialized);
        QRandomGenerator generator(11);
        for (char& c : binary)
            c = char(generator.bounded(256));
        result = Read_CSV_Events(binary, kUk);
        QVERIFY(result.error != CsvReadError::None);
        QVERIFY(result.events.isEmpty());
    }
};

class CsvImportTest : public QObject {
    Q_OBJECT

  private slots:
    void failures_leave_calendar_dat_byte_for_byte() {
        TestEnv env;
        const QByteArray stored("\"5/3/2004=Dentist\"\r\n");
        const QString data = env.Write_File("Almanor/calendar.dat", stored);
        const QList<QByteArray> bad{
            QByteArray(), "Title,Date,Notes\nA,1/1/2004,x\n",
            "Subject,Start Date,Description\nA,1/1/2004,ok\nB,not a date,x\n",
            "Subject,Start Date,Description\nA,1/1/2004,\"cut off"};
        for (const QByteArray& bytes : bad) {
            const QString csv = env.Write_File("in.csv", bytes);
            const CsvImportOutcome outcome = Import_CSV_File(csv, data, kUk);
            QVERIFY(!outcome.ok());
            QCOMPARE(TestEnv::Read_File(data), stored);
        }
        const CsvImportOutcome missing = Import_CSV_File(env.Root() + "/none.csv", data, kUk);
        QCOMPARE(missing.error, CsvReadError::Unreadable);
        QCOMPARE(TestEnv::Read_File(data), stored);
    }

    void a_50_megabyte_file_cut_off_at_the_end_is_refused_whole() {
        TestEnv env;
        const QByteArray stored("\"5/3/2004=Dentist\"\r\n");
        const QString data = env.Write_File("Almanor/calendar.dat", stored);
        QByteArray csv = "Subject,Start Date,Description\r\n";
        const QByteArray row = "Row,1/4/2004,\"" + QByteArray(2000, 'x') + "\"\r\n";
        csv.reserve(50 * 1024 * 1024 + row.size());
        while (csv.size() < 50 * 1024 * 1024)
            csv += row;
        csv += "Last,2/4/2004,\"cut";
        const QString path = env.Write_File("big.csv", csv);
        csv.clear();
        const CsvImportOutcome outcome = Import_CSV_File(path, data, kUk);
        QCOMPARE(outcome.error, CsvReadError::BadRecord);
        QVERIFY(outcome.detail.contains(QStringLiteral("never closed")));
        QCOMPARE(TestEnv::Read_File(data), stored);
    }

    void same_file_twice_adds_nothing_the_second_time() {
        TestEnv env;
        const QString data = env.Data_File();
        const QString csv = env.Write_File("in.csv", kSpreadsheet);
        const CsvImportOutcome first = Import_CSV_File(csv, data, kUk);
        QVERIFY(first.ok());
        QCOMPARE(first.imported, 4);
        const QByteArray after_first = TestEnv::Read_File(data);
        const CsvImportOutcome second = Import_CSV_File(csv, data, kUk);
        QVERIFY(second.ok());
        QCOMPARE(second.added, 0);
        QCOMPARE(TestEnv::Read_File(data), after_first);
        bool ok = false;
        QVERIFY(Read_Event_Records(data, &ok).contains("6/3/2026=Say 'hi' - Tom && Jerry"));
    }

    void rows_keep_to_their_own_day_and_repeats_in_one_file_stay() {
        TestEnv env;
        const QString data = env.Write_File("Almanor/calendar.dat", "\"25/12/9999=Christmas\"\r\n");
        const QString csv = env.Write_File("in.csv", "Subject,Start Date,Description\r\n"
                                                     "Christmas Day,25/12/2026,\r\n"
                                                     "Carols,25/12/2026,\r\n"
                                                     "Carols,25/12/2026,\r\n");
        const CsvImportOutcome outcome = Import_CSV_File(csv, data, kUk);
        QCOMPARE(outcome.added, 3);
        bool ok = false;
        QCOMPARE(
            Read_Event_Records(data, &ok),
            (QStringList{"25/12/9999=Christmas", "25/12/2026=Christmas Day + Carols + Carols"}));
        QCOMPARE(Import_CSV_File(csv, data, kUk).added, 0);
    }

    void exported_events_come_back_the_same() {
        TestEnv env;
        const QList<OverviewEntry> exported{{QDate(2004, 3, 5), false, "Dentist at ten"},
                                            {QDate(2004, 3, 5), false, "Tom && Jerry, 'live'"},
                                            {QDate(2026, 12, 25), true, "Christmas"},
                                            {QDate(2004, 4, 1), false, "Two\r\nlines"}};
        for (const QLocale& locale : {kUs, kUk}) {
            const QString data = env.Root() + "/" + locale.name() + ".dat";
            const QString csv =
                env.Write_File(locale.name() + ".csv", Format_CSV_Events(exported, locale));
            const CsvImportOutcome outcome = Import_CSV_File(csv, data, locale);
            QVERIFY(outcome.ok());
            QCOMPARE(outcome.imported, 4);
            bool ok = false;
            QCOMPARE(Read_Event_Records(data, &ok),
                     (QStringList{"5/3/2004=Dentist at ten + Tom && Jerry, 'live'",
                                  "25/12/2026=Christmas", "1/4/2004=Two\r\nlines"}));
        }
    }
};

class ExportFormatTest : public QObject {
    Q_OBJECT

  private slots:
    void csv_rows_are_all_day_and_quoted() {
        const QList<OverviewEntry> events{{QDate(2004, 3, 5), false, "Dentist at ten"},
                                          {QDate(2004, 12, 31), true, "Tom && Jerry"}};
        QCOMPARE(Format_CSV_Events(events, kUk),
                 QByteArray("\"Subject\",\"Start Date\",\"Description\",\"Start Time\","
                            "\"End Date\",\"End Time\"\r\n"
                            "\"Almanor\",\"05/03/2004\",\"Dentist at ten\",\"12:00:00 AM\","
                            "\"06/03/2004\",\"12:00:00 AM\"\r\n"
                            "\"Almanor\",\"31/12/2004\",\"Tom & Jerry\",\"12:00:00 AM\","
                            "\"01/01/2005\",\"12:00:00 AM\"\r\n"));
        // Four-digit years even where the locale's short form has two.
        QVERIFY(Format_CSV_Events(events, kUs).contains("\"3/5/2004\""));
        QCOMPARE(Format_CSV_Events({}, kUs), (CSV_Headings() + "\r\n").toUtf8());
    }

    void text_lines_carry_long_dates_and_every_year_marks() {
        const QList<OverviewEntry> events{{QDate(2004, 3, 5), false, "Dentist"},
                                          {QDate(2006, 12, 25), true, "Tom && Jerry"}};
        QCOMPARE(Format_Text_Events(events, kUs),
                 QByteArray("Friday, March 5, 2004  -  Dentist\r\n\r\n"
                            "Monday, December 25, 2006 (every year)  -  Tom & Jerry\r\n\r\n"));
        QVERIFY(Format_Text_Events({}, kUs).isEmpty());
    }
};

ALMANOR_TEST(CsvReadTest)
ALMANOR_TEST(CsvImportTest)
ALMANOR_TEST(ExportFormatTest)

#include "test_csv_events.moc"
