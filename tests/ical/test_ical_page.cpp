#include "IcalTestSupport.h"

#include "common/TestMain.h"
#include "exchange/ExchangePageWorld.h"

#include <QFile>
#include <QPushButton>
#include <QTest>

namespace {

void Verify_Box(const PageWorld& w, int index, const QString& text, MsgIcon icon) {
    QVERIFY(w.world.boxes.shown.size() > index);
    QCOMPARE(w.world.boxes.shown.at(index).text, text);
    QCOMPARE(w.world.boxes.shown.at(index).icon, icon);
    QCOMPARE(w.world.boxes.shown.at(index).caption, QStringLiteral("Almanor"));
}

} // namespace

class ICalPageTest : public QObject {
    Q_OBJECT

  private slots:
    void imported_events_show_in_their_boxes() {
        PageWorld w({"14/2/2026=Dinner"});
        const QString ics = w.world.env.Write_File(
            "in.ics", Calendar_Of(Event_Of("DTSTART;VALUE=DATE:20260214\nSUMMARY:Flowers\n") +
                                  Event_Of("DTSTART:20260220T093000\nSUMMARY:Tom & Jerry\n")));
        w.dialogs.Answer_With(ics);
        w.page->Import_Btn[3]->click();
        QCOMPARE(w.dialogs.shown.size(), 1);
        QCOMPARE(w.dialogs.shown.at(0).title, QStringLiteral("Import Events from iCalendar File"));
        QCOMPARE(w.dialogs.shown.at(0).name_filters, QStringList{"iCalendar File (*.ics)"});
        QVERIFY(!w.dialogs.shown.at(0).save);
        QCOMPARE(w.world.boxes.shown.size(), 1);
        Verify_Box(w, 0, "Successfully imported 2 events from the iCalendar file...\r\n\r\n" + ics,
                   MsgIcon::Information);
        QCOMPARE(w.Caption_Of_Day(14), QStringLiteral("Dinner + Flowers"));
        QVERIFY2(w.Caption_Of_Day(20).endsWith(QStringLiteral("Tom & Jerry")),
                 qPrintable(w.Caption_Of_Day(20)));
    }

    void refused_file_names_its_line_and_changes_nothing() {
        PageWorld w({"14/2/2026=Dinner"});
        const QByteArray before = TestEnv::Read_File(w.world.env.Data_File());
        w.dialogs.Answer_With(w.world.env.Root() + "/missing.ics");
        w.dialogs.Answer_With(w.world.env.Write_File(
            "cut.ics", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nSUMMARY:A\r\n"));
        w.page->Import_ICal();
        QCOMPARE(w.dialogs.shown.size(), 2);
        QCOMPARE(w.world.boxes.shown.size(), 2);
        Verify_Box(w, 0, "File doesn't exist!", MsgIcon::Exclamation);
        Verify_Box(w, 1,
                   "Error when importing from iCalendar file.\r\n\r\n"
                   "The file ends at line 4 before the calendar is closed.",
                   MsgIcon::Exclamation);
        QCOMPARE(TestEnv::Read_File(w.world.env.Data_File()), before);
        QVERIFY(!QFile::exists(w.world.env.Program_Dir() + "/data.bak"));
    }

    void export_adds_the_extension_and_tells_the_count() {
        PageWorld w({"14/2/2026=Dinner", "25/12/9999=Christmas"});
        w.dialogs.Answer_With(w.world.env.Root() + "/events");
        w.page->Export_Btn[4]->click();
        QCOMPARE(w.dialogs.shown.size(), 1);
        QCOMPARE(w.dialogs.shown.at(0).title, QStringLiteral("Export Events as iCalendar File"));
        QVERIFY(w.dialogs.shown.at(0).save);
        const QString path = w.world.env.Root() + "/events.ics";
        Verify_Box(w, 0, "Successfully exported 2 events to the iCalendar file...\r\n\r\n" + path,
                   MsgIcon::Information);
        const ICalReadResult back = Read_ICal_Events(TestEnv::Read_File(path), Berlin_Context());
        QCOMPARE(Listing(back.events), (QStringList{"2026-02-14|Dinner", "*2026-12-25|Christmas"}));

        w.dialogs.Answer_With(w.world.env.Root() + "/none/events.ics");
        w.page->Export_ICal();
        Verify_Box(w, 1,
                   "Error when exporting to iCalendar file.\r\n\r\nThe file can't be written.",
                   MsgIcon::Exclamation);
    }

    void export_warns_of_records_it_left_out() {
        PageWorld w({"14/2/2026=Dinner", "5/13/2026=Nowhere"});
        const QString path = w.world.env.Root() + "/events.ics";
        w.dialogs.Answer_With(path);
        w.page->Export_ICal();
        Verify_Box(w, 0,
                   "Successfully exported 1 events to the iCalendar file...\r\n\r\n1 record "
                   "couldn't be read and was left out: \"5/13/2026\".\r\n\r\n" +
                       path,
                   MsgIcon::Exclamation);
    }
};

ALMANOR_TEST(ICalPageTest)

#include "test_ical_page.moc"
