#include "remote/RemoteAdd.h"

#include <QColor>
#include <QUrl>

#include <array>

bool Is_Calendar_File_Address(const QString& url) {
    const QUrl parsed(url.trimmed());
    const QString scheme = parsed.scheme().toLower();
    return scheme == QLatin1String("file") || scheme == QLatin1String("webcal") ||
           parsed.path().endsWith(QLatin1String(".ics"), Qt::CaseInsensitive);
}

QString Calendar_Name_Of(const QString& url) {
    const QUrl parsed(url.trimmed());
    QString file = parsed.fileName();
    if (file.endsWith(QLatin1String(".ics"), Qt::CaseInsensitive))
        file.chop(4);
    if (!file.isEmpty())
        return file;
    return parsed.host().isEmpty() ? url.trimmed() : parsed.host();
}

QList<DiscoveredCalendar> Read_Discovery_Output(const QByteArray& output) {
    QList<DiscoveredCalendar> found;
    for (const QByteArray& line : output.split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split('\t');
        if (fields.value(0).isEmpty())
            continue;
        DiscoveredCalendar calendar;
        calendar.url = QString::fromUtf8(fields.value(0));
        calendar.name = QString::fromUtf8(fields.value(1));
        calendar.colour = QString::fromUtf8(fields.value(2));
        if (calendar.name.isEmpty())
            calendar.name = Calendar_Name_Of(calendar.url);
        found << calendar;
    }
    return found;
}

qint32 Remote_Colour_Of(const QString& server_colour, qsizetype n) {
    // Servers write "#RRGGBB" or "#RRGGBBAA"; the alpha is of no use on a day box.
    const QColor colour(server_colour.left(7));
    if (server_colour.startsWith(QLatin1Char('#')) && colour.isValid())
        return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
    static constexpr std::array<qint32, 5> Spread{RemoteCalendar::Default_Remote_Colour, 0x002E7D32,
                                                  0x000051C6, 0x008E24AA, 0x0000838F};
    return Spread[size_t(n) % Spread.size()];
}

bool Add_Remote_Calendars(const QString& ini_path, const QList<RemoteCalendar>& calendars) {
    return Write_Remote_Calendars(ini_path, Read_Remote_Calendars(ini_path) + calendars);
}
