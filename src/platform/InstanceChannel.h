#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

// A small local channel between copies of the programs of one user: a running calendar listens
// on it, a later copy and the companion programs send it one line ("close"). Only the user who
// runs the listener can reach it: the socket lives in that user's private runtime folder, and the
// listener also checks the credentials of every peer and drops those of another user.

// Where the channel of name lives for this user: a socket in $XDG_RUNTIME_DIR when that folder
// is this user's own and private, else in a private folder of ours in the temporary folder
// (made with mode 0700 when missing). Empty when no such folder can be had.
QString Instance_Socket_Path(const QString& name);

// True when a peer running as peer_uid may give orders to a listener running as own_uid.
bool Instance_Peer_Allowed(quint32 peer_uid, quint32 own_uid);

// Sends one line to the listener at path. True when a listener took the connection and the
// whole line was written; false at once when nobody listens there.
bool Send_Instance_Line(const QString& path, const QByteArray& line);
// True when a listener accepts connections at path.
bool Instance_Listening(const QString& path);

// The listening side. Lines from peers of this user arrive as Line_Received; connections of
// other users are closed unread.
class InstanceListener : public QObject {
    Q_OBJECT
  public:
    explicit InstanceListener(QString path, QObject* parent = nullptr);
    ~InstanceListener() override;

    // Starts listening. False while another live listener holds the path; a socket left behind
    // by a listener that died is removed and taken over.
    bool Listen();
    bool Listening() const;
    const QString& Path() const { return path_; }

  signals:
    void Line_Received(const QByteArray& line);

  private:
    struct State;
    void Accept();
    void Read(int fd);
    QString path_;
    std::unique_ptr<State> state_;
};
