// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the memo's last layout put on screen, row by row, and which pixels a new layout
// changes: so that a change of the lines repaints only the rows it touches, moves rows that
// only moved, and paints nothing when nothing visible changed.
#include "FatTypes.h"

#include <QRegion>
#include <cstdint>
#include <vector>

namespace platterwise {

class TFatLine;

// One line of a layout: the rows it covers, from its first row's top to its last row's
// bottom, the whole width of the content area.
struct TFatFrameLine {
    const TFatLine* Line; // only compared, never followed: the line may be gone
    std::uint64_t Revision;
    int Index;
    int Top;
    int Bottom;
    bool Blank; // draws nothing: its rows show the background
};

struct TFatFrame {
    // False until a full paint; whatever is on screen is then unknown.
    bool Valid = false;
    TFatRect Clip; // the content area: lines draw only inside it
    // Drawing from the top, the lines reached below the bottom edge, so a line added at the
    // end is out of sight.
    bool Full = false;
    // A line holds a picture, which may reach outside its own rows.
    bool Pictures = false;
    bool Highlight = false;           // laid out while a selection was being dragged
    std::vector<TFatFrameLine> Lines; // by ascending index

    // The entry of `line`, or null.
    const TFatFrameLine* Find(const TFatLine* line) const;
};

// How to bring the screen from `before` to `after`.
struct TFatFrameChange {
    bool Whole = false; // repaint the whole content area
    int Dy = 0;         // first move the content area's pixels this far down (up when < 0)
    QRegion Dirty;      // then repaint this
};

// Pixels of a line's rows depend only on its revision, the content area, the memo's settings
// and the selection being shown; every pixel outside the lines' rows is background. The
// settings are the caller's to compare: a change of them repaints everything anyway.
TFatFrameChange CompareFrames(const TFatFrame& before, const TFatFrame& after);

} // namespace platterwise
