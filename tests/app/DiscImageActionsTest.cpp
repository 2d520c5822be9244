// SPDX-License-Identifier: GPL-3.0-or-later
// The results panel writes a plan's images, records them burned, burns one, and the next plan
// lists what a burned disc already holds.
#include "AppFixture.h"
#include "app/BurnDialog.h"
#include "app/DiscActions.h"
#include "catalogue/Catalogue.h"
#include "widgets/fatmemo/FatMemo.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/shell/ShellListView.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gmock/gmock.h>

namespace platterwise::testing {
namespace {

constexpr TColor kOrange = 0x004080FF;

// Rows A (folder), B (folder), c.flac; a custom 5 Mb disc takes A and B, or c.flac, not all.
class DiscImageActionsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        File(QStringLiteral("music/A/a1.flac"), 1'200'000);
        File(QStringLiteral("music/A/a2.flac"), 800'000);
        File(QStringLiteral("music/B/b.ape"), 1'500'000);
        File(QStringLiteral("music/c.flac"), 3'600'000);
        PutSettings("[MAIN]\nREMEMBER_LAST_LOC=YES\nLAST_LOC=" +
                    Path(QStringLiteral("music")).toUtf8() + "\n");
        ASSERT_EQ(FileList().ItemCount(), 3);
        Choose(Control<TRadioGroup>("RadioGroup2"), 1);
        Type(Control<TALEdit>("ALEdit1"), QStringLiteral("5"));
        Actions().ChooseImageFolder = [this] { return Path(QStringLiteral("images")); };
    }
    TDiscActions& Actions() { return Form().DiscActions(); }
    QAction& Entry(const QString& text) {
        emit Actions().Menu().aboutToShow(); // as opening the menu does
        for (QAction* a : Actions().Menu().actions()) {
            if (a->text() == text) {
                return *a;
            }
        }
        throw std::logic_error("no menu entry " + text.toStdString());
    }
    void Run(const QString& entry) {
        Entry(entry).trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Actions().Job() == nullptr; }, 60'000));
    }
    void PlanAndWrite() {
        SelectRows({0, 1, 2});
        Run(QStringLiteral("Plan all discs"));
        Run(QStringLiteral("Write disc images…"));
    }
    std::unique_ptr<TCatalogue> Catalogue() {
        return TCatalogue::Open(DefaultCataloguePath(), TCatalogue::TMode::Read);
    }
    // The label of the written disc that holds music/`item`.
    std::string Disc(const std::vector<TRecordedImage>& written, const char* item) {
        const std::string path = Path(QStringLiteral("music/") + QLatin1String(item)).toStdString();
        for (const TRecordedImage& image : written) {
            const auto disc = Catalogue()->Disc(image.Label);
            for (const TCatalogueItem& i : disc->Items) {
                if (i.SourcePath == path) {
                    return image.Label;
                }
            }
        }
        return "none";
    }
    static std::string FileMd5(const std::string& path) {
        QFile f(QString::fromStdString(path));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        QCryptographicHash hash(QCryptographicHash::Md5);
        hash.addData(&f);
        return hash.result().toHex().toStdString();
    }
};

