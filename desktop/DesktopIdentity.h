// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the running program presents itself to the desktop: under the name of its menu entry
// (Wayland compositors and the desktop portal find its name and icon by it) and with its icon
// on every window.
#include <QString>

class QGuiApplication;

namespace platterwise {

// The menu entry's file name without ".desktop"; also the metadata's and the icon's name.
QString DesktopId();

// Gives `app` the desktop file name DesktopId() and the program's icon, in every size it is
// drawn in (16 to 256 pixels), as the icon of all its windows.
void SetDesktopIdentity(QGuiApplication& app);

} // namespace platterwise
