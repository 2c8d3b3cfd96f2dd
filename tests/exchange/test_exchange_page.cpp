#include "common/TestMain.h"
#include "events/EventStore.h"
#include "events/gui/Events_Page.h"
#include "exchange/ExchangePageWorld.h"
#include "settings/gui/Settings_Frm.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class ExchangePageTest : public QObject {
    Q_OBJECT

  private slots:
    void buttons_stand_in_their_frames_as_numbered() {
        PageWorld w;
        QCOMPARE(w.page->Import_Btn[2]->text(), QStringLiteral("from CSV File"));
        QCOMPARE(w.page->Export_Btn[3]->text(), QStringLiteral("to CSV File"));
        QCOMPARE(w.page->Export_Btn[2]->text(), QStringLiteral("to Text File"));
        for (QPushButton* b : w.page->Import_Btn)
            QVERIFY(
                w.page->Import_Fra->geometry().contains(b->mapTo(w.page, b->rect().bottomRight())));
        for (QPushButton* b : w.page->Export_Btn)
            QVERIFY(
                w.page->Export_Fra->geometry().contains(b->mapTo(w.page, b->rect().bottomRight())));
        QVERIFY(!w.page->Import_Fra->geometry().intersects(w.page->Export_Fra->geometry()));
        QVERIFY(w.page->rect().contains(w.page->Export_Fra->geometry()));
    }

    void csv_import_shows_the_events_in_their_boxes() {
        PageWorld w({"14/2/2026=Dinner"});
        const QString csv = w.world.env.Write_File(
            "in.csv", "Subject,Start Date,Description\r\nFlowers,2026-02-14,\r\n"
                      "Tom & Jerry,2026-02-20,\r\n");
        w.dialogs.Answer_With(csv);
        w.page->Import_Btn[2]->click();
        QCOMPARE(w.dialogs.shown.size(), 1);
        QCOMPARE(w.dialogs.shown.at(0).title, QStringLiteral("Import Events from CSV File"));
        QVERIFY(!w.dialogs.shown.at(0).save);
        QCOMPARE(w.world.boxes.shown.size(), 1);
        QCOMPARE(w.world.boxes.shown.at(0).text,
                 "Successfully imported 2 events from the CSV file...\r\n\r\n" + csv);
        QCOMPARE(w.world.boxes.shown.at(0).icon, MsgIcon::Information);
        QCOMPARE(w.Caption_Of_Day(14), QStringLiteral("Dinner + Flowers"));
        QCOMPARE(w.Caption_Of_Day(20), QStringLiteral("Tom & Jerry"));
        QCOMPARE(TestEnv::Read_File(w.Backup()), QByteArray("\"14/2/2026=Dinner\"\r\n"));
    }

    void missing_file_asks_again_and_cancel_keeps_the_backup() {
        PageWorld w({"14/2/2026=Dinner"});
        w.dialogs.Answer_With(w.world.env.Root() + "/missing.csv");
        w.dialogs.Answer_Cancel();
        w.page->Import_CSV();
        QCOMPARE(w.dialogs.shown.size(), 2);
        QCOMPARE(w.world.boxes.shown.size(), 1);
        QCOMPARE(w.world.boxes.shown.at(0).text, QStringLiteral("File doesn't exist!"));
        QCOMPARE(w.world.boxes.shown.at(0).icon, MsgIcon::Exclamation);
        QVERIFY(QFile::exists(w.Backup()));
    }

    void refused_files_tell_why_and_change_nothing() {
        PageWorld w({"14/2/2026=Dinner"});
        const QByteArray before = TestEnv::Read_File(w.Data());
        w.dialogs.Answer_With(w.world.env.Write_File("bad.csv", "Title,Date,Notes\r\nA,1,2\r\n"));
        w.page->Import_CSV();
        QCOMPARE(w.world.boxes.shown.size(), 2);
        QCOMPARE(w.world.boxes.shown.at(0).text,
                 QStringLiteral("Invalid CSV file or missing required headings."));
        QCOMPARE(w.world.boxes.shown.at(0).icon, MsgIcon::Critical);
        QCOMPARE(w.world.boxes.shown.at(1).text,
                 QStringLiteral("Error when importing from CSV file."));
        QCOMPARE(w.world.boxes.shown.at(1).icon, MsgIcon::Exclamation);

        w.dialogs.Answer_With(w.world.env.Write_File(
            "date.csv", "Subject,Start Date,Description\r\nA,2026-02-01,\r\nB,soon,\r\n"));
        w.page->Import_CSV();
        QCOMPARE(w.world.boxes.shown.size(), 3);
        QCOMPARE(w.world.boxes.shown.at(2).text,
                 QStringLiteral("Error when importing from CSV file.\r\n\r\n"
                                "Line 3: the start date \"soon\" is not a date."));
        QCOMPARE(TestEnv::Read_File(w.Data()), before);
        QVERIFY(!QFile::exists(w.Backup()));
        QCOMPARE(w.Caption_Of_Day(1), QString());
    }

    void failed_import_into_no_calendar_brings_back_no_old_backup() {
        PageWorld w;
        w.world.env.Write_File("Almanor/data.bak", "\"1/2/2026=Long gone\"\r\n");
        w.dialogs.Answer_With(w.world.env.Write_File("bad.csv", "Title\r\n"));
        w.page->Import_CSV();
        QCOMPARE(w.world.boxes.shown.size(), 2);
        QVERIFY(!QFile::exists(w.Data()));
        QVERIFY(!QFile::exists(w.Backup()));
    }

    void export_file_gets_its_extension_and_asks_before_overwriting() {
        PageWorld w;
        const QString taken = w.world.env.Write_File("taken.csv", "old");
        w.dialogs.Answer_With(w.world.env.Root() + "/report");
        QCOMPARE(w.page->Choose_Export_File("T", "Text File (*.txt)|*.txt", ".txt"),
                 w.world.env.Root() + "/report.txt");
        w.dialogs.Answer_With(w.world.env.Root() + "/report.TXT");
        QCOMPARE(w.page->Choose_Export_File("T", "Text File (*.txt)|*.txt", ".txt"),
                 w.world.env.Root() + "/report.TXT");
        QVERIFY(w.world.boxes.shown.isEmpty());

        // No shows the dialog again; Yes takes the file.
        w.dialogs.Answer_With(taken);
        w.dialogs.Answer_With(taken.chopped(4));
        w.world.boxes.Set_Next_Answer(MsgAnswer::No);
        w.world.boxes.Set_Next_Answer(MsgAnswer::Yes);
        QCOMPARE(w.page->Choose_Export_File("T", "", ".csv"), taken);
        QCOMPARE(w.dialogs.shown.size(), 4);
        QCOMPARE(w.world.boxes.shown.size(), 2);
        QCOMPARE(w.world.boxes.shown.at(0).text, QStringLiteral("Overwrite existing file?"));
        QCOMPARE(w.world.boxes.shown.at(0).buttons, MsgButtons::YesNo);
        QCOMPARE(w.world.boxes.shown.at(0).icon, MsgIcon::Question);

        QCOMPARE(w.page->Choose_Export_File("T", "", ".csv"), QString()); // cancelled
    }
    void exported_events_come_back_from_an_empty_calendar() {
        QTemporaryDir outside;
        const QString csv = outside.path() + "/events.csv";
        {
            PageWorld w({"5/3/2004=Dentist at ten", "25/12/9999=Christmas", "5/3/2004=Tom && Jerry",
                         "1/4/2004=Room 2, floor 3\r\nsecond line"});
            w.dialogs.Answer_With(outside.path() + "/events");
            w.page->Export_Btn[3]->click();
            QCOMPARE(w.dialogs.shown.at(0).title, QStringLiteral("Export Events as CSV File"));
            QCOMPARE(w.world.boxes.shown.size(), 1);
            QCOMPARE(w.world.boxes.shown.at(0).text,
                     "Successfully exported 4 events to the CSV file...\r\n\r\n" + csv);
        }
        PageWorld w;
        w.dialogs.Answer_With(csv);
        w.page->Import_CSV();
        QCOMPARE(w.world.boxes.shown.last().icon, MsgIcon::Information);
        bool ok = false;
        // By date; the every-year event comes back on its day of the current year.
        QCOMPARE(Read_Event_Records(w.Data(), &ok),
                 (QStringList{"5/3/2004=Dentist at ten + Tom && Jerry",
                              "1/4/2004=Room 2, floor 3\r\nsecond line", "25/12/2026=Christmas"}));
    }

    void exports_of_nothing_and_failed_exports() {
        PageWorld w;
        QTemporaryDir outside;
        w.dialogs.Answer_With(outside.path() + "/empty.csv");
        w.page->Export_CSV();
        QCOMPARE(TestEnv::Read_File(outside.path() + "/empty.csv"),
                 QByteArray("\"Subject\",\"Start Date\",\"Description\",\"Start Time\","
                            "\"End Date\",\"End Time\"\r\n"));
        QVERIFY(w.world.boxes.shown.at(0).text.startsWith(
            QStringLiteral("Successfully exported 0 events to the CSV file...")));
        // A folder that isn't there: the message, and no file left behind.
        w.dialogs.Answer_With(outside.path() + "/none/list.txt");
        w.page->Export_Btn[2]->click();
        QCOMPARE(w.world.boxes.shown.size(), 2);
        QCOMPARE(w.world.boxes.shown.at(1).text,
                 QStringLiteral("Error when exporting to text file."));
        QCOMPARE(w.world.boxes.shown.at(1).icon, MsgIcon::Exclamation);
        QVERIFY(!QFile::exists(outside.path() + "/none/list.txt"));
    }

    void text_export_lists_long_dates() {
        PageWorld w({"25/12/9999=Christmas", "5/3/2004=Tom && Jerry"});
        QTemporaryDir outside;
        w.dialogs.Answer_With(outside.path() + "/list");
        w.page->Export_Text();
        QCOMPARE(w.dialogs.shown.at(0).title, QStringLiteral("Export Events to Text File"));
        QCOMPARE(w.world.boxes.shown.at(0).text,
                 "Successfully exported 2 events to the text file...\r\n\r\n" + outside.path() +
                     "/list.txt");
        const QString text = QString::fromUtf8(TestEnv::Read_File(outside.path() + "/list.txt"));
        const QLocale locale;
        QCOMPARE(text, locale.toString(QDate(2004, 3, 5), QLocale::LongFormat) +
                           "  -  Tom & Jerry\r\n\r\n" +
                           locale.toString(QDate(2026, 12, 25), QLocale::LongFormat) +
                           " (every year)  -  Christmas\r\n\r\n");
    }
    void exports_follow_the_overview_order() {
        PageWorld w({"1/4/2004=Later", "5/3/2004=Sooner"});
        QTemporaryDir outside;
        auto rows = [&](const QString& order) {
            Events_Page* overview = w.window->Settings_Window()->Events();
            overview->Sort_Cbo->setCurrentText(order);
            w.dialogs.Answer_With(outside.path() + "/" + order);
            w.page->Export_Text();
            const QString text =
                QString::fromUtf8(TestEnv::Read_File(outside.path() + "/" + order + ".txt"));
            return QStringList{text.section("  -  ", 1, 1).section('\r', 0, 0),
                               text.section("  -  ", 2, 2).section('\r', 0, 0)};
        };
        // Both date orders write by ascending date; "Date Added" keeps the file's order.
        QCOMPARE(rows("Ascending Date"), (QStringList{"Sooner", "Later"}));
        QCOMPARE(rows("Descending Date"), (QStringList{"Sooner", "Later"}));
        QCOMPARE(rows("Date Added"), (QStringList{"Later", "Sooner"}));
    }
};

ALMANOR_TEST(ExchangePageTest)

#include "test_exchange_page.moc"
