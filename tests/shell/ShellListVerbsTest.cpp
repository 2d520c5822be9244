// SPDX-License-Identifier: GPL-3.0-or-later
// The item menu, its verbs and opening items from the list.
#include "ShellTestSupport.h"
#include "widgets/shell/ShellListView.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyleHints>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>
#include <unistd.h>

namespace platterwise {
namespace {

using namespace Qt::StringLiterals;

using testing::ScopedHome;
using testing::TempTree;

// Stands in for the desktop's launcher: records what it was asked to open and, like a
// careless launcher might, leaves the process in another working directory.
class FakeLauncher : public QObject {
    Q_OBJECT
public:
    FakeLauncher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~FakeLauncher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;
    QByteArray moveTo;
public slots:
    void Open(const QUrl& url) {
        opened += url;
        if (!moveTo.isEmpty()) {
            [[maybe_unused]] const int r = ::chdir(moveTo.constData());
        }
    }
};

QByteArray Cwd() {
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) ? QByteArray(buffer) : QByteArray();
}

class ShellListVerbsTest : public ::testing::Test {
protected:
    void SetUp() override {
        list_.resize(500, 400);
        list_.SetReadOnly(false);
        list_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list_));
    }
    void Select(int row) { list_.ActiveView()->setCurrentIndex(list_.Model()->index(row, 0)); }
    // Opens the item menu of the selected row and picks the entry `caption` (none: Escape).
    QStringList PickFromMenu(const QString& caption) {
        QStringList captions;
        QTimer::singleShot(0, &list_, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator()) {
                    captions += action->text();
                }
                if (action->text() == caption) {
                    menu->setActiveAction(action);
                }
            }
            QTest::keyClick(menu, caption.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
        });
        list_.SelectedItemFolder()->ShowContextMenu(&list_, 10, 10);
        return captions;
    }

    TempTree tree_;
    ScopedHome home_{tree_};
    TShellListView list_;
};

TEST_F(ShellListVerbsTest, TheMenuOffersTheFourVerbsAndRenameEditsInPlace) {
    tree_.File("song.flac");
    list_.SetRoot(QFile::decodeName(tree_.Root()));
    Select(0);
    const QStringList captions = PickFromMenu(QStringLiteral("Rena&me"));
    EXPECT_EQ(captions,
              QStringList({u"&Open"_s, u"Rena&me"_s, u"Move to &Trash"_s, u"P&roperties"_s}));
    EXPECT_TRUE(list_.IsEditingLabel());
    EXPECT_TRUE(TempTree::Exists(tree_.Path("song.flac")));
}

TEST_F(ShellListVerbsTest, DeleteMovesToTheTrashAndReloads) {
    tree_.File("a.flac", 0, "data");
    tree_.File("b.flac");
    list_.SetRoot(QFile::decodeName(tree_.Root()));
    Select(0);
    PickFromMenu(QStringLiteral("Move to &Trash"));
    EXPECT_FALSE(TempTree::Exists(tree_.Path("a.flac")));
    EXPECT_TRUE(TempTree::Exists(tree_.Path(".local/share/Trash/files/a.flac")));
    ASSERT_EQ(list_.ItemCount(), 1);
    EXPECT_EQ(list_.ItemFolder(0)->InFolderName(), QStringLiteral("b.flac"));
}

TEST_F(ShellListVerbsTest, OpenLeavesTheWorkingDirectoryAsItWas) {
    tree_.File("song.flac");
    list_.SetRoot(QFile::decodeName(tree_.Root()));
    FakeLauncher launcher;
    launcher.moveTo = "/";
    const QByteArray before = Cwd();
    ASSERT_NE(before, "/");
    Select(0);
    PickFromMenu(QStringLiteral("&Open"));
    ASSERT_EQ(launcher.opened.size(), 1);
    EXPECT_EQ(launcher.opened[0].toLocalFile(), QFile::decodeName(tree_.Path("song.flac")));
    EXPECT_EQ(Cwd(), before);

    // A failed open must not leave it changed either.
    bool handled = false;
    list_.BeforeVerb("open", handled);
    EXPECT_FALSE(handled);
    ASSERT_EQ(::chdir("/"), 0);
    list_.AfterVerb("open", false);
    EXPECT_EQ(Cwd(), before);
}

