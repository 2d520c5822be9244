#include "FatPart.h"

#include "FatLayout_p.h"
#include "FatLine.h"

namespace platterwise {

TFatPart::TFatPart(TFatLine* owner)
    : FOwner(owner) {
    Reset();
}

void TFatPart::Reset() {
    FKind = pkNone;
    FText.clear();
    FFontStyle = 0;
    FGraphic = nullptr;
    FLink.clear();
    FFontColor = clNone;
    FBackColor = clNone;
    FTextCache = {};
}

void TFatPart::SetText(const QString& s) {
    if (FKind == pkText && FText == s)
        return;
    Reset();
    FKind = pkText;
    FText = s;
    Changed();
}

void TFatPart::SetLink(const QString& s) {
    if (s == FLink)
        return;
    FLink = s;
    Changed();
}

void TFatPart::SetFontColor(TColor c) {
    if (FKind == pkColor && FFontColor == c)
        return;
    const TColor back = FBackColor;
    Reset();
    FBackColor = back;
    FFontColor = c;
    FKind = pkColor;
    Changed();
}

void TFatPart::SetBackColor(TColor c) {
    if (FKind == pkColor && FBackColor == c)
        return;
    const TColor font = FFontColor;
    Reset();
    FFontColor = font;
    FBackColor = c;
    FKind = pkColor;
    Changed();
}

void TFatPart::SetFontStyle(TFontStyles st) {
    if (FKind == pkStyle && FFontStyle == st)
        return;
    Reset();
    FKind = pkStyle;
    FFontStyle = st;
    Changed();
}

void TFatPart::SetGraphic(const QImage* graphic) {
    if (FKind == pkImage && FGraphic == graphic)
        return;
    Reset();
    FKind = pkImage;
    FGraphic = graphic;
    Changed();
}

void TFatPart::Delete() {
    FOwner->DeletePart(Index());
}

int TFatPart::Index() const {
    return FOwner ? FOwner->IndexOfPart(this) : -1;
}

void TFatPart::SetUpdating(bool updating) {
    if (StepUpdateCount(FUpdateCount, updating))
        Changed();
}

int TFatPart::CharAt(int x, int y) const {
    return ProbePartChar(*this, x, y);
}

void TFatPart::Changed() {
    if (FUpdateCount == 0 && OnChange)
        OnChange(*this);
}

} // namespace platterwise
