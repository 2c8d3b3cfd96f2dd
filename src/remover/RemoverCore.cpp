#include "remover/RemoverCore.h"

#include "calendar/SettingsStore.h"
#include "packs/OwnWallpaper.h"
#include "registry/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVariant>

#ifndef ALMANOR_REMOVER_FILE
#define ALMANOR_REMOVER_FILE "Remover"
#endif
#ifndef ALMANOR_CALENDAR_FILE
#define ALMANOR_CALENDAR_FILE "Almanor"
#endif

namespace {

QString Read_Install_Path(const QString& root) {
    QVariant result;
    Read_Value(root, QString::fromUtf16(Install_Key), QString::fromUtf16(Install_Value),
               QStringLiteral("S"), QString::fromUtf16(No_Install_Path), result);
    return result.toString();
}

QString Child_Path(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name);
}

// Deletes one directory entry without following it: a link goes as a link.
bool Remove_Entry(const QFileInfo& entry) {
    return QFile::remove(entry.filePath());
}

} // namespace

QString Get_Path() {
    QString path = Read_Install_Path(QStringLiteral("HKLM"));
    if (path == QString::fromUtf16(No_Install_Path))
        path = Read_Install_Path(QStringLiteral("HKCU"));
    return path;
}

QString Find_Install_Folder(const QString& own_folder) {
    const QString recorded = Get_Path();
    if (!recorded.isEmpty() && recorded != QString::fromUtf16(No_Install_Path))
        return recorded;
    if (!own_folder.isEmpty() && QFileInfo(Child_Path(own_folder, Calendar_File_Name())).isFile())
        return own_folder;
    return QString::fromUtf16(No_Install_Path);
}

QString Remover_File_Name() {
    return QStringLiteral(ALMANOR_REMOVER_FILE);
}

QString Calendar_File_Name() {
    return QStringLiteral(ALMANOR_CALENDAR_FILE);
}

bool Is_Plain_Folder_Name(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

bool List_Packs(const QString& folder, QStringList* names) {
    names->clear();
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return false;
    QDir dir(folder);
    if (!dir.isReadable())
        return false;
    // Hidden folders (names beginning with ".") belong to other programs, never to a pack.
    const QStringList subfolders =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : subfolders) {
        if (name.startsWith(QLatin1Char('.')))
            continue;
        if (QFileInfo(dir.filePath(name + QStringLiteral("/settings.ini"))).isFile())
            names->append(name);
    }
    return true;
}

bool Remove_Pack(const QString& folder, const QString& name) {
    if (!Is_Plain_Folder_Name(name))
        return false;
    const QString path = Child_Path(folder, name);
    const QFileInfo pack(path);
    if (pack.isSymLink())
        return QFile::remove(path);
    if (!pack.isDir())
        return false;

    // Files and links first; a real sub-folder is never entered, and it makes the final
    // folder removal fail, as the folder is then not empty.
    const QFileInfoList entries = QDir(path).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if ((entry.isSymLink() || !entry.isDir()) && !Remove_Entry(entry))
            return false;
    }
    return QDir(folder).rmdir(name);
}

bool Remove_Packs(const QString& folder, const QStringList& names) {
    for (const QString& name : names) {
        if (!Remove_Pack(folder, name))
            return false;
    }
    return true;
}

bool Remove_File_If_Present(const QString& folder, const QString& file_name) {
    const QFileInfo info(Child_Path(folder, file_name));
    if (info.isSymLink() || info.isFile())
        return Remove_Entry(info);
    return true;
}

QString Pack_In_Use() {
    const SettingsStore store;
    const QString app = QStringLiteral("Almanor");
    const QString section = QStringLiteral("Settings");
    if (store.Read(app, section, QStringLiteral("Use Themes"), 0).trimmed() != QLatin1String("1"))
        return QString();
    return store.Read(app, section, QStringLiteral("Pack Name"), QString());
}

namespace {
// The desktop must not keep showing a pack that is about to go: the user's own wallpaper
// comes back first.
bool Remove_Ticked_Packs(const QString& folder, const QStringList& names) {
    const QString in_use = Pack_In_Use();
    if (!in_use.isEmpty() && names.contains(in_use))
        Put_Back_Own_Wallpaper_After(Child_Path(folder, in_use));
    return Remove_Packs(folder, names);
}
} // namespace

bool Finish_Removal(const QString& folder, const RemovalChoice& choice) {
    const auto remove_events = [&folder] {
        // The note sync's state and the lock belong to calendar.dat: a state left behind would
        // make a later sync read every note as deleted here and delete it on the server.
        return Remove_File_If_Present(folder, QStringLiteral("calendar.dat")) &&
               Remove_File_If_Present(folder, QStringLiteral("data.bak")) &&
               Remove_File_If_Present(folder, QStringLiteral("calendar.sync")) &&
               Remove_File_If_Present(folder, QStringLiteral("calendar.sync.lock")) &&
               Remove_File_If_Present(folder, QStringLiteral("calendar.dat.lock"));
    };
    if (choice.everything) {
        return Remove_File_If_Present(folder, Remover_File_Name()) && remove_events() &&
               Remove_Ticked_Packs(folder, choice.ticked_packs);
    }
    if (choice.events && !remove_events())
        return false;
    if (choice.packs)
        return Remove_Ticked_Packs(folder, choice.ticked_packs);
    return true;
}
