// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsFile.h"

#include "engine/IntConvert.h"
#include "platform/Exceptions.h"
#include "platform/ProfileFile.h"
#include "platform/ResourceStrings.h"

#include <QDir>
#include <QFileInfo>

namespace platterwise {
namespace {

const QString kSection = QStringLiteral("MAIN");

} // namespace

QString SettingsFilePath() {
    const QString local = QDir::currentPath() + QStringLiteral("/settings.ini");
    if (QFileInfo::exists(local)) {
        return local;
    }
    // A relative XDG_CONFIG_HOME is not to be trusted: XDG says to ignore it, as other programs do.
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(config)) {
        config = QDir::homePath() + QStringLiteral("/.config");
    }
    return config + QStringLiteral("/platterwise/settings.ini");
}

TSettingsFile::TSettingsFile(QString path)
    : path_(std::move(path)) {}

QString TSettingsFile::ReadString(const QString& key, const QString& defaultValue) const {
    return ReadProfileString(path_, kSection, key, defaultValue);
}

void TSettingsFile::WriteString(const QString& key, const QString& value) const {
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QFileInfo::exists(folder)) {
        QDir().mkpath(folder); // a failure shows as the write's
    }
    if (!WriteProfileString(path_, kSection, key, value)) {
        throw Exception(FormatMessage(QString::fromUtf16(res::SUnableToWrite), {path_}));
    }
}

int TSettingsFile::ReadInteger(const QString& key, int defaultValue) const {
    QString text = ReadString(key, QString());
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        text = u'$' + text.mid(2);
    }
    return TryStrToInt(text.toStdString()).value_or(defaultValue);
}

void TSettingsFile::WriteInteger(const QString& key, int value) const {
    WriteString(key, QString::number(value));
}

} // namespace platterwise
