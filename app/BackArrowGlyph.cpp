// SPDX-License-Identifier: GPL-3.0-or-later
#include "BackArrowGlyph.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace platterwise {

QPixmap BackArrowGlyph() {
    QImage image(25, 23, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // The shaft: from the lower right, up and over to the left, where the head points back.
    QPainterPath shaft;
    shaft.moveTo(20.5, 20.0);
    shaft.cubicTo(23.0, 12.0, 19.0, 6.5, 10.0, 7.5);
    const QColor outline(40, 110, 185);
    const QColor fill(120, 190, 245);
    p.setPen(QPen(outline, 6.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(shaft);
    p.setPen(QPen(fill, 3.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(shaft);

    QPainterPath head;
    head.moveTo(1.5, 8.0);
    head.lineTo(11.5, 1.0);
    head.lineTo(11.5, 15.0);
    head.closeSubpath();
    p.setPen(QPen(outline, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(head);
    p.end();
    return QPixmap::fromImage(image);
}

} // namespace platterwise
