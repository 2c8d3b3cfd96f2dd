// From calendar.dat's records to one iCalendar calendar of all-day events, built and written
// (folded, escaped) by libical.
#include "exchange/ICalDocument.h"
#include "exchange/ICalExchange.h"

#include "events/EventStore.h"
#include "events/MonthEvents.h"

#include <QHash>

namespace {

// A UID that stays with the day: the calendar keeps one record a day, so an edited text
// replaces the old event in a calendar program that takes the file again. The few days with
// several records number them in file order.
QByteArray Record_Uid(const EventDay& event, int ordinal, const QString& domain) {
    QString uid = event.year == Every_Year ? QStringLiteral("almanor-every-year-%1%2")
                                                 .arg(event.month, 2, 10, QLatin1Char('0'))
                                                 .arg(event.day, 2, 10, QLatin1Char('0'))
                                           : QStringLiteral("almanor-%1%2%3")
                                                 .arg(event.year, 4, 10, QLatin1Char('0'))
                                                 .arg(event.month, 2, 10, QLatin1Char('0'))
                                                 .arg(event.day, 2, 10, QLatin1Char('0'));
    if (ordinal > 1)
        uid += QLatin1Char('-') + QString::number(ordinal);
    return (uid + QLatin1Char('@') + domain).toUtf8();
}

icalcomponent* Record_Event(const EventDay& event, const QDate& day, const icaltimetype& stamp,
                            const QByteArray& uid) {
    // The summary is the text as a day box shows it: one "&" each, line breaks as line feeds
    // (libical writes them as "\n").
    QString text = Unescape_Event_Text(event.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    icalcomponent* vevent = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(vevent, icalproperty_new_uid(uid.constData()));
    icalcomponent_add_property(vevent, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(vevent, icalproperty_new_dtstart(ICal_Date(day)));
    icalcomponent_add_property(vevent, icalproperty_new_dtend(ICal_Date(day.addDays(1))));
    icalcomponent_add_property(vevent, icalproperty_new_summary(text.toUtf8().constData()));
    if (event.year == Every_Year) {
        icalrecurrencetype rule;
        icalrecurrencetype_clear(&rule);
        rule.freq = ICAL_YEARLY_RECURRENCE;
        icalcomponent_add_property(vevent, icalproperty_new_rrule(rule));
    }
    // An all-day note takes no time from the day: free, as other programs mark all-day events.
    icalcomponent_add_property(vevent, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    return vevent;
}

} // namespace

ICalWriteResult Format_ICal_Events(const QStringList& records, const QDateTime& now,
                                   const QString& uid_domain) {
    ICalComponentPtr calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(ICal_Product_Id));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    const icaltimetype stamp = icaltime_from_timet_with_zone(
        static_cast<time_t>(now.toSecsSinceEpoch()), 0, icaltimezone_get_utc_timezone());

    ICalWriteResult result;
    QHash<QString, int> records_of_key;
    for (const QString& record : records) {
        EventDay event;
        QDate day;
        if (Parse_Event_Record(record, &event))
            day = ICal_Start_Day(event.day, event.month, event.year, now.date().year());
        if (!day.isValid()) {
            // Told to the user rather than passed over: the file would look complete.
            if (result.skipped++ == 0)
                result.first_skipped =
                    Record_Key(record).isNull() ? record.left(20) : Record_Key(record).trimmed();
            continue;
        }
        const int ordinal = ++records_of_key[Event_Key(event.day, event.month, event.year)];
        icalcomponent_add_component(
            calendar.get(),
            Record_Event(event, day, stamp, Record_Uid(event, ordinal, uid_domain)));
        ++result.count;
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    result.bytes = QByteArray(text);
    icalmemory_free_buffer(text);
    return result;
}
