// From libical's events to the calendar's days: the local day of each start and the days the
// event covers, the text a day box shows, and repeating events as every-year records or as their
// occurrences around the day of the import.
#include "exchange/ICalDocument.h"
#include "exchange/ICalExchange.h"
#include "exchange/ICalRecurrence.h"

#include "calendar/Clock.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

// Everything known about one calendar's VEVENTs before they are mapped.
struct EventContext {
    const ICalImportContext& import;
    // The start of every moved or cancelled occurrence, by the UID of its series.
    std::map<std::string, std::vector<icaltimetype>> replaced;
    // The series themselves (the events with a UID and no RECURRENCE-ID), by UID.
    std::map<std::string, icalcomponent*> series;
    ICalReadResult* result;
};

std::vector<icaltimetype> Excluded_Starts(icalcomponent* event, const EventContext& context) {
    std::vector<icaltimetype> excluded;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
        excluded.push_back(icalproperty_get_exdate(p));
    if (const char* uid = icalcomponent_get_uid(event)) {
        const auto found = context.replaced.find(uid);
        if (found != context.replaced.end())
            excluded.insert(excluded.end(), found->second.begin(), found->second.end());
    }
    return excluded;
}

// The summary, then the description on the next line; line breaks as the editor stores them.
// An occurrence moved out of its series takes what it doesn't say itself from the series.
QString Event_Text(icalcomponent* event, icalcomponent* series) {
    QString summary = Clean_ICal_Text(icalcomponent_get_summary(event));
    if (summary.isEmpty() && series)
        summary = Clean_ICal_Text(icalcomponent_get_summary(series));
    icalcomponent* described =
        series && !icalcomponent_get_first_property(event, ICAL_DESCRIPTION_PROPERTY) ? series
                                                                                      : event;
    const QString description = Clean_ICal_Text(icalcomponent_get_description(described));
    QString text = summary;
    if (text.isEmpty() || description == summary)
        text = description;
    else if (!description.isEmpty())
        text += QLatin1Char('\n') + description;
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

// How long each occurrence lasts (DTEND or DURATION), when the event says.
std::optional<icaldurationtype> Event_Length(icalcomponent* event) {
    if (!icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY) &&
        !icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY))
        return std::nullopt;
    const icaldurationtype length = icalcomponent_get_duration(event);
    if (icaldurationtype_is_bad_duration(length) || length.is_neg)
        return std::nullopt;
    return length;
}

// The last local day an occurrence starting at t covers. Its end is the first moment after it:
// an end at midnight (or an end date) leaves that day out.
QDate Last_Day(const icaltimetype& t, const LocalStart& first,
               const std::optional<icaldurationtype>& length, const QTimeZone& zone) {
    if (!length)
        return first.day;
    const icaltimetype end = icaltime_add(t, *length);
    const LocalStart last = To_Local(end, zone);
    if (!last.day.isValid() || last.day <= first.day)
        return first.day;
    if (!last.timed || last.time == QTime(0, 0))
        return last.day.addDays(-1);
    return last.day;
}

bool Has_Recurrence(icalcomponent* event) {
    return icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY) ||
           icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY);
}

QString First_Line(const QString& text) {
    return text.section(QStringLiteral("\r\n"), 0, 0);
}

void Map_Event(icalcomponent* event, const EventContext& context, QList<ImportedEvent>* out) {
    if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
        return;
    const QTimeZone& zone = context.import.zone;
    const icaltimetype start = icalcomponent_get_dtstart(event);
    if (icaltime_is_null_time(start) || !To_Local(start, zone).day.isValid())
        return;
    // A moved occurrence (RECURRENCE-ID) stands on its own day; its series leaves the original
    // out (or, as an every-year record, keeps it).
    const bool overrides = !icaltime_is_null_time(icalcomponent_get_recurrenceid(event));
    icalcomponent* series = nullptr;
    if (const char* uid = icalcomponent_get_uid(event); overrides && uid) {
        const auto found = context.series.find(uid);
        series = found != context.series.end() ? found->second : nullptr;
    }
    const QString text = Event_Text(event, series);
    if (text.isEmpty())
        return;
    const std::optional<icaldurationtype> length = Event_Length(event);
    const auto add = [&](const icaltimetype& t, bool every_year) {
        const LocalStart local = To_Local(t, zone);
        const QString first_text =
            local.timed ? context.import.locale.toString(local.time, QLocale::ShortFormat) +
                              QLatin1Char(' ') + text
                        : text;
        Append_Event_Days(out, local.day, Last_Day(t, local, length, zone), every_year, first_text,
                          text);
    };
    if (overrides || !Has_Recurrence(event)) {
        add(start, false);
        return;
    }
    icalproperty* rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    if (rrule && !icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY) &&
        !icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY) &&
        Is_Every_Year_Rule(icalproperty_get_rrule(rrule), start)) {
        add(start, true);
        return;
    }
    const Occurrences occurrences =
        Expand_Occurrences(event, start, Excluded_Starts(event, context),
                           Expansion_Window(context.import.today, To_Local(start, zone).day), zone,
                           Max_ICal_Occurrences);
    if (occurrences.cut && context.result->cut_series++ == 0)
        context.result->first_cut = First_Line(text);
    for (const icaltimetype& t : occurrences.starts)
        add(t, false);
}

void Map_Calendar(icalcomponent* calendar, const ICalImportContext& import,
                  ICalReadResult* result) {
    EventContext context{import, {}, {}, result};
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const icaltimetype id = icalcomponent_get_recurrenceid(event);
        const char* uid = icalcomponent_get_uid(event);
        if (!uid)
            continue;
        if (!icaltime_is_null_time(id))
            context.replaced[uid].push_back(id);
        else
            context.series.emplace(uid, event);
    }
    // libical keeps one iterator per component kind, so the collection above must finish
    // before this walk starts.
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
        Map_Event(event, context, &result->events);
}

} // namespace

ICalImportContext Local_ICal_Context() {
    return {Current_Clock().Today(), QTimeZone::systemTimeZone(), QLocale()};
}

ICalReadResult Read_ICal_Events(const QByteArray& data, const ICalImportContext& context) {
    ICalReadResult result;
    ICalParseResult parsed = Parse_ICal_Calendars(data);
    if (!parsed.ok) {
        result.error = parsed.error;
        return result;
    }
    for (const ICalComponentPtr& calendar : parsed.calendars)
        Map_Calendar(calendar.get(), context, &result);
    result.ok = true;
    return result;
}
