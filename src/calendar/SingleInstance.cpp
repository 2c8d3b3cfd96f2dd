#include "calendar/SingleInstance.h"

#include "platform/UserId.h"

#include <QLocalSocket>
#include <QPointer>

namespace {
const QByteArray Close_Message = QByteArrayLiteral("close\n");
// How long a starting copy gives the running one to take the request.
constexpr int Send_Timeout_Ms = 1000;
// How often a starting copy tries again for the name while the old copy is still closing.
constexpr int Retry_Ms = 50;
} // namespace

QString Instance_Name(const QString& caption) {
    QString name = caption + QLatin1Char('-') + Current_User_Id();
    // ":0" and ":0.0" are the same desktop; the screen number after the dot is dropped.
    QString display = qEnvironmentVariable("DISPLAY");
    const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
    const qsizetype dot = display.indexOf(QLatin1Char('.'), colon + 1);
    if (colon >= 0 && dot > colon)
        display.truncate(dot);
    if (!display.isEmpty())
        name += QLatin1Char('-') + display;
    return name;
}

bool Send_Close(const QString& name) {
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(name);
    if (!socket.waitForConnected(Send_Timeout_Ms))
        return false;
    socket.write(Close_Message);
    const bool sent = socket.waitForBytesWritten(Send_Timeout_Ms) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    return sent;
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {
    server_.setSocketOptions(QLocalServer::AbstractNamespaceOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::Take_Connection);
    retry_.setInterval(Retry_Ms);
    connect(&retry_, &QTimer::timeout, this, [this] {
        if (Try_Listen())
            retry_.stop();
    });
}

bool SingleInstance::Check_For_Multiple() {
    const bool closed_other = Send_Close(name_);
    if (!Try_Listen())
        retry_.start();
    return closed_other;
}

bool SingleInstance::Try_Listen() {
    if (server_.isListening())
        return true;
    if (server_.listen(name_))
        return true;
    // A socket file left by a copy that died (where names are files) must not block the start.
    if (server_.serverError() == QAbstractSocket::AddressInUseError && !Send_Close(name_)) {
        QLocalServer::removeServer(name_);
        return server_.listen(name_);
    }
    return false;
}

void SingleInstance::Take_Connection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        QPointer<QLocalSocket> guard(socket);
        const auto read = [this, guard] {
            if (!guard)
                return;
            if (guard->canReadLine() || guard->state() != QLocalSocket::ConnectedState) {
                const QByteArray message = guard->readAll();
                if (message.startsWith(Close_Message.trimmed()))
                    emit Close_Requested();
                guard->disconnectFromServer();
                guard->deleteLater();
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        connect(socket, &QLocalSocket::disconnected, this, read);
        if (socket->bytesAvailable() > 0)
            read();
    }
}
