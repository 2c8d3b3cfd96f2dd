#include "events/EditorText.h"

#include "calendar/General_Mod.h"

namespace {
// Position (1-based) of the first space at or after start (1-based), 0 when there is none.
qsizetype Next_Space(const QString& s, qsizetype start) {
    if (start > s.size())
        return 0;
    return s.indexOf(QLatin1Char(' '), start - 1) + 1;
}
} // namespace

qint32 CountWords(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    qsizetype i = Next_Space(s, 1);
    qint32 count = (i > 1 || (!s.isEmpty() && i == 0)) ? 1 : 0;
    while (i != 0) {
        ++count;
        while (i <= s.size() && s.at(i - 1) == QLatin1Char(' '))
            ++i;
        i = Next_Space(s, i);
    }
    if (s.endsWith(QLatin1Char(' ')))
        --count;
    return count;
}

QString Editor_Title(qsizetype characters, qint32 words) {
    QString title =
        QStringLiteral("Almanor - ") + QString::number(characters) + QStringLiteral(" Characters");
    if (characters > Max_Event_Length - 1)
        title += QStringLiteral(" (max)");
    return title + QStringLiteral(" - ") + QString::number(words) + QStringLiteral(" Words.");
}

QString Editor_Date_Text(const QDate& date, const QLocale& locale) {
    return locale.dayName(date.dayOfWeek(), QLocale::LongFormat) + QLatin1Char(' ') +
           Day_Ordinal_Text(qint16(date.day()), locale) + QLatin1Char(' ') +
           locale.monthName(date.month(), QLocale::LongFormat) + QLatin1Char(' ') +
           QString::number(date.year());
}
