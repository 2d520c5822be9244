// SPDX-License-Identifier: GPL-3.0-or-later
#include "ALButton.h"

#include "FlatButtonDraw.h"
#include "FlatControl_p.h"

#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

namespace platterwise {

TALCustomButton::TALCustomButton(QWidget* parent)
    : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    resize(75, 25);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (OnClick) {
            OnClick(this);
        }
    });
}

TALCustomButton::~TALCustomButton() = default;

void TALCustomButton::SetCaption(const QString& caption) {
    if (caption == text()) {
        return;
    }
    setText(caption); // also binds Alt+access key to this button
    AdjustAutoSize();
    Invalidate();
}

void TALCustomButton::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        Invalidate();
    }
}

void TALCustomButton::SetFontColor(TColor color) {
    if (color != fontColor_) {
        fontColor_ = color;
        Invalidate();
    }
}

void TALCustomButton::SetBorderColor(TColor color) {
    if (color != borderColor_) {
        borderColor_ = color;
        AdjustAutoSize(); // clNone drops the frame allowance
        Invalidate();
    }
}

void TALCustomButton::SetBoxColors(TColor blank, TColor mark) {
    if (blank != blankColor_ || mark != markColor_) {
        blankColor_ = blank;
        markColor_ = mark;
        Invalidate();
    }
}

void TALCustomButton::SetState(TCheckBoxState state) {
    if (state == state_) {
        return;
    }
    state_ = state;
    if (state == cbChecked && groupIndex_ != 0) {
        UncheckGroupSiblings();
    }
    Invalidate();
}

void TALCustomButton::UncheckGroupSiblings() {
    if (parentWidget() == nullptr) {
        return;
    }
    const auto siblings =
        parentWidget()->findChildren<TALCustomButton*>(Qt::FindDirectChildrenOnly);
    for (TALCustomButton* other : siblings) {
        if (other != this && other->groupIndex_ == groupIndex_) {
            other->SetState(cbUnchecked);
        }
    }
}

void TALCustomButton::SetGroupIndex(int index) {
    groupIndex_ = index;
    if (state_ == cbChecked && groupIndex_ != 0) {
        UncheckGroupSiblings();
    }
}

void TALCustomButton::SetFocusStyle(TALFocusStyle style) {
    if (style != focusStyle_) {
        focusStyle_ = style;
        AdjustAutoSize();
        Invalidate();
    }
}

void TALCustomButton::SetLayout(TButtonLayout layout) {
    if (layout != layout_) {
        layout_ = layout;
        AdjustAutoSize();
        Invalidate();
    }
}

void TALCustomButton::SetSpacing(int spacing) {
    if (spacing != spacing_) {
        spacing_ = spacing;
        AdjustAutoSize();
        Invalidate();
    }
}

void TALCustomButton::SetGlyph(const QList<QPixmap>& images) {
    glyph_ = images;
    AdjustAutoSize();
    Invalidate();
}

void TALCustomButton::SetGlyphIndex(int index) {
    if (index != glyphIndex_) {
        glyphIndex_ = index;
        AdjustAutoSize();
        Invalidate();
    }
}

void TALCustomButton::SetAutoSize(bool on) {
    if (on != autoSize_) {
        autoSize_ = on;
        AdjustAutoSize();
        Invalidate();
    }
}

void TALCustomButton::SetDefault(bool on) {
    if (on == default_) {
        return;
    }
    default_ = on;
    if (on) {
        for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
            defaultShortcuts_.append(grabShortcut(QKeySequence(key), Qt::WindowShortcut));
        }
    } else {
        for (const int id : defaultShortcuts_) {
            releaseShortcut(id);
        }
        defaultShortcuts_.clear();
    }
}

void TALCustomButton::SetCancel(bool on) {
    if (on == cancel_) {
        return;
    }
    cancel_ = on;
    if (on) {
        cancelShortcut_ = grabShortcut(QKeySequence(Qt::Key_Escape), Qt::WindowShortcut);
    } else {
        releaseShortcut(cancelShortcut_);
        cancelShortcut_ = 0;
    }
}

void TALCustomButton::Toggle() {
    SetState(state_ == cbChecked ? cbUnchecked : cbChecked);
}

TButtonKind TALCustomButton::Kind() const {
    return bkPushButton;
}

TFlatButtonLook TALCustomButton::MakeLook() const {
    using flat_p::ResolveColor;
    TFlatButtonLook look;
    look.Kind = Kind();
    look.State = state_;
    look.Color = ResolveColor(color_);
    look.BorderColor = ResolveColor(borderColor_);
    look.BlankColor = ResolveColor(blankColor_);
    look.MarkColor = ResolveColor(markColor_);
    look.FontColor = ResolveColor(fontColor_);
    look.Font = font();
    look.Caption = text();
    if (glyphIndex_ >= 0 && glyphIndex_ < glyph_.size()) {
        look.Glyph = glyph_[glyphIndex_];
    }
    look.Layout = layout_;
    look.Spacing = spacing_;
    look.FocusStyle = focusStyle_;
    look.Focused = hasFocus();
    look.AutoSize = autoSize_;
    look.Size = size();
    return look;
}

