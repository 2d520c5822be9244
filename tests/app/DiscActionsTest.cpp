// SPDX-License-Identifier: GPL-3.0-or-later
// The results panel's menu: fullest disc, plan, fit check, clipboard and saved lists.
#include "app/DiscActions.h"

#include "AppFixture.h"
#include "app/Unit2.h"
#include "disc/FitCheck.h"
#include "widgets/fatmemo/FatMemo.h"
#include "widgets/flat/ALButton.h"
#include "widgets/flat/ALComboBox.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/shell/ShellListView.h"

#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gmock/gmock.h>
#include <unistd.h>

namespace platterwise::testing {
namespace {

constexpr qint64 Mb = 1'000'000;
QStringList Strings(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* t : texts) {
        list << QString::fromUtf8(t);
    }
    return list;
}

// The window sizes images as it writes them: with their MD5s.
TImageOptions WindowOptions() {
    TImageOptions options;
    options.RecordMd5 = true;
    return options;
}

constexpr TColor kYellow = 0x0000FFFF, kWhite = 0x00FFFFFF, kAqua = 0x00FFFF00;

// Rows A, B (folders), "c d.flac", e.cue, huge.flac; the disc is a custom 5 Mb (2,441 sectors).
class DiscActionsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        File(QStringLiteral("music/A/a1.flac"), 1200 * 1000);
        File(QStringLiteral("music/A/a2.flac"), 800 * 1000);
        File(QStringLiteral("music/B/b.ape"), 1500 * 1000);
        File(QStringLiteral("music/c d.flac"), 2600 * 1000);
        File(QStringLiteral("music/e.cue"), 1000);
        File(QStringLiteral("music/huge.flac"), 6 * Mb);
        PutSettings("[MAIN]\nREMEMBER_LAST_LOC=YES\nLAST_LOC=" +
                    Path(QStringLiteral("music")).toUtf8() + "\n");
        Form().SetRandom(TRandom(7));
        ASSERT_EQ(FileList().ItemCount(), 5);
        Choose(Control<TRadioGroup>("RadioGroup2"), 1);
        Type(Control<TALEdit>("ALEdit1"), QStringLiteral("5"));
    }
    TDiscActions& Actions() { return Form().DiscActions(); }
    QAction& Entry(QMenu& menu, const QString& text) {
        for (QAction* a : menu.actions()) {
            if (a->text() == text) {
                return *a;
            }
        }
        throw std::logic_error("no menu entry " + text.toStdString());
    }
    QAction& Entry(const char* text) { return Entry(Actions().Menu(), QString::fromUtf8(text)); }
    void WaitIdle() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return Actions().Job() == nullptr; }, 30'000));
    }
    void Run(const char* entry) {
        Entry(entry).trigger();
        WaitIdle();
    }
    QStringList Lines() {
        QStringList lines;
        for (int i = 0; i < Results().Lines().Count(); ++i) {
            lines << MemoText(i);
        }
        return lines;
    }
    std::string Full(const char* rel) { return Path(QString::fromUtf8(rel)).toStdString(); }
    QString Music(const char* rel) {
        return Path(QStringLiteral("music/") + QString::fromUtf8(rel));
    }
};

