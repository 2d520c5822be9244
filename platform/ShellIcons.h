// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system image list: icons of the desktop's icon theme by name, each kept once and
// known by its index. Icons come from the current theme, then Adwaita, then the style's
// standard file and folder icons. Needs a QGuiApplication; user-interface thread only.
#include <QHash>
#include <QIcon>
#include <QString>
#include <vector>

namespace platterwise {

class TShellImageList {
public:
    static TShellImageList& Instance();
    // The index of the icon named `name` (a theme name), added on first use; `generic` is
    // the theme name to try next, `folder` picks the style's fallback.
    int IndexOf(const QString& name, const QString& generic, bool folder);
    // The icon at `index`; a null icon for an index that was never given out.
    QIcon Icon(int index) const;
    int Count() const { return int(icons_.size()); }

private:
    TShellImageList();
    std::vector<QIcon> icons_;
    QHash<QString, int> byName_;
};

} // namespace platterwise
