#pragma once

#include "remote/RemoteEventSource.h"
#include "remote/RemoteFetchLauncher.h"

#include <QHash>
#include <QObject>

#include <functional>
#include <memory>

// True when the settings file names a remote calendar that is on. The calendar asks this at
// start and sets up nothing more when it is false.
bool Any_Remote_Calendar_On(const QString& ini_path);

// The lines a day box adds after the day's own note: "09:00 Dentist", all-day events without a
// time, joined by line breaks, each "&" doubled as in a stored note.
QString Remote_Caption_Text(const QList<RemoteDayEvent>& events, const QLocale& locale);
// The lines tooltips, balloons and the "Today:" alert add: "09:00 Dentist (Work)".
QString Remote_Tip_Text(const QList<RemoteDayEvent>& events, const QLocale& locale);

// A remote event as the Events tab's overview lists it beside the notes.
struct RemoteOverviewLine {
    QDate date;
    // "09:00 Dentist (Work)".
    QString text;
};
// The remote events of the days from first to last, by date and then as a day lists them.
QList<RemoteOverviewLine> Remote_Overview_Lines(RemoteEventSource& events, const QDate& first,
                                                const QDate& last, const QLocale& locale);

// What the calendar keeps of its remote calendars while any is on: the events of the cache, the
// launcher of the fetch program, and the passwords typed in this session (never written to the
// settings file). Events_Changed tells the calendar to rebuild its month.
class RemoteLink : public QObject {
    Q_OBJECT
  public:
    RemoteLink(QString settings_path, QString cache_dir, QString fetch_program,
               std::function<QDateTime()> now, QObject* parent = nullptr);
    ~RemoteLink() override;

    RemoteEventSource& Events() { return *events_; }
    RemoteFetchLauncher& Launcher() { return *launcher_; }
    const QString& Settings_Path() const { return settings_path_; }
    const QString& Cache_Dir() const { return cache_dir_; }
    const QString& Fetch_Program() const { return fetch_program_; }

    // The session's password for a calendar (by address and user), empty when none was typed.
    QString Password(const RemoteCalendar& calendar) const;
    void Set_Password(const RemoteCalendar& calendar, const QString& password);

    // The calendars changed (added, edited, removed): reads them and their cache again, plans the
    // next fetch and has the month rebuilt.
    void Settings_Changed();

  signals:
    void Events_Changed();

  private:
    void Read_Events();

    QString settings_path_;
    QString cache_dir_;
    QString fetch_program_;
    std::unique_ptr<CachedRemoteEvents> events_;
    RemoteFetchLauncher* launcher_ = nullptr;
    QHash<QString, QString> passwords_;
};
