#include "FatMemo.h"

#include "FatCanvas_p.h"
#include "FatLayout_p.h"
#include "FatSampleLine_p.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace platterwise {

namespace {

QScrollBar* MakeBar(Qt::Orientation orientation, const char* name, QWidget* parent) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, 0);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    // A hand shown over linked text must not spill onto the bar.
    bar->setCursor(Qt::ArrowCursor);
    return bar;
}

} // namespace

TFatMemo::TFatMemo(QWidget* parent)
    : QWidget(parent)
    , FLines(std::make_unique<TFatLines>(this))
    , FVertBar(MakeBar(Qt::Vertical, "ScrollBarVert", this))
    , FHorzBar(MakeBar(Qt::Horizontal, "ScrollBarHoriz", this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    FHorzBar->hide();
    connect(FVertBar, &QScrollBar::valueChanged, this, &TFatMemo::VertScrolled);
    resize(150, 100);
    FLines->OnChange = [this] { LinesChanged(); };
    AddSampleLine(*FLines);
}

TFatMemo::~TFatMemo() {
    // Lines die first and quietly; nothing may reach back into a half-destroyed widget.
    FLines.reset();
}

void TFatMemo::SetColor(TColor c) {
    if (c == FColor)
        return;
    FColor = c;
    Repaint();
}

void TFatMemo::SetFontColor(TColor c) {
    if (c == FFontColor)
        return;
    FFontColor = c;
    Repaint();
}

TFontStyles TFatMemo::FontStyle() const {
    return FontStylesOf(font());
}

void TFatMemo::SetFontStyle(TFontStyles style) {
    QFont f = font();
    ApplyFontStyles(f, style);
    setFont(f);
}

void TFatMemo::SetBorderStyle(TBorderStyle style) {
    if (style == FBorderStyle)
        return;
    FBorderStyle = style;
    Repaint();
}

void TFatMemo::SetTopIndex(int index) {
    if (index == FTopIndex || index < 0 || index >= FLines->Count() || FBottomAnchoring)
        return;
    FTopIndex = index;
    SyncVertBar();
    Repaint();
}

void TFatMemo::SetLineHeight(int height) {
    if (height == FLineHeight || height <= 0)
        return;
    FLineHeight = height;
    Repaint();
}

void TFatMemo::SetDrawFlags(TDrawFlags flags) {
    if (flags == FDrawFlags)
        return;
    FDrawFlags = flags;
    Repaint();
}

void TFatMemo::SetStickText(TStickText stick) {
    if (stick == FStickText)
        return;
    FStickText = stick;
    Repaint();
}

bool TFatMemo::ScrollBarVert() const {
    return !FVertBar->isHidden();
}

void TFatMemo::SetScrollBarVert(bool visible) {
    if (visible == ScrollBarVert())
        return;
    FVertBar->setVisible(visible);
    PlaceScrollBars();
    Repaint();
}

void TFatMemo::SetScrollBarHoriz(bool) {
    FHorzBar->hide();
}

void TFatMemo::LinesChanged() {
    const int highest = std::max(0, FLines->Count() - 1);
    if (FTopIndex > highest) {
        FTopIndex = highest;
        SyncVertBar();
    }
    Repaint();
    if (OnChange)
        OnChange(*this);
}

void TFatMemo::LineDeleting(TFatLine& line) {
    FSelecting = false;
    FSelAnchored = false;
    if (FHoverPart && FHoverPart->Owner() == &line)
        ForgetHoverPart();
    if (FHoverLine == &line)
        FHoverLine = nullptr;
    // Line indices shift: nothing is hit until the next paint lays the lines out again.
    FFirstLaid = 0;
    FLastLaid = -1;
}

void TFatMemo::PartDeleting(TFatPart& part) {
    if (FHoverPart == &part)
        ForgetHoverPart();
}

void TFatMemo::Repaint() {
    if (FPainting) {
        update(); // a change made while painting shows in the next paint
        return;
    }
    if (isVisible())
        repaint(ContentPart());
}

QRect TFatMemo::ContentPart() const {
    // The bars repaint themselves when their range or position changes.
    QRect r = rect();
    if (!FVertBar->isHidden())
        r.setRight(FVertBar->x() - 1);
    if (!FHorzBar->isHidden())
        r.setBottom(FHorzBar->y() - 1);
    return r;
}

void TFatMemo::RedrawOver() {
    if (FPainting || !isVisible())
        return;
    FFillBackground = false;
    repaint(ContentPart());
    FFillBackground = true;
}

void TFatMemo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    FPainting = true;
    DrawLines(painter, FFillBackground);
    FPainting = false;
}

