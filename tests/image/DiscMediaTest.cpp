// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/DiscMedia.h"

#include <gtest/gtest.h>
#include <limits>

namespace platterwise {
namespace {

TEST(DiscMedia, NamesFindTheirCapacitiesInSectors) {
    const std::pair<const char*, std::int64_t> known[] = {
        {"cd-r74", 333'000},        {"cd-r", 360'000},       {"dvd+r", 2'295'104},
        {"dvd-r", 2'298'496},       {"dvd+r-dl", 4'173'824}, {"dvd-r-dl", 4'171'712},
        {"bd-r", 12'219'392},       {"bd-r-dl", 24'438'784}, {"bd-r-xl100", 48'878'592},
        {"bd-r-xl128", 62'500'864},
    };
    for (const auto& [name, sectors] : known) {
        const TDiscMedium* m = FindDiscMedium(name);
        ASSERT_NE(m, nullptr) << name;
        EXPECT_EQ(m->CapacitySectors, sectors) << name;
    }
    EXPECT_EQ(FindDiscMedium("DVD+R-DL"), FindDiscMedium("dvd+r-dl"));
    EXPECT_EQ(FindDiscMedium("dvd"), nullptr);
    EXPECT_EQ(FindDiscMedium(""), nullptr);
    EXPECT_EQ(FindDiscMedium(kDefaultDiscMedium)->DisplayName, "DVD+R");
}

TEST(DiscMedia, TheWindowsTemplatesMapToRealMedia) {
    EXPECT_EQ(DiscMediumForTemplate(0)->Name, "dvd+r");
    EXPECT_EQ(DiscMediumForTemplate(1)->Name, "dvd-r");
    EXPECT_EQ(DiscMediumForTemplate(2)->Name, "dvd+r-dl");
    EXPECT_EQ(DiscMediumForTemplate(3)->DisplayName, "CD-R 80 min");
    EXPECT_EQ(DiscMediumForTemplate(4), nullptr);
    EXPECT_EQ(DiscMediumForTemplate(-1), nullptr);
}

TEST(DiscMedia, MbBecomeWholeSectorsRoundedDown) {
    EXPECT_EQ(SectorsFromMb(4700), 2'294'921); // 4,700,000,000 / 2,048 = 2,294,921.875
    EXPECT_EQ(SectorsFromMb(1), 488);
    EXPECT_EQ(SectorsFromMb(32), 15'625);
    EXPECT_EQ(SectorsFromMb(0), 0);
    EXPECT_EQ(SectorsFromMb(-5), 0);
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(SectorsFromMb(kMax), kMax);
    EXPECT_EQ(SectorsFromMb(kMax / 15'625 * 32 + 31), kMax); // the last step would wrap
    EXPECT_EQ(SectorsForBytes(0), 0);
    EXPECT_EQ(SectorsForBytes(2048), 1);
    EXPECT_EQ(SectorsForBytes(2049), 2);
}

} // namespace
} // namespace platterwise
