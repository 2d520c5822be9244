// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellChangeNotifier.h"

#include "widgets/shell/RootFolders.h"

#include <QEvent>

namespace platterwise {
std::uint32_t NotifyFilterFlags(TNotifyFilters filters) {
    const std::pair<TNotifyFilter, std::uint32_t> flags[] = {
        {nfFileNameChange, FILE_NOTIFY_CHANGE_FILE_NAME},
        {nfDirNameChange, FILE_NOTIFY_CHANGE_DIR_NAME},
        {nfAttributeChange, FILE_NOTIFY_CHANGE_ATTRIBUTES},
        {nfSizeChange, FILE_NOTIFY_CHANGE_SIZE},
        {nfWriteChange, FILE_NOTIFY_CHANGE_LAST_WRITE},
        {nfSecurityChange, FILE_NOTIFY_CHANGE_SECURITY},
    };
    std::uint32_t word = 0;
    for (const auto& [member, flag] : flags) {
        if (filters.Contains(member)) {
            word |= flag;
        }
    }
    return word;
}

TCustomShellChangeNotifier::TCustomShellChangeNotifier(QObject* owner)
    : QObject(owner) {
    StartWatcher();
}

TCustomShellChangeNotifier::~TCustomShellChangeNotifier() {
    if (worker_) {
        // Not waited for: the worker is woken and ends by itself. A change already on its
        // way is discarded with this object's pending events, which releases the worker.
        const std::shared_ptr<TShellChangeThread> worker = std::move(worker_);
        worker->Terminate();
    }
}

bool TCustomShellChangeNotifier::event(QEvent* event) {
    {
        // The worker posts its changes under WatchLock; taking it here orders this thread
        // after the post in a way thread checkers can see (Qt's own queue lock is hidden).
        const std::lock_guard barrier(WatchLock());
    }
    if (event->type() == TShellChangeThread::ChangeEventType()) {
        TShellChangeThread::RunChangeEvent(event); // may destroy this notifier
        return true;
    }
    return QObject::event(event);
}

void TCustomShellChangeNotifier::SetNotifyFilters(TNotifyFilters filters) {
    filters_ = filters;
    Change();
}

void TCustomShellChangeNotifier::SetWatchSubTree(bool watchSubTree) {
    watchSubTree_ = watchSubTree;
    Change();
}

void TCustomShellChangeNotifier::SetRoot(const QString& root) {
    if (SameTextAscii(root, root_)) {
        return;
    }
    root_ = root;
    Change();
}

void TCustomShellChangeNotifier::SetOnChange(TThreadMethod handler) {
    changeEvent_ = std::move(handler);
    if (worker_) {
        worker_->SetChangeEvent(changeEvent_);
    } else {
        StartWatcher();
    }
}

void TCustomShellChangeNotifier::Change() {
    if (worker_) {
        worker_->Rewatch(root_, watchSubTree_, NotifyFilterFlags(filters_));
    }
}

void TCustomShellChangeNotifier::StartWatcher() {
    if (!changeEvent_) {
        return;
    }
    worker_ = std::make_shared<TShellChangeThread>(changeEvent_, this);
    worker_->Rewatch(root_, watchSubTree_, NotifyFilterFlags(filters_));
    worker_->Resume();
}

} // namespace platterwise
