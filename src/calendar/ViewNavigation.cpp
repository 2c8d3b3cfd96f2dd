#include "calendar/ViewNavigation.h"

#include "calendar/MonthGrid.h"

std::optional<MonthOfYear> Viewable(qint32 month, qint32 year) {
    if (month < 1 || month > 12 || year < Min_View_Year || year > Max_View_Year)
        return std::nullopt;
    return MonthOfYear{qint16(month), qint16(year)};
}

std::optional<MonthOfYear> Month_After(qint16 month, qint16 year) {
    if (month == 12)
        return Viewable(1, qint32(year) + 1);
    return Viewable(qint32(month) + 1, year);
}

std::optional<MonthOfYear> Month_Before(qint16 month, qint16 year) {
    if (month == 1)
        return Viewable(12, qint32(year) - 1);
    return Viewable(qint32(month) - 1, year);
}

qint16 Next_Box_Style(qint16 style) {
    switch (style) {
    case 0:
        return 1;
    case 1:
        return 2;
    case 2:
        return 0;
    default:
        return style;
    }
}

std::optional<qint16> Start_Day_For_Column(qint16 which_day, qint16 start_day,
                                           const QLocale& locale) {
    if (which_day < 0 || which_day > 6)
        return std::nullopt;
    const int first = First_Day_Of_Week(start_day, locale);
    const int clicked = (first - 1 + which_day) % 7 + 1;
    const QString name = locale.dayName(clicked, QLocale::ShortFormat);
    for (qint16 d : {2, 3, 4, 5, 6, 7, 1}) {
        if (locale.dayName(First_Day_Of_Week(d, locale), QLocale::ShortFormat) == name)
            return d;
    }
    return std::nullopt;
}

qint16 Key_Code(int qt_key) {
    if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F12)
        return qint16(112 + (qt_key - Qt::Key_F1));
    if ((qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) ||
        (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9))
        return qint16(qt_key);
    return 0;
}
