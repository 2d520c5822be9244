// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows under test: a temporary working directory (so each test has its own
// settings.ini), recorded message boxes and hotkeys that register without a session.
#include "WindowDriver.h"
#include "app/Unit1.h"
#include "platform/Colors.h"
#include "platform/GlobalHotkey.h"
#include "tests/support/RecordingDialogs.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace platterwise::testing {

class FakeHotkeys final : public IGlobalHotkeys {
public:
    bool RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) override {
        Registrations.push_back({id, modifiers, virtualKey});
        if (Refuse)
            return false;
        Held.insert(id);
        return true;
    }
    bool UnregisterHotKey(int id) override { return Held.erase(id) > 0; }
    // The session reports a press of hotkey `id`.
    void Press(int id) { emit HotKeyPressed(id); }

    struct Registration {
        int Id;
        unsigned Modifiers, VirtualKey;
    };
    std::vector<Registration> Registrations;
    std::set<int> Held;
    bool Refuse = false;
};

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes settings.ini in the working directory.
    void PutSettings(const QByteArray& content) const;
    // The settings file the program uses: that one, or the one in the configuration folder.
    QByteArray SettingsContent() const;
    // Makes `rel` under the working directory with a file of `size` bytes (sparse).
    void File(const QString& rel, qint64 size) const;
    QString Path(const QString& rel) const { return dir_.filePath(rel); }

    TForm1& Form(); // created on first use, so a test can prepare settings first
    // The main window's control of designed name `name`.
    template <typename T>
    T& Control(const char* name) {
        return Find<T>(Form(), name);
    }
    // A click on the main window's button or check box of designed name `name`.
    void Press(const char* name) { Click(Control<QWidget>(name)); }
    TShellListView& FileList();
    TFatMemo& Results();
    QString Message(); // the message line
    void SelectRows(std::initializer_list<int> rows);
    // The text of memo line `i` (its text parts joined) and the colour it is drawn in.
    QString MemoText(int i);
    TColor MemoTextColor(int i);
    std::vector<RecordedBox>& Boxes() { return dialogs_.boxes; }

    QTemporaryDir dir_;
    QString previous_;
    QTemporaryDir config_;      // XDG_CONFIG_HOME while a test runs
    QByteArray previousConfig_; // and before
    QByteArray previousData_;   // XDG_DATA_HOME before (the catalogue's folder)
    RecordingDialogs dialogs_;
    FakeHotkeys hotkeys_;
    std::unique_ptr<TForm1> form_;
};

} // namespace platterwise::testing
