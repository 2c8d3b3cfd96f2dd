#include "settings/GeneralOptions.h"

#include "calendar/AppSettings.h"
#include "calendar/SettingsStore.h"

namespace {
constexpr int Timeout_Min = 1;
constexpr int Timeout_Max = 60;
} // namespace

QStringList Bar_Time_Formats() {
    return {QStringLiteral("H:mm"),       QStringLiteral("HH:mm"),
            QStringLiteral("H:mm:ss"),    QStringLiteral("HH:mm:ss"),
            QStringLiteral("h:mm AM/PM"), QStringLiteral("h:mm:ss AM/PM")};
}

QStringList Bar_Date_Formats() {
    return {QStringLiteral("mm/yyyy"),
            QStringLiteral("dd/mm/yyyy"),
            QStringLiteral("Month - yyyy"),
            QStringLiteral("d Month - yyyy"),
            QStringLiteral("Weekday - d month - yyyy"),
            QStringLiteral("Use System Format")};
}

QStringList Timeout_Values() {
    QStringList items;
    for (int i = Timeout_Min; i <= Timeout_Max; ++i)
        items.append(QString::number(i));
    return items;
}

QStringList Timeout_Formats() {
    return {QStringLiteral("Seconds"), QStringLiteral("Minutes")};
}

std::optional<qint16> Parse_Timeout_Value(const QString& text) {
    const QString trimmed = text.trimmed();
    // Digits only: no sign, no fraction, no exponent, no hexadecimal.
    if (trimmed.isEmpty() || trimmed.size() > 2)
        return std::nullopt;
    for (const QChar c : trimmed)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const int value = trimmed.toInt();
    if (value < Timeout_Min || value > Timeout_Max)
        return std::nullopt;
    return qint16(value);
}

GeneralChoices Current_General_Choices(const AppSettings& settings) {
    GeneralChoices choices;
    choices.timeout_value = QString::number(settings.Timeout_Value);
    choices.carriage_return = settings.Carriage_Return;
    choices.timeout_format = settings.Timeout_Format;
    choices.trans_icons = settings.Trans_Icons;
    choices.show_splash = settings.Show_Splash;
    choices.show_alerts = settings.Show_Alerts;
    choices.allow_dragging = settings.Allow_Dragging;
    choices.auto_compact = settings.Auto_Compact;
    choices.remind_days = settings.Remind_Days;
    choices.remind_time = settings.Remind_Time;
    choices.use_notifications = settings.Use_Notifications;
    return choices;
}

GeneralSaveResult Save_General_Choices(SettingsStore& store, AppSettings& settings,
                                       const GeneralChoices& choices) {
    const QString section = QStringLiteral("Settings");
    GeneralSaveResult result;
    // The list offers 1 to 60, but the stored time may be longer (a configuration file sets any
    // number): a text the user left as it was loaded is kept without a check.
    if (choices.timeout_value.trimmed() != QString::number(settings.Timeout_Value)) {
        const std::optional<qint16> timeout = Parse_Timeout_Value(choices.timeout_value);
        if (!timeout)
            result.refused_timeout = choices.timeout_value;
        else if (*timeout != settings.Timeout_Value)
            Save_Setting(store, settings, section, QStringLiteral("Timeout Value"), *timeout);
    }

    auto store_if_changed = [&](qint16 AppSettings::*field, const char* key, qint16 value) {
        if (settings.*field == value)
            return false;
        Save_Setting(store, settings, section, QString::fromLatin1(key), value);
        return true;
    };
    store_if_changed(&AppSettings::Carriage_Return, "Carriage_Return", choices.carriage_return);
    store_if_changed(&AppSettings::Timeout_Format, "Timeout Format", choices.timeout_format);
    store_if_changed(&AppSettings::Trans_Icons, "Trans Icons", choices.trans_icons);
    store_if_changed(&AppSettings::Show_Splash, "Show Splash", choices.show_splash);
    store_if_changed(&AppSettings::Show_Alerts, "Show Alerts", choices.show_alerts);
    store_if_changed(&AppSettings::Allow_Dragging, "Allow Dragging", choices.allow_dragging);
    result.auto_compact_changed =
        store_if_changed(&AppSettings::Auto_Compact, "Auto Compact", choices.auto_compact);
    store_if_changed(&AppSettings::Remind_Days, "Remind Days",
                     qint16(std::clamp<int>(choices.remind_days, 0, 30)));
    if (choices.remind_time != settings.Remind_Time)
        Save_Setting(store, settings, section, QStringLiteral("Remind Time"), choices.remind_time);
    store_if_changed(&AppSettings::Use_Notifications, "Use Notifications",
                     choices.use_notifications);
    return result;
}

QString Refused_Timeout_Message(const QString& text, qint16 kept) {
    return QStringLiteral("\"%1\" is not a valid time for Compact Mode: enter a whole number "
                          "from 1 to 60. The time stays at %2.")
        .arg(text.trimmed(), QString::number(kept));
}

bool Save_Tooltips_Choice(SettingsStore& store, AppSettings& settings, qint16 selected) {
    if (selected < 0 || selected > 2 || selected == settings.Tooltips)
        return false;
    Save_Setting(store, settings, QStringLiteral("Settings"), QStringLiteral("Tooltips"), selected);
    return true;
}

void Save_Title_Bar_Choices(SettingsStore& store, AppSettings& settings, bool bar_time,
                            const QString& time_format, const QString& date_format) {
    const QString section = QStringLiteral("Settings");
    Save_Setting(store, settings, section, QStringLiteral("Bar Time"), bar_time);
    Save_Setting(store, settings, section, QStringLiteral("Bar Time Format"), time_format);
    Save_Setting(store, settings, section, QStringLiteral("Bar Date Format"), date_format);
}

QString Tips_Trigger_Text(qint16 kind) {
    switch (kind) {
    case 1:
        return QStringLiteral("Hover Over...");
    case 2:
        return QStringLiteral("Hold Left Mouse Button");
    default:
        return QString();
    }
}

QString Tips_Example_Tooltip(qint16 kind) {
    return kind == 1 ? Tips_Example_Text() : QString();
}

QString Tips_Notes_Text(qint16 kind) {
    switch (kind) {
    case 1:
        return QStringLiteral(
            "The standard Tooltips appear when you hover your mouse over it for a short length "
            "of time. The problem with the standard Tooltips is that they are only one line "
            "high. This means if the event is too long then it might get cut off.");
    case 2:
        return QStringLiteral(
            "These balloon Tooltips don't pop up when you hover over them like the standard "
            "tooltips do. For these to appear you have to hold down the left mouse button for "
            "about half a second over the box.");
    default:
        return QStringLiteral("Neither of the two Tooltip styles will be used.");
    }
}

QString Tips_Example_Text() {
    return QStringLiteral("This is an example.");
}
