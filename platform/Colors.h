// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colour values as the windows and widgets store them: 0x00BBGGRR for an RGB colour
// (red in the low byte), 0xFF0000nn for system colour nn, clNone for "no colour".
#include <QColor>
#include <cstdint>

class QPalette;

namespace platterwise {

using TColor = std::uint32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clRed = 0x000000FF;
inline constexpr TColor clLime = 0x0000FF00;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clNavy = 0x00800000;

inline constexpr TColor clWindow = 0xFF000005;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clBtnFace = 0xFF00000F;
inline constexpr TColor clBtnShadow = 0xFF000010;

// True for 0xFF0000nn values.
constexpr bool IsSystemColor(TColor c) {
    return (c & 0xFFFFFF00u) == 0xFF000000u;
}

// The RGB colour as a QColor; no palette is needed. REQUIRES: !IsSystemColor(c).
inline QColor RgbToQColor(TColor c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// The inverse of RgbToQColor (alpha is dropped).
inline TColor QColorToTColor(const QColor& c) {
    return TColor(c.red()) | (TColor(c.green()) << 8) | (TColor(c.blue()) << 16);
}

// Any colour value as a QColor. System colours are looked up in `palette`: window -> Base,
// window text -> Text, button face -> Button, button shadow -> Dark; other system indices
// map to the nearest palette role. clNone gives an invalid QColor.
QColor ToQColor(TColor c, const QPalette& palette);

} // namespace platterwise
