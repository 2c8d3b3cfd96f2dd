#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The run-at-logon key as XDG autostart entries: value <name> is the file <name>.desktop in an
// autostart folder, its command the entry's Exec line. Only files carrying our marker key
// (X-Almanor-Registry-Value=<name>) count as values, so other programs' entries are never read,
// replaced or removed. Results are Windows error codes, as for the registry calls.

// The value's command; 2 when there is no such entry or it is switched off (Hidden=true or
// X-GNOME-Autostart-enabled=false).
qint32 Autostart_Query(const QString& folder, const QString& name, QString* command);
// Creates or replaces the entry. 87 for a name that can't be a file name, 5 when the folder or
// file can't be written or <name>.desktop belongs to another program.
qint32 Autostart_Set(const QString& folder, const QString& name, const QString& command);
// Removes the entry; 2 when there is none, 5 when it can't be removed.
qint32 Autostart_Delete(const QString& folder, const QString& name);

// The contents of a new entry for value name with the given command.
QByteArray Autostart_File_Contents(const QString& name, const QString& command);
// The text of the Exec key for a command run as one program path: quoted when it holds a
// reserved character, "%" doubled, and escaped as a desktop-entry string.
QString Exec_From_Command(const QString& command);
// Undoes Exec_From_Command. An Exec line with several arguments gives them joined by blanks.
QString Command_From_Exec(const QString& exec);
