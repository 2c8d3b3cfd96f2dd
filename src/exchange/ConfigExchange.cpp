#include "exchange/ConfigExchange.h"

#include "calendar/SettingKeys.h"
#include "calendar/SettingsStore.h"
#include "events/EventStore.h"
#include "exchange/DataFileExchange.h"
#include "exchange/ExchangeFields.h"
#include "exchange/ExchangeFile.h"
#include "packs/PackFolder.h"

#include <QFile>
#include <QFileInfo>

#include <limits>
#include <optional>

namespace {

// A configuration file is a few hundred bytes; anything this big is not one.
constexpr qint64 Max_Config_Bytes = 256LL * 1024 * 1024;

const QString Crlf = QStringLiteral("\r\n");

ConfigFileKey Line(const char* file_key, const char* section, const char* store_key,
                   ConfigValueKind kind, qint64 min = 0, qint64 max = 0) {
    const SettingKey* setting =
        Find_Setting_Key(QString::fromLatin1(section), QString::fromLatin1(store_key));
    Q_ASSERT(setting);
    return ConfigFileKey{QString::fromLatin1(file_key), setting, kind, min, max};
}

ConfigFileKey Number(const char* file_key, const char* section, const char* store_key, qint64 min,
                     qint64 max) {
    return Line(file_key, section, store_key, ConfigValueKind::Number, min, max);
}

ConfigFileKey Flag(const char* file_key, const char* store_key) {
    return Line(file_key, "Settings", store_key, ConfigValueKind::Flag, 0, 1);
}

ConfigFileKey Colour(const char* file_key, const char* store_key) {
    return Number(file_key, "Colours", store_key, std::numeric_limits<qint32>::min(),
                  std::numeric_limits<qint32>::max());
}

// The value of a settings field as the file writes it: check boxes of boolean fields as 0 / 1.
QString Value_Text(const AppSettings& shown, const ConfigFileKey& entry) {
    if (entry.kind == ConfigValueKind::Switch)
        return shown.*std::get<bool AppSettings::*>(entry.setting->field) ? QStringLiteral("1")
                                                                          : QStringLiteral("0");
    return Setting_Field_Text(shown, *entry.setting);
}

QString Range_Text(const ConfigFileKey& entry) {
    if (entry.max - entry.min == 1)
        return QStringLiteral("%1 or %2").arg(entry.min).arg(entry.max);
    return QStringLiteral("a whole number from %1 to %2").arg(entry.min).arg(entry.max);
}

// A plain decimal integer of up to nine digits, the form the export writes, read without the
// general number reading: a big file holds millions of them.
std::optional<qint64> Plain_Integer(QStringView text) {
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QStringView digits = negative ? text.sliced(1) : text;
    if (digits.isEmpty() || digits.size() > 9)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return negative ? -value : value;
}

// Why value can't be the value of entry; empty when it can.
QString Check_Value(const ConfigFileKey& entry, QStringView value) {
    switch (entry.kind) {
    case ConfigValueKind::Text:
        return {};
    case ConfigValueKind::Pack:
        return Is_Pack_Name(value.toString())
                   ? QString()
                   : QStringLiteral("the pack name must be a folder name");
    case ConfigValueKind::Switch: {
        const QStringView trimmed = value.trimmed();
        for (const char* word : {"0", "1", "-1", "True", "False"}) {
            if (trimmed.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
                return {};
        }
        return QStringLiteral("the value must be 0 or 1");
    }
    case ConfigValueKind::Number:
    case ConfigValueKind::Flag:
        break;
    }
    // Otherwise integers as the store reads them: decimal text, a fraction rounded.
    std::optional<qint64> number = Plain_Integer(value);
    if (!number) {
        if (const std::optional<qint32> stored = Setting_To_Int32(value.toString()))
            number = *stored;
    }
    if (!number || *number < entry.min || *number > entry.max)
        return QStringLiteral("the value must be ") + Range_Text(entry);
    return {};
}

const ConfigFileKey* Find_Key(QStringView file_key) {
    for (const ConfigFileKey& entry : Config_File_Keys()) {
        if (file_key.size() == entry.file_key.size() && file_key == entry.file_key)
            return &entry;
    }
    return nullptr;
}

// An item split at its first "=": the entry of its key (nullptr for an unknown key) and its
// value. Empty reason when the item can be applied or ignored.
struct CheckedItem {
    const ConfigFileKey* entry = nullptr;
    QStringView value;
    QString reason;
};

CheckedItem Check_Item(QStringView item) {
    const qsizetype equals = item.indexOf(QLatin1Char('='));
    if (equals < 0)
        return {nullptr, {}, QStringLiteral("an item must be a key, \"=\" and a value")};
    CheckedItem checked{Find_Key(item.left(equals)), item.sliced(equals + 1), {}};
    if (checked.entry)
        checked.reason = Check_Value(*checked.entry, checked.value);
    return checked;
}

QString Line_Error(qsizetype line, QStringView item, const QString& reason) {
    return QStringLiteral("Line %1: \"%2\": %3.").arg(line).arg(Shown_Item(item), reason);
}

// The record and the store's file as they were before an import, so a store that fails half way
// can be put back.
struct StoreSnapshot {
    AppSettings settings;
    QByteArray file;
    bool existed = false;
};

StoreSnapshot Take_Snapshot(const SettingsStore& store, const AppSettings& settings) {
    StoreSnapshot snapshot{settings, {}, false};
    snapshot.existed = Read_Whole_File(store.File_Path(), &snapshot.file, Max_Config_Bytes);
    return snapshot;
}

void Restore_Snapshot(const StoreSnapshot& snapshot, const SettingsStore& store,
                      AppSettings& settings) {
    settings = snapshot.settings;
    if (snapshot.existed)
        Save_File_Atomically(store.File_Path(), snapshot.file);
    else
        QFile::remove(store.File_Path());
}

} // namespace

const QList<ConfigFileKey>& Config_File_Keys() {
    using K = ConfigValueKind;
    static const QList<ConfigFileKey> keys = {
        Number("Style", "Settings", "Style", 0, 2),
        Number("TaskPos", "Settings", "Alignment", 0, 9),
        Colour("Col_Today", "Today"),
        Colour("Col_Normal", "Normal"),
        Colour("Col_Fore", "Fore"),
        Colour("Col_Num", "Num"),
        Colour("Col_Text", "Text"),
        Colour("Col_Back", "Back"),
        Colour("Col_Inactive", "Inactive"),
        Number("Menu_Col_Sorce", "Colours", "Menu Colour Source", 0, 1),
        Flag("Show_Alerts", "Show Alerts"),
        Flag("Use_Themes", "Use Themes"),
        Flag("Use_Theme_Pos", "Use Theme Pos"),
        Flag("Use_Theme_Style", "Use Theme Style"),
        Flag("Allow_Dragging", "Allow Dragging"),
        Line("Bar_Time", "Settings", "Bar Time", K::Switch),
        Line("Bar_Time_Format", "Settings", "Bar Time Format", K::Text),
        Line("Bar_Date_Format", "Settings", "Bar Date Format", K::Text),
        Number("Manual_PosX", "Settings", "Manual_PosX", std::numeric_limits<qint32>::min(),
               std::numeric_limits<qint32>::max()),
        Number("Manual_PosY", "Settings", "Manual_PosY", std::numeric_limits<qint32>::min(),
               std::numeric_limits<qint32>::max()),
        Line("Use_Other_Display_Mode", "Settings", "Use Other Display Mode", K::Switch),
        Number("Other_Display_Mode", "Settings", "Other Display Mode", 0, 2),
        Flag("Auto_Compact", "Auto Compact"),
        Line("Pack_Name", "Settings", "Pack Name", K::Pack),
        Flag("Show_Splash", "Show Splash"),
        Flag("Trans_Icons", "Trans Icons"),
        Number("Timeout_Value", "Settings", "Timeout Value", 1, 60),
        Number("Timeout_Format", "Settings", "Timeout Format", 0, 1),
        Flag("Carriage_Return", "Carriage_Return"),
        Number("Start_Day", "Settings", "Start Day", 0, 7),
        Flag("Auto_Compact", "Auto Compact"),
        Number("Tooltips", "Settings", "Tooltips", 0, 2),
    };
    return keys;
}

const ConfigFileKey* Find_Config_File_Key(const QString& file_key) {
    return Find_Key(file_key);
}

QStringList Config_Items(const AppSettings& shown) {
    QStringList items;
    for (const ConfigFileKey& entry : Config_File_Keys())
        items.append(entry.file_key + QLatin1Char('=') + Value_Text(shown, entry));
    return items;
}

QByteArray Format_Config_File(const AppSettings& shown) {
    // The same line form as calendar.dat: quoted, CR LF; a value can't hold a double quote.
    return Format_Event_File(Config_Items(shown));
}

QString Check_Config_Item(const QString& item) {
    return Check_Item(item).reason;
}

ConfigReading Read_Config_File(const QByteArray& data) {
    ConfigReading reading;
    if (Looks_Binary(data)) {
        reading.error = QStringLiteral("The file is not a text file.");
        return reading;
    }
    // The last value of each key: applying a key twice leaves the second value.
    const QList<ConfigFileKey>& keys = Config_File_Keys();
    QList<std::optional<QString>> last(keys.size());
    const QString text = Decode_Event_File(data);
    QStringView previous;
    For_Each_Exchange_Field(QStringView(text), [&](const ExchangeField& field) {
        if (field.cut_off) {
            reading.error = Line_Error(field.line, field.text,
                                       QStringLiteral("the file ends inside this item"));
            return false;
        }
        // A file that repeats an item (as big files do) is checked once per run of repeats.
        if (field.text.size() == previous.size() && field.text == previous)
            return true;
        previous = field.text;
        const CheckedItem item = Check_Item(field.text);
        if (!item.reason.isEmpty()) {
            reading.error = Line_Error(field.line, field.text, item.reason);
            return false;
        }
        if (item.entry) {
            last[item.entry - keys.data()] = item.value.toString();
        }
        return true;
    });
    if (!reading.error.isEmpty())
        return reading;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (last[i])
            reading.values.append({&keys[i], *last[i]});
    }
    if (reading.values.isEmpty()) {
        reading.error = QStringLiteral("The file holds no configuration item.");
        return reading;
    }
    reading.ok = true;
    return reading;
}

