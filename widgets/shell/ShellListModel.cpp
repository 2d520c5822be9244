// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellListModel_p.h"
#include "platform/Exceptions.h"
#include "platform/ShellIcons.h"
#include "widgets/shell/ShellListView.h"

namespace platterwise {

TShellListModel::TShellListModel(TCustomShellListView* owner)
    : QAbstractTableModel(owner)
    , owner_(owner) {}

int TShellListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || owner_ == nullptr ? 0 : owner_->ItemCount();
}

int TShellListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || owner_ == nullptr ? 0 : std::max(1, owner_->ColumnCount());
}

QVariant TShellListModel::data(const QModelIndex& index, int role) const {
    if (owner_ == nullptr || !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const int column = index.column();
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment h =
            column < owner_->ColumnCount() ? owner_->Column(column).alignment : Qt::AlignLeft;
        return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    const bool text = role == Qt::DisplayRole || role == Qt::EditRole;
    const bool image = role == Qt::DecorationRole && column == 0;
    if (!text && !image) {
        return {};
    }
    TFetchedItem item;
    try {
        if (!owner_->FetchItem(index.row(), text && column == 0, image, item)) {
            return {};
        }
    } catch (const Exception&) {
        // An item that vanished since the listing shows empty details until the reload.
        if (column != 0) {
            return QString();
        }
    }
    if (image) {
        return TShellImageList::Instance().Icon(item.image);
    }
    return column == 0 ? item.caption : item.subItems.value(column - 1);
}

QVariant TShellListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (owner_ == nullptr || orientation != Qt::Horizontal || section < 0 ||
        section >= owner_->ColumnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole) {
        return owner_->Column(section).caption;
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(owner_->Column(section).alignment | Qt::AlignVCenter);
    }
    return {};
}

Qt::ItemFlags TShellListModel::flags(const QModelIndex& index) const {
    if (owner_ == nullptr || !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (index.column() == 0 && !owner_->ReadOnly()) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

bool TShellListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (owner_ == nullptr || role != Qt::EditRole || index.column() != 0 ||
        !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return false;
    }
    owner_->LabelEdited(index.row(), value.toString());
    return true;
}

void TShellListModel::BeginUpdate() {
    if (updates_++ == 0) {
        beginResetModel();
    }
}

void TShellListModel::EndUpdate() {
    if (--updates_ == 0) {
        endResetModel();
    }
}

void TShellListModel::Detach() {
    beginResetModel();
    owner_ = nullptr;
    endResetModel();
}

void TShellListModel::RowChanged(int row) {
    if (row >= 0 && row < rowCount()) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
}

} // namespace platterwise
