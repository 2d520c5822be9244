// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnreadableReport.h"

#include <cstring>
#include <string>

namespace platterwise {

namespace {

std::string Printable(std::string path) {
    for (char& c : path) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    return path;
}

} // namespace

void ReportUnreadable(const TMeasureProblems& problems, std::FILE* out) {
    for (const TMeasureProblem& p : problems.Kept()) {
        std::fprintf(out, "platterwise: %s: %s\n", Printable(p.Path).c_str(),
                     std::strerror(p.Error));
    }
    if (const auto more = problems.Count() - std::int64_t(problems.Kept().size()); more > 0) {
        std::fprintf(out, "platterwise: %lld more entries could not be read\n",
                     static_cast<long long>(more));
    }
}

} // namespace platterwise

namespace platterwise {

std::string UnreadableText(const TMeasureProblems& problems) {
    if (problems.Empty()) {
        return {};
    }
    constexpr std::size_t kNamed = 3;
    const std::int64_t n = problems.Count();
    std::string text = std::to_string(n) + (n == 1 ? " item" : " items") + " could not be read: ";
    const auto& kept = problems.Kept();
    for (std::size_t i = 0; i < kept.size() && i < kNamed; ++i) {
        text +=
            (i == 0 ? "" : "; ") + Printable(kept[i].Path) + ": " + std::strerror(kept[i].Error);
    }
    if (n > std::int64_t(kNamed)) {
        text += "; …";
    }
    return text;
}

} // namespace platterwise
