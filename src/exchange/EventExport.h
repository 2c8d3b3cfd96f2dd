#pragma once

#include "events/Overview.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>

// The CSV headings line, without its line end.
QString CSV_Headings();

// The bytes of a CSV file of events (UTF-8, lines ended by CR LF): the headings, then one
// all-day row per event, dated in the locale's short form. Texts are written as the user typed
// them ("&" once), so other programs, and this one's import, read them back unchanged.
QByteArray Format_CSV_Events(const QList<OverviewEntry>& events, const QLocale& locale = QLocale());

// The bytes of a text listing of events (UTF-8): for each event its long date, " (every year)"
// for an every-year one, "  -  ", its text as typed, CR LF and an empty line.
QByteArray Format_Text_Events(const QList<OverviewEntry>& events,
                              const QLocale& locale = QLocale());
