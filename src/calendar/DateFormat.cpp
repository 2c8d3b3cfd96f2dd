// Date and time texts in the system's forms. Every date the program writes as text or reads back
// goes through here, so that a date written and read again stays the same date.

#include "calendar/General_Mod.h"

#include <QRegularExpression>

namespace {

// Calls visit(c, quoted) for each character of a Qt date format, telling whether it lies inside
// a quoted literal. The quotes themselves are passed with quoted = true.
template <typename Visit> void Scan_Format(const QString& format, Visit visit) {
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            visit(c, true);
            continue;
        }
        visit(c, quoted);
    }
}

// Index (0, 1, 2) of the day, month and year fields in the order the format writes them.
struct FieldOrder {
    int day = -1, month = -1, year = -1;
};

FieldOrder Field_Order(const QString& format) {
    FieldOrder order;
    int next = 0;
    Scan_Format(format, [&](QChar c, bool quoted) {
        if (quoted)
            return;
        int* field = c == QLatin1Char('d')   ? &order.day
                     : c == QLatin1Char('M') ? &order.month
                     : c == QLatin1Char('y') ? &order.year
                                             : nullptr;
        if (field && *field < 0)
            *field = next++;
    });
    return order;
}

int Floor_Div(int a, int b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Three numbers between separators, in the order of the short form. A one- or two-digit year
// takes the century the classic runtime gave it (00..29 are 2000s, 30..99 are 1900s); the
// program itself always writes four digits.
QDate Parse_Numeric_Date(const QString& text, const QString& format) {
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]{1,4})[^0-9\\p{L}]+([0-9]{1,4})[^0-9\\p{L}]+([0-9]{1,4})"
                       "[^0-9\\p{L}]*$"));
    const FieldOrder order = Field_Order(format);
    if (order.day < 0 || order.month < 0 || order.year < 0)
        return QDate();
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return QDate();
    const QString day = match.captured(order.day + 1);
    const QString month = match.captured(order.month + 1);
    const QString year_text = match.captured(order.year + 1);
    if (day.size() > 2 || month.size() > 2)
        return QDate();
    int year = year_text.toInt();
    if (year_text.size() <= 2)
        year += year < 30 ? 2000 : 1900;
    return QDate(year, month.toInt(), day.toInt());
}

} // namespace

QDate Date_Serial(int year, int month, int day) {
    const int months_on = Floor_Div(month - 1, 12);
    const QDate first(year + months_on, month - months_on * 12, 1);
    if (!first.isValid())
        return QDate();
    return first.addDays(qint64(day) - 1);
}

QString Short_Date_Format(const QLocale& locale) {
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    QString result;
    qsizetype year_run = 0;
    // Any run of year letters ("yy", or a stray "y") becomes exactly "yyyy".
    auto flush_year = [&] {
        if (year_run > 0)
            result += QStringLiteral("yyyy");
        year_run = 0;
    };
    Scan_Format(format, [&](QChar c, bool quoted) {
        if (!quoted && c == QLatin1Char('y')) {
            ++year_run;
            return;
        }
        flush_year();
        result += c;
    });
    flush_year();
    return result;
}

QString Format_Short_Date(const QDate& date, const QLocale& locale) {
    return locale.toString(date, Short_Date_Format(locale));
}

QDate Parse_Short_Date(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QDate();
    const QString format = Short_Date_Format(locale);
    const QDate exact = locale.toDate(trimmed, format);
    if (exact.isValid())
        return exact;
    return Parse_Numeric_Date(trimmed, format);
}

QString Format_Long_Date(const QDate& date, const QLocale& locale) {
    return locale.toString(date, QLocale::LongFormat);
}

QString Date_Separator(const QLocale& locale) {
    QString separator;
    bool after_field = false;
    Scan_Format(locale.dateFormat(QLocale::ShortFormat), [&](QChar c, bool quoted) {
        if (!separator.isEmpty() || quoted)
            return;
        if (c.isLetter())
            after_field = true;
        else if (after_field)
            separator = c;
    });
    return separator.isEmpty() ? QStringLiteral("/") : separator;
}

QString Format_Time(const QTime& time, const QString& format, const QLocale& locale) {
    static const QString marker = QStringLiteral("AM/PM");
    // First the classic marker becomes Qt's, outside quoted text.
    QString qt_format;
    bool twelve_hour = false;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (!quoted &&
                   format.mid(i, marker.size()).compare(marker, Qt::CaseInsensitive) == 0) {
            qt_format += c.isUpper() ? QStringLiteral("AP") : QStringLiteral("ap");
            i += marker.size() - 1;
            twelve_hour = true;
            continue;
        }
        qt_format += c;
    }
    if (!twelve_hour)
        return locale.toString(time, qt_format);
    // Qt's "H" ignores the marker; "h" follows it.
    QString twelve;
    Scan_Format(qt_format, [&](QChar c, bool in_quotes) {
        twelve += (!in_quotes && c == QLatin1Char('H')) ? QLatin1Char('h') : c;
    });
    // The marker is the plain English AM / PM whatever the language.
    return QLocale::c().toString(time, twelve);
}

QString Day_Ordinal_Text(qint16 day, const QLocale& locale) {
    const QString number = QString::number(day);
    // The C locale names months and days in English, so it takes the English suffixes too.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return number + Ordinal_Suffix(day);
    // Languages that mark the day with a full stop ("8. Dezember") write it so in their long
    // date form: a day field of one or two "d" followed by ".".
    const QString format = locale.dateFormat(QLocale::LongFormat);
    int run = 0;
    bool dotted = false;
    Scan_Format(format, [&](QChar c, bool quoted) {
        if (!quoted && c == QLatin1Char('d')) {
            ++run;
            return;
        }
        if (run == 1 || run == 2)
            dotted = dotted || (!quoted && c == QLatin1Char('.'));
        run = 0;
    });
    return dotted ? number + QLatin1Char('.') : number;
}
