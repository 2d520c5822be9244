// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's folder from outside: the command line's paths and dropped folders.
#include "AppFixture.h"
#include "widgets/shell/ShellFolder.h"
#include "widgets/shell/ShellListView.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace platterwise::testing {
namespace {

class OpenPaths : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        File(QStringLiteral("music/a/1.flac"), 10);
        File(QStringLiteral("music/b.flac"), 20);
        File(QStringLiteral("music/c.flac"), 30);
        File(QStringLiteral("music/d.flac"), 40);
        File(QStringLiteral("other/e.flac"), 50);
    }

    QString Shown() { return FileList().CurrentFolder()->FullPathName(); }
    QStringList SelectedNames() {
        QStringList names;
        for (int row = 0; row < FileList().ItemCount(); ++row) {
            if (FileList().IsRowSelected(row)) {
                names << FileList().ItemFolder(row)->FullPathName();
            }
        }
        return names;
    }
    // Sends the drag and the drop a file manager would, of `urls`; true when it was taken.
    bool Drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QWidget& list = FileList();
        const QPoint at = list.rect().center();
        const auto actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&list, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        EXPECT_NE(enter.dropAction(), Qt::MoveAction); // a moving source may delete its items
        QDropEvent drop(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&list, &drop);
        EXPECT_NE(drop.dropAction(), Qt::MoveAction);
        return drop.isAccepted();
    }
};

TEST_F(OpenPaths, AFolderIsShownAndFilesShowTheirFolderWithThemSelected) {
    Form().OpenPaths({Path(QStringLiteral("music/a"))});
    EXPECT_EQ(Shown(), Path(QStringLiteral("music/a")));
    EXPECT_TRUE(SelectedNames().isEmpty());

    // Relative to the working folder, as a shell passes them; a file of another folder is not
    // selected in the first one's.
    Form().OpenPaths({QStringLiteral("music/d.flac"), QStringLiteral("other/e.flac"),
                      Path(QStringLiteral("music/b.flac"))});
    EXPECT_EQ(Shown(), Path(QStringLiteral("music")));
    EXPECT_EQ(SelectedNames(), (QStringList{Path(QStringLiteral("music/b.flac")),
                                            Path(QStringLiteral("music/d.flac"))}));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(OpenPaths, ADroppedFolderIsShownAndDroppedFilesAreRefused) {
    Form().OpenPaths({Path(QStringLiteral("music"))});
    EXPECT_FALSE(Drop({QUrl::fromLocalFile(Path(QStringLiteral("other/e.flac")))}));
    EXPECT_FALSE(Drop({QUrl(QStringLiteral("https://example.org/music/"))}));
    EXPECT_EQ(Shown(), Path(QStringLiteral("music")));

    EXPECT_TRUE(Drop({QUrl::fromLocalFile(Path(QStringLiteral("other/e.flac"))),
                      QUrl::fromLocalFile(Path(QStringLiteral("other")))}));
    EXPECT_EQ(Shown(), Path(QStringLiteral("other")));
    EXPECT_TRUE(Boxes().empty());
}

} // namespace
} // namespace platterwise::testing
