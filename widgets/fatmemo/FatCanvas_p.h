// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing state of one layout pass: font, font colour and brush colour, over an optional
// painter. Without a painter it only measures.
#include "FatTypes.h"

#include <QFont>
#include <QFontMetrics>
#include <QPalette>
#include <QString>

class QImage;
class QPainter;
class QStaticText;

namespace platterwise {

class TFatCanvas {
public:
    // `painter` may be null; `font` is the memo's font, which Reset returns to.
    TFatCanvas(QPainter* painter, const QFont& font, const QPalette& palette);

    void Reset(TColor fontColor, TColor brushColor);
    bool CanDraw() const { return painter_ != nullptr; }

    TColor FontColor = clNone;
    TColor BrushColor = clNone;
    TFontStyles Style() const { return style_; }
    const QFont& Font() const { return font_; }
    void SetStyle(TFontStyles style);

    int TextWidth(const QString& s) const { return metrics_.horizontalAdvance(s); }
    int PrefixWidth(const QString& s, qsizetype n) const;
    // The height of a row of text in the current font, measured on a sample with tall
    // capitals and deep descenders.
    int TextHeight() const;

    // Fills `clip` with `bg` and draws `text` with its top left at (x, top), clipped to `clip`.
    // `glyphs`, when given, keeps the shaped text between paints.
    void DrawText(const TFatRect& clip, int x, int top, const QString& text, TColor fg, TColor bg,
                  QStaticText* glyphs = nullptr);
    void Fill(const TFatRect& r, TColor c);
    void DrawImage(const TFatRect& target, const QImage& image);
    // A one-pixel frame on the outer ring of `r`: top and left edges in `topLeft`, bottom and
    // right edges (with the top-right and bottom-left corners) in `bottomRight`.
    void Frame(const TFatRect& r, TColor topLeft, TColor bottomRight);
    // A dotted one-pixel frame on the outer ring of `r`, in white or black, whichever stands
    // out on `background`.
    void FocusFrame(const TFatRect& r, TColor background);

private:
    QColor Resolve(TColor c) const;

    QPainter* painter_;
    QFont baseFont_;
    QPalette palette_;
    TFontStyles baseStyle_;
    TFontStyles style_;
    QFont font_;
    QFontMetrics metrics_;
};

} // namespace platterwise
