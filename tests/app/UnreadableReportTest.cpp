// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UnreadableReport.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace platterwise {
namespace {

TEST(ReportUnreadable, OneLinePerPathWithTheSystemsMessageAndTheRestCounted) {
    TMeasureProblems problems;
    problems.Add("/music/\x1b[31mred\nline", EACCES);
    for (std::size_t i = 0; i < TMeasureProblems::kKept + 2; ++i) {
        problems.Add("/music/x", ELOOP);
    }
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = ::open_memstream(&text, &size);
    ReportUnreadable(problems, out);
    std::fclose(out);
    const std::string report(text, size);
    std::free(text);
    EXPECT_EQ(report.substr(0, report.find('\n', 60) + 1),
              "platterwise: /music/?[31mred?line: Permission denied\n"
              "platterwise: /music/x: Too many levels of symbolic links\n");
    EXPECT_EQ(report.substr(report.rfind("platterwise:")),
              "platterwise: 3 more entries could not be read\n");
}

} // namespace
} // namespace platterwise
