// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Target.h"

#include "image/MediaTemplates.h"

#include <gtest/gtest.h>

namespace platterwise {
namespace {

using A = TDisplayAction;

TEST(ResolveTarget, MediaModeUsesEachTemplatesSearchTarget) {
    EXPECT_EQ(ResolveTarget(kMediaSizeMode, 0, "junk"), 4700);
    EXPECT_EQ(ResolveTarget(kMediaSizeMode, 1, ""), 4707);
    EXPECT_EQ(ResolveTarget(kMediaSizeMode, 2, ""), 8547);
    EXPECT_EQ(ResolveTarget(kMediaSizeMode, 3, ""), 733);
    EXPECT_EQ(ResolveTarget(kMediaSizeMode, -1, ""), 0);
    EXPECT_EQ(ResolveTarget(kMediaSizeMode, 4, ""), 0);
}

TEST(ResolveTarget, CustomModeParsesTheFieldAsSixtyFourBits) {
    EXPECT_EQ(ResolveTarget(kCustomSizeMode, 0, "$10"), 16);
    EXPECT_EQ(ResolveTarget(kCustomSizeMode, 0, " 25"), 25);
    EXPECT_EQ(ResolveTarget(kCustomSizeMode, 0, "25 "), std::nullopt);
    EXPECT_EQ(ResolveTarget(kCustomSizeMode, 0, ""), std::nullopt);
    EXPECT_EQ(ResolveTarget(kCustomSizeMode, 0, "5000000000"), 5000000000LL);
    EXPECT_EQ(ResolveTarget(-1, 0, "junk"), 0);
}

TEST(ApplyAutoSize, OffersTheSpaceLeftOnTheMedium) {
    EXPECT_EQ(ApplyAutoSize(0, 0),
              (TReport{A::DisableTemplateList(), A::TargetMode(kCustomSizeMode),
                       A::CustomSizeText("4700")}));
    EXPECT_EQ(ApplyAutoSize(1, 1'234'567'890),
              (TReport{A::DisableTemplateList(), A::TargetMode(kCustomSizeMode),
                       A::CustomSizeText("3472")}));
    EXPECT_EQ(ApplyAutoSize(3, 0).back(), A::CustomSizeText("733"));
}

TEST(ApplyAutoSize, DualLayerTestsOneCapacityAndTakesFromAnother) {
    for (std::int64_t total : {8'547'000'000LL, 8'547'500'000LL, 8'547'899'999LL})
        EXPECT_EQ(ApplyAutoSize(2, total).back(), A::CustomSizeText("0")) << total;
    EXPECT_EQ(ApplyAutoSize(2, 8'546'000'000LL).back(), A::CustomSizeText("1"));
    EXPECT_EQ(ApplyAutoSize(2, 8'547'900'000LL).back().Kind, TActionKind::ShowInformationBox);
}

TEST(ApplyAutoSize, WarnsWhenTheSelectionAlreadyFillsTheMedium) {
    const TReport r = ApplyAutoSize(0, 4'700'000'000LL); // equal: the remainder must be positive
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], A::DisableTemplateList());
    EXPECT_EQ(r[1], A::InformationBox(
                        "Вы уже выбрали больше, чем вмещает носитель DVD+R! Эти файлы не могут "
                        "занимать часть\n\rболванки DVD+R, сейчас самое время нажать "
                        "`Вычисление нужного размера` ;-)"));
    EXPECT_NE(ApplyAutoSize(2, 9'000'000'000LL)[1].Text.find("носитель DVD+R DL! "),
              std::string::npos);
    EXPECT_NE(ApplyAutoSize(1, 5'000'000'000LL)[1].Text.find("болванки DVD-R, "),
              std::string::npos);
    EXPECT_NE(ApplyAutoSize(3, 733'000'000LL)[1].Text.find("болванки CD-R, "), std::string::npos);
}

TEST(ApplyAutoSize, NoTemplateOnlyDisablesTheList) {
    EXPECT_EQ(ApplyAutoSize(-1, 0), (TReport{A::DisableTemplateList()}));
    EXPECT_EQ(ApplyAutoSize(4, 0), (TReport{A::DisableTemplateList()}));
}

TEST(BothDirectionsCaption, ShowsTheDeviationOnlyWhenTicked) {
    EXPECT_EQ(BothDirectionsCaption(true, "25"), "Считать в обе стороны +-25 Mb");
    EXPECT_EQ(BothDirectionsCaption(true, "40"), "Считать в обе стороны +-40 Mb");
    EXPECT_EQ(BothDirectionsCaption(true, "junk"), "Считать в обе стороны +-junk Mb");
    EXPECT_EQ(BothDirectionsCaption(false, "40"), "Считать в обе стороны");
}

TEST(MediaTemplates, CaptionsAreTheListsItems) {
    EXPECT_EQ(MediaTemplates[0].Caption, "DVD+R -- 4483Mb 4,7Gb)");
    EXPECT_EQ(MediaTemplates[1].Caption, "DVD-R -- 4489Mb (4,7Gb)");
    EXPECT_EQ(MediaTemplates[2].Caption, "DVD+R DL -- 8152Mb (8,5Gb)");
    EXPECT_EQ(MediaTemplates[3].Caption, "CD-R -- 700Mb");
    EXPECT_EQ(FindTemplate(-1), nullptr);
    EXPECT_EQ(FindTemplate(4), nullptr);
}

} // namespace
} // namespace platterwise
