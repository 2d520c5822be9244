// SPDX-License-Identifier: GPL-3.0-or-later
#include "PathSource.h"

#include "engine/PathAt.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise::cli {

std::string AbsolutePath(const std::string& path, const std::string& cwd) {
    std::string joined = !path.empty() && path[0] == '/' ? path : cwd + "/" + path;
    std::string out;
    out.reserve(joined.size());
    std::size_t i = 0;
    while (i < joined.size()) {
        while (i < joined.size() && joined[i] == '/') {
            ++i;
        }
        const std::size_t end = joined.find('/', i);
        const std::string_view part(joined.data() + i,
                                    (end == std::string::npos ? joined.size() : end) - i);
        if (!part.empty() && part != ".") {
            out += '/';
            out += part;
        }
        i = end == std::string::npos ? joined.size() : end;
    }
    return out.empty() ? "/" : out;
}

namespace {

std::string WorkingFolder() {
    std::string cwd;
    if (char* here = ::getcwd(nullptr, 0)) {
        cwd = here;
        ::free(here);
    }
    return cwd;
}

} // namespace

std::string AbsolutePath(const std::string& path) {
    return AbsolutePath(path, WorkingFolder());
}

std::optional<TPathSource> TPathSource::FromPaths(const std::vector<std::string>& paths,
                                                  std::string& failed, int& error) {
    const std::string cwd = WorkingFolder();
    TPathSource source;
    for (const std::string& path : paths) {
        struct stat st {};
        if (StatPath(path, st, false) != 0) {
            failed = path;
            error = errno;
            return std::nullopt;
        }
        // A link to a folder is a folder item; a broken link a file item of size 0. Only a
        // link needs its target looked up.
        struct stat target = st;
        const bool folder =
            (!S_ISLNK(st.st_mode) || StatPath(path, target) == 0) && S_ISDIR(target.st_mode);
        source.rows_.push_back({folder, AbsolutePath(path, cwd)});
    }
    return source;
}

} // namespace platterwise::cli
