// SPDX-License-Identifier: GPL-3.0-or-later
#include "RadioGroup.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFontMetrics>
#include <QRadioButton>
#include <utility>

namespace platterwise {

TRadioGroup::TRadioGroup(QWidget* parent)
    : TGroupBox({}, parent)
    , group_(new QButtonGroup(this)) {
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idClicked, this, [this](int) {
        if (OnClick) {
            OnClick(*this);
        }
    });
}

void TRadioGroup::SetItems(const QStringList& items) {
    for (QRadioButton* b : std::exchange(buttons_, {})) {
        group_->removeButton(b);
        b->hide();
        b->deleteLater(); // still a child until then: the group destroys it if no loop runs
    }
    for (const QString& text : items) {
        auto* b = new QRadioButton(text, this);
        group_->addButton(b, int(buttons_.size()));
        buttons_.push_back(b);
        b->show();
    }
    ArrangeButtons();
}

int TRadioGroup::ItemCount() const {
    return int(buttons_.size());
}

QRadioButton* TRadioGroup::Button(int index) const {
    return buttons_.value(index, nullptr);
}

int TRadioGroup::ItemIndex() const {
    return group_->checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    if (index >= 0 && index < buttons_.size()) {
        buttons_[index]->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; let go of it to choose none.
    if (QAbstractButton* checked = group_->checkedButton()) {
        group_->setExclusive(false);
        checked->setChecked(false);
        group_->setExclusive(true);
    }
}

void TRadioGroup::FocusChosen() {
    if (QRadioButton* b = Button(ItemIndex())) {
        b->setFocus(Qt::ActiveWindowFocusReason);
    } else if (!buttons_.isEmpty()) {
        buttons_.front()->setFocus(Qt::ActiveWindowFocusReason);
    } else {
        setFocus(Qt::ActiveWindowFocusReason);
    }
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
    TGroupBox::resizeEvent(event);
    ArrangeButtons();
}

void TRadioGroup::changeEvent(QEvent* event) {
    TGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        ArrangeButtons();
    }
}

// Rows of equal height share what lies below the caption; the remainder is split above and
// below, as the classic radio group arranges its buttons.
void TRadioGroup::ArrangeButtons() {
    if (buttons_.isEmpty()) {
        return;
    }
    const int textHeight = QFontMetrics(font()).height();
    const int room = height() - textHeight - 5;
    const int rowHeight = room / int(buttons_.size());
    const int top = textHeight + 1 + (room % int(buttons_.size())) / 2;
    for (int i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->setGeometry(4, top + i * rowHeight, width() - 10, rowHeight);
    }
}

} // namespace platterwise
