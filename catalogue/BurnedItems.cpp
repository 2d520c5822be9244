// SPDX-License-Identifier: GPL-3.0-or-later
#include "BurnedItems.h"

#include <algorithm>
#include <dirent.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <tuple>

namespace platterwise {
namespace {

using TFileKey = std::tuple<std::string, std::int64_t, std::int64_t>; // path, size, mtime

struct Folder {
    dev_t Device;
    ino_t Inode;
};

// The regular files at and below `path` as an image holds them: links followed, a link back
// to a folder on the way down left out (an image keeps it as a link).
void Walk(const std::string& path, std::vector<Folder>& chain, std::vector<TFileKey>& files,
          bool& unreadable) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        // A broken link goes on a disc as a link; anything else that cannot be read changed.
        if (::lstat(path.c_str(), &st) != 0) {
            unreadable = true;
        }
        return;
    }
    if (S_ISREG(st.st_mode)) {
        files.emplace_back(path, std::int64_t(st.st_size),
                           std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec);
        return;
    }
    if (!S_ISDIR(st.st_mode)) {
        return;
    }
    for (const Folder& f : chain) {
        if (f.Device == st.st_dev && f.Inode == st.st_ino) {
            return;
        }
    }
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) {
        unreadable = true;
        return;
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> closer(dir, ::closedir);
    chain.push_back({st.st_dev, st.st_ino});
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            Walk(path + (path.ends_with('/') ? "" : "/") + std::string(name), chain, files,
                 unreadable);
        }
    }
    chain.pop_back();
}

} // namespace

TBurnedCheck CheckBurned(TCatalogue& catalogue, const std::string& path) {
    TBurnedCheck check;
    std::vector<std::string> labels;
    const std::vector<TCatalogueFile> burned = catalogue.BurnedFilesUnder(path, labels);
    if (burned.empty()) {
        return check;
    }
    std::vector<TFileKey> current;
    std::vector<Folder> chain;
    bool unreadable = false;
    Walk(path, chain, current, unreadable);
    std::sort(current.begin(), current.end());
    // Each disc's copy, in catalogue order (BurnedFilesUnder gives them disc by disc).
    std::vector<std::pair<std::string, std::vector<TFileKey>>> discs;
    for (std::size_t i = 0; i < burned.size(); ++i) {
        if (discs.empty() || discs.back().first != labels[i]) {
            discs.emplace_back(labels[i], std::vector<TFileKey>());
        }
        discs.back().second.emplace_back(burned[i].SourcePath, burned[i].Size, burned[i].MtimeNs);
    }
    for (auto& [label, files] : discs) {
        std::sort(files.begin(), files.end());
        if (!unreadable && !current.empty() && files == current) {
            check.Labels.push_back(label);
        }
    }
    if (check.Labels.empty()) {
        check.ChangedSince = discs.back().first;
    }
    return check;
}

} // namespace platterwise
