// Counting the events of calendar.dat. The pass runs on every activation of the settings
// window, so it reads the records as views into the decoded file and keeps no text.
#include "events/EventStats.h"

#include "events/EventStore.h"

const QStringList& Month_Titles() {
    static const QStringList titles{
        QStringLiteral("Jan: "),  QStringLiteral("Feb: "), QStringLiteral("Mar: "),
        QStringLiteral("Apr: "),  QStringLiteral("May: "), QStringLiteral("Jun: "),
        QStringLiteral("July: "), QStringLiteral("Aug: "), QStringLiteral("Sep: "),
        QStringLiteral("Oct: "),  QStringLiteral("Nov: "), QStringLiteral("Dec: ")};
    return titles;
}

bool Parse_Dated_Record(QStringView record, EventDay* out, bool keep_text) {
    EventDay event;
    if (!Parse_Event_Record(record, &event, keep_text))
        return false;
    if (event.year < 1)
        return false;
    // An every-year day is checked against a leap year, so 29 February is a day it may have.
    const int year = event.year == Every_Year ? 2000 : event.year;
    if (!QDate(year, event.month, event.day).isValid())
        return false;
    *out = std::move(event);
    return true;
}

void Workout_Stats(EventStats& stats, const EventDay& event, const QDate& today) {
    const qsizetype month = event.month - 1;
    if (event.year == Every_Year) {
        ++stats.months[month];
        return;
    }
    const qint64 days = today.daysTo(QDate(event.year, event.month, event.day));
    if (days < 0)
        ++stats.before_today;
    else if (days > 0)
        ++stats.after_today;
    ++stats.total;
    if (event.year == today.year()) {
        ++stats.this_year;
        ++stats.months[month];
    }
}

StatsPass Stats_Of_Text(QStringView text, const QDate& today) {
    StatsPass pass;
    For_Each_Event_Record(text, [&](QStringView record) {
        EventDay event;
        if (!Parse_Dated_Record(record, &event, false)) {
            pass.ok = false;
            return false;
        }
        Workout_Stats(pass.stats, event, today);
        return true;
    });
    return pass;
}

StatsPass Read_Stats(const QString& path, const QDate& today) {
    QByteArray data;
    const bool read = Read_Event_Bytes(path, &data);
    const QString text = Decode_Event_File(data);
    StatsPass pass = Stats_Of_Text(text, today);
    pass.ok = pass.ok && read;
    return pass;
}

StatsLabels Stats_Label_Texts(const EventStats& stats, const QStringList& titles) {
    StatsLabels labels;
    labels.total_all = QStringLiteral("Total Events: ") + QString::number(stats.total);
    labels.total_year = QStringLiteral("Events This Year: ") + QString::number(stats.this_year);
    labels.before = QStringLiteral("No. Before Today: ") + QString::number(stats.before_today);
    labels.after = QStringLiteral("No. After Today: ") + QString::number(stats.after_today);
    for (qsizetype i = 0; i < 12; ++i)
        labels.months[size_t(i)] = titles.value(i) + QString::number(stats.months[size_t(i)]);
    return labels;
}
