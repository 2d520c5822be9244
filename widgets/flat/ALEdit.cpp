// SPDX-License-Identifier: GPL-3.0-or-later
#include "ALEdit.h"

#include "FlatControl_p.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace platterwise {

using flat_p::ResolveColor;

bool IsSingleLineText(const QString& text) {
    return !text.contains(u'\r') && !text.contains(u'\n');
}

namespace {

bool ClipboardIsSingleLine(QClipboard::Mode mode) {
    return IsSingleLineText(QGuiApplication::clipboard()->text(mode));
}

bool IsSingleLineDrop(const QMimeData* data) {
    return data == nullptr || !data->hasText() || IsSingleLineText(data->text());
}

// The standard menu's paste entry (named only since Qt 6.5, so its caption is checked too).
bool IsPasteAction(const QAction* action) {
    return action->objectName() == QLatin1String("edit-paste") ||
           action->text().startsWith(QLineEdit::tr("&Paste"));
}

} // namespace

TALCustomEdit::TALCustomEdit(QWidget* parent)
    : QLineEdit(parent) {
    setFrame(false); // the flat frame takes the place of the style's
    ApplyPalette();
    UpdateTextMargins();
}

TALCustomEdit::~TALCustomEdit() = default;

void TALCustomEdit::SetColorField(TColor& field, TColor value) {
    if (field == value) {
        return;
    }
    field = value;
    ApplyPalette();
    update();
}

void TALCustomEdit::SetColor(TColor color) {
    SetColorField(color_, color);
}
void TALCustomEdit::SetFontColor(TColor color) {
    SetColorField(fontColor_, color);
}
void TALCustomEdit::SetBorderColor(TColor color) {
    SetColorField(borderColor_, color);
}
void TALCustomEdit::SetBtnColor(TColor color) {
    SetColorField(btnColor_, color);
}

void TALCustomEdit::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    const Qt::Alignment horizontal = alignment == taRightJustify ? Qt::AlignRight
                                     : alignment == taCenter     ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignVCenter);
}

void TALCustomEdit::SetBtnFont(const QFont& font) {
    btnFont_ = font;
    update();
}

void TALCustomEdit::SetBtnVisible(bool on) {
    if (on == btnVisible_) {
        return;
    }
    btnVisible_ = on;
    buttonPressed_ = false;
    UpdateTextMargins();
    update();
}

void TALCustomEdit::SetBtnWidth(int width) {
    btnWidth_ = std::max(0, width);
    UpdateTextMargins();
    update();
}

void TALCustomEdit::SetBtnCaption(const QString& caption) {
    btnCaption_ = caption;
    update();
}

void TALCustomEdit::SetGlyph(const QList<QPixmap>& images) {
    glyph_ = images;
    update();
}

void TALCustomEdit::SetGlyphIndex(int index) {
    glyphIndex_ = index;
    update();
}

// Background and text in every colour group: a disabled edit shows the font colour it has
// been given (the skins give it grey).
void TALCustomEdit::ApplyPalette() {
    QPalette pal = palette();
    const QColor back = ResolveColor(color_);
    const QColor text = ResolveColor(fontColor_);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        if (back.isValid()) {
            pal.setColor(group, QPalette::Base, back);
            pal.setColor(group, QPalette::Window, back);
        }
        if (text.isValid()) {
            pal.setColor(group, QPalette::Text, text);
        }
    }
    if (pal != palette()) {
        setPalette(pal);
    }
}

// The text keeps clear of the embedded button and its one-pixel gap.
void TALCustomEdit::UpdateTextMargins() {
    setTextMargins(0, 0, btnVisible_ ? btnWidth_ + 1 : 0, 0);
}

QRect TALCustomEdit::ButtonRect() const {
    if (!btnVisible_) {
        return {};
    }
    return {width() - 1 - btnWidth_, 1, btnWidth_, height() - 2};
}

void TALCustomEdit::PaintNative(QPaintEvent* e) {
    ApplyPalette();
    {
        QPainter p(this);
        const QColor back = ResolveColor(color_);
        if (back.isValid()) {
            p.fillRect(rect(), back); // wipes an earlier pass
        }
    }
    QLineEdit::paintEvent(e);
}

