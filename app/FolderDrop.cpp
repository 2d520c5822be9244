// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderDrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace platterwise {
namespace {

// Never a move: a source that is told its items were moved may delete them.
void AcceptWithoutMove(QDropEvent& event) {
    const Qt::DropActions possible = event.possibleActions();
    if (possible & Qt::LinkAction) {
        event.setDropAction(Qt::LinkAction);
    } else if (possible & Qt::CopyAction) {
        event.setDropAction(Qt::CopyAction);
    } else {
        event.ignore();
        return;
    }
    event.accept();
}

} // namespace

QString DroppedFolder(const QMimeData& data) {
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile()) {
            const QFileInfo info(url.toLocalFile());
            if (info.isDir()) {
                return info.absoluteFilePath();
            }
        }
    }
    return {};
}

TFolderDrop::TFolderDrop(QWidget& target, std::function<void(const QString&)> dropped)
    : QObject(&target)
    , dropped_(std::move(dropped)) {
    target.setAcceptDrops(true);
    target.installEventFilter(this);
}

bool TFolderDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (drag->mimeData() != nullptr && !DroppedFolder(*drag->mimeData()).isEmpty()) {
            AcceptWithoutMove(*drag);
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString folder =
            drop->mimeData() != nullptr ? DroppedFolder(*drop->mimeData()) : QString();
        if (folder.isEmpty()) {
            drop->ignore();
            return true;
        }
        AcceptWithoutMove(*drop);
        if (drop->isAccepted()) {
            dropped_(folder);
        }
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace platterwise
