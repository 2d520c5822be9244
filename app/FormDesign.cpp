// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormDesign.h"

#include "widgets/flat/ALSkins.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QWidget>
#include <algorithm>

namespace platterwise {

void ButtonPaint(QObject* Sender, bool& Continue) {
    PaintButtonSkin(Sender, Continue, true);
}
void CheckBoxPaint(QObject* Sender, bool& Continue) {
    PaintCheckBoxSkin(Sender, Continue, true);
}
void ComboBoxPaint(QObject* Sender, bool& Continue) {
    PaintComboBoxSkin(Sender, Continue, true);
}
void EditPaint(QObject* Sender, bool& Continue) {
    PaintEditSkin(Sender, Continue, true);
}

namespace {

class FixedHeightDelegate final : public QStyledItemDelegate {
public:
    FixedHeightDelegate(int height, QObject* parent)
        : QStyledItemDelegate(parent)
        , height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    int height_;
};

} // namespace

void SetItemHeight(QComboBox& list, int height) {
    list.view()->setItemDelegate(new FixedHeightDelegate(height, &list));
}

void CenterOnScreen(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    QPoint at = area.center() - window.rect().center();
    // A window larger than the screen (a high scale factor on a small screen) hangs over the
    // right and bottom edges, never the top and left ones: its title bar, which moves it and
    // holds its close box, stays reachable.
    at.setX(std::max(at.x(), area.left()));
    at.setY(std::max(at.y(), area.top()));
    window.move(at);
}

} // namespace platterwise
