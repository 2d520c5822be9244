// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one selected item puts into a disc image: its tree of names, kinds, sizes and file
// identities, read from disk the way `xorriso -as mkisofs -f` reads it, so the image can be
// sized again and again without touching the disk. This one read is also the walk that
// measures the item for the disc job: its bytes, its planned cost and what it cannot hold.
#include "ImageEntry.h"

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace platterwise {

struct TImageNode {
    static constexpr std::uint32_t kNoParent = 0xFFFFFFFF;
    std::uint32_t Parent = kNoParent; // index of the folder holding it
    TImageEntryKind Kind = TImageEntryKind::File;
    std::uint32_t NameOffset = 0; // into TImageTree::Text
    std::uint32_t NameLength = 0;
    std::uint32_t LinkOffset = 0; // Symlink: its text, in TImageTree::Text
    std::uint32_t LinkLength = 0;
    std::uint32_t Mode = 0;   // Device and Special: the file type and mode bits
    std::int64_t Size = 0;    // File: bytes
    std::uint64_t Device = 0; // File and Folder: st_dev, with Inode its identity;
    std::uint64_t Inode = 0;  // Device: the device number it stands for is in Device
};

// Node 0 is the item itself, named as on disk. Every folder's children follow one another
// in descending byte order of their names, after their folder.
struct TImageTree {
    std::vector<TImageNode> Nodes;
    std::string Text; // names and link texts

    std::string_view Name(const TImageNode& node) const {
        return std::string_view(Text).substr(node.NameOffset, node.NameLength);
    }
    std::string_view LinkTarget(const TImageNode& node) const {
        return std::string_view(Text).substr(node.LinkOffset, node.LinkLength);
    }
};

// What the read found that an image cannot take; Error is an errno value for CannotRead.
enum class TTreeFault : std::uint8_t {
    CannotRead,            // the item, a folder's listing, an entry's attributes, a file's content
    CannotReadLink,        // the text of a link kept as a link
    LinkTargetTooLong,     // a kept link's text passes kLongestLinkTarget
    LinkTargetNameTooLong, // a name in it passes kLongestName
    PathTooLong,           // kXorrisoPathLimit bytes or more, on disk or in the image
    FileTooLarge,          // passes kLargestXorrisoFile
};

struct TTreeProblem {
    TTreeFault Fault = TTreeFault::CannotRead;
    std::string Path; // on disk, as the item's path and the names below it give it
    int Error = 0;
};

// Called with each problem, on the reading thread; it may throw to end the read.
using TTreeProblemFn = std::function<void(const TTreeProblem&)>;

// The tree of the item at `path`, read as xorriso reads it with links followed: the item
// itself through any link; inside folders every link to an existing file or folder, except a
// link to a folder that a followed link on the way down already leads to, or one beyond 100
// followed links in a row, and broken links, which stay links. Where xorriso would stop
// (something it cannot read, a file this process may not read, a path of 4,096 bytes or
// more, a link text or a file libisofs refuses) it hands the problem to `problem`, leaves
// the entry out and reads on. Once `stop` is requested it returns within a thousand entries
// a partial tree, for the caller that stopped it to drop. Thread-safe for distinct calls.
TImageTree ReadImageTree(const std::string& path, const TTreeProblemFn& problem,
                         const std::stop_token& stop = {});

// The bytes of the files in `tree` as the totals count them when it was read: every file
// reached, each folder's content once however many links lead to the folder.
std::int64_t TreeBytes(const TImageTree& tree);

} // namespace platterwise
