// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// System-wide hotkeys through the desktop portal's GlobalShortcuts interface, the way Wayland
// desktops (KDE Plasma, recent GNOME) offer them to programs that cannot grab keys.
#include "GlobalHotkey.h"

#include <QDBusConnection>
#include <QString>
#include <chrono>
#include <map>
#include <memory>

namespace platterwise {

// Each registration is a portal session of its own with one shortcut bound in it; the
// portal's Activated signal for that session and shortcut becomes a HotKeyPressed signal.
// REQUIRES: a QCoreApplication exists and the object is used on its thread.
class TPortalGlobalHotkeys final : public IGlobalHotkeys {
public:
    // Talks to org.freedesktop.portal.Desktop on `bus`. A portal that asks programs outside
    // a sandbox who they are is told `appId` (the menu entry's name without ".desktop")
    // first; an empty `appId` tells it nothing. Each answer of the portal is awaited at most
    // `answerLimit`; binding may wait for the user, who is asked by some desktops.
    explicit TPortalGlobalHotkeys(QDBusConnection bus, QString appId = {},
                                  std::chrono::milliseconds answerLimit = std::chrono::minutes(2));
    ~TPortalGlobalHotkeys() override; // closes every session still open
    TPortalGlobalHotkeys(const TPortalGlobalHotkeys&) = delete;
    TPortalGlobalHotkeys& operator=(const TPortalGlobalHotkeys&) = delete;

    // Opens a session and asks the portal to bind the combination (preferred trigger in the
    // portal's notation, e.g. "CTRL+a"), running a local event loop that leaves user input
    // alone until the portal has answered. True iff the portal bound it. False when there is
    // no bus or no portal, the portal or the user refused, the answer did not come within
    // the limit, `id` is already registered, or the key is not a letter or digit.
    bool RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) override;
    // Closes the session of `id`; false when `id` is not registered.
    bool UnregisterHotKey(int id) override;
    // False once a registration found no bus, no portal on it, or a portal without the
    // GlobalShortcuts interface (GNOME's, for one).
    bool Offered() const override { return offered_; }

private:
    class Session;
    QDBusConnection bus_;
    std::chrono::milliseconds answerLimit_;
    bool offered_ = true;
    std::map<int, std::unique_ptr<Session>> sessions_;
};

} // namespace platterwise
