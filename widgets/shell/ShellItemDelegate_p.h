// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws the list's items as Qt does, but gives every item the one size of the view style's
// grid, so that laying out a long list never asks a row for its text.
#include <QStyledItemDelegate>

namespace platterwise {

class TShellItemDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void SetItemSize(QSize size) { itemSize_ = size; }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return itemSize_.isValid() ? itemSize_ : QStyledItemDelegate::sizeHint(option, index);
    }

private:
    QSize itemSize_;
};

} // namespace platterwise
