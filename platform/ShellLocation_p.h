// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the file-system namespace fills its identifiers, and where a list leads.
//   computer folder:  'V' 'C'
//   anchor:           'A' kind path   (kind 'H' the home folder under the desktop,
//                                      'M' a mounted volume or "/" under the computer)
//   directory entry:  'F' type name   (type from the directory listing, below)
#include "platform/ItemIdList.h"

#include <QByteArray>
#include <QByteArrayView>

namespace platterwise::shellns {

// Entry types kept in the identifier so that listing and sorting need no stat call.
inline constexpr char kTypeDir = 'd';
inline constexpr char kTypeFile = 'f';
inline constexpr char kTypeLinkToDir = 'l';
inline constexpr char kTypeLink = 'k'; // to a non-directory, or dangling
inline constexpr char kTypeOther = 'o';

struct TLocation {
    enum Kind { Invalid, Desktop, Computer, FileSystem } kind = Invalid;
    QByteArray path; // FileSystem: the absolute path, native bytes
    QByteArray name; // FileSystem entries: the entry name; anchors: empty
    char type = kTypeDir;
    char anchor = 0; // 'H' or 'M' for anchors, 0 for entries
    bool IsFolder() const {
        return kind == Desktop || kind == Computer ||
               (kind == FileSystem && (type == kTypeDir || type == kTypeLinkToDir));
    }
    bool IsLink() const { return type == kTypeLinkToDir || type == kTypeLink; }
};

TIdListPtr MakeComputerId();
TIdListPtr MakeAnchorId(char anchor, const QByteArray& path);
TIdListPtr MakeEntryId(char type, QByteArrayView name);

// The location of `list` below `from` (every identifier in turn); Invalid when one of them
// does not fit where the walk has come.
TLocation Walk(const TLocation& from, const TItemIdList* list);
inline TLocation DesktopLocation() {
    return TLocation{TLocation::Desktop, {}, {}, kTypeDir, 0};
}

// "a/b" joined with the separator, "/" + name at the root.
QByteArray JoinPath(const QByteArray& dir, const QByteArray& name);
// The entry type of `path` by lstat (and stat for links); kTypeOther when it is missing.
char TypeOfPath(const QByteArray& path, bool* exists = nullptr);

// Where mounted volumes and the home folder are; read anew at each call.
QByteArray HomePath();

} // namespace platterwise::shellns
