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
    if (font.underline() || font.strikeOut() || font.overline())
        return false;
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    return true;
}

} // namespace

TFatCanvas::TFatCanvas(QPainter* painter, const QFont& font, const QPalette& palette)
    : FPainter(painter)
    , FBaseFont(font)
    , FPalette(palette)
    , FBaseStyle(FontStylesOf(font))
    , FStyle(FBaseStyle)
    , FFont(font)
    , FMetrics(font) {}

void TFatCanvas::Reset(TColor fontColor, TColor brushColor) {
    FontColor = fontColor;
    BrushColor = brushColor;
    if (FStyle != FBaseStyle) {
        FStyle = FBaseStyle;
        FFont = FBaseFont;
        FMetrics = QFontMetrics(FFont);
    }
}

void TFatCanvas::SetStyle(TFontStyles style) {
    if (style == FStyle)
        return;
    FStyle = style;
    FFont = FBaseFont;
    ApplyFontStyles(FFont, style);
    FMetrics = QFontMetrics(FFont);
}

int TFatCanvas::PrefixWidth(const QString& s, qsizetype n) const {
    return n <= 0 ? 0 : FMetrics.horizontalAdvance(s.left(n));
}

int TFatCanvas::TextHeight() const {
    // Every text of one font has the same row height; the sample only documents which
    // glyphs the row must hold (W|j_`).
    return FMetrics.height();
}

QColor TFatCanvas::Resolve(TColor c) const {
    return ToQColor(c, FPalette);
}

void TFatCanvas::DrawText(const TFatRect& clip, int x, int top, const QString& text, TColor fg,
                          TColor bg, QStaticText* glyphs) {
    if (!FPainter || clip.IsEmpty())
        return;
    const QRect r = clip.ToQRect();
    FPainter->fillRect(r, Resolve(bg));
    FPainter->save();
    FPainter->setClipRect(r);
    FPainter->setFont(FFont);
    FPainter->setPen(Resolve(fg));
    if (glyphs && Keepable(text, FFont)) {
        if (glyphs->text() != text) {
            glyphs->setTextFormat(Qt::PlainText);
            glyphs->setText(text);
            glyphs->prepare(QTransform(), FFont);
        }
        FPainter->drawStaticText(QPoint(x, top), *glyphs);
    } else {
        FPainter->drawText(QPoint(x, top + FMetrics.ascent()), text);
    }
    FPainter->restore();
}

void TFatCanvas::Fill(const TFatRect& r, TColor c) {
    if (FPainter && !r.IsEmpty())
        FPainter->fillRect(r.ToQRect(), Resolve(c));
}

void TFatCanvas::DrawImage(const TFatRect& target, const QImage& image) {
    if (FPainter && !target.IsEmpty())
        FPainter->drawImage(target.ToQRect(), image);
}

void TFatCanvas::Frame(const TFatRect& r, TColor topLeft, TColor bottomRight) {
    if (!FPainter || r.IsEmpty())
        return;
    const QColor tl = Resolve(topLeft);
    const QColor br = Resolve(bottomRight);
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    FPainter->fillRect(QRect(r.Left, r.Top, w - 1, 1), tl);    // top
    FPainter->fillRect(QRect(r.Left, r.Top, 1, h - 1), tl);    // left
    FPainter->fillRect(QRect(r.Right - 1, r.Top, 1, h), br);   // right
    FPainter->fillRect(QRect(r.Left, r.Bottom - 1, w, 1), br); // bottom
}

} // namespace platterwise
