#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes to path through a temporary file beside it, named path + ".saving", which is
// synced and then renamed over path. A failed write leaves the old file as it was and no
// temporary file. A writer killed half way leaves the temporary file behind; it always has the
// same name, so the next save writes it anew and renames it away: none stays for good.
bool Replace_File(const QString& path, const QByteArray& bytes);
