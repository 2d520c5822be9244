// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The failure of everything in the disc library: a code for programs and a message for
// people, names shown with their control characters escaped.
#include "DiscStatus.h"

#include <stdexcept>
#include <string>

namespace platterwise {

class TDiscError : public std::runtime_error {
public:
    explicit TDiscError(const std::string& text, TDiscCode code = TDiscCode::Failed)
        : std::runtime_error(text)
        , code_(code) {}
    explicit TDiscError(const TDiscStatus& status)
        : TDiscError(status.Text, status.Code) {}

    TDiscCode Code() const { return code_; }
    TDiscStatus Status() const { return {code_, what()}; }

private:
    TDiscCode code_;
};

} // namespace platterwise
