// The month buckets of calendar.dat and the plan of a month rebuild made from them.
#include "events/MonthEventIndex.h"

#include "events/EventStore.h"
#include "events/MonthEvents.h"

#include <limits>

namespace {

quint32 Bucket(qint16 month, qint16 year) {
    return (quint32(quint16(year)) << 16) | quint16(month);
}

// Keeps the last record of each box, in file order.
QList<IndexedEvent> Last_Per_Day(const QList<IndexedEvent>& events, qsizetype from, qsizetype to,
                                 int first_box, int box_count) {
    QList<qint32> last(box_count, -1);
    for (qsizetype i = from; i < to; ++i)
        last[first_box + events.at(i).day - 1] = qint32(i);
    QList<IndexedEvent> kept;
    for (qsizetype i = from; i < to; ++i)
        if (last.at(first_box + events.at(i).day - 1) == i)
            kept.append(events.at(i));
    return kept;
}

// The key of a record's bytes, parsed as Parse_Event_Record parses the decoded record. Keys are
// short and nearly always ASCII: those are widened on the stack; any other is decoded.
bool Parse_Key(QByteArrayView key, bool utf8, EventDay* day) {
    constexpr qsizetype Short_Key = 32;
    char16_t wide[Short_Key + 1];
    if (key.size() <= Short_Key) {
        bool ascii = true;
        for (qsizetype i = 0; i < key.size(); ++i) {
            const auto byte = static_cast<unsigned char>(key.at(i));
            ascii = ascii && byte < 0x80;
            wide[i] = char16_t(byte);
        }
        if (ascii) {
            wide[key.size()] = u'=';
            return Parse_Event_Record(QStringView(wide, key.size() + 1), day, false);
        }
    }
    return Parse_Event_Record(Decode_Event_Bytes(key, utf8) + QLatin1Char('='), day, false);
}

} // namespace

MonthEventIndex::MonthEventIndex(const QByteArray& bytes, qint16 month, qint16 year,
                                 const QDate& today) {
    const QByteArrayView body = Event_File_Body(bytes);
    const bool utf8 = Event_File_Is_Utf8(body);
    const auto wanted = [&](const EventDay& day) {
        return Shown_In_Month(day, month, year) || Falls_Today(day, today);
    };
    For_Each_Event_Field(body, [&](QByteArrayView record) {
        const qsizetype eq = record.indexOf('=');
        EventDay day;
        // The number must fit the 32 bits it is kept in; a larger file is read no further.
        if (eq < 0 || !Parse_Key(record.first(eq), utf8, &day) ||
            count_ == std::numeric_limits<qint32>::max()) {
            malformed_ = true;
            return false;
        }
        const auto number = qint32(count_++);
        if (!wanted(day))
            return true;
        IndexedEvent event;
        event.day = day.day;
        event.month = day.month;
        event.year = day.year;
        event.number = number;
        event.text = qint32(texts_.size());
        texts_.append(Decode_Event_Bytes(record.sliced(eq + 1), utf8));
        months_[Bucket(day.month, day.year)].append(event);
        return true;
    });
}

QList<IndexedEvent> MonthEventIndex::Month(qint16 month, qint16 year) const {
    const QList<IndexedEvent> dated = months_.value(Bucket(month, year));
    if (year == Every_Year)
        return dated;
    const QList<IndexedEvent> every = months_.value(Bucket(month, Every_Year));
    if (every.isEmpty())
        return dated;
    if (dated.isEmpty())
        return every;
    // Both lists are in file order: merge them.
    QList<IndexedEvent> all;
    all.reserve(dated.size() + every.size());
    qsizetype d = 0;
    qsizetype e = 0;
    while (d < dated.size() || e < every.size()) {
        if (e == every.size() || (d < dated.size() && dated.at(d).number < every.at(e).number))
            all.append(dated.at(d++));
        else
            all.append(every.at(e++));
    }
    return all;
}

QList<IndexedEvent> MonthEventIndex::Day(const QDate& date) const {
    QList<IndexedEvent> day;
    if (!date.isValid())
        return day;
    // A year no record can hold (16 bits) still has its every-year events.
    const bool fits = date.year() >= std::numeric_limits<qint16>::min() &&
                      date.year() <= std::numeric_limits<qint16>::max();
    const qint16 month = qint16(date.month());
    const QList<IndexedEvent> candidates =
        fits ? Month(month, qint16(date.year())) : months_.value(Bucket(month, Every_Year));
    for (const IndexedEvent& event : candidates)
        if (event.day == date.day())
            day.append(event);
    return day;
}

MonthPlan Plan_Month(const MonthEventIndex& index, qint16 month, qint16 year, int first_box,
                     int box_count, const QDate& today, bool want_alert) {
    MonthPlan plan;
    const QList<IndexedEvent> shown = index.Month(month, year);
    // The pass over the file ends at the first malformed record, or at a shown record whose day
    // has no box; nothing after that point is shown or alerted.
    qint64 stop = index.Malformed() ? index.Count() : std::numeric_limits<qint64>::max();
    plan.load_error = index.Malformed();
    qsizetype shown_end = shown.size();
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const int box = first_box + shown.at(i).day - 1;
        if (box < 0 || box >= box_count) {
            stop = shown.at(i).number;
            plan.load_error = true;
            shown_end = i;
            break;
        }
    }
    if (want_alert) {
        const QList<IndexedEvent> due = index.Day(today);
        if (!due.isEmpty() && due.first().number < stop)
            plan.alert = due.first();
    }
    // A record shown and due at once is placed before its alert appears.
    qsizetype split = shown_end;
    if (plan.alert) {
        split = 0;
        while (split < shown_end && shown.at(split).number <= plan.alert->number)
            ++split;
    }
    plan.before_alert = Last_Per_Day(shown, 0, split, first_box, box_count);
    plan.after_alert = Last_Per_Day(shown, split, shown_end, first_box, box_count);
    return plan;
}
