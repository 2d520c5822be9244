// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlobalHotkey.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <map>
#include <set>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace platterwise {
namespace {

constexpr std::uint16_t kLockMasks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                        XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

xcb_connection_t* X11Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

std::uint16_t XModifiers(unsigned m) {
    std::uint16_t x = 0;
    if (m & MOD_ALT) {
        x |= XCB_MOD_MASK_1;
    }
    if (m & MOD_CONTROL) {
        x |= XCB_MOD_MASK_CONTROL;
    }
    if (m & MOD_SHIFT) {
        x |= XCB_MOD_MASK_SHIFT;
    }
    if (m & MOD_WIN) {
        x |= XCB_MOD_MASK_4;
    }
    return x;
}

// The keysym of a virtual key: digits and letters (lower-case keysyms carry the key).
xcb_keysym_t KeySym(unsigned vk) {
    if ((vk >= 0x30 && vk <= 0x39)) {
        return vk;
    }
    if (vk >= 0x41 && vk <= 0x5A) {
        return vk + 0x20;
    }
    return 0;
}

// Combinations grabbed by this process: X lets one client grab a key twice, while a hotkey
// belongs to one registration only.
std::set<std::pair<xcb_keycode_t, std::uint16_t>>& GrabbedHere() {
    static std::set<std::pair<xcb_keycode_t, std::uint16_t>> grabbed;
    return grabbed;
}

} // namespace

struct TX11GlobalHotkeys::Grab {
    xcb_window_t Root;
    xcb_keycode_t Key;
    std::uint16_t Modifiers;
};

class TX11GlobalHotkeys::Filter final : public QAbstractNativeEventFilter {
public:
    explicit Filter(TX11GlobalHotkeys& owner)
        : owner_(owner) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") {
            return false;
        }
        auto* event = static_cast<xcb_generic_event_t*>(message);
        const auto kind = event->response_type & 0x7F;
        if (kind != XCB_KEY_PRESS && kind != XCB_KEY_RELEASE) {
            return false;
        }
        auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
        const std::uint16_t mods =
            key->state & ~std::uint16_t(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2) & 0xFF;
        for (const auto& [id, grab] : grabs) {
            if (key->event == grab.Root && key->detail == grab.Key && mods == grab.Modifiers) {
                if (kind == XCB_KEY_PRESS) {
                    emit owner_.HotKeyPressed(id);
                }
                return true;
            }
        }
        return false;
    }

    std::map<int, Grab> grabs;

private:
    TX11GlobalHotkeys& owner_;
};

TX11GlobalHotkeys::TX11GlobalHotkeys() {
    if (X11Connection() != nullptr) {
        filter_ = std::make_unique<Filter>(*this);
        qGuiApp->installNativeEventFilter(filter_.get());
    }
}

TX11GlobalHotkeys::~TX11GlobalHotkeys() {
    if (filter_ == nullptr) {
        return;
    }
    while (!filter_->grabs.empty()) {
        UnregisterHotKey(filter_->grabs.begin()->first);
    }
    qGuiApp->removeNativeEventFilter(filter_.get());
}

bool TX11GlobalHotkeys::RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) {
    xcb_connection_t* c = X11Connection();
    const xcb_keysym_t sym = KeySym(virtualKey);
    if (c == nullptr || filter_ == nullptr || sym == 0 || filter_->grabs.count(id)) {
        return false;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, sym);
    const xcb_keycode_t key = codes ? codes[0] : 0;
    ::free(codes);
    xcb_key_symbols_free(symbols);
    if (key == 0) {
        return false;
    }

    const Grab grab{root, key, XModifiers(modifiers)};
    if (GrabbedHere().count({key, grab.Modifiers})) {
        return false;
    }
    bool refused = false;
    for (const std::uint16_t lock : kLockMasks) {
        // Events go to the root window even while one of our windows has the focus, so the
        // hotkey always arrives as a hotkey and never as an ordinary key press.
        const xcb_void_cookie_t cookie = xcb_grab_key_checked(
            c, 0, root, grab.Modifiers | lock, key, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(c, cookie)) {
            refused = true; // BadAccess: another client holds it
            ::free(error);
        }
    }
    if (refused) {
        for (const std::uint16_t lock : kLockMasks) {
            xcb_ungrab_key(c, key, root, grab.Modifiers | lock);
        }
        xcb_flush(c);
        return false;
    }
    filter_->grabs.emplace(id, grab);
    GrabbedHere().insert({key, grab.Modifiers});
    return true;
}

bool TX11GlobalHotkeys::UnregisterHotKey(int id) {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr || filter_ == nullptr) {
        return false;
    }
    const auto it = filter_->grabs.find(id);
    if (it == filter_->grabs.end()) {
        return false;
    }
    for (const std::uint16_t lock : kLockMasks) {
        xcb_ungrab_key(c, it->second.Key, it->second.Root, it->second.Modifiers | lock);
    }
    xcb_flush(c);
    GrabbedHere().erase({it->second.Key, it->second.Modifiers});
    filter_->grabs.erase(it);
    return true;
}

} // namespace platterwise
