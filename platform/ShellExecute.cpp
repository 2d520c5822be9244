#include "ShellExecute.h"

#include <QDesktopServices>
#include <QFile>

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
    return QFile::moveToTrash(name);
}

} // namespace platterwise
