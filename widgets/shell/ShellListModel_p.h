// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The model behind the list's views: rows and columns as the list holds them, and every
// cell fetched from the row's item when a view asks for it.
#include <QAbstractTableModel>

namespace platterwise {

class TCustomShellListView;

class TShellListModel final : public QAbstractTableModel {
public:
    explicit TShellListModel(TCustomShellListView* owner);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Bulk updates of rows and columns.
    void BeginUpdate();
    void EndUpdate();
    void RowChanged(int row);
    // From now on the model has no rows and no columns and never calls its owner: the owner
    // is being destroyed while its views, which read the model, are still alive.
    void Detach();

private:
    TCustomShellListView* owner_; // null once detached
    int updates_ = 0;
};

} // namespace platterwise
