// SPDX-License-Identifier: GPL-3.0-or-later
// The engraved label: its size follows the caption, the shadow lies to the upper left.
#include "widgets/animated/RxLabel.h"

#include <QTest>
#include <gmock/gmock.h>

namespace platterwise {
namespace {

QFont SharpFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(14);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

TEST(RxLabel, SizesItselfToTheCaptionAndTheShadow) {
    TRxLabel label;
    label.setFont(SharpFont());
    label.SetCaption(QStringLiteral("Platterwise"));
    const QFontMetrics metrics(label.font());
    EXPECT_EQ(label.size(), QSize(metrics.horizontalAdvance(QStringLiteral("Platterwise")) + 1,
                                  metrics.height() + 1));
    const int wide = label.width();
    label.SetCaption(QStringLiteral("P"));
    EXPECT_LT(label.width(), wide);
    label.SetShowShadow(false);
    EXPECT_EQ(label.height(), metrics.height());
}

TEST(RxLabel, DrawsTheShadowOnePixelUpAndLeftOfTheText) {
    TRxLabel label;
    label.setFont(SharpFont());
    label.SetCaption(QStringLiteral("I"));
    label.SetColor(clBlack);
    label.SetFontColor(clRed);
    label.SetShadowColor(clWhite);
    QImage shot(label.size(), QImage::Format_RGB32);
    label.render(&shot);

    // The top-left pixel of the letter has the shadow beside it, above and diagonally,
    // and nothing of the shadow reaches below or to the right of the letter.
    QPoint first(-1, -1);
    for (int y = 0; y < shot.height() && first.x() < 0; ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) == qRgb(255, 0, 0)) {
                first = {x, y};
                break;
            }
    ASSERT_GE(first.x(), 1);
    ASSERT_GE(first.y(), 1);
    EXPECT_EQ(shot.pixel(first - QPoint(1, 1)), qRgb(255, 255, 255));
    int shadows = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) == qRgb(255, 255, 255)) {
                ++shadows;
                EXPECT_EQ(shot.pixel(x + 1, y + 1), qRgb(255, 0, 0)) << x << "," << y;
            }
    EXPECT_GT(shadows, 0);
}

TEST(RxLabel, ReportsAClickReleasedOverIt) {
    TRxLabel label;
    label.SetCaption(QStringLiteral("link"));
    int clicks = 0;
    label.OnClick = [&] { ++clicks; };
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(clicks, 1);
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(500, 2));
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace platterwise
