#pragma once

#include "filedialog/FileDialogControl.h"

#include <QWidget>

// The file dialog control as the settings window holds it: invisible, always 390 x 390 twips,
// and showing Qt's own file dialog (the same on every desktop) parented to its window.
class OpenSaveDialog : public QWidget, public FileDialogControl {
    Q_OBJECT
  public:
    explicit OpenSaveDialog(QWidget* parent = nullptr);

  protected:
    FileDialogAnswer Run_Dialog(const FileDialogRequest& request) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void UserControl_Resize();
};
