#include "calendar/MsgBox.h"
#include "calendar/SettingsStore.h"
#include "common/TestEnv.h"
#include "common/TestMain.h"
#include "position_reset/PositionResetCore.h"

#include <QTest>

namespace {

// A calendar that goes after a number of requests to close (never, when negative), a clock that
// only moves when the reset waits, and a log of every step.
struct FakeWorld {
    int closes_needed = 0;
    int closes_asked = 0;
    qint64 now = 5000;
    QStringList log;
    QString failing_key;

    ResetSteps Steps() {
        ResetSteps steps;
        steps.calendar_running = [this] {
            return closes_needed < 0 || closes_asked < closes_needed;
        };
        steps.ask_calendar_to_close = [this] {
            ++closes_asked;
            log.append(QStringLiteral("close"));
            return true;
        };
        steps.wait = [this](int ms) {
            now += ms;
            log.append(QStringLiteral("wait %1").arg(ms));
        };
        steps.now_ms = [this] { return now; };
        steps.write_zero = [this](const QString& key) {
            log.append(QStringLiteral("write ") + key);
            return key != failing_key;
        };
        return steps;
    }
};

const QStringList Writes{QStringLiteral("write Manual_PosX"), QStringLiteral("write Manual_PosY"),
                         QStringLiteral("write Alignment"), QStringLiteral("write Use Theme Pos")};

} // namespace

class PositionResetTest : public QObject {
    Q_OBJECT

  private slots:
    void calendar_closes_before_the_keys_are_written() {
        FakeWorld world;
        world.closes_needed = 3;
        QVERIFY(Reset_Position(world.Steps()));
        QStringList expected;
        for (int i = 0; i < 3; ++i)
            expected << QStringLiteral("close") << QStringLiteral("wait %1").arg(Ask_Again_Ms);
        expected << QStringLiteral("wait %1").arg(Settle_Ms) << Writes;
        QCOMPARE(world.log, expected);
    }

    void no_calendar_waits_then_writes() {
        FakeWorld world;
        QVERIFY(Reset_Position(world.Steps()));
        QCOMPARE(world.log, QStringList{QStringLiteral("wait %1").arg(Settle_Ms)} + Writes);
    }

    void gives_up_on_a_calendar_that_stays() {
        FakeWorld world;
        world.closes_needed = -1;
        MsgBoxRecorder boxes;
        QCOMPARE(Run_Position_Reset(world.Steps()), 1);
        QCOMPARE(world.now - 5000, Give_Up_Ms);
        QCOMPARE(world.closes_asked, int(Give_Up_Ms / Ask_Again_Ms));
        QVERIFY(!world.log.join(QLatin1Char(' ')).contains(QStringLiteral("write")));
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].text, QStringLiteral("ERROR Resetting Almanor Positioning. :("));
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Almanor"));
        QCOMPARE(boxes.shown[0].icon, MsgIcon::Information);
    }

    void failed_write_stops_and_reports() {
        FakeWorld world;
        world.failing_key = QStringLiteral("Manual_PosY");
        MsgBoxRecorder boxes;
        QCOMPARE(Run_Position_Reset(world.Steps()), 1);
        QCOMPARE(world.log.mid(1), Writes.mid(0, 2));
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].text, QStringLiteral("ERROR Resetting Almanor Positioning. :("));
    }

    void success_writes_zeros_and_says_so() {
        TestEnv env;
        SettingsStore store;
        const QString app = QStringLiteral("Almanor");
        const QString section = QStringLiteral("Settings");
        for (const QString& key : Position_Keys())
            QVERIFY(store.Write(app, section, key, QStringLiteral("7")));
        QVERIFY(store.Write(app, section, QStringLiteral("Style"), QStringLiteral("2")));
        QVERIFY(store.Write(app, QStringLiteral("Colours"), QStringLiteral("Alignment"),
                            QStringLiteral("5")));

        ResetSteps steps = Real_Reset_Steps();
        steps.calendar_running = [] { return false; };
        steps.ask_calendar_to_close = [] { return false; };
        steps.wait = [](int) {};
        MsgBoxRecorder boxes;
        QCOMPARE(Run_Position_Reset(steps), 0);

        const SettingsStore reread;
        for (const QString& key : Position_Keys())
            QCOMPARE(reread.Read(app, section, key, QStringLiteral("x")), QStringLiteral("0"));
        QCOMPARE(reread.Read(app, section, QStringLiteral("Style"), 1), QStringLiteral("2"));
        QCOMPARE(reread.Read(app, QStringLiteral("Colours"), QStringLiteral("Alignment"), 0),
                 QStringLiteral("5"));
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].text, QStringLiteral("Successfully Reset Almanor Positioning. "
                                                     ":)\r\n\r\nYou'll need to restart the "
                                                     "calendar."));
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Almanor"));
        QCOMPARE(boxes.shown[0].icon, MsgIcon::Information);
        QCOMPARE(boxes.shown[0].buttons, MsgButtons::Ok);
    }

    void unwritable_store_is_an_error() {
        TestEnv env;
        // The store's folder is a regular file, so nothing can be saved below it.
        env.Write_File(QStringLiteral("config/Almanor"), "in the way");
        ResetSteps steps = Real_Reset_Steps();
        steps.calendar_running = [] { return false; };
        steps.wait = [](int) {};
        MsgBoxRecorder boxes;
        QCOMPARE(Run_Position_Reset(steps), 1);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown[0].text, QStringLiteral("ERROR Resetting Almanor Positioning. :("));
    }
};

ALMANOR_TEST(PositionResetTest)
#include "test_position_reset.moc"
