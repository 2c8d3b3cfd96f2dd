// iCalendar exchange at the sizes a long-kept calendar reaches: a calendar of 10,000 events (a
// third of them repeating) read on its own, merged into a calendar.dat of 100,000 records, and the
// whole calendar.dat written out as .ics. Read and import also run at half the size, so that
// Google Benchmark fits how they grow.
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

// The first day of the imported events.
const QDate kFirstEventDay(2060, 1, 1);

// calendar.dat with one record a day, ending so that half of the imported events meet a day
// that already has a record.
QByteArray Data_File_Bytes(int records, int events) {
    QStringList list;
    const QDate first = kFirstEventDay.addDays(events / 2 - records);
    for (int i = 0; i < records; ++i)
        list.append(Event_Key(first.addDays(i)) + QStringLiteral("=Meeting && notes ") +
                    QString::number(i));
    return Format_Event_File(list);
}

// An exported calendar as other programs write one: all-day and timed events (in a described
// zone and in UTC), some over several days; every third one repeats: a yearly birthday (an
// every-year record), a weekly course of eight meetings, or an endless monthly meeting (taken
// for the first year of the series, which lies more than a year ahead).
QByteArray Ics_Bytes(int events) {
    QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Bench//EN\r\n";
    for (int i = 0; i < events; ++i) {
        const QByteArray day =
            kFirstEventDay.addDays(i).toString(QStringLiteral("yyyyMMdd")).toLatin1();
        ics += "BEGIN:VEVENT\r\nUID:event-" + QByteArray::number(i) +
               "@bench\r\nDTSTAMP:20261201T000000Z\r\n";
        switch (i % 6) {
        case 0:
            ics += "DTSTART;VALUE=DATE:" + day + "\r\nTRANSP:TRANSPARENT\r\n";
            break;
        case 1:
            ics += "DTSTART;TZID=America/New_York:" + day + "T093000\r\nDURATION:PT1H\r\n";
            break;
        case 3:
            ics += "DTSTART:" + day + "T140000Z\r\nDTEND:" + day + "T160000Z\r\n";
            break;
        case 4:
            ics += "DTSTART;VALUE=DATE:" + day + "\r\nDURATION:P3D\r\n";
            break;
        default: {
            static const char* const rules[] = {"FREQ=YEARLY", "FREQ=WEEKLY;COUNT=8",
                                                "FREQ=MONTHLY"};
            ics += "DTSTART;VALUE=DATE:" + day + "\r\nRRULE:" + rules[(i / 3) % 3] + "\r\n";
        }
        }
        ics += "SUMMARY:Event number " + QByteArray::number(i) +
               "\\, with a summary long enough to be folded by the writer of the file\r\n"
               "DESCRIPTION:Notes\r\nEND:VEVENT\r\n";
    }
    return ics + "END:VCALENDAR\r\n";
}

struct Folder {
    Folder(int records, int events) : data_bytes(Data_File_Bytes(records, events)) {
        data_path = dir.path() + QStringLiteral("/calendar.dat");
        ics_path = dir.path() + QStringLiteral("/events.ics");
        Write(data_path, data_bytes);
        Write(ics_path, Ics_Bytes(events));
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

// The .ics file's events read and mapped to days (argument: the number of events).
void BM_Read_ICal_Events(benchmark::State& state) {
    const int events = int(state.range(0));
    const QByteArray ics = Ics_Bytes(events);
    ICalReadResult result;
    for (auto _ : state) {
        result = Read_ICal_Events(ics, kContext);
        benchmark::DoNotOptimize(result.events.size());
    }
    if (!result.ok || result.events.size() < events)
        state.SkipWithError(qPrintable(
            QStringLiteral("wrong event count %1 %2").arg(result.events.size()).arg(result.error)));
    state.counters["days"] = double(result.events.size());
    state.SetComplexityN(events);
    state.SetBytesProcessed(state.iterations() * ics.size());
}

// The whole import button's work: read the .ics, back up calendar.dat, merge and save once
// (arguments: the number of events and of calendar.dat's records). calendar.dat is put back
// outside the timing before each round.
void BM_Import_ICal_File(benchmark::State& state) {
    const int events = int(state.range(0));
    const Folder folder(int(state.range(1)), events);
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
    if (added < events)
        state.SkipWithError("too few events added");
    state.counters["added"] = added;
    state.SetComplexityN(events);
}

void BM_Export_ICal_File(benchmark::State& state) {
    const Folder folder(kRecords, kEvents);
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

BENCHMARK(BM_Read_ICal_Events)
    ->Arg(kEvents / 2)
    ->Arg(kEvents)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import_ICal_File)
    ->Args({kEvents / 2, kRecords / 2})
    ->Args({kEvents, kRecords})
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export_ICal_File)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