void TFatMemo::resizeEvent(QResizeEvent*) {
    PlaceScrollBars();
}

void TFatMemo::PlaceScrollBars() {
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, FVertBar);
    const int w = width();
    const int h = height();
    const bool vert = !FVertBar->isHidden();
    const bool horz = !FHorzBar->isHidden();
    FHorzBar->setGeometry(0, h - extent, vert ? w - extent : w, extent);
    FVertBar->setGeometry(w - extent, 0, extent, horz ? h - extent : h);
}

void TFatMemo::VertScrolled(int position) {
    SetTopIndex(position);
    if (OnScrollVert)
        OnScrollVert(*this);
}

void TFatMemo::SyncVertBar() {
    const QSignalBlocker quiet(FVertBar);
    FVertBar->setValue(FTopIndex);
}

void TFatMemo::DrawLines(QPainter& painter, bool fillBackground) {
    TFatCanvas canvas(&painter, font(), palette());
    TFatRect r{0, 0, width(), height()};
    const bool vert = !FVertBar->isHidden();
    const bool horz = !FHorzBar->isHidden();
    if (vert)
        r.Right = FVertBar->x() - 1;
    if (horz)
        r.Bottom = FHorzBar->y() - 1;
    if (fillBackground) {
        // The pixel left between the content and each bar.
        canvas.Fill({r.Right, 0, vert ? FVertBar->x() : width(), height()}, clBtnFace);
        canvas.Fill({0, r.Bottom, r.Right, horz ? FHorzBar->y() : height()}, clBtnFace);
    }
    if (FBorderStyle == bsSingle) {
        canvas.Frame(r, clBtnShadow, clWindow);
        r = r.Inset(1, 1);
        canvas.Frame(r, clWindowText, clBtnFace);
        r = r.Inset(1, 1);
    }
    if (fillBackground)
        canvas.Fill(r, FColor);
    canvas.Reset(FFontColor, FColor);
    // Rows are never lower than the font; painting is already under way, so the raised
    // height simply applies to this pass.
    FLineHeight = std::max({FLineHeight, canvas.TextHeight(), 1});
    r = r.Inset(3, 4);

    FFirstLaid = 0;
    FLastLaid = -1;
    const int count = FLines->Count();
    if (count == 0 || count <= FTopIndex) {
        FVertBar->setMaximum(0);
        FHorzBar->setMaximum(0);
        return;
    }
    FVertBar->setMaximum(std::max(0, (count - 1) - (r.Bottom - r.Top) / FLineHeight));

    const TFatSelection selection{FSelStart, FSelEnd};
    const TFatPass pass{canvas, FDrawFlags, r, FLineHeight, FSelecting ? &selection : nullptr};
    if (FStickText == stBottom)
        DrawFromBottom(pass);
    else
        DrawFromTop(pass);

    if (!(FDrawFlags & dfWordWrap)) {
        FHorzBar->setMaximum(std::max(r.Right - r.Left, FLines->WidestLine()));
    }
}

void TFatMemo::DrawFromTop(const TFatPass& pass) {
    const int count = FLines->Count();
    int x = pass.Clip.Left;
    int y = pass.Clip.Top;
    FFirstLaid = FTopIndex;
    for (int i = FTopIndex; i < count && (i == FTopIndex || y <= pass.Clip.Bottom); ++i) {
        pass.Canvas.Reset(FFontColor, FColor);
        LayoutLine(pass, FLines->Items(i), i, x, y);
        x = pass.Clip.Left;
        FLastLaid = i;
    }
}

void TFatMemo::DrawFromBottom(const TFatPass& pass) {
    // A line's height is known only once it is laid out (it may wrap), so each line is
    // measured on a canvas that draws nothing before it is placed.
    TFatCanvas measure(nullptr, font(), palette());
    const TFatPass dry{measure, pass.Flags, pass.Clip, pass.LineHeight, nullptr};
    const int count = FLines->Count();
    int bottom = pass.Clip.Bottom;
    FLastLaid = count - 1;
    for (int i = count - 1; i >= 0; --i) {
        TFatLine& line = FLines->Items(i);
        int x = pass.Clip.Left;
        int y = 0;
        measure.Reset(FFontColor, FColor);
        LayoutLine(dry, line, i, x, y);
        int top = bottom - y;
        x = pass.Clip.Left;
        y = top;
        pass.Canvas.Reset(FFontColor, FColor);
        LayoutLine(pass, line, i, x, y);
        FFirstLaid = i;
        bottom = top;
        if (top < pass.Clip.Top)
            break;
    }
    FBottomAnchoring = true;
    FVertBar->setValue(FVertBar->maximum());
    FBottomAnchoring = false;
}

} // namespace platterwise
