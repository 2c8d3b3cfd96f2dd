#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// One well-formed record of calendar.dat that a month rebuild needs, taken apart once.
struct IndexedEvent {
    qint16 day = 0;
    qint16 month = 0;
    qint16 year = 0;
    // Place in the file: 0 for the first record.
    qint32 number = 0;
    // The stored text (each "&" doubled): its place among the index's texts.
    qint32 text = 0;
};

// What a rebuild of one month needs of calendar.dat, found in one pass over the file's bytes:
// the records shown in the month (its own and the every-year ones) and those falling on today,
// for the alert. Only their texts are decoded and kept; every other record is looked at in
// place (its key only), so neither the file nor its decoded text is kept. Reading stops at the
// first malformed record as the month view does: the records before it count, and Malformed()
// tells it was met.
class MonthEventIndex {
  public:
    MonthEventIndex() = default;
    MonthEventIndex(const QByteArray& bytes, qint16 month, qint16 year, const QDate& today);

    // The well-formed records before the first malformed one, kept or not.
    qsizetype Count() const { return count_; }
    // True when reading stopped at a malformed record; its number is then Count().
    bool Malformed() const { return malformed_; }

    // The records shown in month/year, in file order: that year's and the every-year ones. Only
    // the month the index was made for is known.
    QList<IndexedEvent> Month(qint16 month, qint16 year) const;
    // The records that fall on date, in file order. Only the shown month and today are known.
    QList<IndexedEvent> Day(const QDate& date) const;
    QStringView Text(const IndexedEvent& event) const { return texts_.at(event.text); }

  private:
    QList<QString> texts_;
    QHash<quint32, QList<IndexedEvent>> months_;
    qsizetype count_ = 0;
    bool malformed_ = false;
};

// What rebuilding the month does, in the order a plain pass over the file would do it: the days
// to show before the alert, the alert, and the days to show after it. Each list holds only the
// last record of a day (a later record of a day replaces the caption of an earlier one), in file
// order. load_error: the pass stopped at a malformed record or at a day no box can hold.
struct MonthPlan {
    QList<IndexedEvent> before_alert;
    std::optional<IndexedEvent> alert;
    QList<IndexedEvent> after_alert;
    bool load_error = false;
};

// first_box: the box index of day 1 of month/year; box_count: the boxes of the grid. Without
// want_alert no alert is chosen. The index must be made for month/year and today.
MonthPlan Plan_Month(const MonthEventIndex& index, qint16 month, qint16 year, int first_box,
                     int box_count, const QDate& today, bool want_alert);
