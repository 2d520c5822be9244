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
        list.resize(500, 400);
        list.SetMultiSelect(true);
    }

    QString Path(const QByteArray& relative = {}) const {
        return QFile::decodeName(relative.isEmpty() ? tree.Root() : tree.Path(relative));
    }
    QStringList Rows() const {
        QStringList names;
        for (int i = 0; i < list.ItemCount(); ++i) {
            names += list.ItemFolder(i)->InFolderName();
        }
        return names;
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(list.ActiveView(), Qt::Key(key), modifiers);
    }

    TempTree tree;
    ScopedHome home{tree};
    TShellListView list;
};

TEST_F(ShellListViewTest, StartsAtTheDesktopAndShowsAFolderOnceItsRootIsSet) {
    EXPECT_EQ(list.Root(), QStringLiteral("rfDesktop"));
    ASSERT_NE(list.CurrentFolder(), nullptr);
    EXPECT_EQ(list.CurrentFolder()->FullPathName(), QStringLiteral("Desktop"));
    EXPECT_TRUE(Rows().contains(QStringLiteral("Computer")));
    tree.File("a.flac");
    tree.Dir("sub");
    list.SetRoot(Path());
    EXPECT_EQ(list.CurrentFolder()->FullPathName(), Path());
    EXPECT_EQ(Rows(), QStringList({u"sub"_s, u"a.flac"_s}));
    EXPECT_EQ(list.Model()->rowCount(), 2);
}

TEST_F(ShellListViewTest, FoldersComeFirstThenNamesInNaturalOrder) {
    for (const char* f : {"b10.flac", "B9.flac", "a.cue", "c1.log"}) {
        tree.File(f);
    }
    for (const char* d : {"zeta", "Alpha", "disc 10", "disc 2"}) {
        tree.Dir(d);
    }
    list.SetRoot(Path());
    EXPECT_EQ(Rows(), QStringList({u"Alpha"_s, u"disc 2"_s, u"disc 10"_s, u"zeta"_s, u"a.cue"_s,
                                   u"B9.flac"_s, u"b10.flac"_s, u"c1.log"_s}));
    list.SetSorted(false);
    QStringList unsorted = Rows();
    EXPECT_EQ(unsorted.size(), 8);
    list.SetSorted(true);
    EXPECT_EQ(Rows().first(), QStringLiteral("Alpha"));
}

TEST_F(ShellListViewTest, OnAddFolderSeesEveryItemAndCanRefuseThem) {
    tree.File("a.flac");
    tree.File("b.mp3");
    tree.Dir("sub");
    tree.File(".hidden");
    list.SetRoot(Path());
    QStringList seen;
    QString current;
    list.OnAddFolder = [&](TShellListView* sender, TShellFolder* item, bool& canAdd) {
        EXPECT_EQ(sender, &list);
        EXPECT_TRUE(canAdd);
        seen += item->FullPathName();
        current = sender->CurrentFolder()->FullPathName();
        canAdd = item->IsContainer() || item->FullPathName().endsWith(QLatin1String(".flac"));
    };
    list.Reload();
    EXPECT_EQ(seen.size(), 3); // no hidden items without otHidden
    EXPECT_EQ(current, Path());
    EXPECT_EQ(Rows(), QStringList({u"sub"_s, u"a.flac"_s}));

    seen.clear();
    list.SetObjectTypes({otFolders, otNonFolders, otHidden});
    EXPECT_EQ(seen.size(), 4);
    EXPECT_TRUE(seen.contains(Path(".hidden")));

    list.OnAddFolder = [](TShellListView*, TShellFolder*, bool& canAdd) { canAdd = false; };
    list.Reload();
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_EQ(list.Model()->rowCount(), 0);
    EXPECT_EQ(list.ItemFolder(0), nullptr);
    EXPECT_EQ(list.SelectedItemFolder(), nullptr);
}

TEST_F(ShellListViewTest, TheSameRootInAnotherCaseDoesNothing) {
    tree.Dir("Music");
    list.SetRoot(Path("Music"));
    int calls = 0;
    list.OnAddFolder = [&](TShellListView*, TShellFolder*, bool&) { ++calls; };
    tree.File("Music/a.flac");
    list.SetRoot(Path("Music").toUpper());
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(list.Root(), Path("Music"));
    EXPECT_EQ(list.ItemCount(), 0);
}

