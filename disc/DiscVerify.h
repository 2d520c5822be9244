// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a disc back and compares every file with what was recorded when its image was
// written: an image file or a block device read through libisofs, or the folder where the
// disc is mounted. A stretch that cannot be read damages the files it belongs to; reading goes
// on with the next file.
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace platterwise {

struct TVerifyExpected {
    std::string DiscPath; // "/Album/01.flac"
    std::int64_t Size = 0;
    std::string Md5; // 32 lowercase hex digits
};

enum class TVerifyProblem { Missing, Damaged, NotCatalogued };

struct TVerifyFinding {
    std::string DiscPath;
    TVerifyProblem Problem = TVerifyProblem::Damaged;
    std::string Detail; // for people: "size 10 instead of 12", "MD5 differs", a read error
};

struct TVerifyResult {
    std::string VolumeId;       // the image's label; empty for a mounted folder
    std::int64_t FilesRead = 0; // catalogued files found and read
    std::int64_t Bytes = 0;
    std::vector<TVerifyFinding> Findings; // in disc path order within each kind
};

struct TVerifyProgress {
    std::int64_t Bytes = 0;
    std::int64_t TotalBytes = 0; // of the catalogued files
};
using TVerifyProgressFn = std::function<void(const TVerifyProgress&)>;

// Verifies `source` against `expected`. Returns nothing when `stop` was requested. Throws
// TDiscError when the source cannot be read at all (missing, not an image, no permission).
std::optional<TVerifyResult> VerifyDisc(const std::string& source,
                                        const std::vector<TVerifyExpected>& expected,
                                        std::stop_token stop = {},
                                        const TVerifyProgressFn& progress = {});

// What an image holds, read through libisofs: its label, sectors, whole-file MD5 and every
// regular file's disc path, size and MD5 (of its content as read). Throws TDiscError.
struct TImageInventory {
    std::string VolumeId;
    std::int64_t Sectors = 0;
    std::string Md5;
    std::vector<TVerifyExpected> Files;
};
TImageInventory InventoryImage(const std::string& path);

} // namespace platterwise
