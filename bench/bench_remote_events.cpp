// Remote calendars as the month view meets them: 10,000 cached events (one-off, all-day and
// weekly ones over two years), read from the cache at start and expanded for one month, and the
// later rebuilds of months already expanded.
#include "remote/RemoteCache.h"
#include "remote/RemoteEventSource.h"

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

// The start: the cache read and parsed, and the shown month expanded.
void BM_Remote_Cache_Read_At_Start(benchmark::State& state) {
    CachedWorld world;
    for (auto _ : state) {
        CachedRemoteEvents source({world.calendar}, world.dir.path(), kZone);
        benchmark::DoNotOptimize(source.Month_Events(2027, 3).size());
    }
}
BENCHMARK(BM_Remote_Cache_Read_At_Start)->Unit(benchmark::kMillisecond);

// Stepping to a month not yet shown: one month expanded from the parsed data.
void BM_Remote_Month_Expansion(benchmark::State& state) {
    CachedWorld world;
    CachedRemoteEvents source({world.calendar}, world.dir.path(), kZone);
    source.Month_Events(2027, 1);
    int step = 0;
    for (auto _ : state) {
        // 36 different months: every one is expanded anew (the source keeps at most 36).
        const int month = step++ % 36;
        source.Reload();
        state.PauseTiming();
        source.Month_Events(2030, 1);
        state.ResumeTiming();
        benchmark::DoNotOptimize(source.Month_Events(2026 + month / 12, 1 + month % 12).size());
    }
}
BENCHMARK(BM_Remote_Month_Expansion)->Unit(benchmark::kMillisecond);

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
