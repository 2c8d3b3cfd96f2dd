#include "events/gui/OverviewModel.h"

#include <utility>

OverviewModel::OverviewModel(QObject* parent) : QAbstractListModel(parent) {}

void OverviewModel::Set_Overview(Overview overview, SortOrder order) {
    beginResetModel();
    overview_ = std::move(overview);
    reversed_ = order == SortOrder::Descending_Date;
    locale_ = QLocale();
    endResetModel();
}

void OverviewModel::Clear() {
    Set_Overview(Overview(), SortOrder::Ascending_Date);
}

qsizetype OverviewModel::Entry_Index(int row) const {
    const qsizetype count = overview_.entries.size();
    if (row < 0 || row >= count)
        return -1;
    return reversed_ ? count - 1 - row : row;
}

const OverviewEntry* OverviewModel::Entry_At(int row) const {
    const qsizetype at = Entry_Index(row);
    return at < 0 ? nullptr : &overview_.entries.at(at);
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
    endRemoveRows();
}

int OverviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(overview_.entries.size());
}

QVariant OverviewModel::data(const QModelIndex& index, int role) const {
    const OverviewEntry* entry = Entry_At(index.row());
    if (!entry || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    return Overview_Line(*entry, locale_);
}
