#pragma once

#include <QString>
#include <QVariant>

#include <optional>

// Conversions of values written to the registry, as the Basic runtime converts them; nullopt
// where it would raise a conversion error. An empty QVariant converts to no number.

// Text form: booleans as "True" / "False", numbers in their shortest form, an empty QVariant as "".
std::optional<QString> Value_To_String(const QVariant& value);
// Booleans, numbers (non-zero is true), and the texts "True" / "False" (any case) or a number.
std::optional<bool> Value_To_Boolean(const QVariant& value);
// Numbers rounded half to even, texts holding a number, booleans as -1 / 0; nullopt outside
// -32768..32767.
std::optional<qint16> Value_To_Integer16(const QVariant& value);
