// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Captions with access keys: "&Go!" shows "Go!" with the G underlined, "&&" shows one "&".
#include <QString>

namespace platterwise {

struct TPreparedCaption {
    QString Text;         // the caption as shown, every marking "&" removed
    int AccessIndex = -1; // index in Text of the underlined access key, -1 for none
};

// Removes the "&" markings. The character after the first single "&" is the access key;
// a lone "&" at the end marks nothing.
TPreparedCaption PrepareCaption(const QString& caption);

} // namespace platterwise
