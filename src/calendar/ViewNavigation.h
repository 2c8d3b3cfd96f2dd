#pragma once

#include <QLocale>
#include <QtGlobal>

#include <optional>

// The years the calendar can show. Event keys need four-digit years, and year 9999 marks the
// events of every year, so the view stays between these.
constexpr qint16 Min_View_Year = 1753;
constexpr qint16 Max_View_Year = 9998;

struct MonthOfYear {
    qint16 month = 1;
    qint16 year = Min_View_Year;
    bool operator==(const MonthOfYear&) const = default;
};

// The month itself when it can be shown, else nothing.
std::optional<MonthOfYear> Viewable(qint32 month, qint32 year);
// The month after / before; nothing when that leaves the years the calendar can show.
std::optional<MonthOfYear> Month_After(qint16 month, qint16 year);
std::optional<MonthOfYear> Month_Before(qint16 month, qint16 year);

// F9's box style cycle: 0 -> 1 -> 2 -> 0; any other value stays.
qint16 Next_Box_Style(qint16 style);

// The "Start Day" (1 Sunday .. 7 Saturday) that makes header column which_day the first column,
// found by the weekday's abbreviated name as the headers show it. Nothing when no day matches.
std::optional<qint16> Start_Day_For_Column(qint16 which_day, qint16 start_day,
                                           const QLocale& locale = QLocale());

// The classic key code of a key (F1 = 112 .. F12 = 123, letters and digits their character);
// 0 for keys the calendar has no use for.
qint16 Key_Code(int qt_key);
