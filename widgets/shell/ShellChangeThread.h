// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The worker of a change notifier: waits on a directory watch and on its wake signal, and for
// each change runs the handler in the user-interface thread, waiting until it has run there.
// Shared by its notifier and its own thread; it ends when the notifier tears it down.
#include "platform/DirectoryWatch.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace platterwise {

using TThreadMethod = std::function<void()>;

// The one lock every worker shares: it guards each worker's settings, its handler, the
// making of a watch and the hand-over of a change to the user-interface thread.
std::mutex& WatchLock();

class TShellChangeThread : public std::enable_shared_from_this<TShellChangeThread> {
public:
    // Created suspended. Changes are delivered as events to `receiver` (which runs them with
    // RunChangeEvent); `receiver` must live in the user-interface thread.
    TShellChangeThread(TThreadMethod changeEvent, QObject* receiver);
    virtual ~TShellChangeThread();
    TShellChangeThread(const TShellChangeThread&) = delete;
    TShellChangeThread& operator=(const TShellChangeThread&) = delete;

    // New settings; a running worker moves its watch to them after its current wait.
    void Rewatch(const QString& directory, bool watchSubTree, std::uint32_t flags);
    // Replaces the handler for the next change.
    void SetChangeEvent(TThreadMethod changeEvent);
    void Resume();
    // Teardown: no handler runs from now on; the worker is woken at once and ends.
    void Terminate();

    // Workers alive in the process (for tests and diagnostics).
    static int LiveCount();
    // The event type that carries a change to the receiver.
    static int ChangeEventType();
    // Runs the change carried by `event` (of ChangeEventType) in the receiver's thread.
    static void RunChangeEvent(QEvent* event);

private:
    void Execute();
    void MakeWatch();
    void HandOverChange();

    TWakeSignal wakeSignal_;
    std::unique_ptr<TDirectoryWatch> watchHandle_;
    std::unique_ptr<TDirectoryWatch> pendingWatch_; // made by Rewatch, taken over by the worker
    TThreadMethod changeEvent_;
    QString directory_;
    bool watchSubTree_ = false;
    bool rewatchPending_ = false;
    std::uint32_t filterFlags_ = 0;
    QObject* receiver_;
    bool started_ = false;
    std::atomic<bool> terminated_{false};
};

} // namespace platterwise
