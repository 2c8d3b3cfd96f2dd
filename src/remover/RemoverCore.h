#pragma once

#include <QString>
#include <QStringList>

// The file work of the Remover wizard, without any window: finding the installation folder,
// listing its wallpaper packs and deleting what the user chose.
//
// Deletion never leaves the installation folder: a pack is a direct sub-folder, a pack that is
// a symbolic link loses only the link, and links inside a pack are removed as links, so the
// files they point to stay.

// Where the installer records the installation folder.
inline constexpr char16_t Install_Key[] = u"SOFTWARE\\Quillfern Software\\Almanor";
inline constexpr char16_t Install_Value[] = u"InstallPath";
// The lookup's result when neither root holds the value.
inline constexpr char16_t No_Install_Path[] = u"NONE";

// "InstallPath" under HKLM; when that gives "NONE", under HKCU. "NONE" when neither has it.
QString Get_Path();

// The folder to remove from: "InstallPath" when recorded; else own_folder (the Remover's own
// folder) when it holds the calendar program, as in a portable folder; else "NONE".
QString Find_Install_Folder(const QString& own_folder);

// The Remover's own file in the installation folder ("Remover", "Remover.exe" on Windows).
QString Remover_File_Name();
// The calendar program's file ("Almanor", "Almanor.exe" on Windows).
QString Calendar_File_Name();

// True when name can only mean a direct sub-folder: not empty, not "." or "..", no separator.
bool Is_Plain_Folder_Name(const QString& name);

// The packs of folder: the names of its direct sub-folders that hold "settings.ini", in name
// order. False (and no names) when folder doesn't exist or can't be listed.
bool List_Packs(const QString& folder, QStringList* names);

// Removes the pack folder/name. A pack that is a symbolic link loses the link only. Otherwise
// every file and link inside goes (links as links), then the folder itself; a pack holding a
// real sub-folder keeps it and fails at the end. False on any failure; what was deleted stays
// deleted.
bool Remove_Pack(const QString& folder, const QString& name);

// Removes the packs in order; stops at the first failure and returns false.
bool Remove_Packs(const QString& folder, const QStringList& names);

// Deletes folder/file_name when it is a file or a link; true when it is gone or was never there.
bool Remove_File_If_Present(const QString& folder, const QString& file_name);

// What "Finish" removes.
struct RemovalChoice {
    bool everything = true;   // "Everything" selected, else "Custom..."
    bool events = true;       // "Data File (Events)" ticked
    bool packs = true;        // "Wallpaper Packs" ticked
    QStringList ticked_packs; // the ticked entries of the pack list, in list order
};

// The pack the calendar shows on the desktop ("Pack Name" while "Use Themes" is 1, from its
// settings); empty when packs are off.
QString Pack_In_Use();

// Before the pack in use is deleted, the user's own wallpaper is put back.
// "Everything": the Remover's own file, then the events, then the ticked packs.
// "Custom...": the events when they are ticked, then the ticked packs when packs are ticked.
// The events are calendar.dat, data.bak (the whole copy an import keeps beside it), the note
// sync's state "calendar.sync" and the locks "calendar.sync.lock" and "calendar.dat.lock".
// Stops at the first failure and returns false.
bool Finish_Removal(const QString& folder, const RemovalChoice& choice);
