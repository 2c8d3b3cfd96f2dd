#include "common/CalendarWorld.h"
#include "common/TestMain.h"
#include "events/gui/frmBalloon.h"
#include "platform/DayChangeWatch.h"
#include "platform/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QTest>

namespace {
// A notification service that records what it is told.
class FakeNotifier final : public DesktopNotifier {
  public:
    explicit FakeNotifier(QStringList* notices, bool available = true)
        : notices_(notices), available_(available) {}
    bool Available() override { return available_; }
    bool May_Be_Available() const override { return available_; }
    void Notify(const QDate&, const QString& summary, const QString& body) override {
        notices_->append(summary + QStringLiteral(": ") + body);
    }

  private:
    QStringList* notices_;
    bool available_;
};

QStringList Box_Texts(const MsgBoxRecorder& boxes) {
    QStringList texts;
    for (const MsgBoxRequest& box : boxes.shown)
        texts << box.text;
    return texts;
}

const QStringList Records = {QStringLiteral("7/12/2026=Dentist"), QStringLiteral("8/12/2026=Tax"),
                             QStringLiteral("1/1/2027=New year <party> && fun")};
} // namespace

// The stand-in org.freedesktop.Notifications of a private bus: it keeps every Notify call.
class StandInNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
  public:
    QList<QVariantList> calls;
  public slots:
    QStringList GetCapabilities() {
        return {QStringLiteral("actions"), QStringLiteral("body"), QStringLiteral("body-markup")};
    }
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints,
                int timeout) {
        calls.append({app, replaces, icon, summary, body, actions, hints, timeout});
        return uint(calls.size());
    }
};

class ReminderWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void reminder_time_passes_while_running() {
        CalendarWorld world(QDateTime(QDate(2026, 12, 7), QTime(8, 0)));
        world.Set(QStringLiteral("Remind Days"), 1);
        world.Write_Events(Records);
        QStringList notices;
        Main_Frm& window = world.Start(std::make_unique<FakeNotifier>(&notices));
        QVERIFY(notices.isEmpty());
        // One timer, to the reminder time rather than to midnight.
        QCOMPARE(window.Day_Watch->Armed_Delay_Ms(), 3'600'000);
        world.clock.Advance_Ms(3'600'000);
        emit window.Day_Watch->Changed();
        const QStringList expected = {QStringLiteral("Today: Dentist"),
                                      QStringLiteral("Tomorrow: Tax")};
        QCOMPARE(notices, expected);
        window.Date_Watch_Tick();
        QCOMPARE(notices, expected);
        QCOMPARE(window.Day_Watch->Armed_Delay_Ms(), 15 * 3'600'000);
        // The clock set back before the reminder time (a new time zone) tells nothing again.
        world.clock.Set(QDateTime(QDate(2026, 12, 7), QTime(6, 0)));
        emit window.Day_Watch->Changed();
        QCOMPARE(notices, expected);
    }

    void start_after_time_and_second_start() {
        CalendarWorld world(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
        world.Set(QStringLiteral("Remind Days"), 7);
        world.Write_Events(Records);
        QStringList notices;
        world.Start(std::make_unique<FakeNotifier>(&notices));
        QCOMPARE(notices,
                 (QStringList{QStringLiteral("Today: Dentist"), QStringLiteral("Tomorrow: Tax")}));
        // A second start on the same day tells nothing again.
        world.window.reset();
        QStringList again;
        Main_Frm& window = world.Start(std::make_unique<FakeNotifier>(&again));
        QVERIFY(again.isEmpty());
        // A resume or a clock change past the next reminder time tells the missed day once.
        world.clock.Set(QDateTime(QDate(2026, 12, 31), QTime(9, 30)));
        emit window.Day_Watch->Changed();
        emit window.Day_Watch->Changed();
        QCOMPARE(again, QStringList{QStringLiteral("Tomorrow: New year <party> & fun")});
    }

    void without_service_alert_box() {
        // No service and no days ahead: only the day's own alert, as always.
        {
            CalendarWorld world(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
            world.Write_Events(Records);
            QStringList notices;
            world.Start(std::make_unique<FakeNotifier>(&notices, false));
            QCOMPARE(Box_Texts(world.boxes), QStringList{"Today: 12/7/2026\r\n\r\nDentist"});
        }
        // Days ahead without a service: the alert box tells them.
        {
            CalendarWorld world(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
            world.Set(QStringLiteral("Remind Days"), 1);
            world.Write_Events(Records);
            QStringList notices;
            world.Start(std::make_unique<FakeNotifier>(&notices, false));
            QCOMPARE(Box_Texts(world.boxes),
                     (QStringList{"Today: 12/7/2026\r\n\r\nDentist", "Tomorrow: Tax"}));
        }
        // "Show Alerts" 0 turns the boxes off, not the notifications.
        {
            CalendarWorld world(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
            world.Set(QStringLiteral("Remind Days"), 1);
            world.Set(QStringLiteral("Show Alerts"), 0);
            world.Write_Events(Records);
            QStringList notices;
            world.Start(std::make_unique<FakeNotifier>(&notices));
            QVERIFY(world.boxes.shown.isEmpty());
            QCOMPARE(notices.size(), 2);
        }
    }

    void notify_calls_on_a_private_bus() {
        QProcess daemon;
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"),
                      QStringLiteral("--print-address")});
        if (!daemon.waitForStarted() || !daemon.waitForReadyRead(5000))
            QSKIP("dbus-daemon is not available");
        const QString address = QString::fromLatin1(daemon.readLine()).trimmed();
        {
            QDBusConnection service_bus =
                QDBusConnection::connectToBus(address, QStringLiteral("stand-in"));
            StandInNotifications service;
            QVERIFY(service_bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                               &service, QDBusConnection::ExportAllSlots));
            QVERIFY(service_bus.registerService(QStringLiteral("org.freedesktop.Notifications")));

            CalendarWorld world(QDateTime(QDate(2026, 12, 31), QTime(9, 0)));
            world.Set(QStringLiteral("Remind Days"), 1);
            world.Write_Events(Records);
            Main_Frm& window = world.Start(Make_Desktop_Notifier(address));
            QTRY_COMPARE(service.calls.size(), 1);
            const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar(1))}};
            QCOMPARE(service.calls[0],
                     (QVariantList{QStringLiteral("Almanor"), 0u,
                                   QStringLiteral("x-office-calendar"), QStringLiteral("Tomorrow"),
                                   QStringLiteral("New year &lt;party&gt; &amp; fun"),
                                   QStringList{QStringLiteral("show"), QStringLiteral("Show")},
                                   hints, -1}));
            // "Show" brings the calendar to the day's month and opens its balloon.
            QTest::qWait(50);
            QDBusMessage invoked = QDBusMessage::createSignal(
                QStringLiteral("/org/freedesktop/Notifications"),
                QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("ActionInvoked"));
            invoked << 1u << QStringLiteral("show");
            QVERIFY(service_bus.send(invoked));
            QTRY_COMPARE(window.ViewMonth, qint16(1));
            QCOMPARE(window.ViewYear, qint16(2027));
            QTRY_VERIFY(window.Balloon() != nullptr);
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("stand-in"));
        daemon.kill();
        daemon.waitForFinished();
    }
};

ALMANOR_TEST(ReminderWindowTest)
#include "test_reminders_window.moc"
