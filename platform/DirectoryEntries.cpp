// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectoryEntries_p.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise::shellns {

char TypeAt(int dirFd, const char* name, unsigned char dType) {
    struct stat st {};
    switch (dType) {
    case DT_DIR:
        return kTypeDir;
    case DT_REG:
        return kTypeFile;
    case DT_LNK:
        return ::fstatat(dirFd, name, &st, 0) == 0 && S_ISDIR(st.st_mode) ? kTypeLinkToDir
                                                                          : kTypeLink;
    case DT_UNKNOWN:
        if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            return kTypeOther;
        }
        if (S_ISLNK(st.st_mode)) {
            return TypeAt(dirFd, name, DT_LNK);
        }
        return S_ISDIR(st.st_mode) ? kTypeDir : (S_ISREG(st.st_mode) ? kTypeFile : kTypeOther);
    default:
        return kTypeOther;
    }
}

TDirectoryEnum::TDirectoryEnum(DIR* dir, std::uint32_t flags)
    : dir_(dir)
    , flags_(flags) {}

TDirectoryEnum::~TDirectoryEnum() {
    ::closedir(dir_);
}

bool TDirectoryEnum::Next(TIdListPtr& id) {
    while (const dirent* entry = ::readdir(dir_)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) {
            continue;
        }
        if (name[0] == '.' && (flags_ & SHCONTF_INCLUDEHIDDEN) == 0) {
            continue;
        }
        const char type = TypeAt(::dirfd(dir_), name, entry->d_type);
        const bool folder = type == kTypeDir || type == kTypeLinkToDir;
        if ((folder && (flags_ & SHCONTF_FOLDERS) == 0) ||
            (!folder && (flags_ & SHCONTF_NONFOLDERS) == 0)) {
            continue;
        }
        id = MakeEntryId(type, QByteArray(name));
        if (id) {
            return true;
        }
    }
    return false;
}

bool HasSubFolder(const QByteArray& path) {
    DIR* dir = ::opendir(path.constData());
    if (dir == nullptr) {
        return false;
    }
    bool found = false;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) {
            continue;
        }
        const char type = TypeAt(::dirfd(dir), name, entry->d_type);
        if (type == kTypeDir || type == kTypeLinkToDir) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

// Renames within one directory and never replaces an existing entry: renameat2 with
// RENAME_NOREPLACE, and on file systems without it a hard link and unlink for files or a
// checked rename for directories.
bool RenameNoReplace(const QByteArray& dir, const QByteArray& from, const QByteArray& to) {
    const int dirFd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) {
        return false;
    }
    bool ok = ::renameat2(dirFd, from.constData(), dirFd, to.constData(), RENAME_NOREPLACE) == 0;
    if (!ok && (errno == EINVAL || errno == ENOSYS)) {
        struct stat st {};
        if (::fstatat(dirFd, from.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            !S_ISDIR(st.st_mode)) {
            ok = ::linkat(dirFd, from.constData(), dirFd, to.constData(), 0) == 0 &&
                 ::unlinkat(dirFd, from.constData(), 0) == 0;
        } else if (::fstatat(dirFd, to.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 &&
                   errno == ENOENT) {
            ok = ::renameat(dirFd, from.constData(), dirFd, to.constData()) == 0;
        }
    }
    ::close(dirFd);
    return ok;
}

} // namespace platterwise::shellns
