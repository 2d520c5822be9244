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
    , lines_(std::make_unique<TFatLines>(this))
    , vertBar_(MakeBar(Qt::Vertical, "ScrollBarVert", this))
    , horzBar_(MakeBar(Qt::Horizontal, "ScrollBarHoriz", this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    horzBar_->hide();
    connect(vertBar_, &QScrollBar::valueChanged, this, &TFatMemo::VertScrolled);
    resize(150, 100);
    lines_->OnChange = [this] { LinesChanged(); };
    AddSampleLine(*lines_);
}

TFatMemo::~TFatMemo() {
    // Lines die first and quietly; nothing may reach back into a half-destroyed widget.
    lines_.reset();
}

void TFatMemo::SetColor(TColor c) {
    if (c == color_) {
        return;
    }
    color_ = c;
    Repaint();
}

void TFatMemo::SetFontColor(TColor c) {
    if (c == fontColor_) {
        return;
    }
    fontColor_ = c;
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
    if (style == borderStyle_) {
        return;
    }
    borderStyle_ = style;
    Repaint();
}

void TFatMemo::SetTopIndex(int index) {
    if (index == topIndex_ || index < 0 || index >= lines_->Count() || bottomAnchoring_) {
        return;
    }
    topIndex_ = index;
    SyncVertBar();
    Repaint();
}

void TFatMemo::SetLineHeight(int height) {
    if (height == lineHeight_ || height <= 0) {
        return;
    }
    lineHeight_ = height;
    Repaint();
}

void TFatMemo::SetDrawFlags(TDrawFlags flags) {
    if (flags == drawFlags_) {
        return;
    }
    drawFlags_ = flags;
    Repaint();
}

void TFatMemo::SetStickText(TStickText stick) {
    if (stick == stickText_) {
        return;
    }
    stickText_ = stick;
    Repaint();
}

bool TFatMemo::ScrollBarVert() const {
    return !vertBar_->isHidden();
}

void TFatMemo::SetScrollBarVert(bool visible) {
    if (visible == ScrollBarVert()) {
        return;
    }
    vertBar_->setVisible(visible);
    PlaceScrollBars();
    Repaint();
}

void TFatMemo::SetScrollBarHoriz(bool) {
    horzBar_->hide();
}

void TFatMemo::LinesChanged() {
    const int highest = std::max(0, lines_->Count() - 1);
    if (topIndex_ > highest) {
        topIndex_ = highest;
        SyncVertBar();
    }
    Repaint();
    if (OnChange) {
        OnChange(*this);
    }
}

void TFatMemo::LineDeleting(TFatLine& line) {
    selecting_ = false;
    selAnchored_ = false;
    if (hoverPart_ && hoverPart_->Owner() == &line) {
        ForgetHoverPart();
    }
    if (hoverLine_ == &line) {
        hoverLine_ = nullptr;
    }
    // Line indices shift: nothing is hit until the next paint lays the lines out again.
    firstLaid_ = 0;
    lastLaid_ = -1;
}

void TFatMemo::PartDeleting(TFatPart& part) {
    if (hoverPart_ == &part) {
        ForgetHoverPart();
    }
}

void TFatMemo::Repaint() {
    if (painting_) {
        update(); // a change made while painting shows in the next paint
        return;
    }
    if (isVisible()) {
        repaint(ContentPart());
    }
}

QRect TFatMemo::ContentPart() const {
    // The bars repaint themselves when their range or position changes.
    QRect r = rect();
    if (!vertBar_->isHidden()) {
        r.setRight(vertBar_->x() - 1);
    }
    if (!horzBar_->isHidden()) {
        r.setBottom(horzBar_->y() - 1);
    }
    return r;
}

void TFatMemo::RedrawOver() {
    if (painting_ || !isVisible()) {
        return;
    }
    fillBackground_ = false;
    repaint(ContentPart());
    fillBackground_ = true;
}

void TFatMemo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painting_ = true;
    DrawLines(painter, fillBackground_);
    painting_ = false;
}

void TFatMemo::resizeEvent(QResizeEvent*) {
    PlaceScrollBars();
}

void TFatMemo::PlaceScrollBars() {
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vertBar_);
    const int w = width();
    const int h = height();
    const bool vert = !vertBar_->isHidden();
    const bool horz = !horzBar_->isHidden();
    horzBar_->setGeometry(0, h - extent, vert ? w - extent : w, extent);
    vertBar_->setGeometry(w - extent, 0, extent, horz ? h - extent : h);
}

