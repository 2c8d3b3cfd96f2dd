// iCalendar exchange at the sizes a long-kept calendar reaches: a holiday or school calendar of
// 10,000 events read on its own, merged into a calendar.dat of 100,000 records, and the whole
// calendar.dat written out as .ics.
#include "events/EventStore.h"
#include "exchange/ICalExchange.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 100000;
constexpr int kEvents = 10000;

const ICalImportContext kContext{QDate(2026, 12, 7), QTimeZone("Europe/Berlin"),
                                 QLocale(QLocale::English, QLocale::UnitedKingdom)};

// calendar.dat with one record a day from 1 January 1800, so that its last years (up to 2073)
// meet the imported events.
QByteArray Data_File_Bytes() {
    QStringList records;
    const QDate first(1800, 1, 1);
    for (int i = 0; i < kRecords; ++i)
        records.append(Event_Key(first.addDays(i)) + QStringLiteral("=Meeting && notes ") +
                       QString::number(i));
    return Format_Event_File(records);
}

// An exported calendar as other programs write one: all-day and timed events (in a described
// zone and in UTC), a yearly birthday now and then, from 2060 on, so half of them meet a day
// that already has a record.
QByteArray Ics_Bytes() {
    QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Bench//EN\r\n";
    const QDate first(2060, 1, 1);
    for (int i = 0; i < kEvents; ++i) {
        const QByteArray day = first.addDays(i).toString(QStringLiteral("yyyyMMdd")).toLatin1();
        ics += "BEGIN:VEVENT\r\nUID:event-" + QByteArray::number(i) +
               "@bench\r\nDTSTAMP:20261201T000000Z\r\n";
        switch (i % 4) {
        case 0:
            ics += "DTSTART;VALUE=DATE:" + day + "\r\nTRANSP:TRANSPARENT\r\n";
            break;
        case 1:
            ics += "DTSTART;TZID=America/New_York:" + day + "T093000\r\n";
            break;
        case 2:
            ics += "DTSTART:" + day + "T140000Z\r\n";
            break;
        default:
            ics += "DTSTART;VALUE=DATE:" + day + "\r\n";
            if (i % 100 == 3)
                ics += "RRULE:FREQ=YEARLY\r\n";
        }
        ics += "SUMMARY:Event number " + QByteArray::number(i) +
               "\\, with a summary long enough to be folded by the writer of the file\r\n"
               "DESCRIPTION:Notes\r\nEND:VEVENT\r\n";
    }
    return ics + "END:VCALENDAR\r\n";
}

struct Folder {
    Folder() : data_bytes(Data_File_Bytes()) {
        data_path = dir.path() + QStringLiteral("/calendar.dat");
        ics_path = dir.path() + QStringLiteral("/events.ics");
        Write(data_path, data_bytes);
        Write(ics_path, Ics_Bytes());
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
    QTemporaryDir dir;
    QByteArray data_bytes;
    QString data_path;
    QString ics_path;
};

void BM_Read_ICal_Events(benchmark::State& state) {
    const QByteArray ics = Ics_Bytes();
    ICalReadResult result;
    for (auto _ : state) {
        result = Read_ICal_Events(ics, kContext);
        benchmark::DoNotOptimize(result.events.size());
    }
    if (result.events.size() != kEvents)
        state.SkipWithError(qPrintable(
            QStringLiteral("wrong event count %1 %2").arg(result.events.size()).arg(result.error)));
    state.SetBytesProcessed(state.iterations() * ics.size());
}

// The whole import button's work: read the .ics, back up calendar.dat, merge and save once.
// calendar.dat is put back outside the timing before each round.
void BM_Import_ICal_File(benchmark::State& state) {
    const Folder folder;
    int added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Folder::Write(folder.data_path, folder.data_bytes);
        state.ResumeTiming();
        const ICalFileOutcome outcome =
            Import_ICal_File(folder.ics_path, folder.data_path, kContext);
        if (!outcome.ok)
            state.SkipWithError("import failed");
        added = outcome.count;
    }
    if (added != kEvents)
        state.SkipWithError("wrong number of events added");
}

void BM_Export_ICal_File(benchmark::State& state) {
    const Folder folder;
    int written = 0;
    const QDateTime now(QDate(2026, 12, 7), QTime(9, 0));
    for (auto _ : state) {
        const ICalFileOutcome outcome =
            Export_ICal_File(folder.data_path, folder.dir.path() + "/out.ics", now);
        written = outcome.count;
    }
    if (written != kRecords)
        state.SkipWithError("wrong number of events written");
}

} // namespace

BENCHMARK(BM_Read_ICal_Events)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import_ICal_File)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export_ICal_File)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
