// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/shell/ShellFolder.h"

#include "ShellTestSupport.h"
#include "platform/Exceptions.h"
#include "platform/KnownFolders.h"
#include "widgets/shell/FallbackDetails.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace platterwise {
namespace {

using namespace Qt::StringLiterals;

using testing::ItemIn;
using testing::ParsePath;
using testing::TempTree;

class ShellFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    TempTree tree_;
};

TEST_F(ShellFolderTest, NamesAndFullPathsOfFileSystemItems) {
    tree_.Dir("music");
    tree_.File("music/a.flac");
    const auto [folder, child] = ItemIn(tree_.Path("music"), "a.flac");
    EXPECT_EQ(folder->FullPathName(), QFile::decodeName(tree_.Path("music")));
    EXPECT_EQ(folder->InFolderName(), QStringLiteral("music"));
    EXPECT_EQ(child->InFolderName(), QStringLiteral("a.flac"));
    EXPECT_EQ(child->FullPathName(), QFile::decodeName(tree_.Path("music/a.flac")));
    EXPECT_EQ(child->FileSystemPath(), tree_.Path("music/a.flac"));
    EXPECT_EQ(child->ParentItem(), folder.get());
    EXPECT_EQ(folder->ParentItem(), DesktopItem());
    EXPECT_EQ(child->Depth(), 1);
    EXPECT_FALSE(child->IsContainer());
    EXPECT_TRUE(folder->IsContainer());
}

TEST_F(ShellFolderTest, AParsingNameThatIsAClassNameGivesTheNormalName) {
    const auto computer = MakeFolderItem(SpecialFolderLocation(CSIDL_DRIVES).get());
    EXPECT_EQ(computer->FullPathName(), ComputerFolderName());
    EXPECT_TRUE(computer->FileSystemPath().isEmpty());
    EXPECT_TRUE(computer->IsContainer());
    const auto desktop = MakeFolderItem(SpecialFolderLocation(CSIDL_DESKTOP).get());
    EXPECT_EQ(desktop->FullPathName(), QStringLiteral("Desktop"));
    EXPECT_EQ(DesktopItem()->FullPathName(), QStringLiteral("Desktop"));
    EXPECT_EQ(DesktopItem()->ParentItem(), nullptr);
    EXPECT_EQ(QueryDisplayName(nullptr, nullptr, 0), QStringLiteral("parentfolder = nil"));
}

TEST(StrRetToText, QuestionMarksGoOnlyWhenTheTextStartsWithOneBeforeADigit) {
    TStrRet reply;
    reply.hasOleStr = true;
    reply.pOleStr = QStringLiteral("?12.?03.?2024 ?10:00");
    EXPECT_EQ(StrRetToText(reply, nullptr), QStringLiteral("12.03.2024 10:00"));
    reply.pOleStr = QStringLiteral("?a?b");
    EXPECT_EQ(StrRetToText(reply, nullptr), QStringLiteral("?a?b"));
    reply.pOleStr = QStringLiteral("?");
    EXPECT_EQ(StrRetToText(reply, nullptr), QStringLiteral("?"));
    reply.hasOleStr = false;
    EXPECT_EQ(StrRetToText(reply, nullptr), QString());
}

TEST(StrRetToText, OffsetAndInlineRepliesReadTheirBytes) {
    const TIdListPtr id = IdListFromData("xyname");
    TStrRet offset;
    offset.uType = TStrRet::STRRET_OFFSET;
    offset.uOffset = 4;
    EXPECT_EQ(StrRetToText(offset, id.get()), QStringLiteral("name"));
    TStrRet inline8;
    inline8.uType = TStrRet::STRRET_CSTR;
    std::strcpy(inline8.cStr.data(), "?1 inline");
    EXPECT_EQ(StrRetToText(inline8, nullptr), QStringLiteral("1 inline"));
}

TEST_F(ShellFolderTest, StatesOfHiddenReadOnlyAndLinkedItems) {
    tree_.File(".hidden");
    const QByteArray locked = tree_.File("locked");
    ASSERT_EQ(::chmod(locked.constData(), 0444), 0);
    tree_.Dir("dir");
    tree_.Link("dir", "link");
    const auto hidden = ItemIn(tree_.Root(), ".hidden");
    const auto readOnly = ItemIn(tree_.Root(), "locked");
    const auto link = ItemIn(tree_.Root(), "link");
    EXPECT_EQ(hidden.child->ItemStates(), TShellItemStates({isHidden, isFileSystem}));
    EXPECT_EQ(readOnly.child->ItemStates(), TShellItemStates({isReadOnly, isFileSystem}));
    EXPECT_EQ(link.child->ItemStates(),
              TShellItemStates({isLink, isFileSystem, isFileSystemAncestor}));
    EXPECT_TRUE(link.child->IsContainer());
    EXPECT_TRUE(link.child->ItemActions().Contains(iaRename));
    EXPECT_TRUE(link.child->ItemActions().Contains(iaDropTarget));
    EXPECT_FALSE(readOnly.child->ItemActions().Contains(iaDropTarget));
}

