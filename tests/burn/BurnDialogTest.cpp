// SPDX-License-Identifier: GPL-3.0-or-later
// The burn dialog on pseudo-drives, by keyboard and mouse: two catalogued discs one after
// another, each read back and recorded; Esc mid-burn cancels and records nothing.
#include "app/BurnDialog.h"

#include "BurnTestSupport.h"
#include "catalogue/Catalogue.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace platterwise {
namespace {

using testing::RandomImage;
using testing::SameBytes;
using testing::ScratchDir;

class BurnDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto catalogue = TCatalogue::Open(catalogue_, TCatalogue::TMode::Write);
        for (const std::string& label : catalogue->ReserveLabels("PW", "20261208", 2)) {
            TCatalogueDisc disc;
            disc.Label = label;
            disc.Medium = "dvd+r";
            disc.ImagePath = RandomImage(dir_.Path(label + ".iso"), 500, unsigned(label.back()));
            burn::TMd5 md5;
            const std::string bytes = Read(disc.ImagePath);
            md5.Add(bytes.data(), bytes.size());
            const burn::TMd5Digest digest = md5.Finish();
            disc.ImageMd5 = burn::Md5Hex(digest);
            catalogue->RecordDisc(disc);
            discs_.push_back({label, disc.ImagePath, label, digest});
        }
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    TDiscState State(const std::string& label) {
        return TCatalogue::Open(catalogue_, TCatalogue::TMode::Read)->Disc(label)->State;
    }
    // Types `address` into the drive box and leaves it with Tab, as a user would.
    void ChooseDrive(TBurnDialog& dialog, const std::string& address) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.Busy(); }, 30'000));
        auto* drive = dialog.findChild<QComboBox*>(QStringLiteral("Drive"));
        drive->setFocus();
        drive->lineEdit()->selectAll();
        QTest::keyClicks(drive, QString::fromStdString(address));
        QTest::keyClick(drive, Qt::Key_Tab);
        auto* medium = dialog.findChild<QLabel*>(QStringLiteral("Medium"));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return medium->text().contains(QStringLiteral("stdio")); }, 30'000))
            << medium->text().toStdString();
    }

    ScratchDir dir_;
    std::string catalogue_ = dir_.Path("catalogue.sqlite");
    std::vector<TBurnDialogDisc> discs_;
};

TEST_F(BurnDialogTest, BurnsDiscAfterDiscAndRecordsEachOnceReadBack) {
    TBurnDialog dialog(discs_, catalogue_);
    dialog.show();
    QSignalSpy done(&dialog, &TBurnDialog::DiscDone);
    const std::string drive = dir_.Path("drive");
    ChooseDrive(dialog, "stdio:" + drive);
    auto* status = dialog.findChild<QLabel*>(QStringLiteral("Status"));

    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Burn")), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.count() == 1; }, 60'000));
    EXPECT_TRUE(done.at(0).at(1).toBool()) << status->text().toStdString();
    EXPECT_TRUE(SameBytes(discs_[0].ImagePath, drive));
    EXPECT_EQ(State(discs_[0].Label), TDiscState::Burned);
    EXPECT_TRUE(status->text().contains(QStringLiteral("Put a blank disc for disc 2")));

    // The next blank disc goes in; Alt+B burns it.
    std::filesystem::rename(drive, dir_.Path("first disc"));
    QTest::keyClick(&dialog, Qt::Key_B, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.count() == 2; }, 60'000));
    EXPECT_TRUE(done.at(1).at(1).toBool()) << status->text().toStdString();
    EXPECT_TRUE(SameBytes(discs_[1].ImagePath, drive));
    EXPECT_EQ(State(discs_[1].Label), TDiscState::Burned);
    EXPECT_EQ(dialog.NextDisc(), 2u);
    EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("Burn"))->isEnabled());
}

TEST_F(BurnDialogTest, EscapeMidBurnCancelsAndRecordsNothing) {
    TBurnDialog dialog(discs_, catalogue_);
    dialog.show();
    QSignalSpy done(&dialog, &TBurnDialog::DiscDone);
    testing::BlockedPipeDrive pipe(dir_.Path("pipe"));
    ChooseDrive(dialog, pipe.Address());
    auto* status = dialog.findChild<QLabel*>(QStringLiteral("Status"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Burn")), Qt::LeftButton);
    // The write is stuck on the unread pipe once "Writing" shows.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return status->text().startsWith(QStringLiteral("Writing")); }, 30'000));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    pipe.Drain();
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.count() == 1; }, 60'000));
    EXPECT_FALSE(done.at(0).at(1).toBool());
    EXPECT_TRUE(status->text().contains(QStringLiteral("cancelled")))
        << status->text().toStdString();
    EXPECT_TRUE(dialog.isVisible()) << "Esc while burning cancels, it does not close";
    EXPECT_EQ(State(discs_[0].Label), TDiscState::Written);
    EXPECT_EQ(dialog.NextDisc(), 0u);
}

} // namespace
} // namespace platterwise
