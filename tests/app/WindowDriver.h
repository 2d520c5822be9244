// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reaching a window's controls as a user does: by the name the window's design gives them,
// with clicks and keys.
#include "app/RadioGroup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <stdexcept>
#include <string>

namespace platterwise::testing {

// The control of `window` whose object name is the designed name `name`; a missing one
// fails the test.
template <typename T>
T& Find(const QWidget& window, const char* name) {
    T* control = window.findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) {
        throw std::logic_error(std::string("the window has no control named ") + name);
    }
    return *control;
}

// A left click in the middle of a button, check box or other control.
inline void Click(QWidget& control) {
    QTest::mouseClick(&control, Qt::LeftButton);
}

// A click on item `index` of a radio group, on its round box.
inline void Choose(TRadioGroup& group, int index) {
    QRadioButton* button = group.Button(index);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Item `index` of a drop-down list, chosen with the arrow keys from the first item; the list
// reports the choice when it differs from the item shown before.
inline void Choose(QComboBox& list, int index) {
    QTest::keyClick(&list, Qt::Key_Home);
    for (int i = 0; i < index; ++i) {
        QTest::keyClick(&list, Qt::Key_Down);
    }
}

// Replaces the text of an edit as typed: everything selected, then the new text. A disabled
// edit takes no keys; like a user, this waits until it is enabled (the main window enables
// its fields on a timer).
inline void Type(QLineEdit& edit, const QString& text) {
    if (!QTest::qWaitFor([&] { return edit.isEnabled(); })) {
        throw std::logic_error("the edit stays disabled");
    }
    QTest::keySequence(&edit, QKeySequence::SelectAll);
    QTest::keyClicks(&edit, text);
}

} // namespace platterwise::testing
