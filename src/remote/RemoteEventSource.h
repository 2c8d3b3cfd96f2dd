#pragma once

#include "remote/RemoteAccounts.h"
#include "remote/RemoteExpansion.h"
#include "remote/RemoteIndex.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>
#include <QTimeZone>

#include <memory>
#include <optional>
#include <vector>

// One remote event as a day box, tooltip or balloon shows it.
struct RemoteDayEvent {
    // Null for an all-day event.
    QTime time;
    QString summary;
    QString calendar;
    qint32 colour = 0;

    bool All_Day() const { return time.isNull(); }
    bool operator==(const RemoteDayEvent&) const = default;
};

// The event as tooltips, balloons and the "Today:" alert list it: "09:00 Dentist (Work)", the
// start in the locale's short form, no time for an all-day event.
QString Remote_Event_Line(const RemoteDayEvent& event, const QLocale& locale);

// What the month view asks for a day's remote events. It reads only what is already on disk and
// never touches the network, so the calendar's start and its month changes don't wait for one.
class RemoteEventSource {
  public:
    virtual ~RemoteEventSource() = default;
    // The day's events of every calendar that is on: all-day ones first, then by start time.
    virtual QList<RemoteDayEvent> Day_Events(const QDate& day) = 0;
};

// The events of the enabled calendars' cached data, but for the calendar that keeps the notes.
// The index of occurrences the fetch wrote is read on the first question; a month outside it is
// expanded from the data, which is parsed then. Each month is placed once; Reload forgets
// everything (after a refresh wrote the cache anew).
class CachedRemoteEvents : public RemoteEventSource {
  public:
    CachedRemoteEvents(QList<RemoteCalendar> calendars, QString cache_dir, QTimeZone zone);
    ~CachedRemoteEvents() override;

    QList<RemoteDayEvent> Day_Events(const QDate& day) override;
    // The events of every day of the month, by day of the month.
    const QHash<int, QList<RemoteDayEvent>>& Month_Events(int year, int month);
    void Reload();
    // Why a calendar's cached data could not be read, by calendar name; empty when all could.
    const QHash<QString, QString>& Read_Errors() const { return read_errors_; }

  private:
    struct Parsed {
        RemoteCalendar calendar;
        // The occurrences written by the fetch, when they belong to the data kept.
        std::optional<RemoteIndex> index;
        // The data itself, parsed only for months outside the index.
        bool data_read = false;
        std::vector<ICalComponentPtr> data;
    };
    void Load();
    void Read_Data(Parsed& parsed);

    QList<RemoteCalendar> calendars_;
    QString cache_dir_;
    QTimeZone zone_;
    bool loaded_ = false;
    std::vector<Parsed> parsed_;
    QHash<QString, QString> read_errors_;
    QHash<int, QHash<int, QList<RemoteDayEvent>>> months_;
};
