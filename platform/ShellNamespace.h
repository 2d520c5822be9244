// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop shell namespace, supplied on Linux by a file-system model: the desktop (the
// empty list) holds the computer folder and the user's home folder; the computer folder holds
// "/" and each mounted volume; below them are directories and files. Folder interfaces are
// counted references (shared_ptr); every call is made in the user-interface thread.
#include "platform/ItemIdList.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class QMenu;
class QWidget;

namespace platterwise {

// Enumeration flags.
inline constexpr std::uint32_t SHCONTF_FOLDERS = 0x20;
inline constexpr std::uint32_t SHCONTF_NONFOLDERS = 0x40;
inline constexpr std::uint32_t SHCONTF_INCLUDEHIDDEN = 0x80;

// Display-name flags.
inline constexpr std::uint32_t SHGDN_NORMAL = 0;
inline constexpr std::uint32_t SHGDN_INFOLDER = 1;
inline constexpr std::uint32_t SHGDN_FORPARSING = 0x8000;

// Attribute bits.
inline constexpr std::uint32_t SFGAO_CANCOPY = 0x1;
inline constexpr std::uint32_t SFGAO_CANMOVE = 0x2;
inline constexpr std::uint32_t SFGAO_CANLINK = 0x4;
inline constexpr std::uint32_t SFGAO_CANRENAME = 0x10;
inline constexpr std::uint32_t SFGAO_CANDELETE = 0x20;
inline constexpr std::uint32_t SFGAO_HASPROPSHEET = 0x40;
inline constexpr std::uint32_t SFGAO_DROPTARGET = 0x100;
inline constexpr std::uint32_t SFGAO_LINK = 0x10000;
inline constexpr std::uint32_t SFGAO_SHARE = 0x20000;
inline constexpr std::uint32_t SFGAO_READONLY = 0x40000;
inline constexpr std::uint32_t SFGAO_HIDDEN = 0x80000;
inline constexpr std::uint32_t SFGAO_VALIDATE = 0x1000000;
inline constexpr std::uint32_t SFGAO_REMOVABLE = 0x2000000;
inline constexpr std::uint32_t SFGAO_FILESYSANCESTOR = 0x10000000;
inline constexpr std::uint32_t SFGAO_FILESYSTEM = 0x40000000;
inline constexpr std::uint32_t SFGAO_FOLDER = 0x20000000;
inline constexpr std::uint32_t SFGAO_HASSUBFOLDER = 0x80000000;

// Column state bit of extended details.
inline constexpr std::uint32_t SHCOLSTATE_SECONDARYUI = 0x10;

// A display-name reply. uType 0: the text in pOleStr (absent: hasOleStr false); 1: the bytes
// of the item's identifier from uOffset to its byte count; 2: cStr up to its zero.
struct TStrRet {
    enum : std::uint32_t { STRRET_WSTR = 0, STRRET_OFFSET = 1, STRRET_CSTR = 2 };
    std::uint32_t uType = STRRET_WSTR;
    bool hasOleStr = false;
    QString pOleStr;
    std::uint32_t uOffset = 0;
    std::array<char, 260> cStr{};
};

// Header or item details of one column: format (0 left, 1 right, 2 centre), width in
// characters and the text.
struct TShellDetails {
    int fmt = 0;
    int cxChar = 0;
    TStrRet str;
};

// Interfaces that an object may offer, asked for by these identifiers.
enum class TIid { ShellFolder, ShellFolder2, ShellDetails, ContextMenu };

class IUnknown {
public:
    virtual ~IUnknown() = default;
};
using TUnknownPtr = std::shared_ptr<IUnknown>;

// Children of a folder, one identifier (relative, owned by the caller) per call.
class IEnumIdList {
public:
    virtual ~IEnumIdList() = default;
    // False when there are no more.
    virtual bool Next(TIdListPtr& id) = 0;
};

class IShellFolder : public IUnknown {
public:
    // `name` to an identifier list relative to this folder.
    virtual bool ParseDisplayName(QWidget* owner, const QString& name, TIdListPtr& out) = 0;
    // None when the enumeration cannot start.
    virtual std::unique_ptr<IEnumIdList> EnumObjects(QWidget* owner, std::uint32_t flags) = 0;
    // The object of `list` (relative, one or more identifiers) offering `iid`, or none.
    virtual TUnknownPtr BindToObject(const TItemIdList* list, TIid iid) = 0;
    virtual TUnknownPtr CreateViewObject(QWidget* owner, TIid iid) = 0;
    virtual TUnknownPtr GetUIObjectOf(QWidget* owner, const TItemIdList* id, TIid iid) = 0;
    // Negative: a first, 0: equal, positive: b first, in the low 16 bits.
    virtual int CompareIDs(int param, const TItemIdList* a, const TItemIdList* b) = 0;
    // `mask` in: the bits asked for; out: the bits that hold (cheap bits may come unasked).
    virtual void GetAttributesOf(const TItemIdList* id, std::uint32_t& mask) = 0;
    virtual bool GetDisplayNameOf(const TItemIdList* id, std::uint32_t flags, TStrRet& out) = 0;
    // Renames without ever replacing an existing item; `newId` is the new identifier list.
    virtual bool SetNameOf(QWidget* owner, const TItemIdList* id, const QString& name,
                           std::uint32_t flags, TIdListPtr& newId) = 0;
};
using TShellFolderPtr = std::shared_ptr<IShellFolder>;

class IShellDetails : public IUnknown {
public:
    // Header details when `id` is none.
    virtual bool GetDetailsOf(const TItemIdList* id, int column, TShellDetails& out) = 0;
};

class IShellFolder2 : public IShellFolder {
public:
    virtual bool GetDetailsOf(const TItemIdList* id, int column, TShellDetails& out) = 0;
    virtual bool GetDefaultColumnState(int column, std::uint32_t& state) = 0;
};

// The item menu. Command ids are first .. last; verbs are asked by offset from first.
class IContextMenu : public IUnknown {
public:
    static constexpr std::uint32_t CMF_EXPLORE = 0x4;
    static constexpr std::uint32_t CMF_CANRENAME = 0x10;
    virtual bool QueryContextMenu(QMenu* menu, int indexMenu, int idCmdFirst, int idCmdLast,
                                  std::uint32_t flags) = 0;
    virtual QByteArray GetCommandString(int offset) = 0;
    // Runs the command at `offset`, or by `verb` when the verb is not empty.
    virtual bool InvokeCommand(QWidget* owner, const QByteArray& verb, int offset) = 0;
};

// The namespace root.
TShellFolderPtr DesktopFolder();

// The display name of the computer folder, as its full path name shows it.
QString ComputerFolderName();

// Item data for the list view and the engine: the file-system path of an absolute list as
// native bytes (empty for virtual items), and the system image list index of its icon.
QByteArray FileSystemPathOf(const TItemIdList* absolute);
int FileIconIndex(const TItemIdList* absolute);

} // namespace platterwise
