#pragma once

#include <QString>
#include <QtGlobal>

// The store behind the registry module, shaped like the Windows registry calls so that a Windows
// backend only maps them (RegOpenKeyEx, RegCreateKeyEx, RegQueryValueEx, RegSetValueEx,
// RegDeleteValue, RegCloseKey). Every call returns 0 or a Windows error code.
//
// Roots are the predefined handle values (HKCU 0x80000001 and so on, negative as qint32). Key
// paths are separated by backslashes; key and value names compare without regard to case. Data
// is raw bytes tagged with a registry type; string data (REG_SZ) is UTF-8 text followed by one
// terminating zero byte, the zero counted in the size.
class RegistryBackend {
  public:
    // An open key; 0 is never a valid key.
    using Key = quint64;

    virtual ~RegistryBackend() = default;

    // Opens an existing key with the given access rights (KEY_*). 2 when the key doesn't exist.
    virtual qint32 Open_Key(qint32 root, const QString& path, quint32 access, Key* key) = 0;
    // Opens the key, creating it and its parents when missing.
    virtual qint32 Create_Key(qint32 root, const QString& path, quint32 access, Key* key) = 0;
    // Reads a value. On entry *size is the capacity of data. data == nullptr asks only for the
    // size. A value larger than the capacity gives 234 and its size in *size. On success *size
    // is the number of bytes copied. type may be nullptr. 2 when the value doesn't exist.
    virtual qint32 Query_Value(Key key, const QString& name, quint32* type, char* data,
                               quint32* size) = 0;
    // Creates or replaces a value.
    virtual qint32 Set_Value(Key key, const QString& name, quint32 type, const char* data,
                             quint32 size) = 0;
    // 2 when the value doesn't exist.
    virtual qint32 Delete_Value(Key key, const QString& name) = 0;
    virtual qint32 Close_Key(Key key) = 0;
};

// Root key handles.
constexpr qint32 HKEY_CLASSES_ROOT_Handle = qint32(0x80000000u);
constexpr qint32 HKEY_CURRENT_USER_Handle = qint32(0x80000001u);
constexpr qint32 HKEY_LOCAL_MACHINE_Handle = qint32(0x80000002u);
constexpr qint32 HKEY_USERS_Handle = qint32(0x80000003u);
constexpr qint32 HKEY_CURRENT_CONFIG_Handle = qint32(0x80000005u);
constexpr qint32 HKEY_DYN_DATA_Handle = qint32(0x80000006u);

// Access rights.
constexpr quint32 KEY_QUERY_VALUE_Right = 0x0001;
constexpr quint32 KEY_SET_VALUE_Right = 0x0002;
constexpr quint32 KEY_CREATE_SUB_KEY_Right = 0x0004;

// Value types.
constexpr quint32 REG_SZ_Type = 1;
constexpr quint32 REG_BINARY_Type = 3;
constexpr quint32 REG_DWORD_Type = 4;

// Windows error codes the registry calls report.
constexpr qint32 ERROR_SUCCESS_Code = 0;
constexpr qint32 ERROR_FILE_NOT_FOUND_Code = 2;
constexpr qint32 ERROR_ACCESS_DENIED_Code = 5;
constexpr qint32 ERROR_INVALID_HANDLE_Code = 6;
constexpr qint32 ERROR_INVALID_PARAMETER_Code = 87;
constexpr qint32 ERROR_MORE_DATA_Code = 234;
