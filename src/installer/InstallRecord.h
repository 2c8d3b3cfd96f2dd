#pragma once

#include <QString>

// What an installation leaves in the registry: the "InstallPath" value that tells the Remover
// where the program folder is. A folder inside the user's home is a per-user installation
// (HKCU); anything else is system-wide (HKLM).

// "HKCU" when folder lies inside home (or is home), else "HKLM". Both paths are compared after
// cleaning them, component by component, so "/home/ann2" is not inside "/home/ann".
QString Install_Root_For(const QString& folder, const QString& home);

// Records folder as "InstallPath" under root. The registry module's status: 0 on success.
qint32 Record_Install_Path(const QString& root, const QString& folder);

// Deletes "InstallPath" under root, but only while it still names folder: a later installation
// somewhere else keeps its record. 0 when the value is gone or names another folder.
qint32 Forget_Install_Path(const QString& root, const QString& folder);
