// Notices through org.freedesktop.Notifications on the session bus. Every call is asynchronous:
// the service may live in this very process (a test's stand-in), and a blocking call would wait
// for an answer that the blocked thread itself has to give.
#include "platform/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QHash>
#include <QVariantMap>

#include <optional>

namespace {
const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
const QString Show_Action = QStringLiteral("show");

class DBusNotifier final : public DesktopNotifier {
  public:
    explicit DBusNotifier(QString bus_address) : address_(std::move(bus_address)) {}
    ~DBusNotifier() override {
        if (connected_ && !address_.isEmpty())
            QDBusConnection::disconnectFromBus(Connection_Name());
    }

    // Without a bus address libdbus would start a bus of its own (autolaunch): a calendar outside
    // a desktop session has no notification service to reach.
    bool May_Be_Available() const override {
        return !address_.isEmpty() || !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
    }

    bool Available() override {
        if (!Connect())
            return false;
        QDBusConnectionInterface* bus = bus_->interface();
        if (!bus)
            return false;
        // Services started on demand are not registered until their first call.
        return bus->isServiceRegistered(Service).value() ||
               bus->activatableServiceNames().value().contains(Service);
    }

    void Notify(const QDate& day, const QString& summary, const QString& body) override {
        if (!Connect())
            return;
        if (actions_) {
            Send(day, summary, body);
            return;
        }
        pending_.append(Notice{day, summary, body});
        if (pending_.size() > 1)
            return;
        const QDBusMessage ask = QDBusMessage::createMethodCall(Service, Path, Interface,
                                                                QStringLiteral("GetCapabilities"));
        auto* watcher = new QDBusPendingCallWatcher(bus_->asyncCall(ask), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this](QDBusPendingCallWatcher* w) {
                    const QDBusPendingReply<QStringList> reply = *w;
                    w->deleteLater();
                    const QStringList offered = reply.isError() ? QStringList() : reply.value();
                    actions_ = offered.contains(QStringLiteral("actions"));
                    markup_ = offered.contains(QStringLiteral("body-markup"));
                    const QList<Notice> notices = std::exchange(pending_, {});
                    for (const Notice& notice : notices)
                        Send(notice.day, notice.summary, notice.body);
                });
    }

  private:
    struct Notice {
        QDate day;
        QString summary;
        QString body;
    };

    QString Connection_Name() const { return QStringLiteral("almanor-notices-") + address_; }

    bool Connect() {
        if (connected_)
            return bus_->isConnected();
        connected_ = true;
        if (!May_Be_Available())
            return false;
        if (address_.isEmpty()) {
            bus_.emplace(QDBusConnection::sessionBus());
        } else {
            bus_.emplace(QDBusConnection::connectToBus(address_, Connection_Name()));
        }
        if (!bus_->isConnected())
            return false;
        bus_->connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
                      SLOT(Action_Invoked(uint, QString)));
        return true;
    }

    void Send(const QDate& day, const QString& summary, const QString& body) {
        QStringList actions;
        if (*actions_)
            actions << Show_Action << QStringLiteral("Show");
        // Not transient, and the service's own expiry (-1): the bubble goes as the desktop lets
        // bubbles go, and the notice waits in the desktop's list.
        const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar(1))}};
        QDBusMessage call =
            QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
        // A server that reads markup would take a note's "<" or "&" for a tag.
        call << QStringLiteral("Almanor") << uint(0) << QStringLiteral("x-office-calendar")
             << summary << (markup_ ? body.toHtmlEscaped() : body) << actions << hints << int(-1);
        auto* watcher = new QDBusPendingCallWatcher(bus_->asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this, day](QDBusPendingCallWatcher* w) {
                    const QDBusPendingReply<uint> reply = *w;
                    w->deleteLater();
                    if (!reply.isError())
                        days_.insert(reply.value(), day);
                });
    }

    void Action_Invoked(uint id, const QString& action) override {
        const auto found = days_.constFind(id);
        if (found != days_.constEnd() && action == Show_Action)
            emit Show_Day(*found);
    }

    QString address_;
    bool connected_ = false;
    std::optional<QDBusConnection> bus_;
    std::optional<bool> actions_;
    bool markup_ = false;
    QList<Notice> pending_;
    QHash<uint, QDate> days_;
};
} // namespace

std::unique_ptr<DesktopNotifier> Make_Desktop_Notifier(const QString& bus_address) {
    return std::make_unique<DBusNotifier>(bus_address);
}
