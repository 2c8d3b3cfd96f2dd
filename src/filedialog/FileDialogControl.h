#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <deque>
#include <stdexcept>

// Option bits of the file dialogs that the control acts on (the classic values).
namespace FileDialogFlags {
constexpr qint32 OverwritePrompt = 0x2;
constexpr qint32 AllowMultiSelect = 0x200;
constexpr qint32 FileMustExist = 0x1000;
} // namespace FileDialogFlags

// What a dialog is asked to show.
struct FileDialogRequest {
    bool save = false;
    QString title;
    // Name filters as QFileDialog takes them ("Text File (*.txt)").
    QStringList name_filters;
    // 0-based index into name_filters, or -1 when there are none.
    int selected_filter = -1;
    QString init_dir;
    qint32 flags = 0;
};

// What the user chose: nothing (cancelled), one path, or several paths of one folder.
struct FileDialogAnswer {
    bool accepted = false;
    QStringList paths;
    int selected_filter = -1;
};

// Answers file dialogs in place of the real one. Tests install one; the program has none and
// shows the real dialog.
class FileDialogHook {
  public:
    virtual ~FileDialogHook() = default;
    virtual FileDialogAnswer Answer(const FileDialogRequest& request) = 0;
};

// Installs hook (not owned); nullptr puts the real dialog back.
void Set_File_Dialog_Hook(FileDialogHook* hook);
FileDialogHook* Current_File_Dialog_Hook();

// Test hook: records every dialog asked for and answers from a queue; with the queue empty a
// dialog is cancelled. Installs itself while it lives.
class FileDialogRecorder final : public FileDialogHook {
  public:
    FileDialogRecorder();
    ~FileDialogRecorder() override;
    FileDialogRecorder(const FileDialogRecorder&) = delete;
    FileDialogRecorder& operator=(const FileDialogRecorder&) = delete;

    FileDialogAnswer Answer(const FileDialogRequest& request) override;
    void Answer_With(const QString& path) { answers_.push_back({true, {path}, -1}); }
    void Answer_With_Files(const QStringList& paths) { answers_.push_back({true, paths, -1}); }
    void Answer_Cancel() { answers_.push_back({}); }

    QList<FileDialogRequest> shown;

  private:
    std::deque<FileDialogAnswer> answers_;
    FileDialogHook* previous_;
};

// Raised by ShowOpen and ShowSave on cancel when CancelError is set.
class DialogCancelled : public std::runtime_error {
  public:
    DialogCancelled() : std::runtime_error("Cancel was selected.") {}
    static constexpr int Number = 32755;
    static constexpr const char* HelpFile = "cmdlg98.chm";
    static constexpr int HelpContext = 32755;
};

// The filter "Description|pattern|Description|pattern" as QFileDialog's name filters: one
// "Description (patterns)" per pair, patterns separated by spaces rather than ";". A description
// that already ends with its patterns in brackets is kept as it is.
QStringList Convert_Filter(const QString& filter);
// The text before the first zero character.
QString Trim_Null(const QString& text);
// Splits a FileName: a multiple selection (folder, zero, names each closed by a zero, one more
// zero) gives the folder (when folder is still empty) and appends the names, raising count;
// FileName is then cut to the folder. A single path gives count 1 and the name after its last
// "/" (the folder is the text before it, unless the "/" is the first character).
void ParseMultiFileName(QString& file_name, QString& folder, QStringList& names, int& count);

// The open and save dialogs behind a property interface. Callers set the title, filter and
// flags, clear FileName, call ShowOpen or ShowSave and read FileName back: empty means
// cancelled. The dialog itself is shown by Run_Dialog, unless a FileDialogHook answers.
class FileDialogControl {
  public:
    virtual ~FileDialogControl() = default;

    QString DialogTitle() const { return dialog_title_; }
    void Set_DialogTitle(const QString& v) { dialog_title_ = v; }
    bool CancelError() const { return cancel_error_; }
    void Set_CancelError(bool v) { cancel_error_ = v; }
    QString Filter() const { return filter_; }
    void Set_Filter(const QString& v) { filter_ = v; }
    QString InitDir() const { return init_dir_; }
    void Set_InitDir(const QString& v) { init_dir_ = v; }
    qint16 FilterIndex() const { return filter_index_; }
    void Set_FilterIndex(qint16 v) { filter_index_ = v; }
    QString DefaultExt() const { return default_ext_; }
    void Set_DefaultExt(const QString& v) { default_ext_ = v; }
    QString FileName() const { return file_name_; }
    void Set_FileName(const QString& v) { file_name_ = v; }
    QString FileTitle() const { return file_title_; }
    void Set_FileTitle(const QString& v) { file_title_ = v; }
    qint16 MaxFileSize() const { return max_file_size_; }
    void Set_MaxFileSize(qint16 v) { max_file_size_ = v; }
    qint32 Flags() const { return flags_; }
    void Set_Flags(qint32 v) { flags_ = v; }

    // Modal dialogs; the results land in the properties. On cancel the properties stay as they
    // were, or DialogCancelled is thrown when CancelError is set.
    void ShowOpen();
    void ShowSave();

    // The properties as stored with the window that holds the control, and read back (missing
    // names take the initial values).
    void UserControl_InitProperties();
    QVariantMap UserControl_WriteProperties() const;
    void UserControl_ReadProperties(const QVariantMap& bag);

  protected:
    // Shows the real dialog. The core has none: it cancels.
    virtual FileDialogAnswer Run_Dialog(const FileDialogRequest& request);

  private:
    void Show(bool save);

    QString dialog_title_;
    bool cancel_error_ = false;
    QString filter_;
    QString init_dir_;
    qint16 filter_index_ = 0;
    QString default_ext_;
    QString file_name_;
    QString file_title_;
    qint16 max_file_size_ = 260;
    qint32 flags_ = 0;
};
