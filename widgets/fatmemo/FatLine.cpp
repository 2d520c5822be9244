// SPDX-License-Identifier: GPL-3.0-or-later
#include "FatLine.h"

#include "FatLines.h"

#include <algorithm>

namespace platterwise {

namespace {

// Lines live on the user-interface thread only.
std::uint64_t NextRevision() {
    static std::uint64_t last = 0;
    return ++last;
}

} // namespace

TFatLine::TFatLine(TFatLines* owner)
    : owner_(owner)
    , revision_(NextRevision()) {}

TFatLine::~TFatLine() = default;

TFatPart& TFatLine::AddPart() {
    auto part = std::make_unique<TFatPart>(this);
    part->OnChange = [this](TFatPart&) { Changed(); };
    TFatPart& added = *part;
    parts_.push_back(std::move(part));
    Changed();
    return added;
}

void TFatLine::DeletePart(int i) {
    CheckListIndex(i, PartCount());
    TFatPart& part = *parts_[std::size_t(i)];
    part.SetUpdating(true);
    if (owner_) {
        owner_->PartDeleting(part);
    }
    parts_.erase(parts_.begin() + i);
    Changed();
}

void TFatLine::ClearParts() {
    for (int i = PartCount() - 1; i >= 0; --i) {
        DeletePart(i);
    }
    SetTotalWidth(0);
}

void TFatLine::SetTotalWidth(int width) {
    if (width == totalWidth_) {
        return;
    }
    const int before = totalWidth_;
    totalWidth_ = width;
    if (owner_) {
        owner_->TotalWidthChanged(before, width);
    }
}

TFatPart& TFatLine::Parts(int i) const {
    CheckListIndex(i, PartCount());
    return *parts_[std::size_t(i)];
}

int TFatLine::IndexOfPart(const TFatPart* part) const {
    const auto it = std::find_if(parts_.begin(), parts_.end(),
                                 [part](const auto& p) { return p.get() == part; });
    return it == parts_.end() ? -1 : int(it - parts_.begin());
}

void TFatLine::SetPlainText(const QString& s) {
    ClearParts();
    AddPart().SetText(s);
}

int TFatLine::Index() const {
    return owner_ ? owner_->IndexOf(this) : -1;
}

void TFatLine::SetUpdating(bool updating) {
    if (StepUpdateCount(updateCount_, updating)) {
        Changed();
    }
}

TFatPart* TFatLine::PartAt(int x, int y) const {
    if (!InFlow(layout_.Flow, layout_.LineHeight, layout_.Clip, x, y)) {
        return nullptr;
    }
    for (auto it = parts_.rbegin(); it != parts_.rend(); ++it) {
        const TFatLayout& l = (*it)->Layout();
        if (InFlow(l.Flow, l.LineHeight, l.Clip, x, y)) {
            return it->get();
        }
    }
    return nullptr;
}

void TFatLine::Changed() {
    revision_ = NextRevision();
    if (updateCount_ == 0 && OnChange) {
        OnChange(*this);
    }
}

} // namespace platterwise
