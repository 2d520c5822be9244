// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A captioned group of radio buttons with one chosen item (or none), its items laid out in one
// column of equal rows below the caption.
#include "GroupBox.h"

#include <QStringList>
#include <functional>

class QButtonGroup;
class QRadioButton;

namespace platterwise {

class TRadioGroup final : public TGroupBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRadioGroup)
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    void SetItems(const QStringList& items);
    int ItemCount() const;
    QRadioButton* Button(int index) const;

    // -1 when no item is chosen. Setting an index outside the items chooses none.
    int ItemIndex() const;
    void SetItemIndex(int index);

    // Gives the keyboard focus to the chosen item's button (to the group when none is chosen).
    void FocusChosen();

    // Raised when the user chooses an item (not for SetItemIndex).
    std::function<void(TRadioGroup& Sender)> OnClick;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ArrangeButtons();

    QButtonGroup* group_;
    QList<QRadioButton*> buttons_;
};

} // namespace platterwise
