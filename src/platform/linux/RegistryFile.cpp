#include "platform/linux/RegistryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

bool Same_Name(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool Needs_Escape(char c, bool at_edge) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f)
        return true;
    if (at_edge && c == ' ')
        return true;
    return c == '%' || c == '=' || c == '[' || c == ']' || c == ';' || c == '#';
}

QByteArray Encode_Name(const QString& name) {
    const QByteArray utf8 = name.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const bool at_edge = i == 0 || i == utf8.size() - 1;
        if (Needs_Escape(c, at_edge)) {
            out += '%';
            out += QByteArray(1, c).toHex().toUpper();
        } else {
            out += c;
        }
    }
    return out;
}

QString Decode_Name(const QByteArray& text) {
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text.trimmed()));
}

bool Is_Hex(const QByteArray& text) {
    if (text.size() % 2 != 0)
        return false;
    for (const char c : text) {
        const bool digit =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!digit)
            return false;
    }
    return true;
}

// "type:hex" into a value; false when the text isn't in that form.
bool Parse_Data(const QByteArray& text, RegistryFileValue& value) {
    const qsizetype colon = text.indexOf(':');
    if (colon < 0)
        return false;
    bool ok = false;
    const uint type = text.left(colon).trimmed().toUInt(&ok, 10);
    const QByteArray hex = text.mid(colon + 1).trimmed();
    if (!ok || !Is_Hex(hex))
        return false;
    value.type = type;
    value.data = QByteArray::fromHex(hex);
    return true;
}

} // namespace

QString Normalise_Key_Path(const QString& path) {
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts).join(QLatin1Char('\\'));
}

RegistryFile RegistryFile::Load(const QString& file_path) {
    QFile file(file_path);
    if (!QFileInfo(file_path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return Parse(file.readAll());
}

RegistryFile RegistryFile::Parse(const QByteArray& bytes) {
    RegistryFile result;
    QString current;
    bool in_key = false;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            in_key = line.endsWith(']');
            if (in_key) {
                current = Normalise_Key_Path(Decode_Name(line.mid(1, line.size() - 2)));
                result.Add_Key(current);
            }
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!in_key || equals < 0)
            continue;
        RegistryFileValue value;
        value.name = Decode_Name(line.left(equals));
        if (!Parse_Data(line.mid(equals + 1), value))
            continue;
        // A name that appears twice keeps its first value.
        if (!result.Find_Value(current, value.name))
            result.Set_Value(current, value.name, value.type, value.data);
    }
    return result;
}

QByteArray RegistryFile::Serialise() const {
    QByteArray out = "; Almanor registry: one section per key, one value per line as "
                     "name=type:data in hex\n";
    for (const RegistryFileKey& key : keys_) {
        out += '[' + Encode_Name(key.path) + "]\n";
        for (const RegistryFileValue& value : key.values) {
            out += Encode_Name(value.name) + '=' + QByteArray::number(value.type) + ':' +
                   value.data.toHex() + '\n';
        }
    }
    return out;
}

bool RegistryFile::Save(const QString& file_path) const {
    if (!QDir().mkpath(QFileInfo(file_path).absolutePath()))
        return false;
    QSaveFile file(file_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = Serialise();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool RegistryFile::Has_Key(const QString& path) const {
    const QString wanted = Normalise_Key_Path(path);
    if (wanted.isEmpty())
        return true;
    const QString prefix = wanted + QLatin1Char('\\');
    for (const RegistryFileKey& key : keys_) {
        if (Same_Name(key.path, wanted) || key.path.startsWith(prefix, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool RegistryFile::Add_Key(const QString& path) {
    const QString normal = Normalise_Key_Path(path);
    if (Find_Key(normal))
        return false;
    keys_.append(RegistryFileKey{normal, {}});
    return true;
}

RegistryFileKey* RegistryFile::Find_Key(const QString& path) {
    const QString normal = Normalise_Key_Path(path);
    for (RegistryFileKey& key : keys_) {
        if (Same_Name(key.path, normal))
            return &key;
    }
    return nullptr;
}

const RegistryFileKey* RegistryFile::Find_Key(const QString& path) const {
    return const_cast<RegistryFile*>(this)->Find_Key(path);
}

const RegistryFileValue* RegistryFile::Find_Value(const QString& path, const QString& name) const {
    const RegistryFileKey* key = Find_Key(path);
    if (!key)
        return nullptr;
    for (const RegistryFileValue& value : key->values) {
        if (Same_Name(value.name, name))
            return &value;
    }
    return nullptr;
}

bool RegistryFile::Set_Value(const QString& path, const QString& name, quint32 type,
                             const QByteArray& data) {
    const bool added_key = Add_Key(path);
    RegistryFileKey* key = Find_Key(path);
    for (RegistryFileValue& value : key->values) {
        if (Same_Name(value.name, name)) {
            const bool changed = value.type != type || value.data != data;
            value.type = type;
            value.data = data;
            return changed || added_key;
        }
    }
    key->values.append(RegistryFileValue{name, type, data});
    return true;
}

bool RegistryFile::Delete_Value(const QString& path, const QString& name) {
    RegistryFileKey* key = Find_Key(path);
    if (!key)
        return false;
    for (qsizetype i = 0; i < key->values.size(); ++i) {
        if (Same_Name(key->values[i].name, name)) {
            key->values.removeAt(i);
            return true;
        }
    }
    return false;
}
