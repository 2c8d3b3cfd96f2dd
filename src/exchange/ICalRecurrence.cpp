// Repeating iCalendar events around the day of an import.
#include "exchange/ICalRecurrence.h"

#include <QDateTime>

#include <algorithm>
#include <deque>

namespace {

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

// A rule that can't reach the window (a rule no day meets, a count in the millions) is given up
// after this many steps of the iterator, a fraction of a second.
constexpr int kMaxSteps = 200000;

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

void Sort_Unique(std::vector<icaltimetype>* times) {
    std::stable_sort(times->begin(), times->end(), Before);
    times->erase(std::unique(times->begin(), times->end(),
                             [](const icaltimetype& a, const icaltimetype& b) {
                                 return icaltime_compare(a, b) == 0;
                             }),
                 times->end());
}

// The occurrences of the window in two piles: before today (only the latest limit kept) and from
// today on (filled up to one past the limit, which tells that the series goes on).
class Piles {
  public:
    Piles(const ExpansionWindow& window, const QTimeZone& zone,
          const std::vector<icaltimetype>& excluded, int limit)
        : window_(window), zone_(zone), excluded_(excluded), limit_(size_t(limit)) {}

    // False once the walk of a rule can stop: past the window, or the pile ahead is full.
    bool Add(const icaltimetype& t) {
        const QDate day = To_Local(t, zone_).day;
        if (!day.isValid() || day > window_.last)
            return false;
        if (day < window_.first ||
            std::any_of(excluded_.begin(), excluded_.end(),
                        [&](const icaltimetype& ex) { return Same_Occurrence(t, ex); }))
            return true;
        if (day < window_.today) {
            past_.push_back(t);
            if (past_.size() > limit_) {
                past_.pop_front();
                dropped_ = true;
            }
            return true;
        }
        ahead_.push_back(t);
        return ahead_.size() <= limit_;
    }

    Occurrences Take() {
        std::vector<icaltimetype> past(past_.begin(), past_.end());
        Sort_Unique(&past);
        Sort_Unique(&ahead_);
        Occurrences out;
        out.cut = dropped_ || past.size() + ahead_.size() > limit_;
        if (ahead_.size() > limit_)
            ahead_.resize(limit_);
        const size_t room = limit_ - ahead_.size();
        const auto first_past = past.size() > room ? past.end() - qsizetype(room) : past.begin();
        out.starts.assign(first_past, past.end());
        out.starts.insert(out.starts.end(), ahead_.begin(), ahead_.end());
        return out;
    }

  private:
    const ExpansionWindow& window_;
    const QTimeZone& zone_;
    const std::vector<icaltimetype>& excluded_;
    const size_t limit_;
    std::deque<icaltimetype> past_;
    std::vector<icaltimetype> ahead_;
    bool dropped_ = false;
};

// Walks one rule through the window. A rule without COUNT starts at the window, so a series that
// began decades ago costs no more than one that began last month; a counted one has to be walked
// from its start, as its count runs from there. False when the walk was given up.
bool Walk_Rule(const icalrecurrencetype& rule, const icaltimetype& start,
               const ExpansionWindow& window, const QTimeZone& zone, Piles* piles) {
    icalrecur_iterator* it = icalrecur_iterator_new(rule, start);
    if (!it)
        return true;
    // A day early: the window's days are local, the rule's may lie in another zone. A rule that
    // repeats within a day has more occurrences in a day than the limit takes of the past:
    // it starts at the day before today.
    const bool within_a_day = rule.freq == ICAL_SECONDLY_RECURRENCE ||
                              rule.freq == ICAL_MINUTELY_RECURRENCE ||
                              rule.freq == ICAL_HOURLY_RECURRENCE;
    const QDate from_day = (within_a_day ? window.today : window.first).addDays(-1);
    if (rule.count == 0 && from_day > To_Local(start, zone).day) {
        icaltimetype from = start;
        from.year = from_day.year();
        from.month = from_day.month();
        from.day = from_day.day();
        icalrecur_iterator_set_start(it, from); // on failure the walk begins at the start
    }
    bool whole = true;
    int steps = 0;
    for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t);
         t = icalrecur_iterator_next(it)) {
        if (++steps > kMaxSteps) {
            whole = false;
            break;
        }
        // The iterator answers in the zone of the start; make sure the zone travels along.
        t.zone = start.zone;
        if (!piles->Add(t))
            break;
    }
    icalrecur_iterator_free(it);
    return whole;
}

} // namespace

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

ExpansionWindow Expansion_Window(const QDate& today, const QDate& series_first_day) {
    QDate last = today.addYears(1);
    if (series_first_day.isValid() && series_first_day.addYears(1) > last)
        last = series_first_day.addYears(1);
    return {today.addYears(-1), today, last};
}

Occurrences Expand_Occurrences(icalcomponent* event, const icaltimetype& start,
                               const std::vector<icaltimetype>& excluded,
                               const ExpansionWindow& window, const QTimeZone& zone, int limit) {
    Piles piles(window, zone, excluded, limit);
    piles.Add(start);
    bool whole = true;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY))
        whole = Walk_Rule(icalproperty_get_rrule(p), start, window, zone, &piles) && whole;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
        const icaltimetype t = icaltime_is_null_time(rdate.time) ? rdate.period.start : rdate.time;
        if (!icaltime_is_null_time(t))
            piles.Add(t);
    }
    Occurrences out = piles.Take();
    out.cut = out.cut || !whole;
    return out;
}

bool Is_Every_Year_Rule(const icalrecurrencetype& rule, const icaltimetype& start) {
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
