#include "calendar/CalendarLink.h"

#include "calendar/SingleInstance.h"

#include <QLocalSocket>

namespace {
constexpr int Connect_Timeout_Ms = 1000;
} // namespace

bool Calendar_Is_Running() {
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(Instance_Name());
    if (!socket.waitForConnected(Connect_Timeout_Ms))
        return false;
    socket.disconnectFromServer();
    return true;
}

bool Ask_Calendar_To_Close() {
    return Send_Close(Instance_Name());
}
