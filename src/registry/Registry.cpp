#include "registry/Registry.h"

#include "platform/Platform.h"
#include "platform/RegistryBackend.h"
#include "registry/ProfileFile.h"
#include "registry/RegistryConversion.h"

#include <QFileInfo>
#include <QtEndian>

#include <optional>

namespace {

// Status when the root is neither a known root name nor an existing file.
constexpr qint32 Unknown_Root = 99;
// Get_Root's answer for the path of an existing file.
constexpr qint32 Profile_Root = 1;

struct RootName {
    QLatin1StringView name;
    qint32 handle;
};

// In the order they are tested.
constexpr RootName Root_Names[] = {
    {QLatin1StringView("HKCU"), HKEY_CURRENT_USER_Handle},
    {QLatin1StringView("HKLM"), HKEY_LOCAL_MACHINE_Handle},
    {QLatin1StringView("HKU"), HKEY_USERS_Handle},
    {QLatin1StringView("HKDD"), HKEY_DYN_DATA_Handle},
    {QLatin1StringView("HKCC"), HKEY_CURRENT_CONFIG_Handle},
    {QLatin1StringView("HKCR"), HKEY_CLASSES_ROOT_Handle},
};

enum class ValueType { String, Boolean, Dword, Other };

ValueType Type_Of(const QString& letter) {
    if (letter.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0)
        return ValueType::String;
    if (letter.compare(QLatin1String("B"), Qt::CaseInsensitive) == 0)
        return ValueType::Boolean;
    if (letter.compare(QLatin1String("D"), Qt::CaseInsensitive) == 0)
        return ValueType::Dword;
    return ValueType::Other;
}

// Closes the key however the procedure ends; Close gives the status of an orderly close.
class OpenedKey {
  public:
    explicit OpenedKey(RegistryBackend& backend) : backend_(backend) {}
    ~OpenedKey() {
        if (key_ != 0)
            backend_.Close_Key(key_);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

    RegistryBackend::Key* Out() { return &key_; }
    RegistryBackend::Key Get() const { return key_; }
    qint32 Close() {
        const qint32 status = backend_.Close_Key(key_);
        key_ = 0;
        return status;
    }

  private:
    RegistryBackend& backend_;
    RegistryBackend::Key key_ = 0;
};

// "S": ask for the size with an empty buffer, then read into a buffer of that size; the string is
// the buffer less its terminating zero.
qint32 Query_String(RegistryBackend& backend, RegistryBackend::Key key, const QString& name,
                    QVariant& result) {
    char probe = 0;
    quint32 size = 0;
    qint32 status = backend.Query_Value(key, name, nullptr, &probe, &size);
    if (status == ERROR_SUCCESS_Code) {
        result = QString(QLatin1String(""));
        return status;
    }
    if (status != ERROR_MORE_DATA_Code)
        return status;
    QByteArray buffer(qsizetype(size), '\0');
    status = backend.Query_Value(key, name, nullptr, buffer.data(), &size);
    if (status == ERROR_SUCCESS_Code)
        result = QString::fromUtf8(buffer.constData(), qMax<qsizetype>(0, qsizetype(size) - 1));
    return status;
}

template <typename T>
qint32 Query_Fixed(RegistryBackend& backend, RegistryBackend::Key key, const QString& name,
                   T* value) {
    char buffer[sizeof(T)] = {};
    quint32 size = sizeof(T);
    const qint32 status = backend.Query_Value(key, name, nullptr, buffer, &size);
    if (status == ERROR_SUCCESS_Code)
        *value = qFromLittleEndian<T>(buffer);
    return status;
}

template <typename T> QByteArray Little_Endian_Bytes(T value) {
    QByteArray bytes(sizeof(T), '\0');
    qToLittleEndian<T>(value, bytes.data());
    return bytes;
}

// The bytes and registry type written for a type letter; nullopt when the value can't be
// converted; an empty type for a letter that writes nothing.
struct Encoded {
    quint32 type = 0;
    QByteArray data;
};

std::optional<Encoded> Encode(ValueType type, const QVariant& value) {
    switch (type) {
    case ValueType::String: {
        const std::optional<QString> text = Value_To_String(value);
        if (!text)
            return std::nullopt;
        return Encoded{REG_SZ_Type, text->toUtf8() + '\0'};
    }
    case ValueType::Boolean: {
        const std::optional<bool> flag = Value_To_Boolean(value);
        if (!flag)
            return std::nullopt;
        return Encoded{REG_BINARY_Type, Little_Endian_Bytes<qint16>(*flag ? -1 : 0)};
    }
    case ValueType::Dword: {
        const std::optional<qint16> number = Value_To_Integer16(value);
        if (!number)
            return std::nullopt;
        return Encoded{REG_DWORD_Type, Little_Endian_Bytes<qint32>(*number)};
    }
    case ValueType::Other:
        break;
    }
    return Encoded{};
}

qint32 Read_Registry(RegistryBackend& backend, qint32 root, const QString& key,
                     const QString& value_name, ValueType type, QVariant& result) {
    OpenedKey opened(backend);
    const qint32 open_status = backend.Open_Key(root, key, KEY_QUERY_VALUE_Right, opened.Out());
    if (open_status != ERROR_SUCCESS_Code)
        return open_status;
    qint32 status = ERROR_SUCCESS_Code;
    switch (type) {
    case ValueType::String:
        status = Query_String(backend, opened.Get(), value_name, result);
        break;
    case ValueType::Boolean: {
        qint16 flag = 0;
        status = Query_Fixed(backend, opened.Get(), value_name, &flag);
        if (status == ERROR_SUCCESS_Code)
            result = flag != 0;
        break;
    }
    case ValueType::Dword: {
        qint32 number = 0;
        status = Query_Fixed(backend, opened.Get(), value_name, &number);
        if (status == ERROR_SUCCESS_Code)
            result = number;
        break;
    }
    case ValueType::Other:
        // Nothing to read; result keeps the default.
        break;
    }
    const qint32 close_status = opened.Close();
    return status != ERROR_SUCCESS_Code ? status : close_status;
}

qint32 Write_Registry(RegistryBackend& backend, qint32 root, const QString& key,
                      const QString& value_name, ValueType type, const QVariant& value) {
    // The value is converted before anything is touched. A value that doesn't convert (or a
    // number outside -32768..32767 for "D") fails with 87 and writes nothing: the key creation
    // has already succeeded at that point, and its status would report the failure as success.
    const std::optional<Encoded> encoded = Encode(type, value);
    if (!encoded)
        return ERROR_INVALID_PARAMETER_Code;
    OpenedKey opened(backend);
    const qint32 create_status =
        backend.Create_Key(root, key, KEY_CREATE_SUB_KEY_Right | KEY_SET_VALUE_Right, opened.Out());
    if (create_status != ERROR_SUCCESS_Code)
        return create_status;
    qint32 status = ERROR_SUCCESS_Code;
    if (type != ValueType::Other) {
        status = backend.Set_Value(opened.Get(), value_name, encoded->type,
                                   encoded->data.constData(), quint32(encoded->data.size()));
    }
    const qint32 close_status = opened.Close();
    return status != ERROR_SUCCESS_Code ? status : close_status;
}

qint32 Delete_Registry(RegistryBackend& backend, qint32 root, const QString& key,
                       const QString& value_name) {
    OpenedKey opened(backend);
    qint32 status = backend.Open_Key(root, key, KEY_SET_VALUE_Right, opened.Out());
    if (status == ERROR_SUCCESS_Code) {
        status = backend.Delete_Value(opened.Get(), value_name);
        const qint32 close_status = opened.Close();
        if (status == ERROR_SUCCESS_Code)
            status = close_status;
    }
    // A missing key or value counts as deleted.
    return status == ERROR_FILE_NOT_FOUND_Code ? ERROR_SUCCESS_Code : status;
}

} // namespace

qint32 Get_Root(const QString& name) {
    for (const RootName& root : Root_Names) {
        if (name.compare(root.name, Qt::CaseInsensitive) == 0)
            return root.handle;
    }
    if (!name.isEmpty() && QFileInfo(name).isFile())
        return Profile_Root;
    return 0;
}

qint32 Read_Value(const QString& root, const QString& key, const QString& value_name,
                  const QString& type, const QVariant& default_value, QVariant& result) {
    result = default_value;
    try {
        const qint32 handle = Get_Root(root);
        if (handle == 0)
            return Unknown_Root;
        if (handle == Profile_Root) {
            // Only strings are read from a profile file; other letters keep the default.
            if (Type_Of(type) == ValueType::String) {
                const QString fallback = Value_To_String(default_value).value_or(QString());
                result = Profile_Read_String(root, key, value_name, fallback);
            }
            return ERROR_SUCCESS_Code;
        }
        return Read_Registry(Current_Platform().Registry(), handle, key, value_name, Type_Of(type),
                             result);
    } catch (...) {
        result = default_value;
        return Unknown_Root;
    }
}

qint32 Write_Value(const QString& root, const QString& key, const QString& value_name,
                   const QString& type, const QVariant& value) {
    try {
        const qint32 handle = Get_Root(root);
        if (handle == 0)
            return Unknown_Root;
        if (handle == Profile_Root) {
            if (Type_Of(type) != ValueType::String)
                return Unknown_Root;
            const std::optional<QString> text = Value_To_String(value);
            if (!text)
                return ERROR_INVALID_PARAMETER_Code;
            return Profile_Write_String(root, key, value_name, *text);
        }
        return Write_Registry(Current_Platform().Registry(), handle, key, value_name, Type_Of(type),
                              value);
    } catch (...) {
        return Unknown_Root;
    }
}

qint32 Delete_Value(const QString& root, const QString& key, const QString& value_name) {
    try {
        const qint32 handle = Get_Root(root);
        if (handle == 0)
            return Unknown_Root;
        if (handle == Profile_Root) {
            // The entry stays, with an empty value.
            return Profile_Write_String(root, key, value_name, QString());
        }
        return Delete_Registry(Current_Platform().Registry(), handle, key, value_name);
    } catch (...) {
        return Unknown_Root;
    }
}
