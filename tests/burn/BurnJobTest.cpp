// SPDX-License-Identifier: GPL-3.0-or-later
// The burn on libburn's pseudo-drives: a file is a random-access drive, /dev/null a write-only
// one, /dev/full one whose every write fails. The same code drives a real burner.
#include "burn/BurnJob.h"

#include "BurnTestSupport.h"
#include "burn/DriveScan.h"
#include "tests/support/ScratchMount.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace platterwise::burn {
namespace {

using testing::RandomImage;
using testing::SameBytes;
using testing::ScratchDir;

TBurnRequest Request(const std::string& drive, const std::string& image) {
    TBurnRequest r;
    r.DriveAddress = drive;
    r.ImagePath = image;
    return r;
}

struct TRun {
    TBurnResult Result;
    std::vector<TBurnProgress> Seen;
};

TRun Burn(const TBurnRequest& request, std::function<void(const TBurnProgress&)> also = {}) {
    TRun run;
    std::stop_source never;
    run.Result = BurnImage(
        request,
        [&](const TBurnProgress& p) {
            run.Seen.push_back(p);
            if (also) {
                also(p);
            }
        },
        never.get_token());
    return run;
}

TEST(BurnJobTest, WritesThePseudoDrivesFileByteForByteAndReadsItBack) {
    ScratchDir dir;
    const std::string image = RandomImage(dir.Path("disc1.iso"), 1500);
    TBurnRequest request = Request("stdio:" + dir.Path("drive"), image);
    const TRun run = Burn(request);

    ASSERT_EQ(run.Result.Status.Code, TBurnCode::Done) << run.Result.Status.Text;
    EXPECT_TRUE(run.Result.Written);
    EXPECT_TRUE(run.Result.ReadBackOk);
    EXPECT_EQ(run.Result.Medium.State, TMediumState::Blank);
    EXPECT_EQ(run.Result.ImageBytes, 1500 * 2048);
    EXPECT_TRUE(SameBytes(image, dir.Path("drive")));
    // Writing is reported before reading back, each from 0 up to the whole image.
    ASSERT_FALSE(run.Seen.empty());
    EXPECT_EQ(run.Seen.front().Phase, TBurnPhase::Writing);
    EXPECT_EQ(run.Seen.front().DoneBytes, 0);
    EXPECT_EQ(run.Seen.back().Phase, TBurnPhase::Verifying);
    EXPECT_EQ(run.Seen.back().Percent(), 100);

    // The file now holds a disc: writing over it needs to be asked for, then works.
    const std::string second = RandomImage(dir.Path("disc2.iso"), 1500, 2);
    TBurnRequest again = Request(request.DriveAddress, second);
    const TRun refused = Burn(again);
    EXPECT_EQ(refused.Result.Status.Code, TBurnCode::NotBlank) << refused.Result.Status.Text;
    EXPECT_FALSE(refused.Result.Written);
    EXPECT_TRUE(SameBytes(image, dir.Path("drive")));
    again.Overwrite = true;
    EXPECT_EQ(Burn(again).Result.Status.Code, TBurnCode::Done);
    EXPECT_TRUE(SameBytes(second, dir.Path("drive")));
}

TEST(BurnJobTest, RefusesBeforeWritingWhatCannotBeBurnedWhole) {
    ScratchDir dir;
    const std::string image = RandomImage(dir.Path("disc1.iso"), 600);
    const std::string drive = dir.Path("drive");

    TBurnRequest missing = Request("stdio:" + drive, dir.Path("nothing.iso"));
    EXPECT_EQ(Burn(missing).Result.Status.Code, TBurnCode::ImageUnreadable);

    // An image that no longer matches the MD5 recorded for it is not burned.
    TBurnRequest changed = Request("stdio:" + drive, image);
    changed.ExpectedMd5 = TMd5Digest{};
    const TRun run = Burn(changed);
    EXPECT_EQ(run.Result.Status.Code, TBurnCode::ImageUnreadable);
    EXPECT_NE(run.Result.Status.Text.find("changed since it was written"), std::string::npos);

    TBurnRequest noDrive = Request("stdio:" + dir.Path("no/such/folder/drive"), image);
    EXPECT_EQ(Burn(noDrive).Result.Status.Code, TBurnCode::NoDrive);
    EXPECT_FALSE(std::filesystem::exists(drive));

    // A pseudo-drive on a 1 MiB file system is too small for a 1.2 MB image.
    testing::ScratchMount small("size=1m");
    if (!small.Mounted()) {
        GTEST_SKIP() << "mounting a small file system needs CAP_SYS_ADMIN";
    }
    const std::string smallDrive = small.FilePath(QStringLiteral("drive")).toStdString();
    const TRun tooSmall = Burn(Request("stdio:" + smallDrive, image));
    EXPECT_EQ(tooSmall.Result.Status.Code, TBurnCode::TooSmall) << tooSmall.Result.Status.Text;
    EXPECT_NE(tooSmall.Result.Status.Text.find("the image needs 600 sectors"), std::string::npos);
    EXPECT_TRUE(tooSmall.Seen.empty()) << "nothing is written";
    EXPECT_FALSE(std::filesystem::exists(smallDrive) && std::filesystem::file_size(smallDrive));
}

TEST(BurnJobTest, DamageFoundOnReadingBackIsReportedNotPassed) {
    ScratchDir dir;
    const std::string image = RandomImage(dir.Path("disc1.iso"), 800);
    const std::string drive = dir.Path("drive");
    bool flipped = false;
    // Between writing and reading back, one byte of the "disc" goes bad.
    const TRun run = Burn(Request("stdio:" + drive, image), [&](const TBurnProgress& p) {
        if (p.Phase == TBurnPhase::Verifying && !flipped) {
            testing::FlipByte(drive, 700 * 2048 + 5);
            flipped = true;
        }
    });
    EXPECT_TRUE(run.Result.Written);
    EXPECT_FALSE(run.Result.ReadBackOk);
    EXPECT_EQ(run.Result.Status.Code, TBurnCode::Damaged) << run.Result.Status.Text;
}

TEST(BurnJobTest, CancelMidBurnStopsTheDriveAndFailsTheBurn) {
    ScratchDir dir;
    const std::string image = RandomImage(dir.Path("disc1.iso"), 4000);
    testing::BlockedPipeDrive drive(dir.Path("pipe"));
    std::stop_source stop;
    // The writer is stuck on the unread pipe: the stop surely comes mid-burn.
    const TBurnResult result = BurnImage(
        Request(drive.Address(), image),
        [&](const TBurnProgress& p) {
            if (p.Phase == TBurnPhase::Writing && !stop.stop_requested()) {
                stop.request_stop();
                drive.Drain();
            }
        },
        stop.get_token());
    EXPECT_EQ(result.Status.Code, TBurnCode::Cancelled) << result.Status.Text;
    EXPECT_FALSE(result.Written);
    EXPECT_FALSE(result.ReadBackOk);

    // The drive was left cleanly: the next burn works.
    EXPECT_EQ(Burn(Request("stdio:" + dir.Path("drive"), image)).Result.Status.Code,
              TBurnCode::Done);
}

TEST(BurnJobTest, WriteOnlyAndFailingDrivesNeverPassAsReadBack) {
    ScratchDir dir;
    const std::string image = RandomImage(dir.Path("disc1.iso"), 300);
    const TRun null = Burn(Request("stdio:/dev/null", image));
    EXPECT_TRUE(null.Result.Written);
    EXPECT_FALSE(null.Result.ReadBackOk);
    EXPECT_EQ(null.Result.Status.Code, TBurnCode::CannotReadBack);

    const TRun full = Burn(Request("stdio:/dev/full", image));
    EXPECT_EQ(full.Result.Status.Code, TBurnCode::WriteFailed) << full.Result.Status.Text;
    EXPECT_FALSE(full.Result.Written);
}

TEST(BurnJobTest, ScanWithoutDrivesComesBackEmptyAndLeavesBurningWorking) {
    const TDriveScan scan = ScanDrives();
    if (!std::filesystem::exists("/dev/sr0")) {
        EXPECT_TRUE(scan.Drives.empty());
        EXPECT_TRUE(scan.Unopenable.empty());
    }
    // A scan left running in libburn's thread made every later write end silently unwritten.
    ScratchDir dir;
    const std::string image = RandomImage(dir.Path("disc1.iso"), 100);
    EXPECT_EQ(Burn(Request("stdio:" + dir.Path("drive"), image)).Result.Status.Code,
              TBurnCode::Done);
    EXPECT_TRUE(SameBytes(image, dir.Path("drive")));
}

} // namespace
} // namespace platterwise::burn
