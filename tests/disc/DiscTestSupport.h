// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for the disc tests: file-system oddities and running xorriso.
#include "tests/support/EngineFakes.h"
#include "tests/support/RunCommand.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platterwise::testing {

void HardLink(const TempDir& dir, const std::string& rel, const std::string& existingRel);
void Fifo(const TempDir& dir, const std::string& rel);
void WriteText(const std::string& path, const std::string& text);

// The sectors `xorriso ... -print-size` prints for the graft points in `pathList`, or -1.
std::int64_t XorrisoPrintSize(const std::vector<std::string>& command);

} // namespace platterwise::testing
