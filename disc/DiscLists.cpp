#include "DiscLists.h"

#include "ShellText.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/stat.h>

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

} // namespace

TDiscFileError::TDiscFileError(const std::string& path, int error)
    : TDiscError(QuotedName(path) + ": " + std::strerror(error))
    , path_(path)
    , error_(error) {}

std::string PathInFolder(const std::string& dir, const std::string& name) {
    return dir + (dir.ends_with('/') ? "" : "/") + name;
}

std::vector<std::string> WriteDiscLists(const std::string& dir,
                                        const std::vector<TDiscJobDisc>& discs) {
    MakeFolder(dir);
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < discs.size(); ++i) {
        const std::string path = PathInFolder(dir, DiscFileName(i, ".list"));
        WriteFile(path, GraftPointList(discs[i].GraftPoints), false);
        paths.push_back(path);
    }
    return paths;
}

std::string DiscCommandLine(const TImageOptions& options, const TDiscJobDisc& disc,
                            std::size_t index, const std::string& listPath) {
    const std::string image = DiscFileName(index, ".iso");
    if (!listPath.empty()) {
        return ShellCommandLine(XorrisoCommand(options, listPath, image));
    }
    return ShellCommandLine(XorrisoCommand(options, disc.GraftPoints, image));
}

std::vector<std::string> WriteDiscListsAndCommands(const std::string& dir,
                                                   const std::vector<TDiscJobDisc>& discs,
                                                   const TImageOptions& options) {
    const std::vector<std::string> lists = WriteDiscLists(dir, discs);
    std::vector<std::string> written;
    for (std::size_t i = 0; i < discs.size(); ++i) {
        written.push_back(lists[i]);
        const std::string script = PathInFolder(dir, DiscFileName(i, ".sh"));
        // bash: the quoting may use $'...' for names with control characters.
        WriteFile(script, "#!/bin/bash\n" + DiscCommandLine(options, discs[i], i, lists[i]) + "\n",
                  true);
        written.push_back(script);
    }
    return written;
}

} // namespace platterwise
