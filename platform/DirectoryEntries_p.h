// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Directory entries for the namespace: their types, a directory's children as identifiers,
// and renaming one entry without ever replacing another.
#include "ShellLocation_p.h"
#include "platform/ShellNamespace.h"

#include <dirent.h>

namespace platterwise::shellns {

// The entry type of `name` in `dirFd`, from the listing's `dType`; stat only for links and
// file systems that do not report types.
char TypeAt(int dirFd, const char* name, unsigned char dType);

// A directory's entries as readdir gives them, filtered by the enumeration flags. Owns `dir`.
class TDirectoryEnum final : public IEnumIdList {
public:
    TDirectoryEnum(DIR* dir, std::uint32_t flags);
    ~TDirectoryEnum() override;
    TDirectoryEnum(const TDirectoryEnum&) = delete;
    TDirectoryEnum& operator=(const TDirectoryEnum&) = delete;
    bool Next(TIdListPtr& id) override;

private:
    DIR* dir_;
    std::uint32_t flags_;
};

// True when the directory at `path` holds at least one folder (stops at the first).
bool HasSubFolder(const QByteArray& path);

// Renames `from` to `to` within `dir`; false, with nothing changed, when `to` exists.
bool RenameNoReplace(const QByteArray& dir, const QByteArray& from, const QByteArray& to);

} // namespace platterwise::shellns
