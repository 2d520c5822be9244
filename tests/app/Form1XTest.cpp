// SPDX-License-Identifier: GPL-3.0-or-later
// Needs a real X server: the Ctrl+A hotkey is a grab on the session's root window.
#include "WindowDriver.h"
#include "app/Unit1.h"
#include "platform/GlobalHotkey.h"
#include "tests/support/RecordingDialogs.h"
#include "widgets/shell/ShellListView.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace platterwise::testing {
namespace {

class Form1X : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
        for (const char* name : {"a.flac", "b.flac", "c.cue"})
            QFile(dir_.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly);
        QFile ini(dir_.filePath(QStringLiteral("settings.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[MAIN]\nREMEMBER_LAST_LOC=YES\nLAST_LOC=" + QFile::encodeName(dir_.path()) +
                  "\n");
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    QTemporaryDir dir_;
    QString previous_;
    RecordingDialogs dialogs_;
};

TEST_F(Form1X, CtrlAPressedWhileAnotherWindowHasTheFocusSelectsEveryRow) {
    TX11GlobalHotkeys hotkeys;
    TForm1 form(dialogs_, hotkeys);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_TRUE(dialogs_.boxes.empty()) << dialogs_.boxes[0].text.toStdString();
    auto& list = Find<TShellListView>(form, "ShellListView1");
    ASSERT_EQ(list.ItemCount(), 4); // the three files and settings.ini

    QWidget other;
    other.setWindowTitle(QStringLiteral("another program"));
    other.resize(200, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                {QStringLiteral("key"), QStringLiteral("ctrl+a")}),
              0);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (int row = 0; row < list.ItemCount(); ++row)
            if (!list.IsRowSelected(row))
                return false;
        return true;
    }));
    EXPECT_TRUE(other.isActiveWindow());
}

TEST_F(Form1X, ASecondCopyCannotRegisterTheHotkeyAndSaysSo) {
    QProcess first;
    first.setWorkingDirectory(dir_.path());
    first.start(QStringLiteral(PLATTERWISE_PROGRAM), {});
    ASSERT_TRUE(first.waitForStarted());
    // The first copy registers Ctrl+A before it shows its window, so wait for the window.
    // Polling with a probe grab instead could take the key in the very instant the first copy
    // asks for it, and the first copy would then be the one refused.
    QProcess window;
    window.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--sync"),
                  QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                  QString::number(first.processId())});
    ASSERT_TRUE(window.waitForFinished(120000)); // a sanitized build on a busy machine is slow
    ASSERT_EQ(window.exitCode(), 0);
    TX11GlobalHotkeys probe;
    ASSERT_FALSE(probe.RegisterHotKey(9, MOD_CONTROL, 0x41)) << "the first copy holds Ctrl+A";

    TX11GlobalHotkeys hotkeys;
    TForm1 second(dialogs_, hotkeys);
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0],
              (RecordedBox{RecordedBox::Plain,
                           QStringLiteral("Не могу привязать CTRL+A к горячей клавише!")}));

    first.kill();
    first.waitForFinished();
}

} // namespace
} // namespace platterwise::testing
