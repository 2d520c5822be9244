// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A catalogue that cannot be opened, read or written: one line for people that names the
// file and says what to do, and a code for programs.
#include <stdexcept>
#include <string>

namespace platterwise {

enum class TCatalogueFault {
    CannotOpen,    // missing folder, not a regular file, no permission
    NotACatalogue, // corrupt, or some other file
    NewerSchema,   // written by a newer version of the program
    ReadOnly,      // a change was asked of a file that cannot be written
    Busy,          // another program held it past the busy timeout: try again
    UnknownLabel,  // no disc of that label
    Failed,        // anything else SQLite reports
};

class TCatalogueError : public std::runtime_error {
public:
    TCatalogueError(TCatalogueFault fault, const std::string& message)
        : std::runtime_error(message)
        , fault_(fault) {}
    TCatalogueFault Fault() const { return fault_; }

private:
    TCatalogueFault fault_;
};

} // namespace platterwise
