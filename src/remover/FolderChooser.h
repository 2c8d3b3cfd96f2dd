#pragma once

#include <QString>

#include <functional>

class QWidget;

// Asks the user for a folder. The result is the chosen folder, or an empty string when the user
// cancelled. Only folders can be chosen.
QString BrowseForFolder(QWidget* owner, const QString& prompt);

// Test hook: replaces the folder chooser; an empty function restores the file dialog.
using FolderChooser = std::function<QString(QWidget* owner, const QString& prompt)>;
void Set_Folder_Chooser(FolderChooser chooser);
