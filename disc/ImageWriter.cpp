// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageWriter.h"

#include "ContentStream.h"
#include "DiscError.h"
#include "ImageFile_p.h"
#include "ImageMd5_p.h"
#include "IsoSession_p.h"
#include "engine/ShellText.h"
#include "engine/Units.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platterwise {
namespace {

// One step of the copy from libisofs's output to the file: few wake-ups of libisofs's
// writing thread and few write calls.
constexpr int kChunkBytes = 2 * 1024 * 1024;
// Chunks in flight between this thread and the one taking the image's MD5.
constexpr int kHashSlots = 4;
// libisofs's queue between its writing thread and ours, in 2,048-byte blocks (8 MiB).
constexpr int kFifoBlocks = 4096;

struct FileRecord {
    TWrittenFile File;
    std::uint64_t Device = 0, Inode = 0;
    IsoFile* Node = nullptr; // owned by the image
    bool HaveMd5 = false;
};

// What the content streams report from libisofs's writing thread.
struct Watch {
    std::mutex Mutex;
    std::vector<FileRecord> Files;
    TDiscStatus Fault; // the first failure
    std::atomic<bool> Failed{false};
    platterwise_content_watch Callbacks{};
};

extern "C" void OnFailed(void* context, std::uint32_t index, const char* why, int error) {
    auto* watch = static_cast<Watch*>(context);
    const std::lock_guard lock(watch->Mutex);
    if (watch->Fault.Ok()) {
        // A read that fails says why; a file that changed does not.
        watch->Fault = {error != 0 ? TDiscCode::Unreadable : TDiscCode::ChangedSincePlanned,
                        QuotedName(watch->Files[index].File.SourcePath) + " " + why +
                            (error != 0 ? std::strerror(error) : "")};
    }
    watch->Failed = true;
}

std::int64_t MtimeNs(const struct stat& st) {
    return std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

[[noreturn]] void Refused(std::string_view name, int result) {
    throw TDiscError(QuotedName(name) +
                         " could not be put in the image: " + iso_error_to_msg(result),
                     TDiscCode::LibisofsRefused);
}

// Owners 0 and modes readable by all, as xorriso's -r makes them; times as on disk.
void SetAttributes(IsoNode* node, const struct stat& st) {
    mode_t mode = (st.st_mode | 0444) & ~mode_t(0222) & 07777;
    if (S_ISDIR(st.st_mode) || (st.st_mode & 0111) != 0) {
        mode |= 0111;
    }
    iso_node_set_permissions(node, mode & ~mode_t(07000));
    iso_node_set_uid(node, 0);
    iso_node_set_gid(node, 0);
    iso_node_set_mtime(node, st.st_mtime);
    iso_node_set_atime(node, st.st_mtime);
    iso_node_set_ctime(node, st.st_mtime);
}

class Builder {
public:
    Builder(IsoImage* image, Watch& watch)
        : image_(image)
        , watch_(watch) {}
    void Add(const TImageWriteEntry& entry);

private:
    void AddNode(IsoDir* parent, const std::string& name, const TImageTree& tree,
                 const TImageNode& node, const std::string& diskPath, const std::string& discPath,
                 IsoDir** folder);

    IsoImage* image_;
    Watch& watch_;
};

void Builder::AddNode(IsoDir* parent, const std::string& name, const TImageTree& tree,
                      const TImageNode& node, const std::string& diskPath,
                      const std::string& discPath, IsoDir** folder) {
    struct stat st {};
    const bool followed =
        node.Kind == TImageEntryKind::File || node.Kind == TImageEntryKind::Folder;
    if ((followed ? ::stat(diskPath.c_str(), &st) : ::lstat(diskPath.c_str(), &st)) != 0) {
        throw TDiscError(QuotedName(diskPath) + " vanished after the disc was planned",
                         TDiscCode::ChangedSincePlanned);
    }
    int result = 0;
    IsoNode* added = nullptr;
    switch (node.Kind) {
    case TImageEntryKind::Folder:
        result = iso_image_add_new_dir(image_, parent, name.c_str(), folder);
        added = reinterpret_cast<IsoNode*>(*folder);
        break;
    case TImageEntryKind::File: {
        if (!S_ISREG(st.st_mode) || st.st_size != node.Size) {
            throw TDiscError(QuotedName(diskPath) + " changed after the disc was planned",
                             TDiscCode::ChangedSincePlanned);
        }
        const auto index = std::uint32_t(watch_.Files.size());
        watch_.Files.push_back({{discPath, diskPath, std::int64_t(st.st_size), MtimeNs(st), {}},
                                node.Device,
                                node.Inode,
                                nullptr,
                                false});
        IsoStream* stream = platterwise_content_stream_new(
            diskPath.c_str(), off_t(node.Size), MtimeNs(st), dev_t(node.Device), ino_t(node.Inode),
            index, &watch_.Callbacks);
        if (stream == nullptr) {
            throw std::bad_alloc();
        }
        IsoFile* file = nullptr;
        result = iso_image_add_new_file(image_, parent, name.c_str(), stream, &file);
        if (file == nullptr) {
            iso_stream_unref(stream);
        }
        watch_.Files[index].Node = file;
        added = reinterpret_cast<IsoNode*>(file);
        break;
    }
    case TImageEntryKind::Symlink:
        result = iso_image_add_new_symlink(image_, parent, name.c_str(),
                                           std::string(tree.LinkTarget(node)).c_str(), nullptr);
        break;
    case TImageEntryKind::Device:
    case TImageEntryKind::Special:
        result = iso_image_add_new_special(image_, parent, name.c_str(), mode_t(node.Mode),
                                           dev_t(node.Device), nullptr);
        break;
    }
    if (result < 0) {
        Refused(diskPath, result);
    }
    if (added != nullptr) {
        SetAttributes(added, st);
    }
}

// Adds an item's tree, each node from the path its parent's path and its name give.
void Builder::Add(const TImageWriteEntry& entry) {
    const TImageTree& tree = *entry.Tree;
    std::vector<IsoDir*> folders(tree.Nodes.size(), nullptr);
    std::vector<std::string> diskPaths(tree.Nodes.size()), discPaths(tree.Nodes.size());
    IsoDir* root = iso_image_get_root(image_);
    for (std::size_t i = 0; i < tree.Nodes.size(); ++i) {
        const TImageNode& node = tree.Nodes[i];
        const bool top = node.Parent == TImageNode::kNoParent;
        const std::string name = top ? entry.ImageName : std::string(tree.Name(node));
        diskPaths[i] = top ? entry.DiskPath : diskPaths[node.Parent] + "/" + name;
        discPaths[i] = (top ? std::string() : discPaths[node.Parent]) + "/" + name;
        AddNode(top ? root : folders[node.Parent], name, tree, node, diskPaths[i], discPaths[i],
                &folders[i]);
    }
}

void WriteAll(int fd, const unsigned char* data, std::size_t size, const std::string& path) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            throw TDiscError(QuotedName(path) +
                                 " cannot be written: " + std::strerror(n < 0 ? errno : ENOSPC),
                             TDiscCode::CannotWrite);
        }
        data += n;
        size -= std::size_t(n);
    }
}

