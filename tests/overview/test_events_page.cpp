#include "calendar/gui/ColourLabel.h"
#include "common/CalendarWorld.h"
#include "common/TestMain.h"
#include "events/EventStore.h"
#include "events/gui/Events_Page.h"
#include "settings/gui/Settings_Frm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QRadioButton>
#include <QTest>

namespace {

QStringList Shown_Lines(const Events_Page& page) {
    QStringList lines;
    const QAbstractItemModel* model = page.Events_Lst->model();
    for (int row = 0; row < model->rowCount(); ++row)
        lines.append(model->index(row, 0).data().toString());
    return lines;
}

QPoint Row_Centre(const Events_Page& page, int row) {
    return page.Events_Lst->visualRect(page.Events_Lst->model()->index(row, 0)).center();
}

void Double_Click_Row(Events_Page& page, int row) {
    QWidget* viewport = page.Events_Lst->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, Row_Centre(page, row));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, Row_Centre(page, row));
}

// The caption text of a day of the calendar's shown month.
QString Caption_Of(const Main_Frm& window, int day) {
    const qint16 box = window.Start_Box(window.ViewMonth, window.ViewYear) + day - 1;
    return window.Box_Caption_Lbl[size_t(box)]->Shown_Text().simplified();
}

} // namespace

class EventsPageTest : public QObject {
    Q_OBJECT
  private slots:
    void statistics_show_on_opening_and_overview_on_request() {
        CalendarWorld world; // today is 10 February 2026
        world.Write_Events({"12/2/2026=Dentist", "1/1/2025=Old", "12/2/9999=Yearly"});
        Main_Frm& window = world.Start();
        window.Show_Settings();
        Settings_Frm* settings = window.Settings_Window();
        QVERIFY(settings);
        settings->Form_Activate();
        Events_Page& page = *settings->Events();
        QVERIFY(page.Stats_Opt->isChecked());
        QVERIFY(page.Overview_Fra->isHidden());
        QCOMPARE(page.Total_All_Lbl->text(), QStringLiteral("Total Events: 2"));
        QCOMPARE(page.After_Lbl->text(), QStringLiteral("No. After Today: 1"));
        QCOMPARE(page.Month_Count_Lbl[1]->text(), QStringLiteral("Feb: 2"));
        QCOMPARE(page.Sort_Cbo->currentText(), QStringLiteral("Ascending Date"));

        page.Overview_Opt->click();
        QVERIFY(!page.Overview_Fra->isHidden());
        QVERIFY(page.Yearview_Fra->isHidden() && page.Events_Fra->isHidden());
        QCOMPARE(Shown_Lines(page),
                 QStringList({"1/1/2025  -  Old", "2/12/2026 (every year)  -  Yearly",
                              "2/12/2026  -  Dentist"}));
        page.Sort_Cbo->setCurrentIndex(1);
        page.Sort_Cbo_Click();
        QCOMPARE(Shown_Lines(page).first(), QStringLiteral("2/12/2026  -  Dentist"));
        QTest::mouseClick(page.Events_Lst->viewport(), Qt::LeftButton, {}, Row_Centre(page, 0));
        QCOMPARE(page.Countdown_Lbl->text(), QStringLiteral("2 days"));
        QVERIFY(world.boxes.shown.isEmpty());
    }

    void double_click_removes_the_line_after_yes_only() {
        CalendarWorld world;
        // The last record of a day is the one its box shows.
        world.Write_Events({"12/2/9999=Yearly", "12/2/2026=Dentist", "1/1/2025=Old"});
        Main_Frm& window = world.Start();
        window.Show_Settings();
        Events_Page& page = *window.Settings_Window()->Events();
        page.Overview_Opt->click();
        QCOMPARE(Caption_Of(window, 12), QStringLiteral("Dentist"));
        const QByteArray before = TestEnv::Read_File(world.env.Data_File());

        for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Cancel}) {
            world.boxes.Set_Next_Answer(answer);
            Double_Click_Row(page, 2);
            QCOMPARE(TestEnv::Read_File(world.env.Data_File()), before);
            QCOMPARE(Shown_Lines(page).size(), 3);
        }
        QCOMPARE(world.boxes.shown.size(), 2);
        const MsgBoxRequest& asked = world.boxes.shown.at(0);
        QCOMPARE(asked.text, QStringLiteral("Do you really want to remove the event..\r\n\r\n"
                                            "2/12/2026  -  Dentist"));
        QCOMPARE(asked.buttons, MsgButtons::YesNoCancel);
        QCOMPARE(asked.icon, MsgIcon::Question);

        // Yes on the dated line: the every-year record of the same day stays, and the day's box
        // now shows it.
        world.boxes.Set_Next_Answer(MsgAnswer::Yes);
        Double_Click_Row(page, 2);
        QCOMPARE(TestEnv::Read_File(world.env.Data_File()),
                 Format_Event_File({"12/2/9999=Yearly", "1/1/2025=Old"}));
        QCOMPARE(Shown_Lines(page),
                 QStringList({"1/1/2025  -  Old", "2/12/2026 (every year)  -  Yearly"}));
        QCOMPARE(Caption_Of(window, 12), QStringLiteral("Yearly"));

        // The file lost the record meanwhile: nothing is written, the list is read again.
        world.Write_Events({"1/1/2025=Old"});
        world.boxes.Set_Next_Answer(MsgAnswer::Yes);
        Double_Click_Row(page, 1);
        QCOMPARE(world.boxes.shown.last().icon, MsgIcon::Exclamation);
        QCOMPARE(TestEnv::Read_File(world.env.Data_File()), Format_Event_File({"1/1/2025=Old"}));
        QCOMPARE(Shown_Lines(page), QStringList({"1/1/2025  -  Old"}));
    }

    // A malformed record: one message per pass, what came before it stays, and activations of
    // the unchanged file (as closing the message causes) tell it no more.
    void malformed_file_is_told_once() {
        CalendarWorld world;
        world.Write_Events({"5/1/2026=Good", "no date here", "6/1/2026=Later"});
        Main_Frm& window = world.Start();
        // The calendar's month view has told it already.
        world.boxes.shown.clear();
        window.Show_Settings();
        Settings_Frm* settings = window.Settings_Window();
        Events_Page& page = *settings->Events();
        // The statistics pass of the first activation tells it (the hidden overview list is read
        // only when it is shown).
        settings->Form_Activate();
        QCOMPARE(world.boxes.shown.size(), 1);
        QCOMPARE(world.boxes.shown.at(0).text, QStringLiteral("Error loading in data file."));
        QCOMPARE(world.boxes.shown.at(0).caption, QStringLiteral("ERROR"));
        QCOMPARE(world.boxes.shown.at(0).icon, MsgIcon::Critical);
        settings->Form_Activate();
        settings->Form_Activate();
        QCOMPARE(world.boxes.shown.size(), 1);
        QCOMPARE(page.Total_All_Lbl->text(), QStringLiteral("Total Events: 1"));
        page.Overview_Opt->click();
        QCOMPARE(world.boxes.shown.size(), 2);
        QCOMPARE(Shown_Lines(page), QStringList({"1/5/2026  -  Good"}));
    }
};

ALMANOR_TEST(EventsPageTest)
#include "test_events_page.moc"
