#pragma once

#include "events/Overview.h"

#include <QAbstractListModel>
#include <QLocale>

// The lines of the events overview for a list view. The entries stay in the order of the
// overview's sort keys; "Descending Date" shows them from the last to the first. A line's text is
// made only when the view asks for it, so a very large calendar.dat fills the list at once.
class OverviewModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit OverviewModel(QObject* parent = nullptr);

    // Shows overview (its entries in key order) in order.
    void Set_Overview(Overview overview, SortOrder order);
    void Clear();
    const Overview& Current() const { return overview_; }

    // The entry a row shows; nullptr for a row outside the list.
    const OverviewEntry* Entry_At(int row) const;
    // The record (as read) that a row's entry came from.
    QString Record_At(int row) const;
    // Takes the line of a row out of the list.
    void Remove_Row(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    qsizetype Entry_Index(int row) const;

    Overview overview_;
    bool reversed_ = false;
    QLocale locale_;
};
