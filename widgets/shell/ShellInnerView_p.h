#pragma once
// The Qt views inside the shell list: a QListView for the icon and list styles and a
// QTableView for the report style. They hand keys, double-clicks, context-menu requests and
// type-ahead to the list after their own handling.
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
        Base::keyPressEvent(event);
        owner_->ViewKeyDown(event);
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
};

} // namespace platterwise
