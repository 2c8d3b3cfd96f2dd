// The file dialog control's properties, its filter and file-name texts, and the test hook.
#include "filedialog/FileDialogControl.h"

#include <QFileInfo>

namespace {

FileDialogHook* g_hook = nullptr;

const QChar kNull(u'\0');

} // namespace

void Set_File_Dialog_Hook(FileDialogHook* hook) {
    g_hook = hook;
}

FileDialogHook* Current_File_Dialog_Hook() {
    return g_hook;
}

FileDialogRecorder::FileDialogRecorder() : previous_(Current_File_Dialog_Hook()) {
    Set_File_Dialog_Hook(this);
}

FileDialogRecorder::~FileDialogRecorder() {
    Set_File_Dialog_Hook(previous_);
}

FileDialogAnswer FileDialogRecorder::Answer(const FileDialogRequest& request) {
    shown.append(request);
    if (answers_.empty())
        return {};
    FileDialogAnswer answer = answers_.front();
    answers_.pop_front();
    if (answer.accepted)
        answer.selected_filter = request.selected_filter;
    return answer;
}

QStringList Convert_Filter(const QString& filter) {
    QStringList result;
    if (filter.isEmpty())
        return result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        // A description without its pattern (an odd count) shows every file.
        QString patterns = i + 1 < parts.size() ? parts.at(i + 1).trimmed() : QStringLiteral("*");
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (patterns.isEmpty())
            patterns = QStringLiteral("*");
        const QString bracketed = QLatin1Char('(') + patterns + QLatin1Char(')');
        // "Text File (*.txt)" already names its pattern: a second "(*.txt)" would only repeat it.
        if (description.endsWith(bracketed))
            result.append(description);
        else if (description.isEmpty())
            result.append(bracketed);
        else
            result.append(description + QLatin1Char(' ') + bracketed);
    }
    return result;
}

QString Trim_Null(const QString& text) {
    const qsizetype at = text.indexOf(kNull);
    return at < 0 ? text : text.first(at);
}

void ParseMultiFileName(QString& file_name, QString& folder, QStringList& names, int& count) {
    const qsizetype end = file_name.indexOf(QString(2, kNull));
    if (end >= 0) {
        const QStringList parts = file_name.first(end).split(kNull);
        if (folder.isEmpty())
            folder = parts.first();
        for (qsizetype i = 1; i < parts.size(); ++i) {
            names.append(parts.at(i));
            ++count;
        }
        file_name = Trim_Null(file_name);
        return;
    }
    count = 1;
    names = QStringList{QString()};
    const qsizetype slash = file_name.lastIndexOf(QLatin1Char('/'));
    // A file in the root ("/notes.csv") has no folder text before its separator.
    if (slash >= 1) {
        folder = file_name.first(slash);
        names[0] = file_name.sliced(slash + 1);
    } else {
        folder.clear();
        names[0] = file_name;
    }
}

void FileDialogControl::ShowOpen() {
    Show(false);
}

void FileDialogControl::ShowSave() {
    Show(true);
}

void FileDialogControl::Show(bool save) {
    FileDialogRequest request;
    request.save = save;
    request.title = dialog_title_;
    request.name_filters = Convert_Filter(filter_);
    request.init_dir = init_dir_;
    request.flags = flags_;
    if (!request.name_filters.isEmpty()) {
        if (filter_index_ == 0)
            filter_index_ = 1;
        request.selected_filter =
            qBound(0, filter_index_ - 1, int(request.name_filters.size()) - 1);
    }
    // Only the open dialog chooses several files.
    if (save)
        request.flags &= ~FileDialogFlags::AllowMultiSelect;
    FileDialogHook* hook = Current_File_Dialog_Hook();
    const FileDialogAnswer answer = hook ? hook->Answer(request) : Run_Dialog(request);
    if (!answer.accepted || answer.paths.isEmpty()) {
        if (cancel_error_)
            throw DialogCancelled();
        return;
    }
    if (answer.paths.size() > 1 && (request.flags & FileDialogFlags::AllowMultiSelect)) {
        // The classic layout of a multiple selection: folder, then each name, each closed by a
        // zero character, and one more zero closing the list.
        QString all = QFileInfo(answer.paths.first()).absolutePath() + kNull;
        for (const QString& path : answer.paths)
            all += QFileInfo(path).fileName() + kNull;
        file_name_ = all + kNull;
        file_title_.clear();
    } else {
        file_name_ = answer.paths.first();
        file_title_ = QFileInfo(file_name_).fileName();
    }
    if (answer.selected_filter >= 0)
        filter_index_ = qint16(answer.selected_filter + 1);
}

FileDialogAnswer FileDialogControl::Run_Dialog(const FileDialogRequest&) {
    return {};
}

void FileDialogControl::UserControl_InitProperties() {
    *this = FileDialogControl();
}

namespace {

const char* const kNames[] = {"DialogTitle", "CancelError", "Filter",   "InitDir",
                              "FilterIndex", "DefaultExt",  "FileName", "FileTitle",
                              "MaxFileSize", "Flags"};

} // namespace

QVariantMap FileDialogControl::UserControl_WriteProperties() const {
    const QVariantList values{dialog_title_,       cancel_error_, filter_,    init_dir_,
                              int(filter_index_),  default_ext_,  file_name_, file_title_,
                              int(max_file_size_), flags_};
    QVariantMap bag;
    for (int i = 0; i < 10; ++i)
        bag.insert(QString::fromLatin1(kNames[i]), values.at(i));
    return bag;
}

void FileDialogControl::UserControl_ReadProperties(const QVariantMap& bag) {
    const FileDialogControl initial;
    auto text = [&](int i, const QString& fallback) {
        return bag.value(QString::fromLatin1(kNames[i]), fallback).toString();
    };
    auto number = [&](int i, qint64 fallback) {
        return bag.value(QString::fromLatin1(kNames[i]), fallback).toLongLong();
    };
    dialog_title_ = text(0, initial.dialog_title_);
    cancel_error_ = bag.value(QStringLiteral("CancelError"), initial.cancel_error_).toBool();
    filter_ = text(2, initial.filter_);
    init_dir_ = text(3, initial.init_dir_);
    filter_index_ = qint16(number(4, initial.filter_index_));
    default_ext_ = text(5, initial.default_ext_);
    file_name_ = text(6, initial.file_name_);
    file_title_ = text(7, initial.file_title_);
    max_file_size_ = qint16(number(8, initial.max_file_size_));
    flags_ = qint32(number(9, initial.flags_));
}
