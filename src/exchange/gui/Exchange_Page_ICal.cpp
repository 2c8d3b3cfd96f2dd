// The iCalendar buttons of the "Import\Export" tab.
#include "exchange/gui/Exchange_Page.h"

#include "calendar/Clock.h"
#include "calendar/General_Mod.h"
#include "calendar/MsgBox.h"
#include "exchange/ICalExchange.h"
#include "filedialog/gui/OpenSaveDialog.h"

namespace {

const QString kICalFilter = QStringLiteral("iCalendar File (*.ics)|*.ics");

// A failure message with what went wrong under it, when that is known.
QString Failure_Text(const QString& text, const QString& detail) {
    return detail.isEmpty() ? text : text + QStringLiteral("\r\n\r\n") + detail;
}

} // namespace

void Exchange_Page::Import_ICal() {
    const QString path =
        Choose_Import_File(QStringLiteral("Import Events from iCalendar File"), kICalFilter);
    if (path.isEmpty())
        return;
    const ICalFileOutcome outcome = Import_ICal_File(path, Data_File_Path(), Local_ICal_Context());
    if (!outcome.ok) {
        Msg_Box(Failure_Text(QStringLiteral("Error when importing from iCalendar file."),
                             outcome.error),
                MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    Renew_Calendar();
    Msg_Box(ICal_Import_Message(outcome, path), MsgButtons::Ok, MsgIcon::Information);
}

void Exchange_Page::Export_ICal() {
    const QString path = Choose_Export_File(QStringLiteral("Export Events as iCalendar File"),
                                            kICalFilter, QStringLiteral(".ics"));
    if (path.isEmpty())
        return;
    const ICalFileOutcome outcome = Export_ICal_File(Data_File_Path(), path, Current_Clock().Now());
    if (!outcome.ok) {
        Msg_Box(
            Failure_Text(QStringLiteral("Error when exporting to iCalendar file."), outcome.error),
            MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    // Records left out are a warning: the file lacks events the calendar has.
    Msg_Box(ICal_Export_Message(outcome, path), MsgButtons::Ok,
            outcome.skipped > 0 ? MsgIcon::Exclamation : MsgIcon::Information);
}
