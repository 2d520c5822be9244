// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixture.h"
#include "app/RadioGroup.h"
#include "widgets/fatmemo/FatMemo.h"
#include "widgets/flat/ALButton.h"
#include "widgets/flat/ALComboBox.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/shell/ShellListView.h"

#include <QApplication>
#include <QCursor>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>

namespace platterwise::testing {
namespace {

constexpr qint64 Mb = 1'000'000;

// A folder of the prepared collection: rows A, B (folders), c.flac, d.cue, in that order.
class Form1Actions : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        File(QStringLiteral("music/A/a1.flac"), 1200 * Mb);
        File(QStringLiteral("music/A/a2.flac"), 800 * Mb);
        File(QStringLiteral("music/B/b.ape"), 1500 * Mb);
        File(QStringLiteral("music/c.flac"), 2690 * Mb);
        File(QStringLiteral("music/d.cue"), 999'999);
        PutSettings("[MAIN]\nREMEMBER_LAST_LOC=YES\nLAST_LOC=" +
                    Path(QStringLiteral("music")).toUtf8() + "\n");
        Form().SetRandom(TRandom(7));
        ASSERT_EQ(FileList().ItemCount(), 4);
    }
};

TEST_F(Form1Actions, GoWithNothingSelectedShowsOnlyTheInformationBox) {
    Press("ALButton1");
    EXPECT_EQ(Boxes(), (std::vector<RecordedBox>{
                           {RecordedBox::Information, QStringLiteral("Nothing selected!")}}));
    EXPECT_EQ(Message(), u"I'm Ready");
}

TEST_F(Form1Actions, GoListsTheFoundCombinationFoldersWhiteFilesAqua) {
    SelectRows({0, 2}); // A (2000 Mb) and c.flac (2690 Mb): only both reach the window
    Press("ALButton1");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Message(), u"Prepared 4,690,000,000 байт");
    ASSERT_EQ(Results().Lines().Count(), 2);
    EXPECT_EQ(MemoText(0), u"A");
    EXPECT_EQ(MemoTextColor(0), 0x00FFFFFFu);
    EXPECT_EQ(MemoText(1), u"c.flac");
    EXPECT_EQ(MemoTextColor(1), 0x00FFFF00u);
}

TEST_F(Form1Actions, BothDirectionsColourTheMessageWhichItsHookTurnsBlack) {
    TForm1& f = Form();
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    SelectRows({1, 2}); // 1500 + 2690 Mb, within 25 Mb of 4200
    Choose(Control<TRadioGroup>("RadioGroup2"), 1);
    Type(Control<TALEdit>("ALEdit1"), QStringLiteral("4200"));
    Press("ALCheckBox2");
    Press("ALButton1");
    auto& message = Control<TALEdit>("ALEdit2");
    EXPECT_EQ(message.text(), u"Отобрано 4,190,000,000 байт");
    message.repaint();
    EXPECT_EQ(message.FontColor(), 0x00000000u);
}

TEST_F(Form1Actions, TooSmallSampleLimitAndBadInputReports) {
    SelectRows({3});
    Press("ALButton1");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].kind, RecordedBox::Information);
    EXPECT_THAT(Boxes()[0].text.toStdString(),
                ::testing::StartsWith("Selected files/folders have smaller size"));
    EXPECT_EQ(MemoText(0), u"Still nothing to burn!");
    EXPECT_EQ(Message(), u"You fail me, bungler!");

    Boxes().clear();
    SelectRows({2}); // 2690 Mb against a custom 2000 Mb: always beyond the window
    Choose(Control<TRadioGroup>("RadioGroup2"), 1);
    Type(Control<TALEdit>("ALEdit1"), QStringLiteral("2000"));
    Type(Control<TALEdit>("ALEdit4"), QStringLiteral("3"));
    Press("ALButton1");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_THAT(Boxes()[0].text.toStdString(), ::testing::StartsWith("Program checked 3 variants"));
    EXPECT_EQ(Results().Lines().Count(), 0);
    EXPECT_EQ(Message(), u"U aint lucky! Never to burn those lossless music! :(");

    Boxes().clear();
    Type(Control<TALEdit>("ALEdit1"), QStringLiteral("20 00"));
    Press("ALButton1");
    EXPECT_EQ(Boxes(),
              (std::vector<RecordedBox>{
                  {RecordedBox::Plain, QStringLiteral("You have typed wrong characters")}}));
    EXPECT_EQ(Message(), u"mp3 sux, lossless audio rulez!");
}

