// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopIdentity.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>

namespace platterwise {

QString DesktopId() {
    return QStringLiteral(PLATTERWISE_APP_ID);
}

void SetDesktopIdentity(QGuiApplication& app) {
    app.setDesktopFileName(DesktopId());
    QIcon icon;
    const QDir sizes(QStringLiteral(":/platterwise/icon"));
    for (const QString& name : sizes.entryList(QDir::Files)) {
        const QString path = sizes.filePath(name);
        icon.addFile(path, QImageReader(path).size());
    }
    app.setWindowIcon(icon);
}

} // namespace platterwise
