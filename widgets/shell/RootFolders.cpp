// SPDX-License-Identifier: GPL-3.0-or-later
#include "RootFolders.h"

#include "platform/KnownFolders.h"

namespace platterwise {
namespace {

struct TRootEntry {
    const char* name;
    int csidl;
};

constexpr TRootEntry kRoots[kRootFolderCount] = {
    {"rfDesktop", CSIDL_DESKTOP},
    {"rfMyComputer", CSIDL_DRIVES},
    {"rfNetwork", CSIDL_NETWORK},
    {"rfRecycleBin", CSIDL_BITBUCKET},
    {"rfAppData", CSIDL_APPDATA},
    {"rfCommonDesktopDirectory", CSIDL_COMMON_DESKTOPDIRECTORY},
    {"rfCommonPrograms", CSIDL_COMMON_PROGRAMS},
    {"rfCommonStartMenu", CSIDL_COMMON_STARTMENU},
    {"rfCommonStartup", CSIDL_COMMON_STARTUP},
    {"rfControlPanel", CSIDL_CONTROLS},
    {"rfDesktopDirectory", CSIDL_DESKTOPDIRECTORY},
    {"rfFavorites", CSIDL_FAVORITES},
    {"rfFonts", CSIDL_FONTS},
    {"rfInternet", CSIDL_INTERNET},
    {"rfPersonal", CSIDL_PERSONAL},
    {"rfPrinters", CSIDL_PRINTERS},
    {"rfPrintHood", CSIDL_PRINTHOOD},
    {"rfPrograms", CSIDL_PROGRAMS},
    {"rfRecent", CSIDL_RECENT},
    {"rfSendTo", CSIDL_SENDTO},
    {"rfStartMenu", CSIDL_STARTMENU},
    {"rfStartup", CSIDL_STARTUP},
    {"rfTemplates", CSIDL_TEMPLATES},
};

char16_t UpperAscii(char16_t c) {
    return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
}

} // namespace

QString RootFolderName(TRootFolder folder) {
    return QString::fromLatin1(kRoots[folder].name);
}

int RootFolderCsidl(TRootFolder folder) {
    return kRoots[folder].csidl;
}

bool FindRootFolder(const QString& text, TRootFolder& folder) {
    for (int i = 0; i < kRootFolderCount; ++i) {
        if (SameTextAscii(text, QString::fromLatin1(kRoots[i].name))) {
            folder = TRootFolder(i);
            return true;
        }
    }
    return false;
}

bool SameTextAscii(const QString& a, const QString& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i].unicode()) != UpperAscii(b[i].unicode())) {
            return false;
        }
    }
    return true;
}

} // namespace platterwise
