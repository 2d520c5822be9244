#include "AppFixture.h"
#include "app/RadioGroup.h"
#include "widgets/fatmemo/FatMemo.h"
#include "widgets/flat/ALButton.h"
#include "widgets/flat/ALComboBox.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/shell/ShellListView.h"

#include <QApplication>
#include <QCursor>
#include <QTest>
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
        ASSERT_EQ(Form().ShellListView1->ItemCount(), 4);
    }
};

TEST_F(Form1Actions, GoWithNothingSelectedShowsOnlyTheInformationBox) {
    TForm1& f = Form();
    f.ALButton1Click();
    EXPECT_EQ(Boxes(), (std::vector<RecordedBox>{
                           {RecordedBox::Information, QStringLiteral("Nothing selected!")}}));
    EXPECT_EQ(f.ALEdit2->text(), u"I'm Ready");
}

TEST_F(Form1Actions, GoListsTheFoundCombinationFoldersWhiteFilesAqua) {
    TForm1& f = Form();
    SelectRows({0, 2}); // A (2000 Mb) and c.flac (2690 Mb): only both reach the window
    f.ALButton1Click();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(f.ALEdit2->text(), u"Prepared 4,690,000,000 байт");
    ASSERT_EQ(f.FatMemo1->Lines().Count(), 2);
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
    f.ALEdit1->setText(QStringLiteral("4200"));
    f.RadioGroup2->SetItemIndex(1);
    f.ALCheckBox2->Click();
    f.ALButton1Click();
    EXPECT_EQ(f.ALEdit2->text(), u"Отобрано 4,190,000,000 байт");
    f.ALEdit2->repaint();
    EXPECT_EQ(f.ALEdit2->FontColor(), 0x00000000u);
}

TEST_F(Form1Actions, TooSmallSampleLimitAndBadInputReports) {
    TForm1& f = Form();
    SelectRows({3});
    f.ALButton1Click();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].kind, RecordedBox::Information);
    EXPECT_THAT(Boxes()[0].text.toStdString(),
                ::testing::StartsWith("Selected files/folders have smaller size"));
    EXPECT_EQ(MemoText(0), u"Still nothing to burn!");
    EXPECT_EQ(f.ALEdit2->text(), u"You fail me, bungler!");

    Boxes().clear();
    SelectRows({2}); // 2690 Mb against a custom 2000 Mb: always beyond the window
    f.RadioGroup2->SetItemIndex(1);
    f.ALEdit1->setText(QStringLiteral("2000"));
    f.ALEdit4->setText(QStringLiteral("3"));
    f.ALButton1Click();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_THAT(Boxes()[0].text.toStdString(), ::testing::StartsWith("Program checked 3 variants"));
    EXPECT_EQ(f.FatMemo1->Lines().Count(), 0);
    EXPECT_EQ(f.ALEdit2->text(), u"U aint lucky! Never to burn those lossless music! :(");

    Boxes().clear();
    f.ALEdit1->setText(QStringLiteral("20 00"));
    f.ALButton1Click();
    EXPECT_EQ(Boxes(),
              (std::vector<RecordedBox>{
                  {RecordedBox::Plain, QStringLiteral("You have typed wrong characters")}}));
    EXPECT_EQ(f.ALEdit2->text(), u"mp3 sux, lossless audio rulez!");
}

TEST_F(Form1Actions, ShowTotalReportsInRussianAndTheTemplateListInEnglish) {
    TForm1& f = Form();
    SelectRows({0, 1});
    f.ALButton6Click();
    EXPECT_EQ(f.ALEdit2->text(), u"Oh, thats a big momma! :)");
    ASSERT_EQ(f.FatMemo1->Lines().Count(), 2);
    EXPECT_EQ(MemoText(0), u"Выделено: папок - 2 , файлов - 0");
    EXPECT_EQ(MemoText(1), u"Общий размер: 3500 Mb (3,500,000,000 bytes)");
    EXPECT_EQ(f.FatMemo1->FontColor(), 0x000000FFu);
    EXPECT_EQ(f.LastTotal(), 3500 * Mb);

    SelectRows({0, 1, 2});
    f.ALComboBox1->setCurrentIndex(3);
    f.ALComboBox1Change(); // CD-R: 700,000,000 bytes
    EXPECT_EQ(MemoText(0), u"Selected: folders - 2 , files - 1");
    EXPECT_EQ(f.FatMemo1->FontColor(), 0x0000FF00u);
    EXPECT_EQ(f.LastTotal(), 6190 * Mb);
}

