#pragma once

#include <QString>

// The program's run-at-logon entry: the value "Almanor" under the registry module's Run key of
// HKCU (per user) or HKLM (machine-wide). On Linux the key is the XDG autostart folder.
QString Run_Key();
QString Run_Value_Name();

// The command the entry runs: the program in the program folder.
QString Run_Entry_Program();

// True when a per-user or a machine-wide entry exists.
bool Get_Startup_Value();

// Apply's run-at-logon step. On: a machine-wide entry is moved to the user (removed, and the
// user's entry written only once it is gone), else the user's entry is written with program.
// Off: both entries are removed. The registry's status is not reported.
void Save_Run_Entry(bool startup, const QString& program);
