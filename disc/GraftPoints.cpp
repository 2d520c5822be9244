#include "GraftPoints.h"

#include "DiscError.h"
#include "DiscTexts.h"
#include "ShellText.h"

namespace platterwise {
namespace {

// xorriso reads a path-list line into a buffer of 4,095 bytes with its terminating zero, and
// takes the rest of a longer line for the next one.
constexpr std::size_t kLongestLine = 4094;

[[noreturn]] void Refuse(std::string_view path, std::string_view why) {
    throw TDiscError(QuotedName(path) + std::string(why));
}

} // namespace

std::string EscapeGraftPart(std::string_view part) {
    std::string out;
    out.reserve(part.size());
    for (const char ch : part) {
        if (ch == '\\' || ch == '=') {
            out += '\\';
        }
        out += ch;
    }
    return out;
}

void CheckGraftPoint(const TGraftPoint& point) {
    for (const std::string_view text :
         {std::string_view(point.ImageName), std::string_view(point.DiskPath)}) {
        if (text.find('\n') != std::string_view::npos) {
            Refuse(point.DiskPath, texts::kLineBreak);
        }
    }
    if (!point.DiskPath.empty() && point.DiskPath.back() == '\r') {
        Refuse(point.DiskPath, texts::kEndsInCarriageReturn);
    }
    const std::size_t line =
        1 + EscapeGraftPart(point.ImageName).size() + 1 + EscapeGraftPart(point.DiskPath).size();
    if (line > kLongestLine) {
        Refuse(point.DiskPath, texts::kPathTooLong);
    }
}

std::string GraftPointList(const std::vector<TGraftPoint>& points) {
    std::string list;
    for (const TGraftPoint& point : points) {
        CheckGraftPoint(point);
        list += '/';
        list += EscapeGraftPart(point.ImageName);
        list += '=';
        list += EscapeGraftPart(point.DiskPath);
        list += '\n';
    }
    return list;
}

} // namespace platterwise