TEST_F(DiscActionsTest, MenuEntriesAndTheirEnabledStates) {
    QStringList texts;
    for (QAction* a : Actions().Menu().actions()) {
        if (!a->isSeparator()) {
            texts << a->text();
        }
    }
    EXPECT_EQ(texts, (Strings({"Fullest disc", "Plan all discs", "Check fit on the disc",
                               "Copy full paths", "Save disc lists…", "Write disc images…",
                               "Record as burned", "Burn disc images…", "Find on discs…", "Medium",
                               "Cancel"})));
    EXPECT_EQ(Entry("Fullest disc").shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    EXPECT_EQ(Entry("Burn disc images…").shortcut(), QKeySequence(QStringLiteral("Ctrl+B")));
    EXPECT_EQ(Entry("Plan all discs").shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    emit Actions().Menu().aboutToShow();
    EXPECT_EQ(Actions().MediaMenu().actions().first()->text(), u"As the window chooses: 5 Mb");
    EXPECT_NO_THROW(Entry(Actions().MediaMenu(), QStringLiteral("BD-R DL")));
    EXPECT_THAT(Control<TALButton>("ALButton1").toolTip().toStdString(),
                ::testing::HasSubstr("Right-click the results"));
    for (const char* off :
         {"Check fit on the disc", "Copy full paths", "Save disc lists…", "Cancel"}) {
        EXPECT_FALSE(Entry(off).isEnabled()) << off;
    }
    SelectRows({0, 1});
    Entry("Plan all discs").trigger();
    EXPECT_TRUE(Entry("Cancel").isEnabled());
    WaitIdle();
    EXPECT_FALSE(Entry("Cancel").isEnabled());
    for (const char* on : {"Check fit on the disc", "Copy full paths", "Save disc lists…"}) {
        EXPECT_TRUE(Entry(on).isEnabled()) << on;
    }
}

TEST_F(DiscActionsTest, PlanByShortcutListsEachDiscUnderAYellowHeaderTooLargeLast) {
    TForm1& f = Form();
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    SelectRows({0, 1, 2, 3, 4});
    QTest::keyClick(&f, Qt::Key_P, Qt::ControlModifier);
    ASSERT_NE(Actions().Job(), nullptr);
    WaitIdle();
    const QStringList lines = Lines();
    const QRegularExpression header(
        QStringLiteral("^Disc (\\d): [\\d,]+ sectors verified, [\\d,]+ spare$"));
    ASSERT_EQ(lines.size(), 8) << lines.join(u'|').toStdString();
    EXPECT_EQ(lines.mid(6), (Strings({"Larger than the disc (1)", "huge.flac"})));
    EXPECT_EQ(Message(), u"2 discs of 5 Mb, lower bound 2, the fewest possible");
    int discs = 0;
    bool fileSeen = false;
    QStringList items;
    for (int i = 0; i < 6; ++i) {
        if (header.match(lines[i]).hasMatch()) {
            EXPECT_EQ(header.match(lines[i]).captured(1).toInt(), ++discs);
            EXPECT_EQ(MemoTextColor(i), kYellow);
            fileSeen = false;
            continue;
        }
        const bool folder = lines[i] == u"A" || lines[i] == u"B";
        EXPECT_EQ(MemoTextColor(i), folder ? kWhite : kAqua) << i;
        EXPECT_FALSE(folder && fileSeen) << "folders come first on each disc";
        fileSeen = fileSeen || !folder;
        items << lines[i];
    }
    EXPECT_EQ(discs, 2);
    items.sort();
    EXPECT_EQ(items, (Strings({"A", "B", "c d.flac", "e.cue"})));
    EXPECT_EQ(MemoTextColor(6), kYellow);
}

TEST_F(DiscActionsTest, FullestDiscOnAMediumChosenFromTheMenu) {
    SelectRows({0, 2, 4});
    Entry(Actions().MediaMenu(), QStringLiteral("CD-R 80 min")).trigger();
    Run("Fullest disc");
    EXPECT_EQ(Lines().mid(1), (Strings({"A", "c d.flac", "huge.flac"})));
    const QRegularExpressionMatch spare =
        QRegularExpression(QStringLiteral("sectors verified, ([\\d,]+) spare$")).match(MemoText(0));
    ASSERT_TRUE(spare.hasMatch()) << MemoText(0).toStdString();
    EXPECT_EQ(Message(), QStringLiteral("Fullest disc: ") + spare.captured(1) +
                             QStringLiteral(" sectors spare on CD-R 80 min"));
}

TEST_F(DiscActionsTest, FitOfGoFoundItemsInTheTooltipAndOnDemand) {
    SelectRows({0, 1, 2, 3});
    Press("ALButton1");
    const QStringList report = Lines();
    const QString said = Message();
    ASSERT_FALSE(report.isEmpty());
    ASSERT_EQ(Actions().ListedPaths().size(), std::size_t(report.size()));
    WaitIdle();
    const QString fit = QString::fromStdString(
        FitCheckText(CheckFit(Actions().ListedPaths(), 2441, WindowOptions()), "5 Mb"));
    auto& message = Control<TALEdit>("ALEdit2");
    EXPECT_EQ(message.toolTip(), QStringLiteral("The found items: ") + fit);
    EXPECT_EQ(Lines(), report);
    EXPECT_EQ(Message(), said);
    Run("Check fit on the disc");
    EXPECT_EQ(Message(), fit);
    EXPECT_EQ(Lines(), report);
}

TEST_F(DiscActionsTest, CancelledAndRefusedRequestsLeaveThePanelAsItWas) {
    TForm1& f = Form();
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    SelectRows({0, 1, 2, 3});
    Press("ALButton1");
    WaitIdle(); // the fit check after Go!
    const QStringList report = Lines();
    // No event is handled between the request and the key: the job cannot have delivered.
    Entry("Plan all discs").trigger();
    Entry("Fullest disc").trigger();
    EXPECT_EQ(Message(), u"Still busy with the last request: Esc cancels it");
    QTest::keyClick(&f, Qt::Key_Escape);
    WaitIdle();
    EXPECT_EQ(Message(), u"Cancelled: the results are as they were");
    EXPECT_EQ(Lines(), report);
    Run("Fullest disc"); // the runner takes work again
    EXPECT_THAT(Message().toStdString(), ::testing::StartsWith("Fullest disc: "));
}

TEST_F(DiscActionsTest, ADesignedReportStopsAJobSaysSoAndGetsItsFitCheck) {
    SelectRows({0, 1, 2, 3});
    Entry("Plan all discs").trigger();
    ASSERT_NE(Actions().Job(), nullptr);
    Press("ALButton1");
    const QStringList report = Lines();
    const QString said = Message();
    ASSERT_FALSE(report.isEmpty());
    auto& message = Control<TALEdit>("ALEdit2");
    EXPECT_EQ(message.toolTip(), u"The plan of all discs was stopped by Go!");
    ASSERT_TRUE(QTest::qWaitFor([&] { return message.toolTip().contains(u"found"); }, 30'000));
    WaitIdle();
    EXPECT_THAT(message.toolTip().toStdString(),
                ::testing::MatchesRegex("The plan of all discs was stopped by Go!\n"
                                        "The found items: .*"));
    EXPECT_EQ(Lines(), report);
    EXPECT_EQ(Message(), said);

    // The totals on a template change leave the message line as it is: the note shows there.
    Entry("Fullest disc").trigger();
    Choose(Control<TALComboBox>("ALComboBox1"), 2);
    EXPECT_EQ(Message(), u"The search for the fullest disc was stopped by the total");
    EXPECT_EQ(Actions().Job(), nullptr);
}

TEST_F(DiscActionsTest, AJobOutlivesReloadsAndNavigationAndListsFullPathsElsewhere) {
    SelectRows({0, 1, 2, 3});
    QSignalSpy said(&Control<TALEdit>("ALEdit2"), &QLineEdit::textChanged);
    Entry("Plan all discs").trigger();
    // A refused request's note stays until the job has ended; no progress covers it.
    Entry("Fullest disc").trigger();
    said.clear();
    FileList().Reload();
    FileList().GoUp(); // the folder that holds music/
    ASSERT_NE(Actions().Job(), nullptr);
    WaitIdle();
    ASSERT_EQ(said.size(), 1);
    EXPECT_EQ(said[0][0].toString(), u"2 discs of 5 Mb, lower bound 2, the fewest possible");
    QStringList items = Lines().filter(QRegularExpression(QStringLiteral("^[^D]")));
    items.sort();
    EXPECT_EQ(items, (QStringList{Music("A"), Music("B"), Music("c d.flac"), Music("e.cue")}));

    // The panel cleared by the file pane takes the job's words with it.
    FileList().Reload();
    EXPECT_EQ(Results().Lines().Count(), 0);
    EXPECT_EQ(Message(), QString());
}

TEST_F(DiscActionsTest, CopyFitAndDiscCopiesHoldOnlyItemsOnDiscsDiscByDisc) {
    SelectRows({0, 1, 2, 3, 4});
    Run("Plan all discs");
    ASSERT_EQ(Lines().mid(6), (Strings({"Larger than the disc (1)", "huge.flac"})));
    Entry("Copy full paths").trigger();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_FALSE(copied.contains(u"huge.flac")) << copied.toStdString();
    EXPECT_EQ(copied.count(u'\n'), 3);

    emit Actions().Menu().aboutToShow();
    Entry("Copy disc 2").trigger();
    std::vector<std::string> disc2;
    for (const QString& path : QGuiApplication::clipboard()->text().split(u'\n')) {
        disc2.push_back(path.toStdString());
        EXPECT_TRUE(copied.contains(path)) << path.toStdString();
    }
    EXPECT_LT(disc2.size(), 4u);
    EXPECT_THROW(Entry("Copy disc 3"), std::logic_error);

    Run("Check fit on the disc");
    EXPECT_EQ(Message(), u"All 2 discs fit on 5 Mb");
    const std::string fit2 =
        FitCheckText(CheckFit(disc2, 2441, WindowOptions()), "5 Mb"); // "Fits on ..."
    EXPECT_THAT(Control<TALEdit>("ALEdit2").toolTip().toStdString(),
                ::testing::MatchesRegex("Disc 1 fits on 5 Mb: [0-9,]+ sectors spare\n"
                                        "Disc 2 f" +
                                        fit2.substr(1)));
}

TEST_F(DiscActionsTest, EscBelongsToTheFocusedWindowAndTheResultsTakeTheKeyboard) {
    TForm1& f = Form();
    TForm2 options(dialogs_, &f);
    f.SetOptionsWindow(&options);
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    SelectRows({0, 1, 2, 3});
    Press("ALButton5");
    ASSERT_TRUE(QTest::qWaitForWindowActive(&options));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return QApplication::focusWidget() && QApplication::focusWidget()->window() == &options;
    })) << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                        : "none");
    // No event is handled between the request and the key: the job cannot have ended.
    Entry("Plan all discs").trigger();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(options.isVisible());
    EXPECT_NE(Actions().Job(), nullptr);
    WaitIdle();

    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(&f, Qt::Key_R, Qt::ControlModifier);
    TFatMemo& memo = Results();
    ASSERT_TRUE(memo.hasFocus());
    while (memo.Lines().Count() < 40) {
        memo.Lines().AddLine(QStringLiteral("more"));
    }
    QTest::keyClick(&memo, Qt::Key_End);
    EXPECT_EQ(memo.TopIndex(),
              memo.findChild<QScrollBar*>(QStringLiteral("ScrollBarVert"))->maximum());
    QTest::keyClick(&memo, Qt::Key_Home);
    EXPECT_EQ(memo.TopIndex(), 0);
    QTest::keyClick(&memo, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(Actions().Menu().isVisible());
    Actions().Menu().hide();

    // Ctrl+A while a name is edited selects the name, not every row.
    bool handled = false;
    FileList().BeforeVerb("rename", handled);
    ASSERT_TRUE(QTest::qWaitFor([&] { return FileList().IsEditingLabel(); }));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->deselect();
    hotkeys_.Press(1);
    EXPECT_EQ(editor->selectedText(), editor->text());
    EXPECT_FALSE(FileList().IsRowSelected(4));
}

TEST_F(DiscActionsTest, TheFitCheckAfterGoGivesWayToARequest) {
    SelectRows({0, 1, 2, 3});
    Press("ALButton1");
    ASSERT_NE(Actions().Job(), nullptr); // the fit check
    Entry("Plan all discs").trigger();
    EXPECT_EQ(Message(), u"Planning the discs…");
    auto& message = Control<TALEdit>("ALEdit2");
    EXPECT_EQ(message.toolTip(), u"Fit on the disc not checked: another request came first");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Message() == u"2 discs of 5 Mb, lower bound 2, the fewest possible"; },
        30'000));
    WaitIdle();
    EXPECT_TRUE(message.toolTip().isEmpty()); // it spoke of Go!'s items, which are gone
    EXPECT_THAT(MemoText(0).toStdString(), ::testing::StartsWith("Disc 1: "));
}

