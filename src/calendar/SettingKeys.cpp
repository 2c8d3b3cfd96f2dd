#include "calendar/SettingKeys.h"

#include "calendar/SettingsStore.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

SettingKey S(const char* key, SettingKey::Field field) {
    return SettingKey{QStringLiteral("Settings"), QString::fromLatin1(key), field};
}

SettingKey C(const char* key, SettingKey::Field field) {
    return SettingKey{QStringLiteral("Colours"), QString::fromLatin1(key), field};
}

// A decimal number with an optional sign and fraction; nothing else (no exponent, no hex).
std::optional<double> Decimal_Value(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    const QString trimmed = text.trimmed();
    if (!pattern.match(trimmed).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok); // C locale: '.' is the decimal point
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

template <typename T> std::optional<T> To_Integer(const QString& text) {
    const std::optional<double> value = Decimal_Value(text);
    if (!value)
        return std::nullopt;
    // nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(*value);
    if (rounded < double(std::numeric_limits<T>::min()) ||
        rounded > double(std::numeric_limits<T>::max()))
        return std::nullopt;
    return T(rounded);
}

} // namespace

std::optional<qint16> Setting_To_Int16(const QString& text) {
    return To_Integer<qint16>(text);
}

std::optional<qint32> Setting_To_Int32(const QString& text) {
    return To_Integer<qint32>(text);
}

bool Setting_To_Bool(const QString& text, bool* ok) {
    const QString trimmed = text.trimmed();
    bool converted = true;
    bool result = false;
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        result = true;
    } else if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        result = false;
    } else if (const std::optional<double> value = Decimal_Value(trimmed)) {
        result = *value != 0.0;
    } else {
        converted = false;
    }
    if (ok)
        *ok = converted;
    return converted && result;
}

const QList<SettingKey>& Setting_Keys() {
    static const QList<SettingKey> keys = {
        S("Style", &AppSettings::Style),
        S("Alignment", &AppSettings::Alignment),
        S("Pack Name", &AppSettings::Pack_Name),
        S("Use Themes", &AppSettings::Use_Themes),
        S("Use Theme Pos", &AppSettings::Use_Theme_Pos),
        S("Use Theme Style", &AppSettings::Use_Theme_Style),
        S("Show Alerts", &AppSettings::Show_Alerts),
        S("Allow Dragging", &AppSettings::Allow_Dragging),
        S("Bar Time", &AppSettings::Bar_Time),
        S("Bar Time Format", &AppSettings::Bar_Time_Format),
        S("Bar Date Format", &AppSettings::Bar_Date_Format),
        S("Manual_PosX", &AppSettings::Manual_PosX),
        S("Manual_PosY", &AppSettings::Manual_PosY),
        S("Use Other Display Mode", &AppSettings::Use_Other_Display_Mode),
        S("Other Display Mode", &AppSettings::Other_Display_Mode),
        S("Auto Compact", &AppSettings::Auto_Compact),
        S("Tooltips", &AppSettings::Tooltips),
        S("Settings Tab", &AppSettings::Settings_Tab),
        S("Start Day", &AppSettings::Start_Day),
        S("Show Splash", &AppSettings::Show_Splash),
        S("Trans Icons", &AppSettings::Trans_Icons),
        S("Timeout Value", &AppSettings::Timeout_Value),
        S("Timeout Format", &AppSettings::Timeout_Format),
        S("Carriage_Return", &AppSettings::Carriage_Return),
        S("Remind Days", &AppSettings::Remind_Days),
        S("Remind Time", &AppSettings::Remind_Time),
        S("Use Notifications", &AppSettings::Use_Notifications),
        C("Today", &AppSettings::Today),
        C("Normal", &AppSettings::Normal),
        C("Fore", &AppSettings::Fore),
        C("Num", &AppSettings::Num),
        C("Text", &AppSettings::Text),
        C("Back", &AppSettings::Back),
        C("Inactive", &AppSettings::Inactive),
        C("Menu Colour Source", &AppSettings::Menu_Colour_Source),
    };
    return keys;
}

const SettingKey* Find_Setting_Key(const QString& section, const QString& key) {
    for (const SettingKey& entry : Setting_Keys()) {
        if (entry.section == section && entry.key == key)
            return &entry;
    }
    return nullptr;
}

QString Setting_Field_Text(const AppSettings& settings, const SettingKey& key) {
    struct Visitor {
        const AppSettings& s;
        QString operator()(qint16 AppSettings::*f) const { return QString::number(s.*f); }
        QString operator()(qint32 AppSettings::*f) const { return QString::number(s.*f); }
        QString operator()(bool AppSettings::*f) const {
            return s.*f ? QStringLiteral("True") : QStringLiteral("False");
        }
        QString operator()(QString AppSettings::*f) const { return s.*f; }
    };
    return std::visit(Visitor{settings}, key.field);
}

bool Set_Setting_From_Text(AppSettings& settings, const SettingKey& key, const QString& text) {
    struct Visitor {
        AppSettings& s;
        const QString& text;
        bool operator()(qint16 AppSettings::*f) const {
            const std::optional<qint16> value = Setting_To_Int16(text);
            if (value)
                s.*f = *value;
            return value.has_value();
        }
        bool operator()(qint32 AppSettings::*f) const {
            const std::optional<qint32> value = Setting_To_Int32(text);
            if (value)
                s.*f = *value;
            return value.has_value();
        }
        bool operator()(bool AppSettings::*f) const {
            bool ok = false;
            const bool value = Setting_To_Bool(text, &ok);
            if (ok)
                s.*f = value;
            return ok;
        }
        bool operator()(QString AppSettings::*f) const {
            s.*f = text;
            return true;
        }
    };
    return std::visit(Visitor{settings, text}, key.field);
}
