// From libical's events to the calendar's days: the local day of each start, the text a day box
// shows, and repeating events as every-year records or as their occurrences.
#include "exchange/ICalDocument.h"
#include "exchange/ICalExchange.h"

#include "calendar/Clock.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

// A start in the calendar's own terms: the local day and, for a timed event, the local time.
struct LocalStart {
    QDate day;
    QTime time;
    bool timed = false;
};

LocalStart To_Local(const icaltimetype& t, const QTimeZone& zone) {
    LocalStart start;
    const QDate date(t.year, t.month, t.day);
    if (t.is_date) {
        start.day = date;
        return start;
    }
    start.timed = true;
    if (!t.zone) {
        // A floating time (or one in a zone nobody described) is the wall-clock time wherever
        // the reader is.
        start.day = date;
        start.time = QTime(t.hour, t.minute, t.second);
        return start;
    }
    const auto seconds = static_cast<qint64>(icaltime_as_timet_with_zone(t, t.zone));
    const QDateTime local = QDateTime::fromSecsSinceEpoch(seconds, zone);
    start.day = local.date();
    start.time = local.time();
    return start;
}

// Reads an array of BY values, which ends at ICAL_RECURRENCE_ARRAY_MAX or at its size.
template <size_t N> std::vector<short> By_Values(const short (&values)[N]) {
    std::vector<short> list;
    for (short value : values) {
        if (value == ICAL_RECURRENCE_ARRAY_MAX)
            break;
        list.push_back(value);
    }
    return list;
}

template <size_t N> bool Is_Empty_Or(const short (&values)[N], short only) {
    const std::vector<short> list = By_Values(values);
    return list.empty() || (list.size() == 1 && list.front() == only);
}

// A yearly rule without an end that names no other day than its start's: the calendar's own
// every-year record says exactly that. Any other yearly rule (every second year, the fourth
// Thursday of November) is expanded instead, as it doesn't fall on one fixed day each year.
bool Is_Every_Year(const icalrecurrencetype& rule, const icaltimetype& start) {
    if (rule.freq != ICAL_YEARLY_RECURRENCE || rule.count != 0 ||
        !icaltime_is_null_time(rule.until) || rule.interval > 1)
        return false;
    return By_Values(rule.by_second).empty() && By_Values(rule.by_minute).empty() &&
           By_Values(rule.by_hour).empty() && By_Values(rule.by_day).empty() &&
           By_Values(rule.by_year_day).empty() && By_Values(rule.by_week_no).empty() &&
           By_Values(rule.by_set_pos).empty() &&
           Is_Empty_Or(rule.by_month, static_cast<short>(start.month)) &&
           Is_Empty_Or(rule.by_month_day, static_cast<short>(start.day));
}

bool Same_Occurrence(const icaltimetype& occurrence, const icaltimetype& other) {
    // A date-valued exception takes out whatever starts on that date.
    if (other.is_date || occurrence.is_date)
        return occurrence.year == other.year && occurrence.month == other.month &&
               occurrence.day == other.day;
    return icaltime_compare(occurrence, other) == 0;
}

bool Before(const icaltimetype& a, const icaltimetype& b) {
    return icaltime_compare(a, b) < 0;
}

