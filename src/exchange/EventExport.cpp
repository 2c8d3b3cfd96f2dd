// Writing events to CSV and text files.
#include "exchange/EventExport.h"

#include "calendar/General_Mod.h"
#include "events/EventStore.h"

namespace {

const QString kMidnight = QStringLiteral("12:00:00 AM");
const QString kCrlf = QStringLiteral("\r\n");

// A field in double quotes. Stored texts hold no double quote; one from a hand-edited file is
// doubled so that the row still reads back as six fields.
QString Quoted(const QString& value) {
    QString field = value;
    field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

} // namespace

QString CSV_Headings() {
    return QStringLiteral(
        "\"Subject\",\"Start Date\",\"Description\",\"Start Time\",\"End Date\",\"End Time\"");
}

QByteArray Format_CSV_Events(const QList<OverviewEntry>& events, const QLocale& locale) {
    QString text;
    text.reserve(64 + events.size() * 96);
    text += CSV_Headings() + kCrlf;
    const QString format = Short_Date_Format(locale);
    for (const OverviewEntry& event : events) {
        text += Quoted(QStringLiteral("Almanor"));
        text += QLatin1Char(',') + Quoted(locale.toString(event.date, format));
        text += QLatin1Char(',') + Quoted(Unescape_Event_Text(event.text));
        text += QLatin1Char(',') + Quoted(kMidnight);
        text += QLatin1Char(',') + Quoted(locale.toString(event.date.addDays(1), format));
        text += QLatin1Char(',') + Quoted(kMidnight) + kCrlf;
    }
    return text.toUtf8();
}

QByteArray Format_Text_Events(const QList<OverviewEntry>& events, const QLocale& locale) {
    QString text;
    for (const OverviewEntry& event : events) {
        text += Format_Long_Date(event.date, locale);
        if (event.every_year)
            text += QStringLiteral(" (every year)");
        text += QStringLiteral("  -  ") + Unescape_Event_Text(event.text) + kCrlf + kCrlf;
    }
    return text.toUtf8();
}
