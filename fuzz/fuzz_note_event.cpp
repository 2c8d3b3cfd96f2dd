// The note sync's reader of events from the server: any bytes give no note or a note on a real
// day, never a crash or a hang; and a plain note read back from the event the sync writes for
// it is the same note (but for control characters, which events can't hold), so that an
// unchanged note never goes up again on every sync.
#include "FuzzSupport.h"

#include "remote/sync/NoteEvent.h"

#include <QTimeZone>

ALMANOR_FUZZ_INIT

namespace {

// A dated key "5/3/2004" of a real day, or an every-year key "5/3/9999".
bool Is_Day_Key(const QString& key) {
    const QStringList parts = key.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return false;
    const int day = parts[0].toInt(), month = parts[1].toInt(), year = parts[2].toInt();
    if (year == 9999)
        return QDate(2000, month, 1).isValid() && day >= 1 &&
               day <= QDate(2000, month, 1).daysInMonth();
    return QDate(year, month, day).isValid();
}

// The text as an event can carry it: iCalendar text holds no control characters but tabs and
// line breaks, and what the writer does with the others matters little.
QString Writable(QString text) {
    text.removeIf([](QChar c) {
        return c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\r') &&
               c != QLatin1Char('\n');
    });
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    static const ICalImportContext context{QDate(2026, 12, 8),
                                           QTimeZone(QByteArrayLiteral("Europe/Berlin")),
                                           QLocale(QLocale::English, QLocale::UnitedStates)};
    const std::optional<NoteEvent> note = Read_Note_Event(bytes, context);
    if (!note)
        return 0;
    if (!Is_Day_Key(note->key))
        __builtin_trap();
    if (note->foreign || note->text.trimmed().isEmpty())
        return 0;
    static const QDateTime now(QDate(2026, 12, 8), QTime(12, 0), QTimeZone::utc());
    // An empty event: a note the sync keeps to this computer, as no event can hold it.
    const QByteArray written =
        Format_Note_Event(QStringLiteral("fuzz@almanor"), note->key, note->text, now);
    if (written.isEmpty())
        return 0;
    const std::optional<NoteEvent> again = Read_Note_Event(written, context);
    if (!again || again->key != note->key || Writable(again->text) != Writable(note->text) ||
        again->foreign)
        __builtin_trap();
    return 0;
}
