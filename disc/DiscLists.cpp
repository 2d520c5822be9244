// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscLists.h"

#include "engine/ShellText.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise {
namespace {

std::string DiscFileName(std::size_t index, const char* extension) {
    return "disc" + std::to_string(index + 1) + extension;
}

void WriteFile(const std::string& path, const std::string& content, bool executable) {
    errno = 0;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
    file.close();
    if (!file) {
        throw TDiscFileError(path, errno != 0 ? errno : EIO);
    }
    if (executable && ::chmod(path.c_str(), 0755) != 0) {
        throw TDiscFileError(path, errno);
    }
}

void MakeFolder(const std::string& dir) {
    if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) {
        throw TDiscFileError(dir, errno);
    }
}

std::string Content(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The disc number of "disc<N>.list" or "disc<N>.sh" (N from 1, no leading zero), else 0.
std::size_t DiscFileNumber(std::string_view name, std::string_view& extension) {
    if (!name.starts_with("disc")) {
        return 0;
    }
    name.remove_prefix(4);
    const std::size_t dot = name.find('.');
    if (dot == 0 || dot == std::string_view::npos || dot > 9 || name[0] == '0') {
        return 0;
    }
    std::size_t number = 0;
    for (const char ch : name.substr(0, dot)) {
        if (ch < '0' || ch > '9') {
            return 0;
        }
        number = number * 10 + std::size_t(ch - '0');
    }
    extension = name.substr(dot);
    return extension == ".list" || extension == ".sh" ? number : 0;
}

// What this program writes: a list of graft points, or a script running xorriso.
bool WrittenByUs(const std::string& path, std::string_view extension) {
    const std::string text = Content(path);
    if (extension == ".sh") {
        return (text.starts_with("#!/bin/sh\n") || text.starts_with("#!/bin/bash\n")) &&
               text.find("\nxorriso ") != std::string::npos;
    }
    if (text.empty() || !text.ends_with('\n')) {
        return false;
    }
    for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
        if (text[at] != '/') {
            return false;
        }
    }
    return true;
}

// Removes the lists and scripts of discs after the first `kept`.
void RemoveStale(const std::string& dir, std::size_t kept, std::vector<std::string>* removed) {
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(dir.c_str()), ::closedir);
    if (!folder) {
        throw TDiscFileError(dir, errno);
    }
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(folder.get())) {
        std::string_view extension;
        const std::size_t number = DiscFileNumber(entry->d_name, extension);
        const std::string path = PathInFolder(dir, entry->d_name);
        struct stat st {};
        if (number > kept && ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            WrittenByUs(path, extension)) {
            stale.push_back(path);
        }
    }
    std::sort(stale.begin(), stale.end());
    for (const std::string& path : stale) {
        if (::unlink(path.c_str()) != 0) {
            throw TDiscFileError(path, errno);
        }
        if (removed != nullptr) {
            removed->push_back(path);
        }
    }
}

// `path` (absolute) with its links resolved, as far as it exists; the rest as given.
std::string RealPath(const std::string& path) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        std::string text = real;
        ::free(real);
        return text;
    }
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos || slash == 0) {
        return path;
    }
    const std::string parent = RealPath(path.substr(0, slash));
    return parent + (parent.ends_with('/') ? "" : "/") + path.substr(slash + 1);
}

bool Within(const std::string& path, const std::string& folder) {
    return path == folder || folder == "/" ||
           (path.starts_with(folder) && path[folder.size()] == '/');
}

} // namespace

void PrepareListFolder(const std::string& dir) {
    MakeFolder(dir);
    if (::faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        throw TDiscFileError(dir, errno);
    }
}

std::optional<std::size_t> ItemHoldingFolder(const std::string& dir,
                                             const std::vector<std::string>& items) {
    const std::string realDir = RealPath(dir);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (Within(dir, items[i]) || Within(realDir, RealPath(items[i]))) {
            return i;
        }
    }
    return std::nullopt;
}

TDiscFileError::TDiscFileError(const std::string& path, int error)
    : TDiscError(QuotedName(path) + ": " + std::strerror(error), TDiscCode::CannotWrite)
    , path_(path)
    , error_(error) {}

std::string PathInFolder(const std::string& dir, const std::string& name) {
    return dir + (dir.ends_with('/') ? "" : "/") + name;
}

std::vector<std::string> WriteDiscLists(const std::string& dir,
                                        const std::vector<TDiscJobDisc>& discs,
                                        std::vector<std::string>* removed) {
    MakeFolder(dir);
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < discs.size(); ++i) {
        const std::string path = PathInFolder(dir, DiscFileName(i, ".list"));
        WriteFile(path, GraftPointList(discs[i].GraftPoints), false);
        paths.push_back(path);
    }
    RemoveStale(dir, discs.size(), removed);
    return paths;
}

std::string DiscCommandLine(const TImageOptions& options, const TDiscJobDisc& disc,
                            std::size_t index, const std::string& listPath) {
    const std::string image = DiscFileName(index, ".iso");
    if (!listPath.empty()) {
        return ShellCommandLine(XorrisoCommand(options, listPath, image));
    }
    std::string line = ShellCommandLine(XorrisoCommand(options, disc.GraftPoints, image));
    if (line.size() <= kLongestCommandLine) {
        return line;
    }
    line = "{\n";
    for (const TGraftPoint& point : disc.GraftPoints) {
        std::string entry = GraftPointList({point});
        entry.pop_back(); // its line feed
        line += PrintfLine(entry) + '\n';
    }
    return line + "} | " + ShellCommandLine(XorrisoCommand(options, "-", image));
}

std::vector<std::string> WriteDiscListsAndCommands(const std::string& dir,
                                                   const std::vector<TDiscJobDisc>& discs,
                                                   const TImageOptions& options,
                                                   std::vector<std::string>* removed) {
    const std::vector<std::string> lists = WriteDiscLists(dir, discs, removed);
    std::vector<std::string> written;
    for (std::size_t i = 0; i < discs.size(); ++i) {
        written.push_back(lists[i]);
        const std::string script = PathInFolder(dir, DiscFileName(i, ".sh"));
        WriteFile(script, "#!/bin/sh\n" + DiscCommandLine(options, discs[i], i, lists[i]) + "\n",
                  true);
        written.push_back(script);
    }
    return written;
}

} // namespace platterwise
