// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Waiting for something that another thread or the event loop brings about, inside
// GoogleTest tests: Qt's QTRY_* macros report their failures to QtTest, not to GoogleTest.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace platterwise::testing {

// Processes events until `condition` holds; false when it still does not after `timeoutMs`.
template <typename Condition>
bool WaitUntil(Condition condition, int timeoutMs = 10000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::yieldCurrentThread();
    }
    return true;
}

} // namespace platterwise::testing
