// SPDX-License-Identifier: GPL-3.0-or-later
// What can be done to a shell item: rename, verbs, default open, the item menu.
#include "ShellFolder.h"
#include "platform/Exceptions.h"
#include "platform/ResourceStrings.h"
#include "platform/ShellExecute.h"
#include "widgets/shell/ShellVerbHook.h"

#include <QAction>
#include <QMenu>

namespace platterwise {
namespace {

std::shared_ptr<IContextMenu> ContextMenuOf(const TShellFolder& item, QWidget* owner) {
    const TShellFolderPtr parent = item.ParentShellFolder();
    if (!parent) {
        return nullptr;
    }
    return std::dynamic_pointer_cast<IContextMenu>(
        parent->GetUIObjectOf(owner, item.RelativeIdList(), TIid::ContextMenu));
}

} // namespace

bool TShellFolder::RenameTo(const QString& name) {
    if (!ItemActions().Contains(iaRename)) {
        return false;
    }
    TIdListPtr newId;
    const TShellFolderPtr parent = ParentShellFolder();
    if (!parent || !parent->SetNameOf(nullptr, RelativeIdList(), name, SHGDN_NORMAL, newId) ||
        !newId) {
        throw Exception(FormatMessage(QString::fromUtf16(res::SRenamedFailedError), {name}));
    }
    absoluteIdList_ = parentItem_ != nullptr
                          ? IdListConcat(parentItem_->AbsoluteIdList(), newId.get())
                          : IdListCopy(newId.get());
    relativeIdList_ = std::move(newId);
    iconIndex_ = -1; // a new extension may bring a new icon
    return true;
}

void TShellFolder::InvokeVerb(const QByteArray& verb) const {
    if (const auto menu = ContextMenuOf(*this, nullptr)) {
        menu->InvokeCommand(nullptr, verb, 0);
    }
}

void TShellFolder::OpenWithDefault() const {
    OpenPathWithDefault(FileSystemPath());
}

void TShellFolder::ShowContextMenu(QWidget* control, int x, int y) const {
    const auto handler = ContextMenuOf(*this, control);
    if (!handler) {
        return;
    }
    const QPoint screen = control->mapToGlobal(QPoint(x, y));
    QMenu menu(control);
    handler->QueryContextMenu(&menu, 0, 1, 0x7FFF,
                              IContextMenu::CMF_EXPLORE | IContextMenu::CMF_CANRENAME);
    const QAction* chosen = menu.isEmpty() ? nullptr : menu.exec(screen);
    const int command = chosen != nullptr ? chosen->data().toInt() : 0;
    if (command < 1) {
        return;
    }
    const QByteArray verb = handler->GetCommandString(command - 1);
    bool handled = false;
    bool succeeded = true;
    auto* hook = dynamic_cast<IShellVerbHook*>(control);
    if (hook != nullptr) {
        hook->BeforeVerb(verb, handled);
    }
    if (!handled) {
        succeeded = handler->InvokeCommand(control, QByteArray(), command - 1);
    }
    if (hook != nullptr) {
        hook->AfterVerb(verb, succeeded);
    }
}

} // namespace platterwise