TEST_F(ShellListVerbsTest, DoubleClickOpensFoldersAndHandsFilesToTheDesktop) {
    tree_.Dir("sub");
    const QByteArray odd = tree_.File("sub/\xff-odd.flac");
    list_.SetRoot(QFile::decodeName(tree_.Root()));
    FakeLauncher launcher;
    QAbstractItemView* view = list_.ActiveView();
    const auto doubleClick = [&](int row) {
        const QPoint at = view->visualRect(list_.Model()->index(row, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    };
    doubleClick(0);
    EXPECT_EQ(list_.CurrentFolder()->FileSystemPath(), tree_.Path("sub"));
    doubleClick(0);
    ASSERT_EQ(launcher.opened.size(), 1);
    // The file's own bytes reach the launcher, percent-encoded.
    EXPECT_EQ(QByteArray::fromPercentEncoding(launcher.opened[0].toEncoded()),
              QByteArray("file://") + odd);
}

// Rename in place, driven as a user would: F2 or a slow second click starts it, Enter commits
// only the rename, Esc cancels, and a plain click inside a multi-selection only selects.
class ShellListRenameTest : public ShellListVerbsTest {
protected:
    void SetUp() override {
        ShellListVerbsTest::SetUp();
        list_.SetMultiSelect(true);
        interval_ = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(100);
    }
    void TearDown() override {
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(interval_);
    }
    QPoint RowCentre(int row) const {
        return list_.ActiveView()->visualRect(list_.Model()->index(row, 0)).center();
    }
    void Click(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(list_.ActiveView()->viewport(), Qt::LeftButton, modifiers,
                          RowCentre(row));
    }
    QLineEdit* Editor() const { return list_.ActiveView()->findChild<QLineEdit*>(); }
    // Types `name` into a fresh editor of the current row and ends the edit with `key`.
    void TypeAndEnd(const QString& name, Qt::Key key) {
        QTest::keyClick(list_.ActiveView(), Qt::Key_F2);
        ASSERT_TRUE(list_.IsEditingLabel());
        QLineEdit* editor = Editor();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, name);
        QTest::keyClick(editor, key);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !list_.IsEditingLabel(); }));
    }
    int SelectedRows() const {
        int n = 0;
        for (int row = 0; row < list_.ItemCount(); ++row) {
            n += list_.IsRowSelected(row) ? 1 : 0;
        }
        return n;
    }

private:
    int interval_ = 0;
};

TEST_F(ShellListRenameTest, EnterCommitsTheRenameAndOpensNothingEscCancels) {
    tree_.Dir("album");
    tree_.File("song.flac");
    list_.SetRoot(QFile::decodeName(tree_.Root()));
    FakeLauncher launcher;
    Select(0);
    TypeAndEnd(QStringLiteral("renamed album"), Qt::Key_Return);
    EXPECT_EQ(list_.CurrentFolder()->FileSystemPath(), tree_.Root());
    EXPECT_TRUE(TempTree::Exists(tree_.Path("renamed album")));

    Select(1);
    TypeAndEnd(QStringLiteral("renamed.flac"), Qt::Key_Enter);
    EXPECT_TRUE(launcher.opened.isEmpty());
    EXPECT_TRUE(TempTree::Exists(tree_.Path("renamed.flac")));

    TypeAndEnd(QStringLiteral("never.flac"), Qt::Key_Escape);
    EXPECT_TRUE(TempTree::Exists(tree_.Path("renamed.flac")));
    EXPECT_FALSE(TempTree::Exists(tree_.Path("never.flac")));
    // With no editor open, Enter opens again.
    QTest::keyClick(list_.ActiveView(), Qt::Key_Return);
    EXPECT_EQ(launcher.opened.size(), 1);
}

TEST_F(ShellListRenameTest, APlainClickInAMultiSelectionSelectsOnlyThatRow) {
    for (const char* name : {"a.flac", "b.flac", "c.flac", "d.flac"}) {
        tree_.File(name);
    }
    list_.SetRoot(QFile::decodeName(tree_.Root()));
    Click(0);
    Click(2, Qt::ShiftModifier);
    ASSERT_EQ(SelectedRows(), 3);
    Click(1);
    EXPECT_EQ(SelectedRows(), 1);
    EXPECT_TRUE(list_.IsRowSelected(1));
    EXPECT_FALSE(QTest::qWaitFor([&] { return list_.IsEditingLabel(); }, 400));

    // A second, slow click on the lone selected row starts the rename.
    Click(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list_.IsEditingLabel(); }));
    EXPECT_EQ(Editor()->text(), QStringLiteral("b.flac"));
    QTest::keyClick(Editor(), Qt::Key_Escape);

    // A double-click on it opens the file and starts no rename.
    FakeLauncher launcher;
    QTest::mouseDClick(list_.ActiveView()->viewport(), Qt::LeftButton, {}, RowCentre(1));
    EXPECT_EQ(launcher.opened.size(), 1);
    EXPECT_FALSE(QTest::qWaitFor([&] { return list_.IsEditingLabel(); }, 400));
}

TEST_F(ShellListVerbsTest, AltEnterShowsPropertiesAndNoSelectionShowsNoMenu) {
    tree_.File("song.flac", 42);
    list_.SetRoot(QFile::decodeName(tree_.Root()));
    Select(0);
    QTest::keyClick(list_.ActiveView(), Qt::Key_Return, Qt::AltModifier);
    QWidget* sheet = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("ShellPropertiesWindow") && w->isVisible()) {
            sheet = w;
        }
    }
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("song.flac Properties"));
    bool sized = false;
    for (const QLabel* label : sheet->findChildren<QLabel*>()) {
        sized = sized || label->text() == QStringLiteral("42 bytes");
    }
    EXPECT_TRUE(sized);
    sheet->close();

    list_.ActiveView()->clearSelection();
    bool menuShown = false;
    QTimer::singleShot(0, &list_, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            menuShown = true;
            popup->close();
        }
    });
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5),
                              list_.ActiveView()->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(list_.ActiveView()->viewport(), &request);
    QApplication::processEvents();
    EXPECT_FALSE(menuShown);
}

} // namespace
} // namespace platterwise

#include "ShellListVerbsTest.moc"
