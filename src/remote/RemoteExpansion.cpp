// libical's events as local days: every occurrence of every event that touches the days asked
// for, in the reader's time zone.
#include "remote/RemoteExpansion.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <string>

namespace {

// Wall-clock days; a zone moves a time at most a day either way.
struct Window {
    QDate first;
    QDate last;
};

constexpr qint64 Day_Seconds = 24 * 60 * 60;

qint64 Wall_Seconds(const QDate& date, int seconds_of_day) {
    return (date.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * Day_Seconds + seconds_of_day;
}

QDate Wall_Date(qint64 seconds) {
    return QDate(1970, 1, 1)
        .addDays(seconds >= 0 ? seconds / Day_Seconds
                              : -((-seconds + Day_Seconds - 1) / Day_Seconds));
}

bool Same_Occurrence(const icaltimetype& occurrence, const icaltimetype& other) {
    if (other.is_date || occurrence.is_date)
        return occurrence.year == other.year && occurrence.month == other.month &&
               occurrence.day == other.day;
    return icaltime_compare(occurrence, other) == 0;
}

QString Summary_Of(icalcomponent* event) {
    QString text = QString::fromUtf8(icalcomponent_get_summary(event)).trimmed();
    if (text.isEmpty())
        text = QString::fromUtf8(icalcomponent_get_description(event)).trimmed();
    // A day box shows one line.
    const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return (end < 0 ? text : text.left(end)).trimmed();
}

// The number of days an all-day event covers: from its start to the day before its end.
int Span_Days(icalcomponent* event, const icaltimetype& start) {
    const icaltimetype end = icalcomponent_get_dtend(event);
    if (icaltime_is_null_time(end) || !start.is_date)
        return 1;
    const QDate from(start.year, start.month, start.day);
    const QDate to(end.year, end.month, end.day);
    if (!from.isValid() || !to.isValid())
        return 1;
    return static_cast<int>(std::clamp<qint64>(from.daysTo(to), 1, Max_Remote_Span_Days));
}

void Add_Occurrence(const icaltimetype& t, int span, const QString& summary, const Window& window,
                    QList<RemoteInstance>* out) {
    const QDate date(t.year, t.month, t.day);
    if (!date.isValid())
        return;
    // The wall-clock date is within a day of the date anywhere in the world.
    const QDate last_day = t.is_date ? date.addDays(span - 1) : date.addDays(1);
    if (last_day < window.first || date.addDays(-1) > window.last)
        return;
    RemoteInstance instance;
    instance.summary = summary;
    if (t.is_date) {
        instance.kind = RemoteInstance::Date;
        instance.start = Wall_Seconds(date, 0);
        instance.span_days = static_cast<qint16>(span);
    } else if (!t.zone) {
        instance.kind = RemoteInstance::Floating;
        instance.start = Wall_Seconds(date, t.hour * 3600 + t.minute * 60 + t.second);
    } else {
        instance.kind = RemoteInstance::Zoned;
        instance.start = static_cast<qint64>(icaltime_as_timet_with_zone(t, t.zone));
    }
    out->append(instance);
}

// Where a rule may start its walk: a little before the window so that an occurrence that began
// earlier but still covers the window, or lands in it in another zone, is seen.
icaltimetype Walk_Start(const icaltimetype& start, int span, const Window& window) {
    icaltimetype from = start;
    const QDate walk = window.first.addDays(-span - 1);
    from.year = walk.year();
    from.month = walk.month();
    from.day = walk.day();
    return from;
}

void Expand_Rules(icalcomponent* event, const icaltimetype& start, int span,
                  const std::vector<icaltimetype>& excluded, const QString& summary,
                  const Window& window, QList<RemoteInstance>* out) {
    const auto kept = [&](const icaltimetype& t) {
        return std::none_of(excluded.begin(), excluded.end(),
                            [&](const icaltimetype& ex) { return Same_Occurrence(t, ex); });
    };
    const QDate stop = window.last.addDays(1);
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
        const icalrecurrencetype rule = icalproperty_get_rrule(p);
        icalrecur_iterator* it = icalrecur_iterator_new(rule, start);
        if (!it)
            continue;
        // A counted rule has to be walked from its start to count right; any other one may
        // begin near the window, so that a weekly meeting since 1990 costs a few steps.
        const QDate start_day(start.year, start.month, start.day);
        if (rule.count == 0 && start_day < window.first.addDays(-span - 1))
            icalrecur_iterator_set_start(it, Walk_Start(start, span, window));
        int steps = 0;
        for (icaltimetype t = icalrecur_iterator_next(it);
             !icaltime_is_null_time(t) && steps < Max_Remote_Rule_Steps;
             t = icalrecur_iterator_next(it), ++steps) {
            t.zone = start.zone;
            if (QDate(t.year, t.month, t.day) > stop)
                break;
            if (kept(t))
                Add_Occurrence(t, span, summary, window, out);
        }
        icalrecur_iterator_free(it);
    }
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
        icaltimetype t = icaltime_is_null_time(rdate.time) ? rdate.period.start : rdate.time;
        if (icaltime_is_null_time(t) || icaltime_compare(t, start) == 0 || !kept(t))
            continue;
        if (!t.zone && !t.is_date)
            t.zone = start.zone;
        Add_Occurrence(t, span, summary, window, out);
    }
}

