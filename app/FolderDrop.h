// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Folders dropped on a widget from a file manager: the widget takes drags that carry a local
// folder, and a drop hands that folder on.
#include <QObject>
#include <QString>
#include <functional>

class QMimeData;
class QWidget;

namespace platterwise {

// The first local folder among the URLs of `data`, as an absolute path; empty when there is
// none (no URLs, remote ones, only files).
QString DroppedFolder(const QMimeData& data);

// Makes `target` accept drops of local folders and calls `dropped` with the folder of each
// drop. Lives as a child of `target`; other drags are refused as before. User-interface
// thread only.
class TFolderDrop final : public QObject {
    Q_OBJECT
public:
    TFolderDrop(QWidget& target, std::function<void(const QString& folder)> dropped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> dropped_;
};

} // namespace platterwise
