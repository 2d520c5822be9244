// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixture.h"
#include "widgets/fatmemo/FatMemo.h"
#include "widgets/flat/ALComboBox.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/shell/ShellListView.h"

#include <QToolButton>
#include <gtest/gtest.h>

namespace platterwise::testing {
namespace {

using namespace Qt::StringLiterals;

class FilePane : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        File(QStringLiteral("music/a.FLAC"), 1);
        File(QStringLiteral("music/b.mp3"), 1);
        File(QStringLiteral("music/c.cue"), 1);
        File(QStringLiteral("music/.hidden.log"), 1);
        File(QStringLiteral("music/set.7z"), 1);
        File(QStringLiteral("music/set.7z.001"), 1);
        File(QStringLiteral("music/disc.ISO"), 1);
        File(QStringLiteral("music/sub.mp3/inside.flac"), 1);
        QDir().mkpath(Path(QStringLiteral("music/empty")));
        PutSettings("[MAIN]\nREMEMBER_LAST_LOC=YES\nLAST_LOC=" +
                    Path(QStringLiteral("music")).toUtf8() + "\n");
    }
    QStringList Names() {
        QStringList names;
        for (int i = 0; i < FileList().ItemCount(); ++i)
            names << FileList().ItemFolder(i)->InFolderName();
        return names;
    }
    void ShowFiles(int category) { Choose(Control<TALComboBox>("ALComboBox2"), category); }
};

TEST_F(FilePane, LosslessListsItsFilesHiddenOnesIncludedAndEveryFolder) {
    ShowFiles(1);
    EXPECT_EQ(Names(),
              (QStringList{u"empty"_s, u"sub.mp3"_s, u".hidden.log"_s, u"a.FLAC"_s, u"c.cue"_s}));
}

TEST_F(FilePane, ArchivesListTheirFilesOnly) {
    ShowFiles(2);
    EXPECT_EQ(Names(), (QStringList{u"empty"_s, u"sub.mp3"_s, u"disc.ISO"_s, u"set.7z"_s}));
}

TEST_F(FilePane, BackToAllFilesListsEverythingAndEmptiesTheResults) {
    ShowFiles(1);
    Results().Lines().AddLine(QStringLiteral("a result"));
    ShowFiles(0);
    EXPECT_EQ(FileList().ItemCount(), 9);
    EXPECT_EQ(Results().Lines().Count(), 0);
}

TEST_F(FilePane, OpeningAnEmptyFolderKeepsThePathLineAndTheResults) {
    auto& path = Control<TALEdit>("ALEdit5");
    Results().Lines().AddLine(QStringLiteral("a result"));
    FileList().SetRoot(Path(QStringLiteral("music/empty")));
    EXPECT_EQ(FileList().ItemCount(), 0);
    EXPECT_EQ(path.text(), Path(QStringLiteral("music")));
    EXPECT_EQ(Results().Lines().Count(), 1);

    FileList().SetRoot(Path(QStringLiteral("music/sub.mp3")));
    EXPECT_EQ(path.text(), Path(QStringLiteral("music/sub.mp3")));
    EXPECT_EQ(Results().Lines().Count(), 0);
}

TEST_F(FilePane, TheBackArrowGoesUpAndFocusesTheList) {
    TForm1& f = Form();
    f.show();
    FileList().SetRoot(Path(QStringLiteral("music/sub.mp3")));
    Press("SpeedButton1");
    EXPECT_EQ(FileList().CurrentFolder()->FullPathName(), Path(QStringLiteral("music")));
    EXPECT_EQ(Control<TALEdit>("ALEdit5").text(), Path(QStringLiteral("music")));
    QWidget* focus = f.focusWidget(); // the widget that has the focus whenever the window is active
    EXPECT_TRUE(focus == &FileList() || FileList().isAncestorOf(focus));
}

} // namespace
} // namespace platterwise::testing
