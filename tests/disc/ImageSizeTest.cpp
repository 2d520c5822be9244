// SPDX-License-Identifier: GPL-3.0-or-later
#include "MixedSelection.h"
#include "disc/ImageSizer.h"
#include "engine/ShellText.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace platterwise {
namespace {

using testing::MixedSelection;

TEST(ExactImageSize, EqualsWhatXorrisoPrintsForTheSameGraftPoints) {
    const MixedSelection selection;
    TImageSizer sizer(selection.Paths());
    std::vector<std::size_t> all(selection.Paths().size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = i;
    }
    const TImageSizer::TImage image = sizer.Size(all);
    EXPECT_GT(image.Sectors, 5'000'000'000LL / 2048);
    EXPECT_EQ(image.Sectors, selection.XorrisoSectors(image, sizer.Options()));

    // A part of the set, sized again from the trees already read, and with padding.
    const TImageSizer::TImage part = sizer.Size({12, 0, 4, 3, 7, 13});
    EXPECT_EQ(part.Sectors, selection.XorrisoSectors(part, sizer.Options()));
    TImageSizer padded(selection.Paths(), {.Pad = true, .VolumeId = "Music 1"});
    EXPECT_EQ(padded.Sectors({12, 0, 4, 3, 7, 13}), part.Sectors + kPadSectors);
    EXPECT_EQ(padded.Sectors({12, 0, 4, 3, 7, 13}),
              selection.XorrisoSectors(part, padded.Options()));

    // A sizer that may be stopped lays the image out on a thread of its own: the same figure.
    const std::stop_source stop;
    TImageSizer stoppable(selection.Paths(), {}, stop.get_token());
    EXPECT_EQ(stoppable.Sectors(all), image.Sectors);
}

TEST(ExactImageSize, GraftPointListMakesXorrisoWriteThatImageWithEveryItem) {
    const MixedSelection selection;
    TImageSizer sizer(selection.Paths());
    const TImageSizer::TImage image = sizer.Size({4, 3, 5, 6, 13});
    const std::string output = selection.File("disc.iso");
    selection.XorrisoSectors(image, sizer.Options(), output);
    EXPECT_EQ(std::filesystem::file_size(output), std::uintmax_t(image.Sectors) * 2048);
    int status = 0;
    const std::string listing =
        testing::RunCommand({"xorriso", "-indev", output, "-ls", "/"}, status);
    EXPECT_EQ(listing, "'CD1'\n'CD1 (2)'\n'empty'\n'name with = and \\'\n'sets'\n");
}

} // namespace
} // namespace platterwise
