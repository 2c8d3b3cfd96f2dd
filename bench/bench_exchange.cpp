// Importing CSV rows into a large calendar.dat and exporting a large calendar to CSV: both read
// or write every record once, so their time should grow linearly.
#include "events/EventStore.h"
#include "exchange/CsvEvents.h"
#include "exchange/EventExport.h"
#include "exchange/ExchangeFile.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QLocale kLocale(QLocale::English, QLocale::UnitedKingdom);
constexpr int Stored_Records = 100000;

QByteArray Stored_File() {
    QStringList records;
    const QDate first(1800, 1, 1);
    for (int i = 0; i < Stored_Records; ++i)
        records.append(Event_Key(first.addDays(i)) + QStringLiteral("=Meeting && notes ") +
                       QString::number(i));
    return Format_Event_File(records);
}

// Rows on days of the stored file (every third joins an existing record) and on new days.
QByteArray Csv_Rows(int count) {
    QByteArray csv = "\"Subject\",\"Start Date\",\"Description\",\"Start Time\"\r\n";
    const QDate first(1800, 1, 1);
    for (int i = 0; i < count; ++i) {
        const QDate day = first.addDays(i % 3 == 0 ? i : Stored_Records + i);
        csv += "\"Call " + QByteArray::number(i) + "\",\"" +
               kLocale.toString(day, QStringLiteral("dd/MM/yyyy")).toUtf8() +
               "\",\"Room 2, floor 3\",\"10:00\"\r\n";
    }
    return csv;
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

void BM_Import_CSV(benchmark::State& state) {
    QTemporaryDir dir;
    const QString data = dir.path() + QStringLiteral("/calendar.dat");
    const QString csv = dir.path() + QStringLiteral("/in.csv");
    const QByteArray stored = Stored_File();
    Write(csv, Csv_Rows(int(state.range(0))));
    for (auto _ : state) {
        state.PauseTiming();
        Write(data, stored);
        state.ResumeTiming();
        const CsvImportOutcome outcome = Import_CSV_File(csv, data, kLocale);
        if (!outcome.ok() || outcome.imported != state.range(0))
            state.SkipWithError("import failed");
    }
    state.SetComplexityN(state.range(0));
}

// The whole export behind the button: calendar.dat read into the overview's entries, sorted by
// date, written as CSV through a temporary file.
void BM_Export_CSV(benchmark::State& state) {
    QTemporaryDir dir;
    const QString data = dir.path() + QStringLiteral("/calendar.dat");
    const QString path = dir.path() + QStringLiteral("/out.csv");
    Write(data, Stored_File());
    const QDate today(2026, 3, 5);
    for (auto _ : state) {
        Overview overview = Read_Overview(data, today);
        Sort_Overview(overview.entries, Key_Order(SortOrder::Ascending_Date));
        if (!overview.ok || overview.entries.size() != Stored_Records ||
            !Save_File_Atomically(path, Format_CSV_Events(overview.entries, kLocale)))
            state.SkipWithError("export failed");
    }
}

} // namespace

BENCHMARK(BM_Import_CSV)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_Export_CSV)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
