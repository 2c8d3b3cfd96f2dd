#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A server the test starts on 127.0.0.1 and stops when the object goes.
class TestServer {
  public:
    TestServer() = default;
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    // Starts the small .ics server (ics_server.py) over the files of folder.
    bool Start_Ics(const QString& folder);
    // Starts Radicale with its storage in folder and the plain htpasswd user:password.
    bool Start_Radicale(const QString& folder, const QString& user, const QString& password);
    // Starts Xandikos with its storage in folder, with a calendar for user.
    bool Start_Xandikos(const QString& folder, const QString& user);
    void Stop();

    int Port() const { return port_; }
    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }
    QString Output() const { return output_; }

  private:
    bool Wait_Until_Listening();

    QProcess process_;
    int port_ = 0;
    QString output_;
};

// A port on 127.0.0.1 where nothing listens.
int Free_Port();
// The Python that has the system's packages (Radicale, Xandikos), not one earlier on PATH.
QString System_Python();
