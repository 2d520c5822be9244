// SPDX-License-Identifier: GPL-3.0-or-later
#include "LsanSuppressions.h"

#include <gmock/gmock.h>

int main(int argc, char** argv) {
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
