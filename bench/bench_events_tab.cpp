// The "Events" tab at growing sizes of calendar.dat: the statistics pass of every activation
// of the settings window, and the overview read, sorted, filled into its list and painted. Both
// read the whole file, so both should grow linearly with the number of records.
#include "calendar/AppPath.h"
#include "calendar/Clock.h"
#include "events/EventStats.h"
#include "events/EventStore.h"
#include "events/Overview.h"
#include "events/gui/Events_Page.h"
#include "settings/gui/Settings_Frm.h"

#include <QApplication>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A program folder holding calendar.dat with `count` events spread over the years in shuffled
// order, one in ten of them every-year events, so sorting has real work.
struct EventFolder {
    explicit EventFolder(int count) {
        QStringList records;
        const QDate first(1800, 1, 1);
        for (int i = 0; i < count; ++i) {
            const QDate day = first.addDays((qint64(i) * 7919) % 150000);
            const QString key = i % 10 == 0 ? Every_Year_Key(Event_Key(day)) : Event_Key(day);
            records.append(key + QStringLiteral("=Meeting && notes for event ") +
                           QString::number(i));
        }
        Set_App_Path(dir.path());
        path = dir.path() + QStringLiteral("/calendar.dat");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(Format_Event_File(records)) < 0)
            std::abort();
    }
    QTemporaryDir dir;
    QString path;
};

void BM_Stats_Core(benchmark::State& state) {
    const EventFolder folder(int(state.range(0)));
    const QDate today = Current_Clock().Today();
    qint64 total = 0;
    for (auto _ : state) {
        total = Read_Stats(folder.path, today).stats.total;
        benchmark::DoNotOptimize(total);
    }
    state.SetComplexityN(state.range(0));
}

// What the window does on every activation: reset, read, count, write the sixteen labels.
void BM_Stats_Pass(benchmark::State& state) {
    const EventFolder folder(int(state.range(0)));
    Settings_Frm frame(nullptr);
    Events_Page& page = *frame.Events();
    for (auto _ : state) {
        page.Write_Month_Titles();
        page.Get_Stats();
        benchmark::DoNotOptimize(page.Stats().total);
    }
    state.SetComplexityN(state.range(0));
}

void BM_Overview_Core(benchmark::State& state) {
    const EventFolder folder(int(state.range(0)));
    const QDate today = Current_Clock().Today();
    for (auto _ : state) {
        Overview overview = Read_Overview(folder.path, today);
        Sort_Overview(overview.entries, SortOrder::Ascending_Date);
        benchmark::DoNotOptimize(overview.entries.size());
    }
    state.SetComplexityN(state.range(0));
}

// A click on "Events Overview" until the list is painted: read, sort, fill, show.
void BM_Overview_Shown(benchmark::State& state) {
    const EventFolder folder(int(state.range(0)));
    Settings_Frm frame(nullptr);
    frame.show();
    Events_Page& page = *frame.Events();
    for (auto _ : state) {
        page.Overview_Opt_Click();
        page.Events_Lst->viewport()->repaint();
        benchmark::DoNotOptimize(page.Events_Lst->model()->rowCount());
    }
    if (page.Events_Lst->model()->rowCount() != state.range(0))
        state.SkipWithError("wrong line count");
    state.SetComplexityN(state.range(0));
}

void Sizes(benchmark::internal::Benchmark* bench) {
    bench->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN);
    bench->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Stats_Core)->Apply(Sizes);
BENCHMARK(BM_Stats_Pass)->Apply(Sizes);
BENCHMARK(BM_Overview_Core)->Apply(Sizes);
BENCHMARK(BM_Overview_Shown)->Apply(Sizes);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
