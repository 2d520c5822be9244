// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer: hover cursor, clicks on links and text, drag-to-copy, the sample mail link.
#include "MemoTestSupport.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QUrl>
#include <gmock/gmock.h>

namespace platterwise {
namespace {

using namespace testing;

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

class FatPointer : public ::testing::Test {
protected:
    FatPointer() {
        memo_->SetColor(clWhite);
        testing::ShowExposed(*memo_);
        memo_->OnClick = [this](TFatMemo&) { ++clicks_; };
        memo_->OnLinkClick = [this](TFatMemo&, const QString& link) { links_ << link; };
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }
    TFatPart& Part(int line, int part) { return memo_->Lines().Items(line).Parts(part); }
    QString Clipboard() const { return QGuiApplication::clipboard()->text(); }
    void PressRelease(QPoint at) {
        Press(*memo_, at);
        Release(*memo_, at);
    }
    int HighlightPixels() { return CountPixels(Render(*memo_), memo_->rect(), Rgb(clBlack)); }

    std::unique_ptr<TFatMemo> memo_ = MakeMemo(300, 200);
    int clicks_ = 0;
    QStringList links_;
};

TEST_F(FatPointer, HandCursorOnlyOverLinkedText) {
    memo_->Lines().Add().SetTaggedText(Tagged("plain <target>linked"));
    // Parts: "plain ", link start, "target" (linked), link end, "linked".
    const QPoint overLink = CharCentre(Part(0, 2), 2);
    Hover(*memo_, overLink);
    EXPECT_EQ(memo_->HoverPart(), &Part(0, 2));
    EXPECT_EQ(memo_->cursor().shape(), Qt::PointingHandCursor);
    Hover(*memo_, CharCentre(Part(0, 4), 1));
    EXPECT_EQ(memo_->cursor().shape(), Qt::ArrowCursor);
    Hover(*memo_, overLink);
    EXPECT_EQ(memo_->cursor().shape(), Qt::PointingHandCursor);
    Hover(*memo_, QPoint(250, 150)); // below the text
    EXPECT_EQ(memo_->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(memo_->HoverPart(), nullptr);
    EXPECT_EQ(memo_->HoverLine(), nullptr);

    Hover(*memo_, overLink);
    int outs = 0;
    memo_->OnMouseOut = [&](TFatMemo&) { ++outs; };
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(memo_.get(), &leave);
    EXPECT_EQ(memo_->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(memo_->HoverPart(), nullptr);
    EXPECT_EQ(outs, 1);
}

// Lines scrolled out of view keep the places of an older paint; they must not be hit.
TEST_F(FatPointer, OnlyLinesOfTheLastPaintAreHit) {
    for (int i = 0; i < 50; ++i)
        memo_->Lines().AddLine(QStringLiteral("line %1").arg(i));
    memo_->SetTopIndex(30);
    memo_->SetTopIndex(0);
    Hover(*memo_, CharCentre(Part(0, 0), 2));
    EXPECT_EQ(memo_->HoverLine(), &memo_->Lines().Items(0));
}

TEST_F(FatPointer, ClickOnLinkOnTextAndOnEmptySpace) {
    memo_->Lines().Add().SetTaggedText(Tagged("<http://example.org/a>go"));
    memo_->Lines().AddLine(QStringLiteral("plain"));
    PressRelease(CharCentre(Part(0, 1), 3));
    EXPECT_EQ(links_, QStringList{QStringLiteral("http://example.org/a")});
    EXPECT_EQ(clicks_, 0);
    PressRelease(CharCentre(Part(1, 0), 2));
    EXPECT_EQ(clicks_, 1);
    PressRelease(QPoint(250, 150));
    EXPECT_EQ(std::pair(clicks_, int(links_.size())), std::pair(1, 1));
    // A press on text released outside the memo still clicks, on release.
    Press(*memo_, CharCentre(Part(1, 0), 1));
    Release(*memo_, QPoint(-20, -20));
    EXPECT_EQ(clicks_, 2);
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));
}

TEST_F(FatPointer, DragAcrossLinesHighlightsAndCopiesExactlyTheRange) {
    memo_->Lines().AddLine(QStringLiteral("abcdef"));
    memo_->Lines().Add().SetTaggedText(Tagged("gh^4ij*kl"));
    memo_->Lines().AddLine(QStringLiteral("mnopqr"));
    EXPECT_EQ(HighlightPixels(), 0);
    Press(*memo_, CharCentre(Part(0, 0), 3));
    DragTo(*memo_, CharCentre(Part(1, 0), 1));
    DragTo(*memo_, CharCentre(Part(2, 0), 2));
    EXPECT_TRUE(memo_->Selecting());
    const QImage held = Render(*memo_);
    // White on black from "c" on; "ab" keeps its colours.
    const TFatRect& first = Part(0, 0).Layout().Flow;
    const int cLeft = first.Left + QFontMetrics(TestFont()).horizontalAdvance(QStringLiteral("ab"));
    EXPECT_EQ(CountPixels(held, QRect(first.Left, first.Top, cLeft - first.Left, 10), Rgb(clBlack)),
              0);
    EXPECT_GT(CountPixels(held, QRect(cLeft, first.Top, first.Right - cLeft, 10), Rgb(clBlack)),
              20);
    EXPECT_GT(CountPixels(held, Part(1, 2).Layout().Flow.ToQRect(), Rgb(clWhite)), 5);
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));