ConfigApply Apply_Config_Item(SettingsStore& store, AppSettings& settings, const QString& item) {
    const CheckedItem checked = Check_Item(item);
    if (!checked.reason.isEmpty())
        return ConfigApply::Failed;
    if (!checked.entry)
        return ConfigApply::Ignored;
    const bool saved = Save_Setting(store, settings, checked.entry->setting->section,
                                    checked.entry->setting->key, checked.value.toString());
    return saved ? ConfigApply::Applied : ConfigApply::Failed;
}

ConfigOutcome Import_Config_File(const QString& path, SettingsStore& store, AppSettings& settings) {
    QByteArray data;
    if (!Read_Whole_File(path, &data, Max_Config_Bytes))
        return {false, QStringLiteral("The file could not be read.")};
    const ConfigReading reading = Read_Config_File(data);
    if (!reading.ok)
        return {false, reading.error};
    const StoreSnapshot snapshot = Take_Snapshot(store, settings);
    for (const auto& [entry, value] : reading.values) {
        if (Apply_Config_Item(store, settings, entry->file_key + QLatin1Char('=') + value) !=
            ConfigApply::Applied) {
            Restore_Snapshot(snapshot, store, settings);
            return {false, QStringLiteral("The settings could not be stored.")};
        }
    }
    return {true, {}};
}

ConfigOutcome Export_Config_File(const QString& path, const AppSettings& shown) {
    if (!Save_File_Atomically(path, Format_Config_File(shown)))
        return {false, {}};
    return {true, {}};
}

QString Config_Exported_Message(const QString& path) {
    return QStringLiteral("Successfully exported current configuration to file...") + Crlf + Crlf +
           QFileInfo(path).absoluteFilePath();
}
