// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellIcons.h"

#include "NamespaceFolder_p.h"
#include "platform/ShellNamespace.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStyle>

namespace platterwise {

TShellImageList& TShellImageList::Instance() {
    static TShellImageList list;
    return list;
}

TShellImageList::TShellImageList() {
    // Without a desktop (a bare X server, the offscreen platform) Qt knows no icon theme and
    // may not even look in the system's icon folders: then the system folders are added and
    // Adwaita, which the program installs, stands in for the desktop's theme.
    QStringList paths = QIcon::themeSearchPaths();
    QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
    if (dataDirs.isEmpty()) {
        dataDirs = "/usr/local/share:/usr/share";
    }
    for (const QByteArray& dir : dataDirs.split(':')) {
        const QString icons = QFile::decodeName(dir) + QStringLiteral("/icons");
        if (!dir.isEmpty() && !paths.contains(icons) && QFileInfo(icons).isDir()) {
            paths += icons;
        }
    }
    QIcon::setThemeSearchPaths(paths);
    const QString theme = QIcon::themeName();
    if (theme.isEmpty() || theme == QLatin1String("hicolor")) {
        for (const QString& path : paths) {
            if (QFileInfo::exists(path + QStringLiteral("/Adwaita/index.theme"))) {
                QIcon::setThemeName(QStringLiteral("Adwaita"));
                break;
            }
        }
    }
}

int TShellImageList::IndexOf(const QString& name, const QString& generic, bool folder) {
    const auto found = byName_.constFind(name);
    if (found != byName_.constEnd()) {
        return found.value();
    }
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull() && !generic.isEmpty()) {
        icon = QIcon::fromTheme(generic);
    }
    if (icon.isNull() && !folder) {
        icon = QIcon::fromTheme(QStringLiteral("text-x-generic"));
    }
    if (icon.isNull()) {
        icon =
            QApplication::style()->standardIcon(folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
    }
    icons_.push_back(icon);
    const int index = int(icons_.size()) - 1;
    byName_.insert(name, index);
    return index;
}

QIcon TShellImageList::Icon(int index) const {
    return index >= 0 && index < Count() ? icons_[std::size_t(index)] : QIcon();
}

int FileIconIndex(const TItemIdList* absolute) {
    using shellns::TLocation;
    const TLocation at = shellns::Walk(shellns::DesktopLocation(), absolute);
    TShellImageList& list = TShellImageList::Instance();
    switch (at.kind) {
    case TLocation::Desktop:
        return list.IndexOf(QStringLiteral("user-desktop"), QStringLiteral("folder"), true);
    case TLocation::Computer:
        return list.IndexOf(QStringLiteral("computer"), QStringLiteral("folder"), true);
    case TLocation::Invalid:
        return -1;
    case TLocation::FileSystem:
        break;
    }
    if (at.anchor == 'H') {
        return list.IndexOf(QStringLiteral("user-home"), QStringLiteral("folder"), true);
    }
    if (at.anchor == 'M') {
        const bool removable = (shellns::AttributesOf(at, SFGAO_REMOVABLE) & SFGAO_REMOVABLE) != 0;
        return list.IndexOf(removable ? QStringLiteral("drive-removable-media")
                                      : QStringLiteral("drive-harddisk"),
                            QStringLiteral("folder"), true);
    }
    if (at.IsFolder()) {
        return list.IndexOf(QStringLiteral("folder"), QString(), true);
    }
    static const QMimeDatabase mimes;
    const QMimeType type =
        mimes.mimeTypeForFile(QString::fromUtf8(at.name), QMimeDatabase::MatchExtension);
    return list.IndexOf(type.iconName(), type.genericIconName(), false);
}

} // namespace platterwise
