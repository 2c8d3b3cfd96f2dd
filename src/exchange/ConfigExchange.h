#pragma once

#include "calendar/AppSettings.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class SettingsStore;
struct SettingKey;

// The configuration file: one quoted "key=value" item per line, CR LF, in a fixed order. Its keys
// are the stored keys written with underscores ("Use_Theme_Pos"), apart from a few older names
// ("TaskPos", "Col_Today", "Menu_Col_Sorce") that files in circulation use.

// What a value of one key may be.
enum class ConfigValueKind {
    Number, // a decimal number from min to max
    Flag,   // a check box of a 16-bit field: 0 or 1
    Switch, // a check box of a boolean field: 0, 1, -1 or the words True and False
    Text,   // any text
    Pack,   // the name of a folder inside the program folder
};

struct ConfigFileKey {
    QString file_key;
    const SettingKey* setting; // the stored key and the settings field
    ConfigValueKind kind;
    qint64 min = 0;
    qint64 max = 0;
};

// The 32 lines the export writes, in order ("Auto_Compact" twice).
const QList<ConfigFileKey>& Config_File_Keys();
// The entry of a file key, compared exactly (case-sensitive); nullptr for a key the file format
// doesn't know.
const ConfigFileKey* Find_Config_File_Key(const QString& file_key);

// The 32 items of the export, "key=value" each, from the values the settings window shows.
QStringList Config_Items(const AppSettings& shown);
// The bytes of the file: each item in double quotes, then CR LF, in UTF-8.
QByteArray Format_Config_File(const AppSettings& shown);

// Why an item can't be applied, for the user; empty when it can (or is ignored: an unknown key).
QString Check_Config_Item(const QString& item);

// The values of a whole file, checked: for each key met, its last value, in the table's order.
struct ConfigReading {
    bool ok = false;
    // Which line is wrong and why, when ok is false.
    QString error;
    QList<QPair<const ConfigFileKey*, QString>> values;
};
// Reads the items field by field as calendar.dat is read (a quoted item may hold commas; an
// unquoted line splits at commas) and checks every one before anything is used. A file that holds
// no known key, or ends inside a quoted item (cut off), is refused too.
ConfigReading Read_Config_File(const QByteArray& data);

enum class ConfigApply { Applied, Ignored, Failed };
// Applies one item to the record and the store together. Ignored: a key the format doesn't know.
// Failed: an item Check_Config_Item refuses (nothing changed), or the store couldn't be written.
ConfigApply Apply_Config_Item(SettingsStore& store, AppSettings& settings, const QString& item);

struct ConfigOutcome {
    bool ok = false;
    // For the user, after the message of the Part that failed; may be empty.
    QString detail;
};

// Reads, checks and applies the file at path. Nothing is applied or stored unless the whole file
// is good; when the store can't be written half way, the record and the store are put back.
ConfigOutcome Import_Config_File(const QString& path, SettingsStore& store, AppSettings& settings);
// Writes the file at path through a temporary file: a failed export leaves no half file.
ConfigOutcome Export_Config_File(const QString& path, const AppSettings& shown);

// The messages of the two directions.
QString Config_Exported_Message(const QString& path);
inline const QString Config_Export_Error =
    QStringLiteral("Error when exporting configuration to file.");
inline const QString Config_Imported_Message =
    QStringLiteral("Loaded configuration file successfully.");
inline const QString Config_Import_Error =
    QStringLiteral("Error when importing configuration from file.");
