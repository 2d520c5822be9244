// SPDX-License-Identifier: GPL-3.0-or-later
#include "RootNames.h"

#include "image/ImageTree.h"
#include "image/Utf8.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <stdlib.h>
#include <unordered_set>

namespace platterwise {
namespace {

constexpr std::size_t kNameMax = 255;

// `text` cut to at most `limit` bytes without splitting a UTF-8 character.
std::string_view CutAtCharacter(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8At(text, pos, c);
        const std::size_t next = pos + (length == 0 ? 1 : length);
        if (next > limit) {
            break;
        }
        end = pos = next;
    }
    return text.substr(0, end);
}

std::string Numbered(const TRootItem& item, int number) {
    const std::string suffix = " (" + std::to_string(number) + ")";
    std::string_view stem = item.Name;
    std::string_view extension;
    if (!item.IsFolder) {
        const auto dot = item.Name.rfind('.');
        if (dot != std::string::npos && dot != 0) {
            stem = std::string_view(item.Name).substr(0, dot);
            extension = std::string_view(item.Name).substr(dot);
        }
    }
    if (extension.size() + suffix.size() >= kNameMax) {
        extension = {};
    }
    stem = CutAtCharacter(stem, kNameMax - suffix.size() - extension.size());
    return std::string(stem) + suffix + std::string(extension);
}

} // namespace

std::string ItemName(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string GraftDiskPath(std::string path) {
    const auto resolve = [](const std::string& folder) -> std::optional<std::string> {
        char* resolved = ::realpath(folder.c_str(), nullptr);
        if (resolved == nullptr) {
            return std::nullopt;
        }
        std::string result = resolved;
        std::free(resolved);
        return result;
    };
    const std::string name = ItemName(path);
    if (name == "." || name == "..") {
        return resolve(path).value_or(path);
    }
    const bool plain = !path.empty() && path.front() == '/' && path.back() != '/' &&
                       path.find("//") == std::string::npos &&
                       path.find("/./") == std::string::npos &&
                       path.find("/../") == std::string::npos;
    if (plain || name.empty()) {
        return path;
    }
    const std::string folder = path.substr(0, path.find_last_not_of('/') + 1 - name.size());
    const std::optional<std::string> resolved = resolve(folder.empty() ? "." : folder);
    if (!resolved) {
        return path;
    }
    return *resolved + (resolved->back() == '/' ? "" : "/") + name;
}

std::vector<std::string> ResolveRootNames(const std::vector<TRootItem>& items) {
    // Names some item brings along are reserved for the first item that brings it, so a
    // renamed item never takes a name that a later one arrives with. Views into the items and
    // into `names`, which never reallocates, so that no name is copied twice.
    std::unordered_set<std::string_view> brought;
    brought.reserve(items.size());
    for (const TRootItem& item : items) {
        brought.insert(item.Name);
    }
    std::unordered_set<std::string_view> taken;
    taken.reserve(items.size());
    std::vector<std::string> names;
    names.reserve(items.size());
    for (const TRootItem& item : items) {
        std::string name = item.Name;
        if (taken.count(name) != 0) {
            int number = 2;
            do {
                name = Numbered(item, number++);
            } while (brought.count(name) != 0 || taken.count(name) != 0);
        }
        names.push_back(std::move(name));
        taken.insert(names.back());
    }
    return names;
}

std::size_t LongestImagePath(const TImageTree& tree, std::string_view rootName) {
    // Every node comes after the folder holding it.
    std::vector<std::size_t> lengths(tree.Nodes.size(), 0);
    std::size_t longest = 0;
    for (std::size_t i = 0; i < tree.Nodes.size(); ++i) {
        const TImageNode& node = tree.Nodes[i];
        lengths[i] = node.Parent == TImageNode::kNoParent
                         ? 1 + rootName.size()
                         : lengths[node.Parent] + 1 + node.NameLength;
        longest = std::max(longest, lengths[i]);
    }
    return longest;
}

} // namespace platterwise
