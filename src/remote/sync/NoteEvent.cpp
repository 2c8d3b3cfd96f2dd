// A note as a VEVENT and back. The event of a note written here reads back as the same note;
// an event written by another program is read as the .ics import reads it and, when it says
// more than a note can, only its text and day are ever changed.
#include "remote/sync/NoteEvent.h"

#include "events/EventStore.h"
#include "events/MonthEvents.h"
#include "exchange/ICalDocument.h"
#include "exchange/ICalRecurrence.h"

#include <cstring>

namespace {

const char kNoteMark[] = "X-ALMANOR-NOTE";

// The day of a key in the given year: its own day, or for an every-year key its day in year (29
// February falls back to the leap year before, which a yearly rule meets). Invalid for a key
// that names no day.
QDate Key_Day(const QString& key, int year) {
    qint16 day = 0, month = 0, key_year = 0;
    if (!Parse_Event_Key(key, &day, &month, &key_year))
        return {};
    return ICal_Start_Day(day, month, key_year, year);
}

bool Is_Every_Year_Key(const QString& key) {
    return key.endsWith(QStringLiteral("/9999"));
}

// The first event of a calendar that isn't a moved occurrence: the series itself.
icalcomponent* Main_Event(icalcomponent* calendar) {
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        if (icaltime_is_null_time(icalcomponent_get_recurrenceid(event)))
            return event;
    }
    return nullptr;
}

bool Has_Note_Mark(icalcomponent* event) {
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
        const char* name = icalproperty_get_x_name(p);
        if (name && qstricmp(name, kNoteMark) == 0)
            return true;
    }
    return false;
}

int Count(icalcomponent* component, icalcomponent_kind kind) {
    return icalcomponent_count_components(component, kind);
}

// The properties a note's own event is made of; any other makes the event foreign, as rewriting
// it from the note would lose that property.
bool Is_Note_Property(icalproperty* p) {
    switch (icalproperty_isa(p)) {
    case ICAL_UID_PROPERTY:
    case ICAL_DTSTAMP_PROPERTY:
    case ICAL_DTSTART_PROPERTY:
    case ICAL_DTEND_PROPERTY:
    case ICAL_DURATION_PROPERTY:
    case ICAL_SUMMARY_PROPERTY:
    case ICAL_DESCRIPTION_PROPERTY:
    case ICAL_RRULE_PROPERTY:
    case ICAL_TRANSP_PROPERTY:
    case ICAL_SEQUENCE_PROPERTY:
    case ICAL_CREATED_PROPERTY:
    case ICAL_LASTMODIFIED_PROPERTY:
        return true;
    case ICAL_X_PROPERTY: {
        const char* name = icalproperty_get_x_name(p);
        return name && qstricmp(name, kNoteMark) == 0;
    }
    default:
        return false;
    }
}

// Whether an all-day event covers one day only.
bool One_Day(icalcomponent* event, const icaltimetype& start) {
    if (!icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY) &&
        !icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY))
        return true;
    const icaltimetype end = icalcomponent_get_dtend(event);
    if (icaltime_is_null_time(end) || !end.is_date)
        return false;
    return QDate(start.year, start.month, start.day).daysTo(QDate(end.year, end.month, end.day)) ==
           1;
}

bool Is_Foreign(icalcomponent* calendar, icalcomponent* event, const icaltimetype& start,
                bool every_year) {
    if (!start.is_date || !One_Day(event, start) || Count(calendar, ICAL_VEVENT_COMPONENT) != 1 ||
        icalcomponent_get_first_component(event, ICAL_ANY_COMPONENT))
        return true;
    const int rules = icalcomponent_count_properties(event, ICAL_RRULE_PROPERTY);
    if (rules > 1 || (rules == 1 && !every_year))
        return true;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_ANY_PROPERTY)) {
        if (!Is_Note_Property(p))
            return true;
    }
    return false;
}

bool Is_Every_Year_Event(icalcomponent* event, const icaltimetype& start) {
    icalproperty* rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    return rrule && !icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY) &&
           !icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY) &&
           Is_Every_Year_Rule(icalproperty_get_rrule(rrule), start);
}

