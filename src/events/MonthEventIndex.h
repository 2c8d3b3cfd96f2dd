#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// One well-formed record of calendar.dat, taken apart once.
struct IndexedEvent {
    qint16 day = 0;
    qint16 month = 0;
    qint16 year = 0;
    // Place in the file: 0 for the first record.
    qint32 number = 0;
    // The stored text (each "&" doubled) as a range of the index's decoded file.
    qsizetype text_from = 0;
    qsizetype text_size = 0;
};

// The records of calendar.dat sorted by month, read in one pass over the file, so that the month
// view can be rebuilt without reading the file again. Reading stops at the first malformed record
// as the month view does: the records before it are kept, and Malformed() tells it was met.
class MonthEventIndex {
  public:
    MonthEventIndex() = default;
    explicit MonthEventIndex(const QByteArray& bytes);

    // The well-formed records before the first malformed one.
    qsizetype Count() const { return count_; }
    // True when reading stopped at a malformed record; its number is then Count().
    bool Malformed() const { return malformed_; }

    // The records shown in month/year, in file order: that year's and the every-year ones.
    QList<IndexedEvent> Month(qint16 month, qint16 year) const;
    // The records that fall on date, in file order.
    QList<IndexedEvent> Day(const QDate& date) const;
    QStringView Text(const IndexedEvent& event) const {
        return QStringView(text_).sliced(event.text_from, event.text_size);
    }

  private:
    QString text_;
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
// want_alert no alert is chosen.
MonthPlan Plan_Month(const MonthEventIndex& index, qint16 month, qint16 year, int first_box,
                     int box_count, const QDate& today, bool want_alert);
