#pragma once
// Sectioned key=value files with the semantics of the classic private-profile functions:
// section and key names match case-insensitively, blanks (and one pair of matching quotes)
// around a value are dropped, a value is read up to 2,047 characters, a missing file or key
// gives the default. A write keeps every other section, key, comment and line in its order,
// creates the file when it is missing, and replaces the file atomically: a failed write leaves
// the previous file as it was.
#include <QString>

namespace platterwise {

// The longest value a read returns; the rest of a longer value is cut off.
inline constexpr int kProfileValueLimit = 2047;

QString ReadProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& defaultValue);

// A value holding a line break is written up to it.
// False when the system refused the write (folder not writable, file read-only, disk full).
bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value);

} // namespace platterwise
