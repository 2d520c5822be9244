// SPDX-License-Identifier: GPL-3.0-or-later
#include "RootNames.h"

#include "FirstIndex.h"
#include "image/ImageTree.h"
#include "image/Utf8.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <stdlib.h>
#include <unordered_set>
#include <utility>

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
        if (dot != std::string_view::npos && dot != 0) {
            stem = item.Name.substr(0, dot);
            extension = item.Name.substr(dot);
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

std::map<std::size_t, std::string> RenamedRoots(const std::vector<TRootItem>& items) {
    std::vector<std::string_view> brought;
    brought.reserve(items.size());
    for (const TRootItem& item : items) {
        brought.push_back(item.Name);
    }
    // Only the first item that brings a name keeps it. A renamed item takes the first free
    // number: not a name some item brings (a later one keeps it), nor one given before. The
    // numbers tried go on from the last one given for the same name, so that a thousand
    // items called "CD1" do not each count up from 2.
    const TFirstIndex firsts(std::move(brought));
    std::map<std::size_t, std::string> renamed;
    std::unordered_set<std::string> given;
    std::map<std::pair<std::string_view, bool>, int> nextNumber;
    for (std::size_t position = 0; position < items.size(); ++position) {
        if (firsts.FirstOf(position) == position) {
            continue;
        }
        const TRootItem& item = items[position];
        int& number = nextNumber.try_emplace({item.Name, item.IsFolder}, 2).first->second;
        std::string name;
        do {
            name = Numbered(item, number++);
        } while (firsts.Find(name) || given.count(name) != 0);
        given.insert(name);
        renamed.emplace(position, std::move(name));
    }
    return renamed;
}

std::vector<std::string> ResolveRootNames(const std::vector<TRootItem>& items) {
    const std::map<std::size_t, std::string> renamed = RenamedRoots(items);
    std::vector<std::string> names;
    names.reserve(items.size());
    for (std::size_t position = 0; position < items.size(); ++position) {
        const auto name = renamed.find(position);
        names.emplace_back(name == renamed.end() ? items[position].Name : name->second);
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
