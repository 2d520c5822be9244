// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system-wide hotkeys of whatever session the program runs in: a key grab on X11, the
// desktop portal's global shortcuts elsewhere (Wayland).
#include "GlobalHotkey.h"
#include "PortalGlobalHotkeys.h"

#include <QDBusConnection>
#include <memory>

namespace platterwise {

// On the X11 platform every registration is a key grab, and one that another client holds
// fails there. On any other platform registrations go to the desktop portal on `bus`, made
// on first use and announcing the application's desktop file name. Registration fails only
// when the session's own way fails. REQUIRES: a QGuiApplication exists.
class TSessionGlobalHotkeys final : public IGlobalHotkeys {
public:
    TSessionGlobalHotkeys(); // the portal on the session bus
    explicit TSessionGlobalHotkeys(QDBusConnection bus);
    ~TSessionGlobalHotkeys() override;
    TSessionGlobalHotkeys(const TSessionGlobalHotkeys&) = delete;
    TSessionGlobalHotkeys& operator=(const TSessionGlobalHotkeys&) = delete;

    bool RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) override;
    bool UnregisterHotKey(int id) override;
    bool Offered() const override;

private:
    IGlobalHotkeys& Active();

    QDBusConnection bus_;
    std::unique_ptr<IGlobalHotkeys> active_; // made on first use
};

} // namespace platterwise
