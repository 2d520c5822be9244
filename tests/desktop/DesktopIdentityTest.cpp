// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/DesktopIdentity.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>

namespace platterwise {
namespace {

TEST(DesktopIdentity, TheProgramCarriesItsMenuEntrysNameAndAnIconInEverySize) {
    SetDesktopIdentity(*qGuiApp);
    EXPECT_EQ(QGuiApplication::desktopFileName(), DesktopId());
    QList<int> sides;
    for (const QSize& size : QGuiApplication::windowIcon().availableSizes()) {
        EXPECT_EQ(size.width(), size.height());
        sides << size.width();
    }
    std::sort(sides.begin(), sides.end());
    EXPECT_EQ(sides, (QList<int>{16, 22, 24, 32, 48, 64, 128, 256}));
    // Drawn, not blank: the disc's rim is opaque where the corner stays transparent.
    const QImage small = QGuiApplication::windowIcon().pixmap(16).toImage();
    EXPECT_EQ(qAlpha(small.pixel(0, 0)), 0);
    EXPECT_GT(qAlpha(small.pixel(8, 1)), 128);
}

} // namespace
} // namespace platterwise
