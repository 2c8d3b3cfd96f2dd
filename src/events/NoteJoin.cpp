#include "events/NoteJoin.h"

namespace {

bool Holds_Run(const QString& whole, const QString& part) {
    const QString sep = QStringLiteral(" + ");
    return (sep + whole + sep).contains(sep + part + sep);
}

} // namespace

QString Join_Note_Texts(const QString& local, const QString& remote) {
    if (remote.isEmpty() || Holds_Run(local, remote))
        return local;
    if (local.isEmpty() || Holds_Run(remote, local))
        return remote;
    return local + QStringLiteral(" + ") + remote;
}

QString Editor_Save_Text(const QString& opened, const QString& stored_now, const QString& typed) {
    if (stored_now == opened)
        return typed;
    // Clearing a note that changed elsewhere meanwhile keeps the change, as the sync does.
    if (typed == opened || typed.isEmpty())
        return stored_now;
    return Join_Note_Texts(typed, stored_now);
}
