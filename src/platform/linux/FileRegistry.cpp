#include "platform/linux/FileRegistry.h"

#include "platform/linux/AutostartRunKey.h"
#include "platform/linux/RegistryFile.h"
#include "platform/linux/XdgPaths.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>

namespace {

const QLatin1StringView Run_Key_Path("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
constexpr quint32 Write_Rights = KEY_SET_VALUE_Right | KEY_CREATE_SUB_KEY_Right;

QString Registry_Folder(const QString& config_dir) {
    return config_dir + QLatin1String("/Almanor/registry");
}

// Whether path (a file, or a folder when folder is set) could be written or created: it exists
// and is writable, or the nearest existing folder above it is a writable folder. A regular file
// where a folder must be counts as not writable.
bool Can_Write(const QString& path, bool folder) {
    QFileInfo target(path);
    if (target.exists()) {
        if (folder ? !target.isDir() : !target.isFile())
            return false;
        if (!target.isWritable())
            return false;
        if (folder)
            return true;
    }
    QString above = QFileInfo(target.absoluteFilePath()).absolutePath();
    while (true) {
        const QFileInfo info(above);
        if (info.exists())
            return info.isDir() && info.isWritable();
        const QString parent = QFileInfo(above).absolutePath();
        if (parent == above)
            return false;
        above = parent;
    }
}

// The keys above the run key exist wherever the run key does.
bool Is_Run_Key_Or_Above(const QString& normal_path) {
    return Run_Key_Path.startsWith(normal_path, Qt::CaseInsensitive) &&
           (normal_path.size() == Run_Key_Path.size() ||
            Run_Key_Path[normal_path.size()] == QLatin1Char('\\'));
}

qint32 Copy_Out(const QByteArray& bytes, quint32 stored_type, quint32* type, char* data,
                quint32* size) {
    if (type)
        *type = stored_type;
    const auto needed = quint32(bytes.size());
    if (!data) {
        *size = needed;
        return ERROR_SUCCESS_Code;
    }
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA_Code;
    }
    if (needed > 0)
        std::memcpy(data, bytes.constData(), needed);
    *size = needed;
    return ERROR_SUCCESS_Code;
}

} // namespace

QString FileRegistry::Root_File(qint32 root) {
    switch (root) {
    case HKEY_CURRENT_USER_Handle:
        return Registry_Folder(Xdg_Config_Home()) + QLatin1String("/HKCU.ini");
    case HKEY_LOCAL_MACHINE_Handle:
        return Registry_Folder(Xdg_First_Config_Dir()) + QLatin1String("/HKLM.ini");
    case HKEY_USERS_Handle:
        return Registry_Folder(Xdg_Config_Home()) + QLatin1String("/HKU.ini");
    case HKEY_CURRENT_CONFIG_Handle:
        return Registry_Folder(Xdg_Config_Home()) + QLatin1String("/HKCC.ini");
    case HKEY_DYN_DATA_Handle:
        return Registry_Folder(Xdg_Config_Home()) + QLatin1String("/HKDD.ini");
    case HKEY_CLASSES_ROOT_Handle:
        return Registry_Folder(Xdg_Config_Home()) + QLatin1String("/HKCR.ini");
    default:
        return {};
    }
}

QString FileRegistry::Autostart_Folder(qint32 root) {
    if (root == HKEY_CURRENT_USER_Handle)
        return Xdg_Config_Home() + QLatin1String("/autostart");
    if (root == HKEY_LOCAL_MACHINE_Handle)
        return Xdg_First_Config_Dir() + QLatin1String("/autostart");
    return {};
}

bool FileRegistry::Is_Run_Key(const QString& path) {
    return Normalise_Key_Path(path).compare(Run_Key_Path, Qt::CaseInsensitive) == 0;
}

qint32 FileRegistry::Open_Key(qint32 root, const QString& path, quint32 access, Key* key) {
    return Open(root, path, access, false, key);
}

qint32 FileRegistry::Create_Key(qint32 root, const QString& path, quint32 access, Key* key) {
    return Open(root, path, access, true, key);
}

