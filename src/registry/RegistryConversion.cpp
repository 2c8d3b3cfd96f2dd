#include "registry/RegistryConversion.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

enum class Kind { Boolean, Signed, Unsigned, Floating, Text, Other };

Kind Kind_Of(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return Kind::Boolean;
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Char:
        return Kind::Signed;
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return Kind::Unsigned;
    case QMetaType::Double:
    case QMetaType::Float:
        return Kind::Floating;
    case QMetaType::QString:
        return Kind::Text;
    default:
        return Kind::Other;
    }
}

bool Is_Word(const QString& text, const char* word) {
    return text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

// A number written as text, in the C form or the user's locale.
std::optional<double> Parse_Number(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qlonglong whole = trimmed.toLongLong(&ok);
    if (ok)
        return double(whole);
    double number = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        number = QLocale().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

std::optional<qint16> Round_To_Integer16(double number) {
    if (!std::isfinite(number) || number < -32768.5 || number > 32767.5)
        return std::nullopt;
    double rounded = std::floor(number + 0.5);
    if (rounded - number == 0.5 && std::fmod(rounded, 2.0) != 0.0)
        rounded -= 1.0;
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return qint16(rounded);
}

} // namespace

std::optional<QString> Value_To_String(const QVariant& value) {
    if (!value.isValid())
        return QString(QLatin1String(""));
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (!value.canConvert<QString>())
        return std::nullopt;
    return value.toString();
}

std::optional<bool> Value_To_Boolean(const QVariant& value) {
    switch (Kind_Of(value)) {
    case Kind::Boolean:
        return value.toBool();
    case Kind::Signed:
        return value.toLongLong() != 0;
    case Kind::Unsigned:
        return value.toULongLong() != 0;
    case Kind::Floating: {
        const double number = value.toDouble();
        if (std::isnan(number))
            return std::nullopt;
        return number != 0.0;
    }
    case Kind::Text: {
        const QString text = value.toString().trimmed();
        if (Is_Word(text, "True"))
            return true;
        if (Is_Word(text, "False"))
            return false;
        const std::optional<double> number = Parse_Number(text);
        if (!number)
            return std::nullopt;
        return *number != 0.0;
    }
    case Kind::Other:
        break;
    }
    return std::nullopt;
}

std::optional<qint16> Value_To_Integer16(const QVariant& value) {
    switch (Kind_Of(value)) {
    case Kind::Boolean:
        return qint16(value.toBool() ? -1 : 0);
    case Kind::Signed: {
        const qlonglong number = value.toLongLong();
        if (number < std::numeric_limits<qint16>::min() ||
            number > std::numeric_limits<qint16>::max())
            return std::nullopt;
        return qint16(number);
    }
    case Kind::Unsigned: {
        const qulonglong number = value.toULongLong();
        if (number > qulonglong(std::numeric_limits<qint16>::max()))
            return std::nullopt;
        return qint16(number);
    }
    case Kind::Floating:
        return Round_To_Integer16(value.toDouble());
    case Kind::Text: {
        const QString text = value.toString().trimmed();
        if (Is_Word(text, "True"))
            return qint16(-1);
        if (Is_Word(text, "False"))
            return qint16(0);
        const std::optional<double> number = Parse_Number(text);
        if (!number)
            return std::nullopt;
        return Round_To_Integer16(*number);
    }
    case Kind::Other:
        break;
    }
    return std::nullopt;
}
