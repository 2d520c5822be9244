// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The memo's lines, top line first. Keeps at most MaxLines lines once a line's content has
// changed, dropping the oldest.
#include "FatLine.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace platterwise {

class TFatMemo;

// What one change notification of the collection is about.
struct TFatLinesChange {
    enum TKind : std::uint8_t {
        ckAdded,       // line Index was appended
        ckDeleted,     // line Index went; the lines after it moved up by one
        ckLineChanged, // the content of Line changed
    };
    TKind Kind;
    int Index;
    // ckLineChanged: the changed line. ckDeleted: the line whose change made the line limit
    // drop line Index, or null for a plain deletion.
    const TFatLine* Line;
};

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
    // -1 when not in the collection. Searches from the newest line, where lines are changed.
    int IndexOf(const TFatLine* line) const;
    // The largest TotalWidth of all lines (0 without lines).
    int WidestLine() const;

    // Called after each change with what changed; installed by the memo.
    std::function<void(const TFatLinesChange&)> OnChange;

private:
    friend class TFatLine;
    void DeleteAt(int i, const TFatLine* changed);
    void LineChanged(TFatLine& line);
    void PartDeleting(TFatPart& part);
    void TotalWidthChanged(int before, int after);
    void Changed(const TFatLinesChange& change);

    TFatMemo* memo_;
    std::vector<std::unique_ptr<TFatLine>> lines_;
    // How many lines have each TotalWidth above 0, so the widest is known at once whatever
    // goes.
    std::map<int, int> widths_;
};

} // namespace platterwise
