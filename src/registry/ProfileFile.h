#pragma once

#include <QString>
#include <QtGlobal>

// Entries of INI-style profile files read and written as the Windows profile calls do: section
// and entry names compare without regard to case and without their surrounding blanks, a value
// is read without surrounding blanks and without one pair of enclosing quotes, and a write
// changes only the one line concerned (or adds it), leaving the rest of the file byte for byte.

// Longest text a read returns: the profile calls' 255-character buffer less its final zero.
constexpr qsizetype Profile_Read_Limit = 254;

// The entry's value, or default_value (without trailing blanks) when the file, section or entry
// is missing. Either is cut to Profile_Read_Limit characters.
QString Profile_Read_String(const QString& file_path, const QString& section, const QString& entry,
                            const QString& default_value);

// Replaces the entry's value, or adds the entry at the end of its section, or adds the section
// with the entry at the end of the file. The file is replaced atomically. Returns 0; 87 (nothing
// written) when a name or the value would break the file's lines (a line break, "]" in the
// section, "=" in the entry); 5 when the file can't be written.
qint32 Profile_Write_String(const QString& file_path, const QString& section, const QString& entry,
                            const QString& value);
