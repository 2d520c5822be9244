// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options window: which fields and which folder the main window restores at start-up,
// and the file list's view style. What it saves takes effect at the next start.
#include <QWidget>

class QGroupBox;

namespace platterwise {

class IDialogs;
class TALButton;
class TALCheckBox;
class TRadioGroup;

class TForm2 final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm2)
public:
    // Created hidden; loads its controls from the settings file once (FormCreate). The
    // dialogs must outlive the window. Each control carries its designed name as object name.
    explicit TForm2(IDialogs& dialogs, QWidget* parent = nullptr);
    ~TForm2() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QGroupBox* GroupBox1;
    TALCheckBox* ALCheckBox1; // REMEMBER_LAST_LOC
    TALCheckBox* ALCheckBox2; // REMEMBER_TEMPLATE
    TALCheckBox* ALCheckBox3; // REMEMBER_DEVIATION
    TALCheckBox* ALCheckBox4; // REMEMBER_RANDOM
    TRadioGroup* RadioGroup1; // SHELL
    TALButton* ALButton1;     // Save

    void FormCreate();
    void FormActivate();
    void ALButton1Click();

    IDialogs& dialogs_;
};

} // namespace platterwise
