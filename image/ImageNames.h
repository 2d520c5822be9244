// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names an entry takes in the two directory trees of the planned disc image (ISO 9660
// level 3 and Joliet with long names) before two equal ones in a folder are told apart. Their
// lengths decide record sizes, their order how records fill sectors.
#include <string>
#include <string_view>

namespace platterwise {

// The ISO 9660 identifier, without the ";1" that files also carry: up to 31 characters of
// A-Z, 0-9 and "_", with "." before the extension. Files always hold a ".". Characters
// outside ASCII count one "_" each, and so does each byte that is not UTF-8.
std::string IsoIdentifier(std::string_view name, bool isFolder);

// The Joliet identifier in UCS-2: up to 103 characters; characters outside the basic
// multilingual plane, bytes that are not UTF-8, control characters and * / : ; ? \ become
// "_". Files without an extension get no ".".
std::u16string JolietIdentifier(std::string_view name, bool isFolder);

} // namespace platterwise
