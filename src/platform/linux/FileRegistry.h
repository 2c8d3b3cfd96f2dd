#pragma once

#include "platform/RegistryBackend.h"

#include <map>

// The registry on Linux: one file per root (see RegistryFile for the form).
//   HKCU  $XDG_CONFIG_HOME/Almanor/registry/HKCU.ini
//   HKLM  <first of $XDG_CONFIG_DIRS, or /etc/xdg>/Almanor/registry/HKLM.ini, so a normal user
//         can read it but writing fails with access denied (5)
//   HKU, HKCC, HKDD, HKCR  beside HKCU, as HKU.ini, HKCC.ini, HKDD.ini, HKCR.ini: nothing on
//         Linux owns these, so they are kept per user.
// The key Software\Microsoft\Windows\CurrentVersion\Run of HKCU and HKLM is live: its values are
// XDG autostart entries ($XDG_CONFIG_HOME/autostart and <first config dir>/autostart), so a run
// at logon entry really runs at logon. Only string values (REG_SZ) can be stored there.
//
// Every call reads the environment and the file afresh; nothing is cached between calls. An open
// key remembers the file it was opened in.
class FileRegistry final : public RegistryBackend {
  public:
    qint32 Open_Key(qint32 root, const QString& path, quint32 access, Key* key) override;
    qint32 Create_Key(qint32 root, const QString& path, quint32 access, Key* key) override;
    qint32 Query_Value(Key key, const QString& name, quint32* type, char* data,
                       quint32* size) override;
    qint32 Set_Value(Key key, const QString& name, quint32 type, const char* data,
                     quint32 size) override;
    qint32 Delete_Value(Key key, const QString& name) override;
    qint32 Close_Key(Key key) override;

    // The file that holds a root; empty for an unknown root handle.
    static QString Root_File(qint32 root);
    // The autostart folder behind the root's run key; empty for roots without one.
    static QString Autostart_Folder(qint32 root);
    // Whether a key path names the run-at-logon key (any case).
    static bool Is_Run_Key(const QString& path);

  private:
    struct OpenKey {
        QString file;
        QString path;
        // Set when the key is the live run key.
        QString autostart;
        quint32 access = 0;
    };

    qint32 Open(qint32 root, const QString& path, quint32 access, bool create, Key* key);
    const OpenKey* Find(Key key) const;

    std::map<Key, OpenKey> open_;
    Key next_ = 1;
};
