#include "calendar/SettingsStore.h"

#include "calendar/AppSettings.h"
#include "calendar/SettingKeys.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <filesystem>
#include <system_error>

namespace {

bool Is_Our_Application(const QString& application) {
    return application == QLatin1String("Almanor");
}

// QSettings takes "/" as a group separator, so section and key are joined with it; neither may
// be empty.
bool Valid_Address(const QString& section, const QString& key) {
    return !section.isEmpty() && !key.isEmpty();
}

bool Rewrite_Readable_Keys(const QString& path, const QString& name, const QString& text) {
    const QString fresh = path + QStringLiteral(".new");
    QFile::remove(fresh);
    {
        const QSettings reader(path, QSettings::IniFormat);
        QSettings writer(fresh, QSettings::IniFormat);
        for (const QString& stored : reader.allKeys())
            writer.setValue(stored, reader.value(stored));
        writer.setValue(name, text);
        writer.sync();
        if (writer.status() != QSettings::NoError) {
            QFile::remove(fresh);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(fresh).toStdString(),
                            QFile::encodeName(path).toStdString(), error);
    if (error)
        QFile::remove(fresh);
    return !error;
}

} // namespace

QString Settings_File_Path() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Almanor/Almanor.ini");
}

SettingsStore::SettingsStore() : path_(Settings_File_Path()) {}

SettingsStore::SettingsStore(QString file_path) : path_(std::move(file_path)) {}

QString Setting_Value_Text(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::SChar:
        return QString::number(value.toLongLong());
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UChar:
        return QString::number(value.toULongLong());
    case QMetaType::QStringList:
        return value.toStringList().join(QStringLiteral(", "));
    default:
        return value.toString();
    }
}

QString SettingsStore::Read(const QString& application, const QString& section, const QString& key,
                            const QVariant& default_value) const {
    if (!Is_Our_Application(application) || !Valid_Address(section, key))
        return Setting_Value_Text(default_value);
    QSettings settings(path_, QSettings::IniFormat);
    const QVariant stored = settings.value(section + QLatin1Char('/') + key);
    if (!stored.isValid())
        return Setting_Value_Text(default_value);
    // A value typed by hand with unquoted commas comes back as a list.
    return Setting_Value_Text(stored);
}

namespace {

// QSettings guards its writes with a lock file that holds the writer's process id. A writer
// killed between making that file and filling it leaves it empty; QSettings then can't tell the
// lock is stale and waits half a minute before every later write. An empty lock has no live
// owner for more than an instant, so it is taken away.
void Clear_Abandoned_Lock(const QString& settings_path) {
    const QFileInfo lock(settings_path + QStringLiteral(".lock"));
    if (lock.exists() && lock.isFile() && lock.size() == 0)
        QFile::remove(lock.filePath());
}

} // namespace

bool SettingsStore::Write(const QString& application, const QString& section, const QString& key,
                          const QVariant& value) {
    if (!Is_Our_Application(application) || !Valid_Address(section, key))
        return false;
    const QString name = section + QLatin1Char('/') + key;
    const QString text = Setting_Value_Text(value);
    Clear_Abandoned_Lock(path_);
    {
        QSettings settings(path_, QSettings::IniFormat);
        settings.setValue(name, text);
        settings.sync();
        if (settings.status() == QSettings::NoError)
            return true;
        if (settings.status() != QSettings::FormatError)
            return false;
    }
    // QSettings won't write over a file with lines it can't parse (typed by hand). Those lines
    // hold no setting, so the readable keys are copied into a fresh file that then replaces it.
    return Rewrite_Readable_Keys(path_, name, text);
}

bool Save_Setting(SettingsStore& store, AppSettings& settings, const QString& section,
                  const QString& key, const QVariant& value) {
    const SettingKey* entry = Find_Setting_Key(section, key);
    if (!entry || !Set_Setting_From_Text(settings, *entry, Setting_Value_Text(value)))
        return false;
    return store.Write(QStringLiteral("Almanor"), section, key,
                       Setting_Field_Text(settings, *entry));
}
