#pragma once

#include <QDate>
#include <QObject>
#include <QString>

#include <memory>

// The desktop's notification service. Notices stay in the desktop's list until the user
// dismisses them; where the service offers actions each carries "Show", which asks the program to
// show the notice's day.
class DesktopNotifier : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    // True when a notification service can be reached now (asks the bus).
    virtual bool Available() = 0;
    // False when there is surely no service (no session bus at all); asks nothing.
    virtual bool May_Be_Available() const = 0;
    // Sends one notice; it is sent once the service has told whether it offers actions.
    virtual void Notify(const QDate& day, const QString& summary, const QString& body) = 0;

  protected slots:
    // The service's ActionInvoked signal.
    virtual void Action_Invoked(uint id, const QString& action) {
        Q_UNUSED(id);
        Q_UNUSED(action);
    }

  signals:
    // The user chose "Show" on the notice of day.
    void Show_Day(const QDate& day);
};

// The notifier of the session's bus, or of the bus at bus_address (tests start their own). It
// reaches the bus only when first used, so that a start-up never waits for it.
std::unique_ptr<DesktopNotifier> Make_Desktop_Notifier(const QString& bus_address = QString());
