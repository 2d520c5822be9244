// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellChangeThread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <condition_variable>
#include <thread>

namespace platterwise {
namespace {

std::atomic<int> gLiveWorkers{0};

// Tells the waiting worker that its change has been dealt with. Standard primitives rather
// than Qt's, so that thread checkers see the hand-over.
class TCompletion {
public:
    void Release() {
        {
            const std::lock_guard guard(lock_);
            done_ = true;
        }
        signal_.notify_one();
    }
    void Acquire() {
        std::unique_lock guard(lock_);
        signal_.wait(guard, [this] { return done_; });
    }

private:
    std::mutex lock_;
    std::condition_variable signal_;
    bool done_ = false;
};

// One change on its way to the user-interface thread. However the event ends (run, or
// discarded with its receiver), the waiting worker is released.
class TChangeEvent final : public QEvent {
public:
    TChangeEvent(TThreadMethod handler, std::shared_ptr<TCompletion> done)
        : QEvent(QEvent::Type(TShellChangeThread::ChangeEventType()))
        , handler_(std::move(handler))
        , done_(std::move(done)) {}
    ~TChangeEvent() override { done_->Release(); }
    TChangeEvent(const TChangeEvent&) = delete;
    TChangeEvent& operator=(const TChangeEvent&) = delete;

    // The handler is the event's own copy: it may destroy the receiver while it runs.
    void Run() {
        if (handler_) {
            handler_();
        }
    }

private:
    TThreadMethod handler_;
    std::shared_ptr<TCompletion> done_;
};

} // namespace

std::mutex& WatchLock() {
    static std::mutex lock;
    return lock;
}

TShellChangeThread::TShellChangeThread(TThreadMethod changeEvent, QObject* receiver)
    : changeEvent_(std::move(changeEvent))
    , receiver_(receiver) {
    ++gLiveWorkers;
}

TShellChangeThread::~TShellChangeThread() {
    --gLiveWorkers;
}

int TShellChangeThread::LiveCount() {
    return gLiveWorkers.load();
}

int TShellChangeThread::ChangeEventType() {
    static const int type = QEvent::registerEventType();
    return type;
}

void TShellChangeThread::RunChangeEvent(QEvent* event) {
    static_cast<TChangeEvent*>(event)->Run();
}

void TShellChangeThread::Rewatch(const QString& directory, bool watchSubTree, std::uint32_t flags) {
    bool running = false;
    {
        const std::lock_guard guard(WatchLock());
        directory_ = directory;
        watchSubTree_ = watchSubTree;
        filterFlags_ = flags;
        rewatchPending_ = true;
        running = started_;
        if (running) {
            // Made now, so that no change after this call is missed; the worker takes it
            // over once its wait ends and closes the old one itself (closing a descriptor
            // that another thread polls is not safe).
            pendingWatch_ =
                TDirectoryWatch::Create(QFile::encodeName(directory_), watchSubTree_, filterFlags_);
        }
    }
    if (running) {
        wakeSignal_.Raise();
    }
}

void TShellChangeThread::SetChangeEvent(TThreadMethod changeEvent) {
    const std::lock_guard guard(WatchLock());
    changeEvent_ = std::move(changeEvent);
}

void TShellChangeThread::Resume() {
    {
        const std::lock_guard guard(WatchLock());
        if (started_) {
            return;
        }
        started_ = true;
    }
    // The first watch is made here, before the worker runs, so that a change made right
    // after the notifier was set up is not missed while the thread starts.
    MakeWatch();
    std::thread([self = shared_from_this()] { self->Execute(); }).detach();
}

void TShellChangeThread::Terminate() {
    {
        const std::lock_guard guard(WatchLock());
        terminated_ = true;
        receiver_ = nullptr;
        changeEvent_ = nullptr; // the handler may capture its notifier's owner
    }
    wakeSignal_.Raise();
}

void TShellChangeThread::MakeWatch() {
    const std::lock_guard guard(WatchLock());
    watchHandle_.reset();
    watchHandle_ =
        TDirectoryWatch::Create(QFile::encodeName(directory_), watchSubTree_, filterFlags_);
    rewatchPending_ = false;
}

void TShellChangeThread::HandOverChange() {
    auto done = std::make_shared<TCompletion>();
    {
        const std::lock_guard guard(WatchLock());
        if (terminated_ || receiver_ == nullptr) {
            return;
        }
        QCoreApplication::postEvent(receiver_, new TChangeEvent(changeEvent_, done));
    }
    done->Acquire();
}

void TShellChangeThread::Execute() {
    while (!terminated_) {
        TDirectoryWatch::TWaitResult result;
        if (watchHandle_) {
            result = watchHandle_->Wait(wakeSignal_);
        } else {
            result = wakeSignal_.Wait() ? TDirectoryWatch::wrWoken : TDirectoryWatch::wrFailed;
        }
        if (result == TDirectoryWatch::wrFailed) {
            break;
        }
        if (result == TDirectoryWatch::wrChanged && !terminated_) {
            HandOverChange();
            watchHandle_->Rearm();
        }
        if (result == TDirectoryWatch::wrWoken) {
            wakeSignal_.Lower();
        }
        const std::lock_guard guard(WatchLock());
        if (rewatchPending_) {
            watchHandle_ = std::move(pendingWatch_);
            rewatchPending_ = false;
        }
    }
}

} // namespace platterwise
