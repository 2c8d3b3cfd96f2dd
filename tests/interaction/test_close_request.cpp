#include "InteractionWorld.h"
#include "calendar/gui/ColourLabel.h"
#include "calendar/gui/PopMenu_Mod.h"
#include "common/TestMain.h"
#include "events/EditorClose.h"
#include "events/gui/Edit_Frm.h"
#include "events/gui/frmBalloon.h"
#include "platform/TerminationWatch.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>

// A calendar closed by another program (a later copy, the Remover, PositionReset) or by the end
// of the session keeps what the open editor holds.
class CloseRequestTest : public QObject {
    Q_OBJECT

    static Edit_Frm* Open(InteractionWorld& world, int day) {
        QTest::mouseDClick(world.Caption(day), Qt::LeftButton);
        return world.window->Editor();
    }

  private slots:
    void saves_only_what_the_user_changed_and_the_file_lacks() {
        const QDate day(2026, 2, 12);
        const QStringList stored{QStringLiteral("12/2/9999=Party && cake")};
        // Untouched: even a file changed meanwhile is not overwritten.
        QVERIFY(!Save_Before_Close({day, QStringLiteral("Old"), false, false}, stored));
        // The same text as stored, or nothing typed on an empty day: nothing to save.
        QVERIFY(!Save_Before_Close({day, QStringLiteral("Party & cake"), true, true}, stored));
        QVERIFY(!Save_Before_Close({day, QString(), false, true}, {}));
        QVERIFY(Save_Before_Close({day, QStringLiteral("Party"), true, true}, stored));
        // Unticking "Every year" dates the record; emptying the text removes it.
        QVERIFY(Save_Before_Close({day, QStringLiteral("Party & cake"), false, true}, stored));
        QVERIFY(Save_Before_Close({day, QString(), true, true}, stored));
        QVERIFY(Save_Before_Close({day, QStringLiteral("New"), false, true}, {}));
    }

    void typed_text_is_saved_before_the_calendar_closes() {
        InteractionWorld world;
        world.Write_Events({QStringLiteral("12/2/2026=Old")});
        Main_Frm& window = world.Start();
        Edit_Frm* editor = Open(world, 12);
        QVERIFY(editor);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("Say \"hi\" & go"));
        window.Close_On_Request();
        QVERIFY(!window.isVisible());
        QVERIFY(!window.Editor());
        QCOMPARE(world.Events(), QStringList{QStringLiteral("12/2/2026=Say 'hi' && go")});
    }

    void untouched_editor_leaves_the_file_alone() {
        InteractionWorld world;
        world.Write_Events({QStringLiteral("12/2/2026=Old")});
        Main_Frm& window = world.Start();
        QVERIFY(Open(world, 12));
        // Another writer changes the day while the editor shows the old text.
        world.Write_Events({QStringLiteral("12/2/2026=Changed elsewhere")});
        window.Close_On_Request();
        QVERIFY(!window.isVisible());
        QCOMPARE(world.Events(), QStringList{QStringLiteral("12/2/2026=Changed elsewhere")});
    }

    void open_day_menu_and_balloon_do_not_hold_the_close() {
        InteractionWorld world;
        world.Write_Events({QStringLiteral("5/2/2026=Past")});
        Main_Frm& window = world.Start();
        Edit_Frm* editor = Open(world, 12);
        QTest::keyClicks(editor->Message_Txt, QStringLiteral("Dentist"));
        window.Hovered_Box = world.Box_Index(5);
        window.Balloon_Tooltip(QStringLiteral("Past"));
        QVERIFY(window.Balloon());
        // The real menu, whose nested loop the request must end.
        Set_Pop_Menu_Presenter(nullptr);
        QTimer::singleShot(100, &window, [&window] { window.Close_On_Request(); });
        window.Popup_Menu(world.Box_Index(5));
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(!window.Balloon());
        QCOMPARE(world.Events(), (QStringList{QStringLiteral("5/2/2026=Past"),
                                              QStringLiteral("12/2/2026=Dentist")}));
    }

    void termination_signal_reaches_the_event_loop() {
        TerminationWatch watch;
        QSignalSpy requested(&watch, &TerminationWatch::Termination_Requested);
        std::raise(SIGTERM);
        QTRY_COMPARE(requested.count(), 1);
    }
};

ALMANOR_TEST(CloseRequestTest)
#include "test_close_request.moc"
