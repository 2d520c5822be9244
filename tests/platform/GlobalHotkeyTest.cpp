// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GlobalHotkey.h"

#include <gtest/gtest.h>

namespace platterwise {
namespace {

TEST(GlobalHotkey, RegistrationFailsWhereTheSessionHasNoX11) {
    TX11GlobalHotkeys hotkeys; // the offscreen platform
    EXPECT_FALSE(hotkeys.RegisterHotKey(1, MOD_CONTROL, 0x41));
    EXPECT_FALSE(hotkeys.UnregisterHotKey(1));
}

} // namespace
} // namespace platterwise
