// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A D-Bus session bus of a test's own: a dbus-daemon started for it, with no services that
// start on demand, so nothing of the machine's own session can answer.
#include <QDBusConnection>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace platterwise::testing {

class PrivateBus {
public:
    PrivateBus();  // check Started()
    ~PrivateBus(); // closes the connections made by Connect, then stops the daemon
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool Started() const { return !address_.isEmpty(); }
    // A new connection of its own to this bus; check isConnected().
    QDBusConnection Connect();

private:
    QTemporaryDir dir_;
    QProcess daemon_;
    QString address_;
    QStringList connections_;
};

} // namespace platterwise::testing
