// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DirectoryWatch.h"

#include "tests/support/TempTree.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace platterwise {
namespace {

using testing::TempTree;

constexpr std::uint32_t kNames = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;

// Inotify queues an event before the system call that caused it returns, so with the wake
// signal already raised a wait tells at once whether a selected change is pending.
TDirectoryWatch::TWaitResult Poll(TDirectoryWatch& watch) {
    TWakeSignal wake;
    wake.Raise();
    return watch.Wait(wake);
}

TEST(DirectoryWatch, NameChangesInTheDirectoryAreReported) {
    TempTree tree;
    const auto watch = TDirectoryWatch::Create(tree.Root(), false, kNames);
    ASSERT_TRUE(watch);
    EXPECT_EQ(Poll(*watch), TDirectoryWatch::wrWoken);
    const QByteArray file = tree.File("new.flac");
    EXPECT_EQ(Poll(*watch), TDirectoryWatch::wrChanged);
    EXPECT_EQ(Poll(*watch), TDirectoryWatch::wrWoken); // the change was taken
    ASSERT_EQ(std::rename(file.constData(), tree.Path("renamed.flac").constData()), 0);
    EXPECT_EQ(Poll(*watch), TDirectoryWatch::wrChanged);
    tree.Dir("sub");
    EXPECT_EQ(Poll(*watch), TDirectoryWatch::wrChanged);
    ASSERT_EQ(::rmdir(tree.Path("sub").constData()), 0);
    EXPECT_EQ(Poll(*watch), TDirectoryWatch::wrChanged);
    ASSERT_EQ(::unlink(tree.Path("renamed.flac").constData()), 0);
    EXPECT_EQ(Poll(*watch), TDirectoryWatch::wrChanged);
}

TEST(DirectoryWatch, ContentWritesAndChangesInsideSubFoldersAreNotNameChanges) {
    TempTree tree;
    const QByteArray file = tree.File("a.flac");
    tree.Dir("sub");
    const auto watch = TDirectoryWatch::Create(tree.Root(), false, kNames);
    ASSERT_TRUE(watch);
    tree.File("a.flac", 0, "new content"); // rewritten in place
    ASSERT_EQ(::chmod(file.constData(), 0600), 0);
    tree.File("sub/inside.flac");
    tree.Dir("sub/deeper");
    EXPECT_EQ(Poll(*watch), TDirectoryWatch::wrWoken);
}

TEST(DirectoryWatch, FiltersSelectFilesOrDirectoriesAndWrites) {
    TempTree tree;
    const auto dirsOnly = TDirectoryWatch::Create(tree.Root(), false, FILE_NOTIFY_CHANGE_DIR_NAME);
    ASSERT_TRUE(dirsOnly);
    tree.File("file");
    EXPECT_EQ(Poll(*dirsOnly), TDirectoryWatch::wrWoken);
    tree.Dir("dir");
    EXPECT_EQ(Poll(*dirsOnly), TDirectoryWatch::wrChanged);

    const auto writes = TDirectoryWatch::Create(tree.Root(), false, FILE_NOTIFY_CHANGE_LAST_WRITE);
    ASSERT_TRUE(writes);
    tree.File("file", 0, "data");
    EXPECT_EQ(Poll(*writes), TDirectoryWatch::wrChanged);
}

TEST(DirectoryWatch, ASubTreeWatchSeesDeepChangesIncludingNewFolders) {
    TempTree tree;
    tree.Dir("a");
    tree.Dir("a/b");
    const auto watch = TDirectoryWatch::Create(tree.Root(), true, kNames);
    ASSERT_TRUE(watch);
    tree.File("a/b/deep.flac");
    EXPECT_EQ(Poll(*watch), TDirectoryWatch::wrChanged);
    tree.Dir("a/new");
    EXPECT_EQ(Poll(*watch), TDirectoryWatch::wrChanged);
    ASSERT_TRUE(watch->Rearm());
    tree.File("a/new/file");
    EXPECT_EQ(Poll(*watch), TDirectoryWatch::wrChanged);
}

TEST(DirectoryWatch, OnlyDirectoriesCanBeWatched) {
    TempTree tree;
    EXPECT_FALSE(TDirectoryWatch::Create(tree.File("plain"), false, kNames));
    EXPECT_FALSE(TDirectoryWatch::Create(tree.Path("missing"), false, kNames));
    EXPECT_FALSE(TDirectoryWatch::Create("Computer", false, kNames));
}

} // namespace
} // namespace platterwise
