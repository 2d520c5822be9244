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
        memo->SetColor(clWhite);
        testing::ShowExposed(*memo);
        memo->OnClick = [this](TFatMemo&) { ++clicks; };
        memo->OnLinkClick = [this](TFatMemo&, const QString& link) { links << link; };
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }
    TFatPart& Part(int line, int part) { return memo->Lines().Items(line).Parts(part); }
    QString Clipboard() const { return QGuiApplication::clipboard()->text(); }
    void PressRelease(QPoint at) {
        Press(*memo, at);
        Release(*memo, at);
    }
    int HighlightPixels() { return CountPixels(Render(*memo), memo->rect(), Rgb(clBlack)); }

    std::unique_ptr<TFatMemo> memo = MakeMemo(300, 200);
    int clicks = 0;
    QStringList links;
};

TEST_F(FatPointer, HandCursorOnlyOverLinkedText) {
    memo->Lines().Add().SetTaggedText(Tagged("plain <target>linked"));
    // Parts: "plain ", link start, "target" (linked), link end, "linked".
    const QPoint overLink = CharCentre(Part(0, 2), 2);
    Hover(*memo, overLink);
    EXPECT_EQ(memo->HoverPart(), &Part(0, 2));
    EXPECT_EQ(memo->cursor().shape(), Qt::PointingHandCursor);
    Hover(*memo, CharCentre(Part(0, 4), 1));
    EXPECT_EQ(memo->cursor().shape(), Qt::ArrowCursor);
    Hover(*memo, overLink);
    EXPECT_EQ(memo->cursor().shape(), Qt::PointingHandCursor);
    Hover(*memo, QPoint(250, 150)); // below the text
    EXPECT_EQ(memo->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(memo->HoverPart(), nullptr);
    EXPECT_EQ(memo->HoverLine(), nullptr);

    Hover(*memo, overLink);
    int outs = 0;
    memo->OnMouseOut = [&](TFatMemo&) { ++outs; };
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(memo.get(), &leave);
    EXPECT_EQ(memo->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(memo->HoverPart(), nullptr);
    EXPECT_EQ(outs, 1);
}

// Lines scrolled out of view keep the places of an older paint; they must not be hit.
TEST_F(FatPointer, OnlyLinesOfTheLastPaintAreHit) {
    for (int i = 0; i < 50; ++i)
        memo->Lines().AddLine(QStringLiteral("line %1").arg(i));
    memo->SetTopIndex(30);
    memo->SetTopIndex(0);
    Hover(*memo, CharCentre(Part(0, 0), 2));
    EXPECT_EQ(memo->HoverLine(), &memo->Lines().Items(0));
}

TEST_F(FatPointer, ClickOnLinkOnTextAndOnEmptySpace) {
    memo->Lines().Add().SetTaggedText(Tagged("<http://example.org/a>go"));
    memo->Lines().AddLine(QStringLiteral("plain"));
    PressRelease(CharCentre(Part(0, 1), 3));
    EXPECT_EQ(links, QStringList{QStringLiteral("http://example.org/a")});
    EXPECT_EQ(clicks, 0);
    PressRelease(CharCentre(Part(1, 0), 2));
    EXPECT_EQ(clicks, 1);
    PressRelease(QPoint(250, 150));
    EXPECT_EQ(std::pair(clicks, int(links.size())), std::pair(1, 1));
    // A press on text released outside the memo still clicks, on release.
    Press(*memo, CharCentre(Part(1, 0), 1));
    Release(*memo, QPoint(-20, -20));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));
}

TEST_F(FatPointer, DragAcrossLinesHighlightsAndCopiesExactlyTheRange) {
    memo->Lines().AddLine(QStringLiteral("abcdef"));
    memo->Lines().Add().SetTaggedText(Tagged("gh^4ij*kl"));
    memo->Lines().AddLine(QStringLiteral("mnopqr"));
    EXPECT_EQ(HighlightPixels(), 0);
    Press(*memo, CharCentre(Part(0, 0), 3));
    DragTo(*memo, CharCentre(Part(1, 0), 1));
    DragTo(*memo, CharCentre(Part(2, 0), 2));
    EXPECT_TRUE(memo->Selecting());
    const QImage held = Render(*memo);
    // White on black from "c" on; "ab" keeps its colours.
    const TFatRect& first = Part(0, 0).Layout().Flow;
    const int cLeft = first.Left + QFontMetrics(TestFont()).horizontalAdvance(QStringLiteral("ab"));
    EXPECT_EQ(CountPixels(held, QRect(first.Left, first.Top, cLeft - first.Left, 10), Rgb(clBlack)),
              0);
    EXPECT_GT(CountPixels(held, QRect(cLeft, first.Top, first.Right - cLeft, 10), Rgb(clBlack)),
              20);
    EXPECT_GT(CountPixels(held, Part(1, 2).Layout().Flow.ToQRect(), Rgb(clWhite)), 5);
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));

    Release(*memo, CharCentre(Part(2, 0), 2));
    EXPECT_EQ(Clipboard(), QStringLiteral("cdef\r\nghijkl\r\nmn"));
    EXPECT_FALSE(memo->Selecting());
    EXPECT_EQ(HighlightPixels(), 0);
    EXPECT_EQ(clicks, 0);
}

