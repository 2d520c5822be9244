// SPDX-License-Identifier: GPL-3.0-or-later
// A skinned check box's box, tick, frame and caption colours in each state, and where the
// flat drawing routine puts the box, the caption and the focus rectangle.
#include "FlatTestSupport.h"
#include "widgets/flat/ALButton.h"
#include "widgets/flat/ALSkins.h"

#include <QFontMetrics>
#include <functional>

namespace platterwise {
namespace {

using namespace platterwise::testing;

constexpr TColor kDesign = 0xE1E9EA;
constexpr TColor kGreyMark = 0x9F9F9F;

// A captionless check box as it must look: its colour everywhere but the centred box, which
// is outlined in `frame` and carries the tick: three strokes (2, 11-a) -> (4, 11-b) ->
// (9, 11-c), each line without its end pixel.
QImage ExpectedBox(QSize size, TColor frame, TColor box, TColor mark, bool tick) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(RgbToQColor(kDesign));
    const QPoint at((size.width() - 11) / 2, (size.height() - 11) / 2);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x)
            img.setPixelColor(at + QPoint(x, y),
                              RgbToQColor(x == 0 || y == 0 || x == 10 || y == 10 ? frame : box));
    if (tick)
        for (int up = 0; up < 3; ++up)
            for (auto [x, y] : {std::pair{2, 6}, {3, 7}, {4, 8}, {5, 7}, {6, 6}, {7, 5}, {8, 4}})
                img.setPixelColor(at + QPoint(x, y - up), RgbToQColor(mark));
    return img;
}

struct BoxCase {
    const char* name;
    TCheckBoxState state;
    std::function<void(TALCheckBox&)> arrange;
    TColor mark, frame, box, text;
};

void PrintTo(const BoxCase& c, std::ostream* os) {
    *os << c.name;
}

class CheckBoxSkin : public HostTest, public ::testing::WithParamInterface<BoxCase> {
protected:
    TALCheckBox* MakeBox(const QString& caption) {
        auto* c = Make<TALCheckBox>({20, 20, 101, 21});
        c->SetCaption(caption);
        c->SetColor(kDesign);
        c->SetFontColor(clRed);
        c->SetState(GetParam().state);
        c->OnPaint = [](QObject* s, bool& Continue) { PaintCheckBoxSkin(s, Continue, true); };
        GetParam().arrange(*c);
        return c;
    }
};

TEST_P(CheckBoxSkin, DrawsTheBoxAndTickInTheTableColours) {
    const BoxCase& want = GetParam();
    TALCheckBox* c = MakeBox(QString());
    EXPECT_EQ(Render(*c).convertToFormat(QImage::Format_RGB32),
              ExpectedBox(c->size(), want.frame, want.box, want.mark, want.state != cbUnchecked));
}

TEST_P(CheckBoxSkin, DrawsTheCaptionInTheTableColour) {
    TALCheckBox* c = MakeBox(QStringLiteral("Auto"));
    // Right of the middle lie only the caption and its focus ring, in one colour.
    const QRect captionSide(c->width() / 2, 0, c->width() / 2, c->height());
    EXPECT_EQ(ColorsIn(Render(*c), captionSide), (std::set<TColor>{kDesign, GetParam().text}));
}

void Nothing(TALCheckBox&) {}
void Hover(TALCheckBox& c) {
    SendEnter(&c);
}
void Focus(TALCheckBox& c) {
    c.setFocus();
}
void PressMouse(TALCheckBox& c) {
    QTest::mousePress(&c, Qt::LeftButton);
}
void HoldSpace(TALCheckBox& c) {
    c.setFocus();
    QTest::keyPress(&c, Qt::Key_Space);
}
void Disable(TALCheckBox& c) {
    c.setEnabled(false);
}

