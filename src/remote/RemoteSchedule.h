#pragma once

#include "remote/RemoteAccounts.h"
#include "remote/RemoteCache.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

// When the calendar next has to start the fetch: the earliest end of an enabled calendar's
// interval since its last attempt, or now for one never tried. Invalid when no calendar is on,
// so a calendar without remote calendars sets no timer at all.
QDateTime Next_Remote_Refresh(const QList<RemoteCalendar>& calendars, const QString& cache_dir,
                              const QDateTime& now);

// The state of the last refresh as the settings window lists it: "Refreshed <date> <time>", the
// error in words when the last attempt failed, or "Not refreshed yet". Times in the locale's
// short forms, in local time.
QString Remote_State_Text(const RemoteCacheState& state, const QLocale& locale);
