#pragma once
// The files that hand a disc job's discs to a burning program: per disc its graft-point list
// "disc<N>.list", and the xorriso command that writes its image "disc<N>.iso" from that list.
// The command line and the window write them alike.
#include "DiscError.h"
#include "DiscJob.h"

#include <cstddef>
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

// Writes `dir`/disc1.list, disc2.list, ... for `discs` (`dir` made when missing; existing
// lists of those names replaced) and returns their paths, disc 1 first. Throws TDiscFileError
// for the first file or folder that cannot be written, TDiscError for a graft point that
// cannot travel in a list.
std::vector<std::string> WriteDiscLists(const std::string& dir,
                                        const std::vector<TDiscJobDisc>& discs);

// The xorriso command line (quoted for a POSIX shell) that writes disc `index` (0-based) to
// "disc<index+1>.iso": reading `listPath` when it is not empty, else with `disc`'s graft
// points as arguments.
std::string DiscCommandLine(const TImageOptions& options, const TDiscJobDisc& disc,
                            std::size_t index, const std::string& listPath);

// Writes the lists as WriteDiscLists does, and beside each a bash script "disc<N>.sh" that
// runs the command writing the disc's image from its list (the list's path as written:
// give an absolute `dir` for scripts that run from anywhere).
// Returns every path written, per disc its list then its script. Throws as WriteDiscLists.
std::vector<std::string> WriteDiscListsAndCommands(const std::string& dir,
                                                   const std::vector<TDiscJobDisc>& discs,
                                                   const TImageOptions& options);

} // namespace platterwise
