#pragma once

#include <QByteArray>
#include <QString>

// The text of an exchange file's bytes: UTF-16 when it starts with its byte order mark,
// otherwise as calendar.dat is read (a UTF-8 byte order mark skipped, UTF-8, and Windows-1252
// when the bytes aren't UTF-8).
QString Decode_Exchange_Text(const QByteArray& bytes);

// Reads a whole file. False (with error set to the system's reason) when it can't be read.
bool Read_Exchange_File(const QString& path, QByteArray* bytes, QString* error);

// Writes bytes to path through a temporary file renamed into place: a failed write leaves no
// half file under the name, and an old file there stays as it was.
bool Save_File_Atomically(const QString& path, const QByteArray& bytes);
