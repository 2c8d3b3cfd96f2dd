#pragma once

#include <QString>

// A text naming the user the program runs as, for names of per-user resources such as the
// calendar's local socket.
QString Current_User_Id();
