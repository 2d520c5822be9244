// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellRowSource.h"

#include "widgets/shell/ShellListView.h"

namespace platterwise {

int TShellRowSource::RowCount() const {
    return list_.ItemCount();
}

bool TShellRowSource::RowSelected(int row) const {
    return list_.IsRowSelected(row);
}

TRowItem TShellRowSource::RowItem(int row) const {
    const TShellFolder* item = list_.ItemFolder(row);
    // Virtual items (the computer folder) have no file-system path; their display name
    // measures as a path that does not exist, which counts 0.
    QByteArray path = item->FileSystemPath();
    if (path.isEmpty()) {
        path = item->FullPathName().toUtf8();
    }
    return {item->IsContainer(), path.toStdString()};
}

} // namespace platterwise
