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
        if (OnClick)
            OnClick(this);
    });
}

TALCustomButton::~TALCustomButton() = default;

void TALCustomButton::SetCaption(const QString& caption) {
    if (caption == text())
        return;
    setText(caption); // also binds Alt+access key to this button
    AdjustAutoSize();
    Invalidate();
}

void TALCustomButton::SetColor(TColor color) {
    if (color != fColor) {
        fColor = color;
        Invalidate();
    }
}

void TALCustomButton::SetFontColor(TColor color) {
    if (color != fFontColor) {
        fFontColor = color;
        Invalidate();
    }
}

void TALCustomButton::SetBorderColor(TColor color) {
    if (color != fBorderColor) {
        fBorderColor = color;
        AdjustAutoSize(); // clNone drops the frame allowance
        Invalidate();
    }
}

void TALCustomButton::SetBoxColors(TColor blank, TColor mark) {
    if (blank != fBlankColor || mark != fMarkColor) {
        fBlankColor = blank;
        fMarkColor = mark;
        Invalidate();
    }
}

void TALCustomButton::SetState(TCheckBoxState state) {
    if (state == fState)
        return;
    fState = state;
    if (state == cbChecked && fGroupIndex != 0)
        UncheckGroupSiblings();
    Invalidate();
}

void TALCustomButton::UncheckGroupSiblings() {
    if (parentWidget() == nullptr)
        return;
    const auto siblings =
        parentWidget()->findChildren<TALCustomButton*>(Qt::FindDirectChildrenOnly);
    for (TALCustomButton* other : siblings)
        if (other != this && other->fGroupIndex == fGroupIndex)
            other->SetState(cbUnchecked);
}

void TALCustomButton::SetGroupIndex(int index) {
    fGroupIndex = index;
    if (fState == cbChecked && fGroupIndex != 0)
        UncheckGroupSiblings();
}

void TALCustomButton::SetFocusStyle(TALFocusStyle style) {
    if (style != fFocusStyle) {
        fFocusStyle = style;
        AdjustAutoSize();
        Invalidate();
    }
}

void TALCustomButton::SetLayout(TButtonLayout layout) {
    if (layout != fLayout) {
        fLayout = layout;
        AdjustAutoSize();
        Invalidate();
    }
}

void TALCustomButton::SetSpacing(int spacing) {
    if (spacing != fSpacing) {
        fSpacing = spacing;
        AdjustAutoSize();
        Invalidate();
    }
}

void TALCustomButton::SetGlyph(const QList<QPixmap>& images) {
    fGlyph = images;
    AdjustAutoSize();
    Invalidate();
}

void TALCustomButton::SetGlyphIndex(int index) {
    if (index != fGlyphIndex) {
        fGlyphIndex = index;
        AdjustAutoSize();
        Invalidate();
    }
}

void TALCustomButton::SetAutoSize(bool on) {
    if (on != fAutoSize) {
        fAutoSize = on;
        AdjustAutoSize();
        Invalidate();
    }
}

void TALCustomButton::SetDefault(bool on) {
    if (on == fDefault)
        return;
    fDefault = on;
    if (on) {
        for (const auto key : {Qt::Key_Return, Qt::Key_Enter})
            fDefaultShortcuts.append(grabShortcut(QKeySequence(key), Qt::WindowShortcut));
    } else {
        for (const int id : fDefaultShortcuts)
            releaseShortcut(id);
        fDefaultShortcuts.clear();
    }
}

void TALCustomButton::SetCancel(bool on) {
    if (on == fCancel)
        return;
    fCancel = on;
    if (on) {
        fCancelShortcut = grabShortcut(QKeySequence(Qt::Key_Escape), Qt::WindowShortcut);
    } else {
        releaseShortcut(fCancelShortcut);
        fCancelShortcut = 0;
    }
}

void TALCustomButton::Toggle() {
    SetState(fState == cbChecked ? cbUnchecked : cbChecked);
}

TButtonKind TALCustomButton::Kind() const {
    return bkPushButton;
}