TEST_F(FatPointer, DragsWithinOnePartAndBackwardDrags) {
    memo->Lines().AddLine(QStringLiteral("abcdef"));
    memo->Lines().AddLine(QStringLiteral("ghijkl"));
    const auto drag = [&](QPoint from, QPoint to) {
        Press(*memo, from);
        DragTo(*memo, to);
        const int highlighted = HighlightPixels();
        Release(*memo, to);
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
    memo->Lines().AddLine(QStringLiteral("abcdef"));
    const QPoint from = CharCentre(Part(0, 0), 1);
    const QPoint to = CharCentre(Part(0, 0), 5);

    Press(*memo, from, Qt::ShiftModifier);
    DragTo(*memo, to);
    EXPECT_FALSE(memo->Selecting());
    Release(*memo, to);

    Press(*memo, from);
    DragTo(*memo, to, Qt::ControlModifier);
    EXPECT_FALSE(memo->Selecting());
    SendMouse(*memo, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_FALSE(memo->Selecting());
    Release(*memo, to);
    EXPECT_EQ(clicks, 1); // the plain press armed a click; the modified one did not

    SendMouse(*memo, QEvent::MouseButtonPress, from, Qt::RightButton, Qt::RightButton);
    SendMouse(*memo, QEvent::MouseButtonRelease, from, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));
}

// A press beside the text leaves nothing to drag from, even after an earlier selection.
TEST_F(FatPointer, DragStartedOnEmptySpaceSelectsNothing) {
    memo->Lines().AddLine(QStringLiteral("abcdef"));
    Press(*memo, CharCentre(Part(0, 0), 1));
    DragTo(*memo, CharCentre(Part(0, 0), 2));
    Release(*memo, CharCentre(Part(0, 0), 2));
    ASSERT_EQ(Clipboard(), QStringLiteral("ab"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    Press(*memo, QPoint(250, 150));
    DragTo(*memo, CharCentre(Part(0, 0), 4));
    EXPECT_FALSE(memo->Selecting());
    Release(*memo, CharCentre(Part(0, 0), 4));
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));
}

TEST_F(FatPointer, SampleMailLinkOpensThroughTheDesktop) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "Open");
    TFatMemo fresh;
    fresh.setFont(TestFont());
    fresh.resize(640, 60);
    ShowExposed(fresh);
    fresh.OnLinkClick = [this](TFatMemo&, const QString& link) { links << link; };
    const TFatPart& mail = fresh.Lines().Items(0).Parts(5);
    ASSERT_TRUE(mail.HasLink());
    Press(fresh, CharCentre(mail, 3));
    Release(fresh, CharCentre(mail, 3));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(QStringLiteral("mailto:") + catcher.urls[0].path(), mail.Link());
    EXPECT_TRUE(links.isEmpty());
}

TEST_F(FatPointer, DeletingHoveredOrSelectedLinesForgetsThem) {
    memo->Lines().Add().SetTaggedText(Tagged("<L>abc"));
    memo->Lines().AddLine(QStringLiteral("def"));
    Hover(*memo, CharCentre(Part(0, 1), 1));
    ASSERT_EQ(memo->cursor().shape(), Qt::PointingHandCursor);
    // New parts for the hovered line: the old hovered part is gone, and so is the hand.
    memo->Lines().Items(0).SetTaggedText(QStringLiteral("xyz"));
    EXPECT_EQ(memo->HoverPart(), nullptr);
    EXPECT_EQ(memo->cursor().shape(), Qt::ArrowCursor);

    Press(*memo, CharCentre(Part(0, 0), 1));
    DragTo(*memo, CharCentre(Part(1, 0), 2));
    ASSERT_TRUE(memo->Selecting());
    memo->Lines().Clear();
    EXPECT_FALSE(memo->Selecting());
    EXPECT_EQ(memo->HoverLine(), nullptr);
    EXPECT_EQ(memo->HoverPart(), nullptr);
    DragTo(*memo, QPoint(20, 10));
    Release(*memo, QPoint(20, 10));
    EXPECT_EQ(Clipboard(), QStringLiteral("before"));
}

} // namespace
} // namespace platterwise

#include "FatPointerTest.moc"
