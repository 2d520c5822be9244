// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Items handed to file managers and burning programs through the clipboard: a text/uri-list
// beside the plain text.
#include <QByteArray>
#include <string>
#include <vector>

class QMimeData;

namespace platterwise {

inline constexpr const char* kUriListFormat = "text/uri-list";

// One "file://" URI per path, its bytes percent-encoded as they are (names that are not UTF-8
// survive), each line ended by CR LF.
QByteArray UriList(const std::vector<std::string>& paths);

// Adds UriList(paths) to `data` when there is a path.
void AddUriList(QMimeData& data, const std::vector<std::string>& paths);

} // namespace platterwise
