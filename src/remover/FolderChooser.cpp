#include "remover/FolderChooser.h"

#include <QFileDialog>

namespace {
FolderChooser& Chooser() {
    static FolderChooser chooser;
    return chooser;
}
} // namespace

QString BrowseForFolder(QWidget* owner, const QString& prompt) {
    if (Chooser())
        return Chooser()(owner, prompt);
    return QFileDialog::getExistingDirectory(owner, prompt, QString(), QFileDialog::ShowDirsOnly);
}

void Set_Folder_Chooser(FolderChooser chooser) {
    Chooser() = std::move(chooser);
}
