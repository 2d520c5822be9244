// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's folder from outside: the paths of the command line (a file manager's
// "Open with") and folders dropped on the file list.
#include "FolderDrop.h"
#include "Unit1.h"
#include "platform/Dialogs.h"
#include "widgets/shell/ShellFolder.h"
#include "widgets/shell/ShellListView.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <set>

namespace platterwise {

bool TForm1::ShowFolder(const QString& folder) {
    try {
        ShellListView1->SetRoot(folder);
        return true;
    } catch (const std::exception& e) {
        ShowException(e, dialogs_);
        return false;
    }
}

void TForm1::AcceptDroppedFolders() {
    new TFolderDrop(*ShellListView1, [this](const QString& folder) { ShowFolder(folder); });
}

void TForm1::OpenPaths(const QStringList& paths) {
    if (paths.isEmpty()) {
        return;
    }
    const QFileInfo first(paths.front());
    if (first.isDir()) {
        ShowFolder(first.absoluteFilePath());
        return;
    }
    // Files: their folder, with those of them that are in it selected.
    const QString folder = first.absolutePath();
    std::set<QString> wanted;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.absolutePath() == folder) {
            wanted.insert(QDir::cleanPath(info.absoluteFilePath()));
        }
    }
    if (!ShowFolder(folder)) {
        return;
    }
    QAbstractItemView* view = ShellListView1->ActiveView();
    QItemSelectionModel* selection = view->selectionModel();
    bool current = false;
    for (int row = 0; row < ShellListView1->ItemCount(); ++row) {
        if (wanted.count(QDir::cleanPath(ShellListView1->ItemFolder(row)->FullPathName())) == 0) {
            continue;
        }
        const QModelIndex index = ShellListView1->Model()->index(row, 0);
        const auto flags = QItemSelectionModel::Select | QItemSelectionModel::Rows;
        if (!current) {
            selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
            view->scrollTo(index);
            current = true;
        } else {
            selection->select(index, flags);
        }
    }
}

} // namespace platterwise