struct BurnSourceDeleter {
    void operator()(burn_source* source) const {
        source->free_data(source);
        std::free(source);
    }
};

// Every file's MD5 as libisofs recorded it in the image; for a file it did not record (an
// empty one, the second name of content stored once) the MD5 it stands for.
void CollectMd5s(IsoImage* image, std::vector<FileRecord>& files) {
    for (FileRecord& record : files) {
        char md5[16];
        if (record.Node != nullptr && iso_file_get_md5(image, record.Node, md5, 0) == 1) {
            record.File.Md5 = Md5Hex(reinterpret_cast<const unsigned char*>(md5));
            record.HaveMd5 = true;
        }
    }
    static const unsigned char kEmpty[16] = {0xd4, 0x1d, 0x8c, 0xd9, 0x8f, 0x00, 0xb2, 0x04,
                                             0xe9, 0x80, 0x09, 0x98, 0xec, 0xf8, 0x42, 0x7e};
    for (FileRecord& record : files) {
        if (record.HaveMd5) {
            continue;
        }
        if (record.File.Size == 0) {
            record.File.Md5 = Md5Hex(kEmpty);
            continue;
        }
        const auto twin = std::find_if(files.begin(), files.end(), [&](const FileRecord& r) {
            return r.HaveMd5 && r.Device == record.Device && r.Inode == record.Inode;
        });
        if (twin == files.end()) {
            throw TDiscError(QuotedName(record.File.SourcePath) + " was not read into the image",
                             TDiscCode::ChangedSincePlanned);
        }
        record.File.Md5 = twin->File.Md5;
    }
}

} // namespace

std::string Md5Hex(const unsigned char* md5) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text(32, '0');
    for (int i = 0; i < 16; ++i) {
        text[std::size_t(2 * i)] = kHex[md5[i] >> 4];
        text[std::size_t(2 * i + 1)] = kHex[md5[i] & 15];
    }
    return text;
}

void PrepareImageFolder(const std::string& dir, std::int64_t bytes) {
    detail::RemoveStaleImageTemporaries(dir);
    struct statvfs fs {};
    if (::statvfs(dir.c_str(), &fs) != 0) {
        throw TDiscError(QuotedName(dir) + " cannot be written to: " + std::strerror(errno),
                         TDiscCode::CannotWrite);
    }
    const auto available = std::int64_t(fs.f_bavail) * std::int64_t(fs.f_frsize);
    if (available < bytes) {
        throw TDiscError(QuotedName(dir) + " has " + GroupThousands(available) +
                             " bytes free; the images need " + GroupThousands(bytes) + ", " +
                             GroupThousands(bytes - available) + " more",
                         TDiscCode::NoSpace);
    }
}

