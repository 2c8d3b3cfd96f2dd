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
    // With a certificate and key it speaks TLS (Base() is then https).
    bool Start_Ics(const QString& folder, const QString& certificate = {}, const QString& key = {});
    // Starts Radicale with its storage in folder and the plain htpasswd user:password.
    bool Start_Radicale(const QString& folder, const QString& user, const QString& password);
    // Starts Xandikos with its storage in folder, with a calendar for user.
    bool Start_Xandikos(const QString& folder, const QString& user);
    void Stop();
    // Starts a stopped Radicale or Xandikos again on the same port over the same storage, as a
    // server that was offline for a while.
    bool Restart();

    int Port() const { return port_; }
    QString Base() const {
        return QStringLiteral("%1://127.0.0.1:%2").arg(tls_ ? "https" : "http").arg(port_);
    }
    QString Output() const { return output_; }

  private:
    bool Wait_Until_Listening();

    QProcess process_;
    QStringList arguments_;
    int port_ = 0;
    bool tls_ = false;
    QString output_;
};

// Makes a self-signed certificate for 127.0.0.1 with openssl, as certificate and key files.
bool Make_Self_Signed(const QString& certificate, const QString& key);

// A port on 127.0.0.1 where nothing listens.
int Free_Port();
// The Python that has the system's packages (Radicale, Xandikos), not one earlier on PATH.
QString System_Python();
