// SPDX-License-Identifier: GPL-3.0-or-later
// The portal's global shortcuts, against a stand-in portal on a private bus.
#include "platform/PortalGlobalHotkeys.h"

#include "tests/support/FakePortal.h"
#include "tests/support/PrivateBus.h"

#include <QTest>
#include <gtest/gtest.h>

namespace platterwise::testing {
namespace {

using namespace std::chrono_literals;

class PortalHotkeys : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus_.Started()) << "dbus-daemon could not be started";
        ASSERT_TRUE(portal_.Serving());
        ASSERT_TRUE(client_.isConnected());
    }

    PrivateBus bus_;
    FakePortal portal_{bus_.Connect()};
    QDBusConnection client_ = bus_.Connect();
};

TEST_F(PortalHotkeys, AGrantedBindingDeliversActivationsOfItsOwnShortcut) {
    TPortalGlobalHotkeys hotkeys(client_, QStringLiteral("org.example.Test"));
    std::vector<int> seen;
    QObject::connect(&hotkeys, &IGlobalHotkeys::HotKeyPressed, &hotkeys,
                     [&](int id) { seen.push_back(id); });
    ASSERT_TRUE(hotkeys.RegisterHotKey(1, MOD_CONTROL, 0x41));
    EXPECT_EQ(portal_.AppId, QStringLiteral("org.example.Test"));
    ASSERT_EQ(portal_.Asked.size(), 1u);
    const FakePortal::Shortcut asked = portal_.Asked[0];
    EXPECT_EQ(asked.PreferredTrigger, QStringLiteral("CTRL+a"));
    EXPECT_EQ(asked.Description, QStringLiteral("Ctrl+A hotkey"));
    EXPECT_FALSE(hotkeys.RegisterHotKey(1, MOD_CONTROL | MOD_SHIFT, 0x42)); // identifier in use
    ASSERT_TRUE(hotkeys.RegisterHotKey(2, MOD_ALT | MOD_WIN, 0x37));
    EXPECT_EQ(portal_.Asked.back().PreferredTrigger, QStringLiteral("ALT+LOGO+7"));

    // Signals arrive in the order sent: when the last is seen, the others have been judged.
    portal_.Activate(asked.Session, QStringLiteral("another"));
    portal_.Activate(portal_.Asked.back().Session, asked.Id);
    portal_.Activate(portal_.Asked.back().Session, portal_.Asked.back().Id);
    portal_.Activate(asked.Session, asked.Id);
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.size() >= 2; }));
    EXPECT_EQ(seen, (std::vector<int>{2, 1}));

    EXPECT_TRUE(hotkeys.UnregisterHotKey(1));
    EXPECT_FALSE(hotkeys.UnregisterHotKey(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return portal_.Closed.size() == 1; }));
    EXPECT_EQ(portal_.Closed, QStringList{asked.Session});
}

TEST_F(PortalHotkeys, ARefusalOrSilenceFailsTheRegistrationAndClosesItsSession) {
    struct Case {
        const char* Name;
        uint CreateCode, BindCode;
        bool ListBound, Answer;
        int SessionsClosed;
    };
    for (const Case& c : {Case{"session refused", 2, 0, true, true, 0},
                          Case{"cancelled by the user", 0, 1, true, true, 1},
                          Case{"granted but not bound", 0, 0, false, true, 1},
                          Case{"no answer", 0, 0, true, false, 0}}) {
        SCOPED_TRACE(c.Name);
        portal_.CreateCode = c.CreateCode;
        portal_.BindCode = c.BindCode;
        portal_.ListBound = c.ListBound;
        portal_.Answer = c.Answer;
        portal_.Closed.clear();
        TPortalGlobalHotkeys hotkeys(client_, {}, 300ms);
        EXPECT_FALSE(hotkeys.RegisterHotKey(1, MOD_CONTROL, 0x41));
        EXPECT_TRUE(hotkeys.Offered()); // a refusal, not a desktop without the service
        ASSERT_TRUE(QTest::qWaitFor([&] { return portal_.Closed.size() >= c.SessionsClosed; }));
        EXPECT_EQ(portal_.Closed.size(), c.SessionsClosed);
    }
}

TEST_F(PortalHotkeys, NoPortalOnTheBusOrAKeyItCannotNameFailsAtOnce) {
    TPortalGlobalHotkeys hotkeys(client_);
    EXPECT_FALSE(hotkeys.RegisterHotKey(3, MOD_CONTROL, 0x70)); // F1: not a letter or digit
    EXPECT_TRUE(portal_.Asked.empty());
    EXPECT_TRUE(hotkeys.Offered());

    PrivateBus empty;
    ASSERT_TRUE(empty.Started());
    TPortalGlobalHotkeys lonely(empty.Connect());
    EXPECT_FALSE(lonely.RegisterHotKey(1, MOD_CONTROL, 0x41));
    EXPECT_FALSE(lonely.Offered());
    TPortalGlobalHotkeys unconnected(QDBusConnection(QStringLiteral("no such connection")));
    EXPECT_FALSE(unconnected.RegisterHotKey(1, MOD_CONTROL, 0x41));
    EXPECT_FALSE(unconnected.Offered());
}

TEST_F(PortalHotkeys, APortalWithoutGlobalShortcutsOffersNone) {
    portal_.Shortcuts = false;
    TPortalGlobalHotkeys hotkeys(client_);
    EXPECT_FALSE(hotkeys.RegisterHotKey(1, MOD_CONTROL, 0x41));
    EXPECT_FALSE(hotkeys.Offered());
    EXPECT_TRUE(portal_.Asked.empty());
}

} // namespace
} // namespace platterwise::testing
