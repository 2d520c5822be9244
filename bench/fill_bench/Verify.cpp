// SPDX-License-Identifier: GPL-3.0-or-later
#include "Verify.h"

#include "disc/ImageOptions.h"
#include "engine/ShellText.h"

#include <cstdio>
#include <string>

namespace platterwise::bench {

void VerifyWithXorriso(TImageSizer& sizer, const std::vector<std::size_t>& chosen,
                       std::int64_t sectors, TVerified& tally) {
    const std::string line =
        ShellCommandLine(XorrisoCommand(sizer.Options(), sizer.GraftPoints(chosen), {}));
    const std::string command = "bash -c " + ShellQuote(line) + " 2>/dev/null";
    std::int64_t printed = -1;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        long long value = 0;
        if (std::fscanf(pipe, "%lld", &value) == 1) {
            printed = value;
        }
        ::pclose(pipe);
    }
    ++tally.Discs;
    if (printed == sectors) {
        ++tally.Equal;
    } else {
        std::fprintf(stderr, "xorriso printed %lld where %lld was verified\n",
                     static_cast<long long>(printed), static_cast<long long>(sectors));
    }
}

} // namespace platterwise::bench
