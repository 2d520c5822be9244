// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TypeFilter.h"

#include <gtest/gtest.h>

namespace platterwise {
namespace {

bool File(int category, const char* path) {
    return AdmitsItem(category, false, QString::fromUtf8(path));
}

TEST(TypeFilter, TheExtensionRunsFromTheLastDotOfTheName) {
    EXPECT_EQ(ExtensionOf(QStringLiteral("/m/a.FLAC")), u".FLAC");
    EXPECT_EQ(ExtensionOf(QStringLiteral("/m/x.flac.txt")), u".txt");
    EXPECT_EQ(ExtensionOf(QStringLiteral("/m/.log")), u".log");
    EXPECT_EQ(ExtensionOf(QStringLiteral("/m.d/README")), u"");
    EXPECT_EQ(ExtensionOf(QStringLiteral("/m/name.")), u".");
}

TEST(TypeFilter, LosslessAdmitsItsExtensionsInAnyCaseAndEveryFolder) {
    EXPECT_TRUE(File(kLosslessFiles, "/m/a.FLAC"));
    EXPECT_TRUE(File(kLosslessFiles, "/m/a.Flac"));
    EXPECT_TRUE(File(kLosslessFiles, "/m/c.cue"));
    EXPECT_TRUE(File(kLosslessFiles, "/m/.log"));
    for (const char* ok : {"/m/x.ape", "/m/x.shn", "/m/x.WV", "/m/x.Log"})
        EXPECT_TRUE(File(kLosslessFiles, ok)) << ok;
    EXPECT_FALSE(File(kLosslessFiles, "/m/b.mp3"));
    EXPECT_FALSE(File(kLosslessFiles, "/m/x.flac.txt"));
    EXPECT_FALSE(File(kLosslessFiles, "/m.flac/README"));
    EXPECT_FALSE(File(kLosslessFiles, "/m/x.iso"));
    EXPECT_TRUE(AdmitsItem(kLosslessFiles, true, QStringLiteral("/m/Any Folder.mp3")));
    EXPECT_TRUE(AdmitsItem(kLosslessFiles, true, QStringLiteral("Computer")));
}

TEST(TypeFilter, ArchivesAdmitTheirExtensionsOnly) {
    EXPECT_TRUE(File(kArchiveFiles, "/m/disc.ISO"));
    EXPECT_TRUE(File(kArchiveFiles, "/m/set.7z"));
    EXPECT_TRUE(File(kArchiveFiles, "/m/a.rar"));
    EXPECT_TRUE(File(kArchiveFiles, "/m/a.Zip"));
    EXPECT_FALSE(File(kArchiveFiles, "/m/set.7z.001"));
    EXPECT_FALSE(File(kArchiveFiles, "/m/a.flac"));
}

TEST(TypeFilter, OnlyAsciiLettersFoldTheirCase) {
    // U+0130 (capital I with dot) and the Kelvin sign fold to ASCII in Unicode, not here.
    EXPECT_FALSE(File(kLosslessFiles, "/m/x.\u0130SO"));
    EXPECT_FALSE(File(kArchiveFiles, "/m/x.\u0130SO"));
    EXPECT_FALSE(File(kArchiveFiles, "/m/x.zip\u00A0"));
}

TEST(TypeFilter, AllFilesAndNoChoiceAdmitEverything) {
    EXPECT_TRUE(File(kAllFiles, "/m/b.mp3"));
    EXPECT_TRUE(File(-1, "/m/b.mp3"));
    EXPECT_TRUE(File(kAllFiles, "/m/noext"));
}

} // namespace
} // namespace platterwise
