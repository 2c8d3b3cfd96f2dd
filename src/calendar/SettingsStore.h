#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

struct AppSettings;

// Per-user text values addressed by application, section and key. The calendar, the settings
// window, the configuration import and PositionReset all use the same file:
// $XDG_CONFIG_HOME/Almanor/Almanor.ini (sections "Settings" and "Colours").
//
// The file is an INI file written by QSettings. QSettings writes a space in a key as "%20"
// ("Use%20Theme%20Pos=0"); a key typed by hand with plain spaces reads the same. Values are
// plain text ("True", "-2147483630", "H:mm"); a text with commas is quoted.
//
// The application must be "Almanor" (exactly): the file holds no other program's settings, so
// for any other application Read answers the default and Write stores nothing and returns false.
class SettingsStore {
  public:
    // The per-user store of the current environment (XDG_CONFIG_HOME is read at construction).
    SettingsStore();
    // A store kept in the given file; tests and tools use it.
    explicit SettingsStore(QString file_path);

    QString File_Path() const { return path_; }

    // The stored text, or default_value's text form when the key is absent.
    QString Read(const QString& application, const QString& section, const QString& key,
                 const QVariant& default_value) const;
    // Stores the text form of value: numbers as decimal text, booleans as True / False.
    // Returns false when the file could not be written.
    bool Write(const QString& application, const QString& section, const QString& key,
               const QVariant& value);

  private:
    QString path_;
};

// The default location of the per-user store: the user's configuration folder
// (XDG_CONFIG_HOME, read at each call) + "/Almanor/Almanor.ini".
QString Settings_File_Path();

// Changes one setting in the record and in the store together: sets the field of section / key
// from value (converted as Load_Settings converts stored text) and writes the key. Returns false
// when the key is unknown, the value doesn't fit the field (nothing changed then) or the file
// couldn't be written (the field keeps the new value: the running program goes on with it).
bool Save_Setting(SettingsStore& store, AppSettings& settings, const QString& section,
                  const QString& key, const QVariant& value);

// The text form a value is stored in: numbers as decimal text, booleans as True / False.
QString Setting_Value_Text(const QVariant& value);

// A key whose stored text could not be converted to its field's type.
struct IgnoredSetting {
    QString section;
    QString key;
    QString value;
};

// Reads every key, each with its default. A stored text that can't be converted keeps that
// key's default and is listed in ignored (when given).
AppSettings Load_Settings(const SettingsStore& store, QList<IgnoredSetting>* ignored = nullptr);

// Load_Settings for start-up: tells the user once which keys and values were ignored.
AppSettings Load_Settings_Reporting(const SettingsStore& store);

// Converts a stored boolean: the words True and False (any case), or a number, non-zero true.
// Returns false in ok for anything else.
bool Setting_To_Bool(const QString& text, bool* ok);
