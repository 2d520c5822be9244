#include "UnreadableReport.h"

#include <cstring>
#include <string>

namespace platterwise {

void ReportUnreadable(const TMeasureProblems& problems, std::FILE* out) {
    for (const TMeasureProblem& p : problems.Kept()) {
        std::string path = p.Path;
        for (char& c : path) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                c = '?';
            }
        }
        std::fprintf(out, "platterwise: %s: %s\n", path.c_str(), std::strerror(p.Error));
    }
    if (const auto more = problems.Count() - std::int64_t(problems.Kept().size()); more > 0) {
        std::fprintf(out, "platterwise: %lld more entries could not be read\n",
                     static_cast<long long>(more));
    }
}

} // namespace platterwise
