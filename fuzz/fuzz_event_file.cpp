// The calendar.dat reader: records, the record parser of the month view and the month index.
#include "FuzzSupport.h"

#include "events/EventStore.h"
#include "events/MonthEventIndex.h"
#include "events/MonthEvents.h"

ALMANOR_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList records = Parse_Event_File(bytes);
    qsizetype seen = 0;
    For_Each_Event_Record(bytes, [&](QStringView) { return ++seen < 1000000; });
    for (const QString& record : records) {
        EventDay day;
        if (Parse_Event_Record(record, &day))
            (void)Shown_In_Month(day, 3, 2004);
        (void)Record_Key(record);
        (void)Unescape_Event_Text(Record_Text(record));
    }
    // What the reader wrote must read back as the same records.
    if (Parse_Event_File(Format_Event_File(records)).size() != records.size())
        __builtin_trap();
    // The month view's reading of the bytes, for the month of the file's first record and one
    // other.
    const QDate today(2004, 3, 5);
    for (const qint16 month : {qint16(3), qint16(size % 12 + 1)}) {
        const MonthEventIndex index(bytes, month, 2004, today);
        (void)Plan_Month(index, month, 2004, 3, 37, today, true);
    }
    return 0;
}
