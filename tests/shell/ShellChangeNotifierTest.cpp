// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/shell/ShellChangeNotifier.h"

#include "tests/support/TempTree.h"
#include "tests/support/WaitUntil.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <atomic>
#include <cstdio>
#include <gtest/gtest.h>

namespace platterwise {
namespace {

using testing::TempTree;
using testing::WaitUntil;

class ShellChangeNotifierTest : public ::testing::Test {
protected:
    // Waits until no worker of an earlier test is still on its way out.
    void SetUp() override {
        EXPECT_TRUE(WaitUntil([&] { return TShellChangeThread::LiveCount() == 0; }));
    }
    void TearDown() override {
        EXPECT_TRUE(WaitUntil([&] { return TShellChangeThread::LiveCount() == 0; }));
    }

    std::unique_ptr<TShellChangeNotifier> Watching(const QByteArray& dir, bool subTree = false) {
        auto notifier = std::make_unique<TShellChangeNotifier>(nullptr);
        notifier->SetWatchSubTree(subTree);
        notifier->SetRoot(QFile::decodeName(dir));
        notifier->SetOnChange([this] {
            ++changes_;
            inUiThread_ = inUiThread_ && QThread::currentThread() == qApp->thread();
        });
        return notifier;
    }

    TempTree tree_;
    int changes_ = 0;
    bool inUiThread_ = true;
};

TEST_F(ShellChangeNotifierTest, DefaultsAndWorkersStartOnlyWithAHandler) {
    TShellChangeNotifier notifier(nullptr);
    EXPECT_EQ(notifier.NotifyFilters(), TNotifyFilters({nfFileNameChange, nfDirNameChange}));
    EXPECT_TRUE(notifier.WatchSubTree());
    EXPECT_EQ(notifier.Root(), QStringLiteral("/"));
    EXPECT_EQ(TShellChangeThread::LiveCount(), 0);
    notifier.SetRoot(QFile::decodeName(tree_.Root()));
    notifier.SetOnChange([] {});
    EXPECT_EQ(TShellChangeThread::LiveCount(), 1);
    notifier.SetOnChange([this] { ++changes_; });
    EXPECT_EQ(TShellChangeThread::LiveCount(), 1);
    EXPECT_EQ(NotifyFilterFlags({nfFileNameChange, nfSecurityChange}), 0x101u);
}

TEST_F(ShellChangeNotifierTest, NameChangesInTheWatchedFolderRunTheHandlerInTheUiThread) {
    const QByteArray sub = tree_.Dir("sub");
    const auto notifier = Watching(tree_.Root());
    const QByteArray file = tree_.File("new.flac");
    EXPECT_TRUE(WaitUntil([&] { return changes_ >= 1; }));
    int seen = changes_;
    ASSERT_EQ(std::rename(file.constData(), tree_.Path("renamed.flac").constData()), 0);
    EXPECT_TRUE(WaitUntil([&] { return changes_ > seen; }));
    seen = changes_;
    ASSERT_EQ(::unlink(tree_.Path("renamed.flac").constData()), 0);
    EXPECT_TRUE(WaitUntil([&] { return changes_ > seen; }));
    seen = changes_;
    ASSERT_EQ(::rmdir(sub.constData()), 0);
    EXPECT_TRUE(WaitUntil([&] { return changes_ > seen; }));
    EXPECT_TRUE(inUiThread_);
}

TEST_F(ShellChangeNotifierTest, AMovedRootAndASubTreeAreWatchedToo) {
    tree_.Dir("a");
    tree_.Dir("a/deep");
    tree_.Dir("b");
    const auto notifier = Watching(tree_.Path("a"), true);
    tree_.File("a/deep/x");
    EXPECT_TRUE(WaitUntil([&] { return changes_ >= 1; }));
    const int seen = changes_;
    notifier->SetWatchSubTree(false);
    notifier->SetRoot(QFile::decodeName(tree_.Path("b")));
    tree_.File("b/y");
    EXPECT_TRUE(WaitUntil([&] { return changes_ > seen; }));
}

TEST_F(ShellChangeNotifierTest, ADestroyedNotifierNeverRunsItsHandler) {
    for (int round = 0; round < 20; ++round) {
        auto notifier = Watching(tree_.Root());
        tree_.File("burst-" + QByteArray::number(round));
        notifier.reset(); // possibly with a change already on its way
        EXPECT_TRUE(WaitUntil([&] { return TShellChangeThread::LiveCount() == 0; }));
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(changes_, 0);
}

TEST_F(ShellChangeNotifierTest, ARootThatIsNoDirectoryIsNeverWatchedAndEndsAtOnce) {
    auto notifier = std::make_unique<TShellChangeNotifier>(nullptr);
    notifier->SetWatchSubTree(false);
    notifier->SetRoot(QStringLiteral("Computer"));
    notifier->SetOnChange([this] { ++changes_; });
    EXPECT_EQ(TShellChangeThread::LiveCount(), 1);
    notifier.reset();
    EXPECT_TRUE(WaitUntil([&] { return TShellChangeThread::LiveCount() == 0; }));
    EXPECT_EQ(changes_, 0);
}

TEST_F(ShellChangeNotifierTest, TheHandlerMayDestroyItsOwnNotifier) {
    auto notifier = std::make_unique<TShellChangeNotifier>(nullptr);
    notifier->SetWatchSubTree(false);
    notifier->SetRoot(QFile::decodeName(tree_.Root()));
    notifier->SetOnChange([&] {
        ++changes_;
        notifier.reset();
    });
    tree_.File("x");
    EXPECT_TRUE(WaitUntil([&] { return changes_ == 1; }));
    EXPECT_EQ(notifier, nullptr);
}

} // namespace
} // namespace platterwise
