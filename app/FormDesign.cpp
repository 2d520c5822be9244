#include "FormDesign.h"

#include "widgets/flat/ALSkins.h"

#include <QGuiApplication>
#include <QScreen>
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

void CenterOnScreen(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace platterwise
