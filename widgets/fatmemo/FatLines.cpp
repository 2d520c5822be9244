#include "FatLines.h"

#include "FatMemo.h"

#include <algorithm>

namespace platterwise {

TFatLines::TFatLines(TFatMemo* memo)
    : FMemo(memo) {}

TFatLines::~TFatLines() {
    // The memo is going away too: destroy quietly, without hooks or notifications.
    FMemo = nullptr;
    OnChange = nullptr;
    FLines.clear();
}

TFatLine& TFatLines::Add() {
    auto line = std::make_unique<TFatLine>(this);
    line->OnChange = [this](TFatLine& changed) { LineChanged(changed); };
    TFatLine& added = *line;
    FLines.push_back(std::move(line));
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
    TFatLine& line = *FLines[std::size_t(i)];
    line.SetUpdating(true);
    if (FMemo)
        FMemo->LineDeleting(line);
    if (line.TotalWidth() == FWidest)
        FWidestKnown = false;
    FLines.erase(FLines.begin() + i);
    Changed();
}

void TFatLines::Clear() {
    for (int i = Count() - 1; i >= 0; --i)
        Delete(i);
}

TFatLine& TFatLines::Items(int i) const {
    CheckListIndex(i, Count());
    return *FLines[std::size_t(i)];
}

int TFatLines::IndexOf(const TFatLine* line) const {
    const auto it = std::find_if(FLines.begin(), FLines.end(),
                                 [line](const auto& l) { return l.get() == line; });
    return it == FLines.end() ? -1 : int(it - FLines.begin());
}

int TFatLines::WidestLine() const {
    if (!FWidestKnown) {
        FWidest = 0;
        for (const auto& line : FLines)
            FWidest = std::max(FWidest, line->TotalWidth());
        FWidestKnown = true;
    }
    return FWidest;
}

void TFatLines::TotalWidthChanged(int before, int after) {
    if (after >= FWidest) {
        FWidest = after; // the stale value was never below the true one
        FWidestKnown = true;
    } else if (before == FWidest) {
        FWidestKnown = false;
    }
}

void TFatLines::LineChanged(TFatLine& line) {
    if (Count() <= MaxLines) {
        Changed();
        return;
    }
    // The oldest line goes; but never the line whose change is being reported, which is
    // still running its own operation and would be destroyed under it.
    Delete(FLines.front().get() == &line ? 1 : 0);
}

void TFatLines::PartDeleting(TFatPart& part) {
    if (FMemo)
        FMemo->PartDeleting(part);
}

void TFatLines::Changed() {
    if (OnChange)
        OnChange();
}

} // namespace platterwise
