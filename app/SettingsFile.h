// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file, section MAIN: a settings.ini in the process's current working directory
// when there is one (portable use, and the place earlier versions kept it), otherwise
// $XDG_CONFIG_HOME/platterwise/settings.ini (~/.config/... when that is unset or relative),
// whose folder is made on first write. Every access finds the file afresh and nothing is
// cached, so a value one window writes is what the next read of any window sees.
#include <QString>

namespace platterwise {

// The working directory at this moment + "/settings.ini" if that exists, else the file in the
// user's configuration folder.
QString SettingsFilePath();

// A short-lived handle on one settings file: make one, read or write a few keys, drop it.
class TSettingsFile {
public:
    explicit TSettingsFile(QString path = SettingsFilePath());

    const QString& FileName() const { return path_; }

    QString ReadString(const QString& key, const QString& defaultValue) const;
    // Makes the file's folder when it is missing. Throws Exception "Unable to write to <path>"
    // when the system refuses the write.
    void WriteString(const QString& key, const QString& value) const;

    // A text longer than two characters beginning with "0x" or "0X" is hexadecimal after
    // them; otherwise the whole text must be an integer ("$" also marks hexadecimal). Anything
    // else, and a missing key, gives `defaultValue`.
    int ReadInteger(const QString& key, int defaultValue) const;
    // Written in plain decimal.
    void WriteInteger(const QString& key, int value) const;

private:
    QString path_;
};

} // namespace platterwise
