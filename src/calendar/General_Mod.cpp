#include "calendar/General_Mod.h"

#include "calendar/AppSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString Four_Digits(int year) {
    return QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
}

QString Two_Digits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

bool Has_Wildcards(const QString& name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

// The classic wildcards of a file name: "*" any run of characters, "?" one character; every
// other character stands for itself (brackets included).
QRegularExpression Wildcard_Pattern(const QString& name) {
    QString pattern;
    for (const QChar c : name) {
        if (c == QLatin1Char('*'))
            pattern += QStringLiteral(".*");
        else if (c == QLatin1Char('?'))
            pattern += QLatin1Char('.');
        else
            pattern += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                              QRegularExpression::DotMatchesEverythingOption);
}

// True when a name in the folder of path matches its wildcard file name.
bool Any_Match(const QString& path, QDir::Filters kinds) {
    const QFileInfo info(path);
    const QDir folder = info.dir();
    if (!folder.exists())
        return false;
    const QRegularExpression pattern = Wildcard_Pattern(info.fileName());
    const QStringList names = folder.entryList(kinds | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (pattern.match(name).hasMatch())
            return true;
    }
    return false;
}

} // namespace

QString Title_Text(const AppSettings& settings, qint16 view_month, qint16 view_year, bool bar_time,
                   const QString& time_format, const QString& date_format, const QDateTime& now,
                   const QLocale& locale) {
    const QDate today = now.date();
    // The view month on today's day; a day past the month's end runs into the next month.
    const QDate shown = Date_Serial(view_year, view_month, today.day());
    const QDate first_of_view = Date_Serial(view_year, view_month, 1);
    const int month = first_of_view.isValid() ? first_of_view.month() : view_month;
    const QString month_name = locale.standaloneMonthName(month, QLocale::LongFormat);

    const bool pack_style = settings.Use_Themes == 1 && settings.Use_Theme_Style == 1;
    if (settings.Style == 2 && !pack_style) {
        const int year = shown.isValid() ? shown.year() : view_year;
        return month_name + QStringLiteral(" - ") + Four_Digits(year);
    }
    if (shown != today)
        return month_name + QStringLiteral(" - ") + QString::number(view_year);

    QString title;
    if (bar_time)
        title = Format_Time(now.time(), time_format, locale) + QStringLiteral(" - ");
    const QString separator = Date_Separator(locale);
    const QString year = Four_Digits(shown.year());
    const QString day_and_suffix = Day_Ordinal_Text(qint16(shown.day()), locale);

    if (date_format == QLatin1String("Use System Format"))
        title += Format_Long_Date(shown, locale);
    else if (date_format == QLatin1String("mm/yyyy"))
        title += Two_Digits(shown.month()) + separator + year;
    else if (date_format == QLatin1String("dd/mm/yyyy"))
        title += Two_Digits(shown.day()) + separator + Two_Digits(shown.month()) + separator + year;
    else if (date_format == QLatin1String("Month - yyyy"))
        title += month_name + QStringLiteral(" - ") + year;
    else if (date_format == QLatin1String("d Month - yyyy"))
        title += day_and_suffix + QLatin1Char(' ') + month_name + QStringLiteral(" - ") + year;
    else if (date_format == QLatin1String("Weekday - d month - yyyy"))
        title += locale.standaloneDayName(today.dayOfWeek(), QLocale::LongFormat) +
                 QLatin1Char(' ') + day_and_suffix + QLatin1Char(' ') + month_name +
                 QStringLiteral(" - ") + year;
    return title;
}

QString Ordinal_Suffix(qint16 n) {
    if (n == 11 || n == 12 || n == 13)
        return QStringLiteral("th");
    switch (qAbs(n % 10)) {
    case 1:
        return QStringLiteral("st");
    case 2:
        return QStringLiteral("nd");
    case 3:
        return QStringLiteral("rd");
    default:
        return QStringLiteral("th");
    }
}

bool File_Exists(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (Has_Wildcards(info.fileName()))
        return Any_Match(path, QDir::Files);
    return info.isFile();
}

bool Dir_Exists(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (Has_Wildcards(info.fileName()))
        return Any_Match(path, QDir::Files | QDir::Dirs);
    return info.exists();
}
