// SPDX-License-Identifier: GPL-3.0-or-later
#include "Exceptions.h"

namespace platterwise {

Exception::Exception(QString message)
    : message_(std::move(message))
    , utf8_(message_.toUtf8()) {}

QString FormatMessage(const QString& format, const QStringList& args) {
    QString out;
    out.reserve(format.size() + 32);
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != u'%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        const QChar d = format.at(i + 1);
        if (d == u'%') {
            out += u'%';
            ++i;
        } else if ((d == u's' || d == u'd' || d == u'x') && next < args.size()) {
            out += args.at(next++);
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace platterwise
