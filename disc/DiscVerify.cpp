// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscVerify.h"

#include "DiscError.h"
#include "ImageWriter.h"
#include "IsoSession_p.h"
#include "engine/ShellText.h"
#include "image/DiscMedia.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise {
namespace {

constexpr std::size_t kReadBytes = 1024 * 1024;

// One file's content, read in steps; Read returns bytes, 0 at the end, -1 on a read error.
class Reader {
public:
    virtual ~Reader() = default;
    virtual long Read(char* buffer, std::size_t size) = 0;
};

class FdReader final : public Reader {
public:
    explicit FdReader(int fd)
        : fd_(fd) {}
    ~FdReader() override { ::close(fd_); }
    long Read(char* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, size);
            if (n >= 0 || errno != EINTR) {
                return long(n);
            }
        }
    }

private:
    int fd_;
};

class StreamReader final : public Reader {
public:
    explicit StreamReader(IsoStream* stream)
        : stream_(stream) {}
    ~StreamReader() override { iso_stream_close(stream_); }
    long Read(char* buffer, std::size_t size) override {
        const int n = iso_stream_read(stream_, buffer, size);
        return n < 0 ? -1 : long(n);
    }

private:
    IsoStream* stream_;
};

// A file of an image read straight from the image's blocks in large steps: libisofs's own
// streams read one block per call.
class SectionReader final : public Reader {
public:
    SectionReader(int fd, std::vector<iso_file_section> sections)
        : fd_(fd)
        , sections_(std::move(sections)) {}
    long Read(char* buffer, std::size_t size) override {
        while (section_ < sections_.size() && done_ == sections_[section_].size) {
            ++section_;
            done_ = 0;
        }
        if (section_ == sections_.size()) {
            return 0;
        }
        const iso_file_section& s = sections_[section_];
        const std::size_t want = std::min<std::size_t>(size, s.size - done_);
        const off_t at = off_t(s.block) * kSectorBytes + off_t(done_);
        ssize_t n = 0;
        do {
            n = ::pread(fd_, buffer, want, at);
        } while (n < 0 && errno == EINTR);
        if (n <= 0) {
            return -1; // an unreadable stretch, or an image cut short
        }
        done_ += std::uint32_t(n);
        return long(n);
    }

private:
    int fd_;
    std::vector<iso_file_section> sections_;
    std::size_t section_ = 0;
    std::uint32_t done_ = 0;
};

// Where the files come from: the disc's tree, by disc path.
class Disc {
public:
    virtual ~Disc() = default;
    // The file's content, or nullptr when there is no such file (`why` says more).
    virtual std::unique_ptr<Reader> Open(const std::string& discPath, std::string& why) = 0;
    // Every regular file's disc path.
    virtual std::vector<std::string> Files() = 0;
    virtual std::string VolumeId() { return {}; }
};

class FolderDisc final : public Disc {
public:
    explicit FolderDisc(std::string root)
        : root_(std::move(root)) {}
    std::unique_ptr<Reader> Open(const std::string& discPath, std::string& why) override {
        const int fd = ::open((root_ + discPath).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            why = std::strerror(errno);
            return nullptr;
        }
        return std::make_unique<FdReader>(fd);
    }
    std::vector<std::string> Files() override {
        std::vector<std::string> files;
        List("", files);
        return files;
    }

private:
    void List(const std::string& folder, std::vector<std::string>& files) {
        DIR* dir = ::opendir((root_ + folder).c_str());
        if (dir == nullptr) {
            return;
        }
        const std::unique_ptr<DIR, int (*)(DIR*)> closer(dir, ::closedir);
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "/" + name;
            struct stat st {};
            if (::lstat((root_ + path).c_str(), &st) != 0) {
                continue;
            }
            if (S_ISDIR(st.st_mode)) {
                List(path, files);
            } else if (S_ISREG(st.st_mode)) {
                files.push_back(path);
            }
        }
    }
    std::string root_;
};

struct ReadOptsDeleter {
    void operator()(IsoReadOpts* o) const { iso_read_opts_free(o); }
};

