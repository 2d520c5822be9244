// SPDX-License-Identifier: GPL-3.0-or-later
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
    Changed({TFatLinesChange::ckAdded, Count() - 1, nullptr});
    return added;
}

int TFatLines::AddLine(const QString& s) {
    TFatLine& line = Add();
    line.SetPlainText(s);
    return line.Index();
}

void TFatLines::Delete(int i) {
    DeleteAt(i, nullptr);
}

void TFatLines::DeleteAt(int i, const TFatLine* changed) {
    CheckListIndex(i, Count());
    TFatLine& line = *lines_[std::size_t(i)];
    line.SetUpdating(true);
    if (memo_) {
        memo_->LineDeleting(line);
    }
    TotalWidthChanged(line.TotalWidth(), 0);
    lines_.erase(lines_.begin() + i);
    Changed({TFatLinesChange::ckDeleted, i, changed});
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
    const auto it = std::find_if(lines_.rbegin(), lines_.rend(),
                                 [line](const auto& l) { return l.get() == line; });
    return it == lines_.rend() ? -1 : int(lines_.rend() - it) - 1;
}

int TFatLines::WidestLine() const {
    return widths_.empty() ? 0 : widths_.rbegin()->first;
}

void TFatLines::TotalWidthChanged(int before, int after) {
    if (before == after) {
        return;
    }
    if (before > 0) {
        const auto it = widths_.find(before);
        if (it != widths_.end() && --it->second == 0) {
            widths_.erase(it);
        }
    }
    if (after > 0) {
        ++widths_[after];
    }
}

void TFatLines::LineChanged(TFatLine& line) {
    if (Count() <= MaxLines) {
        Changed({TFatLinesChange::ckLineChanged, -1, &line});
        return;
    }
    // The oldest line goes; but never the line whose change is being reported, which is
    // still running its own operation and would be destroyed under it.
    DeleteAt(lines_.front().get() == &line ? 1 : 0, &line);
}

void TFatLines::PartDeleting(TFatPart& part) {
    if (memo_) {
        memo_->PartDeleting(part);
    }
}

void TFatLines::Changed(const TFatLinesChange& change) {
    if (OnChange) {
        OnChange(change);
    }
}

} // namespace platterwise
