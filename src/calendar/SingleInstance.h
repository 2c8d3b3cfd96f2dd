#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class InstanceListener;

// The name a running calendar listens on: its caption, the user id and the X display, so each
// user has one per desktop. A caption is only ever looked up on one's own desktop: a calendar
// started on another display (a second login, a test server) must not close this one.
QString Instance_Name(const QString& caption = QStringLiteral("Almanor"));

// Asks the calendar listening on name to close, without waiting for it to go. Returns true when
// a calendar took the request.
bool Send_Close(const QString& name = Instance_Name());
// True when a calendar listens on name.
bool Instance_Running(const QString& name = Instance_Name());

// One running calendar per user and display. A starting copy asks the running one to close and
// takes its place: it listens on the name as soon as the name is free (a copy that crashed
// leaves nothing behind that could block it). Only the same user can ask it to close.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(QString name = Instance_Name(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Closes an earlier copy and starts listening. Returns true when an earlier copy was asked
    // to close.
    bool Check_For_Multiple();
    bool Listening() const;
    const QString& Name() const { return name_; }

  signals:
    // A later copy, or a companion program, asked this calendar to close.
    void Close_Requested();

  private:
    bool Try_Listen();

    QString name_;
    InstanceListener* listener_ = nullptr;
    QTimer retry_;
};
