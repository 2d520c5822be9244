// SPDX-License-Identifier: GPL-3.0-or-later
// Needs a real X server: the hotkey is a grab on the root window of the session.
#include "platform/GlobalHotkey.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace platterwise {
namespace {

// Presses keys the way another program (or the user) would, through the XTEST extension.
void PressKeys(const char* keys) {
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                {QStringLiteral("key"), QString::fromLatin1(keys)}),
              0)
        << "xdotool is needed for this test";
}

// Another X client that grabs Ctrl+A before we do, as a second copy of the program would.
class OtherClient {
public:
    OtherClient() { c_ = xcb_connect(nullptr, nullptr); }
    ~OtherClient() { xcb_disconnect(c_); }
    bool GrabCtrlA() {
        xcb_key_symbols_t* syms = xcb_key_symbols_alloc(c_);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(syms, 'a');
        const xcb_keycode_t key = codes[0];
        ::free(codes);
        xcb_key_symbols_free(syms);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        xcb_generic_error_t* e =
            xcb_request_check(c_, xcb_grab_key_checked(c_, 0, root, XCB_MOD_MASK_CONTROL, key,
                                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        ::free(e);
        return e == nullptr;
    }

private:
    xcb_connection_t* c_;
};

TEST(GlobalHotkeyX11, CtrlAPressedAnywhereArrivesWithItsIdentifier) {
    TX11GlobalHotkeys hotkeys;
    const QSignalSpy seen(&hotkeys, &IGlobalHotkeys::HotKeyPressed);
    ASSERT_TRUE(hotkeys.RegisterHotKey(1, MOD_CONTROL, 0x41));
    PressKeys("ctrl+a");
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.size() == 1; }));
    EXPECT_EQ(seen[0][0].toInt(), 1);
    PressKeys("ctrl+a");
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.size() == 2; }));
    EXPECT_TRUE(hotkeys.UnregisterHotKey(1));
    EXPECT_FALSE(hotkeys.UnregisterHotKey(1));
}

TEST(GlobalHotkeyX11, ACombinationHeldByAnotherClientCannotBeRegistered) {
    OtherClient other;
    ASSERT_TRUE(other.GrabCtrlA());
    TX11GlobalHotkeys hotkeys;
    EXPECT_FALSE(hotkeys.RegisterHotKey(1, MOD_CONTROL, 0x41));
}

TEST(GlobalHotkeyX11, ReleasedGrabsCanBeTakenAgain) {
    {
        TX11GlobalHotkeys first;
        ASSERT_TRUE(first.RegisterHotKey(1, MOD_CONTROL, 0x41));
        TX11GlobalHotkeys second;
        EXPECT_FALSE(second.RegisterHotKey(7, MOD_CONTROL, 0x41));
    } // the destructor releases the grab
    TX11GlobalHotkeys again;
    EXPECT_TRUE(again.RegisterHotKey(1, MOD_CONTROL, 0x41));
    EXPECT_FALSE(again.RegisterHotKey(1, MOD_CONTROL, 0x42)); // identifier already in use
    EXPECT_FALSE(again.RegisterHotKey(2, MOD_CONTROL, 0x70)); // not a letter or digit
}

} // namespace
} // namespace platterwise
