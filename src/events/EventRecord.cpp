// Keys, records and the escaping of event texts: the small string rules every part of the
// program that touches events agrees on.
#include "events/EventStore.h"

#include "events/MonthEvents.h"

namespace {
const QString kEveryYear = QStringLiteral("9999");
} // namespace

QString Event_Key(int day, int month, int year) {
    return QString::number(day) + QLatin1Char('/') + QString::number(month) + QLatin1Char('/') +
           QString::number(year);
}

QString Every_Year_Key(const QString& key) {
    // A key from Event_Key always ends in a four-digit year. A shorter (hand-made) key has all
    // of it replaced rather than reading before its start.
    if (key.size() < 4)
        return kEveryYear;
    return key.first(key.size() - 4) + kEveryYear;
}

QString Record_Key(const QString& record) {
    const qsizetype eq = record.indexOf(QLatin1Char('='));
    if (eq < 0)
        return QString();
    // first(0) of a non-null string is empty but not null, so "=text" has the key "".
    return record.first(eq);
}

QString Record_Text(const QString& record) {
    const qsizetype eq = record.indexOf(QLatin1Char('='));
    if (eq < 0)
        return QString();
    return record.sliced(eq + 1);
}

bool Record_Matches(QStringView record, const QString& key) {
    qint16 day = 0;
    qint16 month = 0;
    qint16 year = 0;
    if (!Parse_Event_Key(key, &day, &month, &year))
        return false;
    EventDay event;
    if (!Parse_Event_Record(record, &event, false))
        return false;
    return event.day == day && event.month == month &&
           (event.year == year || event.year == Every_Year);
}

DayRecord Find_Day_Record(const QStringList& records, const QString& key) {
    DayRecord found;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QString& record = records.at(i);
        if (!record.contains(QLatin1Char('='))) {
            found.blocked = true;
            break;
        }
        if (Record_Matches(record, key))
            found.index = i;
    }
    return found;
}

QString Unescape_Event_Text(const QString& stored) {
    QString text = stored;
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

QString Escape_Event_Text(const QString& typed) {
    QString text = typed;
    // The file has no escape for a double quote: it would end the record early.
    text.replace(QLatin1Char('"'), QLatin1Char('\''));
    return text.replace(QStringLiteral("&"), QStringLiteral("&&"));
}
