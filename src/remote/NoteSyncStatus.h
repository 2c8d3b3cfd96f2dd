#pragma once

#include "remote/RemoteAccounts.h"
#include "remote/sync/NoteSyncState.h"

#include <QLocale>
#include <QString>
#include <QStringList>

// What the Calendars tab says about the note sync, and the choice of the calendar that keeps the
// notes.

// The list's mark of the notes calendar in its state column: "Notes, synced <date> <time>",
// "Notes, not synced yet", or "Notes: " and the last error. Times in the locale's short forms,
// in local time.
QString Note_Sync_Brief(const NoteSyncState& state, const QLocale& locale);

// The lines under the list: "Notes: last sync <date> <time>, <n> waiting" (or "Notes: not synced
// yet"), then the last error in words, then the latest conflict, "Kept both texts: <text>", each
// text as typed and on one line. read_error: why the state file couldn't be read, in words,
// empty when it could.
QStringList Note_Sync_Lines(const NoteSyncState& state, const QString& read_error,
                            const QLocale& locale);

// Makes the calendar at index the one that keeps the notes and turns the flag off for every
// other: two calendars taking the notes would copy each note into both.
void Keep_Notes_In(QList<RemoteCalendar>& calendars, qsizetype index);
