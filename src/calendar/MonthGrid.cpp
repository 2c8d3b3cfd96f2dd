#include "calendar/MonthGrid.h"

qint32 DaysInMonth(const QDate& date) {
    if (!date.isValid())
        return 0;
    return date.daysInMonth();
}

Qt::DayOfWeek First_Day_Of_Week(qint16 start_day, const QLocale& locale) {
    // 1 is Sunday, 2 Monday ... 7 Saturday; Qt counts Monday 1 .. Sunday 7.
    if (start_day >= 1 && start_day <= 7)
        return start_day == 1 ? Qt::Sunday : Qt::DayOfWeek(start_day - 1);
    return locale.firstDayOfWeek();
}

qint16 Week_Column(const QDate& date, Qt::DayOfWeek first) {
    return qint16((date.dayOfWeek() - int(first) + 7) % 7);
}

qint16 Start_Box(qint16 month, qint16 year, qint16 start_day, const QLocale& locale) {
    const QDate first_of_month(year, month, 1);
    if (!first_of_month.isValid())
        return 0;
    return Week_Column(first_of_month, First_Day_Of_Week(start_day, locale));
}

QString Day_Number_Caption(int day) {
    return QLatin1Char(' ') + QString::number(day) + QLatin1Char(' ');
}

QStringList Day_Header_Texts(qint16 start_day, bool single_letters, const QLocale& locale) {
    const int first = int(First_Day_Of_Week(start_day, locale));
    QStringList texts;
    for (int c = 0; c < 7; ++c) {
        const int weekday = (first - 1 + c) % 7 + 1;
        const QString name = locale.dayName(weekday, QLocale::ShortFormat);
        texts << (single_letters ? name.left(1) : name);
    }
    return texts;
}
