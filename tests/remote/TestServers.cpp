#include "TestServers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

int Free_Port() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

QString System_Python() {
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
}

TestServer::~TestServer() {
    Stop();
}

void TestServer::Stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
    output_ += QString::fromUtf8(process_.readAll());
}

bool TestServer::Wait_Until_Listening() {
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired() && process_.state() == QProcess::Running) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port_));
        if (socket.waitForConnected(200))
            return true;
        QThread::msleep(100);
    }
    output_ += QString::fromUtf8(process_.readAll());
    return false;
}

bool Make_Self_Signed(const QString& certificate, const QString& key) {
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                   "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", key,
                   "-out", certificate});
    return openssl.waitForFinished(30000) && openssl.exitCode() == 0;
}

bool TestServer::Start_Ics(const QString& folder, const QString& certificate, const QString& key) {
    QStringList arguments = {QStringLiteral(REMOTE_TEST_DIR "/ics_server.py"), folder};
    if (!certificate.isEmpty())
        arguments << certificate << key;
    tls_ = !certificate.isEmpty();
    process_.start(System_Python(), arguments);
    if (!process_.waitForStarted(5000) || !process_.waitForReadyRead(10000))
        return false;
    port_ = process_.readLine().trimmed().toInt();
    return port_ > 0;
}

bool TestServer::Start_Radicale(const QString& folder, const QString& user,
                                const QString& password) {
    QDir().mkpath(folder);
    const QString users = folder + QStringLiteral("/users");
    QFile file(users);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write((user + QLatin1Char(':') + password + QLatin1Char('\n')).toUtf8());
    file.close();
    port_ = Free_Port();
    process_.setProcessChannelMode(QProcess::MergedChannels);
    arguments_ = {QStringLiteral("-m"),
                  QStringLiteral("radicale"),
                  QStringLiteral("--config"),
                  QString(),
                  QStringLiteral("--server-hosts"),
                  QStringLiteral("127.0.0.1:%1").arg(port_),
                  QStringLiteral("--storage-filesystem-folder"),
                  folder + QStringLiteral("/collections"),
                  QStringLiteral("--auth-type"),
                  QStringLiteral("htpasswd"),
                  QStringLiteral("--auth-htpasswd-filename"),
                  users,
                  QStringLiteral("--auth-htpasswd-encryption"),
                  QStringLiteral("plain")};
    return Restart();
}

bool TestServer::Start_Xandikos(const QString& folder, const QString& user) {
    QDir().mkpath(folder);
    port_ = Free_Port();
    process_.setProcessChannelMode(QProcess::MergedChannels);
    arguments_ = {QStringLiteral("-m"),
                  QStringLiteral("xandikos.web"),
                  QStringLiteral("-d"),
                  folder,
                  QStringLiteral("-l"),
                  QStringLiteral("127.0.0.1"),
                  QStringLiteral("-p"),
                  QString::number(port_),
                  QStringLiteral("--defaults"),
                  QStringLiteral("--current-user-principal"),
                  QStringLiteral("/%1/").arg(user)};
    return Restart();
}

bool TestServer::Restart() {
    process_.start(System_Python(), arguments_);
    return process_.waitForStarted(5000) && Wait_Until_Listening();
}
