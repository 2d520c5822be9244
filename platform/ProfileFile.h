// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sectioned key=value files with the semantics of the classic private-profile functions
// (ProfileText.h holds the text rules): section and key names match case-insensitively, blanks
// (and one pair of matching quotes) around a value are dropped, a value is read up to 2,047
// characters, a missing file or key gives the default. A write changes only the key's line and
// keeps every other byte, creates the file when it is missing, and replaces the file
// atomically: a failed write leaves the previous file as it was.
//
// Only a regular file is read or written, and opening never blocks: a FIFO, a device or a
// folder under the file's name reads as missing and refuses every write. A write goes through
// a temporary file ".<name>.XXXXXX" beside the file, locked (flock) while it is written; such
// files that no writer holds and that have not changed for kStaleTemporarySeconds are what a
// killed write left behind, and the next write removes them.
#include "ProfileText.h"

#include <QString>

namespace platterwise {

inline constexpr int kStaleTemporarySeconds = 10;

QString ReadProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& defaultValue);

// A value holding a line break is written up to it.
// False when the system refused the write (folder not writable, file read-only, disk full, not
// a regular file).
bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value);

} // namespace platterwise
