#include "filedialog/gui/OpenSaveDialog.h"

#include "calendar/TwipScale.h"

#include <QFileDialog>

namespace {
constexpr qint32 Control_Size = 390;
} // namespace

OpenSaveDialog::OpenSaveDialog(QWidget* parent) : QWidget(parent) {
    UserControl_Resize();
    // The control has nothing to show at run time.
    setVisible(false);
}

void OpenSaveDialog::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

void OpenSaveDialog::UserControl_Resize() {
    const TwipScale scale = TwipScale::For_Screen(screen());
    const QSize size(scale.X_Pixels(Control_Size), scale.Y_Pixels(Control_Size));
    if (this->size() != size)
        resize(size);
}

FileDialogAnswer OpenSaveDialog::Run_Dialog(const FileDialogRequest& request) {
    // Owned by the control's window, so it is centred on the settings window and modal to it.
    QFileDialog dialog(window(), request.title, request.init_dir);
    // Qt's own dialog: the desktop's native one differs between desktops and may be missing.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (request.save) {
        dialog.setFileMode(QFileDialog::AnyFile);
        // The callers ask "Overwrite existing file?" themselves unless the flag wants it here.
        if (!(request.flags & FileDialogFlags::OverwritePrompt))
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else if (request.flags & FileDialogFlags::AllowMultiSelect) {
        dialog.setFileMode(QFileDialog::ExistingFiles);
    } else if (request.flags & FileDialogFlags::FileMustExist) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        // A typed name of a missing file comes back to the caller, which tells the user.
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    if (!request.name_filters.isEmpty()) {
        dialog.setNameFilters(request.name_filters);
        dialog.selectNameFilter(request.name_filters.at(request.selected_filter));
    }
    FileDialogAnswer answer;
    if (dialog.exec() != QDialog::Accepted)
        return answer;
    answer.paths = dialog.selectedFiles();
    answer.accepted = !answer.paths.isEmpty();
    answer.selected_filter = int(request.name_filters.indexOf(dialog.selectedNameFilter()));
    return answer;
}
