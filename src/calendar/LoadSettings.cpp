#include "calendar/AppSettings.h"
#include "calendar/MsgBox.h"
#include "calendar/SettingKeys.h"
#include "calendar/SettingsStore.h"

namespace {

// A stored value as the user may see it in a message: short, one line, no control characters.
QString Shown_Value(const QString& value) {
    constexpr qsizetype max_length = 40;
    QString shown = value.left(max_length);
    for (QChar& c : shown) {
        if (!c.isPrint())
            c = QLatin1Char('?');
    }
    if (value.size() > max_length)
        shown += QStringLiteral("...");
    return shown;
}

} // namespace

AppSettings Load_Settings(const SettingsStore& store, QList<IgnoredSetting>* ignored) {
    const AppSettings defaults;
    AppSettings settings;
    for (const SettingKey& entry : Setting_Keys()) {
        const QString text = store.Read(QStringLiteral("Almanor"), entry.section, entry.key,
                                        Setting_Field_Text(defaults, entry));
        // A value that doesn't convert leaves the field at its default; start-up goes on.
        if (!Set_Setting_From_Text(settings, entry, text) && ignored)
            ignored->append(IgnoredSetting{entry.section, entry.key, text});
    }
    return settings;
}

AppSettings Load_Settings_Reporting(const SettingsStore& store) {
    QList<IgnoredSetting> ignored;
    AppSettings settings = Load_Settings(store, &ignored);
    if (ignored.isEmpty())
        return settings;
    QString text = QStringLiteral("These stored settings could not be read and keep their "
                                  "default values:\n");
    for (const IgnoredSetting& item : ignored) {
        text += QStringLiteral("\n%1 (%2): \"%3\"")
                    .arg(item.key, item.section, Shown_Value(item.value));
    }
    text += QStringLiteral("\n\nSettings file: ") + store.File_Path();
    Msg_Box(text, MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Almanor"));
    return settings;
}