TEST_F(ShellListViewTest, SpecialNamesAndPathsResolve) {
    list.SetRoot(QStringLiteral("rfmycomputer"));
    EXPECT_EQ(list.CurrentFolder()->FullPathName(), ComputerFolderName());
    ASSERT_GE(list.ItemCount(), 1);
    EXPECT_EQ(list.ItemFolder(0)->InFolderName(), QStringLiteral("File System"));
    EXPECT_EQ(list.ItemFolder(0)->FullPathName(), QStringLiteral("/"));
    list.SetRoot(QStringLiteral("/"));
    EXPECT_EQ(list.CurrentFolder()->FullPathName(), QStringLiteral("/"));
    tree.Dir("Documents");
    list.SetRoot(QStringLiteral("rfPersonal"));
    EXPECT_EQ(list.CurrentFolder()->FileSystemPath(), tree.Path("Documents"));
    list.SetRoot(QStringLiteral("rfDesktop"));
    EXPECT_EQ(list.CurrentFolder()->FullPathName(), QStringLiteral("Desktop"));
}

TEST_F(ShellListViewTest, AnUnknownRootRaisesTheErrorAndKeepsTheRows) {
    tree.File("keep.flac");
    list.SetRoot(Path());
    const auto failing = [&](const QString& root, const QString& message) {
        try {
            list.SetRoot(root);
            ADD_FAILURE() << "no exception for " << root.toStdString();
        } catch (const EInvalidPath& e) {
            EXPECT_EQ(e.Message(), message);
        }
        EXPECT_EQ(list.Root(), Path());
        EXPECT_EQ(list.CurrentFolder()->FullPathName(), Path());
        EXPECT_EQ(Rows(), QStringList({u"keep.flac"_s}));
    };
    failing(Path("missing"), QStringLiteral("Error setting path: \"%1\"").arg(Path("missing")));
    failing(QStringLiteral("C:"), QStringLiteral("Error setting path: \"C:/\""));
    failing(QString(), QStringLiteral("Error setting path: \"\""));
    failing(QStringLiteral("rfPrinters"), QStringLiteral("Error setting path: \"rfPrinters\""));
}

