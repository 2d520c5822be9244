// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Watches one directory and runs OnChange in the user-interface thread whenever its content
// changes in the ways NotifyFilters selects. The worker starts when OnChange is assigned;
// destroying the notifier wakes the worker, which ends without running the handler again.
#include "widgets/shell/ShellChangeThread.h"
#include "widgets/shell/ShellSets.h"

#include <QObject>
#include <QString>
#include <memory>

namespace platterwise {

enum TNotifyFilter {
    nfFileNameChange,
    nfDirNameChange,
    nfAttributeChange,
    nfSizeChange,
    nfWriteChange,
    nfSecurityChange
};
using TNotifyFilters = TEnumSet<TNotifyFilter>;

// The change-notification flag word of a filter set.
std::uint32_t NotifyFilterFlags(TNotifyFilters filters);

class TCustomShellChangeNotifier : public QObject {
public:
    explicit TCustomShellChangeNotifier(QObject* owner);
    ~TCustomShellChangeNotifier() override;
    Q_DISABLE_COPY_MOVE(TCustomShellChangeNotifier)

    bool event(QEvent* event) override;

protected:
    TNotifyFilters NotifyFilters() const { return filters_; }
    void SetNotifyFilters(TNotifyFilters filters);
    bool WatchSubTree() const { return watchSubTree_; }
    void SetWatchSubTree(bool watchSubTree);
    // A directory path (the root "/" by default); other texts are never watched.
    const QString& Root() const { return root_; }
    void SetRoot(const QString& root);
    const TThreadMethod& OnChange() const { return changeEvent_; }
    void SetOnChange(TThreadMethod handler);

private:
    void Change();
    void StartWatcher();

    TNotifyFilters filters_{nfFileNameChange, nfDirNameChange};
    bool watchSubTree_ = true;
    QString root_ = QStringLiteral("/");
    std::shared_ptr<TShellChangeThread> worker_;
    TThreadMethod changeEvent_;
};

class TShellChangeNotifier final : public TCustomShellChangeNotifier {
public:
    explicit TShellChangeNotifier(QObject* owner)
        : TCustomShellChangeNotifier(owner) {}

    using TCustomShellChangeNotifier::NotifyFilters;
    using TCustomShellChangeNotifier::OnChange;
    using TCustomShellChangeNotifier::Root;
    using TCustomShellChangeNotifier::SetNotifyFilters;
    using TCustomShellChangeNotifier::SetOnChange;
    using TCustomShellChangeNotifier::SetRoot;
    using TCustomShellChangeNotifier::SetWatchSubTree;
    using TCustomShellChangeNotifier::WatchSubTree;
};

} // namespace platterwise
