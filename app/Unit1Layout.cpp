// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls with their design values: geometry, captions, items, fonts,
// colours and flags. No layouts: the window has a fixed client size and every control its
// place in it.
#include "BackArrowGlyph.h"
#include "FormDesign.h"
#include "GroupBox.h"
#include "RadioGroup.h"
#include "Unit1.h"
#include "image/MediaTemplates.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"
#include "widgets/fatmemo/FatMemo.h"
#include "widgets/flat/ALButton.h"
#include "widgets/flat/ALComboBox.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/shell/ShellListView.h"

#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

namespace platterwise {
namespace {

QFont Arial11(TFontStyles styles = 0) {
    return MakeFont(QStringLiteral("Arial"), -11, styles);
}

QGroupBox* Group(QWidget* parent, const char* title, QRect geometry) {
    auto* g = new TGroupBox(QString::fromUtf8(title), parent);
    g->setGeometry(geometry);
    return g;
}

template <typename Flat>
Flat* MakeFlat(QWidget* parent, QRect geometry) {
    auto* w = new Flat(parent);
    w->setGeometry(geometry);
    w->SetColor(kFlatColor);
    return w;
}

TALButton* Button(QWidget* parent, const char* caption, QRect geometry) {
    auto* b = MakeFlat<TALButton>(parent, geometry);
    b->SetCaption(QString::fromUtf8(caption));
    return b;
}

TALEdit* Edit(QWidget* parent, const char* text, QRect geometry) {
    auto* e = MakeFlat<TALEdit>(parent, geometry);
    e->setText(QString::fromUtf8(text));
    return e;
}

QLabel* Label(QWidget* parent, const char* caption, QRect geometry) {
    auto* l = new QLabel(QString::fromUtf8(caption), parent);
    l->setGeometry(geometry);
    return l;
}

} // namespace

void TForm1::CreateControls() {
    setWindowTitle(
        QStringLiteral("Morwen's Platterwise v0.2 -- for lossless music collectors ;-)"));
    setFixedSize(892, 696);
    setFont(Arial11());

    RadioGroup1 = new TRadioGroup(this); // a plain frame around the client area
    RadioGroup1->setGeometry(3, 0, 886, 694);

    GroupBox3 = Group(this, " Select source folders ", {6, 9, 481, 631});
    ALEdit5 = Edit(GroupBox3, "", {9, 18, 427, 20});
    ALEdit5->setReadOnly(true);
    SpeedButton1 = new QToolButton(GroupBox3);
    SpeedButton1->setGeometry(443, 11, 30, 29);
    SpeedButton1->setIcon(QIcon(BackArrowGlyph()));
    SpeedButton1->setIconSize({25, 23});
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    ShellListView1 = new TShellListView(GroupBox3);
    ShellListView1->setGeometry(9, 45, 463, 580);
    ShellListView1->SetObjectTypes({otFolders, otNonFolders, otHidden});
    ShellListView1->SetSorted(true);
    ShellListView1->SetAutoRefresh(true);
    ShellListView1->SetMultiSelect(true);
    ShellListView1->SetReadOnly(false);
    ShellListView1->SetGridLines(true);
    ShellListView1->SetHideSelection(false);
    ShellListView1->SetViewStyle(vsReport);

    GroupBox8 = Group(this, " Show files of the following type: ", {6, 645, 481, 46});
    ALComboBox2 = MakeFlat<TALComboBox>(GroupBox8, {9, 15, 463, 22});
    ALComboBox2->addItems({QStringLiteral("All Files -- *.*"),
                           QStringLiteral("Lossless -- APE/FLAC/SHN/WV/CUE/LOG"),
                           QStringLiteral("Archives/Images -- RAR/ZIP/7Z/ISO")});
    ALComboBox2->setCurrentIndex(0);
    SetItemHeight(*ALComboBox2, 14);

    GroupBox1 = Group(this, " Controls ", {492, 9, 385, 397});
    GroupBox1->setFont(Arial11());
    RadioGroup2 = new TRadioGroup(GroupBox1);
    RadioGroup2->setTitle(QStringLiteral(" Set target size "));
    RadioGroup2->setGeometry(9, 15, 366, 70);
    RadioGroup2->SetItems({QStringLiteral("Media size"), QStringLiteral("Custom size")});
    RadioGroup2->SetItemIndex(0);
    ALComboBox1 = MakeFlat<TALComboBox>(GroupBox1, {147, 33, 211, 22});
    for (const TMediaTemplate& t : MediaTemplates) {
        ALComboBox1->addItem(QString::fromUtf8(t.Caption.data(), qsizetype(t.Caption.size())));
    }
    ALComboBox1->setCurrentIndex(0);
    SetItemHeight(*ALComboBox1, 14);
    ALEdit1 = Edit(GroupBox1, "", {147, 57, 121, 20});
    Panel1 = Label(GroupBox1, "Mb", {273, 57, 19, 20});
    Panel1->setAlignment(Qt::AlignCenter);
    ALCheckBox1 = MakeFlat<TALCheckBox>(GroupBox1, {297, 59, 65, 16});
    ALCheckBox1->SetCaption(QStringLiteral("Auto size"));

    // These four lie over the Controls group.
    GroupBox6 = Group(this, " Set deviation (1 ... n + 1 Mb) ", {501, 93, 367, 49});
    ALEdit3 = Edit(GroupBox6, "25", {9, 19, 37, 20});
    Label2 = Label(GroupBox6, "Mb", {51, 21, 15, 13});
    Label2->setFont(MakeFont(QStringLiteral("MS Sans Serif"), -12));
    Label2->adjustSize(); // labels size themselves to their caption
    ALCheckBox2 = MakeFlat<TALCheckBox>(GroupBox6, {75, 19, 143, 18});
    ALCheckBox2->SetCaption(QStringLiteral(" Calculate both directions "));
    ALCheckBox2->SetAutoSize(true);

    GroupBox7 = Group(this, " Random sampling ", {501, 145, 367, 48});
    ALEdit4 = Edit(GroupBox7, "1000", {9, 18, 37, 20});
    Label3 = Label(GroupBox7, "samples", {54, 21, 40, 14});
    QPalette black = Label3->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label3->setPalette(black);
    Label3->adjustSize();

    GroupBox2 = Group(this, " Actions ", {501, 194, 367, 164});
    ALButton1 = Button(GroupBox2, " &Go! ", {12, 15, 343, 20});
    ALButton6 = Button(GroupBox2, " &Show total size of selected ", {12, 39, 343, 20});
    ALButton5 = Button(GroupBox2, " &Options ", {12, 64, 343, 20});
    ALButton3 = Button(GroupBox2, " &About ", {12, 89, 343, 20});
    ALButton4 = Button(GroupBox2, " &Help ", {12, 114, 343, 20});
    ALButton2 = Button(GroupBox2, " E&xit", {12, 139, 343, 20});

    GroupBox5 = Group(this, " Messages (I'm BOT) ", {501, 360, 367, 40});
    ALEdit2 = Edit(GroupBox5, "I'm Ready", {9, 15, 349, 20});
    ALEdit2->setReadOnly(true);
    ALEdit2->setFont(Arial11(fsBold));

    GroupBox4 = Group(this, " Results ", {492, 408, 385, 283});
    FatMemo1 = new TFatMemo(this); // over the Results group, not inside it
    FatMemo1->setGeometry(498, 427, 370, 255);
    FatMemo1->setFont(Arial11(fsBold));
    FatMemo1->SetColor(clNavy);
    FatMemo1->SetBorderStyle(bsSingle);
    FatMemo1->SetLineHeight(16);
    FatMemo1->SetDrawFlags(0);
    FatMemo1->SetStickText(stTop);
    FatMemo1->SetScrollBarVert(true);
    FatMemo1->SetScrollBarHoriz(false);
    FatMemo1->SetTopIndex(0);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);

