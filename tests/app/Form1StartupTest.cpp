// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixture.h"
#include "app/FormDesign.h"
#include "app/RadioGroup.h"
#include "tests/support/ScratchMount.h"
#include "widgets/fatmemo/FatMemo.h"
#include "widgets/flat/ALComboBox.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/shell/ShellListView.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QScreen>
#include <QTimer>
#include <gmock/gmock.h>

namespace platterwise::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using Form1Startup = AppFixture;

TEST_F(Form1Startup, FirstStartWithoutSettingsUsesTheDesignValues) {
    TForm1& f = Form();
    EXPECT_EQ(f.windowTitle(), u"Morwen's Platterwise v0.2 -- for lossless music collectors ;-)");
    EXPECT_EQ(f.size(), QSize(892, 696));
    // Centred; a window larger than the screen (892 x 696 on a 1600 x 1000 screen at a scale
    // factor of 2 is larger than its 800 x 500) keeps its title bar on the screen.
    const QRect area = f.screen()->availableGeometry();
    QWidget large(nullptr, Qt::Window);
    large.resize(area.width() + 92, area.height() + 196);
    CenterOnScreen(large);
    EXPECT_EQ(large.frameGeometry().topLeft(), area.topLeft());
    QWidget small(nullptr, Qt::Window);
    small.resize(200, 100);
    CenterOnScreen(small);
    EXPECT_EQ(small.geometry().center(), area.center());
    EXPECT_EQ(Control<TALComboBox>("ALComboBox1").currentIndex(), 0);
    EXPECT_EQ(Control<TALComboBox>("ALComboBox1").currentText(), u"DVD+R -- 4483Mb 4,7Gb)");
    EXPECT_EQ(Control<TALEdit>("ALEdit3").text(), u"25");
    EXPECT_EQ(Control<TALEdit>("ALEdit4").text(), u"1000");
    EXPECT_EQ(Message(), u"I'm Ready");
    EXPECT_EQ(FileList().Root(), u"/");
    EXPECT_EQ(Control<TALEdit>("ALEdit5").text(), u"/");
    EXPECT_EQ(FileList().ViewStyle(), vsIcon); // SHELL missing reads as 0
    EXPECT_EQ(Control<TRadioGroup>("RadioGroup2").ItemIndex(), 0);
    EXPECT_EQ(Results().Lines().Count(), 0); // the sample line is cleared
    EXPECT_EQ(Control<TALComboBox>("ALComboBox1").view()->sizeHintForRow(0), 14);
    EXPECT_TRUE(Boxes().empty());
    ASSERT_EQ(hotkeys_.Registrations.size(), 1u);
    EXPECT_EQ(hotkeys_.Registrations[0].Id, 1);
    EXPECT_EQ(hotkeys_.Registrations[0].Modifiers, MOD_CONTROL);
    EXPECT_EQ(hotkeys_.Registrations[0].VirtualKey, 0x41u);
}

TEST_F(Form1Startup, AHotkeyThatCannotBeRegisteredIsReportedAndStartupGoesOn) {
    hotkeys_.Refuse = true;
    PutSettings("[MAIN]\nREMEMBER_DEVIATION=YES\nDEVIATION=40\n");
    Form();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0],
              (RecordedBox{RecordedBox::Plain,
                           QStringLiteral("Не могу привязать CTRL+A к горячей клавише!")}));
    EXPECT_EQ(Control<TALEdit>("ALEdit3").text(), u"40");
}

TEST_F(Form1Startup, RememberedValuesAreRestored) {
    File(QStringLiteral("music/album/a.flac"), 10);
    PutSettings("[MAIN]\nREMEMBER_LAST_LOC=YES\nREMEMBER_TEMPLATE=YES\nREMEMBER_DEVIATION=YES\n"
                "REMEMBER_RANDOM=YES\nLAST_LOC=" +
                Path(QStringLiteral("music")).toUtf8() +
                "\nTEMPLATE=2\nDEVIATION=40\nRANDOM=77\nSHELL=0x3\n");
    Form();
    EXPECT_EQ(FileList().ViewStyle(), vsSmallIcon);
    EXPECT_EQ(Control<TALEdit>("ALEdit5").text(), Path(QStringLiteral("music")));
    EXPECT_EQ(FileList().ItemCount(), 1);
    EXPECT_EQ(Control<TALComboBox>("ALComboBox1").currentIndex(), 2);
    EXPECT_EQ(Control<TALEdit>("ALEdit3").text(), u"40");
    EXPECT_EQ(Control<TALEdit>("ALEdit4").text(), u"77");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Form1Startup, OnlyAnExactYesRestores) {
    PutSettings("[MAIN]\nREMEMBER_DEVIATION=yes\nDEVIATION=40\nREMEMBER_RANDOM= YES \nRANDOM=5\n"
                "SHELL=abc\nREMEMBER_TEMPLATE=YES\nTEMPLATE=9\n");
    Form();
    EXPECT_EQ(Control<TALEdit>("ALEdit3").text(), u"25");
    EXPECT_EQ(Control<TALEdit>("ALEdit4").text(), u"5"); // blanks around the value do not count
    EXPECT_EQ(FileList().ViewStyle(), vsIcon);
    EXPECT_EQ(Control<TALComboBox>("ALComboBox1").currentIndex(), -1); // not validated: no choice
}

