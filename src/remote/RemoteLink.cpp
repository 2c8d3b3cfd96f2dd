#include "remote/RemoteLink.h"

#include <algorithm>

namespace {
QString Password_Key(const RemoteCalendar& calendar) {
    return calendar.user + QLatin1Char('\n') + calendar.url;
}

QString Box_Line(const RemoteDayEvent& event, const QLocale& locale) {
    if (event.All_Day())
        return event.summary;
    return locale.toString(event.time, QLocale::ShortFormat) + QLatin1Char(' ') + event.summary;
}
} // namespace

bool Any_Remote_Calendar_On(const QString& ini_path) {
    const QList<RemoteCalendar> calendars = Read_Remote_Calendars(ini_path);
    return std::any_of(calendars.begin(), calendars.end(),
                       [](const RemoteCalendar& calendar) { return calendar.enabled; });
}

QString Remote_Caption_Text(const QList<RemoteDayEvent>& events, const QLocale& locale) {
    // A box shows three lines at most: a busy day's other events would only be measured to be
    // cut off again, on every rebuild. One more than fits keeps the cut and its "...".
    constexpr qsizetype Max_Caption_Events = 4;
    QStringList lines;
    for (const RemoteDayEvent& event : events.first(std::min(events.size(), Max_Caption_Events)))
        lines << Box_Line(event, locale).replace(QLatin1Char('&'), QStringLiteral("&&"));
    return lines.join(QStringLiteral("\r\n"));
}

QString Remote_Tip_Text(const QList<RemoteDayEvent>& events, const QLocale& locale) {
    QStringList lines;
    for (const RemoteDayEvent& event : events)
        lines << Remote_Event_Line(event, locale);
    return lines.join(QStringLiteral("\r\n"));
}

QList<RemoteOverviewLine> Remote_Overview_Lines(RemoteEventSource& events, const QDate& first,
                                                const QDate& last, const QLocale& locale) {
    QList<RemoteOverviewLine> lines;
    for (QDate day = first; day.isValid() && day <= last; day = day.addDays(1))
        for (const RemoteDayEvent& event : events.Day_Events(day))
            lines.append({day, Remote_Event_Line(event, locale)});
    return lines;
}

RemoteLink::RemoteLink(QString settings_path, QString cache_dir, QString fetch_program,
                       std::function<QDateTime()> now, QObject* parent)
    : QObject(parent), settings_path_(std::move(settings_path)), cache_dir_(std::move(cache_dir)),
      fetch_program_(std::move(fetch_program)) {
    launcher_ = new RemoteFetchLauncher(
        fetch_program_, settings_path_, cache_dir_,
        [this](int, const RemoteCalendar& calendar) { return Password(calendar); }, std::move(now),
        this);
    connect(launcher_, &RemoteFetchLauncher::Fetch_Finished, this, [this] {
        events_->Reload();
        emit Events_Changed();
    });
    Read_Events();
}

RemoteLink::~RemoteLink() = default;

void RemoteLink::Read_Events() {
    events_ = std::make_unique<CachedRemoteEvents>(Read_Remote_Calendars(settings_path_),
                                                   cache_dir_, QTimeZone::systemTimeZone());
}

QString RemoteLink::Password(const RemoteCalendar& calendar) const {
    return passwords_.value(Password_Key(calendar));
}

void RemoteLink::Set_Password(const RemoteCalendar& calendar, const QString& password) {
    if (password.isEmpty())
        passwords_.remove(Password_Key(calendar));
    else
        passwords_.insert(Password_Key(calendar), password);
}

void RemoteLink::Settings_Changed() {
    Read_Events();
    launcher_->Schedule();
    emit Events_Changed();
}
