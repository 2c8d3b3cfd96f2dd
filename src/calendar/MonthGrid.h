#pragma once

#include <QDate>
#include <QLocale>
#include <QStringList>

// The month grid: 37 day boxes in rows of seven. Box i lies in row i / 7, column i % 7.
constexpr int Box_Count = 37;

// Number of days of the month that contains date (0 for an invalid date).
qint32 DaysInMonth(const QDate& date);

// The first day of the week chosen by "Start Day": 0 the locale's, 1 Sunday, 2 Monday ..
// 7 Saturday. Any other value falls back to the locale's.
Qt::DayOfWeek First_Day_Of_Week(qint16 start_day, const QLocale& locale = QLocale());

// Column (0..6) of date when weeks start on first.
qint16 Week_Column(const QDate& date, Qt::DayOfWeek first);

// Box (column) of the 1st of the month, 0..6. A month or year that makes no valid date gives 0.
qint16 Start_Box(qint16 month, qint16 year, qint16 start_day, const QLocale& locale = QLocale());

// The caption of a day-number box: the number with one space before and one after.
QString Day_Number_Caption(int day);

// The seven weekday headers, column 0 first: the locale's abbreviated names, or their first
// letters when single_letters is set.
QStringList Day_Header_Texts(qint16 start_day, bool single_letters,
                             const QLocale& locale = QLocale());
