// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DiscFillReport.h"

#include <gtest/gtest.h>

namespace platterwise {
namespace {

using A = TDisplayAction;

constexpr std::int64_t Mb = 1'000'000;

std::vector<TSelectionItem>
Items(std::initializer_list<std::pair<std::string, std::int64_t>> files,
      std::initializer_list<std::pair<std::string, std::int64_t>> folders = {}) {
    std::vector<TSelectionItem> items;
    for (const auto& [path, size] : files)
        items.push_back({std::int32_t(items.size() + 1), path, ikFile, size, false});
    for (const auto& [path, size] : folders)
        items.push_back({std::int32_t(items.size() + 1), path, ikFolder, size, false});
    return items;
}

std::int64_t Total(const std::vector<TSelectionItem>& items) {
    std::int64_t t = 0;
    for (const auto& i : items)
        t += i.Size;
    return t;
}

TSearchResult Search(std::vector<TSelectionItem>& items, std::int64_t targetMb,
                     std::string deviation, bool both = false, std::string samples = "1000",
                     std::uint32_t seed = 1) {
    TRandom rng(seed);
    return RunDiscFillSearch(items, Total(items), {targetMb, deviation, both, samples}, rng);
}

const std::string kTooSmallBox =
    "Selected files/folders have smaller size than you have set for target media!\n\r"
    "Решение не может быть найдено. Рекомендуется уменьшить искомый размер.";

std::string SampleLimitBox(const std::string& samples) {
    return "Program checked " + samples +
           " variants using random folders sampling and your deviation criteria,\n\r"
           "but failed to find appropriate file/folder combination. Its recommended to adjust "
           "search settings.";
}

TEST(DiscFillSearch, OneItemInsideTheWindowIsFoundAtTheFirstDraw) {
    auto items = Items({{"/m/disc.iso", 4690 * Mb}});
    const TSearchResult r = Search(items, 4700, "25");
    EXPECT_EQ(r.Outcome, soFound);
    EXPECT_EQ(r.Draws, 1);
    EXPECT_EQ(r.Variants, 1);
    EXPECT_EQ(r.Sum, 4690 * Mb);
    EXPECT_EQ(r.Chosen, (std::vector<std::size_t>{0}));
    EXPECT_TRUE(items[0].Drawn);
    EXPECT_EQ(r.Report, (TReport{A::MessageText("Prepared 4,690,000,000 байт"),
                                 A::MemoTaggedLine("\x03"
                                                   "11\x1A"
                                                   "disc.iso")}));
}

TEST(DiscFillSearch, AnItemBeyondTheUpperEdgeOvershootsUntilTheSampleLimit) {
    auto items = Items({{"/m/huge", 4701 * Mb}});
    const TSearchResult r = Search(items, 4700, "25");
    EXPECT_EQ(r.Outcome, soSampleLimit);
    EXPECT_EQ(r.Variants, 1000);
    EXPECT_EQ(r.Draws, 1000);
    EXPECT_EQ(r.Report,
              (TReport{A::InformationBox(SampleLimitBox("1000")), A::ClearMemo(),
                       A::MessageText("U aint lucky! Never to burn those lossless music! :(")}));
    EXPECT_TRUE(r.Chosen.empty());
}

TEST(DiscFillSearch, SampleTextIsQuotedAsTyped) {
    auto items = Items({{"/m/huge", 4701 * Mb}});
    const TSearchResult r = Search(items, 4700, "25", false, " $A");
    EXPECT_EQ(r.Variants, 10);
    EXPECT_EQ(r.Report.front(), A::InformationBox(SampleLimitBox(" $A")));
}

TEST(DiscFillSearch, WithoutDeviationOnlyTheExactTargetIsFound) {
    auto exact = Items({{"/a", 2000 * Mb}, {"/b", 2700 * Mb}});
    EXPECT_EQ(Search(exact, 4700, "0").Outcome, soFound);
    EXPECT_EQ(Search(exact, 4700, "0").Sum, 4700 * Mb);
    auto off = Items({{"/a", 2000 * Mb}, {"/b", 2700 * Mb - 1}});
    EXPECT_EQ(Search(off, 4700, "0").Outcome, soTooSmall);
    auto over = Items({{"/a", 2000 * Mb}, {"/b", 2700 * Mb + 1}});
    EXPECT_EQ(Search(over, 4700, "0").Outcome, soSampleLimit);
}

TEST(DiscFillSearch, BothDirectionsAcceptsSumsAboveTheTargetAndColoursTheMessage) {
    auto items = Items({{"/m/over.iso", 4720 * Mb}});
    EXPECT_EQ(Search(items, 4700, "25", false).Outcome, soSampleLimit);
    const TSearchResult r = Search(items, 4700, "25", true);
    EXPECT_EQ(r.Outcome, soFound);
    EXPECT_EQ(r.UpperEdge, 4725 * Mb);
    EXPECT_EQ(r.Report,
              (TReport{A::MessageColor(0x00829904), A::MessageText("Отобрано 4,720,000,000 байт"),
                       A::MemoTaggedLine("\x03"
                                         "11\x1A"
                                         "over.iso")}));
}

TEST(DiscFillSearch, WindowEdgesAreInclusive) {
    auto lower = Items({{"/l", 4675 * Mb}});
    EXPECT_EQ(Search(lower, 4700, "25").Outcome, soFound);
    auto below = Items({{"/l", 4675 * Mb - 1}});
    EXPECT_EQ(Search(below, 4700, "25").Outcome, soTooSmall);
    auto upper = Items({{"/u", 4725 * Mb}});
    EXPECT_EQ(Search(upper, 4700, "25", true).Outcome, soFound);
    auto beyond = Items({{"/u", 4725 * Mb + 1}});
    EXPECT_EQ(Search(beyond, 4700, "25", true).Outcome, soSampleLimit);
}

TEST(DiscFillSearch, ASelectionExactlyAtTheLowerEdgeIsFoundWhole) {
    auto items = Items({{"/a", 1000 * Mb}, {"/b", 1675 * Mb}}, {{"/c", 2000 * Mb}});
    const TSearchResult r = Search(items, 4700, "25");
    EXPECT_EQ(r.Outcome, soFound);
    EXPECT_EQ(r.Draws, 3);
    EXPECT_EQ(r.Chosen, (std::vector<std::size_t>{2, 0, 1})); // the folder first
}

TEST(DiscFillSearch, TooSmallSelectionIsReportedAfterOneDraw) {
    auto items = Items({{"/a", 100 * Mb}, {"/b", 200 * Mb}});
    const TSearchResult r = Search(items, 4700, "25");
    EXPECT_EQ(r.Outcome, soTooSmall);
    EXPECT_EQ(r.Draws, 1);
    EXPECT_EQ(r.Report, (TReport{A::InformationBox(kTooSmallBox), A::ClearMemo(),
                                 A::MemoLine("Still nothing to burn!"),
                                 A::MessageText("You fail me, bungler!")}));
}

TEST(DiscFillSearch, SampleCountOfZeroGivesBothReportsTooSmallFirst) {
    auto items = Items({{"/a", 100 * Mb}});
    const TSearchResult r = Search(items, 4700, "25", false, "0");
    ASSERT_EQ(r.Report.size(), 7u);
    EXPECT_EQ(r.Report[0], A::InformationBox(kTooSmallBox));
    EXPECT_EQ(r.Report[4], A::InformationBox(SampleLimitBox("0")));
    EXPECT_EQ(r.Outcome, soTooSmall);
}

TEST(DiscFillSearch, SampleCountOfOneGivesUpAfterTheFirstOvershoot) {
    auto items = Items({{"/a", 3000 * Mb}, {"/b", 3000 * Mb}});
    const TSearchResult r = Search(items, 4700, "25", false, "1");
    EXPECT_EQ(r.Outcome, soSampleLimit);
    EXPECT_EQ(r.Variants, 1);
    EXPECT_EQ(r.Draws, 2);
}

TEST(DiscFillSearch, TargetOfZeroOrLessNeverReadsTheFields) {
    auto items = Items({{"/a", 5}});
    for (std::int64_t target : {0LL, -5LL}) {
        const TSearchResult r = Search(items, target, "junk", false, "junk");
        EXPECT_EQ(r.Outcome, soNoResult);
        EXPECT_EQ(r.Draws, 0);
        EXPECT_TRUE(r.Report.empty());
    }
}

TEST(DiscFillSearch, BadDeviationEndsAtTheFirstDrawWithoutReport) {
    auto items = Items({{"/a", 100 * Mb}});
    const TSearchResult r = Search(items, 4700, "25 ", false, "1000");
    EXPECT_EQ(r.Outcome, soBadInput);
    EXPECT_EQ(r.Draws, 1);
    EXPECT_TRUE(r.Report.empty());
}

TEST(DiscFillSearch, BadSamplesComesAfterATooSmallReportOfTheSameDraw) {
    auto small = Items({{"/a", 100 * Mb}});
    const TSearchResult r = Search(small, 4700, "25", false, "lots");
    EXPECT_EQ(r.Outcome, soBadInput);
    ASSERT_EQ(r.Report.size(), 4u);
    EXPECT_EQ(r.Report[0], A::InformationBox(kTooSmallBox));

    auto enough = Items({{"/a", 3000 * Mb}, {"/b", 3000 * Mb}});
    EXPECT_EQ(Search(enough, 4700, "25", false, "lots").Outcome, soBadInput);
}

TEST(DiscFillSearch, NegativeDeviationCanNeverBeFound) {
    // L lies above T: a running sum that reaches T without reaching L ends the search silently
    auto items = Items({{"/a", 4700 * Mb}, {"/b", 20 * Mb}});
    const TSearchResult silent = Search(items, 4700, "-10");
    EXPECT_EQ(silent.Outcome, soNoResult);
    EXPECT_TRUE(silent.Report.empty());
    // or by the too-small test, when even the whole selection stays below L
    auto one = Items({{"/a", 4700 * Mb}});
    EXPECT_EQ(Search(one, 4700, "-10").Outcome, soTooSmall);
}

TEST(DiscFillSearch, DeviationsBeyondTwoGigabytesGiveTheirRealWindow) {
    // 3000 Mb in bytes does not fit 32 bits; the window is still 1700 to 7700 Mb
    auto items = Items({{"/a", 7600 * Mb}});
    const TSearchResult r = Search(items, 4700, "3000", true);
    EXPECT_EQ(r.LowerEdge, 1700 * Mb);
    EXPECT_EQ(r.UpperEdge, 7700 * Mb);
    EXPECT_EQ(r.Outcome, soFound);
    auto wide = Items({{"/a", 10 * Mb}});
    EXPECT_EQ(Search(wide, 4700, "-2147483648", true).LowerEdge, 4700 * Mb + 2147483648LL * Mb);
}

TEST(DiscFillSearch, AFixedSeedGivesAKnownCombination) {
    // Worked out independently from the generator and the drawing rule.
    const std::initializer_list<std::pair<std::string, std::int64_t>> files = {
        {"/1", 1000 * Mb}, {"/2", 1500 * Mb}, {"/3", 700 * Mb}, {"/4", 2000 * Mb},
        {"/5", 900 * Mb},  {"/6", 1200 * Mb}, {"/7", 300 * Mb}};
    auto a = Items(files);
    const TSearchResult r42 = Search(a, 4700, "25", false, "1000", 42);
    EXPECT_EQ(r42.Chosen, (std::vector<std::size_t>{0, 1, 2, 5, 6}));
    EXPECT_EQ(r42.Sum, 4700 * Mb);
    EXPECT_EQ(r42.Variants, 12);
    EXPECT_EQ(r42.Draws, 62);

    auto b = Items(files);
    const TSearchResult r7 = Search(b, 4700, "300", true, "1000", 7);
    EXPECT_EQ(r7.Chosen, (std::vector<std::size_t>{0, 1, 4, 5}));
    EXPECT_EQ(r7.Sum, 4600 * Mb);
    EXPECT_EQ(r7.Draws, 4);
}

TEST(DiscFillSearch, AnEmptySelectionHasNothingToDraw) {
    std::vector<TSelectionItem> none;
    EXPECT_EQ(Search(none, 4700, "25").Outcome, soNoResult);
}

TEST(ChosenItemLine, ShowsTheNameWholeInTheColourOfItsKind) {
    TSelectionItem folder{1, "/music/2010", ikFolder, 0, false};
    TSelectionItem file{2, "/music/,5 songs.flac", ikFile, 0, false};
    TSelectionItem root{3, "/", ikFolder, 0, false};
    EXPECT_EQ(ChosenItemLine(folder), "\x03"
                                      "00\x1A"
                                      "2010");
    EXPECT_EQ(ChosenItemLine(file), "\x03"
                                    "11\x1A"
                                    ",5 songs.flac");
    EXPECT_EQ(ChosenItemLine(root), "\x03"
                                    "00\x1A");
}

TEST(ChosenItemLine, ControlCharactersInNamesCannotRestyleTheLine) {
    TSelectionItem odd{1,
                       "/m/a\x03"
                       "4red\x19link\x1A\x02\x0F\x16\x1F.flac",
                       ikFile, 0, false};
    EXPECT_EQ(ChosenItemLine(odd), "\x03"
                                   "11\x1A"
                                   "a?4red?link???"
                                   "??.flac");
}

} // namespace
} // namespace platterwise