std::optional<TWrittenImage> WriteImage(const std::vector<TImageWriteEntry>& entries,
                                        const TImageOptions& options, std::int64_t expectedSectors,
                                        const std::string& dir, const std::string& name,
                                        std::stop_token stop,
                                        const TImageWriteProgressFn& progress) {
    detail::InitLibisofs();
    Watch watch;
    watch.Callbacks = {&watch, OnFailed};
    detail::TImageFile file(dir, name);
    std::int64_t sectors = 0;
    detail::IsoImagePtr image; // outlives the burn source that writes it
    std::unique_ptr<burn_source, BurnSourceDeleter> source;
    {
        const std::lock_guard lock(detail::LibisofsMutex());
        image = detail::MakeIsoImage(options);
        std::vector<const TImageWriteEntry*> order;
        for (const TImageWriteEntry& entry : entries) {
            order.push_back(&entry);
        }
        // Descending names: libisofs inserts each at the head of its sorted list.
        std::sort(order.begin(), order.end(),
                  [](const auto* a, const auto* b) { return a->ImageName > b->ImageName; });
        Builder builder(image.get(), watch);
        for (const TImageWriteEntry* entry : order) {
            builder.Add(*entry);
        }
        detail::IsoWriteOptsPtr opts = detail::MakeIsoWriteOpts(options);
        iso_write_opts_set_will_cancel(opts.get(), 0);
        iso_write_opts_set_fifo_size(opts.get(), kFifoBlocks);
        burn_source* raw = nullptr;
        const int result = iso_image_create_burn_source(image.get(), opts.get(), &raw);
        if (result < 0) {
            Refused(file.Path(), result);
        }
        source.reset(raw);
        // The writer has laid the image out: its size is the one this write makes.
        sectors = std::int64_t(source->get_size(source.get())) / kSectorBytes;
        if (expectedSectors >= 0 && sectors != expectedSectors) {
            source->cancel(source.get());
            throw TDiscError(QuotedName(file.Path()) +
                                 ": its items changed after the disc was "
                                 "planned (" +
                                 GroupThousands(sectors) + " sectors now, " +
                                 GroupThousands(expectedSectors) + " planned); plan again",
                             TDiscCode::ChangedSincePlanned);
        }
    }
    TImageWriteProgress done{0, sectors * kSectorBytes};
    // The whole image's space at once where the file system can: a shortfall shows now,
    // not halfway, and the blocks lie together. The length still grows with each write.
    if (::fallocate(file.Fd(), FALLOC_FL_KEEP_SIZE, 0, off_t(done.TotalBytes)) != 0 &&
        errno == ENOSPC) {
        source->cancel(source.get());
        throw TDiscError(QuotedName(file.Path()) + " cannot be written: " + std::strerror(ENOSPC),
                         TDiscCode::NoSpace);
    }
    detail::TPipelinedMd5 md5(kHashSlots, kChunkBytes);
    const auto fail = [&]() -> TDiscStatus {
        source->cancel(source.get());
        const std::lock_guard lock(watch.Mutex);
        return watch.Fault;
    };
    while (done.Bytes < done.TotalBytes) {
        if (stop.stop_requested() || watch.Failed) {
            const TDiscStatus fault = fail();
            if (!fault.Ok()) {
                throw TDiscError(fault);
            }
            return std::nullopt;
        }
        unsigned char* chunk = md5.NextSlot();
        const int want = int(std::min<std::int64_t>(kChunkBytes, done.TotalBytes - done.Bytes));
        const int got = source->read_xt(source.get(), chunk, want);
        if (got <= 0) {
            const TDiscStatus fault = fail();
            throw TDiscError(!fault.Ok() ? fault
                                         : TDiscStatus{TDiscCode::LibisofsRefused,
                                                       QuotedName(file.Path()) +
                                                           " could not be made by libisofs"});
        }
        md5.Submit(std::size_t(got));
        try {
            WriteAll(file.Fd(), chunk, std::size_t(got), file.Path());
        } catch (...) {
            fail();
            throw;
        }
        done.Bytes += got;
        if (progress) {
            progress(done);
        }
    }
    const std::string sum = md5.Finish();
    if (watch.Failed) {
        const std::lock_guard lock(watch.Mutex);
        throw TDiscError(watch.Fault);
    }
    source.reset(); // the writing thread has ended
    CollectMd5s(image.get(), watch.Files);
    file.Publish();
    TWrittenImage written;
    written.Path = file.Path();
    written.Sectors = sectors;
    written.Md5 = sum;
    written.Files.reserve(watch.Files.size());
    for (FileRecord& record : watch.Files) {
        written.Files.push_back(std::move(record.File));
    }
    return written;
}

} // namespace platterwise
