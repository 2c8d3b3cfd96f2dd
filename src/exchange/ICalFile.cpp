// The .ics files themselves: read one and merge it into calendar.dat, or write calendar.dat out.
#include "exchange/ICalExchange.h"

#include "events/EventStore.h"
#include "exchange/ExchangeFile.h"

#include <QSysInfo>

namespace {

ICalFileOutcome Failure(const QString& error) {
    ICalFileOutcome outcome;
    outcome.error = error;
    return outcome;
}

// Ends every UID, so that two machines' exports don't claim each other's events.
QString Uid_Domain() {
    const QString host = QSysInfo::machineHostName();
    return host.isEmpty() ? QStringLiteral("almanor.invalid") : host;
}

} // namespace

ICalFileOutcome Import_ICal_File(const QString& ics_path, const QString& data_path,
                                 const ICalImportContext& context) {
    QByteArray data;
    QString reason;
    if (!Read_Exchange_File(ics_path, &data, &reason))
        return Failure(QStringLiteral("The file can't be read."));
    const ICalReadResult read = Read_ICal_Events(data, context);
    if (!read.ok)
        return Failure(read.error);
    const ImportOutcome merged = Import_Events_Into_Data_File(data_path, read.events);
    if (!merged.ok)
        return Failure(merged.error);
    ICalFileOutcome outcome;
    outcome.ok = true;
    outcome.count = merged.added;
    outcome.cut_series = read.cut_series;
    outcome.first_cut = read.first_cut;
    return outcome;
}

ICalFileOutcome Export_ICal_File(const QString& data_path, const QString& ics_path,
                                 const QDateTime& now) {
    bool read = false;
    const QStringList records = Read_Event_Records(data_path, &read);
    if (!read)
        return Failure(QStringLiteral("calendar.dat can't be read."));
    const ICalWriteResult written = Format_ICal_Events(records, now, Uid_Domain());
    if (!Save_File_Atomically(ics_path, written.bytes))
        return Failure(QStringLiteral("The file can't be written."));
    ICalFileOutcome outcome;
    outcome.ok = true;
    outcome.count = written.count;
    outcome.skipped = written.skipped;
    outcome.first_skipped = written.first_skipped;
    return outcome;
}

QString ICal_Import_Message(const ICalFileOutcome& outcome, const QString& path) {
    QString text = QStringLiteral("Successfully imported %1 events from the iCalendar file...")
                       .arg(outcome.count);
    if (outcome.cut_series == 1)
        text += QStringLiteral("\r\n\r\nThe repeating event \"%1\" was cut at %2 occurrences.")
                    .arg(outcome.first_cut)
                    .arg(Max_ICal_Occurrences);
    else if (outcome.cut_series > 1)
        text += QStringLiteral("\r\n\r\n%1 repeating events were cut at %2 occurrences each, the "
                               "first \"%3\".")
                    .arg(outcome.cut_series)
                    .arg(Max_ICal_Occurrences)
                    .arg(outcome.first_cut);
    return text + QStringLiteral("\r\n\r\n") + path;
}

QString ICal_Export_Message(const ICalFileOutcome& outcome, const QString& path) {
    QString text = QStringLiteral("Successfully exported %1 events to the iCalendar file...")
                       .arg(outcome.count);
    if (outcome.skipped == 1)
        text += QStringLiteral("\r\n\r\n1 record couldn't be read and was left out: \"%1\".")
                    .arg(outcome.first_skipped);
    else if (outcome.skipped > 1)
        text += QStringLiteral("\r\n\r\n%1 records couldn't be read and were left out, the first "
                               "\"%2\".")
                    .arg(outcome.skipped)
                    .arg(outcome.first_skipped);
    return text + QStringLiteral("\r\n\r\n") + path;
}
