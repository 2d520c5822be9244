// SPDX-License-Identifier: GPL-3.0-or-later
#include "Caption.h"

namespace platterwise {

TPreparedCaption PrepareCaption(const QString& caption) {
    TPreparedCaption result;
    result.Text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') {
            result.Text += caption[i];
            continue;
        }
        if (++i >= caption.size()) {
            break;
        }
        if (caption[i] != u'&' && result.AccessIndex < 0) {
            result.AccessIndex = int(result.Text.size());
        }
        result.Text += caption[i];
    }
    return result;
}

} // namespace platterwise
