#include "ShellIcons.h"

#include "platform/NamespaceFolder_p.h"
#include "platform/ShellNamespace.h"

#include <QApplication>
#include <QMimeDatabase>
#include <QStyle>

namespace platterwise {

TShellImageList& TShellImageList::Instance() {
    static TShellImageList list;
    return list;
}

TShellImageList::TShellImageList() {
    if (QIcon::fallbackThemeName().isEmpty()) {
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
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
