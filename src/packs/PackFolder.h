#pragma once

#include <QString>
#include <QtGlobal>

struct AppSettings;
class SettingsStore;

// What the pack lookups read and change: the program folder that holds the packs, and the
// settings record with its store (a missing pack turns packs off in both).
struct PackContext {
    QString program_dir;
    AppSettings& settings;
    SettingsStore& store;
};

// The failure result of the pack lookups, returned after the user has been told.
inline const QString Paper_Error = QStringLiteral("ERROR");

// The folder of a pack: a folder directly inside the program folder. An empty name is the
// program folder itself.
QString Pack_Folder(const QString& program_dir, const QString& pack);
// True when the name can only mean a folder directly inside the program folder: no path
// separators and not "." or "..".
bool Is_Pack_Name(const QString& pack);
// True when the pack folder holds settings.ini and the twelve month pictures 1.jpg .. 12.jpg.
bool Is_Pack(const QString& program_dir, const QString& pack);

// The month details string of month (1..12) in the pack's settings.ini: box style, position and
// display mode joined by "-". Empty when the file has no item for the month. "ERROR" after the
// user has been told that the pack folder is missing (packs are then turned off and the
// wallpaper cleared) or that settings.ini is missing or unreadable.
QString Get_Paper_Details(PackContext& context, qint16 month, const QString& pack);
// The fields of a details string; 0 for a field that is not a 16-bit integer.
qint16 Get_Paper_BoxStyle(const QString& details);
qint16 Get_Paper_Pos(const QString& details);
qint16 Get_Paper_DisplayMode(const QString& details);
// True when details holds three "-"-separated 16-bit integers, the only form the getters can
// read. "ERROR" and the empty string are not.
bool Paper_Details_Valid(const QString& details);

// The path of the month's bitmap in the pack folder. When it is missing, every other bitmap of
// the folder is deleted and the month's picture converted. "ERROR" after telling the user that
// the picture could not be loaded or the bitmap not written.
QString Get_Paper_Path(const QString& program_dir, const QString& pack, qint16 month);
// Deletes the normal files of the pack folder whose names end in ".bmp" (lower case). Failures
// are silent.
void Delete_Old_Bmps(const QString& program_dir, const QString& pack);

// The three messages of the pack lookups.
QString Missing_Pack_Message(const QString& pack);
QString Settings_File_Message(const QString& settings_path);
QString Picture_File_Message(const QString& picture_path);
// Tells the user that settings.ini of the pack can't be used (missing, unreadable, malformed).
void Report_Settings_File(const QString& program_dir, const QString& pack);
