// SPDX-License-Identifier: GPL-3.0-or-later
// The settings-file text reader and writer on any bytes: a write reads back as the same value
// would from a file of its own, writing it again changes nothing, and the other keys of its
// section and the same key of other sections read as they did before.
#include "FuzzCheck.h"
#include "platform/ProfileText.h"

#include <QString>
#include <cstddef>
#include <cstdint>

using platterwise::fuzz::Check;

// Input: one byte choosing the section and key names, then the value (UTF-8) up to the first
// NUL, then the file's bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace platterwise;
    if (size < 1) {
        return 0;
    }
    static const char* const kSections[] = {"MAIN", "main", "OTHER", "x"};
    static const char* const kKeys[] = {"SHELL", "last_loc", "A", "RANDOM"};
    const QString section = QString::fromLatin1(kSections[data[0] & 3]);
    const QString key = QString::fromLatin1(kKeys[(data[0] >> 2) & 3]);
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const qsizetype nul = rest.indexOf('\0');
    const QString value = QString::fromUtf8(nul < 0 ? rest : rest.left(nul));
    const QByteArray text = nul < 0 ? QByteArray() : rest.mid(nul + 1);

    ProfileTextValue(text, section, key, value);
    const QByteArray written = ProfileTextWith(text, section, key, value);
    const QString alone = ProfileTextValue(ProfileTextWith({}, section, key, value), section, key,
                                           QStringLiteral("\x01missing"));
    Check(ProfileTextValue(written, section, key, QStringLiteral("\x01missing")) == alone);
    // Writing the same value again changes nothing, and every other key reads as before.
    Check(ProfileTextWith(written, section, key, value) == written);
    const auto unchanged = [&](const QString& s, const QString& k) {
        Check(ProfileTextValue(written, s, k, {}) == ProfileTextValue(text, s, k, {}));
    };
    for (const char* k : kKeys) {
        if (key.compare(QLatin1String(k), Qt::CaseInsensitive) != 0) {
            unchanged(section, QString::fromLatin1(k));
        }
    }
    for (const char* s : kSections) {
        if (section.compare(QLatin1String(s), Qt::CaseInsensitive) != 0) {
            unchanged(QString::fromLatin1(s), key);
        }
    }
    return 0;
}
