// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraftPoints.h"

#include "DiscError.h"
#include "DiscTexts.h"

#include <algorithm>

namespace platterwise {
namespace {

// xorriso reads a path-list line into a buffer of 4,095 bytes with its terminating zero, and
// takes the rest of a longer line for the next one.
constexpr std::size_t kLongestLine = 4094;

[[noreturn]] void Refuse(std::string_view path, const TDiscReason& why) {
    throw TDiscError(PathStatus(path, why));
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
    CheckGraftPoint(point.ImageName, point.DiskPath);
}

void CheckGraftPoint(std::string_view imageName, std::string_view diskPath) {
    for (const std::string_view text : {imageName, diskPath}) {
        if (text.find('\n') != std::string_view::npos) {
            Refuse(diskPath, texts::kLineBreak);
        }
    }
    if (!diskPath.empty() && diskPath.back() == '\r') {
        Refuse(diskPath, texts::kEndsInCarriageReturn);
    }
    const auto escaped = [](std::string_view part) {
        return part.size() + std::size_t(std::count_if(part.begin(), part.end(), [](char ch) {
                   return ch == '\\' || ch == '=';
               }));
    };
    const std::size_t line = 1 + escaped(imageName) + 1 + escaped(diskPath);
    if (line > kLongestLine) {
        Refuse(diskPath, texts::kPathTooLong);
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
