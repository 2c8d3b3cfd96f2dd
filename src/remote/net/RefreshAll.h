#pragma once

#include "remote/net/RemoteRefresh.h"

#include <QHash>
#include <QList>

// The calendars a run of the fetch refreshes: the enabled ones whose interval has passed since
// their last attempt (every enabled one with all set).
QList<int> Due_Calendars(const QList<RemoteCalendar>& calendars, const QString& cache_dir,
                         const QDateTime& now, bool all);

// Refreshes the calendars one after the other and calls done with their outcomes, in order.
// passwords holds a password by calendar number (from 1).
void Refresh_Calendars(QNetworkAccessManager& network, const QList<RemoteCalendar>& calendars,
                       const QHash<int, QString>& passwords, const QString& cache_dir,
                       const QDateTime& now, const RefreshOptions& options,
                       std::function<void(const QList<RefreshOutcome>&)> done);
