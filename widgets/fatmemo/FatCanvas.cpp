// SPDX-License-Identifier: GPL-3.0-or-later
#include "FatCanvas_p.h"

#include <QImage>
#include <QPainter>
#include <QStaticText>

namespace platterwise {

namespace {

// Laid out once and kept, text is broken into lines and tabs are expanded, which a
// single-line draw does not do, and it is drawn without underline or strike-out. Only text
// free of both may be kept.
bool Keepable(const QString& text, const QFont& font) {
    if (font.underline() || font.strikeOut() || font.overline()) {
        return false;
    }
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            return false;
        }
    }
    return true;
}

} // namespace

TFatCanvas::TFatCanvas(QPainter* painter, const QFont& font, const QPalette& palette)
    : painter_(painter)
    , baseFont_(font)
    , palette_(palette)
    , baseStyle_(FontStylesOf(font))
    , style_(baseStyle_)
    , font_(font)
    , metrics_(font) {}

void TFatCanvas::Reset(TColor fontColor, TColor brushColor) {
    FontColor = fontColor;
    BrushColor = brushColor;
    if (style_ != baseStyle_) {
        style_ = baseStyle_;
        font_ = baseFont_;
        metrics_ = QFontMetrics(font_);
    }
}

void TFatCanvas::SetStyle(TFontStyles style) {
    if (style == style_) {
        return;
    }
    style_ = style;
    font_ = baseFont_;
    ApplyFontStyles(font_, style);
    metrics_ = QFontMetrics(font_);
}

int TFatCanvas::PrefixWidth(const QString& s, qsizetype n) const {
    return n <= 0 ? 0 : metrics_.horizontalAdvance(s.left(n));
}

int TFatCanvas::TextHeight() const {
    // Every text of one font has the same row height; the sample only documents which
    // glyphs the row must hold (W|j_`).
    return metrics_.height();
}

QColor TFatCanvas::Resolve(TColor c) const {
    return ToQColor(c, palette_);
}

void TFatCanvas::DrawText(const TFatRect& clip, int x, int top, const QString& text, TColor fg,
                          TColor bg, QStaticText* glyphs) {
    if (!painter_ || clip.IsEmpty()) {
        return;
    }
    const QRect r = clip.ToQRect();
    painter_->fillRect(r, Resolve(bg));
    painter_->save();
    painter_->setClipRect(r);
    painter_->setFont(font_);
    painter_->setPen(Resolve(fg));
    if (glyphs && Keepable(text, font_)) {
        if (glyphs->text() != text) {
            glyphs->setTextFormat(Qt::PlainText);
            glyphs->setText(text);
            glyphs->prepare(QTransform(), font_);
        }
        painter_->drawStaticText(QPoint(x, top), *glyphs);
    } else {
        painter_->drawText(QPoint(x, top + metrics_.ascent()), text);
    }
    painter_->restore();
}

void TFatCanvas::Fill(const TFatRect& r, TColor c) {
    if (painter_ && !r.IsEmpty()) {
        painter_->fillRect(r.ToQRect(), Resolve(c));
    }
}

void TFatCanvas::DrawImage(const TFatRect& target, const QImage& image) {
    if (painter_ && !target.IsEmpty()) {
        painter_->drawImage(target.ToQRect(), image);
    }
}

void TFatCanvas::Frame(const TFatRect& r, TColor topLeft, TColor bottomRight) {
    if (!painter_ || r.IsEmpty()) {
        return;
    }
    const QColor tl = Resolve(topLeft);
    const QColor br = Resolve(bottomRight);
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    painter_->fillRect(QRect(r.Left, r.Top, w - 1, 1), tl);    // top
    painter_->fillRect(QRect(r.Left, r.Top, 1, h - 1), tl);    // left
    painter_->fillRect(QRect(r.Right - 1, r.Top, 1, h), br);   // right
    painter_->fillRect(QRect(r.Left, r.Bottom - 1, w, 1), br); // bottom
}

void TFatCanvas::FocusFrame(const TFatRect& r, TColor background) {
    if (!painter_ || r.IsEmpty()) {
        return;
    }
    const QColor dot = Resolve(background).lightness() < 128 ? Qt::white : Qt::black;
    for (int x = r.Left; x < r.Right; x += 2) {
        painter_->fillRect(QRect(x, r.Top, 1, 1), dot);
        painter_->fillRect(QRect(x, r.Bottom - 1, 1, 1), dot);
    }
    for (int y = r.Top; y < r.Bottom; y += 2) {
        painter_->fillRect(QRect(r.Left, y, 1, 1), dot);
        painter_->fillRect(QRect(r.Right - 1, y, 1, 1), dot);
    }
}

} // namespace platterwise