TEST_F(Form1Actions, AutoSizeOffersWhatIsLeftOnTheMedium) {
    TForm1& f = Form();
    f.ALCheckBox1->Click(); // no report yet: the whole medium
    EXPECT_EQ(f.ALEdit1->text(), u"4700");
    EXPECT_EQ(f.RadioGroup2->ItemIndex(), 1);
    EXPECT_FALSE(f.ALComboBox1->isEnabled());

    f.ALCheckBox1->Click(); // unticking does nothing
    EXPECT_EQ(f.ALEdit1->text(), u"4700");
    f.RadioGroup2->SetItemIndex(0);
    SelectRows({0, 2}); // 4690 Mb
    f.ALButton6Click();
    f.ALCheckBox1->Click();
    EXPECT_EQ(f.ALEdit1->text(), u"10");

    SelectRows({0, 1, 2});
    f.ALButton6Click();
    f.RadioGroup2->SetItemIndex(0);
    f.ALCheckBox1->Click(); // unticks
    f.ALCheckBox1->Click();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_THAT(Boxes()[0].text.toStdString(),
                ::testing::StartsWith("Вы уже выбрали больше, чем вмещает носитель DVD+R!"));
    EXPECT_EQ(f.RadioGroup2->ItemIndex(), 0);
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
    TForm1 f(noting, hotkeys);
    f.ShellListView1->SetRoot(Path(QStringLiteral("music")));
    f.ShellListView1->SelectAll();
    f.ALEdit4->setText(QStringLiteral("x")); // ends the search with a box
    f.ALButton1Click();
    ASSERT_FALSE(noting.shapes.empty());
    for (Qt::CursorShape shape : noting.shapes)
        EXPECT_EQ(shape, Qt::ArrowCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // and the wait cursor is gone after
}

TEST_F(Form1Actions, TheBothDirectionsCaptionShowsTheDeviationAtTheClick) {
    TForm1& f = Form();
    f.ALEdit3->setText(QStringLiteral("40"));
    f.ALCheckBox2->Click();
    EXPECT_EQ(f.ALCheckBox2->Caption(), u"Считать в обе стороны +-40 Mb");
    f.ALEdit3->setText(QStringLiteral("10"));
    EXPECT_EQ(f.ALCheckBox2->Caption(), u"Считать в обе стороны +-40 Mb");
    f.ALCheckBox2->Click();
    EXPECT_EQ(f.ALCheckBox2->Caption(), u"Считать в обе стороны");
}

TEST_F(Form1Actions, TheTimerFollowsTheTargetMode) {
    TForm1& f = Form();
    f.RadioGroup2->SetItemIndex(1);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !f.ALComboBox1->isEnabled() && f.ALEdit1->isEnabled(); }));
    f.RadioGroup2->SetItemIndex(0);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return f.ALComboBox1->isEnabled() && !f.ALEdit1->isEnabled(); }));
    f.RadioGroup2->SetItemIndex(-1); // no mode: nothing changes
    f.Timer1Timer();
    EXPECT_TRUE(f.ALComboBox1->isEnabled());
}

TEST_F(Form1Actions, HelpAndTheHotkey) {
    TForm1& f = Form();
    f.ALButton4Click();
    EXPECT_EQ(Boxes(), (std::vector<RecordedBox>{
                           {RecordedBox::Plain,
                            QStringLiteral("Sorry, this version has no help in English")}}));
    hotkeys.OnHotKey(2);
    EXPECT_FALSE(f.ShellListView1->IsRowSelected(0));
    hotkeys.OnHotKey(1);
    for (int row = 0; row < 4; ++row)
        EXPECT_TRUE(f.ShellListView1->IsRowSelected(row));
}

} // namespace
} // namespace platterwise::testing
