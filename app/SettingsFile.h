#pragma once
// The settings file: settings.ini in the process's current working directory, section MAIN.
// Every access finds the file afresh and nothing is cached, so a value one window writes is
// what the next read of any window sees.
#include <QString>

namespace platterwise {

// The working directory at this moment + "/settings.ini".
QString SettingsFilePath();

// A short-lived handle on one settings file: make one, read or write a few keys, drop it.
class TSettingsFile {
public:
    explicit TSettingsFile(QString path = SettingsFilePath());

    const QString& FileName() const { return path_; }

    QString ReadString(const QString& key, const QString& defaultValue) const;
    // Throws Exception "Unable to write to <path>" when the system refuses the write.
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