// The note's text as a person reads it (line feeds, one "&" each).
QString Plain_Text(icalcomponent* event) {
    const QString summary = Clean_ICal_Text(icalcomponent_get_summary(event));
    const QString description = Clean_ICal_Text(icalcomponent_get_description(event));
    if (summary.isEmpty() || description == summary ||
        description.section(QLatin1Char('\n'), 0, 0) == summary)
        return description.isEmpty() ? summary : description;
    if (description.isEmpty())
        return summary;
    // Our own event keeps the whole note in its description and its first line as the summary:
    // a summary that differs was edited elsewhere, and replaces that first line.
    if (Has_Note_Mark(event)) {
        const qsizetype line_end = description.indexOf(QLatin1Char('\n'));
        return line_end < 0 ? summary : summary + description.sliced(line_end);
    }
    return summary + QLatin1Char('\n') + description;
}

QString Stored_Text(QString plain) {
    plain.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return Escape_Event_Text(plain);
}

QString Typed_Text(const QString& stored) {
    QString text = Unescape_Event_Text(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QString Time_Prefix(const LocalStart& local, const ICalImportContext& context) {
    return local.timed
               ? context.locale.toString(local.time, QLocale::ShortFormat) + QLatin1Char(' ')
               : QString();
}

QByteArray Calendar_Bytes(icalcomponent* calendar) {
    char* text = icalcomponent_as_ical_string_r(calendar);
    QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

void Set_Text_Property(icalcomponent* event, icalproperty_kind kind, const QString& value) {
    icalproperty* p = icalcomponent_get_first_property(event, kind);
    const QByteArray utf8 = value.toUtf8();
    if (p) {
        icalproperty_set_value(p, icalvalue_new_text(utf8.constData()));
        return;
    }
    icalcomponent_add_property(event, kind == ICAL_SUMMARY_PROPERTY
                                          ? icalproperty_new_summary(utf8.constData())
                                          : icalproperty_new_description(utf8.constData()));
}

void Move_Time_Property(icalcomponent* event, icalproperty_kind kind, int days) {
    icalproperty* p = icalcomponent_get_first_property(event, kind);
    if (!p)
        return;
    icaltimetype t =
        kind == ICAL_DTSTART_PROPERTY ? icalproperty_get_dtstart(p) : icalproperty_get_dtend(p);
    icaltime_adjust(&t, days, 0, 0, 0);
    if (kind == ICAL_DTSTART_PROPERTY)
        icalproperty_set_dtstart(p, t);
    else
        icalproperty_set_dtend(p, t);
}

} // namespace

std::optional<NoteEvent> Read_Note_Event(const QByteArray& ics, const ICalImportContext& context) {
    const ICalParseResult parsed = Parse_ICal_Calendars(ics);
    if (!parsed.ok)
        return std::nullopt;
    for (const ICalComponentPtr& calendar : parsed.calendars) {
        icalcomponent* event = Main_Event(calendar.get());
        if (!event)
            continue;
        const icaltimetype start = icalcomponent_get_dtstart(event);
        if (icaltime_is_null_time(start))
            continue;
        const LocalStart local = To_Local(start, context.zone);
        if (!local.day.isValid() || local.day.year() > Last_Event_Year)
            continue;
        const bool every_year = Is_Every_Year_Event(event, start);
        const QString plain = Plain_Text(event);
        // An event without a title or text is no note: the calendar keeps no empty records.
        if (plain.isEmpty())
            continue;
        NoteEvent note;
        if (const char* uid = icalcomponent_get_uid(event))
            note.uid = QString::fromUtf8(uid);
        note.key = every_year ? Event_Key(local.day.day(), local.day.month(), Every_Year)
                              : Event_Key(local.day);
        note.text = Stored_Text(Time_Prefix(local, context) + plain);
        note.foreign = Is_Foreign(calendar.get(), event, start, every_year);
        const QString summary = Clean_ICal_Text(icalcomponent_get_summary(event));
        const QString description = Clean_ICal_Text(icalcomponent_get_description(event));
        if (Has_Note_Mark(event) && !summary.isEmpty() && !description.isEmpty() &&
            description.section(QLatin1Char('\n'), 0, 0) != summary) {
            note.summary = Stored_Text(summary);
            note.description_text = Stored_Text(description);
        }
        return note;
    }
    return std::nullopt;
}

QByteArray Format_Note_Event(const QString& uid, const QString& key, const QString& text,
                             const QDateTime& now) {
    const QDate day = Key_Day(key, now.date().year());
    if (!day.isValid() || day.addDays(1).year() > Last_Event_Year)
        return {};
    const QString plain = Typed_Text(text);
    ICalComponentPtr calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(ICal_Product_Id));
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(event, icalproperty_new_uid(uid.toUtf8().constData()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(
                                          static_cast<time_t>(now.toSecsSinceEpoch()), 0,
                                          icaltimezone_get_utc_timezone())));
    icalcomponent_add_property(event, icalproperty_new_dtstart(ICal_Date(day)));
    icalcomponent_add_property(event, icalproperty_new_dtend(ICal_Date(day.addDays(1))));
    icalcomponent_add_property(
        event, icalproperty_new_summary(plain.section(QLatin1Char('\n'), 0, 0).toUtf8()));
    icalcomponent_add_property(event, icalproperty_new_description(plain.toUtf8().constData()));
    if (Is_Every_Year_Key(key)) {
        icalrecurrencetype rule;
        icalrecurrencetype_clear(&rule);
        rule.freq = ICAL_YEARLY_RECURRENCE;
        icalcomponent_add_property(event, icalproperty_new_rrule(rule));
    }
    icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    icalproperty* mark = icalproperty_new_x("1");
    icalproperty_set_x_name(mark, kNoteMark);
    icalcomponent_add_property(event, mark);
    icalcomponent_add_component(calendar.get(), event);
    return Calendar_Bytes(calendar.get());
}

QByteArray Patch_Note_Event(const QByteArray& ics, const QString& key, const QString& text,
                            const ICalImportContext& context) {
    const ICalParseResult parsed = Parse_ICal_Calendars(ics);
    if (!parsed.ok || parsed.calendars.empty())
        return ics;
    icalcomponent* calendar = parsed.calendars.front().get();
    icalcomponent* event = Main_Event(calendar);
    if (!event)
        return ics;
    const icaltimetype start = icalcomponent_get_dtstart(event);
    const LocalStart local = To_Local(start, context.zone);
    if (icaltime_is_null_time(start) || !local.day.isValid())
        return ics;

    // The start time stays in the event: the prefix the note shows comes off again, unless the
    // user changed it, when the whole text is what they wrote.
    QString plain = Typed_Text(text);
    const QString prefix = Time_Prefix(local, context);
    if (!prefix.isEmpty() && plain.startsWith(prefix))
        plain = plain.sliced(prefix.size());
    Set_Text_Property(event, ICAL_SUMMARY_PROPERTY, plain.section(QLatin1Char('\n'), 0, 0));
    if (plain.contains(QLatin1Char('\n')) ||
        icalcomponent_get_first_property(event, ICAL_DESCRIPTION_PROPERTY))
        Set_Text_Property(event, ICAL_DESCRIPTION_PROPERTY, plain);

    const QDate target = Key_Day(key, local.day.year());
    const auto days = target.isValid() ? local.day.daysTo(target) : 0;
    if (days != 0) {
        Move_Time_Property(event, ICAL_DTSTART_PROPERTY, static_cast<int>(days));
        Move_Time_Property(event, ICAL_DTEND_PROPERTY, static_cast<int>(days));
    }
    if (icalproperty* sequence = icalcomponent_get_first_property(event, ICAL_SEQUENCE_PROPERTY))
        icalproperty_set_sequence(sequence, icalproperty_get_sequence(sequence) + 1);
    return Calendar_Bytes(calendar);
}

QString Note_Event_Text(const NoteEvent& event, const QString& last_text) {
    if (!event.description_text.isEmpty() &&
        last_text.section(QStringLiteral("\r\n"), 0, 0) == event.summary)
        return event.description_text;
    return event.text;
}
