// SPDX-License-Identifier: GPL-3.0-or-later
// The details provider's order of attempts and the texts it gives, with folders that offer
// the details interfaces the file-system namespace does not.
#include "platform/Exceptions.h"
#include "widgets/shell/ShellFolder.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace platterwise {
namespace {

using namespace Qt::StringLiterals;

const char* NameOf(TIid iid) {
    switch (iid) {
    case TIid::ShellFolder:
        return "ShellFolder";
    case TIid::ShellFolder2:
        return "ShellFolder2";
    case TIid::ShellDetails:
        return "ShellDetails";
    case TIid::ContextMenu:
        return "ContextMenu";
    }
    return "?";
}

class FakeDetails final : public IShellDetails {
public:
    bool GetDetailsOf(const TItemIdList*, int column, TShellDetails& out) override {
        out.str.hasOleStr = true;
        out.str.pOleStr = QStringLiteral("plain %1").arg(column);
        return true;
    }
};

// A folder that logs every interface request; it offers IShellFolder2 itself and, when
// asked to, plain details from its view object.
class FakeFolder final : public IShellFolder2 {
public:
    QStringList log;
    TUnknownPtr viewDetails;

    bool ParseDisplayName(QWidget*, const QString&, TIdListPtr&) override { return false; }
    std::unique_ptr<IEnumIdList> EnumObjects(QWidget*, std::uint32_t) override { return nullptr; }
    TUnknownPtr BindToObject(const TItemIdList*, TIid iid) override {
        log += QStringLiteral("Bind %1").arg(QLatin1String(NameOf(iid)));
        return nullptr;
    }
    TUnknownPtr CreateViewObject(QWidget*, TIid iid) override {
        log += QStringLiteral("View %1").arg(QLatin1String(NameOf(iid)));
        return iid == TIid::ShellDetails ? viewDetails : nullptr;
    }
    TUnknownPtr GetUIObjectOf(QWidget*, const TItemIdList*, TIid iid) override {
        log += QStringLiteral("UI %1").arg(QLatin1String(NameOf(iid)));
        return nullptr;
    }
    int CompareIDs(int, const TItemIdList*, const TItemIdList*) override { return 0; }
    void GetAttributesOf(const TItemIdList*, std::uint32_t& mask) override { mask = 0; }
    bool GetDisplayNameOf(const TItemIdList*, std::uint32_t, TStrRet& out) override {
        out.hasOleStr = true;
        out.pOleStr = QStringLiteral("child");
        return true;
    }
    bool SetNameOf(QWidget*, const TItemIdList*, const QString&, std::uint32_t,
                   TIdListPtr&) override {
        return false;
    }
    bool GetDetailsOf(const TItemIdList* id, int column, TShellDetails& out) override {
        if (id == nullptr || column == 2) {
            return false; // column 2 fails for items
        }
        out.str.hasOleStr = true;
        out.str.pOleStr = QStringLiteral("?%1?x").arg(column);
        return true;
    }
    bool GetDefaultColumnState(int, std::uint32_t& state) override {
        state = 0;
        return true;
    }
};

TEST(DetailsProvider, TriesEachWayInOrderAndTakesTheFolderItselfLast) {
    const auto fake = std::make_shared<FakeFolder>();
    const TIdListPtr id = IdListFromData("Fnone");
    TShellFolder folder(nullptr, fake, id.get());
    const TUnknownPtr choice = folder.DetailsProvider();
    EXPECT_EQ(choice, fake);
    EXPECT_EQ(folder.ExtendedDetails(), fake);
    EXPECT_EQ(folder.PlainDetails(), nullptr);
    EXPECT_EQ(fake->log,
              QStringList({u"Bind ShellDetails"_s, u"UI ShellDetails"_s, u"View ShellDetails"_s,
                           u"UI ShellFolder2"_s, u"Bind ShellFolder2"_s}));
    folder.DetailsProvider(); // chosen once
    EXPECT_EQ(fake->log.size(), 5);
}

TEST(DetailsProvider, PlainDetailsWinWhenTheFolderGivesThem) {
    const auto fake = std::make_shared<FakeFolder>();
    fake->viewDetails = std::make_shared<FakeDetails>();
    const TIdListPtr id = IdListFromData("Fnone");
    TShellFolder folder(nullptr, fake, id.get());
    EXPECT_EQ(folder.DetailsProvider(), fake->viewDetails);
    EXPECT_EQ(folder.ExtendedDetails(), nullptr);

    const TIdListPtr childId = IdListFromData("Fchild");
    TShellFolder child(&folder, nullptr, childId.get());
    child.LoadColumnDetails(&folder, nullptr, 2);
    EXPECT_EQ(child.ColumnTexts(), QStringList({u"plain 1"_s, u"plain 2"_s}));
}

TEST(DetailsProvider, ExtendedTextsFollowTheQuestionMarkRuleAndFailuresGiveEmptyTexts) {
    const auto fake = std::make_shared<FakeFolder>();
    const TIdListPtr id = IdListFromData("Fnone");
    TShellFolder folder(nullptr, fake, id.get());
    const TIdListPtr childId = IdListFromData("Fchild");
    TShellFolder child(&folder, nullptr, childId.get());
    child.LoadColumnDetails(&folder, nullptr, 3);
    EXPECT_EQ(child.ColumnTexts(), QStringList({u"1x"_s, u""_s, u"3x"_s}));
    EXPECT_EQ(child.ColumnText(3), QStringLiteral("3x"));
}

TEST(DetailsProvider, AFolderWithoutProviderAndNotInTheFileSystemGivesNoTexts) {
    class Bare final : public IShellFolder {
    public:
        bool ParseDisplayName(QWidget*, const QString&, TIdListPtr&) override { return false; }
        std::unique_ptr<IEnumIdList> EnumObjects(QWidget*, std::uint32_t) override {
            return nullptr;
        }
        TUnknownPtr BindToObject(const TItemIdList*, TIid) override { return nullptr; }
        TUnknownPtr CreateViewObject(QWidget*, TIid) override { return nullptr; }
        TUnknownPtr GetUIObjectOf(QWidget*, const TItemIdList*, TIid) override { return nullptr; }
        int CompareIDs(int, const TItemIdList*, const TItemIdList*) override { return 0; }
        void GetAttributesOf(const TItemIdList*, std::uint32_t& mask) override { mask = 0; }
        bool GetDisplayNameOf(const TItemIdList*, std::uint32_t, TStrRet& out) override {
            out.hasOleStr = true;
            out.pOleStr = QStringLiteral("bare");
            return true;
        }
        bool SetNameOf(QWidget*, const TItemIdList*, const QString&, std::uint32_t,
                       TIdListPtr&) override {
            return false;
        }
    };
    const TIdListPtr id = IdListFromData("Fnone");
    TShellFolder folder(nullptr, std::make_shared<Bare>(), id.get());
    EXPECT_EQ(folder.DetailsProvider(), nullptr);
    TShellFolder child(&folder, nullptr, id.get());
    child.LoadColumnDetails(&folder, nullptr, 3);
    EXPECT_TRUE(child.ColumnTexts().isEmpty());
    EXPECT_THROW(child.ColumnText(1), Exception);
}

} // namespace
} // namespace platterwise
