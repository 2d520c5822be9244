// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line a new memo shows until its owner clears it, with a mail link that opens through
// the desktop.
#include <QString>

namespace platterwise {

class TFatLines;

// The link of the sample line's mail address.
QString SampleMailLink();

// Appends the sample line to `lines` in one update bracket.
void AddSampleLine(TFatLines& lines);

} // namespace platterwise
