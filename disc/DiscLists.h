// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files that hand a disc job's discs to a burning program: per disc its graft-point list
// "disc<N>.list", and the xorriso command that writes its image "disc<N>.iso" from that list.
// The command line and the window write them alike.
#include "DiscError.h"
#include "DiscJob.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace platterwise {

// A file of the lists that could not be written: the path and the system's error number.
class TDiscFileError : public TDiscError {
public:
    TDiscFileError(const std::string& path, int error);
    const std::string& Path() const { return path_; }
    int Error() const { return error_; }

private:
    std::string path_;
    int error_;
};

// `dir` + "/" + `name`, without doubling a slash `dir` ends with.
std::string PathInFolder(const std::string& dir, const std::string& name);

// Makes `dir` when missing (one level) and checks that files can be made in it, before a job
// whose lists go there. Throws TDiscFileError with the system's reason.
void PrepareListFolder(const std::string& dir);

// The position in `items` (absolute paths) of the first item that holds `dir` (absolute) or
// is it, through links too: lists written there would change that item's image after it was
// sized. nullopt when none does.
std::optional<std::size_t> ItemHoldingFolder(const std::string& dir,
                                             const std::vector<std::string>& items);

// Writes `dir`/disc1.list, disc2.list, ... for `discs` (`dir` made when missing; existing
// lists of those names replaced) and returns their paths, disc 1 first. A list or script of an
// earlier run for a disc beyond these ("disc<N>.list" holding graft points, "disc<N>.sh"
// running xorriso) is removed, its path added to `removed` when given; no other file is
// touched. Throws TDiscFileError for the first file or folder that cannot be written or
// removed, TDiscError for a graft point that cannot travel in a list.
std::vector<std::string> WriteDiscLists(const std::string& dir,
                                        const std::vector<TDiscJobDisc>& discs,
                                        std::vector<std::string>* removed = nullptr);

// A command line longer than this prints its graft points into xorriso instead: the kernel
// takes at most 2 MiB of arguments and environment (and 128 KiB in one argument).
inline constexpr std::size_t kLongestCommandLine = 65'536;

// The xorriso command (for a POSIX shell; dash runs it) that writes disc `index` (0-based) to
// "disc<index+1>.iso": reading `listPath` when it is not empty; else with `disc`'s graft
// points as arguments, or, beyond kLongestCommandLine, as lines "{", one PrintfLine per
// graft point, then "} | xorriso ... -path-list - ...".
std::string DiscCommandLine(const TImageOptions& options, const TDiscJobDisc& disc,
                            std::size_t index, const std::string& listPath);

// Writes the lists as WriteDiscLists does, and beside each a shell script "disc<N>.sh" that
// runs the command writing the disc's image from its list (the list's path as written:
// give an absolute `dir` for scripts that run from anywhere).
// Returns every path written, per disc its list then its script. Throws as WriteDiscLists.
std::vector<std::string> WriteDiscListsAndCommands(const std::string& dir,
                                                   const std::vector<TDiscJobDisc>& discs,
                                                   const TImageOptions& options,
                                                   std::vector<std::string>* removed = nullptr);

} // namespace platterwise
