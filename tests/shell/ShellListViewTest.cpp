// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/shell/ShellListView.h"

#include "ShellTestSupport.h"
#include "platform/Exceptions.h"
#include "tests/support/RecordingDialogs.h"
#include "tests/support/WaitUntil.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace platterwise {
namespace {

using namespace Qt::StringLiterals;

using testing::ScopedHome;
using testing::TempTree;
using testing::WaitUntil;

class ShellListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        list_.resize(500, 400);
        list_.SetMultiSelect(true);
    }

    QString Path(const QByteArray& relative = {}) const {
        return QFile::decodeName(relative.isEmpty() ? tree_.Root() : tree_.Path(relative));
    }
    QStringList Rows() const {
        QStringList names;
        for (int i = 0; i < list_.ItemCount(); ++i) {
            names += list_.ItemFolder(i)->InFolderName();
        }
        return names;
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(list_.ActiveView(), Qt::Key(key), modifiers);
    }

    TempTree tree_;
    ScopedHome home_{tree_};
    TShellListView list_;
};

TEST_F(ShellListViewTest, StartsAtTheDesktopAndShowsAFolderOnceItsRootIsSet) {
    EXPECT_EQ(list_.Root(), QStringLiteral("rfDesktop"));
    ASSERT_NE(list_.CurrentFolder(), nullptr);
    EXPECT_EQ(list_.CurrentFolder()->FullPathName(), QStringLiteral("Desktop"));
    EXPECT_TRUE(Rows().contains(QStringLiteral("Computer")));
    tree_.File("a.flac");
    tree_.Dir("sub");
    list_.SetRoot(Path());
    EXPECT_EQ(list_.CurrentFolder()->FullPathName(), Path());
    EXPECT_EQ(Rows(), QStringList({u"sub"_s, u"a.flac"_s}));
    EXPECT_EQ(list_.Model()->rowCount(), 2);
}

TEST_F(ShellListViewTest, FoldersComeFirstThenNamesInNaturalOrder) {
    for (const char* f : {"b10.flac", "B9.flac", "a.cue", "c1.log"}) {
        tree_.File(f);
    }
    for (const char* d : {"zeta", "Alpha", "disc 10", "disc 2"}) {
        tree_.Dir(d);
    }
    list_.SetRoot(Path());
    EXPECT_EQ(Rows(), QStringList({u"Alpha"_s, u"disc 2"_s, u"disc 10"_s, u"zeta"_s, u"a.cue"_s,
                                   u"B9.flac"_s, u"b10.flac"_s, u"c1.log"_s}));
    list_.SetSorted(false);
    QStringList unsorted = Rows();
    EXPECT_EQ(unsorted.size(), 8);
    list_.SetSorted(true);
    EXPECT_EQ(Rows().first(), QStringLiteral("Alpha"));
}

TEST_F(ShellListViewTest, OnAddFolderSeesEveryItemAndCanRefuseThem) {
    tree_.File("a.flac");
    tree_.File("b.mp3");
    tree_.Dir("sub");
    tree_.File(".hidden");
    list_.SetRoot(Path());
    QStringList seen;
    QString current;
    list_.OnAddFolder = [&](TShellListView* sender, TShellFolder* item, bool& canAdd) {
        EXPECT_EQ(sender, &list_);
        EXPECT_TRUE(canAdd);
        seen += item->FullPathName();
        current = sender->CurrentFolder()->FullPathName();
        canAdd = item->IsContainer() || item->FullPathName().endsWith(QLatin1String(".flac"));
    };
    list_.Reload();
    EXPECT_EQ(seen.size(), 3); // no hidden items without otHidden
    EXPECT_EQ(current, Path());
    EXPECT_EQ(Rows(), QStringList({u"sub"_s, u"a.flac"_s}));

    seen.clear();
    list_.SetObjectTypes({otFolders, otNonFolders, otHidden});
    EXPECT_EQ(seen.size(), 4);
    EXPECT_TRUE(seen.contains(Path(".hidden")));

    list_.OnAddFolder = [](TShellListView*, TShellFolder*, bool& canAdd) { canAdd = false; };
    list_.Reload();
    EXPECT_EQ(list_.ItemCount(), 0);
    EXPECT_EQ(list_.Model()->rowCount(), 0);
    EXPECT_EQ(list_.ItemFolder(0), nullptr);
    EXPECT_EQ(list_.SelectedItemFolder(), nullptr);
}

TEST_F(ShellListViewTest, TheSameRootInAnotherCaseDoesNothing) {
    tree_.Dir("Music");
    list_.SetRoot(Path("Music"));
    int calls = 0;
    list_.OnAddFolder = [&](TShellListView*, TShellFolder*, bool&) { ++calls; };
    tree_.File("Music/a.flac");
    list_.SetRoot(Path("Music").toUpper());
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(list_.Root(), Path("Music"));
    EXPECT_EQ(list_.ItemCount(), 0);
}