TEST_F(Form1Startup, RememberLastLocationNoStartsAtTheComputerFolder) {
    PutSettings("[MAIN]\nREMEMBER_LAST_LOC=NO\nLAST_LOC=/tmp\n");
    Form();
    EXPECT_EQ(Control<TALEdit>("ALEdit5").text(), ComputerFolderName());
    EXPECT_EQ(FileList().CurrentFolder()->FullPathName(), ComputerFolderName());
}

TEST_F(Form1Startup, AFolderThatIsGoneIsReportedAndTheRestIsNotApplied) {
    PutSettings("[MAIN]\nREMEMBER_LAST_LOC=YES\nLAST_LOC=/no/such/folder\nREMEMBER_DEVIATION=YES\n"
                "DEVIATION=40\n");
    Form();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].kind, RecordedBox::Plain);
    EXPECT_EQ(Boxes()[0].text, u"Error setting path: \"/no/such/folder\"");
    EXPECT_EQ(FileList().Root(), u"/");
    EXPECT_EQ(Control<TALEdit>("ALEdit3").text(), u"25");
}

TEST_F(Form1Startup, ExitWritesTheFourKeysWhateverTheSwitchesSay) {
    File(QStringLiteral("music/a.flac"), 1);
    PutSettings(
        "[MAIN]\nREMEMBER_LAST_LOC=YES\nLAST_LOC=" + Path(QStringLiteral("music")).toUtf8() + "\n");
    Form();
    Choose(Control<TALComboBox>("ALComboBox1"), 3);
    Type(Control<TALEdit>("ALEdit3"), QStringLiteral("30"));
    Type(Control<TALEdit>("ALEdit4"), QStringLiteral("5 0"));
    Press("ALButton2");
    EXPECT_EQ(SettingsContent(),
              "[MAIN]\nREMEMBER_LAST_LOC=YES\nLAST_LOC=" + Path(QStringLiteral("music")).toUtf8() +
                  "\nTEMPLATE=3\nDEVIATION=30\nRANDOM=5 0\n");
    EXPECT_FALSE(hotkeys_.Held.empty()); // the close handler does not run on this path
}

TEST_F(Form1Startup, TheCloseBoxWritesOnlyTheFolderAndReleasesTheHotkey) {
    TForm1& f = Form();
    Type(Control<TALEdit>("ALEdit3"), QStringLiteral("30"));
    f.show();
    f.close();
    EXPECT_EQ(SettingsContent(), "[MAIN]\nLAST_LOC=/\n");
    EXPECT_TRUE(hotkeys_.Held.empty());
    QCoreApplication::processEvents(); // the queued quit finds no loop to end
}

TEST_F(Form1Startup, TheComputerFolderIsStoredByItsRootNameAndOpensAgain) {
    PutSettings("[MAIN]\nREMEMBER_LAST_LOC=NO\n");
    Press("ALButton2");
    EXPECT_THAT(SettingsContent().toStdString(), HasSubstr("LAST_LOC=rfMyComputer\n"));
    form_.reset();
    PutSettings("[MAIN]\nREMEMBER_LAST_LOC=YES\nLAST_LOC=Мой компьютер\n");
    Press("ALButton2"); // the Russian display name is recognised as well
    EXPECT_THAT(SettingsContent().toStdString(), Not(HasSubstr("Мой")));
    form_.reset();
    PutSettings("[MAIN]\nREMEMBER_LAST_LOC=YES\nLAST_LOC=rfMyComputer\n");
    EXPECT_EQ(Control<TALEdit>("ALEdit5").text(), ComputerFolderName());
}

TEST_F(Form1Startup, ARefusedWriteAtExitIsReportedAndTheProgramStillEnds) {
    ScratchMount mount("ro,size=16k");
    if (!mount.Mounted())
        GTEST_SKIP() << "mounting a scratch tmpfs is not allowed here";
    TForm1& f = Form();
    ASSERT_TRUE(QDir::setCurrent(mount.Path()));
    // No settings.ini here, so the writes go to the configuration folder: on the same mount.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(mount.Path()));
    QTimer::singleShot(0, &f, [this] { Press("ALButton2"); });
    QCoreApplication::exec();      // returns once Exit has told the program to end
    ASSERT_EQ(Boxes().size(), 1u); // the first refusal; the writes after it are not made
    EXPECT_EQ(Boxes()[0].text, QStringLiteral("Unable to write to ") + mount.Path() +
                                   QStringLiteral("/platterwise/settings.ini"));
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
}

TEST_F(Form1Startup, StartingFromAnotherFolderUsesItsOwnSettings) {
    PutSettings("[MAIN]\nREMEMBER_RANDOM=YES\nRANDOM=7\n");
    QTemporaryDir other;
    ASSERT_TRUE(QDir::setCurrent(other.path()));
    EXPECT_EQ(Control<TALEdit>("ALEdit4").text(), u"1000");
    form_.reset();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    EXPECT_EQ(Control<TALEdit>("ALEdit4").text(), u"7");
}

} // namespace
} // namespace platterwise::testing