TEST_F(Form1Actions, ShowTotalReportsInRussianAndTheTemplateListInEnglish) {
    SelectRows({0, 1});
    Press("ALButton6");
    EXPECT_EQ(Message(), u"Oh, thats a big momma! :)");
    ASSERT_EQ(Results().Lines().Count(), 2);
    EXPECT_EQ(MemoText(0), u"Выделено: папок - 2 , файлов - 0");
    EXPECT_EQ(MemoText(1), u"Общий размер: 3500 Mb (3,500,000,000 bytes)");
    EXPECT_EQ(Results().FontColor(), 0x000000FFu);
    EXPECT_EQ(Form().LastTotal(), 3500 * Mb);

    SelectRows({0, 1, 2});
    Choose(Control<TALComboBox>("ALComboBox1"), 3); // CD-R: 700,000,000 bytes
    EXPECT_EQ(MemoText(0), u"Selected: folders - 2 , files - 1");
    EXPECT_EQ(Results().FontColor(), 0x0000FF00u);
    EXPECT_EQ(Form().LastTotal(), 6190 * Mb);
}

TEST_F(Form1Actions, AutoSizeOffersWhatIsLeftOnTheMedium) {
    auto& size = Control<TALEdit>("ALEdit1");
    auto& mode = Control<TRadioGroup>("RadioGroup2");
    Press("ALCheckBox1"); // no report yet: the whole medium
    EXPECT_EQ(size.text(), u"4700");
    EXPECT_EQ(mode.ItemIndex(), 1);
    EXPECT_FALSE(Control<TALComboBox>("ALComboBox1").isEnabled());

    Press("ALCheckBox1"); // unticking does nothing
    EXPECT_EQ(size.text(), u"4700");
    Choose(mode, 0);
    SelectRows({0, 2}); // 4690 Mb
    Press("ALButton6");
    Press("ALCheckBox1");
    EXPECT_EQ(size.text(), u"10");

    SelectRows({0, 1, 2});
    Press("ALButton6");
    Choose(mode, 0);
    Press("ALCheckBox1"); // unticks
    Press("ALCheckBox1");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_THAT(Boxes()[0].text.toStdString(),
                ::testing::StartsWith("Вы уже выбрали больше, чем вмещает носитель DVD+R!"));
    EXPECT_EQ(mode.ItemIndex(), 0);
}

// Notes the pointer each box is shown under.
class CursorNotingDialogs final : public IDialogs {
public:
    void ShowPlainBox(const QString&) override { Note(); }
    void ShowInformationBox(const QString&) override { Note(); }
    std::vector<Qt::CursorShape> shapes;

private:
    void Note() {
        const QCursor* c = QApplication::overrideCursor();
        shapes.push_back(c ? c->shape() : Qt::ArrowCursor);
    }
};

TEST_F(Form1Actions, BoxesShowTheOrdinaryPointerWhileTheSearchShowsTheWaitCursor) {
    CursorNotingDialogs noting;
    TForm1 f(noting, hotkeys_);
    auto& list = Find<TShellListView>(f, "ShellListView1");
    list.SetRoot(Path(QStringLiteral("music")));
    list.SelectAll();
    Type(Find<TALEdit>(f, "ALEdit4"), QStringLiteral("x")); // ends the search with a box
    Click(Find<TALButton>(f, "ALButton1"));
    ASSERT_FALSE(noting.shapes.empty());
    for (Qt::CursorShape shape : noting.shapes)
        EXPECT_EQ(shape, Qt::ArrowCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // and the wait cursor is gone after
}

TEST_F(Form1Actions, TheBothDirectionsCaptionShowsTheDeviationAtTheClick) {
    auto& both = Control<TALCheckBox>("ALCheckBox2");
    Type(Control<TALEdit>("ALEdit3"), QStringLiteral("40"));
    Click(both);
    EXPECT_EQ(both.Caption(), u"Считать в обе стороны +-40 Mb");
    Type(Control<TALEdit>("ALEdit3"), QStringLiteral("10"));
    EXPECT_EQ(both.Caption(), u"Считать в обе стороны +-40 Mb");
    Click(both);
    EXPECT_EQ(both.Caption(), u"Считать в обе стороны");
}

TEST_F(Form1Actions, TheTimerFollowsTheTargetMode) {
    auto& mode = Control<TRadioGroup>("RadioGroup2");
    auto& media = Control<TALComboBox>("ALComboBox1");
    auto& custom = Control<TALEdit>("ALEdit1");
    Choose(mode, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !media.isEnabled() && custom.isEnabled(); }));
    Choose(mode, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return media.isEnabled() && !custom.isEnabled(); }));
    mode.SetItemIndex(-1); // no mode: nothing changes
    QSignalSpy tick(&Control<QTimer>("Timer1"), &QTimer::timeout);
    ASSERT_TRUE(tick.wait());
    EXPECT_TRUE(media.isEnabled());
}

TEST_F(Form1Actions, HelpAndTheHotkey) {
    Press("ALButton4");
    EXPECT_EQ(Boxes(), (std::vector<RecordedBox>{
                           {RecordedBox::Plain,
                            QStringLiteral("Sorry, this version has no help in English")}}));
    hotkeys_.Press(2);
    EXPECT_FALSE(FileList().IsRowSelected(0));
    hotkeys_.Press(1);
    for (int row = 0; row < 4; ++row)
        EXPECT_TRUE(FileList().IsRowSelected(row));
}

} // namespace
} // namespace platterwise::testing
