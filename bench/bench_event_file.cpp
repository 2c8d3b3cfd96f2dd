// Reading, looking up and saving calendar.dat at growing sizes: every operation reads or writes
// the whole file, so each should grow linearly with the number of records.
#include "calendar/MsgBox.h"
#include "events/EventStore.h"
#include "events/MonthEventCache.h"
#include "events/MonthEvents.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A program folder holding calendar.dat with `count` events on consecutive days.
struct EventFolder {
    explicit EventFolder(int count) {
        const QDate first(1800, 1, 1);
        for (int i = 0; i < count; ++i) {
            keys.append(Event_Key(first.addDays(i)));
            records.append(keys.last() + QStringLiteral("=Meeting && notes for event ") +
                           QString::number(i));
        }
        path = dir.path() + QStringLiteral("/calendar.dat");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(Format_Event_File(records)) < 0)
            std::abort();
    }
    QTemporaryDir dir;
    QString path;
    QStringList keys;
    QStringList records;
};

void Set_Result(benchmark::State& state, const EventFolder& folder) {
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * QFile(folder.path).size());
}

void BM_Load_File(benchmark::State& state) {
    const EventFolder folder(int(state.range(0)));
    EventStore store(folder.path);
    for (auto _ : state) {
        store.Load_File();
        benchmark::DoNotOptimize(store.records.size());
    }
    if (store.records.size() != folder.records.size())
        state.SkipWithError("wrong record count");
    Set_Result(state, folder);
}

void BM_Get_Message(benchmark::State& state) {
    const EventFolder folder(int(state.range(0)));
    EventStore store(folder.path);
    store.current_key = folder.keys.at(folder.keys.size() - 2);
    QString text;
    for (auto _ : state) {
        text = store.Get_Message(true);
        benchmark::DoNotOptimize(text.size());
    }
    if (text != Record_Text(folder.records.at(folder.records.size() - 2)))
        state.SkipWithError("wrong text found");
    Set_Result(state, folder);
}

// The editor's save: reload, change one event near the end, rewrite the file atomically.
void BM_Save_One_Change(benchmark::State& state) {
    const EventFolder folder(int(state.range(0)));
    EventStore store(folder.path);
    store.current_key = folder.keys.at(folder.keys.size() - 2);
    bool saved = true;
    int round = 0;
    for (auto _ : state) {
        store.Load_File();
        saved = store.Check_For_Pre(QStringLiteral("Changed ") + QString::number(++round)) && saved;
    }
    if (!saved)
        state.SkipWithError("save failed");
    Set_Result(state, folder);
}

// What the calendar window does with the file at start-up and on every month change: read it
// and look at every record in place to see whether it belongs in the month or falls on today.
void BM_Month_View_Pass(benchmark::State& state) {
    const EventFolder folder(int(state.range(0)));
    const QDate today = QDate(1800, 1, 1).addDays(state.range(0) / 2);
    int shown = 0;
    for (auto _ : state) {
        shown = 0;
        QByteArray bytes;
        if (!Read_Event_Bytes(folder.path, &bytes))
            state.SkipWithError("read failed");
        For_Each_Event_Record(bytes, [&](QStringView record) {
            EventDay day;
            if (!Parse_Event_Record(record, &day, false))
                return false;
            shown += Shown_In_Month(day, qint16(today.month()), qint16(today.year())) ? 1 : 0;
            shown += Falls_Today(day, today) ? 1 : 0;
            return true;
        });
        benchmark::DoNotOptimize(shown);
    }
    if (shown < 28)
        state.SkipWithError("month not found");
    Set_Result(state, folder);
}

// A rebuild of a month the calendar didn't show last: one pass over the file's bytes that
// decodes only the month's and today's records.
void BM_Month_Index_Build(benchmark::State& state) {
    const EventFolder folder(int(state.range(0)));
    const QDate today = QDate(1800, 1, 1).addDays(state.range(0) / 2);
    qsizetype count = 0;
    for (auto _ : state) {
        MonthEventCache cache;
        bool ok = false;
        count = cache.Get(folder.path, qint16(today.month()), qint16(today.year()), today, 0, &ok)
                    ->Count();
        benchmark::DoNotOptimize(count);
    }
    if (count != folder.records.size())
        state.SkipWithError("wrong record count");
    Set_Result(state, folder);
}

// Every later rebuild of the same month: one look at the file's size and times, then the
// month's and today's records from the kept index. The file is an hour old, as a calendar's file
// usually is: a file written moments ago is read again on each rebuild.
void BM_Month_Rebuild_Cached(benchmark::State& state) {
    const EventFolder folder(int(state.range(0)));
    {
        QFile file(folder.path);
        if (!file.open(QIODevice::ReadWrite) ||
            !file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600),
                              QFileDevice::FileModificationTime))
            std::abort();
    }
    const QDate today = QDate(1800, 1, 1).addDays(state.range(0) / 2);
    MonthEventCache cache;
    bool ok = false;
    const qint16 month = qint16(today.month());
    const qint16 year = qint16(today.year());
    cache.Get(folder.path, month, year, today, 0, &ok);
    qsizetype shown = 0;
    for (auto _ : state) {
        const auto index = cache.Get(folder.path, month, year, today, 0, &ok);
        const MonthPlan plan =
            Plan_Month(*index, qint16(today.month()), qint16(today.year()), 3, 37, today, true);
        shown = plan.before_alert.size() + plan.after_alert.size();
        benchmark::DoNotOptimize(shown);
    }
    if (shown < 28)
        state.SkipWithError("month not found");
    state.SetComplexityN(state.range(0));
}

void Sizes(benchmark::internal::Benchmark* bench) {
    bench->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN);
    bench->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Load_File)->Apply(Sizes);
BENCHMARK(BM_Get_Message)->Apply(Sizes);
BENCHMARK(BM_Save_One_Change)->Apply(Sizes);
BENCHMARK(BM_Month_View_Pass)->Apply(Sizes);
BENCHMARK(BM_Month_Index_Build)->Apply(Sizes);
BENCHMARK(BM_Month_Rebuild_Cached)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
