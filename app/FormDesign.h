// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the three windows share of their design: the colour of every flat control, the paint
// hooks that give them the program's skin, and centring on the screen at first show.
#include "platform/Colors.h"

#include <QObject>

class QComboBox;
class QWidget;

namespace platterwise {

// The design colour of every flat control: red 234, green 233, blue 225.
inline constexpr TColor kFlatColor = 14805482; // 0xE1E9EA

// Paint hooks that call the skin of the control's class with font-colour control on.
void ButtonPaint(QObject* Sender, bool& Continue);
void CheckBoxPaint(QObject* Sender, bool& Continue);
void ComboBoxPaint(QObject* Sender, bool& Continue);
void EditPaint(QObject* Sender, bool& Continue);

// Gives the rows of a drop-down list's list the designed item height, in pixels.
void SetItemHeight(QComboBox& list, int height);

// Moves a top-level window to the centre of the primary screen's available area; a window
// larger than that area starts at its top left corner instead, title bar on the screen.
void CenterOnScreen(QWidget& window);

} // namespace platterwise

// Gives a window's control its designed name as object name: the windows keep their controls
// private, and tests find them by these names.
#define PLATTERWISE_DESIGN_NAME(control) (control)->setObjectName(QStringLiteral(#control))
