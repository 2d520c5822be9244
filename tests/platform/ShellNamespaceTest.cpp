// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ShellNamespace.h"

#include "platform/KnownFolders.h"
#include "tests/support/TempTree.h"

#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace platterwise {
namespace {

using testing::TempTree;

TIdListPtr Parse(const QByteArray& path) {
    TIdListPtr list;
    if (!DesktopFolder()->ParseDisplayName(nullptr, QFile::decodeName(path), list)) {
        return nullptr;
    }
    return list;
}

TShellFolderPtr Bind(const TItemIdList* absolute) {
    return std::dynamic_pointer_cast<IShellFolder>(
        DesktopFolder()->BindToObject(absolute, TIid::ShellFolder));
}

QString Name(const TShellFolderPtr& folder, const TItemIdList* id, std::uint32_t flags) {
    TStrRet reply;
    if (!folder->GetDisplayNameOf(id, flags, reply)) {
        return QStringLiteral("<none>");
    }
    if (reply.uType == TStrRet::STRRET_OFFSET) {
        return QString::fromUtf8(reinterpret_cast<const char*>(id) + reply.uOffset,
                                 qsizetype(IdByteCount(id) - reply.uOffset));
    }
    return reply.pOleStr;
}

std::vector<TIdListPtr> Children(const TShellFolderPtr& folder, std::uint32_t flags) {
    std::vector<TIdListPtr> ids;
    const auto e = folder->EnumObjects(nullptr, flags);
    TIdListPtr id;
    while (e && e->Next(id)) {
        ids.push_back(std::move(id));
    }
    return ids;
}

QSet<QString> ChildNames(const TShellFolderPtr& folder, std::uint32_t flags) {
    QSet<QString> names;
    for (const TIdListPtr& id : Children(folder, flags)) {
        names.insert(Name(folder, id.get(), SHGDN_INFOLDER));
    }
    return names;
}

std::uint32_t Attributes(const TShellFolderPtr& folder, const TItemIdList* id, std::uint32_t mask) {
    folder->GetAttributesOf(id, mask);
    return mask;
}

constexpr std::uint32_t kAll = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;

TEST(ShellNamespace, APathParsesThroughTheComputerFolderAndBackToItsBytes) {
    TempTree tree;
    tree.Dir("music");
    const QByteArray file = tree.File("music/a.flac");
    const TIdListPtr list = Parse(file);
    ASSERT_TRUE(list);
    // computer, "/", then one identifier per component
    EXPECT_EQ(IdListCount(list.get()), 2 + int(file.count('/')));
    EXPECT_EQ(FileSystemPathOf(list.get()), file);
    EXPECT_EQ(Name(DesktopFolder(), list.get(), SHGDN_FORPARSING), QFile::decodeName(file));
    EXPECT_EQ(Name(DesktopFolder(), list.get(), SHGDN_INFOLDER), QStringLiteral("a.flac"));

    const TIdListPtr dotted = Parse(tree.Root() + "/music/./../music//a.flac");
    ASSERT_TRUE(dotted);
    EXPECT_EQ(DesktopFolder()->CompareIDs(0, dotted.get(), list.get()), 0);
    EXPECT_FALSE(Parse(tree.Path("missing")));
    EXPECT_FALSE(Parse(tree.Path("music/a.flac/inside")));
    EXPECT_FALSE(Parse("relative/path"));
    EXPECT_FALSE(Parse("/.."));
}

TEST(ShellNamespace, VirtualFoldersHaveClassParsingNamesAndReadableNames) {
    TIdListPtr computer;
    ASSERT_TRUE(DesktopFolder()->ParseDisplayName(nullptr, ComputerFolderName(), computer));
    EXPECT_TRUE(Name(DesktopFolder(), computer.get(), SHGDN_FORPARSING).startsWith(u"::{"));
    EXPECT_EQ(Name(DesktopFolder(), computer.get(), SHGDN_NORMAL), QStringLiteral("Computer"));
    EXPECT_TRUE(FileSystemPathOf(computer.get()).isEmpty());
    const TIdListPtr desktop = IdListAlloc(2);
    EXPECT_TRUE(Name(DesktopFolder(), desktop.get(), SHGDN_FORPARSING).startsWith(u"::{"));
    EXPECT_EQ(Name(DesktopFolder(), desktop.get(), SHGDN_NORMAL), QStringLiteral("Desktop"));

    const TShellFolderPtr drives = Bind(computer.get());
    ASSERT_TRUE(drives);
    const auto volumes = Children(drives, kAll);
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(Name(drives, volumes[0].get(), SHGDN_INFOLDER), QStringLiteral("File System"));
    const TIdListPtr root = IdListConcat(computer.get(), volumes[0].get());
    EXPECT_EQ(Name(DesktopFolder(), root.get(), SHGDN_FORPARSING), QStringLiteral("/"));
}

TEST(ShellNamespace, DesktopHoldsTheComputerAndTheHomeFolder) {
    TempTree tree;
    const QByteArray home = tree.Dir("alice");
    const QByteArray saved = qgetenv("HOME");
    qputenv("HOME", home);
    const QSet<QString> names = ChildNames(DesktopFolder(), kAll);
    qputenv("HOME", saved);
    EXPECT_EQ(names, QSet<QString>({QStringLiteral("Computer"), QStringLiteral("alice")}));
}

TEST(ShellNamespace, EnumerationHonoursFolderFileAndHiddenFlags) {
    TempTree tree;
    tree.Dir("sub");
    tree.Dir(".hiddendir");
    tree.File("file.txt");
    tree.File(".hidden");
    tree.Link("sub", "linkdir");
    const TShellFolderPtr folder = Bind(Parse(tree.Root()).get());
    ASSERT_TRUE(folder);
    EXPECT_EQ(ChildNames(folder, SHCONTF_FOLDERS),
              QSet<QString>({QStringLiteral("sub"), QStringLiteral("linkdir")}));
    EXPECT_EQ(ChildNames(folder, SHCONTF_NONFOLDERS), QSet<QString>({QStringLiteral("file.txt")}));
    EXPECT_EQ(ChildNames(folder, kAll).size(), 5);
    EXPECT_FALSE(Bind(Parse(tree.Path("file.txt")).get()));
    EXPECT_EQ(Bind(Parse(tree.Path("nothing")).get()), nullptr);
}

TEST(ShellNamespace, AttributesComeFromTheEntry) {
    TempTree tree;
    tree.Dir("sub");
    tree.Dir("sub/inner");
    tree.Dir("leaf");
    tree.File(".dot");
    const QByteArray locked = tree.File("locked");
    ASSERT_EQ(::chmod(locked.constData(), 0444), 0);
    tree.Link("sub", "linkdir");
    tree.Link("gone", "dangling");
    const TIdListPtr rootList = Parse(tree.Root());
    const TShellFolderPtr folder = Bind(rootList.get());
    const auto attributesOf = [&](const QByteArray& name, std::uint32_t mask) {
        const TIdListPtr full = Parse(tree.Path(name));
        const TIdListPtr last = IdListLast(full.get());
        return Attributes(folder, last.get(), mask);
    };
    const std::uint32_t states = SFGAO_HIDDEN | SFGAO_LINK | SFGAO_READONLY | SFGAO_SHARE;
    EXPECT_EQ(attributesOf(".dot", states) & states, SFGAO_HIDDEN);
    EXPECT_EQ(attributesOf("locked", states) & states, SFGAO_READONLY);
    EXPECT_EQ(attributesOf("linkdir", states) & states, SFGAO_LINK);
    EXPECT_EQ(attributesOf("dangling", states) & states, SFGAO_LINK);
    EXPECT_NE(attributesOf("linkdir", SFGAO_FOLDER) & SFGAO_FOLDER, 0u);
    EXPECT_EQ(attributesOf("dangling", SFGAO_FOLDER) & SFGAO_FOLDER, 0u);
    EXPECT_NE(attributesOf("sub", SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER, 0u);
    EXPECT_EQ(attributesOf("leaf", SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER, 0u);
    EXPECT_NE(attributesOf("locked", 0) & SFGAO_FILESYSTEM, 0u);
    EXPECT_NE(attributesOf("locked", 0) & SFGAO_CANRENAME, 0u);
    // Asked without the bits that read the disk, an entry answers from its identifier alone;
    // the answer must be the one its path gives.
    const std::uint32_t cheap = SFGAO_HIDDEN | SFGAO_LINK | SFGAO_FOLDER | SFGAO_CANRENAME;
    for (const char* name : {".dot", "locked", "linkdir", "dangling", "sub"}) {
        EXPECT_EQ(attributesOf(name, cheap) & cheap,
                  attributesOf(name, cheap | SFGAO_READONLY) & cheap)
            << name;
    }
}

TEST(ShellNamespace, RenameNeverReplacesAnExistingEntry) {
    TempTree tree;
    const QByteArray a = tree.File("a.txt", 0, "first");
    const QByteArray b = tree.File("b.txt", 0, "second");
    const TShellFolderPtr folder = Bind(Parse(tree.Root()).get());
    const TIdListPtr idA = IdListLast(Parse(a).get());
    TIdListPtr newId;
    EXPECT_FALSE(
        folder->SetNameOf(nullptr, idA.get(), QStringLiteral("b.txt"), SHGDN_NORMAL, newId));
    EXPECT_TRUE(TempTree::Exists(a));
    QFile kept(QFile::decodeName(b));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "second");
    for (const char* bad : {"", ".", "..", "x/y"}) {
        EXPECT_FALSE(folder->SetNameOf(nullptr, idA.get(), QString::fromLatin1(bad), 0, newId))
            << bad;
    }
    ASSERT_TRUE(
        folder->SetNameOf(nullptr, idA.get(), QStringLiteral("c.txt"), SHGDN_NORMAL, newId));
    EXPECT_FALSE(TempTree::Exists(a));
    EXPECT_TRUE(TempTree::Exists(tree.Path("c.txt")));
    EXPECT_EQ(Name(folder, newId.get(), SHGDN_INFOLDER), QStringLiteral("c.txt"));
}

TEST(ShellNamespace, ANameThatIsNotUtf8IsListedWithItsBytes) {
    TempTree tree;
    const QByteArray odd("\xff\xfe-disc.flac");
    tree.File(odd, 3);
    const TIdListPtr rootList = Parse(tree.Root());
    const TShellFolderPtr folder = Bind(rootList.get());
    const auto ids = Children(folder, kAll);
    ASSERT_EQ(ids.size(), 1u);
    const TIdListPtr absolute = IdListConcat(rootList.get(), ids[0].get());
    EXPECT_EQ(FileSystemPathOf(absolute.get()), tree.Path(odd));
    EXPECT_TRUE(Name(folder, ids[0].get(), SHGDN_INFOLDER).contains(QChar::ReplacementCharacter));
}

TEST(ShellNamespace, SpecialFoldersMapToXdgFoldersOrToNothing) {
    TempTree tree;
    const QByteArray saved = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", tree.Root());
    qputenv("XDG_CONFIG_HOME", tree.Path(".config"));
    EXPECT_FALSE(SpecialFolderLocation(CSIDL_PERSONAL)); // no Documents folder yet
    tree.Dir("Documents");
    const TIdListPtr documents = SpecialFolderLocation(CSIDL_PERSONAL);
    ASSERT_TRUE(documents);
    EXPECT_EQ(FileSystemPathOf(documents.get()), tree.Path("Documents"));
    EXPECT_FALSE(SpecialFolderLocation(CSIDL_RECENT));
    EXPECT_FALSE(SpecialFolderLocation(CSIDL_PRINTERS));
    EXPECT_EQ(IdListCount(SpecialFolderLocation(CSIDL_DESKTOP).get()), 0);
    EXPECT_EQ(IdListCount(SpecialFolderLocation(CSIDL_DRIVES).get()), 1);
    qputenv("HOME", saved);
    qputenv("XDG_CONFIG_HOME", config);
}

TEST(ShellNamespace, CompareIdsPutsNamesInNaturalOrder) {
    TempTree tree;
    tree.File("disc10");
    tree.File("Disc9");
    const TShellFolderPtr folder = Bind(Parse(tree.Root()).get());
    const TIdListPtr ten = IdListLast(Parse(tree.Path("disc10")).get());
    const TIdListPtr nine = IdListLast(Parse(tree.Path("Disc9")).get());
    EXPECT_LT(std::int16_t(folder->CompareIDs(0, nine.get(), ten.get())), 0);
    EXPECT_GT(std::int16_t(folder->CompareIDs(0, ten.get(), nine.get())), 0);
    EXPECT_EQ(folder->CompareIDs(0, ten.get(), ten.get()), 0);
}

} // namespace
} // namespace platterwise
