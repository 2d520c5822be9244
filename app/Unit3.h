// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about window: the program's name, a one-line description, its web address, a build
// line and credits beside the animated picture. Shown modeless, hidden by OK or its close box.
#include <QWidget>

class QFrame;
class QGroupBox;

namespace platterwise {

class TALButton;
class TRxGIFAnimator;
class TRxLabel;

// The address the about window links to.
QString ProgramWebAddress();

class TForm3 final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm3)
public:
    // Created hidden. Each control carries its designed name as object name.
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

protected:
    bool event(QEvent* event) override;

private:
    QFrame* Panel1;
    QGroupBox* GroupBox1;
    QFrame* Panel2;
    TRxGIFAnimator* RxGIFAnimator1;
    TRxLabel* RxLabel1;
    TRxLabel* RxLabel2;
    TRxLabel* RxLabel8; // the link
    TRxLabel* RxLabel3;
    TRxLabel* RxLabel4;
    TRxLabel* RxLabel5;
    TRxLabel* RxLabel7;
    TRxLabel* RxLabel6;
    TALButton* ALButton1; // OK

    void FormActivate();
    void ALButton1Click();
    void RxLabel8Click();
};

} // namespace platterwise
