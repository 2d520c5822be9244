// SPDX-License-Identifier: GPL-3.0-or-later
// Main for widget tests: one QApplication for the whole run.
//
// Offscreen tests pick the offscreen platform unless the caller chose one, since CTest may
// run them without a display. Tests built with PLATTERWISE_TEST_NEEDS_X need a real X server
// and say so plainly when there is none, instead of failing somewhere inside Qt.
#include "LsanSuppressions.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <gmock/gmock.h>

int main(int argc, char** argv) {
#ifdef PLATTERWISE_TEST_NEEDS_X
    if (std::getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "this test needs an X server: run it under xvfb-run\n");
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
#else
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
#endif
    testing::InitGoogleMock(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
