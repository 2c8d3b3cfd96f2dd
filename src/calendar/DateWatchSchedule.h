#pragma once

#include <QDateTime>

struct AppSettings;

// When the date watch has to look again, so that the calendar sleeps while nothing it shows can
// change. Each answer is a delay in milliseconds from now, on the given clock's time.

// How often the title strip's text can change: 0 when it shows no time (only the date, which
// changes at midnight), else the step of its clock: 1000 when the time format shows seconds,
// 100 when it shows fractions of a second, 60000 otherwise.
qint64 Title_Clock_Step_Ms(const AppSettings& settings, qint16 view_month, qint16 view_year,
                           const QDateTime& now);
// The delay to the next change of the title's clock: the next whole second or minute. -1 when
// the title shows no time.
qint64 Title_Clock_Wake_Ms(const AppSettings& settings, qint16 view_month, qint16 view_year,
                           const QDateTime& now);
// The delay to the next local midnight (at least 1 ms).
qint64 Next_Midnight_Ms(const QDateTime& now);
// The delay until the auto-compact deadline counts as reached (less than a whole second left);
// -1 without a deadline.
qint64 Compact_Wake_Ms(const QDateTime& deadline, const QDateTime& now);
