// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The failure of everything in the disc library: a message for people, names shown with
// their control characters escaped.
#include <stdexcept>

namespace platterwise {

class TDiscError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace platterwise
