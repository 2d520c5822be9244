// SPDX-License-Identifier: GPL-3.0-or-later
#include "FatCanvas_p.h"
#include "FatLayout_p.h"
#include "FatLine.h"
#include "FatLines.h"
#include "FatMemo.h"

#include <QImage>
#include <QStaticText>
#include <optional>

namespace platterwise {

namespace {

// Characters a..b (1-based, both included) of a text part are highlighted.
struct TCharRange {
    int First;
    int Last;
};

// Looks for the character under a point while a text is laid out again.
struct TProbe {
    int X;
    int Y;
    int Result = 0;
};

struct TTextResult {
    TFatRect Flow;
    int Width;
    int Height;
};

int AlignedTop(TDrawFlags flags, int y, int lineHeight, int height) {
    if (flags & dfAlignBottom) {
        return y + lineHeight - height;
    }
    if (flags & dfAlignMiddle) {
        return y + lineHeight / 2 - height / 2;
    }
    return y;
}

bool Draws(const TFatPass& pass) {
    return !(pass.Flags & dfDontDraw) && pass.Canvas.CanDraw();
}

// The first n (1..size) with x + width of characters 1..n > px, or 0.
int FirstCharPast(const TFatCanvas& canvas, const QString& text, int x, int px) {
    int lo = 1;
    int hi = int(text.size());
    if (hi == 0 || x + canvas.TextWidth(text) <= px) {
        return 0;
    }
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (x + canvas.PrefixWidth(text, mid) > px) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

// The longest prefix of `text` that fits in `room` pixels, never ending inside a surrogate
// pair.
int FittingPrefix(const TFatCanvas& canvas, const QString& text, int room) {
    int lo = 0;
    int hi = int(text.size());
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (canvas.PrefixWidth(text, mid) <= room) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    if (lo > 0 && lo < text.size() && text[lo - 1].isHighSurrogate()) {
        --lo;
    }
    return lo;
}

// One run of text on one row; `offset` is the number of characters of the part before it.
// `w` is the width of `text`, measured once by the caller.
TFatRect DrawRun(const TFatPass& pass, const QString& text, int w, int offset, int& x, int y,
                 std::optional<TCharRange> selected, TColor fg, TColor bg, TProbe* probe,
                 QStaticText* glyphs = nullptr) {
    TFatCanvas& canvas = pass.Canvas;
    const int h = canvas.TextHeight();
    const int top = AlignedTop(pass.Flags, y, pass.LineHeight, h);
    if (Draws(pass)) {
        const int first = selected ? std::max(selected->First - offset, 1) : 1;
        const int last = selected ? std::min(selected->Last - offset, int(text.size())) : 0;
        if (first > last) {
            canvas.DrawText(TFatRect{x, top, x + w, top + h}.Intersected(pass.Clip), x, top, text,
                            fg, bg, glyphs);
        } else {
            const QString pieces[3] = {text.left(first - 1), text.mid(first - 1, last - first + 1),
                                       text.mid(last)};
            const TColor fgs[3] = {fg, clWhite, fg};
            const TColor bgs[3] = {bg, clBlack, bg};
            int px = x;
            for (int i = 0; i < 3; ++i) {
                const int pw = canvas.TextWidth(pieces[i]);
                if (!pieces[i].isEmpty()) {
                    canvas.DrawText(TFatRect{px, top, px + pw, top + h}.Intersected(pass.Clip), px,
                                    top, pieces[i], fgs[i], bgs[i]);
                }
                px += pw;
            }
        }
    }
    if (probe && probe->Result == 0 && probe->Y >= top && probe->Y < top + h) {
        const int i = FirstCharPast(canvas, text, x, probe->X);
        if (i > 0) {
            probe->Result = offset + i;
        }
    }
    const TFatRect flow{x, top, x + w, top + h};
    x += w;
    return flow;
}

// Character-wise wrapping: as much of the text as fits on each row, rows lineHeight apart.
TFatRect DrawWrapped(const TFatPass& pass, const QString& text, int& x, int& y,
                     std::optional<TCharRange> selected, TColor fg, TColor bg, TProbe* probe) {
    TFatRect flow;
    bool first = true;
    int offset = 0;
    while (offset < text.size()) {
        const QString rest = text.mid(offset);
        int n = FittingPrefix(pass.Canvas, rest, pass.Clip.Right - x);
        if (n == 0) {
            if (x > pass.Clip.Left) {
                x = pass.Clip.Left;
                y += pass.LineHeight;
                continue;
            }
            // Not even one character fits a whole row: show one per row rather than never
            // finishing.
            n = rest.size() > 1 && rest[0].isHighSurrogate() ? 2 : 1;
        }
        const QString row = rest.left(n);
        const TFatRect run =
            DrawRun(pass, row, pass.Canvas.TextWidth(row), offset, x, y, selected, fg, bg, probe);
        if (first) {
            flow.Left = run.Left;
            flow.Top = run.Top;
            first = false;
        }
        flow.Right = run.Right;
        flow.Bottom = run.Bottom;
        offset += n;
        if (offset < text.size()) {
            x = pass.Clip.Left;
            y += pass.LineHeight;
        }
    }
    return flow;
}

// `width` is the width of `text` in the canvas font.
TTextResult LayoutText(const TFatPass& pass, const QString& text, int width, int& x, int& y,
                       std::optional<TCharRange> selected, TProbe* probe,
                       QStaticText* glyphs = nullptr) {
    TFatCanvas& canvas = pass.Canvas;
    const int height = canvas.TextHeight();
    const TColor fg = canvas.FontColor;
    const TColor bg = canvas.BrushColor;
    TFatRect flow;
    if ((pass.Flags & dfWordWrap) && x + width > pass.Clip.Right) {
        flow = DrawWrapped(pass, text, x, y, selected, fg, bg, probe);
    } else {
        flow = DrawRun(pass, text, width, 0, x, y, selected, fg, bg, probe, glyphs);
    }
    return {flow, width, height};
}

std::optional<TCharRange> SelectedChars(const TFatPass& pass, const TFatPart& part,
                                        TFatPosition at) {
    const TFatSelection* sel = pass.Selection;
    if (!sel) {
        return std::nullopt;
    }
    const auto key = [](const TFatPosition& p) { return std::pair(p.Line, p.Part); };
    if (key(at) < key(sel->Start) || key(sel->End) < key(at)) {
        return std::nullopt;
    }
    const int first = key(at) == key(sel->Start) ? std::max(sel->Start.Char, 1) : 1;
    const int last = key(at) == key(sel->End) ? sel->End.Char : part.TextLength();
    if (first > last) {
        return std::nullopt;
    }
    return TCharRange{first, last};
}

void LayoutImage(const TFatPass& pass, TFatPart& part, int& x, int& y) {
    const QImage& image = *part.Graphic();
    const int w = image.width();
    const int h = image.height();
    part.SetMeasuredSize(w, h);
    if (pass.Flags & dfDontDraw) {
        return;
    }
    TFatRect& flow = part.Layout().Flow;
    if ((pass.Flags & dfWordWrap) && x + w > pass.Clip.Right) {
        y += pass.LineHeight;
        x = pass.Clip.Left;
        flow = {x, y, x, y + pass.LineHeight};
    }
    TFatRect target;
    if (pass.Flags & dfStretchImages) {
        target = {x, y, x + w, y + pass.LineHeight};
    } else {
        const int top = AlignedTop(pass.Flags, y, pass.LineHeight, h);
        target = {x, top, x + w, top + h};
    }
    if (Draws(pass)) {
        pass.Canvas.DrawImage(target.Intersected(pass.Clip), image);
    }
    flow.Top = target.Top;
    flow.Bottom = target.Bottom;
    flow.Right += w;
    x += w;
}

void RecordStart(const TFatPass& pass, TFatLayout& layout, int x, int y) {
    layout.FontColor = pass.Canvas.FontColor;
    layout.BrushColor = pass.Canvas.BrushColor;
    layout.FontStyle = pass.Canvas.Style();
    layout.X = x;
    layout.Y = y;
    layout.LineHeight = pass.LineHeight;
    layout.Clip = pass.Clip;
    layout.Flags = pass.Flags;
    layout.Flow = {x, y, x, y + pass.LineHeight};
}

void LayoutPart(const TFatPass& pass, TFatPart& part, TFatPosition at, int& x, int& y) {
    RecordStart(pass, part.Layout(), x, y);
    part.SetMeasuredSize(0, 0);
    const bool apply = !(pass.Flags & dfDontDraw);
    switch (part.Kind()) {
    case pkNone:
        break;
    case pkColor:
        if (apply && part.FontColor() != clNone) {
            pass.Canvas.FontColor = part.FontColor();
        }
        if (apply && part.BackColor() != clNone) {
            pass.Canvas.BrushColor = part.BackColor();
        }
        break;
    case pkStyle:
        if (apply) {
            pass.Canvas.SetStyle(part.FontStyle());
        }
        break;
    case pkText: {
        TFatPart::TTextCache& cache = part.TextCache();
        if (cache.Width < 0 || cache.Font != pass.Canvas.Font()) {
            cache = {pass.Canvas.Font(), pass.Canvas.TextWidth(part.Text()), {}};
        }
        const TTextResult r = LayoutText(pass, part.Text(), cache.Width, x, y,
                                         SelectedChars(pass, part, at), nullptr, &cache.Glyphs);
        part.SetMeasuredSize(r.Width, r.Height);
        part.Layout().Flow = r.Flow;
        break;
    }
    case pkImage:
        if (part.Graphic()) {
            LayoutImage(pass, part, x, y);
        }
        break;
    }
}

} // namespace

void LayoutLine(const TFatPass& pass, TFatLine& line, int lineIndex, int& x, int& y) {
    TFatLayout& layout = line.Layout();
    RecordStart(pass, layout, x, y);
    int total = 0;
    for (int i = 0; i < line.PartCount(); ++i) {
        TFatPart& part = line.Parts(i);
        LayoutPart(pass, part, TFatPosition{lineIndex, i, 0}, x, y);
        total += part.Width();
    }
    line.SetTotalWidth(total);
    layout.Flow = {layout.X, layout.Y, x, y + pass.LineHeight};
    y += pass.LineHeight;
}

int ProbePartChar(const TFatPart& part, int px, int py) {
    if (part.Kind() != pkText) {
        return 0;
    }
    const TFatLine* line = part.Owner();
    const TFatMemo* memo = line && line->Owner() ? line->Owner()->Memo() : nullptr;
    if (!memo) {
        return 0;
    }
    const TFatLayout& l = part.Layout();
    TFatCanvas canvas(nullptr, memo->font(), memo->palette());
    canvas.Reset(l.FontColor, l.BrushColor);
    canvas.SetStyle(l.FontStyle);
    const TFatPass pass{canvas, TDrawFlags(l.Flags | dfDontDraw), l.Clip, l.LineHeight, nullptr};
    int x = l.X;
    int y = l.Y;
    TProbe probe{px, py};
    LayoutText(pass, part.Text(), canvas.TextWidth(part.Text()), x, y, std::nullopt, &probe);
    return probe.Result;
}

} // namespace platterwise
