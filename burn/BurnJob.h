// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Burns one image file to one disc and reads it back: the checks before writing, the write
// with progress, the read-back compared with the bytes written, and the tray opened.
#include "BurnStatus.h"
#include "Md5.h"
#include "Medium.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>

namespace platterwise::burn {

struct TBurnRequest {
    std::string DriveAddress; // /dev/sr0, stdio:/path/file, ...
    std::string ImagePath;
    // Write over an overwritable medium (DVD+RW, BD-RE, ... or a pseudo-drive's file) that
    // may hold data; without it only a blank medium is written.
    bool Overwrite = false;
    // Write speed as a multiple of the medium's 1x (8 = 8x); 0: the drive's best.
    double SpeedFactor = 0;
    bool ReadBack = true;
    // The image's MD5 as recorded (the catalogue's): the file is checked against it before a
    // byte is written, and the disc after. Without it the disc is checked against the MD5
    // of the bytes sent to the drive.
    std::optional<TMd5Digest> ExpectedMd5;
    bool Eject = true; // open the tray once something was written
};

enum class TBurnPhase {
    Checking, // the image against its recorded MD5, before writing
    Writing,
    Verifying, // reading the disc back
};

struct TBurnProgress {
    TBurnPhase Phase = TBurnPhase::Writing;
    std::int64_t DoneBytes = 0;
    std::int64_t TotalBytes = 0;
    double BytesPerSecond = 0;     // average since the phase began; 0 until known
    int BufferPercent = -1;        // fill of the drive's buffer, or of ours for pseudo-drives
    std::int64_t SecondsLeft = -1; // -1 until a rate is known
    int Percent() const { return TotalBytes > 0 ? int(DoneBytes * 100 / TotalBytes) : 0; }
};

struct TBurnResult {
    TBurnStatus Status;
    std::string DriveName; // vendor and model
    TMediumInfo Medium;    // as found before writing
    int SpeedKBs = 0;      // the speed asked of the drive, in kB/s; 0 for pseudo-drives
    std::int64_t ImageBytes = 0;
    std::optional<TMd5Digest> WrittenMd5; // of the bytes sent, once all were sent
    bool Written = false;                 // the drive accepted every byte
    bool ReadBackOk = false;              // read back whole and equal
};

// Called on the burning thread: once as each phase begins (writing: once the drive has
// started; reading back: before the first sector is read, so an observer may act between
// writing and reading back), then about ten times a second.
using TBurnObserver = std::function<void(const TBurnProgress&)>;

// Burns request.ImagePath to the drive. A stop request cancels the drive cleanly (within
// about a tenth of a second while writing) and returns Cancelled. The result is Done only
// when every byte was written and, with ReadBack, read back equal to the image.
// Blocks; one burn per drive at a time.
TBurnResult BurnImage(const TBurnRequest& request, const TBurnObserver& observer,
                      std::stop_token stop);

} // namespace platterwise::burn
