// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue on real SQLite files in a temporary folder.
#include "catalogue/Catalogue.h"

#include "catalogue/BurnedItems.h"
#include "tests/support/EngineFakes.h"

#include <fstream>
#include <gmock/gmock.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platterwise {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Mode = TCatalogue::TMode;

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TCatalogueDisc Disc(const std::string& label, const std::string& source) {
    TCatalogueDisc disc;
    disc.Label = label;
    disc.Medium = "dvd+r";
    disc.CapacitySectors = 2295104;
    disc.Sectors = 1000;
    disc.ImagePath = "/images/disc1.iso";
    disc.ImageMd5 = std::string(32, 'a');
    disc.Items = {{source, "/Album", true}};
    disc.Files = {{"/Album/01.flac", source + "/01.flac", 10, 5, std::string(32, 'b')},
                  {"/Album/\xff.flac", source + "/\xff.flac", 0, 6, std::string(32, 'c')}};
    return disc;
}

TEST(Catalogue, RecordsDiscsAndFindsThemAgainByteForByteAfterReopening) {
    testing::TempDir dir;
    const std::string path = dir / "sub/catalogue.sqlite"; // its folder is made
    {
        const auto catalogue = TCatalogue::Open(path, Mode::Write);
        const auto labels = catalogue->ReserveLabels("PW", "20261208", 2);
        EXPECT_THAT(labels, ElementsAre("PW_20261208_001", "PW_20261208_002"));
        catalogue->RecordDisc(Disc(labels[0], "/music/Ab\xfe"));
        catalogue->Forget(labels[1]); // a write that failed gives its label back
        catalogue->MarkBurned(labels[0], "/dev/sr0", "DVD+R", "2026-12-08T10:00:00Z");
    }
    const auto catalogue = TCatalogue::Open(path, Mode::Read);
    const auto discs = catalogue->Discs();
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(discs[0].State, TDiscState::Burned);
    EXPECT_EQ(discs[0].FileCount, 2);
    const auto disc = catalogue->Disc("PW_20261208_001");
    ASSERT_TRUE(disc);
    EXPECT_EQ(disc->BurnedDrive, "/dev/sr0");
    ASSERT_EQ(disc->Files.size(), 2u);
    EXPECT_EQ(disc->Files[1].SourcePath, "/music/Ab\xfe/\xff.flac");
    EXPECT_EQ(disc->Items[0].SourcePath, "/music/Ab\xfe");
    // Case-insensitive, with the labels; the folder item is found as a folder.
    const auto found = catalogue->Find("ab\xfe");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_TRUE(found[0].Folder);
    EXPECT_THAT(found[0].Labels, ElementsAre("PW_20261208_001"));
    std::vector<std::string> labels;
    EXPECT_EQ(catalogue->BurnedFilesUnder("/music/Ab\xfe", labels).size(), 2u);
    EXPECT_TRUE(catalogue->BurnedFilesUnder("/music/Ab", labels).empty()); // a sibling prefix
    // Numbers are never given out twice, even after a disc was forgotten.
    const auto writer = TCatalogue::Open(path, Mode::Write);
    EXPECT_THAT(writer->ReserveLabels("PW", "20261209", 1), ElementsAre("PW_20261209_003"));
    EXPECT_THROW(writer->MarkBurned("PW_19990101_001", "", "", ""), TCatalogueError);
}

