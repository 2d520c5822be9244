// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The details texts of file-system items when the folder has no details provider of its
// own: size, type, modified time and attribute bits. Times go through the 2-second
// date-time of the FAT file system, as the list has always shown them.
#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <cstdint>
#include <sys/stat.h>

namespace platterwise {

// Local date and time to the FAT date-time (date in the high 16 bits); false outside
// 1980..2107.
bool DateTimeToFatDateTime(const QDateTime& local, std::uint32_t& fat);
QDateTime FatDateTimeToDateTime(std::uint32_t fat);
// The date-time value -1.0: 29 December 1899, midnight.
QDateTime MinusOneDateTime();
// Date in the user's short-date format, then the time in the long-time format unless it is
// exactly midnight.
QString FormatDetailDateTime(const QDateTime& value);
// The file attribute bits of an entry: read-only 1, hidden 2, directory 0x10, link 0x400,
// otherwise normal 0x80.
std::uint32_t FileAttributeBits(const struct stat& st, bool link, const QByteArray& name);

// Columns 1..count for the entry `name` whose metadata is `st` (`link`: the name is a
// symbolic link).
QStringList FallbackDetailTexts(const struct stat& st, bool link, const QByteArray& name,
                                int count);

} // namespace platterwise
