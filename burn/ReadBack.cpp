// SPDX-License-Identifier: GPL-3.0-or-later
#include "Rate_p.h"
#include "ReadBack_p.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace platterwise::burn::detail {
namespace {

constexpr std::int64_t kChunkBytes = 32 * kSectorBytes; // one read request, as xorriso asks

} // namespace

TBurnStatus ReadBack(const TGrabbedDrive& drive, std::int64_t bytes, const TMd5Digest& expected,
                     const TBurnObserver& observer, std::stop_token stop) {
    if (drive.Role() == 3) {
        return {TBurnCode::CannotReadBack,
                "the drive is write-only and cannot read the disc back; not checked"};
    }
    if (drive.Role() == 1) {
        burn_drive_re_assess(drive.Drive(), 0); // the drive learns what it just wrote
    }
    TRate rate(TBurnPhase::Verifying, bytes);
    observer(rate.Progress(0));
    TMd5 md5;
    std::vector<char> buffer(kChunkBytes);
    for (std::int64_t at = 0; at < bytes; at += kChunkBytes) {
        if (stop.stop_requested()) {
            return {TBurnCode::Cancelled, "cancelled while reading the disc back"};
        }
        const std::int64_t want = std::min(kChunkBytes, bytes - at);
        const std::int64_t aligned = (want + kSectorBytes - 1) / kSectorBytes * kSectorBytes;
        off_t got = 0;
        TakeLibburnMessages();
        if (burn_read_data(drive.Drive(), at, buffer.data(), aligned, &got, 2) <= 0 || got < want) {
            const std::string said = TakeLibburnMessages();
            return {TBurnCode::Damaged,
                    "damaged: the disc cannot be read at sector " +
                        std::to_string((at + std::max<off_t>(got, 0)) / kSectorBytes) +
                        (said.empty() ? "" : " (" + said + ")")};
        }
        md5.Add(buffer.data(), std::size_t(want));
        if (rate.Due()) {
            observer(rate.Progress(at + want));
        }
    }
    observer(rate.Progress(bytes));
    if (md5.Finish() != expected) {
        return {TBurnCode::Damaged, "damaged: the disc read back differs from the image (MD5 " +
                                        Md5Hex(expected) + " expected)"};
    }
    return {};
}

std::optional<TMd5Digest> FileMd5(const std::string& path, const TBurnObserver& observer,
                                  std::stop_token stop, TBurnStatus& status) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        status = {TBurnCode::ImageUnreadable, path + ": " + std::strerror(errno)};
        return std::nullopt;
    }
    const off_t size = ::lseek(fd, 0, SEEK_END);
    ::lseek(fd, 0, SEEK_SET);
    TRate rate(TBurnPhase::Checking, size);
    observer(rate.Progress(0));
    TMd5 md5;
    std::vector<char> buffer(1 << 20);
    std::int64_t done = 0;
    for (;;) {
        if (stop.stop_requested()) {
            ::close(fd);
            status = {TBurnCode::Cancelled, "cancelled while checking the image"};
            return std::nullopt;
        }
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            status = {TBurnCode::ImageUnreadable, path + ": " + std::strerror(errno)};
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        md5.Add(buffer.data(), std::size_t(n));
        done += n;
        if (rate.Due()) {
            observer(rate.Progress(done));
        }
    }
    ::close(fd);
    return md5.Finish();
}

} // namespace platterwise::burn::detail
