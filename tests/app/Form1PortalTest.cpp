// SPDX-License-Identifier: GPL-3.0-or-later
// Ctrl+A where there is no X11 (the offscreen platform here): through the desktop portal,
// a stand-in on a private bus.
#include "AppFixture.h"
#include "platform/SessionGlobalHotkeys.h"
#include "tests/support/FakePortal.h"
#include "tests/support/PrivateBus.h"
#include "widgets/shell/ShellListView.h"

#include <QTest>

namespace platterwise::testing {
namespace {

class Form1Portal : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(bus_.Started()) << "dbus-daemon could not be started";
        ASSERT_TRUE(portal_.Serving());
        File(QStringLiteral("music/a.flac"), 10);
        File(QStringLiteral("music/b.flac"), 20);
        File(QStringLiteral("music/c.cue"), 30);
        PutSettings("[MAIN]\nREMEMBER_LAST_LOC=YES\nLAST_LOC=" +
                    QFile::encodeName(Path(QStringLiteral("music"))) + "\n");
    }

    PrivateBus bus_;
    FakePortal portal_{bus_.Connect()};
    TSessionGlobalHotkeys sessionHotkeys_{bus_.Connect()};
};

TEST_F(Form1Portal, GrantedCtrlASelectsEveryRowWhenThePortalActivatesIt) {
    TForm1 form(dialogs_, sessionHotkeys_);
    EXPECT_TRUE(Boxes().empty());
    ASSERT_EQ(portal_.Asked.size(), 1u);
    EXPECT_EQ(portal_.Asked[0].PreferredTrigger, QStringLiteral("CTRL+a"));
    auto& list = Find<TShellListView>(form, "ShellListView1");
    ASSERT_EQ(list.ItemCount(), 3);
    EXPECT_FALSE(list.IsRowSelected(0));

    portal_.Activate(portal_.Asked[0].Session, portal_.Asked[0].Id);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return list.IsRowSelected(0) && list.IsRowSelected(1) && list.IsRowSelected(2); }));

    form.show();
    form.close(); // the close box gives the shortcut back
    ASSERT_TRUE(QTest::qWaitFor([&] { return !portal_.Closed.isEmpty(); }));
}

TEST_F(Form1Portal, RefusedCtrlAShowsTheHotkeyBoxAndTheWindowStartsAsUsual) {
    portal_.BindCode = 1; // the user said no
    TForm1 form(dialogs_, sessionHotkeys_);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0],
              (RecordedBox{RecordedBox::Plain,
                           QStringLiteral("Не могу привязать CTRL+A к горячей клавише!")}));
    // The settings were read after the box.
    EXPECT_EQ(Find<TShellListView>(form, "ShellListView1").ItemCount(), 3);
}

TEST_F(Form1Portal, ADesktopWithoutGlobalShortcutsStartsWithoutABoxAndSaysSoOnStderr) {
    portal_.Shortcuts = false; // GNOME on Wayland
    ::testing::internal::CaptureStderr();
    TForm1 form(dialogs_, sessionHotkeys_);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(Boxes().empty());
    // Exactly one line of ours, whatever Qt's platform may add.
    const std::string line = "platterwise: this desktop offers no global shortcuts; Ctrl+A "
                             "selects all only while the window has the focus\n";
    const auto at = err.find(line);
    ASSERT_NE(at, std::string::npos) << err;
    EXPECT_EQ(err.find("platterwise:", at + 1), std::string::npos) << err;
    EXPECT_EQ(Find<TShellListView>(form, "ShellListView1").ItemCount(), 3);
}

} // namespace
} // namespace platterwise::testing
