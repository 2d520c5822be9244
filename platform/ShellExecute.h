// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening files, folders and links with the desktop's default application, by
// QDesktopServices: no command line, no change of the working directory.
#include <QByteArray>
#include <QUrl>

namespace platterwise {

// A file URL that keeps the path's bytes exactly (percent-encoded where needed).
QUrl LocalFileUrl(const QByteArray& path);
// False when the desktop could not open it.
bool OpenPathWithDefault(const QByteArray& path);
// Moves a file or folder to the user's trash (never deletes it); false when it stays.
bool MoveToTrash(const QByteArray& path);

} // namespace platterwise
