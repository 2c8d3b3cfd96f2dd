// The CSV import reader, in a day/month and a month/day locale.
#include "FuzzSupport.h"

#include "exchange/CsvEvents.h"

ALMANOR_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    static const QLocale us(QLocale::English, QLocale::UnitedStates);
    static const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
    const CsvReadResult result = Read_CSV_Events(bytes, size % 2 ? us : uk);
    for (const ImportedEvent& event : result.events) {
        if (!event.day.isValid())
            __builtin_trap();
    }
    return 0;
}
