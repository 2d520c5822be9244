// SPDX-License-Identifier: GPL-3.0-or-later
#include "BurnJob.h"

#include "ImageSource_p.h"
#include "Libburn_p.h"
#include "MediumProbe_p.h"
#include "Rate_p.h"
#include "ReadBack_p.h"

#include <cmath>
#include <condition_variable>
#include <cstring>
#include <mutex>

namespace platterwise::burn {
namespace {

using detail::TGrabbedDrive;
using detail::TImageSource;

std::string SectorsText(std::int64_t sectors) {
    return std::to_string(sectors) + (sectors == 1 ? " sector" : " sectors");
}

std::string Trimmed(const char* text) {
    std::string s(text);
    while (!s.empty() && s.back() == ' ') {
        s.pop_back();
    }
    return s;
}

// Why the medium cannot take the image; nullopt when it can.
std::optional<TBurnStatus> MediumRefusal(const TBurnRequest& r, const TMediumInfo& m,
                                         std::int64_t imageBytes) {
    const std::string disc = (m.Type.empty() ? "disc" : m.Type) + " in " + r.DriveAddress;
    switch (m.State) {
    case TMediumState::None:
        return TBurnStatus{TBurnCode::NoMedium, "no disc in " + r.DriveAddress};
    case TMediumState::Unsuitable:
        return TBurnStatus{TBurnCode::UnsuitableMedium,
                           "the " + disc + " can be neither read nor written"};
    case TMediumState::Appendable:
    case TMediumState::Closed:
        return TBurnStatus{TBurnCode::NotBlank, "the " + disc + " is not blank (" +
                                                    std::string(StateName(m.State)) + ")"};
    case TMediumState::Overwritable:
        if (!r.Overwrite) {
            return TBurnStatus{TBurnCode::NotBlank, "the " + disc +
                                                        " is overwritable and may hold data; "
                                                        "writing over it was not asked for"};
        }
        break;
    case TMediumState::Blank:
        break;
    }
    const std::int64_t need = (imageBytes + kSectorBytes - 1) / kSectorBytes;
    if (m.FreeSectors < need) {
        return TBurnStatus{TBurnCode::TooSmall, "the image needs " + SectorsText(need) + "; the " +
                                                    disc + " has " + SectorsText(m.FreeSectors) +
                                                    " free"};
    }
    return std::nullopt;
}

// A disc of one closed session holding one data track fed by `source`.
struct TDiscLayout {
    burn_disc* Disc = burn_disc_create();
    burn_session* Session = burn_session_create();
    burn_track* Track = burn_track_create();
    explicit TDiscLayout(burn_source* source) {
        burn_disc_add_session(Disc, Session, BURN_POS_END);
        burn_track_define_data(Track, 0, 0, 1, BURN_MODE1);
        burn_track_set_source(Track, source);
        burn_session_add_track(Session, Track, BURN_POS_END);
    }
    ~TDiscLayout() {
        burn_track_free(Track);
        burn_session_free(Session);
        burn_disc_free(Disc);
    }
    TDiscLayout(const TDiscLayout&) = delete;
    TDiscLayout& operator=(const TDiscLayout&) = delete;
};

struct TSourceRef {
    burn_source* Source;
    ~TSourceRef() {
        if (Source != nullptr) {
            burn_source_free(Source);
        }
    }
};

struct TOptionsRef {
    burn_write_opts* Options;
    ~TOptionsRef() { burn_write_opts_free(Options); }
};

int BufferPercent(const burn_progress& p, burn_source* fifo) {
    if (p.buffer_capacity > 0) {
        return int(100.0 * double(p.buffer_capacity - p.buffer_available) /
                   double(p.buffer_capacity));
    }
    int size = 0;
    int freeBytes = 0;
    char* text = nullptr;
    burn_fifo_inquire_status(fifo, &size, &freeBytes, &text);
    return size > 0 ? int(100.0 * double(size - freeBytes) / double(size)) : -1;
}

// Waits a tenth of a second, or less when a stop is asked for.
void Pause(std::stop_token stop) {
    std::mutex m;
    std::condition_variable_any cv;
    std::unique_lock lock(m);
    cv.wait_for(lock, stop, std::chrono::milliseconds(100), [] { return false; });
}

// Starts the write. libburn marks a drive idle a moment before its writer thread leaves, and
// refuses a new write until it has: that refusal is retried for up to ten seconds. False when
// it still refuses (or a stop came first).
bool StartWrite(burn_drive* d, burn_write_opts* options, burn_disc* disc,
                const std::stop_token& stop) {
    for (int attempt = 0; attempt < 200 && !stop.stop_requested(); ++attempt) {
        burn_disc_write(options, disc);
        if (burn_drive_get_status(d, nullptr) != BURN_DRIVE_IDLE) {
            return true;
        }
        const std::string said = detail::TakeLibburnMessages();
        if (said.find("still going on") == std::string::npos) {
            return true; // ended at once for another reason, which the caller reports
        }
        std::mutex m;
        std::condition_variable_any cv;
        std::unique_lock lock(m);
        cv.wait_for(lock, stop, std::chrono::milliseconds(50), [] { return false; });
    }
    return false;
}

// Runs the write and reports it; the status of the write alone.
TBurnStatus Write(TGrabbedDrive& drive, const TBurnRequest& request, TImageSource& image,
                  const TBurnObserver& observer, std::stop_token stop) {
    burn_drive* d = drive.Drive();
    TSourceRef file{image.NewBurnSource()};
    // 4 MiB of our own buffer between the file and the drive, so that a slow file read does
    // not starve a drive that cannot pause.
    TSourceRef fifo{file.Source ? burn_fifo_source_new(file.Source, int(kSectorBytes), 2048, 0)
                                : nullptr};
    TOptionsRef options{burn_write_opts_new(d)};
    if (fifo.Source == nullptr || options.Options == nullptr) {
        return {TBurnCode::WriteFailed, "libburn could not prepare the write"};
    }
    TDiscLayout layout(fifo.Source);
    burn_write_opts_set_multi(options.Options, 0);
    burn_write_opts_set_underrun_proof(options.Options, 1);
    char reasons[BURN_REASONS_LEN] = {};
    if (burn_write_opts_auto_write_type(options.Options, layout.Disc, reasons, 0) ==
        BURN_WRITE_NONE) {
        return {TBurnCode::UnsuitableMedium,
                "libburn cannot write this medium: " + Trimmed(reasons)};
    }
    detail::TakeLibburnMessages();
    detail::TRate rate(TBurnPhase::Writing, image.Bytes());
    if (!StartWrite(d, options.Options, layout.Disc, stop)) {
        return stop.stop_requested()
                   ? TBurnStatus{TBurnCode::Cancelled, "cancelled before writing"}
                   : TBurnStatus{TBurnCode::WriteFailed, "libburn did not start the write: its "
                                                         "previous one has not ended"};
    }
    observer(rate.Progress(0));
    bool cancelled = false;
    burn_progress p{};
    enum burn_drive_status state;
    while ((state = burn_drive_get_status(d, &p)) != BURN_DRIVE_IDLE) {
        // A cancel while libburn still starts its writer can be lost: wait until it writes.
        if (stop.stop_requested() && !cancelled && state != BURN_DRIVE_SPAWNING) {
            burn_drive_cancel(d);
            cancelled = true;
        }
        if (rate.Due()) {
            const std::int64_t done =
                std::min<std::int64_t>(std::int64_t(p.sector) * kSectorBytes, image.Bytes());
            observer(rate.Progress(done, BufferPercent(p, fifo.Source)));
        }
        Pause(stop);
    }
    const bool wroteWell = burn_drive_wrote_well(d) != 0;
    const std::string said = detail::TakeLibburnMessages();
    if (cancelled) {
        return {TBurnCode::Cancelled, "cancelled; the disc was not finished"};
    }
    if (const int error = image.ReadError(); error != 0) {
        return {TBurnCode::ImageUnreadable,
                request.ImagePath + ": " + std::strerror(error) + " while burning"};
    }
    if (!wroteWell) {
        if (drive.Role() == 1 && burn_drive_re_assess(d, 0) > 0 &&
            burn_disc_get_status(d) == BURN_DISC_EMPTY) {
            return {TBurnCode::MediumRemoved,
                    "the disc was removed from " + request.DriveAddress + " while burning"};
        }
        return {TBurnCode::WriteFailed,
                "the drive reported a write error" + (said.empty() ? "" : ": " + said)};
    }
    if (!image.Digest()) {
        // libburn can end a write it never began (a drive still being probed, for one)
        // without calling it failed: only a source read to its end proves the whole image went.
        return {TBurnCode::WriteFailed, "the write ended before the whole image was sent" +
                                            (said.empty() ? "" : ": " + said)};
    }
    observer(rate.Progress(image.Bytes(), -1));
    return {};
}

int ChooseSpeed(burn_drive* d, const TBurnRequest& request, const TMediumInfo& m) {
    const int wanted = request.SpeedFactor > 0 && m.OneXKBs > 0
                           ? int(std::lround(request.SpeedFactor * m.OneXKBs))
                           : 0; // 0: the drive's best
    burn_drive_set_speed(d, 0, wanted);
    return wanted > 0 ? wanted : m.BestSpeedKBs;
}

} // namespace

TBurnResult BurnImage(const TBurnRequest& request, const TBurnObserver& observer,
                      std::stop_token stop) {
    TBurnResult result;
    int error = 0;
    const auto image = TImageSource::Open(request.ImagePath, error);
    if (!image) {
        result.Status = {TBurnCode::ImageUnreadable,
                         request.ImagePath + ": " + std::strerror(error)};
        return result;
    }
    result.ImageBytes = image->Bytes();
    if (request.ExpectedMd5) {
        const auto md5 = detail::FileMd5(request.ImagePath, observer, stop, result.Status);
        if (!md5) {
            return result;
        }
        if (*md5 != *request.ExpectedMd5) {
            result.Status = {TBurnCode::ImageUnreadable,
                             request.ImagePath + ": changed since it was written (its MD5 is " +
                                 Md5Hex(*md5) + ", " + Md5Hex(*request.ExpectedMd5) +
                                 " was recorded)"};
            return result;
        }
    }
    auto grabbed = TGrabbedDrive::Grab(request.DriveAddress);
    if (auto* status = std::get_if<TBurnStatus>(&grabbed)) {
        result.Status = *status;
        return result;
    }
    TGrabbedDrive& drive = *std::get<std::unique_ptr<TGrabbedDrive>>(grabbed);
    result.DriveName = Trimmed(drive.Info().vendor) + " " + Trimmed(drive.Info().product);
    result.Medium = detail::ProbeMedium(drive);
    if (auto refusal = MediumRefusal(request, result.Medium, image->Bytes())) {
        result.Status = *refusal;
        return result;
    }
    if (stop.stop_requested()) {
        result.Status = {TBurnCode::Cancelled, "cancelled before writing"};
        return result;
    }
    result.SpeedKBs = ChooseSpeed(drive.Drive(), request, result.Medium);
    result.Status = Write(drive, request, *image, observer, stop);
    if (result.Status.Code != TBurnCode::Cancelled) {
        if (request.Eject) {
            drive.EjectOnRelease();
        }
    }
    if (!result.Status.Ok()) {
        return result;
    }
    result.Written = true;
    result.WrittenMd5 = image->Digest();
    const TMd5Digest expected = request.ExpectedMd5.value_or(*result.WrittenMd5);
    if (*result.WrittenMd5 != expected) {
        result.Status = {TBurnCode::ImageUnreadable,
                         request.ImagePath + ": changed while it was burned"};
        return result;
    }
    if (request.ReadBack) {
        result.Status = detail::ReadBack(drive, image->Bytes(), expected, observer, stop);
        result.ReadBackOk = result.Status.Ok();
    }
    return result;
}

} // namespace platterwise::burn
