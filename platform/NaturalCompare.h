// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The namespace's order of names: natural (runs of digits compare by value) and
// case-insensitive; names that differ only in case fall back to their bytes, so the order
// is total.
#include <QByteArray>

namespace platterwise {

// Negative when `a` comes first, 0 only for equal bytes, positive when `b` comes first.
// Names are native bytes, UTF-8 where valid.
int NaturalCompare(const QByteArray& a, const QByteArray& b);

} // namespace platterwise
