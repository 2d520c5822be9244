// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The item menu of the file-system namespace: Open, Rename, Move to Trash and Properties,
// with the verbs "open", "rename", "delete" and "properties".
#include "ShellLocation_p.h"
#include "platform/ShellNamespace.h"

namespace platterwise::shellns {

TUnknownPtr MakeItemContextMenu(const TLocation& item, std::uint32_t attributes,
                                const QString& name);

} // namespace platterwise::shellns
