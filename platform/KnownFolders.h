// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Special folders by their well-known numbers, mapped to the desktop, the computer folder and
// the XDG folders. A folder with no Linux counterpart, or whose directory does not exist,
// gives no list.
#include "platform/ItemIdList.h"

namespace platterwise {

inline constexpr int CSIDL_DESKTOP = 0;
inline constexpr int CSIDL_INTERNET = 1;
inline constexpr int CSIDL_PROGRAMS = 2;
inline constexpr int CSIDL_CONTROLS = 3;
inline constexpr int CSIDL_PRINTERS = 4;
inline constexpr int CSIDL_PERSONAL = 5;
inline constexpr int CSIDL_FAVORITES = 6;
inline constexpr int CSIDL_STARTUP = 7;
inline constexpr int CSIDL_RECENT = 8;
inline constexpr int CSIDL_SENDTO = 9;
inline constexpr int CSIDL_BITBUCKET = 10;
inline constexpr int CSIDL_STARTMENU = 11;
inline constexpr int CSIDL_DESKTOPDIRECTORY = 16;
inline constexpr int CSIDL_DRIVES = 17;
inline constexpr int CSIDL_NETWORK = 18;
inline constexpr int CSIDL_FONTS = 20;
inline constexpr int CSIDL_TEMPLATES = 21;
inline constexpr int CSIDL_COMMON_STARTMENU = 22;
inline constexpr int CSIDL_COMMON_PROGRAMS = 23;
inline constexpr int CSIDL_COMMON_STARTUP = 24;
inline constexpr int CSIDL_COMMON_DESKTOPDIRECTORY = 25;
inline constexpr int CSIDL_APPDATA = 26;
inline constexpr int CSIDL_PRINTHOOD = 27;

// The absolute list of the special folder `csidl`, or none.
TIdListPtr SpecialFolderLocation(int csidl);

} // namespace platterwise
