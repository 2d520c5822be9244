// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One folder of the file-system namespace: the desktop, the computer folder or a directory.
// It answers for identifier lists relative to itself, of one or more identifiers.
#include "ShellLocation_p.h"
#include "platform/ShellNamespace.h"

namespace platterwise::shellns {

class TNamespaceFolder final : public IShellFolder {
public:
    explicit TNamespaceFolder(TLocation at);

    bool ParseDisplayName(QWidget* owner, const QString& name, TIdListPtr& out) override;
    std::unique_ptr<IEnumIdList> EnumObjects(QWidget* owner, std::uint32_t flags) override;
    TUnknownPtr BindToObject(const TItemIdList* list, TIid iid) override;
    TUnknownPtr CreateViewObject(QWidget* owner, TIid iid) override;
    TUnknownPtr GetUIObjectOf(QWidget* owner, const TItemIdList* id, TIid iid) override;
    int CompareIDs(int param, const TItemIdList* a, const TItemIdList* b) override;
    void GetAttributesOf(const TItemIdList* id, std::uint32_t& mask) override;
    bool GetDisplayNameOf(const TItemIdList* id, std::uint32_t flags, TStrRet& out) override;
    bool SetNameOf(QWidget* owner, const TItemIdList* id, const QString& name, std::uint32_t flags,
                   TIdListPtr& newId) override;

    const TLocation& Location() const { return at_; }

private:
    TLocation at_;
};

// The attribute bits of one location; the costly ones (read-only, has sub-folders,
// removable) only when `mask` asks for them.
std::uint32_t AttributesOf(const TLocation& at, std::uint32_t mask);
// The names a location shows: for parsing (full path or "::{" class name) or in its folder.
QString DisplayNameOf(const TLocation& at, std::uint32_t flags);

} // namespace platterwise::shellns
