// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellLocation_p.h"

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace platterwise::shellns {

TIdListPtr MakeComputerId() {
    return IdListFromData(QByteArrayLiteral("VC"));
}

TIdListPtr MakeAnchorId(char anchor, const QByteArray& path) {
    return IdListFromData(QByteArray(1, 'A') + anchor + path);
}

TIdListPtr MakeEntryId(char type, QByteArrayView name) {
    // Written in place: a listing makes one of these for every entry.
    const std::size_t count = std::size_t(name.size()) + 4;
    if (count > 0xFFFF) {
        return nullptr;
    }
    TIdListPtr list = IdListAlloc(count + 2); // zero-filled: the terminator is there
    if (list) {
        auto* p = reinterpret_cast<unsigned char*>(list.get());
        p[0] = static_cast<unsigned char>(count & 0xFF);
        p[1] = static_cast<unsigned char>(count >> 8);
        p[2] = 'F';
        p[3] = static_cast<unsigned char>(type);
        std::memcpy(p + 4, name.data(), std::size_t(name.size()));
    }
    return list;
}

QByteArray JoinPath(const QByteArray& dir, const QByteArray& name) {
    QByteArray path;
    path.reserve(dir.size() + name.size() + 1);
    path += dir;
    if (!path.endsWith('/')) {
        path += '/';
    }
    path += name;
    return path;
}

namespace {

// Moves `at` one identifier down, in place: a walk to an entry deep in the tree grows one path
// instead of building one per level. An entry's name is left in `name` for the caller to
// keep (only the last one is). False when the identifier does not fit there.
bool StepDown(TLocation& at, const TItemIdList* id, QByteArrayView& name) {
    const std::size_t count = IdByteCount(id);
    if (count < 4) {
        return false;
    }
    const char* data = reinterpret_cast<const char*>(id) + 2;
    const qsizetype size = qsizetype(count - 2);
    const char tag = data[0];
    name = {};
    if (tag == 'V' && size == 2 && data[1] == 'C' && at.kind == TLocation::Desktop) {
        at = TLocation{};
        at.kind = TLocation::Computer;
        return true;
    }
    if (tag == 'A' && size > 2 && data[2] == '/') {
        const char anchor = data[1];
        if ((anchor == 'H' && at.kind == TLocation::Desktop) ||
            (anchor == 'M' && at.kind == TLocation::Computer)) {
            at.kind = TLocation::FileSystem;
            at.anchor = anchor;
            at.path.resize(0); // keeps the room reserved for the walk
            at.path.append(data + 2, size - 2);
            at.type = kTypeDir;
            return true;
        }
        return false;
    }
    if (tag == 'F' && size > 2 && at.kind == TLocation::FileSystem && at.IsFolder()) {
        at.anchor = 0;
        at.type = data[1];
        name = QByteArrayView(data + 2, size - 2);
        if (!at.path.endsWith('/')) {
            at.path += '/';
        }
        at.path.append(name);
        return true;
    }
    return false;
}

} // namespace

TLocation Walk(const TLocation& from, const TItemIdList* list) {
    TLocation at = from;
    // No path below `from` is longer than the identifiers that lead there.
    at.path.reserve(at.path.size() + qsizetype(IdListSize(list)));
    QByteArrayView name;
    bool stepped = false;
    for (const TItemIdList* p = list; p != nullptr && IdByteCount(p) != 0; p = IdListNext(p)) {
        if (!StepDown(at, p, name)) {
            return {};
        }
        stepped = true;
    }
    if (stepped) {
        at.name = name.toByteArray(); // anchors and the computer have none
    }
    return at;
}

char TypeOfPath(const QByteArray& path, bool* exists) {
    struct stat st {};
    if (exists != nullptr) {
        *exists = false;
    }
    if (::lstat(path.constData(), &st) != 0) {
        return kTypeOther;
    }
    if (exists != nullptr) {
        *exists = true;
    }
    if (S_ISLNK(st.st_mode)) {
        struct stat target {};
        return ::stat(path.constData(), &target) == 0 && S_ISDIR(target.st_mode) ? kTypeLinkToDir
                                                                                 : kTypeLink;
    }
    if (S_ISDIR(st.st_mode)) {
        return kTypeDir;
    }
    return S_ISREG(st.st_mode) ? kTypeFile : kTypeOther;
}

QByteArray HomePath() {
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? QByteArray(home) : QByteArray();
}

} // namespace platterwise::shellns
