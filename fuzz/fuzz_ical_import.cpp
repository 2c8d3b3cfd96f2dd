// The iCalendar import mapping over libical: any bytes give events on valid days, or an error.
#include "FuzzSupport.h"

#include "exchange/ICalExchange.h"

#include <QTimeZone>

ALMANOR_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    static const ICalImportContext context{QDate(2026, 12, 7),
                                           QTimeZone(QByteArrayLiteral("Europe/Berlin")),
                                           QLocale(QLocale::English, QLocale::UnitedStates)};
    const ICalReadResult result = Read_ICal_Events(bytes, context);
    for (const ImportedEvent& event : result.events) {
        if (!event.day.isValid() || event.text.isEmpty())
            __builtin_trap();
    }
    return 0;
}
