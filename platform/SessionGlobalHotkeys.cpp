// SPDX-License-Identifier: GPL-3.0-or-later
#include "SessionGlobalHotkeys.h"

#include <QGuiApplication>

namespace platterwise {

TSessionGlobalHotkeys::TSessionGlobalHotkeys()
    : TSessionGlobalHotkeys(QDBusConnection::sessionBus()) {}

TSessionGlobalHotkeys::TSessionGlobalHotkeys(QDBusConnection bus)
    : bus_(std::move(bus)) {}

TSessionGlobalHotkeys::~TSessionGlobalHotkeys() = default;

IGlobalHotkeys& TSessionGlobalHotkeys::Active() {
    if (!active_) {
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            active_ = std::make_unique<TX11GlobalHotkeys>();
        } else {
            active_ =
                std::make_unique<TPortalGlobalHotkeys>(bus_, QGuiApplication::desktopFileName());
        }
        connect(active_.get(), &IGlobalHotkeys::HotKeyPressed, this,
                &IGlobalHotkeys::HotKeyPressed);
    }
    return *active_;
}

bool TSessionGlobalHotkeys::RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) {
    return Active().RegisterHotKey(id, modifiers, virtualKey);
}

bool TSessionGlobalHotkeys::UnregisterHotKey(int id) {
    return Active().UnregisterHotKey(id);
}

bool TSessionGlobalHotkeys::Offered() const {
    return !active_ || active_->Offered();
}

} // namespace platterwise
