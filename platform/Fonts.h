// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fonts as the windows specify them: a family name of the original platform and a height
// (negative: pixels, as a height of -11 is 11 pixels; positive: points).
#include <QFont>
#include <QString>
#include <cstdint>

namespace platterwise {

// Font style set, one byte: bold (bit 0), italic (bit 1), underline (bit 2), strike-out (bit 3).
using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 1u << 0;
inline constexpr TFontStyles fsItalic = 1u << 1;
inline constexpr TFontStyles fsUnderline = 1u << 2;
inline constexpr TFontStyles fsStrikeOut = 1u << 3;

// Maps the original families onto metric-compatible fonts present on Linux ("Arial" and
// "MS Sans Serif" onto Liberation Sans). Idempotent; MakeFont calls it.
void InstallFontSubstitutions();

// A font of `family` with the given height and styles.
QFont MakeFont(const QString& family, int height, TFontStyles styles = 0);

// The style set of a QFont, and a QFont changed to carry exactly `styles`.
TFontStyles FontStylesOf(const QFont& font);
void ApplyFontStyles(QFont& font, TFontStyles styles);

} // namespace platterwise
