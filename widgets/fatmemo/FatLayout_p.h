// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lays out lines and parts on a canvas, drawing them unless told only to measure, and finds
// the character under a point again from a part's last layout.
#include "FatTypes.h"

namespace platterwise {

class TFatCanvas;
class TFatLine;
class TFatPart;

// The range dragged over by the pointer, both ends included.
struct TFatSelection {
    TFatPosition Start;
    TFatPosition End;
};

// What every line and part of one pass shares.
struct TFatPass {
    TFatCanvas& Canvas;
    TDrawFlags Flags;
    TFatRect Clip;
    int LineHeight;
    const TFatSelection* Selection; // null when nothing is being selected
};

// Lays out line `lineIndex` at (x, y); y ends below the line's last row.
void LayoutLine(const TFatPass& pass, TFatLine& line, int lineIndex, int& x, int& y);

// The 1-based character of `part` under (px, py), measured as the part's last layout placed
// it; 0 when there is none. Needs the part to belong to a memo (for its font).
int ProbePartChar(const TFatPart& part, int px, int py);

} // namespace platterwise
