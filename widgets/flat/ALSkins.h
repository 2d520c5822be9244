// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one blue-grey look: paint hooks that set a flat control's colours for its
// state. Each routine does nothing unless `Sender` is of its class; it clears `Continue` when
// it changed a colour that needs another paint pass. With `ChangeFontColor` enabled controls
// get black text and disabled ones grey text.
class QObject;

namespace platterwise {

void PaintButtonSkin(QObject* Sender, bool& Continue, bool ChangeFontColor);   // TALButton
void PaintCheckBoxSkin(QObject* Sender, bool& Continue, bool ChangeFontColor); // TALCheckBox
void PaintComboBoxSkin(QObject* Sender, bool& Continue, bool ChangeFontColor); // TALComboBox
void PaintEditSkin(QObject* Sender, bool& Continue, bool ChangeFontColor);     // TALEdit

} // namespace platterwise