TEST_F(DiscActionsTest, ClipboardGetsUriListBesidePlainText) {
    TForm1& f = Form();
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    SelectRows({2, 3});
    Run("Fullest disc");
    ASSERT_EQ(Lines().mid(1), (Strings({"c d.flac", "e.cue"})));
    const QByteArray uris = "file://" + QUrl::toPercentEncoding(Music("c d.flac"), "/") +
                            "\r\nfile://" + QUrl::toPercentEncoding(Music("e.cue"), "/") + "\r\n";
    Entry("Copy full paths").trigger();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(copied->text(), Music("c d.flac") + u'\n' + Music("e.cue"));
    EXPECT_EQ(copied->data(QStringLiteral("text/uri-list")), uris);

    // Dragging from the header to the last item: the designed text, and the items' URIs.
    TFatMemo& memo = Results();
    const auto centre = [&](int line) {
        const TFatPart& part =
            memo.Lines().Items(line).Parts(memo.Lines().Items(line).PartCount() - 1);
        return part.Layout().Flow.ToQRect().center();
    };
    QTest::mousePress(&memo, Qt::LeftButton, {}, centre(0));
    QTest::mouseMove(&memo, centre(2));
    QTest::mouseRelease(&memo, Qt::LeftButton, {}, centre(2));
    copied = QGuiApplication::clipboard()->mimeData();
    EXPECT_THAT(copied->text().toStdString(), ::testing::HasSubstr(" spare\r\nc d.flac\r\ne."));
    EXPECT_EQ(copied->data(QStringLiteral("text/uri-list")), uris);
}