TEST_F(DiscImageActionsTest, WritesRecordsMarksBurnedAndTheNextPlanListsWhatIsOnDisc) {
    EXPECT_FALSE(Entry(QStringLiteral("Write disc images…")).isEnabled());
    EXPECT_FALSE(Entry(QStringLiteral("Record as burned")).isEnabled());
    PlanAndWrite();
    const std::vector<TRecordedImage> written = Actions().Written();
    ASSERT_EQ(written.size(), 2u) << Message().toStdString();
    const QString labels = QString::fromStdString(written[0].Label + ", " + written[1].Label);
    EXPECT_EQ(Message(), QStringLiteral("Wrote 2 disc images in ") +
                             Path(QStringLiteral("images")) + QStringLiteral(": ") + labels);
    for (std::size_t d = 0; d < 2; ++d) {
        const std::string image =
            Path(QStringLiteral("images/disc%1.iso").arg(d + 1)).toStdString();
        EXPECT_EQ(written[d].Path, image);
        const auto disc = Catalogue()->Disc(written[d].Label);
        ASSERT_TRUE(disc);
        EXPECT_EQ(disc->State, TDiscState::Written);
        EXPECT_EQ(disc->ImageMd5, FileMd5(image)); // the catalogue describes the real file
        EXPECT_EQ(disc->Medium, "custom");
        EXPECT_FALSE(disc->Files.empty());
    }
    EXPECT_TRUE(Entry(QStringLiteral("Burn disc 2…")).isEnabled());

    Run(QStringLiteral("Record as burned"));
    EXPECT_EQ(Message(), QStringLiteral("Recorded as burned: ") + labels);
    for (const TRecordedImage& image : written) {
        EXPECT_EQ(Catalogue()->Disc(image.Label)->State, TDiscState::Burned);
    }

    SelectRows({0, 1, 2});
    Run(QStringLiteral("Plan all discs"));
    EXPECT_EQ(Message(), u"All 3 items are already on a burned disc");

    // c.flac grows: it is planned again; A and B stay on their burned disc.
    File(QStringLiteral("music/c.flac"), 3'700'000);
    SelectRows({0, 1, 2});
    Run(QStringLiteral("Plan all discs"));
    QStringList lines;
    for (int i = 0; i < Results().Lines().Count(); ++i) {
        lines << MemoText(i);
    }
    const int header = int(lines.indexOf(QStringLiteral("Already on disc ") +
                                         QString::fromStdString(Disc(written, "A"))));
    ASSERT_GE(header, 0) << lines.join(u'|').toStdString();
    EXPECT_EQ(lines.mid(header + 1), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(MemoTextColor(header), kOrange);
    EXPECT_EQ(MemoTextColor(header + 1), kOrange);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Disc 1:")));
    EXPECT_EQ(lines[1], QStringLiteral("c.flac"));
    EXPECT_THAT(Message().toStdString(), ::testing::EndsWith("; 2 items already on a burned disc"));
    // Only the new plan's disc is for the clipboard and the burner.
    EXPECT_EQ(Actions().ListedPaths(),
              std::vector<std::string>{Path(QStringLiteral("music/c.flac")).toStdString()});
}

TEST_F(DiscImageActionsTest, CancelRemovesTheImageBeingWrittenAndItsLabel) {
    File(QStringLiteral("music/A/a1.flac"), 120'000'000);
    Type(Control<TALEdit>("ALEdit1"), QStringLiteral("4000"));
    SelectRows({0});
    Run(QStringLiteral("Plan all discs"));
    Entry(QStringLiteral("Write disc images…")).trigger();
    ASSERT_NE(Actions().Job(), nullptr);
    QObject::connect(Actions().Job(), &TWindowJob::ImageProgress, &Actions(),
                     &TDiscActions::Cancel);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Actions().Job() == nullptr; }, 60'000));
    EXPECT_EQ(Message(), QStringLiteral("Cancelled: no disc image written"));
    EXPECT_TRUE(QDir(Path(QStringLiteral("images"))).isEmpty());
    EXPECT_TRUE(Catalogue()->Discs().empty());
    EXPECT_TRUE(Actions().Written().empty());
}

TEST_F(DiscImageActionsTest, TheTotalDuringTheWritingSaysWhichImagesStayWritten) {
    File(QStringLiteral("music/c.flac"), 4'900'000); // disc 2 takes a while to write
    SelectRows({0, 1, 2});
    Run(QStringLiteral("Plan all discs"));
    Entry(QStringLiteral("Write disc images…")).trigger();
    ASSERT_NE(Actions().Job(), nullptr);
    QObject::connect(Actions().Job(), &TWindowJob::ImageProgress, &Form(), [this](int disc) {
        if (disc == 1) {
            Press("ALButton6"); // the total
        }
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return Actions().Job() == nullptr; }, 60'000));
    const QString expected = QStringLiteral("The writing of disc images was stopped by the total "
                                            "after 1 disc image (kept in ") +
                             Path(QStringLiteral("images")) + QStringLiteral(" and catalogued)");
    EXPECT_EQ(Control<TALEdit>("ALEdit2").toolTip().toStdString(), expected.toStdString());
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("images/disc1.iso"))));
    EXPECT_FALSE(Catalogue()->Discs().empty());
}

TEST_F(DiscImageActionsTest, BurnDiscOpensTheDialogOnThatDiscAndTheBurnIsCheckedAndRecorded) {
    PlanAndWrite();
    ASSERT_EQ(Actions().Written().size(), 2u);
    const TRecordedImage image = Actions().Written()[1];
    Entry(QStringLiteral("Burn disc 2…")).trigger();
    auto* dialog = Form().findChild<TBurnDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->findChildren<QLabel*>()[0]->text(),
              QStringLiteral("Disc 1 of 1: ") + QString::fromStdString(image.Label));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->Busy(); }, 30'000));
    auto* drive = dialog->findChild<QComboBox*>(QStringLiteral("Drive"));
    const QString file = Path(QStringLiteral("drive"));
    drive->setFocus();
    drive->lineEdit()->selectAll();
    QTest::keyClicks(drive, QStringLiteral("stdio:") + file);
    QTest::keyClick(drive, Qt::Key_Tab);
    auto* medium = dialog->findChild<QLabel*>(QStringLiteral("Medium"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return medium->text().contains(QStringLiteral("stdio")); }, 30'000));
    QSignalSpy done(dialog, &TBurnDialog::DiscDone);
    QTest::keyClick(dialog->findChild<QPushButton*>(QStringLiteral("Burn")), Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.count() == 1; }, 60'000));
    EXPECT_TRUE(done.at(0).at(1).toBool());
    EXPECT_EQ(FileMd5(file.toStdString()), image.Md5);
    EXPECT_EQ(Catalogue()->Disc(image.Label)->State, TDiscState::Burned);
    EXPECT_EQ(Catalogue()->Disc(Actions().Written()[0].Label)->State, TDiscState::Written);
}

} // namespace
} // namespace platterwise::testing
