#include "ShellLocation_p.h"

#include <cstdlib>
#include <sys/stat.h>

namespace platterwise::shellns {

TIdListPtr MakeComputerId() {
    return IdListFromData(QByteArrayLiteral("VC"));
}

TIdListPtr MakeAnchorId(char anchor, const QByteArray& path) {
    return IdListFromData(QByteArray(1, 'A') + anchor + path);
}

TIdListPtr MakeEntryId(char type, const QByteArray& name) {
    return IdListFromData(QByteArray(1, 'F') + type + name);
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

TLocation Step(const TLocation& from, const TItemIdList* id) {
    const QByteArray data = IdDataView(id);
    TLocation to;
    if (data.size() < 2) {
        return to;
    }
    const char tag = data[0];
    if (tag == 'V' && data == "VC" && from.kind == TLocation::Desktop) {
        to.kind = TLocation::Computer;
    } else if (tag == 'A' && data.size() > 2 && data[2] == '/') {
        const char anchor = data[1];
        if ((anchor == 'H' && from.kind == TLocation::Desktop) ||
            (anchor == 'M' && from.kind == TLocation::Computer)) {
            to.kind = TLocation::FileSystem;
            to.anchor = anchor;
            to.path = data.mid(2);
            to.type = kTypeDir;
        }
    } else if (tag == 'F' && data.size() > 2 && from.kind == TLocation::FileSystem &&
               from.IsFolder()) {
        to.kind = TLocation::FileSystem;
        to.type = data[1];
        to.name = data.mid(2);
        to.path = JoinPath(from.path, to.name);
    }
    return to;
}

TLocation Walk(const TLocation& from, const TItemIdList* list) {
    TLocation at = from;
    for (const TItemIdList* p = list; p != nullptr && IdByteCount(p) != 0; p = IdListNext(p)) {
        at = Step(at, p);
        if (at.kind == TLocation::Invalid) {
            break;
        }
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
