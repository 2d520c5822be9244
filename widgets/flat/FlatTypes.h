// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Types shared by the flat controls: the paint hook and the enumerations of their properties.
#include <functional>

class QObject;

namespace platterwise {

// Raised by a flat control just before it draws its flat parts. `Continue` is true on entry;
// a hook that changes anything affecting the look sets it to false, and the control then
// drops the paint in progress and paints again at once (raising the hook again).
using TAlPaintEvent = std::function<void(QObject* Sender, bool& Continue)>;

// A plain notification with the control as sender (clicks, changes, embedded-button presses).
using TNotifyEvent = std::function<void(QObject* Sender)>;

// What a flat button is drawn as.
enum TButtonKind { bkPushButton = 0, bkRadioButton = 1, bkCheckBox = 2 };

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// ALFSBorder draws a second frame line while the control has the focus.
enum TALFocusStyle { ALFSNone, ALFSBorder };

// Where the glyph (or a check box's box) sits relative to the caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

} // namespace platterwise
