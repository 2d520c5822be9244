// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellFolder.h"

#include "platform/KnownFolders.h"
#include "platform/ShellIcons.h"

namespace platterwise {
namespace {

// The desktop item lives until the program ends.
std::unique_ptr<TShellFolder>& DesktopItemStorage() {
    static std::unique_ptr<TShellFolder> item;
    return item;
}
bool gMakingDesktop = false;

template <typename T>
std::shared_ptr<T> As(const TUnknownPtr& object) {
    return std::dynamic_pointer_cast<T>(object);
}

} // namespace

TShellFolder* DesktopItem() {
    std::unique_ptr<TShellFolder>& item = DesktopItemStorage();
    // Making it asks for it again (its parent is the desktop): that inner call finds none.
    if (!item && !gMakingDesktop) {
        gMakingDesktop = true;
        if (const TIdListPtr desktop = SpecialFolderLocation(CSIDL_DESKTOP)) {
            item = std::make_unique<TShellFolder>(nullptr, DesktopFolder(), desktop.get());
        }
        gMakingDesktop = false;
    }
    return item.get();
}

TShellFolder::TShellFolder(TShellFolder* parent, TShellFolderPtr folderInterface,
                           const TItemIdList* id)
    : folderInterface_(std::move(folderInterface)) {
    relativeIdList_ = IdListCopy(id);
    if (parent != nullptr) {
        absoluteIdList_ = IdListConcat(parent->AbsoluteIdList(), id);
        parentItem_ = parent;
    } else {
        const TIdListPtr desktop = SpecialFolderLocation(CSIDL_DESKTOP);
        absoluteIdList_ = IdListConcat(desktop.get(), id);
        parentItem_ = DesktopItem();
    }
    for (TShellFolder* p = parent == nullptr ? nullptr : parent->ParentItem(); p != nullptr;
         p = p->ParentItem()) {
        ++depth_;
    }
}

TShellFolder::~TShellFolder() = default;

TShellFolderPtr TShellFolder::ParentShellFolder() const {
    return parentItem_ != nullptr ? parentItem_->FolderInterface() : DesktopFolder();
}

QString TShellFolder::InFolderName() const {
    return QueryDisplayName(ParentShellFolder(), RelativeIdList(), SHGDN_INFOLDER);
}

QString TShellFolder::FullPathName() const {
    return QueryDisplayName(DesktopFolder(), AbsoluteIdList(), SHGDN_FORPARSING);
}

QByteArray TShellFolder::FileSystemPath() const {
    return FileSystemPathOf(AbsoluteIdList());
}

std::uint32_t TShellFolder::Attributes(std::uint32_t mask) const {
    if (const TShellFolderPtr parent = ParentShellFolder()) {
        parent->GetAttributesOf(RelativeIdList(), mask);
    }
    return mask;
}

bool TShellFolder::IsContainer() const {
    return (Attributes(SFGAO_FOLDER) & SFGAO_FOLDER) != 0;
}

bool TShellFolder::HasChildFolders() const {
    return (Attributes(SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER) != 0;
}

TShellItemActions TShellFolder::ItemActions() const {
    const std::uint32_t a = Attributes(0x177);
    TShellItemActions set;
    const std::pair<std::uint32_t, TShellItemAction> bits[] = {
        {SFGAO_CANCOPY, iaCopy},
        {SFGAO_CANDELETE, iaDelete},
        {SFGAO_CANLINK, iaLink},
        {SFGAO_CANMOVE, iaMove},
        {SFGAO_CANRENAME, iaRename},
        {SFGAO_DROPTARGET, iaDropTarget},
        {SFGAO_HASPROPSHEET, iaPropertySheet},
    };
    for (const auto& [bit, member] : bits) {
        if ((a & bit) != 0) {
            set.Include(member);
        }
    }
    return set;
}

TShellItemStates TShellFolder::ItemStates() const {
    TShellItemStates set;
    const TShellFolderPtr parent = ParentShellFolder();
    if (!parent) {
        return set;
    }
    std::uint32_t first = 0xF0000;
    parent->GetAttributesOf(RelativeIdList(), first);
    std::uint32_t second = 0;
    parent->GetAttributesOf(RelativeIdList(), second);
    const std::pair<std::uint32_t, TShellItemState> firstBits[] = {
        {SFGAO_HIDDEN, isHidden},
        {SFGAO_LINK, isLink},
        {SFGAO_READONLY, isReadOnly},
        {SFGAO_SHARE, isShared},
    };
    const std::pair<std::uint32_t, TShellItemState> secondBits[] = {
        {SFGAO_FILESYSTEM, isFileSystem},
        {SFGAO_FILESYSANCESTOR, isFileSystemAncestor},
        {SFGAO_REMOVABLE, isRemovable},
        {SFGAO_VALIDATE, isValidate},
    };
    for (const auto& [bit, member] : firstBits) {
        if ((first & bit) != 0) {
            set.Include(member);
        }
    }
    for (const auto& [bit, member] : secondBits) {
        if ((second & bit) != 0) {
            set.Include(member);
        }
    }
    return set;
}

int TShellFolder::IconIndex(bool) const {
    // One image list serves both sizes: the index is the same for small and large.
    if (iconIndex_ < 0) {
        iconIndex_ = FileIconIndex(AbsoluteIdList());
    }
    return iconIndex_;
}

std::unique_ptr<TShellFolder> MakeFolderItem(const TItemIdList* absolute) {
    const TShellFolderPtr desktop = DesktopFolder();
    TShellFolderPtr folder = BindChildFolder(desktop, absolute, nullptr);
    if (!folder) {
        folder = desktop;
    }
    return std::make_unique<TShellFolder>(DesktopItem(), std::move(folder), absolute);
}

bool SameIdList(const TItemIdList* a, const TItemIdList* b) {
    return DesktopFolder()->CompareIDs(0, a, b) == 0;
}

TShellFolderPtr BindChildFolder(const TShellFolderPtr& parent, const TItemIdList* id,
                                QWidget* owner) {
    TShellFolderPtr folder;
    if (parent) {
        folder = As<IShellFolder>(parent->BindToObject(id, TIid::ShellFolder));
        if (!folder) {
            folder = As<IShellFolder>(parent->GetUIObjectOf(owner, id, TIid::ShellFolder));
            folder = As<IShellFolder>(parent->CreateViewObject(owner, TIid::ShellFolder));
        }
    }
    if (!folder) {
        folder = As<IShellFolder>(DesktopFolder()->BindToObject(id, TIid::ShellFolder));
    }
    return folder;
}

QString QueryDisplayName(const TShellFolderPtr& folder, const TItemIdList* list,
                         std::uint32_t flags) {
    if (!folder) {
        return QStringLiteral("parentfolder = nil");
    }
    TStrRet reply;
    QString text;
    if (folder->GetDisplayNameOf(list, flags, reply)) {
        text = StrRetToText(reply, list);
    }
    if (text.startsWith(QLatin1String("::{"))) {
        TStrRet normal;
        text.clear();
        if (folder->GetDisplayNameOf(list, SHGDN_NORMAL, normal)) {
            text = StrRetToText(normal, list);
        }
    }
    return text;
}

QString StrRetToText(const TStrRet& reply, const TItemIdList* list) {
    QString text;
    switch (reply.uType) {
    case TStrRet::STRRET_WSTR:
        text = reply.hasOleStr ? reply.pOleStr : QString();
        break;
    case TStrRet::STRRET_OFFSET:
        if (list != nullptr && reply.uOffset < IdByteCount(list)) {
            text = QString::fromUtf8(reinterpret_cast<const char*>(list) + reply.uOffset,
                                     qsizetype(IdByteCount(list) - reply.uOffset));
        }
        break;
    case TStrRet::STRRET_CSTR:
        text = QString::fromUtf8(reply.cStr.data(),
                                 qsizetype(qstrnlen(reply.cStr.data(), reply.cStr.size())));
        break;
    default:
        break;
    }
    // Details texts such as dates may come with direction marks that show as question marks.
    if (text.size() >= 2 && text.at(0) == u'?' && text.at(1) >= u'0' && text.at(1) <= u'9') {
        text.remove(u'?');
    }
    return text;
}

} // namespace platterwise
