#pragma once

// The statistics of calendar.dat: how many dated events there are, how many fall this year,
// before and after today, and how many fall in each month of this year (every-year events
// included). Plain functions; the "Events" tab shows their results.

#include "events/MonthEvents.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

// Counters wide enough for any file: a calendar.dat with more records than 16 bits hold still
// counts exactly.
struct EventStats {
    qint64 total = 0;
    qint64 this_year = 0;
    qint64 before_today = 0;
    qint64 after_today = 0;
    // Index 0 is January.
    std::array<qint64, 12> months{};
};

// "Jan: ", "Feb: ", ..., "July: ", ..., "Dec: " (July spelled out), index 0 is January.
const QStringList& Month_Titles();

// Takes a record apart and checks its date: false for a record without "=", a key that is not
// day/month/year, a month outside 1..12, a day its month doesn't have (29 February is allowed for
// every-year records) or a year outside 1..9999. Without keep_text the text stays empty.
bool Parse_Dated_Record(QStringView record, EventDay* out, bool keep_text = true);

// Counts one parsed record. An every-year record counts only in its month; a dated one counts in
// the total, before or after today (today's in neither), and in this year and its month when it
// falls this year.
void Workout_Stats(EventStats& stats, const EventDay& event, const QDate& today);

// One statistics pass over calendar.dat.
struct StatsPass {
    EventStats stats;
    // False when a malformed record ended the pass (or the file could not be read); the stats
    // then hold the records before it.
    bool ok = true;
};
// Counts every record of the text of calendar.dat (as Decode_Event_File gives it).
StatsPass Stats_Of_Text(QStringView text, const QDate& today);
// Counts every record of the file at path; a missing file gives zeros and ok. No message.
StatsPass Read_Stats(const QString& path, const QDate& today);

// The texts of the labels for stats: the four totals, then the twelve month counts.
struct StatsLabels {
    QString total_all;              // "Total Events: 3"
    QString total_year;             // "Events This Year: 2"
    QString before;                 // "No. Before Today: 1"
    QString after;                  // "No. After Today: 1"
    std::array<QString, 12> months; // "Jan: 0", ...
};
StatsLabels Stats_Label_Texts(const EventStats& stats, const QStringList& titles = Month_Titles());
