// Reading events from CSV files as calendar and spreadsheet programs write them.
#include "exchange/CsvEvents.h"

#include "calendar/General_Mod.h"
#include "exchange/ExchangeFile.h"

#include <QRegularExpression>

namespace {

bool Is_Line_End(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}
bool Ends_Field(QChar c) {
    return c == QLatin1Char(',') || Is_Line_End(c);
}

// Line ends in text: CR LF, LF and a lone CR each count once.
int Count_Line_Ends(QStringView text) {
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\n'))
            ++count;
        else if (text[i] == QLatin1Char('\r') &&
                 (i + 1 == text.size() || text[i + 1] != QLatin1Char('\n')))
            ++count;
    }
    return count;
}

QString Crlf_Line_Ends(QString text) {
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

// Control characters other than tabs and line ends come only from damaged or binary files; they
// would show as boxes in the calendar.
QString Without_Controls(const QString& text) {
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 || c == QLatin1Char('\t') || Is_Line_End(c))
            clean += c;
    }
    return clean;
}

// The field of a column, empty when the row is shorter or the file has no such column.
QString Field_Of(const CsvRecord& record, int column) {
    return column >= 0 && column < record.fields.size() ? record.fields.at(column) : QString();
}

bool Is_True(const QString& value) {
    const QString lower = value.trimmed().toLower();
    return lower == QLatin1String("true") || lower == QLatin1String("yes") ||
           lower == QLatin1String("1");
}

struct RowTimes {
    // Invalid for an all-day row.
    QTime start;
    QDate last_day;
};

// When a row's event happens. An end at midnight leaves its day out (an all-day event of one day
// ends at midnight of the next); an end date without an end time is the last day. Without an
// "All day event" value, a row from midnight to midnight is all-day, as this program's own
// export writes every event.
RowTimes Row_Times(const CsvRecord& record, const CsvColumns& columns, const QDate& start_date,
                   const QLocale& locale) {
    RowTimes times;
    const QTime start = Parse_CSV_Time(Field_Of(record, columns.start_time));
    const QString all_day = Field_Of(record, columns.all_day).trimmed();
    const QDate end_date = Parse_CSV_Date(Field_Of(record, columns.end_date), locale);
    const QTime end = Parse_CSV_Time(Field_Of(record, columns.end_time));
    const QTime midnight(0, 0);
    const bool all_day_row = Is_True(all_day) || (all_day.isEmpty() && start == midnight &&
                                                  (!end.isValid() || end == midnight));
    if (start.isValid() && !all_day_row)
        times.start = start;
    times.last_day = start_date;
    if (end_date.isValid() && end_date > start_date)
        times.last_day = end == midnight ? end_date.addDays(-1) : end_date;
    return times;
}

} // namespace

CsvSplit Split_CSV(QStringView text) {
    CsvSplit out;
    const qsizetype n = text.size();
    const QChar* s = text.data();
    qsizetype i = 0;
    int line = 1;
    while (i < n) {
        CsvRecord record;
        record.line = line;
        bool quoted_any = false;
        for (;;) {
            qsizetype j = i;
            while (j < n && (s[j] == QLatin1Char(' ') || s[j] == QLatin1Char('\t')))
                ++j;
            QString field;
            qsizetype k;
            if (j < n && s[j] == QLatin1Char('"')) {
                quoted_any = true;
                i = j + 1;
                for (;;) {
                    const qsizetype close = text.indexOf(QLatin1Char('"'), i);
                    if (close < 0) {
                        out.error = QStringLiteral("a quoted field is never closed.");
                        out.error_line = record.line;
                        return out;
                    }
                    const QStringView part = text.sliced(i, close - i);
                    field += part;
                    line += Count_Line_Ends(part);
                    if (close + 1 < n && s[close + 1] == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        i = close + 2;
                        continue;
                    }
                    i = close + 1;
                    break;
                }
                // Text after the closing quote (hand-edited files) belongs to the same field.
                k = i;
                while (k < n && !Ends_Field(s[k]))
                    ++k;
                field += text.sliced(i, k - i).trimmed();
                field = Crlf_Line_Ends(field);
            } else {
                k = j;
                while (k < n && !Ends_Field(s[k]))
                    ++k;
                field = text.sliced(j, k - j).trimmed().toString();
            }
            record.fields.append(field);
            if (k >= n) {
                i = n;
                break;
            }
            if (s[k] == QLatin1Char(',')) {
                i = k + 1;
                if (i < n)
                    continue;
                record.fields.append(QString()); // a comma ending the file opens one more field
                break;
            }
            // A line end closes the record.
            i = k + 1;
            if (s[k] == QLatin1Char('\r') && i < n && s[i] == QLatin1Char('\n'))
                ++i;
            ++line;
            break;
        }
        const bool blank = record.fields.size() == 1 && record.fields.first().isEmpty();
        if (!blank || quoted_any)
            out.records.append(record);
    }
    return out;
}

bool Check_CSV_Headings(const QStringList& headings, CsvColumns* columns) {
    struct Wanted {
        QLatin1String name;
        int* column;
    };
    const Wanted wanted[] = {{QLatin1String("start date"), &columns->start_date},
                             {QLatin1String("description"), &columns->description},
                             {QLatin1String("subject"), &columns->subject}};
    const Wanted optional[] = {{QLatin1String("start time"), &columns->start_time},
                               {QLatin1String("end date"), &columns->end_date},
                               {QLatin1String("end time"), &columns->end_time},
                               {QLatin1String("all day event"), &columns->all_day}};
    QStringList lower;
    for (const QString& heading : headings)
        lower.append(heading.trimmed().toLower());
    bool all = true;
    for (const Wanted& w : wanted) {
        int column = int(lower.indexOf(w.name));
        if (column < 0) {
            for (qsizetype i = 0; i < lower.size() && column < 0; ++i) {
                if (lower.at(i).contains(w.name))
                    column = int(i);
            }
        }
        *w.column = column;
        all = all && column >= 0;
    }
    for (const Wanted& w : optional)
        *w.column = int(lower.indexOf(w.name));
    return all;
}

