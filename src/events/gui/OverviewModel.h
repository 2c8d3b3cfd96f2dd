#pragma once

#include "events/Overview.h"
#include "remote/RemoteLink.h"

#include <QAbstractListModel>
#include <QLocale>

// The lines of the events overview for a list view. The entries stay in the order of the
// overview's sort keys; "Descending Date" shows them from the last to the first. A line's text is
// made only when the view asks for it, so a very large calendar.dat fills the list at once.
// The remote calendars' events are listed among them by date (after the notes for "Date Added"),
// marked with their calendar's name; they are no entries of the overview: nothing removes or
// exports them.
class OverviewModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit OverviewModel(QObject* parent = nullptr);

    // Shows overview (its entries in key order) in order.
    void Set_Overview(Overview overview, SortOrder order);
    void Clear();
    // The remote events to list among the notes, by date; kept over later Set_Overview calls.
    void Set_Remote(QList<RemoteOverviewLine> remote);
    const Overview& Current() const { return overview_; }

    // The entry a row shows; nullptr for a remote event's row or a row outside the list.
    const OverviewEntry* Entry_At(int row) const;
    // The day a row shows, a remote event's too; invalid outside the list.
    QDate Date_At(int row) const;
    // The record (as read) that a row's entry came from.
    QString Record_At(int row) const;
    // Takes the line of a row out of the list.
    void Remove_Row(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    qsizetype Entry_Index(int row) const;
    // One row: an entry of the overview, or a remote event.
    struct Row {
        bool remote = false;
        qsizetype index = 0;
    };
    void Make_Rows();

    Overview overview_;
    QList<RemoteOverviewLine> remote_;
    QList<Row> rows_;
    SortOrder order_ = SortOrder::Ascending_Date;
    bool reversed_ = false;
    QLocale locale_;
};
