#pragma once

#include "remote/RemoteCache.h"
#include "remote/net/RemoteHttp.h"
#include "remote/net/RemoteRefresh.h"

// The refresh of an .ics file: a GET that names the validators of the cached data, so that an
// unchanged file costs one 304.
void Refresh_Ics(QNetworkAccessManager& network, const RemoteCalendar& calendar,
                 const QString& password, const QString& cache_dir, const QDateTime& now,
                 const RefreshOptions& options, std::function<void(const RefreshOutcome&)> done);

// Checks data fetched for a calendar: empty when it is a calendar, else what is wrong, in words.
QString Check_Calendar_Data(const QByteArray& data, const QByteArray& content_type);

// Records a failure in the cache and hands it to done.
void Fail_Refresh(const QString& cache_dir, const RemoteCalendar& calendar, const QDateTime& now,
                  RefreshOutcome outcome, const QString& error,
                  const std::function<void(const RefreshOutcome&)>& done);