    PLATTERWISE_DESIGN_NAME(RadioGroup1);
    PLATTERWISE_DESIGN_NAME(GroupBox3);
    PLATTERWISE_DESIGN_NAME(ALEdit5);
    PLATTERWISE_DESIGN_NAME(SpeedButton1);
    PLATTERWISE_DESIGN_NAME(ShellListView1);
    PLATTERWISE_DESIGN_NAME(GroupBox8);
    PLATTERWISE_DESIGN_NAME(ALComboBox2);
    PLATTERWISE_DESIGN_NAME(GroupBox1);
    PLATTERWISE_DESIGN_NAME(RadioGroup2);
    PLATTERWISE_DESIGN_NAME(ALComboBox1);
    PLATTERWISE_DESIGN_NAME(ALEdit1);
    PLATTERWISE_DESIGN_NAME(Panel1);
    PLATTERWISE_DESIGN_NAME(ALCheckBox1);
    PLATTERWISE_DESIGN_NAME(GroupBox6);
    PLATTERWISE_DESIGN_NAME(ALEdit3);
    PLATTERWISE_DESIGN_NAME(Label2);
    PLATTERWISE_DESIGN_NAME(ALCheckBox2);
    PLATTERWISE_DESIGN_NAME(GroupBox7);
    PLATTERWISE_DESIGN_NAME(ALEdit4);
    PLATTERWISE_DESIGN_NAME(Label3);
    PLATTERWISE_DESIGN_NAME(GroupBox2);
    PLATTERWISE_DESIGN_NAME(ALButton1);
    PLATTERWISE_DESIGN_NAME(ALButton6);
    PLATTERWISE_DESIGN_NAME(ALButton5);
    PLATTERWISE_DESIGN_NAME(ALButton3);
    PLATTERWISE_DESIGN_NAME(ALButton4);
    PLATTERWISE_DESIGN_NAME(ALButton2);
    PLATTERWISE_DESIGN_NAME(GroupBox5);
    PLATTERWISE_DESIGN_NAME(ALEdit2);
    PLATTERWISE_DESIGN_NAME(GroupBox4);
    PLATTERWISE_DESIGN_NAME(FatMemo1);
    PLATTERWISE_DESIGN_NAME(Timer1);
}

void TForm1::SetTabOrder() {
    const QList<QWidget*> chain{ALButton1,      ALButton2,   ALButton3,   ALButton4,   ALButton5,
                                ALButton6,      ALEdit2,     ALEdit3,     ALCheckBox2, ALEdit4,
                                ShellListView1, ALEdit5,     RadioGroup2, ALComboBox1, ALEdit1,
                                ALCheckBox1,    ALComboBox2, FatMemo1};
    for (qsizetype i = 1; i < chain.size(); ++i) {
        setTabOrder(chain[i - 1], chain[i]);
    }
}

} // namespace platterwise
