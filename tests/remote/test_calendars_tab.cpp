#include "RemoteTestSupport.h"

#include "calendar/General_Mod.h"
#include "calendar/SettingsStore.h"
#include "calendar/gui/ColourLabel.h"
#include "common/SettingsWindowWorld.h"
#include "common/TestMain.h"
#include "events/gui/Events_Page.h"
#include "remote/RemoteCache.h"
#include "remote/RemoteLink.h"
#include "remote/gui/AddCalendar_Dlg.h"
#include "remote/gui/Calendars_Page.h"
#include "remote/gui/EditCalendar_Dlg.h"
#include "remote/sync/NoteSyncState.h"
#include "settings/gui/TabStrip.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

// The Calendars tab with the real fetch program in the calendar's program folder.
class CalendarsTabTest : public QObject {
    Q_OBJECT

  private slots:
    void a_subscription_is_added_shown_and_removed_with_its_cache() {
        SettingsWindowWorld world;
        qputenv("XDG_CACHE_HOME", (world.world.env.Root() + "/cache").toLocal8Bit());
        QVERIFY(QFile::link(FETCH_PROGRAM, world.world.env.Program_Dir() + "/AlmanorFetch"));
        world.world.Write_Events({"10/2/2026=Lunch"});
        const QString ics = world.world.env.Write_File(
            "Team & Co.ics",
            Remote_Calendar_Of(Remote_Event_Of("DTSTART:20260212T090000\nSUMMARY:Review\n")));
        Settings_Frm& frame = world.Open();
        Calendars_Page* page = frame.Calendars();
        frame.show();
        frame.TabStrip1->setCurrentIndex(8);
        QVERIFY(page->isVisible());
        QCOMPARE(page->Calendars_Lst->topLevelItemCount(), 0);
        QVERIFY(world.world.window->Remote() == nullptr);

        // An empty address is refused in words; a file's address is added as typed.
        QTest::mouseClick(page->Add_Btn, Qt::LeftButton);
        auto* add = page->findChild<AddCalendar_Dlg*>();
        QVERIFY(add && add->isVisible());
        QTest::mouseClick(add->Ok_Btn, Qt::LeftButton);
        QVERIFY(add->isVisible());
        QVERIFY(!add->Status_Lbl->text().isEmpty());
        add->Url_Txt->setText(QUrl::fromLocalFile(ics).toString());
        QTest::mouseClick(add->Ok_Btn, Qt::LeftButton);

        const QList<RemoteCalendar> stored = Read_Remote_Calendars(Settings_File_Path());
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0].name, QString("Team & Co"));
        QCOMPARE(page->Calendars_Lst->topLevelItem(0)->text(0), QString("Team & Co"));
        // Added means fetched: the list tells when, the month shows the event.
        QTRY_VERIFY_WITH_TIMEOUT(
            page->Calendars_Lst->topLevelItem(0)->text(3).startsWith("Refreshed "), 60000);
        Main_Frm& calendar = *world.world.window;
        const QString time = QLocale().toString(QTime(9, 0), QLocale::ShortFormat);
        QTRY_COMPARE(calendar.Box_Lbl[calendar.Box_Index(QDate(2026, 2, 12))]->toolTip(),
                     time + " Review (Team & Co)");
        QVERIFY(QFile::exists(Remote_Data_Path(Remote_Cache_Dir(), stored[0])));

        // The Events tab lists it among the notes, marked with its calendar, but it is no entry
        // to remove or export.
        Events_Page* events = frame.Events();
        events->Overview_Opt->click();
        QAbstractItemModel* lines = events->Events_Lst->model();
        QCOMPARE(lines->rowCount(), 2);
        QCOMPARE(lines->index(1, 0).data().toString(),
                 Format_Short_Date(QDate(2026, 2, 12)) + "  -  " + time + " Review (Team & Co)");
        QCOMPARE(events->Dates_Lst().entries.size(), 1);
        const qsizetype asked = world.world.boxes.shown.size();
        events->Events_Lst_DblClick(lines->index(1, 0));
        QVERIFY2(world.world.boxes.shown.size() == asked,
                 qPrintable(world.world.boxes.shown.last().text));

        // Switched off, the events go; switched on, they come back from the cache.
        page->Calendars_Lst->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        QTRY_VERIFY(!Read_Remote_Calendars(Settings_File_Path())[0].enabled);
        QTRY_VERIFY(calendar.Box_Lbl[calendar.Box_Index(QDate(2026, 2, 12))]->toolTip().isEmpty());
        page->Calendars_Lst->topLevelItem(0)->setCheckState(0, Qt::Checked);
        QTRY_VERIFY(!calendar.Box_Lbl[calendar.Box_Index(QDate(2026, 2, 12))]->toolTip().isEmpty());

        // Edit keeps the cache of an unchanged address; the month shows the new name.
        page->Calendars_Lst->setCurrentItem(page->Calendars_Lst->topLevelItem(0));
        QTest::mouseClick(page->Edit_Btn, Qt::LeftButton);
        auto* edit = page->findChild<EditCalendar_Dlg*>();
        QVERIFY(edit && edit->isVisible());
        edit->Name_Txt->setText("Team");
        edit->Minutes_Spn->setValue(30);
        edit->accept();
        QCOMPARE(Read_Remote_Calendars(Settings_File_Path())[0].refresh_minutes, 30);
        QCOMPARE(page->Calendars_Lst->topLevelItem(0)->text(2), QString("30 min"));
        QCOMPARE(calendar.Box_Lbl[calendar.Box_Index(QDate(2026, 2, 12))]->toolTip(),
                 time + " Review (Team)");

        // Remove asks first; No keeps everything, Yes takes the calendar and its cache.
        world.world.boxes.Set_Next_Answer(MsgAnswer::No);
        QTest::mouseClick(page->Remove_Btn, Qt::LeftButton);
        QCOMPARE(Read_Remote_Calendars(Settings_File_Path()).size(), 1);
        world.world.boxes.Set_Next_Answer(MsgAnswer::Yes);
        QTest::mouseClick(page->Remove_Btn, Qt::LeftButton);
        QVERIFY(Read_Remote_Calendars(Settings_File_Path()).isEmpty());
        QCOMPARE(page->Calendars_Lst->topLevelItemCount(), 0);
        QVERIFY(!QFile::exists(Remote_Data_Path(Remote_Cache_Dir(), stored[0])));
        QVERIFY(calendar.Box_Lbl[calendar.Box_Index(QDate(2026, 2, 12))]->toolTip().isEmpty());
        QCOMPARE(calendar.Box_Lbl[calendar.Box_Index(QDate(2026, 2, 10))]->toolTip(),
                 QString("Lunch"));
        qunsetenv("XDG_CACHE_HOME");
    }

    void a_password_without_a_keyring_lasts_the_session_and_never_reaches_the_file() {
        SettingsWindowWorld world;
        QVERIFY(QFile::link(FETCH_PROGRAM, world.world.env.Program_Dir() + "/AlmanorFetch"));
        qputenv("XDG_CACHE_HOME", (world.world.env.Root() + "/cache").toLocal8Bit());
        const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        Settings_Frm& frame = world.Open();
        Calendars_Page* page = frame.Calendars();
        QTest::mouseClick(page->Add_Btn, Qt::LeftButton);
        auto* add = page->findChild<AddCalendar_Dlg*>();
        add->Url_Txt->setText("https://127.0.0.1:9/private.ics");
        add->User_Txt->setText("ann");
        add->Password_Txt->setText("s3cret-word");
        QTest::mouseClick(add->Ok_Btn, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(page->Note_Lbl->text().startsWith("No keyring took the password"),
                                 60000);
        const RemoteCalendar added = Read_Remote_Calendars(Settings_File_Path()).value(0);
        QCOMPARE(added.user, QString("ann"));
        QCOMPARE(world.world.window->Remote_Link().Password(added), QString("s3cret-word"));
        QFile ini(Settings_File_Path());
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(!ini.readAll().contains("s3cret"));
        if (!bus.isEmpty())
            qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
        qunsetenv("XDG_CACHE_HOME");
    }

    // One CalDAV calendar keeps the notes, chosen in Edit; the list marks it and tells how its
    // sync stands; turning the sync off touches neither calendar.dat nor the sync's state.
    void the_notes_calendar_is_chosen_one_at_a_time_and_its_sync_is_told() {
        SettingsWindowWorld world;
        qputenv("XDG_CACHE_HOME", (world.world.env.Root() + "/cache").toLocal8Bit());
        world.world.Write_Events({"10/2/2026=Lunch"});
        RemoteCalendar feed, work, home;
        feed.name = "Feed";
        feed.url = "https://127.0.0.1:9/feed.ics";
        work.name = "Work";
        work.url = "http://127.0.0.1:9/ann/work/";
        home.name = "Home";
        home.url = "http://127.0.0.1:9/ann/home/";
        QVERIFY(Write_Remote_Calendars(Settings_File_Path(), {feed, work, home}));
        Settings_Frm& frame = world.Open();
        Calendars_Page* page = frame.Calendars();
        QVERIFY(!page->Sync_Lbl->isVisibleTo(page));
        const auto edit = [&](int row, bool notes) {
            page->Calendars_Lst->setCurrentItem(page->Calendars_Lst->topLevelItem(row));
            QTest::mouseClick(page->Edit_Btn, Qt::LeftButton);
            QPointer<EditCalendar_Dlg> dialog = page->findChild<EditCalendar_Dlg*>();
            const bool open = dialog->Notes_Chk->isEnabled();
            dialog->Notes_Chk->setChecked(notes);
            dialog->accept();
            delete dialog.data();
            return open;
        };
        const auto keeping = [] {
            QList<bool> flags;
            for (const RemoteCalendar& calendar : Read_Remote_Calendars(Settings_File_Path()))
                flags << calendar.keep_notes;
            return flags;
        };
        // An .ics file can't be written to.
        QVERIFY(!edit(0, true));
        QCOMPARE(keeping(), (QList<bool>{false, false, false}));
        QVERIFY(edit(1, true));
        QVERIFY(edit(2, true));
        QCOMPARE(keeping(), (QList<bool>{false, false, true}));
        // The list is read again after every fetch: no item is kept across one.
        const auto home_item = [&] { return page->Calendars_Lst->topLevelItem(2); };
        QVERIFY(home_item()->font(0).bold());
        QCOMPARE(home_item()->text(3), QString("Notes, not synced yet"));
        QVERIFY(page->Sync_Lbl->isVisibleTo(page));

        NoteSyncState state;
        state.calendar_url = home.url;
        state.last_sync = QDateTime(QDate(2026, 2, 10), QTime(8, 0), Qt::UTC);
        state.last_error = "The server did not answer.";
        state.conflicts = QStringList{"Tea && cake + Tea\r\nat four", "older"};
        NoteSyncEntry waiting;
        waiting.uid = "u1";
        waiting.key = "10/2/2026";
        waiting.text = "Lunch";
        state.entries.append(waiting);
        const QString state_path = Note_Sync_State_Path(world.world.env.Data_File());
        QVERIFY(Write_Note_Sync_State(state_path, state));
        page->Load_List();
        const QString when =
            QLocale().toString(state.last_sync.toLocalTime(), QLocale::ShortFormat);
        QCOMPARE(page->Sync_Lbl->toolTip(), "Notes: last sync " + when +
                                                ", 1 waiting\nLast try failed: The server did "
                                                "not answer.\nKept both texts: Tea & cake + Tea "
                                                "/ at four");
        QCOMPARE(home_item()->text(3), QString("Notes: The server did not answer."));

        const QByteArray dat = TestEnv::Read_File(world.world.env.Data_File());
        const QByteArray kept = TestEnv::Read_File(state_path);
        QVERIFY(edit(2, false));
        QCOMPARE(keeping(), (QList<bool>{false, false, false}));
        QVERIFY(!page->Sync_Lbl->isVisibleTo(page));
        QCOMPARE(TestEnv::Read_File(world.world.env.Data_File()), dat);
        QCOMPARE(TestEnv::Read_File(state_path), kept);
        qunsetenv("XDG_CACHE_HOME");
    }

    // The notes go to one calendar: Add's box is open while exactly one found one is ticked.
    void add_keeps_the_notes_only_in_the_one_ticked_calendar() {
        TestEnv env;
        const QString program = env.Write_File(
            "fake/AlmanorFetch", "#!/bin/sh\nprintf 'http://127.0.0.1:9/ann/home/\\tHome\\t\\n"
                                 "http://127.0.0.1:9/ann/work/\\tWork\\t\\n'\n");
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        AddCalendar_Dlg dialog(program, 0);
        dialog.show();
        dialog.Url_Txt->setText("http://127.0.0.1:9/");
        QTest::mouseClick(dialog.Ok_Btn, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(dialog.Found_Lst->count(), 2, 10000);
        QVERIFY(dialog.Notes_Chk->isVisible() && !dialog.Notes_Chk->isEnabled());
        dialog.Found_Lst->item(0)->setCheckState(Qt::Unchecked);
        QVERIFY(dialog.Notes_Chk->isEnabled());
        dialog.Notes_Chk->setChecked(true);
        QList<RemoteCalendar> chosen = dialog.Chosen();
        QCOMPARE(chosen.size(), 1);
        QVERIFY(chosen[0].name == "Work" && chosen[0].keep_notes);
        dialog.Found_Lst->item(0)->setCheckState(Qt::Checked);
        chosen = dialog.Chosen();
        QVERIFY(chosen.size() == 2 && !chosen[0].keep_notes && !chosen[1].keep_notes);
    }

    void discovery_failures_are_told_in_the_dialog() {
        // A server address is asked through the fetch program; one that offers no calendar
        // says why and adds nothing.
        AddCalendar_Dlg dialog(FETCH_PROGRAM, 0);
        dialog.show();
        dialog.Url_Txt->setText("http://127.0.0.1:9/");
        QTest::mouseClick(dialog.Ok_Btn, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(dialog.Ok_Btn->isEnabled(), 60000);
        QVERIFY2(dialog.Status_Lbl->text().startsWith("No calendars were found"),
                 qPrintable(dialog.Status_Lbl->text()));
        QVERIFY(dialog.isVisible());
    }
};

ALMANOR_TEST(CalendarsTabTest)
#include "test_calendars_tab.moc"