TEST_F(DiscActionsTest, WhatCouldNotBeReadIsNamedInTheMessageTooltip) {
    ASSERT_EQ(::symlink("loop", Music("A/loop").toLocal8Bit().constData()), 0);
    SelectRows({0, 1});
    Press("ALButton6");
    EXPECT_EQ(Message(), u"Oh, thats a big momma! :)");
    EXPECT_EQ(Control<TALEdit>("ALEdit2").toolTip(),
              QStringLiteral("1 item could not be read: ") + Music("A/loop") +
                  QStringLiteral(": Too many levels of symbolic links"));
}

TEST_F(DiscActionsTest, SavesAListAndAScriptPerDiscAndReportsAFailure) {
    SelectRows({0, 1, 2, 3});
    Run("Plan all discs");
    QString folder = Path(QStringLiteral("lists"));
    Actions().ChooseFolder = [&] { return folder; };
    Entry("Save disc lists…").trigger();
    for (const char* name : {"disc1.list", "disc1.sh", "disc2.list", "disc2.sh"}) {
        EXPECT_TRUE(QFile::exists(folder + u'/' + QString::fromUtf8(name))) << name;
    }
    EXPECT_TRUE(Boxes().empty());
    // A plan of one disc saved over those takes the second disc's list and script away.
    SelectRows({0});
    Run("Plan all discs");
    Entry("Save disc lists…").trigger();
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/disc2.list")));
    EXPECT_EQ(Message(), QStringLiteral("Saved 1 disc list and their commands in ") + folder +
                             QStringLiteral("; removed 2 files of an earlier plan"));
    EXPECT_THAT(Control<TALEdit>("ALEdit2").toolTip().toStdString(),
                ::testing::HasSubstr("/disc2.sh"));
    const QStringList shown = Lines();
    folder = Music("e.cue"); // a file, not a folder
    Entry("Save disc lists…").trigger();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_THAT(Boxes()[0].text.toStdString(),
                ::testing::StartsWith("The disc lists were not all saved: "));
    EXPECT_EQ(Lines(), shown);
}

} // namespace
} // namespace platterwise::testing
