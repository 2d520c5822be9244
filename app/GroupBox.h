// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A group box drawn the classic way: an etched frame whose top line runs through the middle
// of the caption, the caption on the window colour a few pixels in from the left. Children
// keep the absolute positions they are given.
#include <QGroupBox>

namespace platterwise {

class TGroupBox : public QGroupBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TGroupBox)
public:
    explicit TGroupBox(const QString& caption = {}, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace platterwise
