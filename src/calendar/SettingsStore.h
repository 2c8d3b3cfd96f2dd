#pragma once

#include <QString>
#include <QVariant>

#include <memory>

struct AppSettings;

// Per-user text values addressed by application, section and key. The calendar, the settings
// window, the configuration import and PositionReset all use the same file:
// $XDG_CONFIG_HOME/Almanor/Almanor.ini (sections "Settings" and "Colours").
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

// The default location of the per-user store.
QString Settings_File_Path();

// A key whose stored text could not be converted to its field's type.
struct IgnoredSetting {
    QString section;
    QString key;
    QString value;
};

// Reads the 32 keys, each with its default. A stored text that can't be converted keeps that
// key's default and is listed in ignored (when given).
AppSettings Load_Settings(const SettingsStore& store, QList<IgnoredSetting>* ignored = nullptr);

// Load_Settings for start-up: tells the user once which keys and values were ignored.
AppSettings Load_Settings_Reporting(const SettingsStore& store);

// Converts a stored boolean: the words True and False (any case), or a number, non-zero true.
// Returns false in ok for anything else.
bool Setting_To_Bool(const QString& text, bool* ok);
