#include "events/ReplaceFile.h"

#include "platform/FileSync.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

bool Replace_File(const QString& path, const QByteArray& bytes) {
    const QString temporary = path + QStringLiteral(".saving");
    // A leftover of a killed save (or a link someone put there) is removed, never written
    // through: the new file is made fresh.
    QFile::remove(temporary);
    QFile file(temporary);
    // Unbuffered, so a short write (disk full, file size limit) shows in write()'s count.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return false;
    if (QFile::exists(path))
        file.setPermissions(QFile::permissions(path));
    if (file.write(bytes) != bytes.size() || !Sync_File(file)) {
        file.close();
        QFile::remove(temporary);
        return false;
    }
    file.close();
    // QFile::rename won't replace an existing file; the system's rename does, in one step.
    std::error_code error;
    std::filesystem::rename(QFileInfo(temporary).filesystemAbsoluteFilePath(),
                            QFileInfo(path).filesystemAbsoluteFilePath(), error);
    if (error) {
        QFile::remove(temporary);
        return false;
    }
    return true;
}