INSTANTIATE_TEST_SUITE_P(
    States, CheckBoxSkin,
    ::testing::Values(
        BoxCase{"Unchecked", cbUnchecked, Nothing, clBlack, 0xC6A69C, clWhite, clBlack},
        BoxCase{"Checked", cbChecked, Nothing, clBlack, 0x6B2408, clWhite, clBlack},
        BoxCase{"Grey", cbGrayed, Nothing, kGreyMark, 0xC6A69C, 0xC8D0D4, clBlack},
        BoxCase{"UncheckedMouseOver", cbUnchecked, Hover, clBlack, 0x6B2408, 0xCEBAB5, clBlack},
        BoxCase{"GreyMouseOver", cbGrayed, Hover, kGreyMark, 0x6B2408, 0xCEBAB5, clBlack},
        BoxCase{"CheckedFocused", cbChecked, Focus, clBlack, 0x6B2408, 0xCEBAB5, clBlack},
        BoxCase{"CheckedMouseDown", cbChecked, PressMouse, clBlack, 0x6B2408, 0xB59284, clBlack},
        BoxCase{"GreySpaceHeld", cbGrayed, HoldSpace, kGreyMark, 0x6B2408, 0xB59284, clBlack},
        BoxCase{"DisabledChecked", cbChecked, Disable, kGreyMark, 0xBAC7C9, kDesign, kGreyMark},
        BoxCase{"DisabledUnchecked", cbUnchecked, Disable, kGreyMark, 0xBAC7C9, kDesign,
                kGreyMark}),
    [](const auto& info) { return std::string(info.param.name); });

class CheckBoxLayout : public HostTest {
protected:
    TALCheckBox* MakeBox(const QString& caption, QRect geometry) {
        auto* c = Make<TALCheckBox>(geometry);
        c->SetCaption(caption);
        c->SetColor(kDesign);
        c->SetFontColor(clBlack);
        c->SetBorderColor(0x0000FF);
        return c;
    }
};

TEST_F(CheckBoxLayout, AutoSizeFitsBoxSpacingAndCaptionWithItsFocusMargins) {
    TALCheckBox* c = MakeBox(QStringLiteral(" Calculate both directions "), {75, 19, 143, 18});
    c->SetAutoSize(true);
    const QFontMetrics fm(CrispFont());
    const QSize wanted(11 + 4 + fm.horizontalAdvance(c->Caption()) + 4,
                       std::max(fm.height() + 4, 11));
    EXPECT_EQ(c->size(), wanted);
    c->resize(300, 40);
    Render(*c); // the next paint undoes a later geometry (and paints again)
    EXPECT_EQ(c->size(), wanted);
    const QImage img = Render(*c);
    EXPECT_EQ(BoundsOf(img, c->rect(), 0x0000FF), QRect(0, (wanted.height() - 11) / 2, 11, 11));
    c->SetLayout(blGlyphRight);
    EXPECT_EQ(BoundsOf(Render(*c), c->rect(), 0x0000FF).right(), wanted.width() - 1);
}

TEST_F(CheckBoxLayout, FocusDrawsADottedRectangleAroundTheCaption) {
    TALCheckBox* c = MakeBox(QStringLiteral("Mm"), {0, 0, 80, 24});
    const QImage plain = Render(*c);
    c->setFocus();
    const QImage focused = Render(*c);
    QRect ring;
    int dots = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x)
            if (At(focused, x, y) != At(plain, x, y)) {
                EXPECT_EQ(At(focused, x, y), clBlack);
                EXPECT_EQ(At(focused, x + 1, y), At(plain, x + 1, y)) << "dotted at " << x;
                ring |= QRect(x, y, 1, 1);
                ++dots;
            }
    EXPECT_TRUE(ring.contains(BoundsOf(plain, plain.rect(), clBlack).adjusted(-1, -1, 1, 1)));
    EXPECT_GE(dots, ring.width() + ring.height() - 2); // half of the perimeter
}

} // namespace
} // namespace platterwise
