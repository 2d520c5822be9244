// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The flat drawing routine shared by buttons and check boxes: it works out where the caption
// and the box (or glyph) go, then draws the whole control with the colours it is given.
#include "Caption.h"
#include "FlatTypes.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>

class QPainter;

namespace platterwise {

// What the routine draws from. An invalid colour (the control's clNone) is not drawn; an
// invalid BorderColor also means "no frame" for push buttons.
struct TFlatButtonLook {
    TButtonKind Kind = bkPushButton;
    TCheckBoxState State = cbUnchecked;
    QColor Color, BorderColor, BlankColor, MarkColor, FontColor;
    QFont Font;
    QString Caption; // with its "&" markings
    QPixmap Glyph;   // null when there is none to show
    TButtonLayout Layout = blGlyphLeft;
    int Spacing = 4;
    TALFocusStyle FocusStyle = ALFSBorder;
    bool Focused = false;
    bool AutoSize = false;
    QSize Size; // the control's size in pixels
};

// Where things go, in the control's pixels.
struct TFlatButtonGeometry {
    TPreparedCaption Caption;
    int FrameWidth = 0;     // 0, 1 or 2 frame lines drawn
    int FrameAllowance = 0; // frame counted when auto-sizing
    QSize AutoSize;         // the size the control takes with AutoSize on
    QRect CaptionRect;      // the caption text itself
    QRect BoxRect;          // the check box, radio circle or glyph; empty for none
    bool CaptionShown = false;
    bool BoxShown = false;
};

TFlatButtonGeometry LayOutFlatButton(const TFlatButtonLook& look);

// Draws the control into `painter`, whose origin is the control's top-left corner.
void DrawFlatButton(QPainter& painter, const TFlatButtonLook& look,
                    const TFlatButtonGeometry& geometry);

} // namespace platterwise