class ImageDisc final : public Disc {
public:
    explicit ImageDisc(const std::string& path);
    ~ImageDisc() override {
        if (source_ != nullptr) {
            iso_data_source_unref(source_);
        }
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    std::unique_ptr<Reader> Open(const std::string& discPath, std::string& why) override {
        IsoNode* node = nullptr;
        if (iso_tree_path_to_node(image_.get(), discPath.c_str(), &node) != 1 ||
            iso_node_get_type(node) != LIBISO_FILE) {
            why = "not on the disc";
            return nullptr;
        }
        int count = 0;
        iso_file_section* sections = nullptr;
        if (fd_ >= 0 && iso_file_get_old_image_sections(reinterpret_cast<IsoFile*>(node), &count,
                                                        &sections, 0) == 1) {
            std::vector<iso_file_section> copy(sections, sections + count);
            std::free(sections);
            return std::make_unique<SectionReader>(fd_, std::move(copy));
        }
        IsoStream* stream = iso_file_get_stream(reinterpret_cast<IsoFile*>(node));
        const int result = iso_stream_open(stream);
        if (result < 0) {
            why = iso_error_to_msg(result);
            return nullptr;
        }
        return std::make_unique<StreamReader>(stream);
    }
    std::vector<std::string> Files() override {
        std::vector<std::string> files;
        List(iso_image_get_root(image_.get()), "", files);
        return files;
    }
    std::string VolumeId() override {
        const char* id = iso_image_get_volume_id(image_.get());
        return id ? id : "";
    }

private:
    void List(IsoDir* dir, const std::string& folder, std::vector<std::string>& files) {
        IsoDirIter* iter = nullptr;
        if (iso_dir_get_children(dir, &iter) < 0) {
            return;
        }
        IsoNode* node = nullptr;
        while (iso_dir_iter_next(iter, &node) == 1) {
            const std::string path = folder + "/" + iso_node_get_name(node);
            if (iso_node_get_type(node) == LIBISO_DIR) {
                List(reinterpret_cast<IsoDir*>(node), path, files);
            } else if (iso_node_get_type(node) == LIBISO_FILE) {
                files.push_back(path);
            }
        }
        iso_dir_iter_free(iter);
    }

    detail::IsoImagePtr image_;
    IsoDataSource* source_ = nullptr;
    int fd_ = -1;
};

ImageDisc::ImageDisc(const std::string& path) {
    detail::InitLibisofs();
    const std::lock_guard lock(detail::LibisofsMutex());
    const auto fail = [&](int result) {
        throw TDiscError(QuotedName(path) +
                             " cannot be read as a disc image: " + iso_error_to_msg(result),
                         TDiscCode::Unreadable);
    };
    int result = iso_data_source_new_from_file(path.c_str(), &source_);
    if (result < 0) {
        fail(result);
    }
    IsoImage* raw = nullptr;
    if ((result = iso_image_new("verify", &raw)) < 0) {
        fail(result);
    }
    image_.reset(raw);
    IsoReadOpts* opts = nullptr;
    if ((result = iso_read_opts_new(&opts, 0)) < 0) {
        fail(result);
    }
    const std::unique_ptr<IsoReadOpts, ReadOptsDeleter> owned(opts);
    iso_read_opts_set_input_charset(opts, const_cast<char*>("UTF-8"));
    IsoReadImageFeatures* features = nullptr;
    if ((result = iso_image_import(image_.get(), source_, opts, &features)) < 0) {
        fail(result);
    }
    iso_read_image_features_destroy(features);
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

std::string HexMd5(const char* md5) {
    return Md5Hex(reinterpret_cast<const unsigned char*>(md5));
}

// MD5 and size of what `reader` gives; false on a read error.
bool Digest(Reader& reader, std::vector<char>& buffer, std::string& md5, std::int64_t& size) {
    void* context = nullptr;
    iso_md5_start(&context);
    size = 0;
    long n = 0;
    while ((n = reader.Read(buffer.data(), buffer.size())) > 0) {
        iso_md5_compute(context, buffer.data(), int(n));
        size += n;
    }
    char sum[16];
    iso_md5_end(&context, sum);
    md5 = HexMd5(sum);
    return n == 0;
}

} // namespace

TImageInventory InventoryImage(const std::string& path) {
    ImageDisc disc(path);
    TImageInventory inventory;
    inventory.VolumeId = disc.VolumeId();
    std::vector<char> buffer(kReadBytes);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw TDiscError(QuotedName(path) + " cannot be read: " + std::strerror(errno),
                         TDiscCode::Unreadable);
    }
    FdReader whole(fd);
    std::int64_t bytes = 0;
    if (!Digest(whole, buffer, inventory.Md5, bytes)) {
        throw TDiscError(QuotedName(path) + " cannot be read: " + std::strerror(errno),
                         TDiscCode::Unreadable);
    }
    inventory.Sectors = bytes / kSectorBytes;
    for (const std::string& file : disc.Files()) {
        std::string why;
        const auto reader = disc.Open(file, why);
        TVerifyExpected entry{file, 0, {}};
        if (!reader || !Digest(*reader, buffer, entry.Md5, entry.Size)) {
            throw TDiscError(QuotedName(path) + ": " + QuotedName(file) + " cannot be read",
                             TDiscCode::Unreadable);
        }
        inventory.Files.push_back(std::move(entry));
    }
    return inventory;
}

