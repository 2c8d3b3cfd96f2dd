#pragma once

#include "remote/net/RemoteRefresh.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QTimer>

// Runs one refresh to its end, as the fetch program does, and gives its outcome.
inline RefreshOutcome Refresh_And_Wait(const RemoteCalendar& calendar, const QString& cache_dir,
                                       const RefreshOptions& options = {},
                                       const QString& password = {}) {
    QNetworkAccessManager network;
    QEventLoop loop;
    RefreshOutcome outcome;
    bool finished = false;
    outcome.error = QStringLiteral("(the refresh never ended)");
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    Refresh_Remote_Calendar(network, calendar, password, cache_dir, QDateTime::currentDateTimeUtc(),
                            options, [&](const RefreshOutcome& o) {
                                outcome = o;
                                finished = true;
                                loop.quit();
                            });
    if (!finished)
        loop.exec();
    return outcome;
}