TFlatButtonLook TALCustomButton::MakeLook() const {
    using flat_p::ResolveColor;
    TFlatButtonLook look;
    look.Kind = Kind();
    look.State = fState;
    look.Color = ResolveColor(fColor);
    look.BorderColor = ResolveColor(fBorderColor);
    look.BlankColor = ResolveColor(fBlankColor);
    look.MarkColor = ResolveColor(fMarkColor);
    look.FontColor = ResolveColor(fFontColor);
    look.Font = font();
    look.Caption = text();
    if (fGlyphIndex >= 0 && fGlyphIndex < fGlyph.size())
        look.Glyph = fGlyph[fGlyphIndex];
    look.Layout = fLayout;
    look.Spacing = fSpacing;
    look.FocusStyle = fFocusStyle;
    look.Focused = hasFocus();
    look.AutoSize = fAutoSize;
    look.Size = size();
    return look;
}

QSize TALCustomButton::sizeHint() const {
    return LayOutFlatButton(MakeLook()).AutoSize;
}

void TALCustomButton::AdjustAutoSize() {
    if (!fAutoSize)
        return;
    const QSize wanted = LayOutFlatButton(MakeLook()).AutoSize;
    if (wanted != size())
        resize(wanted);
}

void TALCustomButton::paintEvent(QPaintEvent*) {
    flat_p::RunPaintPasses(this, OnPaint, [] {});
    const TFlatButtonLook look = MakeLook();
    const TFlatButtonGeometry geometry = LayOutFlatButton(look);
    if (fAutoSize && geometry.AutoSize != size()) {
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
    if (!isEnabled() || focusPolicy() == Qt::NoFocus || SomethingHeld() || fKeyDown || fMouseDown)
        return;
    if (ambiguous) // two controls share the key: move to this one, click none
        setFocus(Qt::ShortcutFocusReason);
    else
        Click();
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
        if (!isEnabled()) // a disabled control sees no release that would clear these
            fMouseDown = fKeyDown = false;
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
    fHot = true;
    Invalidate();
    QAbstractButton::enterEvent(e);
}

void TALCustomButton::leaveEvent(QEvent* e) {
    fHot = fMouseDown = fKeyDown = false;
    Invalidate();
    QAbstractButton::leaveEvent(e);
}

void TALCustomButton::focusInEvent(QFocusEvent* e) {
    Invalidate();
    QAbstractButton::focusInEvent(e);
}

void TALCustomButton::focusOutEvent(QFocusEvent* e) {
    fKeyDown = false; // Space released elsewhere never reaches this control
    Invalidate();
    QAbstractButton::focusOutEvent(e);
}

void TALCustomButton::keyPressEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_Space && e->key() != Qt::Key_Select) {
        QAbstractButton::keyPressEvent(e);
        return;
    }
    if (e->key() == Qt::Key_Space && e->modifiers() == Qt::NoModifier && !e->isAutoRepeat() &&
        !SomethingHeld() && !fMouseDown) {
        fKeyDown = true;
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
    if (e->isAutoRepeat() || !fKeyDown)
        return;
    fKeyDown = false;
    Invalidate();
    Click();
}

void TALCustomButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    if (!fKeyDown) {
        fMouseDown = true;
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
    const bool wasDown = fMouseDown;
    fMouseDown = false;
    Invalidate();
    if (wasDown && hitButton(e->position().toPoint()))
        Click();
}

void TALCustomButton::nextCheckState() {
    const QPointer<TALCustomButton> alive(this);
    if (focusPolicy() != Qt::NoFocus)
        setFocus(Qt::OtherFocusReason);
    if (Kind() != bkPushButton) {
        Toggle();
        return;
    }
    if (fModalResult != 0)
        if (auto* dialog = qobject_cast<QDialog*>(window()))
            dialog->done(fModalResult);
    if (!alive)
        return;
    if (fGroupIndex != 0)
        SetState(fState == cbChecked ? cbUnchecked : cbChecked);
    else
        SetState(cbUnchecked);
}

} // namespace platterwise
