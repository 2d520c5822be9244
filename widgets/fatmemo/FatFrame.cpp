// SPDX-License-Identifier: GPL-3.0-or-later
#include "FatFrame_p.h"

namespace platterwise {

namespace {

QRect Rows(const QRect& clip, const TFatFrameLine& line) {
    return QRect(clip.left(), line.Top, clip.width(), line.Bottom - line.Top) & clip;
}

// Everything in the content area outside the rows of lines that draw something.
QRegion Background(const QRect& clip, const TFatFrame& frame) {
    QRegion ink;
    for (const TFatFrameLine& line : frame.Lines) {
        if (!line.Blank) {
            ink += Rows(clip, line);
        }
    }
    return QRegion(clip) - ink;
}

const TFatFrameLine* SameContent(const TFatFrame& frame, const TFatFrameLine& line) {
    for (const TFatFrameLine& l : frame.Lines) {
        if (!l.Blank && l.Revision == line.Revision) {
            return &l;
        }
    }
    return nullptr;
}

} // namespace

const TFatFrameLine* TFatFrame::Find(const TFatLine* line) const {
    for (const TFatFrameLine& l : Lines) {
        if (l.Line == line) {
            return &l;
        }
    }
    return nullptr;
}

TFatFrameChange CompareFrames(const TFatFrame& before, const TFatFrame& after) {
    if (!before.Valid || !after.Valid || before.Clip != after.Clip || before.Pictures ||
        after.Pictures || before.Highlight != after.Highlight) {
        return {true, 0, {}};
    }
    const QRect clip = after.Clip.ToQRect();
    // Lines shown before with the same content keep their pixels, moved by the distance the
    // first of them moved; lines that moved another distance are drawn again.
    QRegion kept;
    int dy = 0;
    bool moved = false;
    for (const TFatFrameLine& line : after.Lines) {
        const TFatFrameLine* old = line.Blank ? nullptr : SameContent(before, line);
        if (!old) {
            continue;
        }
        if (!moved) {
            dy = line.Top - old->Top;
            moved = true;
        }
        if (line.Top - old->Top == dy) {
            kept += Rows(clip, line) & Rows(clip, *old).translated(0, dy);
        }
    }
    kept += Background(clip, after) & Background(clip, before).translated(0, dy);
    return {false, dy, QRegion(clip) - kept};
}

} // namespace platterwise
