// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellExecute.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace platterwise {

QUrl LocalFileUrl(const QByteArray& path) {
    return QUrl::fromEncoded(QByteArrayLiteral("file://") + path.toPercentEncoding("/"),
                             QUrl::StrictMode);
}

bool OpenPathWithDefault(const QByteArray& path) {
    return !path.isEmpty() && QDesktopServices::openUrl(LocalFileUrl(path));
}

bool MoveToTrash(const QByteArray& path) {
    const QString name = QFile::decodeName(path);
    // Qt's trash takes text paths: a name that does not survive the round trip stays put
    // rather than risk moving some other file.
    if (path.isEmpty() || QFile::encodeName(name) != path) {
        return false;
    }
    // Qt files an item into the current directory when it cannot make the home trash, which
    // would lose it among the user's files: the trash is made first, or nothing is moved.
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                          QStringLiteral("/Trash");
    QDir dir;
    if (!trash.startsWith(u'/') || !dir.mkpath(trash + QStringLiteral("/files")) ||
        !dir.mkpath(trash + QStringLiteral("/info"))) {
        return false;
    }
    return QFile::moveToTrash(name);
}

} // namespace platterwise
