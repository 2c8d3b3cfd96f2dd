#include "remote/RemoteEventSource.h"

#include "remote/RemoteCache.h"

#include <algorithm>
#include <utility>

namespace {

// Months kept expanded at once: a year either side of what the user steps through is plenty.
constexpr qsizetype Max_Kept_Months = 36;

bool Earlier(const RemoteDayEvent& a, const RemoteDayEvent& b) {
    if (a.All_Day() != b.All_Day())
        return a.All_Day();
    return a.time < b.time;
}

} // namespace

QString Remote_Event_Line(const RemoteDayEvent& event, const QLocale& locale) {
    QString line = event.summary + QStringLiteral(" (") + event.calendar + QLatin1Char(')');
    if (!event.All_Day())
        line.prepend(locale.toString(event.time, QLocale::ShortFormat) + QLatin1Char(' '));
    return line;
}

CachedRemoteEvents::CachedRemoteEvents(QList<RemoteCalendar> calendars, QString cache_dir,
                                       QTimeZone zone)
    : calendars_(std::move(calendars)), cache_dir_(std::move(cache_dir)), zone_(std::move(zone)) {}

CachedRemoteEvents::~CachedRemoteEvents() = default;

void CachedRemoteEvents::Load() {
    loaded_ = true;
    for (const RemoteCalendar& calendar : std::as_const(calendars_)) {
        // The notes calendar's events are the notes themselves, shown as notes already: as remote
        // events too, every note would show twice.
        if (!calendar.enabled || calendar.keep_notes)
            continue;
        Parsed parsed;
        parsed.calendar = calendar;
        parsed.index = Read_Remote_Index_File(cache_dir_, calendar,
                                              Read_Remote_State(cache_dir_, calendar).data_digest);
        parsed_.push_back(std::move(parsed));
    }
}

void CachedRemoteEvents::Read_Data(Parsed& parsed) {
    parsed.data_read = true;
    const QByteArray data = Read_Remote_Data(cache_dir_, parsed.calendar);
    if (data.isEmpty())
        return;
    ICalParseResult result = Parse_ICal_Calendars(data);
    if (!result.ok) {
        read_errors_.insert(parsed.calendar.name, result.error);
        return;
    }
    parsed.data = std::move(result.calendars);
}

const QHash<int, QList<RemoteDayEvent>>& CachedRemoteEvents::Month_Events(int year, int month) {
    const int key = year * 12 + month;
    if (const auto found = months_.constFind(key); found != months_.constEnd())
        return *found;
    if (!loaded_)
        Load();
    if (months_.size() >= Max_Kept_Months)
        months_.clear();
    QHash<int, QList<RemoteDayEvent>>& days = months_[key];
    const QDate first(year, month, 1);
    if (!first.isValid())
        return days;
    const QDate last(year, month, first.daysInMonth());
    for (Parsed& parsed : parsed_) {
        QList<RemoteOccurrence> occurrences;
        if (parsed.index && parsed.index->Covers(first, last)) {
            occurrences = Place_Remote_Instances(parsed.index->instances, first, last, zone_);
        } else {
            if (!parsed.data_read)
                Read_Data(parsed);
            occurrences = Expand_Remote_Events(parsed.data, first, last, zone_);
        }
        for (const RemoteOccurrence& occurrence : occurrences)
            days[occurrence.day.day()].append({occurrence.time, occurrence.summary,
                                               parsed.calendar.name, parsed.calendar.colour});
    }
    // Each calendar came in time order; the calendars are merged, the earlier calendar first on
    // a tie.
    for (QList<RemoteDayEvent>& events : days)
        std::stable_sort(events.begin(), events.end(), Earlier);
    return days;
}

QList<RemoteDayEvent> CachedRemoteEvents::Day_Events(const QDate& day) {
    if (!day.isValid())
        return {};
    return Month_Events(day.year(), day.month()).value(day.day());
}

void CachedRemoteEvents::Reload() {
    loaded_ = false;
    parsed_.clear();
    read_errors_.clear();
    months_.clear();
}
