// SPDX-License-Identifier: GPL-3.0-or-later
#include "FatPart.h"

#include "FatLayout_p.h"
#include "FatLine.h"

namespace platterwise {

TFatPart::TFatPart(TFatLine* owner)
    : owner_(owner) {
    Reset();
}

void TFatPart::Reset() {
    kind_ = pkNone;
    text_.clear();
    fontStyle_ = 0;
    graphic_ = nullptr;
    link_.clear();
    fontColor_ = clNone;
    backColor_ = clNone;
    textCache_.reset();
}

void TFatPart::SetText(const QString& s) {
    if (kind_ == pkText && text_ == s) {
        return;
    }
    Reset();
    kind_ = pkText;
    text_ = s;
    Changed();
}

void TFatPart::SetLink(const QString& s) {
    if (s == link_) {
        return;
    }
    link_ = s;
    Changed();
}

void TFatPart::SetFontColor(TColor c) {
    if (kind_ == pkColor && fontColor_ == c) {
        return;
    }
    const TColor back = backColor_;
    Reset();
    backColor_ = back;
    fontColor_ = c;
    kind_ = pkColor;
    Changed();
}

void TFatPart::SetBackColor(TColor c) {
    if (kind_ == pkColor && backColor_ == c) {
        return;
    }
    const TColor font = fontColor_;
    Reset();
    fontColor_ = font;
    backColor_ = c;
    kind_ = pkColor;
    Changed();
}

void TFatPart::SetFontStyle(TFontStyles st) {
    if (kind_ == pkStyle && fontStyle_ == st) {
        return;
    }
    Reset();
    kind_ = pkStyle;
    fontStyle_ = st;
    Changed();
}

void TFatPart::SetGraphic(const QImage* graphic) {
    if (kind_ == pkImage && graphic_ == graphic) {
        return;
    }
    Reset();
    kind_ = pkImage;
    graphic_ = graphic;
    Changed();
}

void TFatPart::Delete() {
    owner_->DeletePart(Index());
}

int TFatPart::Index() const {
    return owner_ ? owner_->IndexOfPart(this) : -1;
}

void TFatPart::SetUpdating(bool updating) {
    if (StepUpdateCount(updateCount_, updating)) {
        Changed();
    }
}

TFatPart::TTextCache& TFatPart::TextCache() {
    if (!textCache_) {
        textCache_ = std::make_unique<TTextCache>();
    }
    return *textCache_;
}

int TFatPart::CharAt(int x, int y) const {
    return ProbePartChar(*this, x, y);
}

void TFatPart::Changed() {
    if (updateCount_ == 0 && OnChange) {
        OnChange(*this);
    }
}

} // namespace platterwise
