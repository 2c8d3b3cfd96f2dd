#include "common/TestMain.h"
#include "filedialog/FileDialogControl.h"

#include <QTest>

class FileDialogTextTest : public QObject {
    Q_OBJECT

  private slots:
    void filter_pairs_become_name_filters() {
        QCOMPARE(Convert_Filter(QString()), QStringList());
        QCOMPARE(Convert_Filter("Comma Separated Values File (*.csv)|*.csv"),
                 QStringList{"Comma Separated Values File (*.csv)"});
        QCOMPARE(Convert_Filter("Text|*.txt|Pictures|*.jpg;*.bmp"),
                 (QStringList{"Text (*.txt)", "Pictures (*.jpg *.bmp)"}));
        // A description without its pattern still gives a usable filter.
        QCOMPARE(Convert_Filter("All files"), QStringList{"All files (*)"});
    }

    void multiple_selection_gives_folder_and_names() {
        QString file_name = QString::fromUtf16(u"/home/ann\0a.csv\0b.csv\0\0", 24);
        QString folder;
        QStringList names;
        int count = 0;
        ParseMultiFileName(file_name, folder, names, count);
        QCOMPARE(folder, QStringLiteral("/home/ann"));
        QCOMPARE(names, (QStringList{"a.csv", "b.csv"}));
        QCOMPARE(count, 2);
        QCOMPARE(file_name, QStringLiteral("/home/ann"));
    }

    void single_path_splits_at_its_last_slash() {
        QString file_name = QStringLiteral("/home/ann/notes.csv");
        QString folder = QStringLiteral("old");
        QStringList names{"x", "y"};
        int count = 7;
        ParseMultiFileName(file_name, folder, names, count);
        QCOMPARE(folder, QStringLiteral("/home/ann"));
        QCOMPARE(names, QStringList{"notes.csv"});
        QCOMPARE(count, 1);

        file_name = QStringLiteral("/notes.csv"); // in the root: no folder text
        ParseMultiFileName(file_name, folder, names, count);
        QCOMPARE(folder, QString());
        QCOMPARE(names, QStringList{"/notes.csv"});
        file_name = QStringLiteral("notes.csv");
        ParseMultiFileName(file_name, folder, names, count);
        QCOMPARE(names, QStringList{"notes.csv"});
    }
};

class FileDialogControlTest : public QObject {
    Q_OBJECT

  private slots:
    void the_hook_sees_the_request_and_its_answer_fills_the_properties() {
        FileDialogRecorder recorder;
        FileDialogControl dialog;
        dialog.Set_DialogTitle("Export Events as CSV File");
        dialog.Set_Filter("Comma Separated Values File (*.csv)|*.csv|Text|*.txt");
        dialog.Set_InitDir("/tmp");
        recorder.Answer_With("/tmp/out/events.csv");
        dialog.ShowSave();
        QCOMPARE(recorder.shown.size(), 1);
        const FileDialogRequest& request = recorder.shown.at(0);
        QVERIFY(request.save);
        QCOMPARE(request.title, QStringLiteral("Export Events as CSV File"));
        QCOMPARE(request.name_filters,
                 (QStringList{"Comma Separated Values File (*.csv)", "Text (*.txt)"}));
        QCOMPARE(request.selected_filter, 0);
        QCOMPARE(request.init_dir, QStringLiteral("/tmp"));
        QCOMPARE(dialog.FileName(), QStringLiteral("/tmp/out/events.csv"));
        QCOMPARE(dialog.FileTitle(), QStringLiteral("events.csv"));
        QCOMPARE(dialog.FilterIndex(), qint16(1));
    }

    void cancel_keeps_the_properties_and_selects_the_first_filter() {
        FileDialogRecorder recorder;
        FileDialogControl dialog;
        dialog.Set_FileName("kept.csv");
        dialog.Set_Filter("Text|*.txt");
        recorder.Answer_Cancel();
        dialog.ShowSave();
        QCOMPARE(dialog.FileName(), QStringLiteral("kept.csv"));
        QCOMPARE(dialog.FilterIndex(), qint16(1));
        // An empty queue cancels too, so a test never waits for a real dialog.
        dialog.ShowOpen();
        QCOMPARE(dialog.FileName(), QStringLiteral("kept.csv"));
        QCOMPARE(recorder.shown.size(), 2);
        QVERIFY(!recorder.shown.at(1).save);
    }

    void cancel_raises_the_error_when_asked_to() {
        FileDialogRecorder recorder;
        FileDialogControl dialog;
        dialog.Set_CancelError(true);
        bool raised = false;
        try {
            dialog.ShowOpen();
        } catch (const DialogCancelled& e) {
            raised = true;
            QCOMPARE(QString::fromLatin1(e.what()), QStringLiteral("Cancel was selected."));
            QCOMPARE(DialogCancelled::Number, 32755);
        }
        QVERIFY(raised);
    }

    void several_files_come_back_in_the_classic_layout() {
        FileDialogRecorder recorder;
        FileDialogControl dialog;
        dialog.Set_Flags(FileDialogFlags::AllowMultiSelect);
        recorder.Answer_With_Files({"/home/ann/a.csv", "/home/ann/b.csv"});
        dialog.ShowOpen();
        QString file_name = dialog.FileName();
        QString folder;
        QStringList names;
        int count = 0;
        ParseMultiFileName(file_name, folder, names, count);
        QCOMPARE(folder, QStringLiteral("/home/ann"));
        QCOMPARE(names, (QStringList{"a.csv", "b.csv"}));
        // The save dialog never offers several files.
        dialog.ShowSave();
        QCOMPARE(recorder.shown.at(1).flags & FileDialogFlags::AllowMultiSelect, 0);
    }

    void properties_are_stored_and_read_back_with_initial_defaults() {
        FileDialogControl dialog;
        dialog.Set_DialogTitle("T");
        dialog.Set_CancelError(true);
        dialog.Set_FilterIndex(2);
        dialog.Set_MaxFileSize(100);
        dialog.Set_Flags(0x1002);
        FileDialogControl copy;
        copy.UserControl_ReadProperties(dialog.UserControl_WriteProperties());
        QCOMPARE(copy.DialogTitle(), QStringLiteral("T"));
        QVERIFY(copy.CancelError());
        QCOMPARE(copy.FilterIndex(), qint16(2));
        QCOMPARE(copy.MaxFileSize(), qint16(100));
        QCOMPARE(copy.Flags(), 0x1002);
        copy.UserControl_ReadProperties({});
        QCOMPARE(copy.MaxFileSize(), qint16(260));
        QVERIFY(!copy.CancelError());
        QCOMPARE(copy.DialogTitle(), QString());
    }
};

ALMANOR_TEST(FileDialogTextTest)
ALMANOR_TEST(FileDialogControlTest)

#include "test_file_dialog.moc"
