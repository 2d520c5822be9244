// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellContextMenu_p.h"
#include "platform/ShellExecute.h"
#include "platform/ShellProperties.h"

#include <QAction>
#include <QMenu>

namespace platterwise::shellns {
namespace {

struct TCommand {
    const char* verb;
    const char* caption;
};
// Offsets are fixed: a command keeps its offset whether or not the menu shows it.
constexpr TCommand kCommands[] = {
    {"open", "&Open"},
    {"rename", "Rena&me"},
    {"delete", "Move to &Trash"},
    {"properties", "P&roperties"},
};
constexpr int kOpen = 0, kRename = 1, kDelete = 2, kProperties = 3;

class TItemContextMenu final : public IContextMenu {
public:
    TItemContextMenu(TLocation item, std::uint32_t attributes, QString name)
        : item_(std::move(item))
        , attributes_(attributes)
        , name_(std::move(name)) {}

    bool QueryContextMenu(QMenu* menu, int, int idCmdFirst, int idCmdLast,
                          std::uint32_t flags) override {
        const bool fileSystem = item_.kind == TLocation::FileSystem;
        const bool shown[] = {
            fileSystem,
            (flags & CMF_CANRENAME) != 0 && (attributes_ & SFGAO_CANRENAME) != 0,
            (attributes_ & SFGAO_CANDELETE) != 0,
            (attributes_ & SFGAO_HASPROPSHEET) != 0,
        };
        for (int offset = 0; offset < int(std::size(kCommands)); ++offset) {
            if (!shown[offset] || idCmdFirst + offset > idCmdLast) {
                continue;
            }
            if (offset == kProperties && !menu->isEmpty()) {
                menu->addSeparator();
            }
            QAction* action = menu->addAction(QString::fromLatin1(kCommands[offset].caption));
            action->setData(idCmdFirst + offset);
        }
        return true;
    }

    QByteArray GetCommandString(int offset) override {
        return offset >= 0 && offset < int(std::size(kCommands))
                   ? QByteArray(kCommands[offset].verb)
                   : QByteArray();
    }

    bool InvokeCommand(QWidget* owner, const QByteArray& verb, int offset) override {
        const QByteArray v = verb.isEmpty() ? GetCommandString(offset) : verb.toLower();
        if (v == kCommands[kOpen].verb) {
            return item_.kind == TLocation::FileSystem && OpenPathWithDefault(item_.path);
        }
        if (v == kCommands[kDelete].verb) {
            return (attributes_ & SFGAO_CANDELETE) != 0 && MoveToTrash(item_.path);
        }
        if (v == kCommands[kProperties].verb) {
            ShowItemProperties(owner, name_,
                               item_.kind == TLocation::FileSystem ? item_.path : QByteArray());
            return true;
        }
        return false; // "rename" needs a new name: the view edits the label in place
    }

private:
    TLocation item_;
    std::uint32_t attributes_;
    QString name_;
};

} // namespace

TUnknownPtr MakeItemContextMenu(const TLocation& item, std::uint32_t attributes,
                                const QString& name) {
    return std::make_shared<TItemContextMenu>(item, attributes, name);
}

} // namespace platterwise::shellns
