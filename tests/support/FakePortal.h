// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A stand-in for the desktop portal's global shortcuts on a private bus: it answers
// CreateSession and BindShortcuts through Request objects as the real portal does, records
// what it was asked, and sends Activated when the test presses a shortcut.
#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QStringList>
#include <vector>

namespace platterwise::testing {

class FakePortal final : public QDBusVirtualObject {
public:
    // Takes the portal's name and object path on `bus`; check Serving().
    explicit FakePortal(QDBusConnection bus);
    ~FakePortal() override;

    bool Serving() const { return serving_; }

    // How the next requests are answered: a Response code (0 granted, 1 cancelled by the
    // user, 2 refused), whether BindShortcuts lists the shortcut as bound, whether a
    // Response is sent at all.
    uint CreateCode = 0;
    uint BindCode = 0;
    bool ListBound = true;
    bool Answer = true;
    // False: the portal exports no GlobalShortcuts interface (GNOME's backends implement
    // none) and answers its calls with the error GDBus gives for a missing interface.
    bool Shortcuts = true;

    struct Shortcut {
        QString Session, Id, Description, PreferredTrigger;
    };
    std::vector<Shortcut> Asked; // every shortcut BindShortcuts was given
    QStringList Closed;          // sessions closed by their owner
    QString AppId;               // what the host registry was told

    // Sends Activated for `shortcutId` in `session`, as when the user presses it.
    void Activate(const QString& session, const QString& shortcutId);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    void Respond(const QDBusMessage& call, const QString& token, uint code,
                 const QVariantMap& results);

    QDBusConnection bus_;
    bool serving_ = false;
};

} // namespace platterwise::testing
