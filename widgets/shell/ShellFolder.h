// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One item of the shell namespace (a file, a folder, a volume or a virtual folder such as
// the computer folder) as the shell list view shows it: names, full path, attributes, icon,
// details texts, rename, verbs and the item menu. User-interface thread only.
#include "platform/ItemIdList.h"
#include "platform/ShellNamespace.h"
#include "widgets/shell/ShellSets.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace platterwise {

class TShellFolder {
public:
    // Copies `id` (the item within `parent`). Without a parent the item hangs below
    // DesktopItem. `folderInterface` is the item opened as a folder, none for non-folders.
    TShellFolder(TShellFolder* parent, TShellFolderPtr folderInterface, const TItemIdList* id);
    virtual ~TShellFolder();
    Q_DISABLE_COPY_MOVE(TShellFolder)

    const TItemIdList* RelativeIdList() const { return relativeIdList_.get(); }
    const TItemIdList* AbsoluteIdList() const { return absoluteIdList_.get(); }
    // Not owned; DesktopItem for items made without a parent, none for DesktopItem itself.
    TShellFolder* ParentItem() const { return parentItem_; }
    const TShellFolderPtr& FolderInterface() const { return folderInterface_; }
    int Depth() const { return depth_; }
    QWidget* OwnerWindow() const { return ownerWindow_; }
    void SetOwnerWindow(QWidget* window) { ownerWindow_ = window; }
    const QStringList& ColumnTexts() const { return columnTexts_; }

    // The parent's folder interface, or the desktop's when there is no parent item.
    TShellFolderPtr ParentShellFolder() const;
    QString InFolderName() const;
    // The full file-system path, or the display name of a virtual folder ("Computer").
    QString FullPathName() const;
    // The file-system path as native bytes, for the file system itself; empty when virtual.
    QByteArray FileSystemPath() const;
    bool IsContainer() const;
    bool HasChildFolders() const;
    TShellItemActions ItemActions() const;
    TShellItemStates ItemStates() const;
    // Index into the system image list (TShellImageList).
    int IconIndex(bool large) const;

    // The details interface for this folder's children (IShellFolder2 or IShellDetails),
    // looked for once.
    TUnknownPtr DetailsProvider();
    std::shared_ptr<IShellFolder2> ExtendedDetails();
    std::shared_ptr<IShellDetails> PlainDetails();
    // Fills ColumnTexts for columns 1..columnCount from `rootFolder`'s details, once.
    // Throws EInvalidPath when the file-system fallback cannot read the item.
    void LoadColumnDetails(TShellFolder* rootFolder, QWidget* window, int columnCount);
    // The text of column `column` (1-based). Throws when LoadColumnDetails filled nothing.
    QString ColumnText(int column) const;

    // False (and nothing done) without the rename action; throws "Rename to %s failed".
    bool RenameTo(const QString& name);
    void InvokeVerb(const QByteArray& verb) const;
    void OpenWithDefault() const;
    // The item menu at (x, y) in `control`'s coordinates; waits for the choice.
    void ShowContextMenu(QWidget* control, int x, int y) const;

private:
    TIdListPtr relativeIdList_;
    TIdListPtr absoluteIdList_;
    TShellFolder* parentItem_ = nullptr;
    TShellFolderPtr folderInterface_;
    std::shared_ptr<IShellFolder2> extendedDetails_;
    std::shared_ptr<IShellDetails> plainDetails_;
    TUnknownPtr detailsChoice_;
    bool detailsLooked_ = false;
    int depth_ = 0;
    QPointer<QWidget> ownerWindow_;
    QStringList columnTexts_;
    mutable int iconIndex_ = -1;

    std::uint32_t Attributes(std::uint32_t mask) const;
};

// The namespace root, made on first use and kept for the whole run.
TShellFolder* DesktopItem();
// The folder item of `absolute`, below DesktopItem; its RelativeIdList is the whole list.
std::unique_ptr<TShellFolder> MakeFolderItem(const TItemIdList* absolute);
// True when the desktop folder finds the two lists equal.
bool SameIdList(const TItemIdList* a, const TItemIdList* b);
// The folder interface of child `id` under `parent` by the binding rule; none for a
// non-folder.
TShellFolderPtr BindChildFolder(const TShellFolderPtr& parent, const TItemIdList* id,
                                QWidget* owner);
// A display name; "parentfolder = nil" without a folder.
QString QueryDisplayName(const TShellFolderPtr& folder, const TItemIdList* list,
                         std::uint32_t flags);
// The text of a display-name reply; see the question-mark rule in the source.
QString StrRetToText(const TStrRet& reply, const TItemIdList* list);

} // namespace platterwise
