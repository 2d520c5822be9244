// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The back-arrow button's glyph: a 25 x 23 light-blue arrow curving back to the left.
#include <QPixmap>

namespace platterwise {

QPixmap BackArrowGlyph();

} // namespace platterwise