qint32 FileRegistry::Open(qint32 root, const QString& path, quint32 access, bool create, Key* key) {
    *key = 0;
    OpenKey open;
    open.file = Root_File(root);
    if (open.file.isEmpty())
        return ERROR_INVALID_HANDLE_Code;
    open.path = Normalise_Key_Path(path);
    open.access = access;
    const QString autostart = Autostart_Folder(root);
    if (!autostart.isEmpty() && Is_Run_Key(open.path))
        open.autostart = autostart;

    const bool implicit = !autostart.isEmpty() && Is_Run_Key_Or_Above(open.path);
    RegistryFile file = RegistryFile::Load(open.file);
    if (!implicit && !file.Has_Key(open.path)) {
        if (!create)
            return ERROR_FILE_NOT_FOUND_Code;
        if (!Can_Write(open.file, false))
            return ERROR_ACCESS_DENIED_Code;
        file.Add_Key(open.path);
        if (!file.Save(open.file))
            return ERROR_ACCESS_DENIED_Code;
    }
    if (access & Write_Rights) {
        const bool writable = open.autostart.isEmpty() ? Can_Write(open.file, false)
                                                       : Can_Write(open.autostart, true);
        if (!writable)
            return ERROR_ACCESS_DENIED_Code;
    }
    *key = next_++;
    open_.emplace(*key, std::move(open));
    return ERROR_SUCCESS_Code;
}

const FileRegistry::OpenKey* FileRegistry::Find(Key key) const {
    const auto found = open_.find(key);
    return found == open_.end() ? nullptr : &found->second;
}

qint32 FileRegistry::Query_Value(Key key, const QString& name, quint32* type, char* data,
                                 quint32* size) {
    const OpenKey* open = Find(key);
    if (!open || !size)
        return open ? ERROR_INVALID_PARAMETER_Code : ERROR_INVALID_HANDLE_Code;
    if (!(open->access & KEY_QUERY_VALUE_Right))
        return ERROR_ACCESS_DENIED_Code;
    if (!open->autostart.isEmpty()) {
        QString command;
        const qint32 status = Autostart_Query(open->autostart, name, &command);
        if (status != ERROR_SUCCESS_Code)
            return status;
        return Copy_Out(command.toUtf8() + '\0', REG_SZ_Type, type, data, size);
    }
    const RegistryFile file = RegistryFile::Load(open->file);
    const RegistryFileValue* value = file.Find_Value(open->path, name);
    if (!value)
        return ERROR_FILE_NOT_FOUND_Code;
    return Copy_Out(value->data, value->type, type, data, size);
}

qint32 FileRegistry::Set_Value(Key key, const QString& name, quint32 type, const char* data,
                               quint32 size) {
    const OpenKey* open = Find(key);
    if (!open)
        return ERROR_INVALID_HANDLE_Code;
    if (!data && size > 0)
        return ERROR_INVALID_PARAMETER_Code;
    if (!(open->access & KEY_SET_VALUE_Right))
        return ERROR_ACCESS_DENIED_Code;
    const QByteArray bytes = size > 0 ? QByteArray(data, qsizetype(size)) : QByteArray();
    if (!open->autostart.isEmpty()) {
        // A command line is text: a string with at most its terminating zero.
        QByteArray text = bytes;
        if (text.endsWith('\0'))
            text.chop(1);
        if (type != REG_SZ_Type || text.contains('\0'))
            return ERROR_INVALID_PARAMETER_Code;
        return Autostart_Set(open->autostart, name, QString::fromUtf8(text));
    }
    RegistryFile file = RegistryFile::Load(open->file);
    // A file whose values stay as they are is not written again (each save syncs to disk).
    if (!file.Set_Value(open->path, name, type, bytes))
        return ERROR_SUCCESS_Code;
    return file.Save(open->file) ? ERROR_SUCCESS_Code : ERROR_ACCESS_DENIED_Code;
}

qint32 FileRegistry::Delete_Value(Key key, const QString& name) {
    const OpenKey* open = Find(key);
    if (!open)
        return ERROR_INVALID_HANDLE_Code;
    if (!(open->access & KEY_SET_VALUE_Right))
        return ERROR_ACCESS_DENIED_Code;
    if (!open->autostart.isEmpty())
        return Autostart_Delete(open->autostart, name);
    RegistryFile file = RegistryFile::Load(open->file);
    if (!file.Delete_Value(open->path, name))
        return ERROR_FILE_NOT_FOUND_Code;
    return file.Save(open->file) ? ERROR_SUCCESS_Code : ERROR_ACCESS_DENIED_Code;
}

qint32 FileRegistry::Close_Key(Key key) {
    return open_.erase(key) > 0 ? ERROR_SUCCESS_Code : ERROR_INVALID_HANDLE_Code;
}
