#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

// The contents of one root of the file-backed registry: keys with their values, in file order.
// Key paths and value names compare without regard to case and keep the spelling they were
// first stored with.
//
// File form (UTF-8): a comment line, then one section per key and one line per value:
//   [Control Panel\Desktop]
//   Wallpaper=1:2f686f6d652f612e626d7000
// i.e. name=type:data, the type a decimal registry type and the data its bytes in hex. "%", "=",
// "[", "]", ";", "#", control characters and leading or trailing blanks in names are written as
// %XX. A line that doesn't fit this form is skipped, so a damaged file reads as far as it can.
struct RegistryFileValue {
    QString name;
    quint32 type = 0;
    QByteArray data;
};

struct RegistryFileKey {
    QString path;
    QList<RegistryFileValue> values;
};

class RegistryFile {
  public:
    // A missing or unreadable file reads as an empty registry.
    static RegistryFile Load(const QString& file_path);
    static RegistryFile Parse(const QByteArray& bytes);
    QByteArray Serialise() const;
    // Writes the file atomically, creating its folders. False when that fails.
    bool Save(const QString& file_path) const;

    // True when the key, or a key below it, is stored (the root key, "", always exists).
    bool Has_Key(const QString& path) const;
    // Adds the key when it isn't stored yet; true when it was added.
    bool Add_Key(const QString& path);
    const RegistryFileValue* Find_Value(const QString& path, const QString& name) const;
    // Creates or replaces a value (adding its key when needed); the first spelling of the name
    // stays. False when the value was already stored so, with its type.
    bool Set_Value(const QString& path, const QString& name, quint32 type, const QByteArray& data);
    // False when there was no such value.
    bool Delete_Value(const QString& path, const QString& name);

    const QList<RegistryFileKey>& Keys() const { return keys_; }

  private:
    RegistryFileKey* Find_Key(const QString& path);
    const RegistryFileKey* Find_Key(const QString& path) const;

    QList<RegistryFileKey> keys_;
};

// A key path without empty parts: "\Software\\Foo\" becomes "Software\Foo".
QString Normalise_Key_Path(const QString& path);
