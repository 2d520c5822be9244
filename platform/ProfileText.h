// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of a sectioned key=value file, read and edited as bytes. Only the line a write
// changes is new; every other line keeps its bytes (whatever their encoding) and its own line
// break (LF or CR LF, mixed as they come).
#include <QByteArray>
#include <QString>

namespace platterwise {

// The longest value a read returns; the rest of a longer value is cut off.
inline constexpr int kProfileValueLimit = 2047;

// The value of `key` in the first section named `section` of `text` (names matched whatever
// their case, blanks and one pair of matching quotes around the value dropped, cut at
// kProfileValueLimit characters), or `defaultValue` (cut likewise) when there is none.
QString ProfileTextValue(const QByteArray& text, const QString& section, const QString& key,
                         const QString& defaultValue);

// `text` with `key` of `section` set to `value` (up to its first line break, so a value cannot
// forge another key): the key's line replaced in place, or a line added at the end of the
// section, or the section added at the end of the text.
QByteArray ProfileTextWith(const QByteArray& text, const QString& section, const QString& key,
                           const QString& value);

} // namespace platterwise
