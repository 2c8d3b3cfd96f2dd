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
    return outcome;
}