// Everything known about one calendar's VEVENTs before they are mapped.
struct EventContext {
    const ICalImportContext& import;
    // The start of every moved or cancelled occurrence, by the UID of its series.
    std::map<std::string, std::vector<icaltimetype>> replaced;
    QDate last_day;
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

// The first occurrences of a repeating event up to the last day, exceptions left out, in time
// order. Each rule is read only as far as it can still contribute, so an endless rule that
// started long ago costs at most Max_ICal_Occurrences steps past its exceptions.
std::vector<icaltimetype> Occurrences(icalcomponent* event, const icaltimetype& start,
                                      const EventContext& context) {
    const std::vector<icaltimetype> excluded = Excluded_Starts(event, context);
    const auto wanted = [&](const icaltimetype& t) {
        return To_Local(t, context.import.zone).day <= context.last_day &&
               std::none_of(excluded.begin(), excluded.end(),
                            [&](const icaltimetype& ex) { return Same_Occurrence(t, ex); });
    };
    std::vector<icaltimetype> all;
    if (wanted(start))
        all.push_back(start);
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
        icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(p), start);
        if (!it)
            continue;
        int kept = 0;
        for (icaltimetype t = icalrecur_iterator_next(it);
             !icaltime_is_null_time(t) && kept < Max_ICal_Occurrences;
             t = icalrecur_iterator_next(it)) {
            // The iterator answers in the zone of the start; make sure the zone travels along.
            t.zone = start.zone;
            if (To_Local(t, context.import.zone).day > context.last_day)
                break;
            if (wanted(t)) {
                all.push_back(t);
                ++kept;
            }
        }
        icalrecur_iterator_free(it);
    }
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
        const icaltimetype t = icaltime_is_null_time(rdate.time) ? rdate.period.start : rdate.time;
        if (!icaltime_is_null_time(t) && wanted(t))
            all.push_back(t);
    }
    std::stable_sort(all.begin(), all.end(), Before);
    all.erase(std::unique(all.begin(), all.end(),
                          [](const icaltimetype& a, const icaltimetype& b) {
                              return icaltime_compare(a, b) == 0;
                          }),
              all.end());
    if (all.size() > static_cast<size_t>(Max_ICal_Occurrences))
        all.resize(Max_ICal_Occurrences);
    return all;
}

QString First_Line(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty())
            return line.trimmed();
    }
    return {};
}

// The summary, else the first line of the description; line breaks as the editor stores them.
QString Event_Text(icalcomponent* event) {
    QString text = QString::fromUtf8(icalcomponent_get_summary(event));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text = text.trimmed();
    if (text.isEmpty())
        text = First_Line(QString::fromUtf8(icalcomponent_get_description(event)));
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

ImportedEvent Make_Event(const LocalStart& start, const QString& text, bool every_year,
                         const QLocale& locale) {
    ImportedEvent event;
    event.day = start.day;
    event.every_year = every_year;
    event.text = start.timed
                     ? locale.toString(start.time, QLocale::ShortFormat) + QLatin1Char(' ') + text
                     : text;
    return event;
}

bool Has_Recurrence(icalcomponent* event) {
    return icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY) ||
           icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY);
}

void Map_Event(icalcomponent* event, const EventContext& context, QList<ImportedEvent>* out) {
    if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
        return;
    const icaltimetype start = icalcomponent_get_dtstart(event);
    if (icaltime_is_null_time(start) || !To_Local(start, context.import.zone).day.isValid())
        return;
    const QString text = Event_Text(event);
    if (text.isEmpty())
        return;
    const QLocale& locale = context.import.locale;
    icalproperty* rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    // A moved occurrence (RECURRENCE-ID) stands on its own; its series leaves the original out.
    const bool overrides = !icaltime_is_null_time(icalcomponent_get_recurrenceid(event));
    if (overrides || !Has_Recurrence(event)) {
        out->append(Make_Event(To_Local(start, context.import.zone), text, false, locale));
        return;
    }
    if (rrule && !icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY) &&
        !icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY) &&
        Is_Every_Year(icalproperty_get_rrule(rrule), start)) {
        out->append(Make_Event(To_Local(start, context.import.zone), text, true, locale));
        return;
    }
    for (const icaltimetype& t : Occurrences(event, start, context))
        out->append(Make_Event(To_Local(t, context.import.zone), text, false, locale));
}

void Map_Calendar(icalcomponent* calendar, const ICalImportContext& import,
                  QList<ImportedEvent>* out) {
    EventContext context{import, {}, import.today.addYears(1)};
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const icaltimetype id = icalcomponent_get_recurrenceid(event);
        const char* uid = icalcomponent_get_uid(event);
        if (!icaltime_is_null_time(id) && uid)
            context.replaced[uid].push_back(id);
    }
    // libical keeps one iterator per component kind, so the collection above must finish
    // before this walk starts.
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
        Map_Event(event, context, out);
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
        Map_Calendar(calendar.get(), context, &result.events);
    result.ok = true;
    return result;
}
