// SPDX-License-Identifier: GPL-3.0-or-later
#include "Unit2.h"

#include "FormDesign.h"
#include "GroupBox.h"
#include "RadioGroup.h"
#include "SettingsFile.h"
#include "SettingsKeys.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "widgets/flat/ALButton.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRadioButton>

namespace platterwise {
namespace {

TALCheckBox* Check(QWidget* parent, const char* caption, QRect geometry) {
    auto* c = new TALCheckBox(parent);
    c->setGeometry(geometry);
    c->SetColor(kFlatColor);
    c->SetCaption(QString::fromUtf8(caption));
    c->SetAutoSize(true);
    c->OnPaint = CheckBoxPaint;
    return c;
}

QString YesNo(const TALCheckBox* box) {
    return box->Checked() ? settings::kYes : settings::kNo;
}

} // namespace

TForm2::TForm2(IDialogs& dialogs, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , dialogs_(dialogs) {
    setWindowTitle(QString());
    setFixedSize(340, 298);
    setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));

    GroupBox1 = new TGroupBox(QStringLiteral("Settings"), this);
    GroupBox1->setGeometry(6, 6, 331, 262);
    ALCheckBox1 = Check(GroupBox1, " Remember last dir", {18, 24, 106, 17});
    ALCheckBox2 = Check(GroupBox1, "Remember template (DVD-R / CD-R / ...)", {18, 51, 213, 17});
    ALCheckBox3 = Check(GroupBox1, "Remember deviation", {18, 78, 116, 17});
    ALCheckBox4 = Check(GroupBox1, "Remember random sampling samples", {18, 105, 193, 17});
    RadioGroup1 = new TRadioGroup(GroupBox1);
    RadioGroup1->setTitle(QStringLiteral("Disk Tree View"));
    RadioGroup1->setGeometry(9, 129, 313, 124);
    RadioGroup1->SetItems({QStringLiteral("Large Icons"), QStringLiteral("List (simple)"),
                           QStringLiteral("List (File / Size / Type / Date)"),
                           QStringLiteral("Small Icons")});
    RadioGroup1->SetItemIndex(0);

    ALButton1 = new TALButton(this);
    ALButton1->setGeometry(105, 273, 151, 19);
    ALButton1->SetColor(kFlatColor);
    ALButton1->SetCaption(QStringLiteral("&Save"));
    ALButton1->OnPaint = ButtonPaint;
    ALButton1->OnClick = [this](QObject*) { ALButton1Click(); };

    setTabOrder(ALCheckBox1, ALCheckBox2);
    setTabOrder(ALCheckBox2, ALCheckBox3);
    setTabOrder(ALCheckBox3, ALCheckBox4);
    setTabOrder(ALCheckBox4, RadioGroup1->Button(0));
    for (int i = 1; i < RadioGroup1->ItemCount(); ++i) {
        setTabOrder(RadioGroup1->Button(i - 1), RadioGroup1->Button(i));
    }
    setTabOrder(RadioGroup1->Button(RadioGroup1->ItemCount() - 1), ALButton1);

    PLATTERWISE_DESIGN_NAME(GroupBox1);
    PLATTERWISE_DESIGN_NAME(ALCheckBox1);
    PLATTERWISE_DESIGN_NAME(ALCheckBox2);
    PLATTERWISE_DESIGN_NAME(ALCheckBox3);
    PLATTERWISE_DESIGN_NAME(ALCheckBox4);
    PLATTERWISE_DESIGN_NAME(RadioGroup1);
    PLATTERWISE_DESIGN_NAME(ALButton1);

    CenterOnScreen(*this);
    FormCreate();
}

// The button is a Qt child and outlives this part of the window.
TForm2::~TForm2() {
    ALButton1->OnClick = nullptr;
}

// Each "remember" key defaults to the answer read for the key before it, so a missing key
// takes over its predecessor's. Loading only ever ticks.
void TForm2::FormCreate() {
    using namespace settings;
    QString value;
    for (const auto& [key, box] :
         {std::pair{kRememberLastLoc, ALCheckBox1}, std::pair{kRememberTemplate, ALCheckBox2},
          std::pair{kRememberDeviation, ALCheckBox3}, std::pair{kRememberRandom, ALCheckBox4}}) {
        value = TSettingsFile().ReadString(key, value);
        if (value == kYes) {
            box->SetChecked(true);
        }
    }
    const int shell = TSettingsFile().ReadInteger(kShell, 0);
    if (shell >= 0 && shell <= 3) {
        RadioGroup1->SetItemIndex(shell);
    }
}

bool TForm2::event(QEvent* e) {
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return handled;
}

void TForm2::keyPressEvent(QKeyEvent* e) {
    // Esc closes this window as its close box does, and goes no further: the main window's
    // Esc (which cancels a disc job) is not this window's.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TForm2::FormActivate() {
    RadioGroup1->FocusChosen();
}

void TForm2::ALButton1Click() {
    using namespace settings;
    hide();
    try {
        TSettingsFile().WriteString(kRememberLastLoc, YesNo(ALCheckBox1));
        TSettingsFile().WriteString(kRememberTemplate, YesNo(ALCheckBox2));
        TSettingsFile().WriteString(kRememberDeviation, YesNo(ALCheckBox3));
        TSettingsFile().WriteString(kRememberRandom, YesNo(ALCheckBox4));
        if (RadioGroup1->ItemIndex() >= 0) {
            TSettingsFile().WriteInteger(kShell, RadioGroup1->ItemIndex());
        }
    } catch (const std::exception& e) {
        ShowException(e, dialogs_);
    }
}

} // namespace platterwise
