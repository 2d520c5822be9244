// SPDX-License-Identifier: GPL-3.0-or-later
// platterwise-cli drives and burn on pseudo-drives, with a real catalogue file: a disc is
// recorded burned only once it was read back equal to its image.
#include "BurnTestSupport.h"
#include "catalogue/Catalogue.h"
#include "cli/CliArguments.h"
#include "cli/Commands.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace platterwise::cli {
namespace {

using testing::RandomImage;
using testing::SameBytes;
using testing::ScratchDir;

// A stream that hands each complete line to `onLine` as it is written: tests act at the
// moment the burn reports a phase, not after a guessed time.
class TLineHook : public std::streambuf {
public:
    explicit TLineHook(std::function<void(const std::string&)> onLine)
        : onLine_(std::move(onLine)) {}
    const std::string& str() const { return text_; }

protected:
    // No put area: every character comes here, so a line is seen the moment it ends.
    int_type overflow(int_type c) override {
        if (c != traits_type::eof()) {
            text_ += traits_type::to_char_type(c);
            if (c == '\n') {
                onLine_(text_.substr(lineStart_, text_.size() - 1 - lineStart_));
                lineStart_ = text_.size();
            }
        }
        return c;
    }

private:
    std::function<void(const std::string&)> onLine_;
    std::string text_;
    std::size_t lineStart_ = 0;
};

// An input whose every line is produced by `onRead` when the command asks for it.
class TPromptAnswer : public std::streambuf {
public:
    explicit TPromptAnswer(std::function<void()> onRead)
        : onRead_(std::move(onRead)) {}

protected:
    int_type underflow() override {
        onRead_();
        line_ = "\n";
        setg(line_.data(), line_.data(), line_.data() + 1);
        return traits_type::to_int_type('\n');
    }

private:
    std::function<void()> onRead_;
    std::string line_;
};

std::string Md5sum(const std::string& path) {
    const std::string command = "md5sum '" + path + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    char hex[33] = {};
    const bool read = pipe != nullptr && std::fread(hex, 1, 32, pipe) == 32;
    if (pipe != nullptr) {
        ::pclose(pipe);
    }
    return read ? std::string(hex) : std::string();
}

class BurnCommand : public ::testing::Test {
protected:
    // Records two written discs whose images lie in the scratch folder; returns their labels.
    std::vector<std::string> CatalogueTwoDiscs() {
        auto catalogue = TCatalogue::Open(catalogue_, TCatalogue::TMode::Write);
        const auto labels = catalogue->ReserveLabels("PW", "20261208", 2);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            TCatalogueDisc disc;
            disc.Label = labels[i];
            disc.Medium = "dvd+r";
            disc.Sectors = 700;
            disc.ImagePath = RandomImage(dir_.Path(labels[i] + ".iso"), 700, unsigned(i + 7));
            disc.ImageMd5 = Md5sum(disc.ImagePath);
            catalogue->RecordDisc(disc);
        }
        return labels;
    }
    TCatalogueDisc Disc(const std::string& label) {
        return *TCatalogue::Open(catalogue_, TCatalogue::TMode::Read)->Disc(label);
    }
    int Burn(std::vector<std::string> discs, std::istream& in, std::ostream& err,
             std::stop_token stop = {}, std::string drive = {}) {
        std::vector<std::string> argv{"burn", "--drive", drive.empty() ? "stdio:" + drive_ : drive,
                                      "--catalogue", catalogue_};
        argv.insert(argv.end(), discs.begin(), discs.end());
        const TParseResult parsed = ParseArguments(argv);
        EXPECT_TRUE(parsed.Arguments) << parsed.Error;
        return RunBurn(*parsed.Arguments, in, out_, err, stop, false);
    }

    ScratchDir dir_;
    std::string catalogue_ = dir_.Path("catalogue.sqlite");
    std::string drive_ = dir_.Path("drive");
    std::ostringstream out_;
};

TEST_F(BurnCommand, BurnsCataloguedDiscsOneAfterAnotherReadsThemBackAndRecordsThem) {
    const auto labels = CatalogueTwoDiscs();
    // At the prompt for the next disc, the first "disc" is taken out and a blank one put in.
    int prompts = 0;
    TPromptAnswer answer([&] {
        ++prompts;
        std::filesystem::rename(drive_, dir_.Path("first disc"));
    });
    std::istream in(&answer);
    std::ostringstream err;
    ASSERT_EQ(Burn(labels, in, err), kExitFound) << err.str();

    EXPECT_EQ(prompts, 1);
    EXPECT_NE(err.str().find("Put a blank disc for disc 2 (" + labels[1] + ")"), std::string::npos);
    EXPECT_TRUE(SameBytes(dir_.Path(labels[0] + ".iso"), dir_.Path("first disc")));
    EXPECT_TRUE(SameBytes(dir_.Path(labels[1] + ".iso"), drive_));
    for (const std::string& label : labels) {
        const TCatalogueDisc disc = Disc(label);
        EXPECT_EQ(disc.State, TDiscState::Burned) << label;
        EXPECT_EQ(disc.BurnedDrive.rfind("stdio:" + drive_, 0), 0u) << disc.BurnedDrive;
        EXPECT_EQ(disc.BurnedMedium, "stdio file");
        EXPECT_FALSE(disc.BurnedAt.empty());
    }
}

