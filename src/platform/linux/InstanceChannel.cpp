// The per-user channel over a Unix stream socket in a private folder.
#include "platform/InstanceChannel.h"

#include <QDir>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <map>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// A line longer than this is not a request of ours.
constexpr qsizetype Max_Line = 256;
// Peers that connect and send nothing must not pile up open descriptors.
constexpr size_t Max_Open_Peers = 8;
constexpr int Send_Timeout_Ms = 1000;

// A folder only this user can enter: owned by us, a real folder (not a link), no rights for
// group or others.
bool Private_Folder(const QByteArray& path) {
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

QString Fallback_Folder() {
    const QByteArray folder = QFile::encodeName(QDir::tempPath() + QStringLiteral("/almanor-") +
                                                QString::number(qulonglong(::geteuid())));
    if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    return Private_Folder(folder) ? QFile::decodeName(folder) : QString();
}

bool Fill_Address(const QString& path, sockaddr_un* address) {
    const QByteArray bytes = QFile::encodeName(path);
    if (bytes.isEmpty() || size_t(bytes.size()) >= sizeof(address->sun_path))
        return false;
    *address = {};
    address->sun_family = AF_UNIX;
    std::memcpy(address->sun_path, bytes.constData(), size_t(bytes.size()));
    return true;
}

// A connected socket to path, or -1.
int Connect(const QString& path) {
    sockaddr_un address;
    if (!Fill_Address(path, &address))
        return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const timeval timeout{Send_Timeout_Ms / 1000, (Send_Timeout_Ms % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool Same_File(const QByteArray& path, dev_t dev, ino_t ino) {
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0 && info.st_dev == dev && info.st_ino == ino;
}
} // namespace

QString Instance_Socket_Path(const QString& name) {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder) ||
        !Private_Folder(QFile::encodeName(folder)))
        folder = Fallback_Folder();
    if (folder.isEmpty())
        return {};
    const QString path = folder + QLatin1Char('/') + name;
    sockaddr_un address;
    return Fill_Address(path, &address) ? path : QString();
}

bool Instance_Peer_Allowed(quint32 peer_uid, quint32 own_uid) {
    return peer_uid == own_uid;
}

bool Send_Instance_Line(const QString& path, const QByteArray& line) {
    const int fd = Connect(path);
    if (fd < 0)
        return false;
    const QByteArray data = line.endsWith('\n') ? line : line + '\n';
    qsizetype sent = 0;
    while (sent < data.size()) {
        const ssize_t n =
            ::send(fd, data.constData() + sent, size_t(data.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        sent += n;
    }
    ::close(fd);
    return sent == data.size();
}

bool Instance_Listening(const QString& path) {
    const int fd = Connect(path);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

struct InstanceListener::State {
    int fd = -1;
    dev_t dev = 0;
    ino_t ino = 0;
    std::unique_ptr<QSocketNotifier> notifier;
    struct Peer {
        std::unique_ptr<QSocketNotifier> notifier;
        QByteArray received;
    };
    std::map<int, Peer> peers;

    void Drop(int peer) {
        auto found = peers.find(peer);
        if (found == peers.end())
            return;
        // Dropped from inside the notifier's own signal: it goes once that has returned.
        QSocketNotifier* peer_notifier = found->second.notifier.release();
        peer_notifier->setEnabled(false);
        peer_notifier->deleteLater();
        peers.erase(found);
        ::close(peer);
    }
};

InstanceListener::InstanceListener(QString path, QObject* parent)
    : QObject(parent), path_(std::move(path)), state_(std::make_unique<State>()) {}

InstanceListener::~InstanceListener() {
    while (!state_->peers.empty())
        state_->Drop(state_->peers.begin()->first);
    if (state_->fd < 0)
        return;
    state_->notifier.reset();
    ::close(state_->fd);
    // A copy that started meanwhile may have put its own socket at the path: leave that one.
    const QByteArray bytes = QFile::encodeName(path_);
    if (Same_File(bytes, state_->dev, state_->ino))
        ::unlink(bytes.constData());
}

bool InstanceListener::Listening() const {
    return state_->fd >= 0;
}

bool InstanceListener::Listen() {
    if (Listening())
        return true;
    sockaddr_un address;
    if (!Fill_Address(path_, &address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    const auto* raw = reinterpret_cast<const sockaddr*>(&address);
    bool bound = ::bind(fd, raw, sizeof address) == 0;
    // A socket nobody answers on was left by a copy that died: it must not block the start.
    if (!bound && errno == EADDRINUSE && !Instance_Listening(path_)) {
        ::unlink(address.sun_path);
        bound = ::bind(fd, raw, sizeof address) == 0;
    }
    struct stat info {};
    if (!bound || ::listen(fd, 8) != 0 || ::lstat(address.sun_path, &info) != 0) {
        ::close(fd);
        return false;
    }
    state_->fd = fd;
    state_->dev = info.st_dev;
    state_->ino = info.st_ino;
    state_->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(state_->notifier.get(), &QSocketNotifier::activated, this, &InstanceListener::Accept);
    return true;
}

void InstanceListener::Accept() {
    for (;;) {
        const int peer = ::accept4(state_->fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (peer < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        ucred credentials{};
        socklen_t size = sizeof credentials;
        if (::getsockopt(peer, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
            !Instance_Peer_Allowed(credentials.uid, ::geteuid())) {
            ::close(peer);
            continue;
        }
        if (state_->peers.size() >= Max_Open_Peers)
            state_->Drop(state_->peers.begin()->first);
        State::Peer& entry = state_->peers[peer];
        entry.notifier = std::make_unique<QSocketNotifier>(peer, QSocketNotifier::Read);
        connect(entry.notifier.get(), &QSocketNotifier::activated, this,
                [this, peer] { Read(peer); });
    }
}

void InstanceListener::Read(int peer) {
    auto found = state_->peers.find(peer);
    if (found == state_->peers.end())
        return;
    QByteArray& received = found->second.received;
    char buffer[Max_Line];
    bool finished = false;
    for (;;) {
        const ssize_t n = ::recv(peer, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        if (n <= 0) {
            finished = true;
            break;
        }
        received.append(buffer, n);
        if (received.contains('\n') || received.size() > Max_Line) {
            finished = true;
            break;
        }
    }
    if (!finished)
        return;
    const qsizetype end = received.indexOf('\n');
    const QByteArray line = end >= 0 ? received.left(end) : received;
    state_->Drop(peer);
    if (!line.isEmpty() && line.size() <= Max_Line)
        emit Line_Received(line);
}