TEST_F(ShellListViewTest, SpecialNamesAndPathsResolve) {
    list_.SetRoot(QStringLiteral("rfmycomputer"));
    EXPECT_EQ(list_.CurrentFolder()->FullPathName(), ComputerFolderName());
    ASSERT_GE(list_.ItemCount(), 1);
    EXPECT_EQ(list_.ItemFolder(0)->InFolderName(), QStringLiteral("File System"));
    EXPECT_EQ(list_.ItemFolder(0)->FullPathName(), QStringLiteral("/"));
    list_.SetRoot(QStringLiteral("/"));
    EXPECT_EQ(list_.CurrentFolder()->FullPathName(), QStringLiteral("/"));
    tree_.Dir("Documents");
    list_.SetRoot(QStringLiteral("rfPersonal"));
    EXPECT_EQ(list_.CurrentFolder()->FileSystemPath(), tree_.Path("Documents"));
    list_.SetRoot(QStringLiteral("rfDesktop"));
    EXPECT_EQ(list_.CurrentFolder()->FullPathName(), QStringLiteral("Desktop"));
}

TEST_F(ShellListViewTest, AnUnknownRootRaisesTheErrorAndKeepsTheRows) {
    tree_.File("keep.flac");
    list_.SetRoot(Path());
    const auto failing = [&](const QString& root, const QString& message) {
        try {
            list_.SetRoot(root);
            ADD_FAILURE() << "no exception for " << root.toStdString();
        } catch (const EInvalidPath& e) {
            EXPECT_EQ(e.Message(), message);
        }
        EXPECT_EQ(list_.Root(), Path());
        EXPECT_EQ(list_.CurrentFolder()->FullPathName(), Path());
        EXPECT_EQ(Rows(), QStringList({u"keep.flac"_s}));
    };
    failing(Path("missing"), QStringLiteral("Error setting path: \"%1\"").arg(Path("missing")));
    failing(QStringLiteral("C:"), QStringLiteral("Error setting path: \"C:/\""));
    failing(QString(), QStringLiteral("Error setting path: \"\""));
    failing(QStringLiteral("rfPrinters"), QStringLiteral("Error setting path: \"rfPrinters\""));
}

TEST_F(ShellListViewTest, ReloadKeepsTheSelectedItemsAndTheirIndexOnlyOnceTheyAreGone) {
    for (const char* f : {"a", "b", "c"}) {
        tree_.File(f);
    }
    list_.SetRoot(Path());
    QItemSelectionModel& selection = *list_.ActiveView()->selectionModel();
    const auto select = [&](int row, QItemSelectionModel::SelectionFlags how) {
        selection.setCurrentIndex(list_.Model()->index(row, 0), how | QItemSelectionModel::Rows);
    };
    select(2, QItemSelectionModel::ClearAndSelect);
    list_.Reload(); // the last row
    EXPECT_TRUE(list_.IsRowSelected(2));

    // An item appears above a multi-selection: the same items stay chosen, focus included.
    select(1, QItemSelectionModel::Select);
    tree_.File("0-first");
    list_.Reload();
    EXPECT_EQ(Rows(), QStringList({u"0-first"_s, u"a"_s, u"b"_s, u"c"_s}));
    EXPECT_FALSE(list_.IsRowSelected(1));
    EXPECT_TRUE(list_.IsRowSelected(2) && list_.IsRowSelected(3));
    EXPECT_EQ(list_.ItemFolder(selection.currentIndex().row())->InFolderName(), u"b"_s);

    // One of them gone: the other alone stays, and takes the focus.
    ASSERT_EQ(::unlink(tree_.Path("b").constData()), 0);
    list_.Reload();
    EXPECT_EQ(list_.SelectedItemFolder()->InFolderName(), u"c"_s);
    EXPECT_FALSE(list_.IsRowSelected(0) || list_.IsRowSelected(1));
    EXPECT_EQ(selection.currentIndex().row(), 2);

    // None left: the row of the first selected index, while it exists.
    select(1, QItemSelectionModel::ClearAndSelect); // a
    ASSERT_EQ(::unlink(tree_.Path("a").constData()), 0);
    list_.Reload();
    EXPECT_EQ(list_.SelectedItemFolder()->InFolderName(), u"c"_s);
    ASSERT_EQ(::unlink(tree_.Path("0-first").constData()), 0);
    ASSERT_EQ(::unlink(tree_.Path("c").constData()), 0);
    list_.Reload(); // index 1 is gone
    EXPECT_EQ(list_.ItemCount(), 0);
    EXPECT_EQ(list_.SelectedItemFolder(), nullptr);
}

