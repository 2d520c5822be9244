// SPDX-License-Identifier: GPL-3.0-or-later
#include "Colors.h"

#include <QPalette>

namespace platterwise {

QColor ToQColor(TColor c, const QPalette& palette) {
    if (c == clNone) {
        return {};
    }
    if (!IsSystemColor(c)) {
        return RgbToQColor(c & 0x00FFFFFFu);
    }
    switch (c & 0xFFu) {
    case 0x05: // window
        return palette.color(QPalette::Base);
    case 0x08: // window text
        return palette.color(QPalette::Text);
    case 0x0F: // button face
        return palette.color(QPalette::Button);
    case 0x10: // button shadow
        return palette.color(QPalette::Dark);
    case 0x12: // button text
        return palette.color(QPalette::ButtonText);
    case 0x0D: // highlight
        return palette.color(QPalette::Highlight);
    case 0x0E: // highlight text
        return palette.color(QPalette::HighlightedText);
    case 0x11: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 0x14: // 3D highlight
        return palette.color(QPalette::Light);
    case 0x15: // 3D dark shadow
        return palette.color(QPalette::Shadow);
    case 0x16: // 3D light
        return palette.color(QPalette::Midlight);
    case 0x17: // tooltip text
        return palette.color(QPalette::ToolTipText);
    case 0x18: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Window);
    }
}

} // namespace platterwise
