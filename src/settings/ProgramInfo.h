#pragma once

#include <QString>

// What the "About" tab tells: the program's name and version, and where its help page lives.
QString Program_Name();
QString Program_Version();
// The help page shipped in the program folder.
QString Help_Page_Path();
// Opens the help page with the desktop's default handler; false when it is missing or nothing
// could open it.
bool Open_Help_Page();
