// A remote calendar's data as the month view reads it from the cache: any bytes parse to
// calendars or an error, every occurrence lies in the month asked for with a one-line summary,
// and the index of occurrences survives a round trip through its file form. (The index and a
// month's own expansion may differ for rules that repeat every minute or second: each stops after
// Max_Remote_Rule_Steps steps from the start of its own window.)
#include "FuzzSupport.h"

#include "remote/RemoteExpansion.h"
#include "remote/RemoteIndex.h"

ALMANOR_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // The same bytes as a damaged index file: refused, or an index whose order holds.
    if (const std::optional<RemoteIndex> index = Read_Remote_Index(bytes)) {
        for (qsizetype i = 1; i < index->instances.size(); ++i) {
            if (index->instances[i].start < index->instances[i - 1].start)
                __builtin_trap();
        }
    }
    const ICalParseResult parsed = Parse_ICal_Calendars(bytes);
    if (!parsed.ok)
        return 0;
    static const QTimeZone zone(QByteArrayLiteral("Europe/Berlin"));
    const std::optional<RemoteIndex> index =
        Read_Remote_Index(Format_Remote_Index(Build_Remote_Index(bytes, QDate(2026, 12, 8))));
    if (!index)
        __builtin_trap();
    for (const QDate& first : {QDate(2026, 3, 1), QDate(2027, 10, 1)}) {
        const QDate last = first.addMonths(1).addDays(-1);
        const QList<RemoteOccurrence> expanded =
            Expand_Remote_Events(parsed.calendars, first, last, zone);
        for (const RemoteOccurrence& o : expanded) {
            if (o.day < first || o.day > last || o.summary.isEmpty() ||
                o.summary.contains(QLatin1Char('\n')))
                __builtin_trap();
        }
    }
    return 0;
}
