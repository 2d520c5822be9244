#include "ImageSizer.h"

#include "DiscError.h"
#include "DiscTexts.h"
#include "IsoWriteOptions_p.h"
#include "RootNames.h"
#include "ShellText.h"
#include "SizedStream.h"

#include <algorithm>
#include <mutex>

namespace platterwise {
namespace {

using detail::IsoImagePtr;

// libisofs keeps process-wide state (its message queue, the local character set).
std::mutex& LibisofsMutex() {
    static std::mutex mutex;
    return mutex;
}

void InitLibisofs() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (iso_init() < 0) {
            throw TDiscError("libisofs could not be started");
        }
        // Names are UTF-8 bytes, as xorriso reads them with -input-charset UTF-8.
        char charset[] = "UTF-8";
        iso_set_local_charset(charset, 0);
        // Results come back as return codes; nothing is printed or queued.
        char never[] = "NEVER";
        char prefix[] = "";
        iso_set_msgs_severities(never, never, prefix);
    });
}

[[noreturn]] void Refused(std::string_view name, int result) {
    throw TDiscError(QuotedName(name) + std::string(texts::kLibisofsFailed) +
                     iso_error_to_msg(result));
}

void AddNode(IsoImage* image, IsoDir* parent, const char* name, const TImageTree& tree,
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
    if (result < 0) {
        Refused(name, result);
    }
}

// Adds an item's tree under `root`. Children arrive in descending name order, so libisofs
// inserts each at the head of its sorted list instead of walking it.
void AddTree(IsoImage* image, IsoDir* root, const TImageRootEntry& entry) {
    const TImageTree& tree = *entry.Tree;
    std::vector<IsoDir*> folders(tree.Nodes.size(), nullptr);
    std::string name;
    for (std::size_t i = 0; i < tree.Nodes.size(); ++i) {
        const TImageNode& node = tree.Nodes[i];
        IsoDir* parent = node.Parent == TImageNode::kNoParent ? root : folders[node.Parent];
        name = i == 0 ? entry.Name : std::string(tree.Name(node));
        AddNode(image, parent, name.c_str(), tree, node, &folders[i]);
    }
}

std::int64_t SizeOf(IsoImage* image, const TImageOptions& options) {
    const detail::IsoWriteOptsPtr opts = detail::MakeIsoWriteOpts(options);
    burn_source* source = nullptr;
    const int result = iso_image_create_burn_source(image, opts.get(), &source);
    if (result < 0) {
        throw TDiscError("The image" + std::string(texts::kLibisofsFailed) +
                         iso_error_to_msg(result));
    }
    const off_t bytes = source->get_size(source);
    source->cancel(source);
    source->free_data(source);
    std::free(source);
    return std::int64_t(bytes) / kSectorBytes;
}

} // namespace

std::int64_t ExactImageSectors(const std::vector<TImageRootEntry>& entries,
                               const TImageOptions& options) {
    InitLibisofs();
    const std::lock_guard lock(LibisofsMutex());
    const IsoImagePtr image = detail::MakeIsoImage(options);
    IsoDir* root = iso_image_get_root(image.get());
    std::vector<const TImageRootEntry*> order;
    order.reserve(entries.size());
    for (const TImageRootEntry& entry : entries) {
        order.push_back(&entry);
    }
    std::sort(order.begin(), order.end(),
              [](const auto* a, const auto* b) { return a->Name > b->Name; });
    for (const TImageRootEntry* entry : order) {
        AddTree(image.get(), root, *entry);
    }
    return SizeOf(image.get(), options);
}

TImageSizer::TImageSizer(std::vector<std::string> paths, TImageOptions options)
    : paths_(std::move(paths))
    , options_(std::move(options))
    , trees_(paths_.size()) {}

const TImageTree& TImageSizer::Tree(std::size_t item) {
    if (!trees_.at(item)) {
        trees_[item] = ReadImageTree(paths_[item]);
    }
    return *trees_[item];
}

TImageSizer::TImage TImageSizer::Size(const std::vector<std::size_t>& chosen) {
    std::vector<std::size_t> items = chosen;
    std::sort(items.begin(), items.end());
    std::vector<TRootItem> roots;
    roots.reserve(items.size());
    for (const std::size_t item : items) {
        const std::string name = ItemName(paths_.at(item));
        if (name.empty()) {
            throw TDiscError(QuotedName(paths_[item]) + std::string(texts::kNoRootName));
        }
        roots.push_back({name, Tree(item).Nodes.front().Kind == TImageEntryKind::Folder});
    }
    const std::vector<std::string> names = ResolveRootNames(roots);
    std::vector<TImageRootEntry> entries;
    TImage image;
    for (std::size_t i = 0; i < items.size(); ++i) {
        entries.push_back({&Tree(items[i]), names[i]});
        image.GraftPoints.push_back({names[i], paths_[items[i]]});
    }
    image.Sectors = ExactImageSectors(entries, options_);
    return image;
}

} // namespace platterwise
