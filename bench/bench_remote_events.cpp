// Remote calendars as the month view meets them: 10,000 cached events (one-off, all-day and
// weekly ones over two years), read from the cache at start and expanded for one month, and the
// later rebuilds of months already expanded.
#include "remote/RemoteCache.h"
#include "remote/RemoteEventSource.h"
#include "remote/RemoteIndex.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kEvents = 10000;
const QTimeZone kZone("Europe/Berlin");

QByteArray Calendar_Bytes() {
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n";
    const QDate first(2026, 1, 1);
    for (int i = 0; i < kEvents; ++i) {
        const QDate day = first.addDays(i % 730);
        text +=
            "BEGIN:VEVENT\r\nUID:e" + QByteArray::number(i) + "\r\nDTSTAMP:20261201T000000Z\r\n";
        if (i % 10 == 0)
            text += "DTSTART;VALUE=DATE:" + day.toString("yyyyMMdd").toLatin1() + "\r\n";
        else
            text += "DTSTART;TZID=Europe/Berlin:" + day.toString("yyyyMMdd").toLatin1() + "T" +
                    QByteArray::number(10 + i % 10) + "0000\r\n";
        if (i % 100 == 0)
            text += "RRULE:FREQ=WEEKLY\r\n";
        text += "SUMMARY:Event " + QByteArray::number(i) + "\r\nEND:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

struct CachedWorld {
    QTemporaryDir dir;
    RemoteCalendar calendar;
    CachedWorld() {
        calendar.name = QStringLiteral("Bench");
        calendar.url = QStringLiteral("https://example.org/bench.ics");
        RemoteCacheState state;
        state.url = Fetch_Url(calendar.url);
        Store_Remote_Data(dir.path(), calendar, Calendar_Bytes(), state);
    }
};

// The start: the index read from the cache and the shown month placed.
void BM_Remote_Cache_Read_At_Start(benchmark::State& state) {
    CachedWorld world;
    for (auto _ : state) {
        CachedRemoteEvents source({world.calendar}, world.dir.path(), kZone);
        benchmark::DoNotOptimize(source.Month_Events(2027, 3).size());
    }
}
BENCHMARK(BM_Remote_Cache_Read_At_Start)->Unit(benchmark::kMillisecond);

// Stepping to a month not yet shown: its occurrences placed from the index.
void BM_Remote_Month_From_Index(benchmark::State& state) {
    const RemoteIndex index = Build_Remote_Index(Calendar_Bytes(), QDate(2026, 12, 8));
    int step = 0;
    for (auto _ : state) {
        const QDate first = QDate(2026, 1, 1).addMonths(step++ % 24);
        benchmark::DoNotOptimize(
            Place_Remote_Instances(index.instances, first, first.addMonths(1).addDays(-1), kZone)
                .size());
    }
}
BENCHMARK(BM_Remote_Month_From_Index)->Unit(benchmark::kMillisecond);

// A month beyond the index: expanded from the parsed data.
void BM_Remote_Month_Beyond_Index(benchmark::State& state) {
    const ICalParseResult parsed = Parse_ICal_Calendars(Calendar_Bytes());
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Expand_Remote_Events(parsed.calendars, QDate(2027, 3, 1), QDate(2027, 3, 31), kZone)
                .size());
}
BENCHMARK(BM_Remote_Month_Beyond_Index)->Unit(benchmark::kMillisecond);

// A rebuild of the shown month: the 37 boxes ask for their days' events.
void BM_Remote_Month_Rebuild(benchmark::State& state) {
    CachedWorld world;
    CachedRemoteEvents source({world.calendar}, world.dir.path(), kZone);
    source.Month_Events(2027, 3);
    for (auto _ : state) {
        for (int day = 1; day <= 31; ++day)
            benchmark::DoNotOptimize(source.Day_Events(QDate(2027, 3, day)).size());
    }
}
BENCHMARK(BM_Remote_Month_Rebuild)->Unit(benchmark::kMicrosecond);

// libical's parse of the cached bytes alone.
void BM_Remote_Parse(benchmark::State& state) {
    const QByteArray bytes = Calendar_Bytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(Parse_ICal_Calendars(bytes).calendars.size());
}
BENCHMARK(BM_Remote_Parse)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
