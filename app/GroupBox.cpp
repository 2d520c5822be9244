// SPDX-License-Identifier: GPL-3.0-or-later
#include "GroupBox.h"

#include <QPainter>

namespace platterwise {

TGroupBox::TGroupBox(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent) {}

void TGroupBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics fm(font());
    const int top = fm.height() / 2;
    const QRect frame(0, top, width() - 1, height() - top - 1);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(frame.adjusted(0, 0, -1, -1));
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(frame.adjusted(1, 1, 0, 0));
    if (title().isEmpty()) {
        return;
    }
    const QRect text(8, 0, fm.horizontalAdvance(title()), fm.height());
    p.fillRect(text, palette().color(QPalette::Window));
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, title());
}

} // namespace platterwise