TEST_F(ShellFolderTest, FallbackColumnsShowFullSizesMinusOneForFoldersAndFatTimes) {
    const QByteArray big = tree_.File("big.iso", 5'000'000'000LL);
    const QByteArray old = tree_.File("old.txt", 3);
    const QByteArray recent = tree_.File("recent.flac");
    tree_.Dir("folder");
    TempTree::SetModified(old, 86400 * 365); // 1971: before the FAT epoch
    const QDateTime when(QDate(2021, 3, 4), QTime(10, 20, 31));
    TempTree::SetModified(recent, when.toSecsSinceEpoch());
    const auto texts = [&](const QByteArray& name) {
        auto item = ItemIn(tree_.Root(), name);
        item.child->LoadColumnDetails(item.folder.get(), nullptr, 4);
        return item.child->ColumnTexts();
    };
    const QStringList bigTexts = texts("big.iso");
    EXPECT_EQ(bigTexts[0], QStringLiteral("5000000000"));
    EXPECT_EQ(bigTexts[1], QStringLiteral(".iso"));
    EXPECT_EQ(bigTexts[3], QStringLiteral("128"));
    EXPECT_EQ(texts("folder").mid(0, 3), QStringList({u"-1"_s, u""_s, u"29/12/1899"_s}));
    EXPECT_EQ(texts("folder")[3], QStringLiteral("16"));
    EXPECT_EQ(texts("old.txt")[2], QStringLiteral("29/12/1899"));
    // Two-second resolution: 10:20:31 shows as 10:20:30.
    EXPECT_EQ(texts("recent.flac")[2], QStringLiteral("04/03/2021 10:20:30"));
}

TEST_F(ShellFolderTest, ColumnTextsAreReadOnceAndMissingOnesAreReported) {
    const QByteArray file = tree_.File("a.flac", 10);
    auto item = ItemIn(tree_.Root(), "a.flac");
    try {
        item.child->ColumnText(1);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("a.flac: Missing call to LoadColumnDetails"));
    }
    item.child->LoadColumnDetails(item.folder.get(), nullptr, 3);
    EXPECT_EQ(item.child->ColumnText(1), QStringLiteral("10"));
    tree_.File("a.flac", 20);
    item.child->LoadColumnDetails(item.folder.get(), nullptr, 3); // kept
    EXPECT_EQ(item.child->ColumnText(1), QStringLiteral("10"));

    auto gone = ItemIn(tree_.Root(), "a.flac");
    ASSERT_EQ(::unlink(file.constData()), 0);
    try {
        gone.child->LoadColumnDetails(gone.folder.get(), nullptr, 3);
        FAIL() << "no exception";
    } catch (const EInvalidPath& e) {
        EXPECT_EQ(
            e.Message(),
            QStringLiteral("Unable to retrieve folder details for \"a.flac\". Error code $2"));
    }
}

TEST_F(ShellFolderTest, RenameMovesTheItemAndItsPathsFollow) {
    tree_.Dir("a");
    tree_.Dir("a/b");
    tree_.File("a/b/old.flac", 0, "keep");
    auto item = ItemIn(tree_.Path("a/b"), "old.flac");
    ASSERT_TRUE(item.child->RenameTo(QStringLiteral("new.flac")));
    EXPECT_EQ(item.child->FullPathName(), QFile::decodeName(tree_.Path("a/b/new.flac")));
    EXPECT_EQ(item.child->InFolderName(), QStringLiteral("new.flac"));
    EXPECT_TRUE(TempTree::Exists(tree_.Path("a/b/new.flac")));
    EXPECT_FALSE(TempTree::Exists(tree_.Path("a/b/old.flac")));
}

TEST_F(ShellFolderTest, RenameOntoAnExistingNameFailsAndChangesNothing) {
    tree_.File("one.flac", 0, "1");
    tree_.File("two.flac", 0, "2");
    auto item = ItemIn(tree_.Root(), "one.flac");
    try {
        item.child->RenameTo(QStringLiteral("two.flac"));
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Rename to two.flac failed"));
    }
    EXPECT_EQ(item.child->InFolderName(), QStringLiteral("one.flac"));
    QFile two(QFile::decodeName(tree_.Path("two.flac")));
    ASSERT_TRUE(two.open(QIODevice::ReadOnly));
    EXPECT_EQ(two.readAll(), "2");
}

TEST_F(ShellFolderTest, AnItemWithoutTheRenameActionAnswersFalse) {
    const auto computer = MakeFolderItem(SpecialFolderLocation(CSIDL_DRIVES).get());
    EXPECT_FALSE(computer->ItemActions().Contains(iaRename));
    EXPECT_FALSE(computer->RenameTo(QStringLiteral("Mine")));
    EXPECT_EQ(computer->FullPathName(), ComputerFolderName());
}

TEST(FatDateTime, HoldsOnly1980To2107InTwoSecondSteps) {
    std::uint32_t fat = 0;
    EXPECT_FALSE(DateTimeToFatDateTime(QDateTime(QDate(1979, 12, 31), QTime(23, 59, 59)), fat));
    EXPECT_FALSE(DateTimeToFatDateTime(QDateTime(QDate(2108, 1, 1), QTime(0, 0)), fat));
    ASSERT_TRUE(DateTimeToFatDateTime(QDateTime(QDate(2107, 12, 31), QTime(23, 59, 59)), fat));
    EXPECT_EQ(FatDateTimeToDateTime(fat), QDateTime(QDate(2107, 12, 31), QTime(23, 59, 58)));
    ASSERT_TRUE(DateTimeToFatDateTime(QDateTime(QDate(1980, 1, 1), QTime(0, 0, 1)), fat));
    EXPECT_EQ(fat, (1u << 5 | 1u) << 16);
}

} // namespace
} // namespace platterwise
