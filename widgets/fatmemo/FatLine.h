// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One memo line: an ordered list of parts, drawn left to right, wrapping when asked to.
#include "FatPart.h"
#include "FatTypes.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace platterwise {

class TFatLines;

class TFatLine final {
public:
    // A new line belongs to `owner` (null for a free-standing line) and has no parts.
    explicit TFatLine(TFatLines* owner);
    ~TFatLine();
    TFatLine(const TFatLine&) = delete;
    TFatLine& operator=(const TFatLine&) = delete;

    TFatLines* Owner() const { return owner_; }

    // Appends an empty part owned by the line and returns it.
    TFatPart& AddPart();
    // Destroys part `i`. Throws EListError for an index outside the list.
    void DeletePart(int i);
    void ClearParts();
    int PartCount() const { return int(parts_.size()); }
    // Throws EListError for an index outside the list.
    TFatPart& Parts(int i) const;
    int IndexOfPart(const TFatPart* part) const; // -1 when not in this line

    // The line becomes one text part holding `s` (no bracket: each step notifies).
    void SetPlainText(const QString& s);
    // The line becomes the parts that the control codes in `s` describe, with one
    // notification at the end. Defaults come from the owning memo's font and colour.
    void SetTaggedText(const QString& s);

    int Index() const; // position in the owning collection, -1 without an owner
    // Height in pixels of the rows the last layout gave the line; 0 before any layout.
    int Height() const { return layout_.Flow.Bottom - layout_.Flow.Top; }
    // Brackets changes: while raised, neither the line nor its parts notify; lowering it
    // back to 0 sends one notification.
    void SetUpdating(bool updating);

    // The part under the point as the last layout placed the parts, or null.
    TFatPart* PartAt(int x, int y) const;

    // Called with the line after each change; installed by the owning collection.
    std::function<void(TFatLine&)> OnChange;

    // Written by the layout pass.
    TFatLayout& Layout() { return layout_; }
    const TFatLayout& Layout() const { return layout_; }
    int TotalWidth() const { return totalWidth_; } // sum of the part widths at the last layout
    void SetTotalWidth(int width);

    // Changes whenever the line or one of its parts reports a change, inside an update bracket
    // too; no two lines ever share a value. The memo compares it to see which rows a change
    // touched.
    std::uint64_t Revision() const { return revision_; }

private:
    void Changed();

    TFatLines* owner_;
    std::vector<std::unique_ptr<TFatPart>> parts_;
    int totalWidth_ = 0;
    int updateCount_ = 0;
    std::uint64_t revision_;
    TFatLayout layout_;
};

} // namespace platterwise
