#include "exchange/ICalDocument.h"

#include "events/MonthEvents.h"
#include "exchange/ExchangeFile.h"

#include <QStringList>

#include <cstring>

namespace {

// Hands libical the physical lines of the data one at a time and counts them, so that an error
// can name its line.
struct LineSource {
    const char* next = nullptr;
    const char* end = nullptr;
    int consumed = 0;
};

char* Next_Physical_Line(char* out, size_t size, void* data) {
    auto* source = static_cast<LineSource*>(data);
    if (source->next >= source->end || size < 2)
        return nullptr;
    const auto left = static_cast<size_t>(source->end - source->next);
    const void* newline = std::memchr(source->next, '\n', left);
    size_t length =
        newline ? static_cast<size_t>(static_cast<const char*>(newline) - source->next) + 1 : left;
    // A line longer than libical's buffer comes in pieces; only its last piece ends the line.
    length = std::min(length, size - 1);
    std::memcpy(out, source->next, length);
    out[length] = '\0';
    source->next += length;
    if (out[length - 1] == '\n' || source->next == source->end)
        ++source->consumed;
    return out;
}

struct ParserFree {
    void operator()(icalparser* parser) const { icalparser_free(parser); }
};

struct LineFree {
    void operator()(char* line) const { icalmemory_free_buffer(line); }
};

bool Is_Calendar_Begin(QByteArrayView line) {
    return line.size() == 15 && qstrnicmp(line.data(), "BEGIN:VCALENDAR", 15) == 0;
}

bool Is_Calendar_End(QByteArrayView line) {
    return line.size() == 13 && qstrnicmp(line.data(), "END:VCALENDAR", 13) == 0;
}

// The data with every line outside the calendars left empty (its line end kept, so that lines
// keep their numbers): what a hosted service writes around its calendars is not iCalendar, and
// is no reason to refuse them. False when no calendar begins.
bool Keep_Calendar_Lines(QByteArray* data) {
    QByteArray kept;
    kept.reserve(data->size());
    bool inside = false;
    bool any = false;
    const QByteArrayView all(*data);
    for (qsizetype from = 0; from < all.size();) {
        const qsizetype end = all.indexOf('\n', from);
        const qsizetype next = end < 0 ? all.size() : end + 1;
        const QByteArrayView line = all.sliced(from, next - from);
        if (!inside && Is_Calendar_Begin(line.trimmed()))
            inside = any = true;
        if (inside)
            kept += line;
        else if (end >= 0)
            kept += '\n';
        if (inside && Is_Calendar_End(line.trimmed()))
            inside = false;
        from = next;
    }
    *data = kept;
    return any;
}

int Line_Of_Offset(const QByteArray& data, qsizetype offset) {
    return static_cast<int>(QByteArrayView(data).first(offset).count('\n')) + 1;
}

// The number of the first line with something on it, or 0 when there is none.
int First_Content_Line(const QByteArray& data, QByteArray* line) {
    int number = 0;
    for (QByteArrayView rest(data); !rest.isEmpty();) {
        ++number;
        const qsizetype end = rest.indexOf('\n');
        const QByteArrayView current = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (!current.trimmed().isEmpty()) {
            *line = current.trimmed().toByteArray();
            return number;
        }
    }
    return 0;
}

QString Not_A_Calendar(int line) {
    return QStringLiteral("Line %1 is not the start of a calendar (BEGIN:VCALENDAR).").arg(line);
}

ICalParseResult Failure(const QString& error) {
    ICalParseResult result;
    result.error = error;
    return result;
}

} // namespace

ICalParseResult Parse_ICal_Calendars(const QByteArray& bytes) {
    // libical reads UTF-8. Files from older programs come in UTF-16 or in a Windows code page;
    // they are read as the other exchange files are, byte order marks dropped.
    QByteArray data = Decode_Exchange_Text(bytes).toUtf8();
    // A picture or a spreadsheet is told as not being a calendar, before its bytes are looked at.
    QByteArray first_line;
    const int first_number = First_Content_Line(data, &first_line);
    if (first_number == 0)
        return Failure(QStringLiteral("The file holds no calendar."));
    if (!Keep_Calendar_Lines(&data))
        return Failure(Not_A_Calendar(first_number));
    // libical reads C strings: a zero byte would cut a line short without a word.
    if (const qsizetype zero = data.indexOf('\0'); zero >= 0)
        return Failure(QStringLiteral("Line %1 holds bytes that are not text.")
                           .arg(Line_Of_Offset(data, zero)));

    LineSource source{data.constData(), data.constData() + data.size(), 0};
    std::unique_ptr<icalparser, ParserFree> parser(icalparser_new());
    icalparser_set_gen_data(parser.get(), &source);

    ICalParseResult result;
    bool in_calendar = false;
    // libical reads one line ahead to unfold the next, so a logical line starts where the
    // previous call left the count.
    int line_start = 1;
    while (true) {
        std::unique_ptr<char, LineFree> line(icalparser_get_line(parser.get(), Next_Physical_Line));
        if (!line)
            break;
        const int number = line_start;
        line_start = source.consumed;
        const QByteArray text = QByteArray(line.get()).trimmed();
        if (text.isEmpty())
            continue;
        if (!in_calendar && !Is_Calendar_Begin(text))
            return Failure(Not_A_Calendar(number));
        in_calendar = true;
        icalcomponent* done = icalparser_add_line(parser.get(), line.get());
        // A line libical can't place is only fatal when it isn't a content line at all; a bad
        // value or an unknown property is dropped by libical and the rest stays readable.
        if (icalparser_get_state(parser.get()) == ICALPARSER_ERROR && !text.contains(':')) {
            if (done)
                icalcomponent_free(done);
            return Failure(QStringLiteral("Line %1 is not an iCalendar line.").arg(number));
        }
        if (done) {
            in_calendar = false;
            if (icalcomponent_isa(done) == ICAL_VCALENDAR_COMPONENT)
                result.calendars.emplace_back(done);
            else
                icalcomponent_free(done);
        }
    }
    // Components left open by a cut-off file stay with the parser, which frees them.
    if (in_calendar)
        return Failure(QStringLiteral("The file ends at line %1 before the calendar is closed.")
                           .arg(source.consumed));
    if (result.calendars.empty())
        return Failure(QStringLiteral("The file holds no calendar."));
    result.ok = true;
    return result;
}

QString Clean_ICal_Text(const char* value) {
    QString text = QString::fromUtf8(value);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        while (!line.isEmpty() && line.back().isSpace())
            line.chop(1);
    }
    return lines.join(QLatin1Char('\n')).trimmed();
}

icaltimetype ICal_Date(const QDate& date) {
    icaltimetype t = icaltime_null_date();
    t.year = date.year();
    t.month = date.month();
    t.day = date.day();
    return t;
}

QDate ICal_Start_Day(int day, int month, int year, int in_year) {
    if (year != Every_Year)
        return QDate(year, month, day);
    QDate date(in_year, month, day);
    for (int back = 1; !date.isValid() && back < 8; ++back)
        date = QDate(in_year - back, month, day);
    return date;
}