TEST_F(ShellListViewTest, KeysOpenFoldersGoUpAndReload) {
    tree_.Dir("sub");
    tree_.File("sub/inner.flac");
    list_.SetRoot(Path());
    list_.ActiveView()->setCurrentIndex(list_.Model()->index(0, 0));
    Key(Qt::Key_Return);
    EXPECT_EQ(list_.CurrentFolder()->FullPathName(), Path("sub"));
    EXPECT_EQ(list_.Root(), Path()); // navigation keeps the root text
    tree_.File("sub/second.flac");
    Key(Qt::Key_F5);
    EXPECT_EQ(Rows(), QStringList({u"inner.flac"_s, u"second.flac"_s}));
    Key(Qt::Key_Backspace);
    EXPECT_EQ(list_.CurrentFolder()->FullPathName(), Path());
}

TEST_F(ShellListViewTest, BackspaceGoesUpToTheDesktopAndStopsThere) {
    list_.SetRoot(QStringLiteral("/"));
    list_.GoUp();
    EXPECT_EQ(list_.CurrentFolder()->FullPathName(), ComputerFolderName());
    list_.GoUp();
    EXPECT_EQ(list_.CurrentFolder()->FullPathName(), QStringLiteral("Desktop"));
    int fills = 0;
    list_.OnAddFolder = [&](TShellListView*, TShellFolder*, bool&) { ++fills; };
    Key(Qt::Key_Backspace);
    EXPECT_EQ(list_.CurrentFolder()->FullPathName(), QStringLiteral("Desktop"));
    EXPECT_EQ(fills, 0);
}

TEST_F(ShellListViewTest, BackspaceWhileEditingANameDoesNotGoUp) {
    tree_.Dir("sub");
    tree_.File("sub/name.flac");
    list_.SetRoot(Path("sub"));
    list_.SetReadOnly(false);
    list_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list_));
    const QModelIndex first = list_.Model()->index(0, 0);
    list_.ActiveView()->setCurrentIndex(first);
    list_.ActiveView()->edit(first);
    ASSERT_TRUE(list_.IsEditingLabel());
    auto* editor = list_.ActiveView()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(list_.ActiveView(), Qt::Key_Backspace);
    EXPECT_EQ(list_.CurrentFolder()->FullPathName(), Path("sub"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(list_.IsEditingLabel());
    EXPECT_TRUE(TempTree::Exists(tree_.Path("sub/name.flac")));
}

TEST_F(ShellListViewTest, InPlaceRenameRenamesOrReportsTheRefusal) {
    tree_.File("one.flac");
    tree_.File("two.flac");
    list_.SetRoot(Path());
    list_.SetReadOnly(false);
    testing::ScopedRecordingDialogs dialogs;
    ASSERT_TRUE(list_.Model()->setData(list_.Model()->index(0, 0), QStringLiteral("uno.flac")));
    EXPECT_EQ(list_.ItemFolder(0)->InFolderName(), QStringLiteral("uno.flac"));
    EXPECT_TRUE(TempTree::Exists(tree_.Path("uno.flac")));
    list_.Model()->setData(list_.Model()->index(0, 0), QStringLiteral("two.flac"));
    EXPECT_TRUE(TempTree::Exists(tree_.Path("uno.flac")));
    EXPECT_TRUE(WaitUntil([&] { return dialogs.recorder.boxes.size() == 1u; }));
    EXPECT_EQ(dialogs.recorder.boxes[0].text, QStringLiteral("Rename to two.flac failed"));
}

TEST_F(ShellListViewTest, TypeAheadFindsByPrefixAndWrapsOnce) {
    for (const char* f : {"apple", "banana", "cherry", "Zebra"}) {
        tree_.File(f);
    }
    list_.SetRoot(Path());
    EXPECT_EQ(list_.FindItemByPrefix(ifPartialString, QStringLiteral("ch"), 0, false), 2);
    EXPECT_EQ(list_.FindItemByPrefix(ifExactString, QStringLiteral("ZE"), 0, false), 3);
    EXPECT_EQ(list_.FindItemByPrefix(ifPartialString, QStringLiteral("zebra"), 3, false), 3);
    EXPECT_EQ(list_.FindItemByPrefix(ifPartialString, QStringLiteral("a"), 1, false), -1);
    EXPECT_EQ(list_.FindItemByPrefix(ifPartialString, QStringLiteral("a"), 1, true), 0);
    EXPECT_EQ(list_.FindItemByPrefix(ifPartialString, QStringLiteral("q"), 2, true), -1);
    EXPECT_EQ(list_.FindItemByPrefix(ifData, QStringLiteral("a"), 0, true), -1);
    QTest::keyClicks(list_.ActiveView(), QStringLiteral("b"));
    EXPECT_EQ(list_.SelectedItemFolder()->InFolderName(), QStringLiteral("banana"));
}

TEST_F(ShellListViewTest, ReportViewHasTheFallbackColumnsAndTheComputerOnlyNames) {
    const QByteArray file = tree_.File("a.flac", 1234);
    list_.SetViewStyle(vsReport);
    list_.SetRoot(Path());
    ASSERT_EQ(list_.ColumnCount(), 4);
    const int x = list_.ActiveView()->fontMetrics().horizontalAdvance(u'X');
    const QStringList captions{u"Name"_s, u"Size"_s, u"Type"_s, u"Modified"_s};
    const int widths[] = {25, 10, 10, 14};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(list_.Column(c).caption, captions[c]);
        EXPECT_EQ(list_.Column(c).width, widths[c] * x);
        EXPECT_EQ(list_.Model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(),
                  captions[c]);
    }
    EXPECT_EQ(list_.Column(1).alignment, Qt::AlignRight);
    EXPECT_EQ(list_.Model()->index(0, 1).data().toString(), QStringLiteral("1234"));
    EXPECT_EQ(list_.Model()->index(0, 2).data().toString(), QStringLiteral(".flac"));
    ASSERT_EQ(::unlink(file.constData()), 0);
    list_.Reload();
    list_.SetRoot(QStringLiteral("rfMyComputer"));
    ASSERT_EQ(list_.ColumnCount(), 1);
    EXPECT_EQ(list_.Column(0).caption, QStringLiteral("Name"));
}

