// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlatButtonDraw.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace platterwise {
namespace {

constexpr int kBoxSize = 11;
// Check and radio boxes keep room around the caption for their dotted focus rectangle.
constexpr int kFocusMargin = 2;

bool IsBoxKind(TButtonKind kind) {
    return kind == bkCheckBox || kind == bkRadioButton;
}

QFont UnderlinedFont(QFont font) {
    font.setUnderline(true);
    return font;
}

// Caption width with the access-key character measured in the underlined font.
QSize CaptionSize(const TPreparedCaption& caption, const QFont& font) {
    if (caption.Text.isEmpty()) {
        return {};
    }
    const QFontMetrics plain(font);
    if (caption.AccessIndex < 0) {
        return {plain.horizontalAdvance(caption.Text), plain.height()};
    }
    const QFontMetrics underlined(UnderlinedFont(font));
    const qsizetype key = caption.AccessIndex;
    const int width = plain.horizontalAdvance(caption.Text.left(key)) +
                      underlined.horizontalAdvance(caption.Text.mid(key, 1)) +
                      plain.horizontalAdvance(caption.Text.mid(key + 1));
    return {width, std::max(plain.height(), underlined.height())};
}

bool IsEmpty(QSize s) {
    return s.width() <= 0 || s.height() <= 0;
}

// Lays two parts out along the main axis, `spacing` apart, or just the larger one when
// either is empty.
int AlongSum(int a, int b, int spacing, bool bothPresent) {
    return bothPresent ? a + spacing + b : std::max(a, b);
}

// Plots a line of pixels from `from` up to, but not including, `to` (as the classic line
// primitive does), so the strokes of a tick join without doubling their corners.
void PlotLine(QPainter& p, QPoint from, QPoint to) {
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const int steps = std::max(std::abs(dx), std::abs(dy));
    for (int i = 0; i < steps; ++i) {
        p.drawPoint(from.x() + dx * i / steps, from.y() + dy * i / steps);
    }
}

void DrawTick(QPainter& p, QPoint origin, const QColor& color) {
    constexpr int h = kBoxSize;
    constexpr int strokes[3][3] = {{5, 3, 8}, {6, 4, 9}, {7, 5, 10}};
    p.setPen(color);
    for (const auto& s : strokes) {
        const QPoint a = origin + QPoint(2, h - s[0]);
        const QPoint b = origin + QPoint(4, h - s[1]);
        const QPoint c = origin + QPoint(9, h - s[2]);
        PlotLine(p, a, b);
        PlotLine(p, b, c);
    }
}

void DrawFrameLine(QPainter& p, const QRect& r, const QColor& color) {
    p.setPen(color);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void DrawCheckBox(QPainter& p, const TFlatButtonLook& look, const QRect& box) {
    if (look.BlankColor.isValid()) {
        p.fillRect(box, look.BlankColor);
    }
    if (look.BorderColor.isValid()) {
        DrawFrameLine(p, box, look.BorderColor);
    }
    if (look.State != cbUnchecked && look.MarkColor.isValid()) {
        DrawTick(p, box.topLeft(), look.MarkColor);
    }
}

void DrawRadioBox(QPainter& p, const TFlatButtonLook& look, const QRect& box) {
    p.setPen(look.BorderColor.isValid() ? QPen(look.BorderColor) : QPen(Qt::NoPen));
    p.setBrush(look.BlankColor.isValid() ? QBrush(look.BlankColor) : QBrush(Qt::NoBrush));
    p.drawEllipse(box.adjusted(0, 0, -1, -1));
    if (look.State == cbChecked && look.MarkColor.isValid()) {
        p.setPen(Qt::NoPen);
        p.setBrush(look.MarkColor);
        p.drawEllipse(box.adjusted(3, 3, -3, -3));
    }
}

void DrawCaption(QPainter& p, const TFlatButtonLook& look, const TFlatButtonGeometry& g) {
    const QString& text = g.Caption.Text;
    const int baseline = g.CaptionRect.top() + QFontMetrics(look.Font).ascent();
    int x = g.CaptionRect.left();
    p.setPen(look.FontColor);
    auto run = [&](const QString& part, const QFont& font) {
        if (part.isEmpty()) {
            return;
        }
        p.setFont(font);
        p.drawText(QPoint(x, baseline), part);
        x += QFontMetrics(font).horizontalAdvance(part);
    };
    const qsizetype key = g.Caption.AccessIndex;
    if (key < 0) {
        run(text, look.Font);
        return;
    }
    run(text.left(key), look.Font);
    run(text.mid(key, 1), UnderlinedFont(look.Font));
    run(text.mid(key + 1), look.Font);
}

// The dotted rectangle of the classic focus indicator: every other pixel of its outline.
void DrawFocusRect(QPainter& p, const QRect& r, const QColor& color) {
    p.setPen(color);
    for (int x = r.left(); x <= r.right(); ++x) {
        for (const int y : {r.top(), r.bottom()}) {
            if ((x + y) % 2 == 0) {
                p.drawPoint(x, y);
            }
        }
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        for (const int x : {r.left(), r.right()}) {
            if ((x + y) % 2 == 0) {
                p.drawPoint(x, y);
            }
        }
    }
}

} // namespace

TFlatButtonGeometry LayOutFlatButton(const TFlatButtonLook& look) {
    TFlatButtonGeometry g;
    const bool boxKind = IsBoxKind(look.Kind);
    const bool framed = !boxKind && look.BorderColor.isValid();
    const bool borderStyle = look.FocusStyle == ALFSBorder;
    g.FrameWidth = framed ? (borderStyle && look.Focused ? 2 : 1) : 0;
    g.FrameAllowance = framed ? (borderStyle ? 2 : 1) : 0;

    g.Caption = PrepareCaption(look.Caption);
    const QSize text = CaptionSize(g.Caption, look.Font);
    const int margin = boxKind && !IsEmpty(text) ? kFocusMargin : 0;
    const QSize caption = text + QSize(2 * margin, 2 * margin);
    QSize box;
    if (!look.Glyph.isNull()) {
        box = look.Glyph.deviceIndependentSize().toSize();
    } else if (boxKind) {
        box = {kBoxSize, kBoxSize};
    }

    const bool both = !IsEmpty(caption) && !IsEmpty(box);
    const bool horizontal = look.Layout == blGlyphLeft || look.Layout == blGlyphRight;
    QSize content;
    if (horizontal) {
        content = {AlongSum(caption.width(), box.width(), look.Spacing, both),
                   std::max(caption.height(), box.height())};
    } else {
        content = {std::max(caption.width(), box.width()),
                   AlongSum(caption.height(), box.height(), look.Spacing, both)};
    }
    g.AutoSize = content + QSize(2 * g.FrameAllowance, 2 * g.FrameAllowance);

    const int fw = g.FrameWidth;
    const QPoint group(fw + (look.Size.width() - 2 * fw - content.width()) / 2,
                       fw + (look.Size.height() - 2 * fw - content.height()) / 2);
    QPoint boxAt, captionAt;
    const int gap = both ? look.Spacing : 0;
    switch (look.Layout) {
    case blGlyphLeft:
        boxAt = {0, 0};
        captionAt = {box.width() + gap, 0};
        break;
    case blGlyphRight:
        captionAt = {0, 0};
        boxAt = {caption.width() + gap, 0};
        break;
    case blGlyphTop:
        boxAt = {0, 0};
        captionAt = {0, box.height() + gap};
        break;
    case blGlyphBottom:
        captionAt = {0, 0};
        boxAt = {0, caption.height() + gap};
        break;
    }
    // Across the main axis each part is centred in the group.
    if (horizontal) {
        boxAt.ry() = (content.height() - box.height()) / 2;
        captionAt.ry() = (content.height() - caption.height()) / 2;
    } else {
        boxAt.rx() = (content.width() - box.width()) / 2;
        captionAt.rx() = (content.width() - caption.width()) / 2;
    }
    g.BoxRect = QRect(group + boxAt, box);
    g.CaptionRect = QRect(group + captionAt + QPoint(margin, margin), text);

    const QRect inside = QRect(QPoint(0, 0), look.Size).adjusted(0, 0, -fw, -fw);
    auto fits = [&](const QRect& r) {
        return look.AutoSize || (r.right() <= inside.right() && r.bottom() <= inside.bottom());
    };
    g.CaptionShown = !IsEmpty(text) && fits(g.CaptionRect);
    g.BoxShown = !IsEmpty(box) && fits(g.BoxRect);
    return g;
}

void DrawFlatButton(QPainter& p, const TFlatButtonLook& look, const TFlatButtonGeometry& g) {
    const QRect client(QPoint(0, 0), look.Size);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (look.Color.isValid()) {
        p.fillRect(client, look.Color);
    }
    if (g.FrameWidth > 0) {
        DrawFrameLine(p, client, look.BorderColor);
        if (g.FrameWidth > 1) {
            DrawFrameLine(p, client.adjusted(1, 1, -1, -1), look.BorderColor);
        }
    }
    if (g.BoxShown) {
        if (!look.Glyph.isNull()) {
            p.drawPixmap(g.BoxRect.topLeft(), look.Glyph);
        } else if (look.Kind == bkCheckBox) {
            DrawCheckBox(p, look, g.BoxRect);
        } else if (look.Kind == bkRadioButton) {
            DrawRadioBox(p, look, g.BoxRect);
        }
    }
    if (g.CaptionShown && look.FontColor.isValid()) {
        DrawCaption(p, look, g);
        if (look.Focused && IsBoxKind(look.Kind)) {
            DrawFocusRect(p, g.CaptionRect.adjusted(-2, -2, 2, 2), look.FontColor);
        }
    }
}

} // namespace platterwise
