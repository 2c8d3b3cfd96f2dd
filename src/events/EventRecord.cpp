// Keys, records and the escaping of event texts: the small string rules every part of the
// program that touches events agrees on.
#include "events/EventStore.h"

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

bool Record_Matches(const QString& record, const QString& key) {
    const QString record_key = Record_Key(record);
    // A null QString compares equal to an empty one, so the "no =" case needs its own check.
    if (record_key.isNull())
        return false;
    return record_key == key || record_key == Every_Year_Key(key);
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
