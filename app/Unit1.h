// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the file pane on the left, the target, deviation, sampling and action
// groups on the right, the message line and the results memo. The engine does the work; this
// window gathers the fields, performs the engine's reports and keeps the settings file.
#include "engine/Random.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>

class QGroupBox;
class QLabel;
class QTimer;
class QToolButton;

namespace platterwise {

class IDialogs;
class IGlobalHotkeys;
class TALButton;
class TALCheckBox;
class TALComboBox;
class TALEdit;
class TDiscActions;
class TFatMemo;
class TRadioGroup;
class TShellFolder;
class TShellListView;
struct TTargetFields;
struct TDisplayAction;

class TForm1 final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm1)
public:
    // Builds the window with its design values and runs FormCreate. The dialogs and hotkeys
    // are the caller's and must outlive the window. Each control carries its designed name
    // (ALButton1, ShellListView1, ...) as its object name.
    TForm1(IDialogs& dialogs, IGlobalHotkeys& hotkeys, QWidget* parent = nullptr);
    ~TForm1() override;

    // The windows the Options and About buttons show (created after this one, not owned;
    // a window destroyed first is no longer shown).
    void SetOptionsWindow(QWidget* form2) { form2_ = form2; }
    void SetAboutWindow(QWidget* form3) { form3_ = form3; }
    // The generator Go! reseeds; tests give one with a fixed seed.
    void SetRandom(const TRandom& rng) { random_ = rng; }
    // The byte total of the last totals report, 0 before the first.
    std::int64_t LastTotal() const { return lastTotal_; }
    // The results panel's right-button menu and the disc jobs behind it.
    TDiscActions& DiscActions() { return *discActions_; }
    // Shows what the command line names, after the settings' folder: the first path when it
    // is a folder; otherwise the first path's folder with the given files in it selected.
    // REQUIRES: every path exists. A folder that cannot be shown gets the error box.
    void OpenPaths(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class Sink;

    // The controls, as the window's design names them.
    TRadioGroup* RadioGroup1;
    QGroupBox* GroupBox3;
    TALEdit* ALEdit5;
    QToolButton* SpeedButton1;
    TShellListView* ShellListView1;
    QGroupBox* GroupBox8;
    TALComboBox* ALComboBox2;
    QGroupBox* GroupBox1;
    TRadioGroup* RadioGroup2;
    TALComboBox* ALComboBox1;
    TALEdit* ALEdit1;
    QLabel* Panel1;
    TALCheckBox* ALCheckBox1;
    QGroupBox* GroupBox6;
    TALEdit* ALEdit3;
    QLabel* Label2;
    TALCheckBox* ALCheckBox2;
    QGroupBox* GroupBox7;
    TALEdit* ALEdit4;
    QLabel* Label3;
    QGroupBox* GroupBox2;
    TALButton* ALButton1;
    TALButton* ALButton6;
    TALButton* ALButton5;
    TALButton* ALButton3;
    TALButton* ALButton4;
    TALButton* ALButton2;
    QGroupBox* GroupBox5;
    TALEdit* ALEdit2;
    QGroupBox* GroupBox4;
    TFatMemo* FatMemo1;
    QTimer* Timer1;

    // Handlers, by the events that run them.
    void FormCreate();
    void FormClose();
    void HotKey(int id);
    void Timer1Timer();
    void ALButton1Click(); // Go!
    void ALButton6Click(); // Show total size of selected
    void ALButton5Click(); // Options
    void ALButton3Click(); // About
    void ALButton4Click(); // Help
    void ALButton2Click(); // Exit
    void ALComboBox1Change();
    void ALComboBox2Change();
    void ALCheckBox1Click();
    void ALCheckBox2Click();
    void SpeedButton1Click();
    void ShellListView1AddFolder(TShellListView* Sender, TShellFolder* AFolder, bool& CanAdd);

    // Performs one display action of an engine report on this window's controls.
    void Perform(const TDisplayAction& action);

    void CreateControls();
    void BindEvents();
    void UnbindEvents();
    void SetTabOrder();
    TTargetFields TargetFields() const;
    void ReadStartupSettings();
    // Folders dropped on the file list are shown (Unit1Paths.cpp).
    void AcceptDroppedFolders();
    // The file list shows `folder`; false, after the error box, when it cannot.
    bool ShowFolder(const QString& folder);
    void WriteLastLocation();
    void WriteExitSettings();
    // Runs `handler`; a failure it raises is shown in the standard error box.
    template <typename F>
    void Guarded(F&& handler);

    IDialogs& dialogs_;
    IGlobalHotkeys& hotkeys_;
    QPointer<QWidget> form2_;
    QPointer<QWidget> form3_;
    TRandom random_;
    std::int64_t lastTotal_ = 0;
    std::unique_ptr<TDiscActions> discActions_; // gone before the controls it works on
};

} // namespace platterwise
