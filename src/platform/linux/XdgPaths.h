#pragma once

#include <QString>

// The XDG base folders, read from the environment at each call so that a changed environment
// (tests point it at temporary folders) takes effect at once.

// $XDG_CONFIG_HOME, or ~/.config when it is unset, empty or not an absolute path.
QString Xdg_Config_Home();
// The first absolute entry of $XDG_CONFIG_DIRS, or /etc/xdg when there is none.
QString Xdg_First_Config_Dir();
