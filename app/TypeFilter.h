// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file pane's type filter: which enumerated items the file list admits under each item of
// the file-type list. Folders are admitted by every category, so the user can still navigate.
#include <QString>

namespace platterwise {

// Items of the file-type list, in order.
inline constexpr int kAllFiles = 0;      // "All Files -- *.*"
inline constexpr int kLosslessFiles = 1; // "Lossless -- APE/FLAC/SHN/WV/CUE/LOG"
inline constexpr int kArchiveFiles = 2;  // "Archives/Images -- RAR/ZIP/7Z/ISO"

// The part of `fullPath` from the last "." after the last "/" to the end, dot included;
// empty when the name has no dot.
QString ExtensionOf(const QString& fullPath);

// Whether an item passes the filter of `category` (any other value admits everything).
// Extensions are compared ignoring the case of A to Z only.
bool AdmitsItem(int category, bool isContainer, const QString& fullPath);

} // namespace platterwise
