// SPDX-License-Identifier: GPL-3.0-or-later
// Access-key markings in captions.
#include "widgets/flat/Caption.h"

#include <gtest/gtest.h>

namespace platterwise {
namespace {

struct CaptionCase {
    const char* caption;
    const char* shown;
    int key;
};

void PrintTo(const CaptionCase& c, std::ostream* os) {
    *os << c.caption;
}

class PrepareCaptionTest : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(PrepareCaptionTest, RemovesMarkingsAndFindsTheAccessKey) {
    const TPreparedCaption p = PrepareCaption(QString::fromUtf8(GetParam().caption));
    EXPECT_EQ(p.Text, QString::fromUtf8(GetParam().shown));
    EXPECT_EQ(p.AccessIndex, GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, PrepareCaptionTest,
    ::testing::Values(CaptionCase{" &Go! ", " Go! ", 1}, CaptionCase{" E&xit", " Exit", 2},
                      CaptionCase{"Save && Exit", "Save & Exit", -1},
                      CaptionCase{"&&&Both", "&Both", 1}, CaptionCase{"Trailing&", "Trailing", -1},
                      CaptionCase{"&First &second", "First second", 0},
                      CaptionCase{"&Обзор", "Обзор", 0}, CaptionCase{"", "", -1},
                      CaptionCase{"Plain", "Plain", -1}));

} // namespace
} // namespace platterwise
