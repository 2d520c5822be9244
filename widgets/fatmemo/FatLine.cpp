#include "FatLine.h"

#include "FatLines.h"

#include <algorithm>

namespace platterwise {

TFatLine::TFatLine(TFatLines* owner)
    : FOwner(owner) {}

TFatLine::~TFatLine() = default;

TFatPart& TFatLine::AddPart() {
    auto part = std::make_unique<TFatPart>(this);
    part->OnChange = [this](TFatPart&) { Changed(); };
    TFatPart& added = *part;
    FParts.push_back(std::move(part));
    Changed();
    return added;
}

void TFatLine::DeletePart(int i) {
    CheckListIndex(i, PartCount());
    TFatPart& part = *FParts[std::size_t(i)];
    part.SetUpdating(true);
    if (FOwner)
        FOwner->PartDeleting(part);
    FParts.erase(FParts.begin() + i);
    Changed();
}

void TFatLine::ClearParts() {
    for (int i = PartCount() - 1; i >= 0; --i)
        DeletePart(i);
    SetTotalWidth(0);
}

void TFatLine::SetTotalWidth(int width) {
    if (width == FTotalWidth)
        return;
    const int before = FTotalWidth;
    FTotalWidth = width;
    if (FOwner)
        FOwner->TotalWidthChanged(before, width);
}

TFatPart& TFatLine::Parts(int i) const {
    CheckListIndex(i, PartCount());
    return *FParts[std::size_t(i)];
}

int TFatLine::IndexOfPart(const TFatPart* part) const {
    const auto it = std::find_if(FParts.begin(), FParts.end(),
                                 [part](const auto& p) { return p.get() == part; });
    return it == FParts.end() ? -1 : int(it - FParts.begin());
}

void TFatLine::SetPlainText(const QString& s) {
    ClearParts();
    AddPart().SetText(s);
}

int TFatLine::Index() const {
    return FOwner ? FOwner->IndexOf(this) : -1;
}

void TFatLine::SetUpdating(bool updating) {
    if (StepUpdateCount(FUpdateCount, updating))
        Changed();
}

TFatPart* TFatLine::PartAt(int x, int y) const {
    if (!InFlow(FLayout.Flow, FLayout.LineHeight, FLayout.Clip, x, y))
        return nullptr;
    for (auto it = FParts.rbegin(); it != FParts.rend(); ++it) {
        const TFatLayout& l = (*it)->Layout();
        if (InFlow(l.Flow, l.LineHeight, l.Clip, x, y))
            return it->get();
    }
    return nullptr;
}

void TFatLine::Changed() {
    if (FUpdateCount == 0 && OnChange)
        OnChange(*this);
}

} // namespace platterwise
