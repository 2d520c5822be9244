// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small value types shared by the memo's lines, parts and layout.
#include "platform/Colors.h"
#include "platform/Exceptions.h"
#include "platform/Fonts.h"

#include <QRect>
#include <compare>
#include <cstdint>

namespace platterwise {

enum TFatPartKind : std::uint8_t { pkNone = 0, pkText = 1, pkColor = 2, pkStyle = 3, pkImage = 4 };

// Layout and drawing options, one bit each.
using TDrawFlags = std::uint8_t;
inline constexpr TDrawFlags dfDontDraw = 1u << 0;      // lay out and measure, draw nothing
inline constexpr TDrawFlags dfWordWrap = 1u << 1;      // wrap parts at the right edge
inline constexpr TDrawFlags dfStretchImages = 1u << 2; // images take the full line height
inline constexpr TDrawFlags dfAlignMiddle = 1u << 3;   // centre text and images in the line
inline constexpr TDrawFlags dfAlignBottom = 1u << 4;   // align to the bottom; wins over middle

// One step of an update counter: raised by `updating`, else lowered unless already 0.
// True when the counter changed (the caller then notifies, which gets through only at 0).
constexpr bool StepUpdateCount(int& count, bool updating) {
    if (updating) {
        ++count;
        return true;
    }
    if (count == 0) {
        { return false; }
    }
    --count;
    return true;
}

enum TStickText : std::uint8_t { stTop = 0, stNone = 1, stBottom = 2 };

enum TBorderStyle : std::uint8_t { bsNone = 0, bsSingle = 1 };

// A rectangle by its edges, right and bottom exclusive, as the layout computes them.
struct TFatRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    TFatRect Intersected(const TFatRect& o) const;
    TFatRect Inset(int dx, int dy) const { return {Left + dx, Top + dy, Right - dx, Bottom - dy}; }
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    bool operator==(const TFatRect&) const = default;
};

// What the last layout pass recorded for a line or a part: the drawing state it started with
// and where it was placed. The hit tests and re-measuring under the pointer read it.
struct TFatLayout {
    TColor FontColor = clNone;
    TColor BrushColor = clNone;
    TFontStyles FontStyle = 0;
    int X = 0;
    int Y = 0;
    int LineHeight = 0;
    TFatRect Clip;
    TDrawFlags Flags = 0;
    // Left and top of the first row, right and bottom of the last row.
    TFatRect Flow;
};

// True when (x, y) lies in the flowing area `flow` made of rows `rowHeight` high inside
// `clip`: the first row from flow.Left, the last row up to flow.Right, whole rows between.
bool InFlow(const TFatRect& flow, int rowHeight, const TFatRect& clip, int x, int y);

// A character position in the memo: line index, part index, 1-based character (0 = before
// the first character). Positions order by line, then part, then character.
struct TFatPosition {
    int Line = 0;
    int Part = 0;
    int Char = 0;
    auto operator<=>(const TFatPosition&) const = default;
};

// An index outside a list of lines or parts; the caller's error.
class EListError : public Exception {
public:
    using Exception::Exception;
};

[[noreturn]] void ThrowListIndexError(qsizetype index);

// Throws EListError unless 0 <= index < count.
inline void CheckListIndex(qsizetype index, qsizetype count) {
    if (index < 0 || index >= count) {
        { ThrowListIndexError(index); }
    }
}

} // namespace platterwise
