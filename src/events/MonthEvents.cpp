#include "events/MonthEvents.h"

#include "calendar/General_Mod.h"
#include "events/EventStore.h"

namespace {
bool To_Int16(QStringView text, qint16* out) {
    bool ok = false;
    const short value = text.trimmed().toShort(&ok);
    if (ok)
        *out = value;
    return ok;
}
} // namespace

bool Parse_Event_Key(QStringView key, qint16* day, qint16* month, qint16* year) {
    const qsizetype first = key.indexOf(u'/');
    if (first < 0)
        return false;
    const qsizetype second = key.indexOf(u'/', first + 1);
    if (second < 0)
        return false;
    qint16 d = 0;
    qint16 m = 0;
    qint16 y = 0;
    if (!To_Int16(key.first(first), &d) ||
        !To_Int16(key.sliced(first + 1, second - first - 1), &m) ||
        !To_Int16(key.sliced(second + 1), &y))
        return false;
    *day = d;
    *month = m;
    *year = y;
    return true;
}

// Works on views of the record: the whole file passes through here on every month rebuild, and
// only the text of a record is kept.
bool Parse_Event_Record(QStringView record, EventDay* out, bool keep_text) {
    const qsizetype eq = record.indexOf(u'=');
    if (eq < 0)
        return false;
    EventDay event;
    if (!Parse_Event_Key(record.first(eq), &event.day, &event.month, &event.year))
        return false;
    if (keep_text)
        event.text = record.sliced(eq + 1).toString();
    *out = std::move(event);
    return true;
}

bool Shown_In_Month(const EventDay& event, qint16 view_month, qint16 view_year) {
    return (event.year == Every_Year || event.year == view_year) && event.month == view_month;
}

bool Falls_Today(const EventDay& event, const QDate& today) {
    return event.day == today.day() && event.month == today.month() &&
           (event.year == Every_Year || event.year == today.year());
}

QString Alert_Text(const QString& stored_text, const QDate& today, const QLocale& locale) {
    return QStringLiteral("Today: ") + Format_Short_Date(today, locale) +
           QStringLiteral("\r\n\r\n") + Unescape_Event_Text(stored_text);
}
