// A remote calendar's data as the month view reads it from the cache: any bytes parse to
// calendars or an error, and every occurrence lies in the month asked for with a one-line summary.
#include "FuzzSupport.h"

#include "remote/RemoteExpansion.h"

ALMANOR_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ICalParseResult parsed = Parse_ICal_Calendars(bytes);
    if (!parsed.ok)
        return 0;
    static const QTimeZone zone(QByteArrayLiteral("Europe/Berlin"));
    for (const QDate& first : {QDate(2026, 3, 1), QDate(2027, 10, 1)}) {
        const QDate last = first.addMonths(1).addDays(-1);
        for (const RemoteOccurrence& o : Expand_Remote_Events(parsed.calendars, first, last, zone)) {
            if (o.day < first || o.day > last || o.summary.isEmpty() ||
                o.summary.contains(QLatin1Char('\n')))
                __builtin_trap();
        }
    }
    return 0;
}
