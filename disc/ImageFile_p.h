// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An image file that appears under its name only once it is complete. It is written as an
// unnamed file in the target folder (O_TMPFILE) and linked in at the end; where the file system
// cannot do that, as ".NAME.XXXXXX" locked while written, which the next writer in that folder
// removes once no one holds it. A failed, cancelled or killed write never leaves NAME.
#include <string>

namespace platterwise::detail {

class TImageFile {
public:
    // Opens the file to be `dir`/`name`. Throws TDiscError naming the folder.
    TImageFile(const std::string& dir, const std::string& name);
    // Removes the file unless it was published.
    ~TImageFile();
    TImageFile(const TImageFile&) = delete;
    TImageFile& operator=(const TImageFile&) = delete;

    int Fd() const { return fd_; }
    const std::string& Path() const { return path_; } // the final path
    // Gives the file its name, replacing an older file of that name. Throws TDiscError.
    void Publish();

private:
    std::string dir_, name_, path_, temp_; // temp_: the named temporary, when there is one
    int fd_ = -1;
    bool published_ = false;
};

// Removes ".NAME.XXXXXX" temporaries in `dir` that a killed writer left: unlocked and
// unchanged for a few seconds.
void RemoveStaleImageTemporaries(const std::string& dir);

} // namespace platterwise::detail
