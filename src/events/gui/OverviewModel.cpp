#include "events/gui/OverviewModel.h"

#include "calendar/General_Mod.h"

#include <algorithm>
#include <utility>

OverviewModel::OverviewModel(QObject* parent) : QAbstractListModel(parent) {}

void OverviewModel::Set_Overview(Overview overview, SortOrder order) {
    beginResetModel();
    overview_ = std::move(overview);
    order_ = order;
    locale_ = QLocale();
    Make_Rows();
    endResetModel();
}

void OverviewModel::Set_Remote(QList<RemoteOverviewLine> remote) {
    beginResetModel();
    remote_ = std::move(remote);
    Make_Rows();
    endResetModel();
}

void OverviewModel::Clear() {
    Set_Overview(Overview(), SortOrder::Ascending_Date);
}

// The entries are in the order of their sort keys: ascending by date for both date orders, so
// the remote events merge in by date (the notes first on a day), and "Descending Date" shows
// the merged rows from last to first.
void OverviewModel::Make_Rows() {
    rows_.clear();
    const qsizetype own = overview_.entries.size();
    const bool by_date = order_ != SortOrder::Date_Added;
    qsizetype o = 0;
    qsizetype r = 0;
    while (o < own || r < remote_.size()) {
        const bool take_own =
            r >= remote_.size() ||
            (o < own && (!by_date || overview_.entries.at(o).date <= remote_.at(r).date));
        rows_.append(take_own ? Row{false, o++} : Row{true, r++});
    }
    if (order_ == SortOrder::Descending_Date)
        std::reverse(rows_.begin(), rows_.end());
}

qsizetype OverviewModel::Entry_Index(int row) const {
    if (row < 0 || row >= rows_.size() || rows_.at(row).remote)
        return -1;
    return rows_.at(row).index;
}

const OverviewEntry* OverviewModel::Entry_At(int row) const {
    const qsizetype at = Entry_Index(row);
    return at < 0 ? nullptr : &overview_.entries.at(at);
}

QDate OverviewModel::Date_At(int row) const {
    if (row < 0 || row >= rows_.size())
        return {};
    const Row& shown = rows_.at(row);
    return shown.remote ? remote_.at(shown.index).date : overview_.entries.at(shown.index).date;
}

QString OverviewModel::Record_At(int row) const {
    const OverviewEntry* entry = Entry_At(row);
    return entry ? overview_.records.value(entry->record) : QString();
}

void OverviewModel::Remove_Row(int row) {
    const qsizetype at = Entry_Index(row);
    if (at < 0)
        return;
    beginRemoveRows(QModelIndex(), row, row);
    overview_.entries.removeAt(at);
    rows_.removeAt(row);
    for (Row& other : rows_)
        if (!other.remote && other.index > at)
            --other.index;
    endRemoveRows();
}

int OverviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant OverviewModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (row < 0 || row >= rows_.size() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    const Row& shown = rows_.at(row);
    if (!shown.remote)
        return Overview_Line(overview_.entries.at(shown.index), locale_);
    const RemoteOverviewLine& remote = remote_.at(shown.index);
    return Format_Short_Date(remote.date, locale_) + QStringLiteral("  -  ") + remote.text;
}