QTime Parse_CSV_Time(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]{1,2}):([0-9]{2})(?::([0-9]{2}))?(?:\\.[0-9]+)?\\s*"
                       "(?:([AaPp])\\.?\\s*[Mm]\\.?)?$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return QTime();
    int hour = match.captured(1).toInt();
    const QString half = match.captured(4).toLower();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12)
            return QTime();
        hour = hour % 12 + (half == QLatin1String("p") ? 12 : 0);
    }
    return QTime(hour, match.captured(2).toInt(), match.captured(3).toInt());
}

QDate Parse_CSV_Date(const QString& text, const QLocale& locale) {
    static const QRegularExpression iso(
        QStringLiteral("^([0-9]{4})-([0-9]{1,2})-([0-9]{1,2})(?:[T ].*)?$"));
    static const QRegularExpression time(QStringLiteral(
        "[ T]+[0-9]{1,2}:[0-9]{2}(?::[0-9]{2})?(?:\\.[0-9]+)?\\s*([AaPp]\\.?[Mm]\\.?)?"
        "\\s*$"));
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QDate();
    const QRegularExpressionMatch match = iso.match(trimmed);
    if (match.hasMatch())
        return QDate(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    const QDate date = Parse_Short_Date(trimmed, locale);
    if (date.isValid())
        return date;
    QString without_time = trimmed;
    without_time.remove(time);
    return without_time != trimmed ? Parse_Short_Date(without_time, locale) : QDate();
}

QString CSV_Event_Text(const QString& subject, const QString& description) {
    const bool use_subject = !subject.isEmpty() && subject != QLatin1String("Almanor");
    QString text = use_subject ? subject : QString();
    if (use_subject && !description.isEmpty())
        text += QStringLiteral(" - ");
    return text + description;
}

CsvReadResult Read_CSV_Events(const QByteArray& bytes, const QLocale& locale) {
    CsvReadResult result;
    const QString text = Decode_Exchange_Text(bytes);
    const CsvSplit split = Split_CSV(text);
    if (split.records.isEmpty()) {
        result.error =
            split.error.isEmpty() ? CsvReadError::MissingHeadings : CsvReadError::BadRecord;
        result.detail = split.error.isEmpty()
                            ? QStringLiteral("The file holds no headings.")
                            : QStringLiteral("Line %1: %2").arg(split.error_line).arg(split.error);
        return result;
    }
    CsvColumns columns;
    if (!Check_CSV_Headings(split.records.first().fields, &columns)) {
        result.error = CsvReadError::MissingHeadings;
        return result;
    }
    for (qsizetype r = 1; r < split.records.size(); ++r) {
        const CsvRecord& record = split.records.at(r);
        const QString subject = Without_Controls(Field_Of(record, columns.subject).trimmed());
        const QString description =
            Without_Controls(Field_Of(record, columns.description).trimmed());
        const QString event_text = CSV_Event_Text(subject, description);
        if (event_text.isEmpty())
            continue;
        const QString date_text = Field_Of(record, columns.start_date);
        const QDate date = Parse_CSV_Date(date_text, locale);
        if (!date.isValid()) {
            result.error = CsvReadError::BadRecord;
            result.detail = QStringLiteral("Line %1: the start date \"%2\" is not a date.")
                                .arg(record.line)
                                .arg(Without_Controls(date_text).left(40));
            result.events.clear();
            result.rows = 0;
            return result;
        }
        const RowTimes times = Row_Times(record, columns, date, locale);
        const QString first_text =
            times.start.isValid()
                ? locale.toString(times.start, QLocale::ShortFormat) + QLatin1Char(' ') + event_text
                : event_text;
        Append_Event_Days(&result.events, date, times.last_day, false, first_text, event_text);
        ++result.rows;
    }
    // Rows before an unclosed quote were read, but the file was cut off: none of it is taken.
    if (!split.error.isEmpty()) {
        result.error = CsvReadError::BadRecord;
        result.detail = QStringLiteral("Line %1: %2").arg(split.error_line).arg(split.error);
        result.events.clear();
        result.rows = 0;
    }
    return result;
}

CsvReadResult Read_CSV_Events_File(const QString& path, const QLocale& locale) {
    QByteArray bytes;
    QString error;
    if (!Read_Exchange_File(path, &bytes, &error)) {
        CsvReadResult result;
        result.error = CsvReadError::Unreadable;
        result.detail = error;
        return result;
    }
    return Read_CSV_Events(bytes, locale);
}

CsvImportOutcome Import_CSV_File(const QString& csv_path, const QString& data_path,
                                 const QLocale& locale) {
    CsvImportOutcome outcome;
    const CsvReadResult read = Read_CSV_Events_File(csv_path, locale);
    outcome.error = read.error;
    outcome.detail = read.detail;
    if (read.error != CsvReadError::None)
        return outcome;
    const ImportOutcome merged = Import_Events_Into_Data_File(data_path, read.events);
    if (!merged.ok) {
        outcome.save_failed = true;
        outcome.detail = merged.error;
        return outcome;
    }
    outcome.imported = read.rows;
    outcome.added = merged.added;
    return outcome;
}
