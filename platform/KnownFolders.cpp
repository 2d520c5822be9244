// SPDX-License-Identifier: GPL-3.0-or-later
#include "KnownFolders.h"

#include "ShellLocation_p.h"
#include "platform/ShellNamespace.h"

#include <QFile>
#include <QStandardPaths>
#include <sys/stat.h>

namespace platterwise {
namespace {

QString Writable(QStandardPaths::StandardLocation location) {
    return QStandardPaths::writableLocation(location);
}

// The directory a special folder stands for; empty when Linux has no counterpart.
QString DirectoryOf(int csidl) {
    switch (csidl) {
    case CSIDL_PERSONAL:
        return Writable(QStandardPaths::DocumentsLocation);
    case CSIDL_DESKTOPDIRECTORY:
        return Writable(QStandardPaths::DesktopLocation);
    case CSIDL_APPDATA:
        return Writable(QStandardPaths::GenericConfigLocation);
    case CSIDL_BITBUCKET:
        return Writable(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash/files");
    case CSIDL_FONTS:
        return Writable(QStandardPaths::FontsLocation);
    case CSIDL_TEMPLATES:
        return Writable(QStandardPaths::TemplatesLocation);
    case CSIDL_PROGRAMS:
        return Writable(QStandardPaths::ApplicationsLocation);
    case CSIDL_COMMON_PROGRAMS:
        return QStringLiteral("/usr/share/applications");
    case CSIDL_STARTUP:
        return Writable(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
    case CSIDL_COMMON_STARTUP:
        return QStringLiteral("/etc/xdg/autostart");
    default:
        return {};
    }
}

} // namespace

TIdListPtr SpecialFolderLocation(int csidl) {
    if (csidl == CSIDL_DESKTOP) {
        return IdListAlloc(2);
    }
    if (csidl == CSIDL_DRIVES) {
        return shellns::MakeComputerId();
    }
    const QString dir = DirectoryOf(csidl);
    struct stat st {};
    if (dir.isEmpty() || ::stat(QFile::encodeName(dir).constData(), &st) != 0 ||
        !S_ISDIR(st.st_mode)) {
        return nullptr;
    }
    TIdListPtr list;
    if (!DesktopFolder()->ParseDisplayName(nullptr, dir, list)) {
        return nullptr;
    }
    return list;
}

} // namespace platterwise
