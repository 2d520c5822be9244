// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// System-wide hotkeys: a key combination that reaches the program whatever window has the
// focus, as a hotkey message carrying the identifier it was registered with.
#include <QObject>
#include <memory>

namespace platterwise {

// Modifier flags of RegisterHotKey.
inline constexpr unsigned MOD_ALT = 0x1;
inline constexpr unsigned MOD_CONTROL = 0x2;
inline constexpr unsigned MOD_SHIFT = 0x4;
inline constexpr unsigned MOD_WIN = 0x8;

class IGlobalHotkeys : public QObject {
    Q_OBJECT
public:
    ~IGlobalHotkeys() override = default;
    // Grabs `modifiers` + virtual key `virtualKey` (0x30-0x39 digits, 0x41-0x5A letters) for
    // the whole session. False when the system refuses: another program holds the combination,
    // or the session offers no such service (Wayland, offscreen).
    virtual bool RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) = 0;
    virtual bool UnregisterHotKey(int id) = 0;
    // False once a registration has found that the session offers no system-wide hotkeys at
    // all (a Wayland desktop whose portal has no global shortcuts, no portal, no session bus),
    // as opposed to refusing this one combination. True before any registration.
    virtual bool Offered() const { return true; }

signals:
    // Emitted on the user-interface thread with the identifier of the pressed hotkey;
    // connections made with a receiver end with it.
    void HotKeyPressed(int id);
};

// On X11, a passive key grab on the root window (with and without Caps Lock and Num Lock)
// and a native event filter that turns the grabbed key presses into HotKeyPressed signals.
// Elsewhere every registration fails. REQUIRES: a QGuiApplication exists.
class TX11GlobalHotkeys final : public IGlobalHotkeys {
public:
    TX11GlobalHotkeys();
    ~TX11GlobalHotkeys() override; // releases every grab still held
    TX11GlobalHotkeys(const TX11GlobalHotkeys&) = delete;
    TX11GlobalHotkeys& operator=(const TX11GlobalHotkeys&) = delete;

    bool RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) override;
    bool UnregisterHotKey(int id) override;

private:
    class Filter;
    struct Grab;
    std::unique_ptr<Filter> filter_; // installed while it exists; none without X11
};

} // namespace platterwise
