// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectoryEntries_p.h"
#include "NamespaceFolder_p.h"
#include "ShellContextMenu_p.h"
#include "platform/MountTable.h"
#include "platform/NaturalCompare.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platterwise::shellns {
namespace {

constexpr char kDesktopParsingName[] = "::{4C2B8E61-93D7-4A0F-B1E5-6D3F0A9C7E24}";
constexpr char kComputerParsingName[] = "::{9E7D1A35-2F6C-4B88-A0D4-51C3E8F2B697}";

// Lists prepared in advance: the desktop's and the computer folder's children.
class TListEnum final : public IEnumIdList {
public:
    explicit TListEnum(std::vector<TIdListPtr> ids)
        : ids_(std::move(ids)) {}
    bool Next(TIdListPtr& id) override {
        if (next_ >= ids_.size()) {
            return false;
        }
        id = std::move(ids_[next_++]);
        return true;
    }

private:
    std::vector<TIdListPtr> ids_;
    std::size_t next_ = 0;
};

QByteArray DeviceOfMount(const QByteArray& mountPoint) {
    for (const TVolume& v : ListVolumes()) {
        if (v.mountPoint == mountPoint) {
            return v.device;
        }
    }
    return {};
}

QByteArray BaseName(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

bool ValidEntryName(const QByteArray& name) {
    return !name.isEmpty() && name.size() <= 255 && name != "." && name != ".." &&
           !name.contains('/') && !name.contains('\0');
}

// Lexical path components of `text` below `base` ("." dropped, ".." climbing); false when
// ".." would climb above "/".
bool SplitPath(const QByteArray& text, std::vector<QByteArray>& parts) {
    for (const QByteArray& part : text.split('/')) {
        if (part.isEmpty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (parts.empty()) {
                return false;
            }
            parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    return true;
}

// The list of entries that leads from `dir` through `parts`; each must exist, and every one
// but the last must be a folder.
bool EntriesBelow(const QByteArray& dir, const std::vector<QByteArray>& parts, TIdListPtr& out) {
    TIdListPtr list = IdListAlloc(2);
    QByteArray path = dir;
    for (std::size_t k = 0; k < parts.size() && list; ++k) {
        path = JoinPath(path, parts[k]);
        bool exists = false;
        const char type = TypeOfPath(path, &exists);
        if (!exists || (k + 1 < parts.size() && type != kTypeDir && type != kTypeLinkToDir)) {
            return false;
        }
        const TIdListPtr id = MakeEntryId(type, parts[k]);
        if (!id) {
            return false;
        }
        list = IdListConcat(list.get(), id.get());
    }
    if (!list) {
        return false;
    }
    out = std::move(list);
    return true;
}

int CompareOneId(const TItemIdList* a, const TItemIdList* b) {
    const QByteArray da = IdDataView(a), db = IdDataView(b);
    if (da.isEmpty() || db.isEmpty() || da[0] != db[0]) {
        static constexpr char order[] = "VAF";
        const auto rank = [](const QByteArray& d) {
            const char* p = d.isEmpty() ? nullptr : std::strchr(order, d[0]);
            return p == nullptr ? 3 : int(p - order);
        };
        const int ra = rank(da), rb = rank(db);
        return ra != rb ? (ra < rb ? -1 : 1) : (da.compare(db) < 0 ? -1 : 1);
    }
    const auto tail = [](const QByteArray& d) {
        return QByteArray::fromRawData(d.constData() + 2, d.size() - 2);
    };
    return NaturalCompare(tail(da), tail(db));
}

} // namespace

TNamespaceFolder::TNamespaceFolder(TLocation at)
    : at_(std::move(at)) {}

bool TNamespaceFolder::ParseDisplayName(QWidget*, const QString& name, TIdListPtr& out) {
    if (at_.kind == TLocation::Desktop) {
        if (name.compare(ComputerFolderName(), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1String(kComputerParsingName), Qt::CaseInsensitive) == 0) {
            out = MakeComputerId();
            return bool(out);
        }
        if (!name.startsWith(u'/')) {
            return false;
        }
        std::vector<QByteArray> parts;
        TIdListPtr entries;
        if (!SplitPath(QFile::encodeName(name), parts) || !EntriesBelow("/", parts, entries)) {
            return false;
        }
        const TIdListPtr head = IdListConcat(MakeComputerId().get(), MakeAnchorId('M', "/").get());
        out = IdListConcat(head.get(), entries.get());
        return bool(out);
    }
    if (at_.kind != TLocation::FileSystem || !at_.IsFolder() || name.startsWith(u'/')) {
        return false;
    }
    std::vector<QByteArray> parts;
    return SplitPath(QFile::encodeName(name), parts) && !parts.empty() &&
           EntriesBelow(at_.path, parts, out);
}

std::unique_ptr<IEnumIdList> TNamespaceFolder::EnumObjects(QWidget*, std::uint32_t flags) {
    std::vector<TIdListPtr> ids;
    switch (at_.kind) {
    case TLocation::Desktop:
        if ((flags & SHCONTF_FOLDERS) != 0) {
            ids.push_back(MakeComputerId());
            const QByteArray home = HomePath();
            if (!home.isEmpty() && TypeOfPath(home) == kTypeDir) {
                ids.push_back(MakeAnchorId('H', home));
            }
        }
        return std::make_unique<TListEnum>(std::move(ids));
    case TLocation::Computer:
        if ((flags & SHCONTF_FOLDERS) != 0) {
            for (const TVolume& v : ListVolumes()) {
                ids.push_back(MakeAnchorId('M', v.mountPoint));
            }
        }
        return std::make_unique<TListEnum>(std::move(ids));
    case TLocation::FileSystem:
        if (at_.IsFolder()) {
            if (DIR* dir = ::opendir(at_.path.constData())) {
                return std::make_unique<TDirectoryEnum>(dir, flags);
            }
        }
        return nullptr;
    case TLocation::Invalid:
        break;
    }
    return nullptr;
}

TUnknownPtr TNamespaceFolder::BindToObject(const TItemIdList* list, TIid iid) {
    if (iid != TIid::ShellFolder || list == nullptr || IdByteCount(list) == 0) {
        return nullptr;
    }
    // Listing asks this of every entry: one that says it is a file needs no walk.
    const unsigned char* id = reinterpret_cast<const unsigned char*>(list);
    if (IdByteCount(list) >= 4 && id[2] == 'F' && id[3] != kTypeDir && id[3] != kTypeLinkToDir &&
        IdByteCount(IdListNext(list)) == 0) {
        return nullptr;
    }
    TLocation to = Walk(at_, list);
    if (to.kind == TLocation::Invalid || !to.IsFolder()) {
        return nullptr;
    }
    return std::make_shared<TNamespaceFolder>(std::move(to));
}

TUnknownPtr TNamespaceFolder::CreateViewObject(QWidget*, TIid) {
    return nullptr; // this namespace has no folder views of its own
}

TUnknownPtr TNamespaceFolder::GetUIObjectOf(QWidget*, const TItemIdList* id, TIid iid) {
    if (iid != TIid::ContextMenu || id == nullptr) {
        return nullptr;
    }
    const TLocation item = Walk(at_, id);
    if (item.kind == TLocation::Invalid) {
        return nullptr;
    }
    return MakeItemContextMenu(item, AttributesOf(item, 0), DisplayNameOf(item, SHGDN_INFOLDER));
}

int TNamespaceFolder::CompareIDs(int, const TItemIdList* a, const TItemIdList* b) {
    while (a != nullptr && b != nullptr && IdByteCount(a) != 0 && IdByteCount(b) != 0) {
        if (const int r = CompareOneId(a, b)) {
            return r;
        }
        a = IdListNext(a);
        b = IdListNext(b);
    }
    const bool endA = a == nullptr || IdByteCount(a) == 0;
    const bool endB = b == nullptr || IdByteCount(b) == 0;
    return endA == endB ? 0 : (endA ? -1 : 1);
}

void TNamespaceFolder::GetAttributesOf(const TItemIdList* id, std::uint32_t& mask) {
    // A listed entry's folder, link and hidden bits are in its identifier: a list asks for them
    // row by row, and only the bits that look at the disk need its path.
    constexpr std::uint32_t kNeedPath = SFGAO_READONLY | SFGAO_HASSUBFOLDER | SFGAO_REMOVABLE;
    const auto* bytes = reinterpret_cast<const char*>(id);
    if ((mask & kNeedPath) == 0 && at_.kind == TLocation::FileSystem && at_.IsFolder() &&
        id != nullptr && IdByteCount(id) >= 5 && bytes[2] == 'F' &&
        IdByteCount(IdListNext(id)) == 0) {
        TLocation entry;
        entry.kind = TLocation::FileSystem;
        entry.type = bytes[3];
        entry.anchor = 0;
        entry.name = QByteArray::fromRawData(bytes + 4, qsizetype(IdByteCount(id) - 4));
        mask = AttributesOf(entry, mask);
        return;
    }
    const TLocation item = Walk(at_, id);
    mask = item.kind == TLocation::Invalid ? 0 : AttributesOf(item, mask);
}

bool TNamespaceFolder::GetDisplayNameOf(const TItemIdList* id, std::uint32_t flags, TStrRet& out) {
    const TLocation item = Walk(at_, id);
    if (item.kind == TLocation::Invalid) {
        return false;
    }
    const bool parsing = (flags & SHGDN_FORPARSING) != 0 && (flags & SHGDN_INFOLDER) == 0;
    if (item.kind == TLocation::FileSystem && item.anchor == 0 && !parsing && id != nullptr &&
        IdListCount(id) == 1) {
        out.uType = TStrRet::STRRET_OFFSET; // the name, where the identifier keeps it
        out.uOffset = 4;
        return true;
    }
    out.uType = TStrRet::STRRET_WSTR;
    out.hasOleStr = true;
    out.pOleStr = DisplayNameOf(item, flags);
    return true;
}

bool TNamespaceFolder::SetNameOf(QWidget*, const TItemIdList* id, const QString& name,
                                 std::uint32_t, TIdListPtr& newId) {
    const TLocation item = Walk(at_, id);
    const QByteArray newName = name.toUtf8();
    if (item.kind != TLocation::FileSystem || item.anchor != 0 || !ValidEntryName(newName)) {
        return false;
    }
    if (newName != item.name) {
        const QByteArray dir = item.path.left(item.path.size() - item.name.size());
        if (!RenameNoReplace(dir, item.name, newName)) {
            return false;
        }
    }
    TIdListPtr prefix = IdListCopy(id);
    IdListStripLast(prefix.get());
    const TIdListPtr entry = MakeEntryId(item.type, newName);
    newId = IdListConcat(prefix.get(), entry.get());
    return bool(newId);
}

std::uint32_t AttributesOf(const TLocation& at, std::uint32_t mask) {
    switch (at.kind) {
    case TLocation::Desktop:
        return SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR;
    case TLocation::Computer:
        return SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASPROPSHEET;
    case TLocation::Invalid:
        return 0;
    case TLocation::FileSystem:
        break;
    }
    std::uint32_t a = SFGAO_FILESYSTEM | SFGAO_HASPROPSHEET | SFGAO_CANCOPY | SFGAO_CANLINK;
    if (at.IsFolder()) {
        a |= SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_DROPTARGET;
    }
    if (at.anchor == 0) {
        a |= SFGAO_CANMOVE | SFGAO_CANRENAME | SFGAO_CANDELETE;
        if (at.name.startsWith('.')) {
            a |= SFGAO_HIDDEN;
        }
    }
    if (at.IsLink()) {
        a |= SFGAO_LINK;
    }
    if ((mask & SFGAO_READONLY) != 0) {
        struct stat st {};
        if ((::stat(at.path.constData(), &st) == 0 || ::lstat(at.path.constData(), &st) == 0) &&
            (st.st_mode & S_IWUSR) == 0) {
            a |= SFGAO_READONLY;
        }
    }
    if ((mask & SFGAO_HASSUBFOLDER) != 0 && at.IsFolder() && HasSubFolder(at.path)) {
        a |= SFGAO_HASSUBFOLDER;
    }
    if ((mask == 0 || (mask & SFGAO_REMOVABLE) != 0) && at.anchor == 'M' &&
        IsRemovableDevice(DeviceOfMount(at.path))) {
        a |= SFGAO_REMOVABLE;
    }
    return a;
}

QString DisplayNameOf(const TLocation& at, std::uint32_t flags) {
    const bool parsing = (flags & SHGDN_FORPARSING) != 0 && (flags & SHGDN_INFOLDER) == 0;
    switch (at.kind) {
    case TLocation::Desktop:
        return (flags & SHGDN_FORPARSING) != 0 ? QLatin1String(kDesktopParsingName)
                                               : QStringLiteral("Desktop");
    case TLocation::Computer:
        return (flags & SHGDN_FORPARSING) != 0 ? QLatin1String(kComputerParsingName)
                                               : ComputerFolderName();
    case TLocation::Invalid:
        return {};
    case TLocation::FileSystem:
        break;
    }
    if (parsing) {
        return QString::fromUtf8(at.path);
    }
    if (at.anchor == 'M' && at.path == "/") {
        return QStringLiteral("File System");
    }
    return QString::fromUtf8(at.anchor == 0 ? at.name : BaseName(at.path));
}

} // namespace platterwise::shellns

namespace platterwise {

TShellFolderPtr DesktopFolder() {
    static const TShellFolderPtr desktop =
        std::make_shared<shellns::TNamespaceFolder>(shellns::DesktopLocation());
    return desktop;
}

QString ComputerFolderName() {
    return QStringLiteral("Computer");
}

QByteArray FileSystemPathOf(const TItemIdList* absolute) {
    const shellns::TLocation at = shellns::Walk(shellns::DesktopLocation(), absolute);
    return at.kind == shellns::TLocation::FileSystem ? at.path : QByteArray();
}

} // namespace platterwise
