// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shell test helpers: folder items made from paths, and a home of the test's own.
#include "platform/ShellNamespace.h"
#include "tests/support/TempTree.h"
#include "widgets/shell/ShellFolder.h"

#include <QByteArray>
#include <memory>

namespace platterwise::testing {

inline TIdListPtr ParsePath(const QByteArray& path) {
    TIdListPtr list;
    if (!DesktopFolder()->ParseDisplayName(nullptr, QFile::decodeName(path), list)) {
        return nullptr;
    }
    return list;
}

// The folder item of `path` and the item of its child `name`, as the list makes them.
struct FolderAndChild {
    std::unique_ptr<TShellFolder> folder;
    std::unique_ptr<TShellFolder> child;
};

inline FolderAndChild ItemIn(const QByteArray& dir, const QByteArray& name) {
    FolderAndChild r;
    r.folder = MakeFolderItem(ParsePath(dir).get());
    const TIdListPtr id = IdListLast(ParsePath(dir + '/' + name).get());
    r.child = std::make_unique<TShellFolder>(
        r.folder.get(), BindChildFolder(r.folder->FolderInterface(), id.get(), nullptr), id.get());
    return r;
}

// HOME and the XDG folders inside a temporary tree for the test's lifetime.
class ScopedHome {
public:
    explicit ScopedHome(const TempTree& tree) {
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
            saved_.emplace_back(name, qgetenv(name));
        }
        qputenv("HOME", tree.Root());
        qputenv("XDG_DATA_HOME", tree.Path(".local/share"));
        qputenv("XDG_CONFIG_HOME", tree.Path(".config"));
    }
    ~ScopedHome() {
        for (const auto& [name, value] : saved_) {
            qputenv(name, value);
        }
    }
    ScopedHome(const ScopedHome&) = delete;
    ScopedHome& operator=(const ScopedHome&) = delete;

private:
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

} // namespace platterwise::testing
