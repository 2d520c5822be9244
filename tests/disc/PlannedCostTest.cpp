// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/PlannedCost.h"

#include "MixedSelection.h"
#include "disc/ImageSizer.h"
#include "disc/RootNames.h"
#include "engine/FolderSize.h"
#include "engine/FullestDisc.h"
#include "image/ImageCost.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace platterwise {
namespace {

using testing::TempDir;

// A random name of about `length` bytes: ASCII, Cyrillic, CJK and emoji characters, dots,
// characters that ISO 9660 and Joliet replace, and bytes that are not UTF-8 (a stray byte,
// an encoded surrogate, an overlong form), after a unique `prefix`.
std::string RandomName(std::mt19937& random, const std::string& prefix, std::size_t length) {
    static const char* const pieces[] = {
        "a",       "Z", "7", " ",  ".", "-", "_", "é", "Ж",    "音",
        "🎵",       "*", ";", "\t", "ß", "x", "(", "!", "\xff", "\xed\xa0\x80",
        "\xc0\xaf"};
    std::string name = prefix;
    while (name.size() < length) {
        name += pieces[random() % std::size(pieces)];
    }
    return name;
}

// One folder full of what changes record sizes: names from 1 to 230 bytes, files with and
// without extensions, a file split into two extents, sub-folders, links kept as links, and
// pipes. Every name starts with a unique number, so no two identifiers collide.
std::string RandomFolder(const TempDir& dir, unsigned seed) {
    std::mt19937 random(seed);
    const std::string root = "item " + std::to_string(seed);
    int next = 100;
    std::vector<std::string> folders = {root};
    for (int f = 0; f < 4; ++f) {
        folders.push_back(root + "/" + RandomName(random, std::to_string(next++), 40));
        dir.Folder(folders.back());
    }
    for (int i = 0; i < 300; ++i) {
        // Most entries in the item's own folder, where long names fill a continuation area
        // of several sectors.
        const std::string& folder = i % 3 == 0 ? folders[random() % folders.size()] : root;
        const std::string name = RandomName(random, std::to_string(next++), 1 + random() % 230);
        const int what = int(random() % 12);
        if (what == 0) {
            dir.Link(folder + "/" + name, RandomName(random, "../", random() % 200) + "/./" +
                                              RandomName(random, "/", random() % 200));
        } else if (what == 1) {
            testing::Fifo(dir, folder + "/" + name);
        } else {
            dir.File(folder + "/" + name + (what % 3 == 0 ? "" : ".flac"), random() % 100'000);
        }
    }
    dir.File(root + "/big", 4'294'967'296LL + 4096);
    return dir / root;
}

TEST(PlannedCost, FolderCostIsExactWhereNoIdentifiersCollide) {
    TempDir dir;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        TImageSizer sizer({RandomFolder(dir, seed)});
        const TItemImageCost cost = PlannedItemCost(sizer.Tree(0), "item");
        // The image adds to the item's folders and data the system area, three volume
        // descriptors, the two root directories with the root's continuation area and
        // four path tables of a sector each; the item's share of them is a fraction.
        EXPECT_EQ(cost.WholeSectors + 19 + 3 + 4 + 1, sizer.Sectors({0})) << "seed " << seed;
        EXPECT_LT(cost.SharedUnits, kSharedUnitsPerSector);
    }
}

TItemImageCost WalkedCost(const std::string& path, std::string_view rootName) {
    const TFolderMeasure measure = MeasureFolderForImage(path);
    return ItemImageCost({rootName, TImageEntryKind::Folder, 0, true, {}}, measure.Image);
}

TEST(PlannedCost, TheWalkThatCountsBytesPlansWhatTheSizersTreePlans) {
    TempDir dir;
    dir.File("outside/track.flac", 70'000);
    dir.File("outside/album/a.flac", 5'000);
    for (unsigned seed = 1; seed <= 4; ++seed) {
        const std::string item = RandomFolder(dir, seed);
        const std::string rel = "item " + std::to_string(seed);
        // Content reached under several names is stored, and planned, once.
        dir.File(rel + "/one name.flac", 123'456);
        testing::HardLink(dir, rel + "/hard link.flac", rel + "/one name.flac");
        dir.Link(rel + "/link to one name.flac", "one name.flac");
        dir.File(rel + "/single.flac", 9'999);
        dir.Link(rel + "/link to single", "single.flac");
        dir.Link(rel + "/link outside", "../outside/track.flac");
        dir.Link(rel + "/album outside", "../outside/album");
        const TItemImageCost walked = WalkedCost(item, "item");
        const TItemImageCost direct = PlannedItemCost(ReadImageTree(item), "item");
        EXPECT_EQ(walked.WholeSectors, direct.WholeSectors) << "seed " << seed;
        EXPECT_EQ(walked.SharedUnits, direct.SharedUnits) << "seed " << seed;
    }
}

TEST(PlannedCost, TheWalksPlanIsNeverBelowTheImageOfTheItemAlone) {
    const testing::MixedSelection selection;
    TImageSizer sizer(selection.Paths());
    for (std::size_t i = 0; i < selection.Paths().size(); ++i) {
        const std::string& path = selection.Paths()[i];
        // A folder whose link leads back up holds a folder twice in the image, and once in a
        // walk; a disc's exact size settles the difference.
        if (i == 2 || i == 11 || !std::filesystem::is_directory(path)) {
            continue;
        }
        const std::int64_t planned =
            FixedImageSectors() + WalkedCost(path, ItemName(path)).Sectors();
        EXPECT_LE(sizer.Sectors({i}), planned) << path;
    }
}

// The planned size of a set, rounded once and rounded per item.
struct Planned {
    std::int64_t Set = FixedImageSectors();
    std::int64_t PerItem = FixedImageSectors();
};
Planned PlanSet(TImageSizer& sizer, const TImageSizer::TImage& image,
                const std::vector<std::size_t>& sortedItems) {
    std::vector<TItemImageCost> costs;
    Planned planned;
    for (std::size_t i = 0; i < sortedItems.size(); ++i) {
        costs.push_back(
            PlannedItemCost(sizer.Tree(sortedItems[i]), image.GraftPoints[i].ImageName));
        planned.PerItem += costs.back().Sectors();
    }
    planned.Set = PlannedImageSectors(costs);
    return planned;
}

TEST(PlannedCost, NeverBelowTheImageAndCloseAboveItUnlessItemsShareContent) {
    const testing::MixedSelection selection;
    TImageSizer sizer(selection.Paths());
    // Items 2, 11 and 12 share content with others: a link back up the tree, links to
    // another item. Each item is planned on its own, so shared content counts twice.
    const auto shares = [](std::size_t i) { return i == 2 || i == 11 || i == 12; };
    std::mt19937 random(5);
    for (int round = 0; round < 10; ++round) {
        std::vector<std::size_t> items;
        bool shared = false;
        for (std::size_t i = 0; i < selection.Paths().size(); ++i) {
            if (round == 0 || random() % 2 == 0) {
                items.push_back(i);
                shared = shared || shares(i);
            }
        }
        const std::int64_t exact = sizer.Sectors(items);
        const Planned planned = PlanSet(sizer, sizer.Size(items), items);
        EXPECT_LE(exact, planned.Set) << "round " << round;
        EXPECT_LE(planned.Set, planned.PerItem) << "round " << round;
        if (!shared) {
            // Rounding the shared structures, and folders whose names collide as ISO 9660
            // identifiers (each set of "sets" holds dozens).
            EXPECT_LE(planned.Set - exact, 30) << "round " << round;
            EXPECT_LE(planned.PerItem - planned.Set, std::int64_t(items.size()))
                << "round " << round;
        }
    }
}

} // namespace
} // namespace platterwise

namespace platterwise {
namespace {

TEST(PlannedCost, FeedsTheFullestDiscWhoseChoiceTheSizerMeasures) {
    const testing::MixedSelection selection;
    TImageSizer sizer(selection.Paths());
    TFillProblem problem;
    problem.FixedSectors = FixedImageSectors();
    for (std::size_t i = 0; i < selection.Paths().size(); ++i) {
        problem.ItemSectors.push_back(
            PlannedItemCost(sizer.Tree(i), ItemName(selection.Paths()[i])).Sectors());
    }
    // Room for about half of the items. Neither the file of 5 GB nor the folder whose link
    // back up holds every album (2, and 11, a link to it) fits.
    problem.CapacitySectors = 20'000;
    const TFilledDisc disc = FindFullestDisc(
        problem, [&](const std::vector<std::size_t>& chosen) { return sizer.Sectors(chosen); });
    ASSERT_EQ(disc.Status, TFillStatus::Filled);
    EXPECT_TRUE(disc.Verified);
    EXPECT_EQ(disc.ImageSectors, sizer.Sectors(disc.Chosen));
    EXPECT_LE(disc.ImageSectors, disc.PlannedSectors);
    // Planned above the image, the search widened past the capacity; the image stays within.
    EXPECT_LE(disc.ImageSectors, problem.CapacitySectors);
    EXPECT_GT(disc.Chosen.size(), 2u);
    EXPECT_EQ(disc.TooLarge, (std::vector<std::size_t>{2, 10, 11}));
}

} // namespace
} // namespace platterwise
