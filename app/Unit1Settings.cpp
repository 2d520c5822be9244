// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window reads from the settings file at start-up and writes when it ends.
#include "SettingsFile.h"
#include "SettingsKeys.h"
#include "Unit1.h"
#include "widgets/flat/ALComboBox.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/shell/ShellListView.h"

namespace platterwise {
namespace {

// The file list's view style for each SHELL value.
bool ViewStyleOf(int shell, TViewStyle& style) {
    switch (shell) {
    case 0:
        style = vsIcon;
        return true;
    case 1:
        style = vsList;
        return true;
    case 2:
        style = vsReport;
        return true;
    case 3:
        style = vsSmallIcon;
        return true;
    default:
        return false;
    }
}

} // namespace

// Each step reads the file anew. A root that cannot be set raises, and the steps after it
// are not made.
void TForm1::ReadStartupSettings() {
    using namespace settings;
    TViewStyle style;
    if (ViewStyleOf(TSettingsFile().ReadInteger(kShell, 0), style)) {
        ShellListView1->SetViewStyle(style);
    }
    if (TSettingsFile().ReadString(kRememberLastLoc, {}) == kYes) {
        ShellListView1->SetRoot(TSettingsFile().ReadString(kLastLoc, ShellListView1->Root()));
    }
    if (TSettingsFile().ReadString(kRememberTemplate, {}) == kYes) {
        // Not validated: an index outside the list leaves it without a choice. Setting the
        // index does not run the list's change handler.
        const int index = TSettingsFile().ReadInteger(kTemplate, ALComboBox1->currentIndex());
        ALComboBox1->setCurrentIndex(index >= 0 && index < ALComboBox1->count() ? index : -1);
    }
    if (TSettingsFile().ReadString(kRememberDeviation, {}) == kYes) {
        ALEdit3->setText(TSettingsFile().ReadString(kDeviation, ALEdit3->text()));
    }
    if (TSettingsFile().ReadString(kRememberRandom, {}) == kYes) {
        ALEdit4->setText(TSettingsFile().ReadString(kRandom, ALEdit4->text()));
    }
    if (TSettingsFile().ReadString(kRememberLastLoc, {}) == kNo) {
        ShellListView1->SetRoot(kMyComputerRoot);
    }
}

// Step 1 of both writing orders: the folder shown.
static void WriteShownFolder(const TShellListView& list) {
    const TShellFolder* current = list.CurrentFolder();
    TSettingsFile().WriteString(settings::kLastLoc,
                                current ? current->FullPathName() : list.Root());
}

// The last step of both: the computer folder is stored by its root name, since its display
// name cannot be set back as a root.
static void StoreComputerFolderByRootName(const TShellListView& list) {
    using namespace settings;
    const QString stored = TSettingsFile().ReadString(kLastLoc, list.Root());
    if (stored == kMyComputerRussian || stored == ComputerFolderName()) {
        TSettingsFile().WriteString(kLastLoc, kMyComputerRoot);
    }
}

void TForm1::WriteLastLocation() {
    WriteShownFolder(*ShellListView1);
    StoreComputerFolderByRootName(*ShellListView1);
}

void TForm1::WriteExitSettings() {
    using namespace settings;
    WriteShownFolder(*ShellListView1);
    TSettingsFile().WriteInteger(kTemplate, ALComboBox1->currentIndex());
    TSettingsFile().WriteString(kDeviation, ALEdit3->text());
    TSettingsFile().WriteString(kRandom, ALEdit4->text());
    StoreComputerFolderByRootName(*ShellListView1);
}

} // namespace platterwise
