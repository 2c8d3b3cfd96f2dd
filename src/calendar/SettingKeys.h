#pragma once

#include "calendar/AppSettings.h"

#include <QList>
#include <QString>

#include <optional>
#include <variant>

// The stored settings: section, key, and the AppSettings field that holds the value. The
// defaults are the field initialisers of AppSettings.
struct SettingKey {
    using Field = std::variant<qint16 AppSettings::*, qint32 AppSettings::*, bool AppSettings::*,
                               QString AppSettings::*>;
    QString section; // "Settings" or "Colours"
    QString key;     // e.g. "Use Theme Pos"
    Field field;
};

// Every stored key, section "Settings" first, in the order of the settings record.
const QList<SettingKey>& Setting_Keys();
// The entry of section / key (exact, case-sensitive), or nullptr.
const SettingKey* Find_Setting_Key(const QString& section, const QString& key);

// The field's value in its stored text form: decimal numbers, True / False, text as it is.
QString Setting_Field_Text(const AppSettings& settings, const SettingKey& key);
// Sets the field from a stored text. Returns false, leaving the field as it was, when the text
// can't be converted to the field's type (letters in a number, a number out of the field's range).
bool Set_Setting_From_Text(AppSettings& settings, const SettingKey& key, const QString& text);

// Numbers as stored: decimal text, surrounding blanks ignored. A fraction is rounded to the
// nearest integer, halves to even, as the classic conversion did. Empty when the text is no
// number or the result lies outside the type's range.
std::optional<qint16> Setting_To_Int16(const QString& text);
std::optional<qint32> Setting_To_Int32(const QString& text);
