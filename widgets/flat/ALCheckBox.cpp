// SPDX-License-Identifier: GPL-3.0-or-later
#include "ALButton.h"

namespace platterwise {

TALCustomCheckBox::TALCustomCheckBox(QWidget* parent)
    : TALCustomButton(parent) {}

void TALCustomCheckBox::Toggle() {
    if (State() == cbUnchecked && allowGrayed_) {
        SetState(cbGrayed);
    } else {
        TALCustomButton::Toggle();
    }
}

TButtonKind TALCustomCheckBox::Kind() const {
    return bkCheckBox;
}

} // namespace platterwise