TEST_F(ShellListViewTest, ReloadKeepsTheSelectedIndexWhileItExists) {
    for (const char* f : {"a", "b", "c"}) {
        tree.File(f);
    }
    list.SetRoot(Path());
    list.ActiveView()->selectionModel()->select(
        list.Model()->index(2, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list.Reload(); // the last row
    EXPECT_TRUE(list.IsRowSelected(2));
    tree.File("0-first");
    list.Reload();
    EXPECT_EQ(Rows(), QStringList({u"0-first"_s, u"a"_s, u"b"_s, u"c"_s}));
    EXPECT_TRUE(list.IsRowSelected(2));
    EXPECT_EQ(list.SelectedItemFolder()->InFolderName(), QStringLiteral("b"));
    EXPECT_FALSE(list.IsRowSelected(3));
    ASSERT_EQ(::unlink(tree.Path("0-first").constData()), 0);
    ASSERT_EQ(::unlink(tree.Path("a").constData()), 0);
    list.Reload(); // index 2 is gone
    EXPECT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.SelectedItemFolder(), nullptr);
}

TEST_F(ShellListViewTest, KeysOpenFoldersGoUpAndReload) {
    tree.Dir("sub");
    tree.File("sub/inner.flac");
    list.SetRoot(Path());
    list.ActiveView()->setCurrentIndex(list.Model()->index(0, 0));
    Key(Qt::Key_Return);
    EXPECT_EQ(list.CurrentFolder()->FullPathName(), Path("sub"));
    EXPECT_EQ(list.Root(), Path()); // navigation keeps the root text
    tree.File("sub/second.flac");
    Key(Qt::Key_F5);
    EXPECT_EQ(Rows(), QStringList({u"inner.flac"_s, u"second.flac"_s}));
    Key(Qt::Key_Backspace);
    EXPECT_EQ(list.CurrentFolder()->FullPathName(), Path());
}

TEST_F(ShellListViewTest, BackspaceGoesUpToTheDesktopAndStopsThere) {
    list.SetRoot(QStringLiteral("/"));
    list.GoUp();
    EXPECT_EQ(list.CurrentFolder()->FullPathName(), ComputerFolderName());
    list.GoUp();
    EXPECT_EQ(list.CurrentFolder()->FullPathName(), QStringLiteral("Desktop"));
    int fills = 0;
    list.OnAddFolder = [&](TShellListView*, TShellFolder*, bool&) { ++fills; };
    Key(Qt::Key_Backspace);
    EXPECT_EQ(list.CurrentFolder()->FullPathName(), QStringLiteral("Desktop"));
    EXPECT_EQ(fills, 0);
}

TEST_F(ShellListViewTest, BackspaceWhileEditingANameDoesNotGoUp) {
    tree.Dir("sub");
    tree.File("sub/name.flac");
    list.SetRoot(Path("sub"));
    list.SetReadOnly(false);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    const QModelIndex first = list.Model()->index(0, 0);
    list.ActiveView()->setCurrentIndex(first);
    list.ActiveView()->edit(first);
    ASSERT_TRUE(list.IsEditingLabel());
    auto* editor = list.ActiveView()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(list.ActiveView(), Qt::Key_Backspace);
    EXPECT_EQ(list.CurrentFolder()->FullPathName(), Path("sub"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(list.IsEditingLabel());
    EXPECT_TRUE(TempTree::Exists(tree.Path("sub/name.flac")));
}

TEST_F(ShellListViewTest, InPlaceRenameRenamesOrReportsTheRefusal) {
    tree.File("one.flac");
    tree.File("two.flac");
    list.SetRoot(Path());
    list.SetReadOnly(false);
    testing::ScopedRecordingDialogs dialogs;
    ASSERT_TRUE(list.Model()->setData(list.Model()->index(0, 0), QStringLiteral("uno.flac")));
    EXPECT_EQ(list.ItemFolder(0)->InFolderName(), QStringLiteral("uno.flac"));
    EXPECT_TRUE(TempTree::Exists(tree.Path("uno.flac")));
    list.Model()->setData(list.Model()->index(0, 0), QStringLiteral("two.flac"));
    EXPECT_TRUE(TempTree::Exists(tree.Path("uno.flac")));
    EXPECT_TRUE(WaitUntil([&] { return dialogs.recorder.boxes.size() == 1u; }));
    EXPECT_EQ(dialogs.recorder.boxes[0].text, QStringLiteral("Rename to two.flac failed"));
}

TEST_F(ShellListViewTest, TypeAheadFindsByPrefixAndWrapsOnce) {
    for (const char* f : {"apple", "banana", "cherry", "Zebra"}) {
        tree.File(f);
    }
    list.SetRoot(Path());
    EXPECT_EQ(list.FindItemByPrefix(ifPartialString, QStringLiteral("ch"), 0, false), 2);
    EXPECT_EQ(list.FindItemByPrefix(ifExactString, QStringLiteral("ZE"), 0, false), 3);
    EXPECT_EQ(list.FindItemByPrefix(ifPartialString, QStringLiteral("zebra"), 3, false), 3);
    EXPECT_EQ(list.FindItemByPrefix(ifPartialString, QStringLiteral("a"), 1, false), -1);
    EXPECT_EQ(list.FindItemByPrefix(ifPartialString, QStringLiteral("a"), 1, true), 0);
    EXPECT_EQ(list.FindItemByPrefix(ifPartialString, QStringLiteral("q"), 2, true), -1);
    EXPECT_EQ(list.FindItemByPrefix(ifData, QStringLiteral("a"), 0, true), -1);
    QTest::keyClicks(list.ActiveView(), QStringLiteral("b"));
    EXPECT_EQ(list.SelectedItemFolder()->InFolderName(), QStringLiteral("banana"));
}

TEST_F(ShellListViewTest, ReportViewHasTheFallbackColumnsAndTheComputerOnlyNames) {
    const QByteArray file = tree.File("a.flac", 1234);
    list.SetViewStyle(vsReport);
    list.SetRoot(Path());
    ASSERT_EQ(list.ColumnCount(), 4);
    const int x = list.ActiveView()->fontMetrics().horizontalAdvance(u'X');
    const QStringList captions{u"Name"_s, u"Size"_s, u"Type"_s, u"Modified"_s};
    const int widths[] = {25, 10, 10, 14};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(list.Column(c).caption, captions[c]);
        EXPECT_EQ(list.Column(c).width, widths[c] * x);
        EXPECT_EQ(list.Model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(),
                  captions[c]);
    }
    EXPECT_EQ(list.Column(1).alignment, Qt::AlignRight);
    EXPECT_EQ(list.Model()->index(0, 1).data().toString(), QStringLiteral("1234"));
    EXPECT_EQ(list.Model()->index(0, 2).data().toString(), QStringLiteral(".flac"));
    ASSERT_EQ(::unlink(file.constData()), 0);
    list.Reload();
    list.SetRoot(QStringLiteral("rfMyComputer"));
    ASSERT_EQ(list.ColumnCount(), 1);
    EXPECT_EQ(list.Column(0).caption, QStringLiteral("Name"));
}

TEST_F(ShellListViewTest, ViewStylesSwitchViewsAndKeepTheSelection) {
    tree.File("a");
    tree.File("b");
    list.SetRoot(Path());
    list.SelectAll();
    for (TViewStyle style : {vsReport, vsIcon, vsSmallIcon, vsList, vsReport}) {
        list.SetViewStyle(style);
        EXPECT_EQ(dynamic_cast<QTableView*>(list.ActiveView()) != nullptr, style == vsReport);
        EXPECT_TRUE(list.IsRowSelected(0) && list.IsRowSelected(1)) << style;
    }
    list.SetMultiSelect(false);
    list.ActiveView()->clearSelection();
    list.SelectAll();
    EXPECT_FALSE(list.IsRowSelected(0));
}

TEST_F(ShellListViewTest, ANameThatIsNotUtf8IsShownAndKeepsItsBytes) {
    const QByteArray odd("\xc0\xafodd.flac");
    tree.File(odd, 7);
    list.SetViewStyle(vsReport);
    list.SetRoot(Path());
    ASSERT_EQ(list.ItemCount(), 1);
    EXPECT_EQ(list.ItemFolder(0)->FileSystemPath(), tree.Path(odd));
    EXPECT_TRUE(list.Model()->index(0, 0).data().toString().contains(QChar::ReplacementCharacter));
    EXPECT_EQ(list.Model()->index(0, 1).data().toString(), QStringLiteral("7"));
}

TEST_F(ShellListViewTest, TheModelPassesTheModelTester) {
    tree.Dir("sub");
    for (int i = 0; i < 30; ++i) {
        tree.File("f" + QByteArray::number(i));
    }
    QAbstractItemModelTester tester(list.Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    list.SetRoot(Path());
    list.SetViewStyle(vsReport);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    list.ActiveView()->setCurrentIndex(list.Model()->index(0, 0));
    Key(Qt::Key_Return);
    Key(Qt::Key_Backspace);
    list.SetViewStyle(vsIcon);
    list.SetRoot(QStringLiteral("rfMyComputer"));
    list.Reload();
    EXPECT_GE(list.ItemCount(), 1);
}

TEST_F(ShellListViewTest, AutoRefreshFollowsNameChangesInTheShownFolder) {
    tree.Dir("watched");
    list.SetRoot(Path("watched"));
    list.SetAutoRefresh(true);
    EXPECT_EQ(list.ItemCount(), 0);
    tree.File("watched/new.flac");
    EXPECT_TRUE(WaitUntil([&] { return list.ItemCount() == 1; }));
    tree.Dir("other");
    list.SetRoot(Path("other")); // a fresh notifier on the new folder
    tree.File("other/x");
    EXPECT_TRUE(WaitUntil([&] { return list.ItemCount() == 1; }));
    EXPECT_EQ(list.ItemFolder(0)->InFolderName(), QStringLiteral("x"));
}

} // namespace
} // namespace platterwise