// Whether a one-off event certainly lies outside the window, told from the dates as written,
// without resolving its time zone or reading its text: most events of a big calendar are passed
// over here.
bool Surely_Outside(icalcomponent* event, const Window& window) {
    if (icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY) ||
        icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY) ||
        icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY))
        return false;
    icalproperty* start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (!start)
        return false;
    const icaltimetype written = icalproperty_get_dtstart(start);
    const QDate date(written.year, written.month, written.day);
    if (!date.isValid())
        return false;
    if (date > window.last.addDays(1))
        return true;
    if (date >= window.first.addDays(-1))
        return false;
    icalproperty* end = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY);
    if (!end)
        return true;
    const icaltimetype end_written = icalproperty_get_dtend(end);
    const QDate end_date(end_written.year, end_written.month, end_written.day);
    return end_date.isValid() && end_date < window.first.addDays(-1);
}

void Expand_Event(icalcomponent* event,
                  const std::map<std::string, std::vector<icaltimetype>>& replaced,
                  const Window& window, QList<RemoteInstance>* out) {
    if (Surely_Outside(event, window) || icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
        return;
    const icaltimetype start = icalcomponent_get_dtstart(event);
    if (icaltime_is_null_time(start) || !QDate(start.year, start.month, start.day).isValid())
        return;
    const QString summary = Summary_Of(event);
    if (summary.isEmpty())
        return;
    const int span = Span_Days(event, start);
    const bool is_override = !icaltime_is_null_time(icalcomponent_get_recurrenceid(event));
    const bool repeats = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY) ||
                         icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY);
    std::vector<icaltimetype> excluded;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
        excluded.push_back(icalproperty_get_exdate(p));
    if (const char* uid = icalcomponent_get_uid(event); uid && !is_override) {
        const auto found = replaced.find(uid);
        if (found != replaced.end())
            excluded.insert(excluded.end(), found->second.begin(), found->second.end());
    }
    const bool start_excluded =
        std::any_of(excluded.begin(), excluded.end(),
                    [&](const icaltimetype& ex) { return Same_Occurrence(start, ex); });
    if (!start_excluded)
        Add_Occurrence(start, span, summary, window, out);
    if (repeats && !is_override)
        Expand_Rules(event, start, span, excluded, summary, window, out);
}

void Expand_Calendar(icalcomponent* calendar, const Window& window, QList<RemoteInstance>* out) {
    std::map<std::string, std::vector<icaltimetype>> replaced;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const icaltimetype id = icalcomponent_get_recurrenceid(event);
        const char* uid = icalcomponent_get_uid(event);
        if (!icaltime_is_null_time(id) && uid)
            replaced[uid].push_back(id);
    }
    // libical keeps one iterator per component kind: the walk above must end before this one.
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
        Expand_Event(event, replaced, window, out);
}

} // namespace

QList<RemoteInstance> Expand_Remote_Instances(const std::vector<ICalComponentPtr>& calendars,
                                              const QDate& first, const QDate& last) {
    QList<RemoteInstance> out;
    if (!first.isValid() || !last.isValid() || last < first)
        return out;
    const Window window{first, last};
    for (const ICalComponentPtr& calendar : calendars)
        Expand_Calendar(calendar.get(), window, &out);
    std::stable_sort(out.begin(), out.end(), [](const RemoteInstance& a, const RemoteInstance& b) {
        return a.start < b.start;
    });
    return out;
}

QList<RemoteOccurrence> Place_Remote_Instances(const QList<RemoteInstance>& instances,
                                               const QDate& first, const QDate& last,
                                               const QTimeZone& zone) {
    QList<RemoteOccurrence> out;
    if (!first.isValid() || !last.isValid() || last < first)
        return out;
    const auto place = [&](const RemoteInstance& instance) {
        if (instance.kind == RemoteInstance::Date) {
            const QDate date = Wall_Date(instance.start);
            for (int i = 0; i < instance.span_days; ++i) {
                const QDate covered = date.addDays(i);
                if (covered > last)
                    break;
                if (covered >= first)
                    out.append({covered, QTime(), instance.summary});
            }
            return;
        }
        const QDateTime local = instance.kind == RemoteInstance::Zoned
                                    ? QDateTime::fromSecsSinceEpoch(instance.start, zone)
                                    : QDateTime::fromSecsSinceEpoch(instance.start, Qt::UTC);
        if (local.date() >= first && local.date() <= last)
            out.append({local.date(), local.time(), instance.summary});
    };
    // Only the instances that start near the days are looked at, and the few that span days.
    const qint64 from = Wall_Seconds(first, 0) - 2 * Day_Seconds;
    const qint64 to = Wall_Seconds(last, 0) + 3 * Day_Seconds;
    const auto begin = std::lower_bound(
        instances.begin(), instances.end(), from,
        [](const RemoteInstance& instance, qint64 value) { return instance.start < value; });
    for (auto it = instances.begin(); it != begin; ++it) {
        if (it->span_days > 1)
            place(*it);
    }
    for (auto it = begin; it != instances.end() && it->start < to; ++it)
        place(*it);
    std::stable_sort(out.begin(), out.end(),
                     [](const RemoteOccurrence& a, const RemoteOccurrence& b) {
                         if (a.day != b.day)
                             return a.day < b.day;
                         if (a.All_Day() != b.All_Day())
                             return a.All_Day();
                         if (a.time != b.time)
                             return a.time < b.time;
                         return a.summary < b.summary;
                     });
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

QList<RemoteOccurrence> Expand_Remote_Events(const std::vector<ICalComponentPtr>& calendars,
                                             const QDate& first, const QDate& last,
                                             const QTimeZone& zone) {
    return Place_Remote_Instances(Expand_Remote_Instances(calendars, first, last), first, last,
                                  zone);
}
