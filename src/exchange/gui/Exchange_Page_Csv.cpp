// The CSV and text buttons of the "Import\Export" tab.
#include "exchange/gui/Exchange_Page.h"

#include "calendar/General_Mod.h"
#include "calendar/MsgBox.h"
#include "events/gui/Events_Page.h"
#include "exchange/CsvEvents.h"
#include "exchange/EventExport.h"
#include "exchange/EventMerge.h"
#include "exchange/ExchangeFile.h"
#include "filedialog/gui/OpenSaveDialog.h"
#include "settings/gui/Settings_Frm.h"

#include <QGuiApplication>

namespace {

const QString kCsvFilter = QStringLiteral("Comma Separated Values File (*.csv)|*.csv");

// The hourglass while a long import runs, gone on every way out.
class WaitCursor {
  public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString With_Path(const QString& text, const QString& path) {
    return text + QStringLiteral("\r\n\r\n") + path;
}

} // namespace

void Exchange_Page::Import_CSV() {
    const QString data_path = Data_File_Path();
    // "data.bak" holds the events as they were before the import, also when it is cancelled.
    Backup_Data_File(data_path);
    const QString path =
        Choose_Import_File(QStringLiteral("Import Events from CSV File"), kCsvFilter);
    if (path.isEmpty())
        return;
    CsvImportOutcome outcome;
    {
        WaitCursor wait;
        outcome = Import_CSV_File(path, data_path);
    }
    if (!outcome.ok()) {
        if (outcome.error == CsvReadError::MissingHeadings)
            Msg_Box(QStringLiteral("Invalid CSV file or missing required headings."),
                    MsgButtons::Ok, MsgIcon::Critical);
        Restore_Data_File(data_path);
        QString message = QStringLiteral("Error when importing from CSV file.");
        if (outcome.error != CsvReadError::MissingHeadings && !outcome.detail.isEmpty())
            message += QStringLiteral("\r\n\r\n") + outcome.detail;
        Msg_Box(message, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    Renew_Calendar();
    Msg_Box(With_Path(QStringLiteral("Successfully imported %1 events from the CSV file...")
                          .arg(outcome.imported),
                      path),
            MsgButtons::Ok, MsgIcon::Information);
}

bool Exchange_Page::Events_To_Export(QList<OverviewEntry>* entries) {
    // The overview's lists, read again from calendar.dat, in the order its keys are sorted.
    Events_Page* overview = Frame()->Events();
    overview->LoadOverviewLists();
    overview->Sort_List();
    // A file with only the events before a damaged record would look complete: nothing is
    // written (the overview has told the user about the data file).
    if (!overview->Dates_Lst().ok)
        return false;
    *entries = overview->Dates_Lst().entries;
    return true;
}

void Exchange_Page::Export_CSV() {
    const QString path = Choose_Export_File(QStringLiteral("Export Events as CSV File"), kCsvFilter,
                                            QStringLiteral(".csv"));
    QList<OverviewEntry> entries;
    if (path.isEmpty() || !Events_To_Export(&entries))
        return;
    if (!Save_File_Atomically(path, Format_CSV_Events(entries))) {
        Msg_Box(QStringLiteral("Error when exporting to CSV file."), MsgButtons::Ok,
                MsgIcon::Exclamation);
        return;
    }
    Msg_Box(With_Path(QStringLiteral("Successfully exported %1 events to the CSV file...")
                          .arg(entries.size()),
                      path),
            MsgButtons::Ok, MsgIcon::Information);
}

void Exchange_Page::Export_Text() {
    const QString path =
        Choose_Export_File(QStringLiteral("Export Events to Text File"),
                           QStringLiteral("Text File (*.txt)|*.txt"), QStringLiteral(".txt"));
    QList<OverviewEntry> entries;
    if (path.isEmpty() || !Events_To_Export(&entries))
        return;
    if (!Save_File_Atomically(path, Format_Text_Events(entries))) {
        Msg_Box(QStringLiteral("Error when exporting to text file."), MsgButtons::Ok,
                MsgIcon::Exclamation);
        return;
    }
    Msg_Box(With_Path(QStringLiteral("Successfully exported %1 events to the text file...")
                          .arg(entries.size()),
                      path),
            MsgButtons::Ok, MsgIcon::Information);
}
