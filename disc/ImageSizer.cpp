// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageSizer.h"

#include "DiscError.h"
#include "DiscTexts.h"
#include "FirstIndex.h"
#include "IsoSession_p.h"
#include "RootNames.h"
#include "SizedStream.h"

#include <algorithm>

namespace platterwise {
namespace {

[[noreturn]] void Refused(std::string_view name, int result) {
    throw TDiscError(PathStatus(name, texts::kLibisofsFailed, iso_error_to_msg(result)));
}

// The path of node `index` below the entry, for an error.
std::string NodePath(const TImageRootEntry& entry, std::size_t index) {
    const TImageTree& tree = *entry.Tree;
    std::vector<std::size_t> below; // leaf first
    for (; index != 0 && index != TImageNode::kNoParent; index = tree.Nodes[index].Parent) {
        below.push_back(index);
    }
    std::string path(entry.DiskPath.empty() ? std::string_view(entry.Name) : entry.DiskPath);
    for (auto it = below.rbegin(); it != below.rend(); ++it) {
        path += '/';
        path += tree.Name(tree.Nodes[*it]);
    }
    return path;
}

// Returns libisofs's result: negative when it refused the node.
int AddNode(IsoImage* image, IsoDir* parent, const char* name, const TImageTree& tree,
            const TImageNode& node, IsoDir** folder) {
    int result = 0;
    switch (node.Kind) {
    case TImageEntryKind::Folder:
        result = iso_image_add_new_dir(image, parent, name, folder);
        break;
    case TImageEntryKind::File: {
        IsoStream* stream =
            platterwise_sized_stream_new(off_t(node.Size), dev_t(node.Device), ino_t(node.Inode));
        if (stream == nullptr) {
            throw std::bad_alloc();
        }
        IsoFile* file = nullptr;
        result = iso_image_add_new_file(image, parent, name, stream, &file);
        if (file == nullptr) {
            iso_stream_unref(stream); // not taken over
        }
        break;
    }
    case TImageEntryKind::Symlink:
        result = iso_image_add_new_symlink(image, parent, name,
                                           std::string(tree.LinkTarget(node)).c_str(), nullptr);
        break;
    case TImageEntryKind::Device:
    case TImageEntryKind::Special:
        result = iso_image_add_new_special(image, parent, name, mode_t(node.Mode),
                                           dev_t(node.Device), nullptr);
        break;
    }
    return result;
}

// Children arrive in descending name order, so libisofs inserts each at the head of its
// sorted list instead of walking it.
// Entries added between two looks at the stop token.
constexpr std::size_t kNodesBetweenStops = 1024;

// Images of fewer entries are laid out on the calling thread: a few milliseconds at most, less
// than the thread a stoppable layout starts (a plan sizes about a thousand discs).
constexpr std::size_t kNodesLaidOutInline = 4096;

// Adds an item's tree under `root`; false when stopped on the way.
bool AddTree(IsoImage* image, IsoDir* root, const TImageRootEntry& entry,
             const std::stop_token& stop) {
    const TImageTree& tree = *entry.Tree;
    std::vector<IsoDir*> folders(tree.Nodes.size(), nullptr);
    std::string name;
    for (std::size_t i = 0; i < tree.Nodes.size(); ++i) {
        if (i % kNodesBetweenStops == kNodesBetweenStops - 1 && stop.stop_requested()) {
            return false;
        }
        const TImageNode& node = tree.Nodes[i];
        IsoDir* parent = node.Parent == TImageNode::kNoParent ? root : folders[node.Parent];
        name = i == 0 ? entry.Name : std::string(tree.Name(node));
        const int result = AddNode(image, parent, name.c_str(), tree, node, &folders[i]);
        if (result < 0) {
            Refused(NodePath(entry, i), result);
        }
    }
    return true;
}

} // namespace

std::int64_t ExactImageSectors(const std::vector<TImageRootEntry>& entries,
                               const TImageOptions& options, const std::stop_token& stop) {
    detail::InitLibisofs();
    std::unique_lock<detail::TLibisofsMutex> lock;
    if (!detail::LockLibisofs(lock, stop)) {
        return 0;
    }
    detail::IsoImagePtr image = detail::MakeIsoImage(options);
    IsoDir* root = iso_image_get_root(image.get());
    std::vector<const TImageRootEntry*> order;
    order.reserve(entries.size());
    for (const TImageRootEntry& entry : entries) {
        order.push_back(&entry);
    }
    std::sort(order.begin(), order.end(),
              [](const auto* a, const auto* b) { return a->Name > b->Name; });
    for (const TImageRootEntry* entry : order) {
        if (!AddTree(image.get(), root, *entry, stop)) {
            return 0;
        }
    }
    if (stop.stop_requested()) {
        return 0;
    }
    std::size_t nodes = 0;
    for (const TImageRootEntry& entry : entries) {
        nodes += entry.Tree->Nodes.size();
    }
    if (nodes < kNodesLaidOutInline) {
        const std::int64_t sectors = detail::SizeOf(image.get(), options);
        image.reset(); // under the lock, as every use of libisofs
        return sectors;
    }
    lock.unlock(); // the layout takes it again, perhaps on a thread of its own
    return detail::SizeOfStoppable(std::move(image), options, stop);
}

TImageSizer::TImageSizer(std::vector<std::string> paths, TImageOptions options,
                         std::stop_token stop)
    : options_(std::move(options))
    , stop_(std::move(stop))
    , trees_(paths.size())
    , nameShared_(paths.size(), false) {
    paths_.reserve(paths.size());
    names_.reserve(paths.size());
    for (std::size_t item = 0; item < paths.size(); ++item) {
        paths_.push_back(GraftDiskPath(std::move(paths[item])));
        names_.push_back(ItemName(paths_.back()));
    }
    const TFirstIndex firsts(std::vector<std::string_view>(names_.begin(), names_.end()));
    for (std::size_t item = 0; item < names_.size(); ++item) {
        nameShared_[item] = firsts.Repeated(item);
    }
}

const TImageTree& TImageSizer::Tree(std::size_t item) {
    if (!trees_.at(item)) {
        // Partial when stopped; a stopped sizer never gives a figure again.
        trees_[item] = ReadImageTree(paths_[item], stop_);
    }
    return *trees_[item];
}

std::vector<std::string> TImageSizer::RootNames(const std::vector<std::size_t>& items) {
    bool shared = false;
    for (const std::size_t item : items) {
        if (names_.at(item).empty()) {
            throw TDiscError(PathStatus(paths_[item], texts::kNoRootName));
        }
        shared = shared || nameShared_[item];
    }
    if (!shared) {
        // Every name is its own: nothing to resolve. A search asks this for every set.
        std::vector<std::string> names;
        names.reserve(items.size());
        for (const std::size_t item : items) {
            names.push_back(names_[item]);
        }
        return names;
    }
    std::vector<TRootItem> roots;
    roots.reserve(items.size());
    for (const std::size_t item : items) {
        roots.push_back({names_[item], Tree(item).Nodes.front().Kind == TImageEntryKind::Folder});
    }
    return ResolveRootNames(roots);
}

std::vector<TGraftPoint> TImageSizer::PointsOf(const std::vector<std::size_t>& items,
                                               const std::vector<std::string>& names) const {
    std::vector<TGraftPoint> points;
    points.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        points.push_back({names[i], paths_[items[i]]});
    }
    return points;
}

std::vector<TGraftPoint> TImageSizer::GraftPoints(const std::vector<std::size_t>& chosen) {
    std::vector<std::size_t> items = chosen;
    std::sort(items.begin(), items.end());
    return PointsOf(items, RootNames(items));
}

TImageSizer::TImage TImageSizer::Size(const std::vector<std::size_t>& chosen) {
    std::vector<std::size_t> items = chosen;
    std::sort(items.begin(), items.end());
    const std::vector<std::string> names = RootNames(items);
    return {SectorsOf(items, names), PointsOf(items, names)};
}

std::int64_t TImageSizer::Sectors(const std::vector<std::size_t>& chosen) {
    std::vector<std::size_t> items = chosen;
    std::sort(items.begin(), items.end());
    return SectorsOf(items, RootNames(items));
}

std::int64_t TImageSizer::SectorsOf(const std::vector<std::size_t>& items,
                                    const std::vector<std::string>& names) {
    std::vector<TImageRootEntry> entries;
    entries.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        entries.push_back({&Tree(items[i]), names[i], paths_[items[i]]});
    }
    return ExactImageSectors(entries, options_, stop_);
}

} // namespace platterwise
