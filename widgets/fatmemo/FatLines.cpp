#include "FatLines.h"

#include "FatMemo.h"

#include <algorithm>

namespace platterwise {

TFatLines::TFatLines(TFatMemo* memo)
    : memo_(memo) {}

TFatLines::~TFatLines() {
    // The memo is going away too: destroy quietly, without hooks or notifications.
    memo_ = nullptr;
    OnChange = nullptr;
    lines_.clear();
}

TFatLine& TFatLines::Add() {
    auto line = std::make_unique<TFatLine>(this);
    line->OnChange = [this](TFatLine& changed) { LineChanged(changed); };
    TFatLine& added = *line;
    lines_.push_back(std::move(line));
    Changed();
    return added;
}

int TFatLines::AddLine(const QString& s) {
    TFatLine& line = Add();
    line.SetPlainText(s);
    return line.Index();
}

void TFatLines::Delete(int i) {
    CheckListIndex(i, Count());
    TFatLine& line = *lines_[std::size_t(i)];
    line.SetUpdating(true);
    if (memo_) {
        memo_->LineDeleting(line);
    }
    if (line.TotalWidth() == widest_) {
        widestKnown_ = false;
    }
    lines_.erase(lines_.begin() + i);
    Changed();
}

void TFatLines::Clear() {
    for (int i = Count() - 1; i >= 0; --i) {
        Delete(i);
    }
}

TFatLine& TFatLines::Items(int i) const {
    CheckListIndex(i, Count());
    return *lines_[std::size_t(i)];
}

int TFatLines::IndexOf(const TFatLine* line) const {
    const auto it = std::find_if(lines_.begin(), lines_.end(),
                                 [line](const auto& l) { return l.get() == line; });
    return it == lines_.end() ? -1 : int(it - lines_.begin());
}

int TFatLines::WidestLine() const {
    if (!widestKnown_) {
        widest_ = 0;
        for (const auto& line : lines_) {
            widest_ = std::max(widest_, line->TotalWidth());
        }
        widestKnown_ = true;
    }
    return widest_;
}

void TFatLines::TotalWidthChanged(int before, int after) {
    if (after >= widest_) {
        widest_ = after; // the stale value was never below the true one
        widestKnown_ = true;
    } else if (before == widest_) {
        widestKnown_ = false;
    }
}

void TFatLines::LineChanged(TFatLine& line) {
    if (Count() <= MaxLines) {
        Changed();
        return;
    }
    // The oldest line goes; but never the line whose change is being reported, which is
    // still running its own operation and would be destroyed under it.
    Delete(lines_.front().get() == &line ? 1 : 0);
}

void TFatLines::PartDeleting(TFatPart& part) {
    if (memo_) {
        memo_->PartDeleting(part);
    }
}

void TFatLines::Changed() {
    if (OnChange) {
        OnChange();
    }
}

} // namespace platterwise
