// SPDX-License-Identifier: GPL-3.0-or-later
#include "UriList.h"

#include <QMimeData>

namespace platterwise {

QByteArray UriList(const std::vector<std::string>& paths) {
    QByteArray list;
    for (const std::string& path : paths) {
        list += "file://";
        list += QByteArray(path.data(), qsizetype(path.size())).toPercentEncoding("/");
        list += "\r\n";
    }
    return list;
}

void AddUriList(QMimeData& data, const std::vector<std::string>& paths) {
    if (!paths.empty()) {
        data.setData(QString::fromLatin1(kUriListFormat), UriList(paths));
    }
}

} // namespace platterwise
