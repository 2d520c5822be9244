// SPDX-License-Identifier: GPL-3.0-or-later
#include "ALSkins.h"

#include "ALButton.h"
#include "ALComboBox.h"
#include "ALEdit.h"

namespace platterwise {
namespace {

constexpr TColor kActiveFrame = 0x6B2408;
constexpr TColor kPressedFace = 0xB59284;
constexpr TColor kHighlightedFace = 0xCEBAB5;
constexpr TColor kNormalFrame = 0xC6A69C;
constexpr TColor kNormalFace = 0xE7D3CE;
constexpr TColor kDisabledFrame = 0xBAC7C9;
constexpr TColor kDisabledFace = 0xE1E9EA;
constexpr TColor kDisabledText = 0x808080;
constexpr TColor kDisabledMark = 0x9F9F9F; // also the grey box's tick and a disabled box's text
constexpr TColor kGreyBox = 0xC8D0D4;
constexpr TColor kDisabledArrow = 0xC3CAC8;
constexpr TColor kText = clBlack;

// Sets a colour through `set` only when it differs; true when it changed.
template <class Control, class Setter>
bool Change(Control* control, TColor current, TColor wanted, Setter set) {
    if (current == wanted) {
        return false;
    }
    (control->*set)(wanted);
    return true;
}

// The font-colour rule the list and edit skins share: black when enabled, grey when not.
template <class Control>
void ApplyTextColor(Control* c, bool& Continue, bool ChangeFontColor) {
    if (!ChangeFontColor) {
        return;
    }
    const TColor wanted = c->isEnabled() ? kText : kDisabledText;
    if (Change(c, c->FontColor(), wanted, &Control::SetFontColor)) {
        Continue = false;
    }
}

} // namespace

void PaintButtonSkin(QObject* Sender, bool& Continue, bool ChangeFontColor) {
    auto* b = qobject_cast<TALButton*>(Sender);
    if (b == nullptr) {
        return;
    }
    TColor frame = b->BorderColor();
    TColor face = b->Color();
    TColor text = kText;
    const bool highlighted = b->hasFocus() || b->IsHot();
    if (!b->isEnabled()) {
        frame = kDisabledFrame;
        face = kDisabledFace;
        text = kDisabledText;
    } else if (b->State() == cbChecked ||
               (b->State() == cbUnchecked && (b->IsMouseDown() || b->IsKeyDown()))) {
        frame = kActiveFrame;
        face = kPressedFace;
    } else if (b->State() == cbUnchecked && highlighted) {
        frame = kActiveFrame;
        face = kHighlightedFace;
    } else if (b->State() == cbUnchecked) {
        frame = kNormalFrame;
        face = kNormalFace;
    }
    bool changed = false;
    if (ChangeFontColor) {
        changed |= Change(b, b->FontColor(), text, &TALButton::SetFontColor);
    }
    changed |= Change(b, b->Color(), face, &TALButton::SetColor);
    Change(b, b->BorderColor(), frame, &TALButton::SetBorderColor);
    if (changed) {
        Continue = false;
    }
}

void PaintCheckBoxSkin(QObject* Sender, bool& Continue, bool ChangeFontColor) {
    auto* c = qobject_cast<TALCheckBox*>(Sender);
    if (c == nullptr) {
        return;
    }
    const bool grey = c->State() == cbGrayed;
    const TColor enabledMark = grey ? kDisabledMark : kText;
    TColor mark = enabledMark;
    TColor frame = kNormalFrame;
    TColor box = clWhite;
    TColor text = kText;
    if (!c->isEnabled()) {
        mark = kDisabledMark;
        frame = kDisabledFrame;
        box = kDisabledFace;
        text = kDisabledMark;
    } else if (c->IsMouseDown() || c->IsKeyDown()) {
        frame = kActiveFrame;
        box = kPressedFace;
    } else if (c->hasFocus() || c->IsHot()) {
        frame = kActiveFrame;
        box = kHighlightedFace;
    } else if (c->State() == cbChecked) {
        frame = kActiveFrame;
    } else if (grey) {
        box = kGreyBox;
    }
    Change(c, c->MarkColor(), mark, &TALCheckBox::SetMarkColor);
    Change(c, c->BorderColor(), frame, &TALCheckBox::SetBorderColor);
    Change(c, c->BlankColor(), box, &TALCheckBox::SetBlankColor);
    if (ChangeFontColor && Change(c, c->FontColor(), text, &TALCheckBox::SetFontColor)) {
        Continue = false;
    }
}

void PaintComboBoxSkin(QObject* Sender, bool& Continue, bool ChangeFontColor) {
    auto* c = qobject_cast<TALComboBox*>(Sender);
    if (c == nullptr) {
        return;
    }
    TColor frame = kNormalFrame;
    TColor button = kNormalFace;
    TColor arrow = kText;
    if (!c->isEnabled()) {
        frame = kDisabledFrame;
        button = kDisabledFace;
        arrow = kDisabledArrow;
    } else if (c->DroppedDown()) {
        frame = kActiveFrame;
        button = kPressedFace;
        arrow = clWhite;
    } else if (c->hasFocus() || c->IsFocused() || c->IsHot()) {
        frame = kActiveFrame;
        button = kHighlightedFace;
    }
    Change(c, c->BorderColor(), frame, &TALComboBox::SetBorderColor);
    Change(c, c->ButtonColor(), button, &TALComboBox::SetButtonColor);
    Change(c, c->ArrowColor(), arrow, &TALComboBox::SetArrowColor);
    ApplyTextColor(c, Continue, ChangeFontColor);
}

void PaintEditSkin(QObject* Sender, bool& Continue, bool ChangeFontColor) {
    auto* e = qobject_cast<TALEdit*>(Sender);
    if (e == nullptr) {
        return;
    }
    TColor frame = kNormalFrame;
    TColor button = kNormalFace;
    if (!e->isEnabled()) {
        frame = kDisabledFrame;
        button = kDisabledFace;
    } else if (e->IsButtonPressed()) {
        frame = kActiveFrame;
        button = kPressedFace;
    } else if (e->hasFocus() || e->IsHot()) {
        frame = kActiveFrame;
        button = kHighlightedFace;
    }
    Change(e, e->BorderColor(), frame, &TALEdit::SetBorderColor);
    Change(e, e->btnColor(), button, &TALEdit::SetBtnColor);
    ApplyTextColor(e, Continue, ChangeFontColor);
}

} // namespace platterwise