void TALCustomEdit::PaintFlatParts() {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor frame = ResolveColor(borderColor_ == clNone ? color_ : borderColor_);
    if (frame.isValid()) {
        p.setPen(frame);
        p.drawRect(0, 0, width() - 1, height() - 1);
    }
    const QRect button = ButtonRect();
    if (button.isEmpty()) {
        return;
    }
    const QColor face = ResolveColor(btnColor_);
    if (face.isValid()) {
        p.fillRect(button, face);
    }
    if (glyphIndex_ >= 0 && glyphIndex_ < glyph_.size()) {
        const QPixmap& glyph = glyph_[glyphIndex_];
        const QSize size = glyph.deviceIndependentSize().toSize();
        p.drawPixmap(button.left() + (button.width() - size.width()) / 2,
                     button.top() + (button.height() - size.height()) / 2, glyph);
    } else if (!btnCaption_.isEmpty()) {
        p.setFont(btnFont_);
        p.setPen(ResolveColor(fontColor_));
        p.drawText(button, Qt::AlignCenter | Qt::TextSingleLine, btnCaption_);
    }
}

void TALCustomEdit::paintEvent(QPaintEvent* e) {
    flat_p::RunPaintPasses(this, OnPaint, [this, e] { PaintNative(e); });
    PaintFlatParts();
}

void TALCustomEdit::resizeEvent(QResizeEvent* e) {
    QLineEdit::resizeEvent(e);
    update();
}

void TALCustomEdit::enterEvent(QEnterEvent* e) {
    hot_ = true;
    update();
    QLineEdit::enterEvent(e);
}

void TALCustomEdit::leaveEvent(QEvent* e) {
    hot_ = false;
    update();
    QLineEdit::leaveEvent(e);
}

void TALCustomEdit::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    // Coming back from a context menu is not a new focus: keep the caret and selection.
    if (e->reason() != Qt::PopupFocusReason) {
        deselect();
        end(false);
    }
    update();
}

void TALCustomEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    update();
}

void TALCustomEdit::Paste() {
    if (!isReadOnly() && ClipboardIsSingleLine(QClipboard::Clipboard)) {
        paste();
    }
}

void TALCustomEdit::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Paste)) {
        Paste();
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TALCustomEdit::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && ButtonRect().contains(e->position().toPoint())) {
        buttonPressed_ = true;
        update();
        e->accept();
        return;
    }
    QLineEdit::mousePressEvent(e);
}

void TALCustomEdit::mouseMoveEvent(QMouseEvent* e) {
    if (buttonPressed_) {
        e->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(e);
}

void TALCustomEdit::mouseReleaseEvent(QMouseEvent* e) {
    if (buttonPressed_ && e->button() == Qt::LeftButton) {
        buttonPressed_ = false;
        update();
        e->accept();
        if (ButtonRect().contains(e->position().toPoint()) && OnButtonClick) {
            OnButtonClick(this);
        }
        return;
    }
    // A middle click pastes the X11 selection; it obeys the same rule as any paste.
    if (e->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
        !ClipboardIsSingleLine(QClipboard::Selection)) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void TALCustomEdit::mouseDoubleClickEvent(QMouseEvent* e) {
    if (ButtonRect().contains(e->position().toPoint())) {
        mousePressEvent(e);
        return;
    }
    QLineEdit::mouseDoubleClickEvent(e);
}

void TALCustomEdit::contextMenuEvent(QContextMenuEvent* e) {
    QMenu* menu = createStandardContextMenu();
    if (menu == nullptr) {
        return;
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto actions = menu->actions();
    for (QAction* action : actions) {
        if (!IsPasteAction(action)) {
            continue;
        }
        action->setEnabled(action->isEnabled() && ClipboardIsSingleLine(QClipboard::Clipboard));
        action->disconnect(); // the clipboard may change while the menu is open
        connect(action, &QAction::triggered, this, &TALCustomEdit::Paste);
    }
    menu->popup(e->globalPos());
}

void TALCustomEdit::dragEnterEvent(QDragEnterEvent* e) {
    if (!IsSingleLineDrop(e->mimeData())) {
        e->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(e);
}

void TALCustomEdit::dragMoveEvent(QDragMoveEvent* e) {
    if (!IsSingleLineDrop(e->mimeData())) {
        e->ignore();
        return;
    }
    QLineEdit::dragMoveEvent(e);
}

void TALCustomEdit::dropEvent(QDropEvent* e) {
    if (!IsSingleLineDrop(e->mimeData())) {
        e->ignore();
        return;
    }
    QLineEdit::dropEvent(e);
}

} // namespace platterwise