TEST_F(BurnCommand, CancelledOrDamagedDiscsStayUnburnedInTheCatalogue) {
    const auto labels = CatalogueTwoDiscs();
    std::istringstream none;
    {
        // Cancelled while the write is under way (stuck on a pipe nobody reads yet).
        testing::BlockedPipeDrive pipe(dir_.Path("pipe"));
        std::stop_source stop;
        TLineHook hook([&](const std::string& line) {
            if (line.find("writing") != std::string::npos && !stop.stop_requested()) {
                stop.request_stop();
                pipe.Drain();
            }
        });
        std::ostream err(&hook);
        EXPECT_EQ(Burn({labels[0]}, none, err, stop.get_token(), pipe.Address()), kExitInterrupted)
            << hook.str();
        EXPECT_NE(hook.str().find("cancelled"), std::string::npos) << hook.str();
        EXPECT_EQ(Disc(labels[0]).State, TDiscState::Written);
    }
    {
        // One byte of the disc goes bad between writing and reading back.
        std::filesystem::remove(drive_);
        TLineHook hook([&](const std::string& line) {
            if (line.find("reading back 0%") != std::string::npos) {
                testing::FlipByte(drive_, 12345);
            }
        });
        std::ostream err(&hook);
        EXPECT_EQ(Burn({labels[1]}, none, err), kExitNotFound);
        EXPECT_NE(hook.str().find("damaged"), std::string::npos) << hook.str();
        EXPECT_NE(hook.str().find("not recorded as burned"), std::string::npos);
        EXPECT_EQ(Disc(labels[1]).State, TDiscState::Written);
    }
    {
        // An image changed since the catalogue recorded it is refused before writing.
        std::filesystem::remove(drive_);
        testing::FlipByte(dir_.Path(labels[1] + ".iso"), 0);
        std::ostringstream err;
        EXPECT_EQ(Burn({labels[1]}, none, err), kExitNotFound);
        EXPECT_NE(err.str().find("changed since it was written"), std::string::npos) << err.str();
        EXPECT_FALSE(std::filesystem::exists(drive_));
    }
}

TEST_F(BurnCommand, BadArgumentsAndMissingDrivesAreOneLineEach) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"burn", "x.iso"}, out, err), kExitBadArguments);
    EXPECT_NE(err.str().find("--drive: the drive to burn with is needed"), std::string::npos);
    err.str({});
    EXPECT_EQ(
        RunCli({"burn", "--drive", "stdio:" + drive_, "--catalogue", catalogue_, "PW_20990101_001"},
               out, err),
        kExitBadArguments);
    EXPECT_NE(err.str().find("PW_20990101_001: neither a disc image file nor a disc label"),
              std::string::npos)
        << err.str();
    EXPECT_FALSE(std::filesystem::exists(catalogue_)) << "looking up creates no catalogue";

    err.str({});
    EXPECT_EQ(RunCli({"drives", "--drive", "stdio:" + drive_}, out, err), kExitFound);
    EXPECT_EQ(out.str(), "stdio:" + drive_ + "  YOYODYNE WARP DRIVE  stdio file, blank, " +
                             out.str().substr(out.str().find("blank, ") + 7));
    if (std::filesystem::exists("/dev/sr0")) {
        GTEST_SKIP() << "this machine has an optical drive";
    }
    out.str({});
    err.str({});
    EXPECT_EQ(RunCli({"drives"}, out, err), kExitNotFound);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "no optical drive found\n");
    out.str({});
    err.str({});
    EXPECT_EQ(RunCli({"drives", "--json"}, out, err), kExitNotFound);
    EXPECT_EQ(out.str(), "{\"drives\":[],\"unopenable\":[]}\n");
}

// Ctrl+C while the command waits for the next disc: it stops there, the first disc recorded.
TEST_F(BurnCommand, InterruptAtThePromptStopsWithTheFirstDiscRecorded) {
    const auto labels = CatalogueTwoDiscs();
    int input[2], errors[2];
    ASSERT_EQ(::pipe(input), 0);
    ASSERT_EQ(::pipe(errors), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(input[0], STDIN_FILENO);
        ::dup2(errors[1], STDERR_FILENO);
        ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO);
        ::close(input[1]);
        ::close(errors[0]);
        const std::string drive = "stdio:" + drive_;
        ::execl(PLATTERWISE_CLI, PLATTERWISE_CLI, "burn", "--drive", drive.c_str(), "--catalogue",
                catalogue_.c_str(), labels[0].c_str(), labels[1].c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(input[0]);
    ::close(errors[1]);
    std::string said;
    char buffer[512];
    ssize_t n;
    while (said.find("press Enter") == std::string::npos &&
           (n = ::read(errors[0], buffer, sizeof buffer)) > 0) {
        said.append(buffer, std::size_t(n));
    }
    ASSERT_NE(said.find("press Enter"), std::string::npos) << said;
    ::kill(child, SIGINT);
    while ((n = ::read(errors[0], buffer, sizeof buffer)) > 0) {
        said.append(buffer, std::size_t(n));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(input[1]);
    ::close(errors[0]);
    ASSERT_TRUE(WIFEXITED(status)) << said;
    EXPECT_EQ(WEXITSTATUS(status), kExitInterrupted) << said;
    EXPECT_NE(said.find("stopped before disc 2 of 2"), std::string::npos) << said;
    EXPECT_EQ(Disc(labels[0]).State, TDiscState::Burned);
    EXPECT_EQ(Disc(labels[1]).State, TDiscState::Written);
}

} // namespace
} // namespace platterwise::cli
