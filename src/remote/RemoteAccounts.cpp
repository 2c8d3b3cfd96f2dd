#include "remote/RemoteAccounts.h"

#include "remote/RemoteCache.h"

#include <QRegularExpression>
#include <QSettings>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

const QString Group_Prefix = QStringLiteral("Calendar ");

// The number of a calendar group, or 0 for any other group.
int Group_Number(const QString& group) {
    static const QRegularExpression pattern(QStringLiteral("^Calendar ([1-9][0-9]{0,3})$"));
    const QRegularExpressionMatch match = pattern.match(group);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

int Number_Or(const QVariant& value, int fallback) {
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : fallback;
}

// A name for a calendar the user gave none: the host, or the file's name.
QString Name_From_Url(const QString& url) {
    const QUrl parsed(url);
    if (!parsed.host().isEmpty())
        return parsed.host();
    const QString file = parsed.fileName();
    return file.isEmpty() ? url : file;
}

} // namespace

QList<RemoteCalendar> Read_Remote_Calendars(const QString& ini_path) {
    QSettings settings(ini_path, QSettings::IniFormat);
    std::vector<std::pair<int, RemoteCalendar>> numbered;
    const QStringList groups = settings.childGroups();
    for (const QString& group : groups) {
        const int number = Group_Number(group);
        if (number == 0)
            continue;
        settings.beginGroup(group);
        RemoteCalendar calendar;
        calendar.url = settings.value(QStringLiteral("URL")).toString().trimmed();
        calendar.name = settings.value(QStringLiteral("Name")).toString().trimmed();
        calendar.user = settings.value(QStringLiteral("User")).toString();
        calendar.colour = Number_Or(settings.value(QStringLiteral("Colour")),
                                    RemoteCalendar::Default_Remote_Colour);
        calendar.refresh_minutes =
            std::max(RemoteCalendar::Min_Refresh_Minutes,
                     Number_Or(settings.value(QStringLiteral("Refresh Minutes")),
                               RemoteCalendar::Default_Refresh_Minutes));
        calendar.enabled = Number_Or(settings.value(QStringLiteral("Enabled")), 1) != 0;
        calendar.keep_notes = Number_Or(settings.value(QStringLiteral("Keep Notes")), 0) != 0;
        settings.endGroup();
        if (calendar.url.isEmpty())
            continue;
        if (calendar.name.isEmpty())
            calendar.name = Name_From_Url(calendar.url);
        numbered.emplace_back(number, calendar);
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<RemoteCalendar> calendars;
    bool notes_taken = false;
    for (auto& [number, calendar] : numbered) {
        // Two calendars both taking every note would copy each note into both.
        calendar.keep_notes = calendar.keep_notes && !notes_taken && !Is_Ics_Address(calendar.url);
        notes_taken = notes_taken || calendar.keep_notes;
        calendars.append(std::move(calendar));
    }
    return calendars;
}

bool Write_Remote_Calendars(const QString& ini_path, const QList<RemoteCalendar>& calendars) {
    QSettings settings(ini_path, QSettings::IniFormat);
    const QStringList groups = settings.childGroups();
    for (const QString& group : groups) {
        if (Group_Number(group) != 0)
            settings.remove(group);
    }
    for (qsizetype i = 0; i < calendars.size(); ++i) {
        const RemoteCalendar& calendar = calendars[i];
        settings.beginGroup(Group_Prefix + QString::number(i + 1));
        settings.setValue(QStringLiteral("Name"), calendar.name);
        settings.setValue(QStringLiteral("URL"), calendar.url);
        settings.setValue(QStringLiteral("User"), calendar.user);
        settings.setValue(QStringLiteral("Colour"), QString::number(calendar.colour));
        settings.setValue(QStringLiteral("Refresh Minutes"),
                          QString::number(std::max(RemoteCalendar::Min_Refresh_Minutes,
                                                   calendar.refresh_minutes)));
        settings.setValue(QStringLiteral("Enabled"),
                          calendar.enabled ? QStringLiteral("1") : QStringLiteral("0"));
        if (calendar.keep_notes)
            settings.setValue(QStringLiteral("Keep Notes"), QStringLiteral("1"));
        settings.endGroup();
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

qsizetype Notes_Calendar_Index(const QList<RemoteCalendar>& calendars) {
    for (qsizetype i = 0; i < calendars.size(); ++i) {
        if (calendars[i].keep_notes)
            return i;
    }
    return -1;
}

QString Fetch_Url(const QString& url) {
    const QString trimmed = url.trimmed();
    if (trimmed.startsWith(QStringLiteral("webcal://"), Qt::CaseInsensitive))
        return QStringLiteral("https://") + trimmed.mid(9);
    return trimmed;
}

bool Is_Ics_Address(const QString& url) {
    const QUrl parsed(Fetch_Url(url));
    const QString scheme = parsed.scheme().toLower();
    if (scheme == QLatin1String("file") ||
        url.trimmed().startsWith(QLatin1String("webcal:"), Qt::CaseInsensitive))
        return true;
    return parsed.path().endsWith(QLatin1String(".ics"), Qt::CaseInsensitive);
}

bool Remove_Remote_Calendar(const QString& ini_path, const QString& cache_dir, qsizetype index) {
    QList<RemoteCalendar> calendars = Read_Remote_Calendars(ini_path);
    if (index < 0 || index >= calendars.size())
        return false;
    const RemoteCalendar removed = calendars.takeAt(index);
    if (!Write_Remote_Calendars(ini_path, calendars))
        return false;
    // Another entry for the same address and user shares the files.
    for (const RemoteCalendar& other : std::as_const(calendars)) {
        if (Remote_Cache_Key(other) == Remote_Cache_Key(removed))
            return true;
    }
    Remove_Remote_Cache(cache_dir, removed);
    return true;
}
