// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Failures travel as exceptions carrying a finished, user-readable message. The message
// formats live in ResourceStrings.h; handlers show the message in the standard error box.
#include <QString>
#include <QStringList>
#include <exception>

namespace platterwise {

class Exception : public std::exception {
public:
    explicit Exception(QString message);
    const QString& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// A path that cannot be resolved or read.
class EInvalidPath : public Exception {
public:
    using Exception::Exception;
};

// The system refused a resource (a timer, for instance).
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

// Fills a message format in the manner of the resource texts: each "%s", "%d" or "%x"
// takes the next argument in order (already formatted by the caller), "%%" is one "%".
// Missing arguments leave the directive as it stands.
QString FormatMessage(const QString& format, const QStringList& args);

} // namespace platterwise