TEST(Catalogue, RefusesWhatIsNotItsOwnWithOneLineAndLeavesItAsItWas) {
    testing::TempDir dir;
    const auto refused = [](const std::string& path, Mode mode, TCatalogueFault fault) {
        try {
            TCatalogue::Open(path, mode);
            ADD_FAILURE() << path << " opened";
        } catch (const TCatalogueError& e) {
            EXPECT_EQ(e.Fault(), fault) << e.what();
            EXPECT_THAT(e.what(), HasSubstr(path));
            EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos);
        }
    };
    const std::string junk = dir / "junk.sqlite";
    std::ofstream(junk) << std::string(8192, 'x');
    refused(junk, Mode::Write, TCatalogueFault::NotACatalogue);
    EXPECT_EQ(Bytes(junk), std::string(8192, 'x'));

    const std::string newer = dir / "newer.sqlite";
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(newer.c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "CREATE TABLE future (x); PRAGMA user_version = 99", nullptr, nullptr,
                     nullptr);
        sqlite3_close(db);
    }
    const std::string before = Bytes(newer);
    refused(newer, Mode::Write, TCatalogueFault::NewerSchema);
    EXPECT_EQ(Bytes(newer), before);

    const std::string fifo = dir / "fifo.sqlite";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    refused(fifo, Mode::Read, TCatalogueFault::CannotOpen); // and it did not block

    // Reading a catalogue that does not exist creates nothing.
    EXPECT_TRUE(TCatalogue::Open(dir / "none.sqlite", Mode::Read)->Discs().empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "none.sqlite"));
}

// Two programs write at once: both succeed, no label is given twice, nothing is lost.
TEST(Catalogue, TwoProcessesWritingAtOnceBothRecordEveryDisc) {
    testing::TempDir dir;
    const std::string path = dir / "catalogue.sqlite";
    TCatalogue::Open(path, Mode::Write); // created before the race, as in use
    constexpr int kDiscs = 25;
    const auto record = [&](const std::string& prefix) {
        const auto catalogue = TCatalogue::Open(path, Mode::Write);
        for (int i = 0; i < kDiscs; ++i) {
            const std::string label = catalogue->ReserveLabels(prefix, "20261208", 1).front();
            catalogue->RecordDisc(Disc(label, "/music/" + label));
        }
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            record("B");
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    record("A");
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const auto discs = TCatalogue::Open(path, Mode::Read)->Discs();
    ASSERT_EQ(discs.size(), 2u * kDiscs);
    std::set<std::int64_t> numbers;
    for (const TCatalogueDisc& disc : discs) {
        numbers.insert(disc.Number);
        EXPECT_EQ(disc.FileCount, 2) << disc.Label;
    }
    EXPECT_EQ(numbers.size(), 2u * kDiscs);
}

TEST(BurnedItems, AnItemIsOnADiscOnlyWhileEveryFileIsUnchanged) {
    testing::TempDir dir;
    dir.File("music/Album/01.flac", 10);
    dir.File("music/Album/CD2/02.flac", 20);
    const std::string album = dir / "music/Album";
    const auto catalogue = TCatalogue::Open(dir / "c.sqlite", Mode::Write);
    TCatalogueDisc disc = Disc("PW_20261208_001", album);
    disc.Files.clear();
    for (const char* rel : {"/01.flac", "/CD2/02.flac"}) {
        struct stat st {};
        ASSERT_EQ(::stat((album + rel).c_str(), &st), 0);
        disc.Files.push_back({std::string("/Album") + rel, album + rel, st.st_size,
                              st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec, ""});
    }
    catalogue->RecordDisc(disc);
    EXPECT_FALSE(CheckBurned(*catalogue, album).Already()); // written, not burned
    catalogue->MarkBurned(disc.Label, "", "", "");
    EXPECT_THAT(CheckBurned(*catalogue, album).Labels, ElementsAre("PW_20261208_001"));
    dir.File("music/Album/03.flac", 1); // a new file
    const TBurnedCheck changed = CheckBurned(*catalogue, album);
    EXPECT_FALSE(changed.Already());
    EXPECT_EQ(changed.ChangedSince, "PW_20261208_001");
    std::filesystem::remove(dir / "music/Album/03.flac");
    dir.File("music/Album/CD2/02.flac", 21); // a changed size
    EXPECT_EQ(CheckBurned(*catalogue, album).ChangedSince, "PW_20261208_001");
}

} // namespace
} // namespace platterwise
