// SPDX-License-Identifier: GPL-3.0-or-later
#include "Unit3.h"

#include "FormDesign.h"
#include "GroupBox.h"
#include "app/AboutAnimation.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"
#include "widgets/animated/GIFImage.h"
#include "widgets/animated/RxGIFAnimator.h"
#include "widgets/animated/RxLabel.h"
#include "widgets/flat/ALButton.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QUrl>

namespace platterwise {
namespace {

TRxLabel* Label(QWidget* parent, QPoint at, const QString& caption, const QFont& font) {
    auto* l = new TRxLabel(parent);
    l->setFont(font);
    l->SetCaption(caption);
    l->move(at);
    return l;
}

} // namespace

QString ProgramWebAddress() {
    return QStringLiteral("https://example.org/platterwise/");
}

TForm3::TForm3(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QString());
    setFixedSize(514, 210);
    const QFont windowFont = MakeFont(QStringLiteral("MS Sans Serif"), -11);
    setFont(windowFont);

    Panel1 = new QFrame(this);
    Panel1->setGeometry(3, 3, 511, 208);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    GroupBox1 = new TGroupBox(QString(), Panel1);
    GroupBox1->setGeometry(6, 3, 496, 196);
    // A group box that cannot take the focus hands it to its first child; this one keeps it.
    GroupBox1->setFocusPolicy(Qt::ClickFocus);
    Panel2 = new QFrame(GroupBox1);
    Panel2->setGeometry(6, 12, 151, 50);
    Panel2->setFrameStyle(QFrame::WinPanel | QFrame::Sunken); // both bevels lowered

    TGIFImage image;
    image.LoadFromFile(AboutAnimationPath());
    image.SetFrameIndex(62);
    RxGIFAnimator1 = new TRxGIFAnimator(Panel2);
    RxGIFAnimator1->SetAutoSize(false);
    RxGIFAnimator1->SetImage(image);
    RxGIFAnimator1->setGeometry(1, 1, 150, 49);
    RxGIFAnimator1->SetAnimate(true);

    const QString arial = QStringLiteral("Arial");
    RxLabel1 = Label(GroupBox1, {180, 15}, QStringLiteral("Morwen's Platterwise v0.2"),
                     MakeFont(arial, -13, fsBold));
    RxLabel2 =
        Label(GroupBox1, {183, 33}, QStringLiteral("-- Freeware for lossless music collectors ;-)"),
              MakeFont(arial, -11, fsBold));
    RxLabel8 = Label(GroupBox1, {183, 54}, ProgramWebAddress(),
                     MakeFont(QStringLiteral("MS Sans Serif"), -11, fsBold | fsUnderline));
    RxLabel8->SetFontColor(clBlue);
    RxLabel8->SetColor(clBtnFace);
    RxLabel8->setCursor(Qt::PointingHandCursor);
    RxLabel8->OnClick = [this] { RxLabel8Click(); };
    RxLabel3 =
        Label(GroupBox1, {180, 78}, QStringLiteral("Build 0.2 for Linux: C++20, Qt 6, giflib"),
              MakeFont(arial, -11, fsBold));
    RxLabel4 =
        Label(GroupBox1, {180, 96}, QStringLiteral("Idea, design and disc-fill search: Morwen"),
              MakeFont(arial, -11, fsBold));
    RxLabel5 = Label(GroupBox1, {180, 123},
                     QStringLiteral("Memo, controls, file list, animation: the Platterwise team"),
                     MakeFont(arial, -11));
    RxLabel7 =
        Label(GroupBox1, {180, 141},
              QStringLiteral("Fonts: Liberation Sans; icons: the desktop's theme"), windowFont);
    RxLabel6 =
        Label(GroupBox1, {180, 168},
              QStringLiteral("Greetings to everyone who still burns lossless music to discs!"),
              windowFont);

    ALButton1 = new TALButton(GroupBox1);
    ALButton1->setGeometry(39, 108, 88, 22);
    ALButton1->SetColor(kFlatColor);
    ALButton1->SetCaption(QStringLiteral("OK"));
    ALButton1->OnPaint = ButtonPaint;
    ALButton1->OnClick = [this](QObject*) { ALButton1Click(); };

    PLATTERWISE_DESIGN_NAME(Panel1);
    PLATTERWISE_DESIGN_NAME(GroupBox1);
    PLATTERWISE_DESIGN_NAME(Panel2);
    PLATTERWISE_DESIGN_NAME(RxGIFAnimator1);
    PLATTERWISE_DESIGN_NAME(RxLabel1);
    PLATTERWISE_DESIGN_NAME(RxLabel2);
    PLATTERWISE_DESIGN_NAME(RxLabel8);
    PLATTERWISE_DESIGN_NAME(RxLabel3);
    PLATTERWISE_DESIGN_NAME(RxLabel4);
    PLATTERWISE_DESIGN_NAME(RxLabel5);
    PLATTERWISE_DESIGN_NAME(RxLabel7);
    PLATTERWISE_DESIGN_NAME(RxLabel6);
    PLATTERWISE_DESIGN_NAME(ALButton1);
    CenterOnScreen(*this);
}

// The controls are Qt children and outlive this part of the window.
TForm3::~TForm3() {
    RxLabel8->OnClick = nullptr;
    ALButton1->OnClick = nullptr;
}

bool TForm3::event(QEvent* e) {
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return handled;
}

void TForm3::FormActivate() {
    GroupBox1->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm3::ALButton1Click() {
    hide();
}

// The desktop opens the address with its default application; if nothing can, nothing is said.
void TForm3::RxLabel8Click() {
    QDesktopServices::openUrl(QUrl(ProgramWebAddress()));
}

} // namespace platterwise
