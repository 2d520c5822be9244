// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Qt views inside the shell list: a QListView for the icon and list styles and a
// QTableView for the report style. They hand keys, double-clicks, context-menu requests and
// type-ahead to the list after their own handling. A click on a selected row starts a rename
// only when that row was the one selected row before the press, as in every file list.
#include "widgets/shell/ShellListView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QTableView>

namespace platterwise {

template <typename Base>
class TShellInnerView final : public Base {
public:
    explicit TShellInnerView(TCustomShellListView* owner)
        : Base(owner)
        , owner_(owner) {}

    void keyboardSearch(const QString& text) override { owner_->ViewTypeAhead(text); }
    bool Editing() const { return this->state() == QAbstractItemView::EditingState; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        // Keys the name editor lets through (Enter, after it has queued its commit) belong to
        // the edit, not to the list.
        const bool editing = Editing();
        Base::keyPressEvent(event);
        if (!editing) {
            owner_->ViewKeyDown(event);
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QModelIndex index = this->indexAt(event->position().toPoint());
        const QModelIndexList selected = this->selectionModel()->selectedRows();
        lonePress_ = event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier &&
                     selected.size() == 1 && index.isValid() && selected[0].row() == index.row();
        Base::mousePressEvent(event);
    }
    bool edit(const QModelIndex& index, QAbstractItemView::EditTrigger trigger,
              QEvent* event) override {
        if (trigger == QAbstractItemView::SelectedClicked && !lonePress_) {
            return false;
        }
        return Base::edit(index, trigger, event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        Base::mouseDoubleClickEvent(event);
        owner_->ViewDoubleClicked();
    }
    void contextMenuEvent(QContextMenuEvent* event) override {
        if (!owner_->ViewContextMenu(event, this->viewport())) {
            Base::contextMenuEvent(event);
        }
    }

private:
    TCustomShellListView* owner_;
    bool lonePress_ = false; // the last press hit the one selected row, without modifiers
};

} // namespace platterwise
