#pragma once
// The memo's lines, top line first. Keeps at most MaxLines lines once a line's content has
// changed, dropping the oldest.
#include "FatLine.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace platterwise {

class TFatMemo;

class TFatLines final {
public:
    static constexpr int MaxLines = 9999;

    // `memo` owns the collection; null for a collection without a memo (plain defaults).
    explicit TFatLines(TFatMemo* memo);
    ~TFatLines();
    TFatLines(const TFatLines&) = delete;
    TFatLines& operator=(const TFatLines&) = delete;

    TFatMemo* Memo() const { return memo_; }

    // Appends an empty line and returns it.
    TFatLine& Add();
    // Appends a line of plain text and returns its index.
    int AddLine(const QString& s);
    // Destroys line `i` with its parts. Throws EListError for an index outside the list.
    void Delete(int i);
    // Deletes every line, last first, notifying once per line.
    void Clear();
    int Count() const { return int(lines_.size()); }
    // Throws EListError for an index outside the list.
    TFatLine& Items(int i) const;
    int IndexOf(const TFatLine* line) const; // -1 when not in the collection
    // The largest TotalWidth of all lines (0 without lines).
    int WidestLine() const;

    // Called after each change; installed by the memo.
    std::function<void()> OnChange;

private:
    friend class TFatLine;
    void LineChanged(TFatLine& line);
    void PartDeleting(TFatPart& part);
    void TotalWidthChanged(int before, int after);
    void Changed();

    TFatMemo* memo_;
    std::vector<std::unique_ptr<TFatLine>> lines_;
    // Kept as lines are laid out, so painting need not visit every line; when the widest
    // line shrinks or goes, it is found again on the next request.
    mutable int widest_ = 0;
    mutable bool widestKnown_ = true;
};

} // namespace platterwise