void TFatMemo::VertScrolled(int position) {
    SetTopIndex(position);
    if (OnScrollVert) {
        OnScrollVert(*this);
    }
}

void TFatMemo::SyncVertBar() {
    const QSignalBlocker quiet(vertBar_);
    vertBar_->setValue(topIndex_);
}

void TFatMemo::DrawLines(QPainter& painter, bool fillBackground) {
    TFatCanvas canvas(&painter, font(), palette());
    TFatRect r{0, 0, width(), height()};
    const bool vert = !vertBar_->isHidden();
    const bool horz = !horzBar_->isHidden();
    if (vert) {
        r.Right = vertBar_->x() - 1;
    }
    if (horz) {
        r.Bottom = horzBar_->y() - 1;
    }
    if (fillBackground) {
        // The pixel left between the content and each bar.
        canvas.Fill({r.Right, 0, vert ? vertBar_->x() : width(), height()}, clBtnFace);
        canvas.Fill({0, r.Bottom, r.Right, horz ? horzBar_->y() : height()}, clBtnFace);
    }
    if (borderStyle_ == bsSingle) {
        canvas.Frame(r, clBtnShadow, clWindow);
        r = r.Inset(1, 1);
        canvas.Frame(r, clWindowText, clBtnFace);
        r = r.Inset(1, 1);
    }
    if (fillBackground) {
        canvas.Fill(r, color_);
    }
    canvas.Reset(fontColor_, color_);
    // Rows are never lower than the font; painting is already under way, so the raised
    // height simply applies to this pass.
    lineHeight_ = std::max({lineHeight_, canvas.TextHeight(), 1});
    r = r.Inset(3, 4);

    firstLaid_ = 0;
    lastLaid_ = -1;
    const int count = lines_->Count();
    if (count == 0 || count <= topIndex_) {
        vertBar_->setMaximum(0);
        horzBar_->setMaximum(0);
        return;
    }
    vertBar_->setMaximum(std::max(0, (count - 1) - (r.Bottom - r.Top) / lineHeight_));

    const TFatSelection selection{selStart_, selEnd_};
    const TFatPass pass{canvas, drawFlags_, r, lineHeight_, selecting_ ? &selection : nullptr};
    if (stickText_ == stBottom) {
        DrawFromBottom(pass);
    } else {
        DrawFromTop(pass);
    }

    if (!(drawFlags_ & dfWordWrap)) {
        horzBar_->setMaximum(std::max(r.Right - r.Left, lines_->WidestLine()));
    }
}

void TFatMemo::DrawFromTop(const TFatPass& pass) {
    const int count = lines_->Count();
    int x = pass.Clip.Left;
    int y = pass.Clip.Top;
    firstLaid_ = topIndex_;
    for (int i = topIndex_; i < count && (i == topIndex_ || y <= pass.Clip.Bottom); ++i) {
        pass.Canvas.Reset(fontColor_, color_);
        LayoutLine(pass, lines_->Items(i), i, x, y);
        x = pass.Clip.Left;
        lastLaid_ = i;
    }
}

void TFatMemo::DrawFromBottom(const TFatPass& pass) {
    // A line's height is known only once it is laid out (it may wrap), so each line is
    // measured on a canvas that draws nothing before it is placed.
    TFatCanvas measure(nullptr, font(), palette());
    const TFatPass dry{measure, pass.Flags, pass.Clip, pass.LineHeight, nullptr};
    const int count = lines_->Count();
    int bottom = pass.Clip.Bottom;
    lastLaid_ = count - 1;
    for (int i = count - 1; i >= 0; --i) {
        TFatLine& line = lines_->Items(i);
        int x = pass.Clip.Left;
        int y = 0;
        measure.Reset(fontColor_, color_);
        LayoutLine(dry, line, i, x, y);
        int top = bottom - y;
        x = pass.Clip.Left;
        y = top;
        pass.Canvas.Reset(fontColor_, color_);
        LayoutLine(pass, line, i, x, y);
        firstLaid_ = i;
        bottom = top;
        if (top < pass.Clip.Top) {
            break;
        }
    }
    bottomAnchoring_ = true;
    vertBar_->setValue(vertBar_->maximum());
    bottomAnchoring_ = false;
}

} // namespace platterwise