    Release(*memo_, CharCentre(Part(2, 0), 2));
    EXPECT_EQ(Clipboard(), QStringLiteral("cdef\r\nghijkl\r\nmn"));
    EXPECT_FALSE(memo_->Selecting());
    EXPECT_EQ(HighlightPixels(), 0);
    EXPECT_EQ(clicks_, 0);
}

TEST_F(FatPointer, DragsWithinOnePartAndBackwardDrags) {
    memo_->Lines().AddLine(QStringLiteral("abcdef"));
    memo_->Lines().AddLine(QStringLiteral("ghijkl"));
    const auto drag = [&](QPoint from, QPoint to) {
        Press(*memo_, from);
        DragTo(*memo_, to);
        const int highlighted = HighlightPixels();
        Release(*memo_, to);
        return highlighted;
    };
    EXPECT_GT(drag(CharCentre(Part(0, 0), 2), CharCentre(Part(0, 0), 4)), 0);
    EXPECT_EQ(Clipboard(), QStringLiteral("bcd"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    EXPECT_EQ(drag(CharCentre(Part(1, 0), 3), CharCentre(Part(0, 0), 2)), 0);
    EXPECT_EQ(Clipboard(), QStringLiteral("before")); // across lines: untouched
    EXPECT_EQ(drag(CharCentre(Part(0, 0), 5), CharCentre(Part(0, 0), 2)), 0);
    EXPECT_EQ(Clipboard(), QString()); // within one part: an empty text
}

TEST_F(FatPointer, ModifiersOrOtherButtonsNeitherSelectNorClick) {
    memo_->Lines().AddLine(QStringLiteral("abcdef"));
    const QPoint from = CharCentre(Part(0, 0), 1);
    const QPoint to = CharCentre(Part(0, 0), 5);

    Press(*memo_, from, Qt::ShiftModifier);
    DragTo(*memo_, to);
    EXPECT_FALSE(memo_->Selecting());
    Release(*memo_, to);

    Press(*memo_, from);
    DragTo(*memo_, to, Qt::ControlModifier);
    EXPECT_FALSE(memo_->Selecting());
    SendMouse(*memo_, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_FALSE(memo_->Selecting());
    Release(*memo_, to);
    EXPECT_EQ(clicks_, 1); // the plain press armed a click; the modified one did not

    SendMouse(*memo_, QEvent::MouseButtonPress, from, Qt::RightButton, Qt::RightButton);
    SendMouse(*memo_, QEvent::MouseButtonRelease, from, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(clicks_, 1);
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));
}

// A press beside the text leaves nothing to drag from, even after an earlier selection.
TEST_F(FatPointer, DragStartedOnEmptySpaceSelectsNothing) {
    memo_->Lines().AddLine(QStringLiteral("abcdef"));
    Press(*memo_, CharCentre(Part(0, 0), 1));
    DragTo(*memo_, CharCentre(Part(0, 0), 2));
    Release(*memo_, CharCentre(Part(0, 0), 2));
    ASSERT_EQ(Clipboard(), QStringLiteral("ab"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    Press(*memo_, QPoint(250, 150));
    DragTo(*memo_, CharCentre(Part(0, 0), 4));
    EXPECT_FALSE(memo_->Selecting());
    Release(*memo_, CharCentre(Part(0, 0), 4));
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));
}

TEST_F(FatPointer, SampleMailLinkOpensThroughTheDesktop) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "Open");
    TFatMemo fresh;
    fresh.setFont(TestFont());
    fresh.resize(640, 60);
    ShowExposed(fresh);
    fresh.OnLinkClick = [this](TFatMemo&, const QString& link) { links_ << link; };
    const TFatPart& mail = fresh.Lines().Items(0).Parts(5);
    ASSERT_TRUE(mail.HasLink());
    Press(fresh, CharCentre(mail, 3));
    Release(fresh, CharCentre(mail, 3));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(QStringLiteral("mailto:") + catcher.urls[0].path(), mail.Link());
    EXPECT_TRUE(links_.isEmpty());
}

TEST_F(FatPointer, DeletingHoveredOrSelectedLinesForgetsThem) {
    memo_->Lines().Add().SetTaggedText(Tagged("<L>abc"));
    memo_->Lines().AddLine(QStringLiteral("def"));
    Hover(*memo_, CharCentre(Part(0, 1), 1));
    ASSERT_EQ(memo_->cursor().shape(), Qt::PointingHandCursor);
    // New parts for the hovered line: the old hovered part is gone, and so is the hand.
    memo_->Lines().Items(0).SetTaggedText(QStringLiteral("xyz"));
    EXPECT_EQ(memo_->HoverPart(), nullptr);
    EXPECT_EQ(memo_->cursor().shape(), Qt::ArrowCursor);

    Press(*memo_, CharCentre(Part(0, 0), 1));
    DragTo(*memo_, CharCentre(Part(1, 0), 2));
    ASSERT_TRUE(memo_->Selecting());
    memo_->Lines().Clear();
    EXPECT_FALSE(memo_->Selecting());
    EXPECT_EQ(memo_->HoverLine(), nullptr);
    EXPECT_EQ(memo_->HoverPart(), nullptr);
    DragTo(*memo_, QPoint(20, 10));
    Release(*memo_, QPoint(20, 10));
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));
}

} // namespace
} // namespace platterwise

#include "FatPointerTest.moc"
