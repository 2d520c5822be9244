// SPDX-License-Identifier: GPL-3.0-or-later
#include "FatTypes.h"

#include "platform/ResourceStrings.h"

#include <algorithm>

namespace platterwise {

TFatRect TFatRect::Intersected(const TFatRect& o) const {
    TFatRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right),
               std::min(Bottom, o.Bottom)};
    if (r.IsEmpty()) {
        return {};
    }
    return r;
}

bool InFlow(const TFatRect& flow, int rowHeight, const TFatRect& clip, int x, int y) {
    if (!clip.Contains(x, y) || y < flow.Top || y >= flow.Bottom) {
        return false;
    }
    if (flow.Left == flow.Right && flow.Bottom == flow.Top + rowHeight) {
        return false; // nothing laid out
    }
    const bool firstRow = y < flow.Top + rowHeight;
    const bool lastRow = y >= flow.Bottom - rowHeight;
    if (firstRow && x < flow.Left) {
        return false;
    }
    if (lastRow && x >= flow.Right) {
        return false;
    }
    return true;
}

void ThrowListIndexError(qsizetype index) {
    throw EListError(
        FormatMessage(QString::fromUtf16(res::SListIndexError), {QString::number(index)}));
}

} // namespace platterwise