QSize TALCustomButton::sizeHint() const {
    return LayOutFlatButton(MakeLook()).AutoSize;
}

void TALCustomButton::AdjustAutoSize() {
    if (!autoSize_) {
        return;
    }
    const QSize wanted = LayOutFlatButton(MakeLook()).AutoSize;
    if (wanted != size()) {
        resize(wanted);
    }
}

void TALCustomButton::paintEvent(QPaintEvent*) {
    flat_p::RunPaintPasses(this, OnPaint, [] {});
    const TFlatButtonLook look = MakeLook();
    const TFlatButtonGeometry geometry = LayOutFlatButton(look);
    if (autoSize_ && geometry.AutoSize != size()) {
        resize(geometry.AutoSize); // the resize paints again
        return;
    }
    QPainter painter(this);
    DrawFlatButton(painter, look, geometry);
}

bool TALCustomButton::SomethingHeld() {
    return QGuiApplication::mouseButtons() != Qt::NoButton;
}

void TALCustomButton::HandleDialogKey(bool ambiguous) {
    Invalidate();
    if (!isEnabled() || focusPolicy() == Qt::NoFocus || SomethingHeld() || keyDown_ || mouseDown_) {
        return;
    }
    if (ambiguous) { // two controls share the key: move to this one, click none
        setFocus(Qt::ShortcutFocusReason);
    } else {
        Click();
    }
}

bool TALCustomButton::event(QEvent* e) {
    // Every shortcut this button receives is its own: the access key bound by setText, or
    // Return, Enter and Esc for a Default or Cancel button.
    if (e->type() == QEvent::Shortcut) {
        HandleDialogKey(static_cast<QShortcutEvent*>(e)->isAmbiguous());
        return true;
    }
    return QAbstractButton::event(e);
}

void TALCustomButton::changeEvent(QEvent* e) {
    switch (e->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) { // a disabled control sees no release that would clear these
            mouseDown_ = keyDown_ = false;
        }
        Invalidate();
        break;
    case QEvent::FontChange:
        AdjustAutoSize();
        Invalidate();
        break;
    default:
        break;
    }
    QAbstractButton::changeEvent(e);
}

void TALCustomButton::enterEvent(QEnterEvent* e) {
    hot_ = true;
    Invalidate();
    QAbstractButton::enterEvent(e);
}

void TALCustomButton::leaveEvent(QEvent* e) {
    hot_ = mouseDown_ = keyDown_ = false;
    Invalidate();
    QAbstractButton::leaveEvent(e);
}

void TALCustomButton::focusInEvent(QFocusEvent* e) {
    Invalidate();
    QAbstractButton::focusInEvent(e);
}

void TALCustomButton::focusOutEvent(QFocusEvent* e) {
    keyDown_ = false; // Space released elsewhere never reaches this control
    Invalidate();
    QAbstractButton::focusOutEvent(e);
}

void TALCustomButton::keyPressEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_Space && e->key() != Qt::Key_Select) {
        QAbstractButton::keyPressEvent(e);
        return;
    }
    if (e->key() == Qt::Key_Space && e->modifiers() == Qt::NoModifier && !e->isAutoRepeat() &&
        !SomethingHeld() && !mouseDown_) {
        keyDown_ = true;
        Invalidate();
    }
    e->accept();
}

void TALCustomButton::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_Space && e->key() != Qt::Key_Select) {
        QAbstractButton::keyReleaseEvent(e);
        return;
    }
    e->accept();
    if (e->isAutoRepeat() || !keyDown_) {
        return;
    }
    keyDown_ = false;
    Invalidate();
    Click();
}

void TALCustomButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    if (!keyDown_) {
        mouseDown_ = true;
        Invalidate();
    }
    e->accept();
}

void TALCustomButton::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    e->accept();
    const bool wasDown = mouseDown_;
    mouseDown_ = false;
    Invalidate();
    if (wasDown && hitButton(e->position().toPoint())) {
        Click();
    }
}

void TALCustomButton::nextCheckState() {
    const QPointer<TALCustomButton> alive(this);
    if (focusPolicy() != Qt::NoFocus) {
        setFocus(Qt::OtherFocusReason);
    }
    if (Kind() != bkPushButton) {
        Toggle();
        return;
    }
    if (modalResult_ != 0) {
        if (auto* dialog = qobject_cast<QDialog*>(window())) {
            dialog->done(modalResult_);
        }
    }
    if (!alive) {
        return;
    }
    if (groupIndex_ != 0) {
        SetState(state_ == cbChecked ? cbUnchecked : cbChecked);
    } else {
        SetState(cbUnchecked);
    }
}

} // namespace platterwise