TEST_F(ShellListViewTest, ViewStylesSwitchViewsAndKeepTheSelection) {
    tree_.File("a");
    tree_.File("b");
    list_.SetRoot(Path());
    list_.SelectAll();
    for (TViewStyle style : {vsReport, vsIcon, vsSmallIcon, vsList, vsReport}) {
        list_.SetViewStyle(style);
        EXPECT_EQ(dynamic_cast<QTableView*>(list_.ActiveView()) != nullptr, style == vsReport);
        EXPECT_TRUE(list_.IsRowSelected(0) && list_.IsRowSelected(1)) << style;
    }
    list_.SetMultiSelect(false);
    list_.ActiveView()->clearSelection();
    list_.SelectAll();
    EXPECT_FALSE(list_.IsRowSelected(0));
}

TEST_F(ShellListViewTest, ANameThatIsNotUtf8IsShownAndKeepsItsBytes) {
    const QByteArray odd("\xc0\xafodd.flac");
    tree_.File(odd, 7);
    list_.SetViewStyle(vsReport);
    list_.SetRoot(Path());
    ASSERT_EQ(list_.ItemCount(), 1);
    EXPECT_EQ(list_.ItemFolder(0)->FileSystemPath(), tree_.Path(odd));
    EXPECT_TRUE(list_.Model()->index(0, 0).data().toString().contains(QChar::ReplacementCharacter));
    EXPECT_EQ(list_.Model()->index(0, 1).data().toString(), QStringLiteral("7"));
}

TEST_F(ShellListViewTest, TheModelPassesTheModelTester) {
    tree_.Dir("sub");
    for (int i = 0; i < 30; ++i) {
        tree_.File("f" + QByteArray::number(i));
    }
    QAbstractItemModelTester tester(list_.Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    list_.SetRoot(Path());
    list_.SetViewStyle(vsReport);
    list_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list_));
    list_.ActiveView()->setCurrentIndex(list_.Model()->index(0, 0));
    Key(Qt::Key_Return);
    Key(Qt::Key_Backspace);
    list_.SetViewStyle(vsIcon);
    list_.SetRoot(QStringLiteral("rfMyComputer"));
    list_.Reload();
    EXPECT_GE(list_.ItemCount(), 1);
}

TEST_F(ShellListViewTest, AutoRefreshFollowsNameChangesInTheShownFolder) {
    tree_.Dir("watched");
    list_.SetRoot(Path("watched"));
    list_.SetAutoRefresh(true);
    EXPECT_EQ(list_.ItemCount(), 0);
    tree_.File("watched/new.flac");
    EXPECT_TRUE(WaitUntil([&] { return list_.ItemCount() == 1; }));
    tree_.Dir("other");
    list_.SetRoot(Path("other")); // a fresh notifier on the new folder
    tree_.File("other/x");
    EXPECT_TRUE(WaitUntil([&] { return list_.ItemCount() == 1; }));
    EXPECT_EQ(list_.ItemFolder(0)->InFolderName(), QStringLiteral("x"));
}

} // namespace
} // namespace platterwise
