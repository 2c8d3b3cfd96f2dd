#pragma once

#include <QString>
#include <QVariant>

// Single named values of the registry, addressed by a root name ("HKCU", "HKLM", "HKU", "HKDD",
// "HKCC", "HKCR", any case) or by the path of an existing profile (INI) file. Types: "S" string,
// "B" Boolean, "D" 32-bit integer written from a 16-bit value. Results: 0 success, the Windows
// error code of the step that failed (2 not found, 5 access denied), 99 for an unknown root.
// None of them ever throws or shows anything.

// Handle value of a root name; 1 for the path of an existing file; 0 otherwise.
qint32 Get_Root(const QString& name);
// result is set to default_value first, then to the value read when the read succeeds.
qint32 Read_Value(const QString& root, const QString& key, const QString& value_name,
                  const QString& type, const QVariant& default_value, QVariant& result);
// Creates the key path when it does not exist.
qint32 Write_Value(const QString& root, const QString& key, const QString& value_name,
                   const QString& type, const QVariant& value);
// A missing key or value counts as deleted (0).
qint32 Delete_Value(const QString& root, const QString& key, const QString& value_name);
