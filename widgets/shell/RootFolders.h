// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The named roots a shell list view accepts besides paths: the 23 special folders.
#include <QString>

namespace platterwise {

enum TRootFolder {
    rfDesktop,
    rfMyComputer,
    rfNetwork,
    rfRecycleBin,
    rfAppData,
    rfCommonDesktopDirectory,
    rfCommonPrograms,
    rfCommonStartMenu,
    rfCommonStartup,
    rfControlPanel,
    rfDesktopDirectory,
    rfFavorites,
    rfFonts,
    rfInternet,
    rfPersonal,
    rfPrinters,
    rfPrintHood,
    rfPrograms,
    rfRecent,
    rfSendTo,
    rfStartMenu,
    rfStartup,
    rfTemplates
};
inline constexpr int kRootFolderCount = 23;

// The member's name ("rfMyComputer") and its special-folder number.
QString RootFolderName(TRootFolder folder);
int RootFolderCsidl(TRootFolder folder);
// The member named `text` (ASCII letters in any case); false when it names none.
bool FindRootFolder(const QString& text, TRootFolder& folder);

// Equal except for the case of ASCII letters.
bool SameTextAscii(const QString& a, const QString& b);

} // namespace platterwise
