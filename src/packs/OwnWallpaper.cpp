#include "packs/OwnWallpaper.h"

#include "calendar/SettingsStore.h"
#include "packs/SetWallpaper_Mod.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const QString Record_Name = QStringLiteral("Wallpaper.ini");

QString Record_Path() {
    return Own_Wallpaper_Folder() + QLatin1Char('/') + Record_Name;
}

bool Inside(const QString& path, const QString& folder) {
    if (path.isEmpty() || folder.isEmpty())
        return false;
    const QString parent = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + QLatin1Char('/');
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath()).startsWith(parent);
}

bool Write_Record(const WallpaperRecord& record) {
    QSettings file(Record_Path(), QSettings::IniFormat);
    file.clear();
    file.setValue(QStringLiteral("Backend"), record.backend);
    file.beginWriteArray(QStringLiteral("Values"), int(record.values.size()));
    for (int i = 0; i < record.values.size(); ++i) {
        file.setArrayIndex(i);
        file.setValue(QStringLiteral("Name"), record.values.at(i).first);
        file.setValue(QStringLiteral("Value"), record.values.at(i).second);
    }
    file.endArray();
    file.sync();
    return file.status() == QSettings::NoError;
}

void Forget_Record() {
    QDir(Own_Wallpaper_Folder()).removeRecursively();
}

// True when the record was put back (and forgotten).
bool Restore_Record() {
    const std::optional<WallpaperRecord> record = Own_Wallpaper_Record();
    if (!record || !Current_Platform().Restore_Desktop_Wallpaper(*record))
        return false;
    Forget_Record();
    // The path recorded is what this program set last: no pack picture any more.
    SetRegistryString(QStringLiteral("HKCU"), Desktop_Key, QStringLiteral("Wallpaper"),
                      Current_Platform().Desktop_Wallpaper());
    return true;
}
} // namespace

QString Own_Wallpaper_Folder() {
    return QFileInfo(Settings_File_Path()).absolutePath() + QStringLiteral("/Own Wallpaper");
}

std::optional<WallpaperRecord> Own_Wallpaper_Record() {
    if (!QFileInfo::exists(Record_Path()))
        return std::nullopt;
    QSettings file(Record_Path(), QSettings::IniFormat);
    WallpaperRecord record;
    record.backend = file.value(QStringLiteral("Backend")).toString();
    const int count = file.beginReadArray(QStringLiteral("Values"));
    for (int i = 0; i < count; ++i) {
        file.setArrayIndex(i);
        record.values.append({file.value(QStringLiteral("Name")).toString(),
                              file.value(QStringLiteral("Value")).toString()});
    }
    file.endArray();
    if (file.status() != QSettings::NoError || record.backend.isEmpty())
        return std::nullopt;
    return record;
}

bool Record_Own_Wallpaper(const QString& program_dir) {
    if (Own_Wallpaper_Record())
        return false;
    if (Inside(Current_Platform().Desktop_Wallpaper(), program_dir))
        return false;
    if (!QDir().mkpath(Own_Wallpaper_Folder()))
        return false;
    const std::optional<WallpaperRecord> record =
        Current_Platform().Record_Desktop_Wallpaper(Own_Wallpaper_Folder());
    if (!record || !Write_Record(*record)) {
        Forget_Record();
        return false;
    }
    return true;
}

void Put_Back_Own_Wallpaper() {
    if (!Restore_Record())
        SetWallpaper(QString(), 0);
}

void Packs_Switched(qint16 before, qint16 after, const QString& program_dir) {
    if (before == 0 && after == 1)
        Record_Own_Wallpaper(program_dir);
    else if (before == 1 && after == 0)
        Put_Back_Own_Wallpaper();
}

void Put_Back_Own_Wallpaper_After(const QString& pack_folder) {
    if (Restore_Record())
        return;
    if (Inside(Current_Wallpaper(), pack_folder))
        SetWallpaper(QString(), 0);
}