std::optional<TVerifyResult> VerifyDisc(const std::string& source,
                                        const std::vector<TVerifyExpected>& expected,
                                        std::stop_token stop, const TVerifyProgressFn& progress) {
    struct stat st {};
    if (::stat(source.c_str(), &st) != 0) {
        throw TDiscError(QuotedName(source) + " cannot be read: " + std::strerror(errno),
                         TDiscCode::Unreadable);
    }
    std::unique_ptr<Disc> disc;
    if (S_ISDIR(st.st_mode)) {
        disc = std::make_unique<FolderDisc>(source);
    } else {
        disc = std::make_unique<ImageDisc>(source);
    }
    TVerifyResult result;
    result.VolumeId = disc->VolumeId();
    TVerifyProgress done;
    for (const TVerifyExpected& file : expected) {
        done.TotalBytes += file.Size;
    }
    std::vector<char> buffer(kReadBytes);
    for (const TVerifyExpected& file : expected) {
        std::string why;
        const std::unique_ptr<Reader> reader = disc->Open(file.DiscPath, why);
        if (!reader) {
            result.Findings.push_back({file.DiscPath, TVerifyProblem::Missing, why});
            done.Bytes += file.Size;
            continue;
        }
        void* md5 = nullptr;
        iso_md5_start(&md5);
        std::int64_t size = 0;
        bool unreadable = false;
        for (;;) {
            if (stop.stop_requested()) {
                char ignored[16];
                iso_md5_end(&md5, ignored);
                return std::nullopt;
            }
            const long n = reader->Read(buffer.data(), buffer.size());
            if (n <= 0) {
                unreadable = n < 0;
                break;
            }
            iso_md5_compute(md5, buffer.data(), int(n));
            size += n;
            done.Bytes += n;
            if (progress) {
                progress(done);
            }
        }
        char sum[16];
        iso_md5_end(&md5, sum);
        ++result.FilesRead;
        result.Bytes += size;
        if (unreadable) {
            result.Findings.push_back({file.DiscPath, TVerifyProblem::Damaged,
                                       "unreadable after " + std::to_string(size) + " bytes"});
        } else if (size != file.Size) {
            result.Findings.push_back(
                {file.DiscPath, TVerifyProblem::Damaged,
                 std::to_string(size) + " bytes instead of " + std::to_string(file.Size)});
        } else if (HexMd5(sum) != file.Md5) {
            result.Findings.push_back({file.DiscPath, TVerifyProblem::Damaged, "MD5 differs"});
        }
        done.Bytes += file.Size - std::min(size, file.Size);
    }
    std::vector<std::string> known;
    known.reserve(expected.size());
    for (const TVerifyExpected& file : expected) {
        known.push_back(file.DiscPath);
    }
    std::sort(known.begin(), known.end());
    std::vector<std::string> present = disc->Files();
    std::sort(present.begin(), present.end());
    for (const std::string& path : present) {
        if (!std::binary_search(known.begin(), known.end(), path)) {
            result.Findings.push_back({path, TVerifyProblem::NotCatalogued, {}});
        }
    }
    return result;
}

} // namespace platterwise
