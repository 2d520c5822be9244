#include "FormDesign.h"

#include "widgets/flat/ALSkins.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QWidget>

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
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
}

} // namespace platterwise
