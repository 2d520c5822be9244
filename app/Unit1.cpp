// SPDX-License-Identifier: GPL-3.0-or-later
#include "Unit1.h"

#include "DiscActions.h"
#include "FormDesign.h"
#include "RadioGroup.h"
#include "ShellRowSource.h"
#include "TypeFilter.h"
#include "UnreadableReport.h"
#include "engine/GoAction.h"
#include "engine/TotalsReport.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/GlobalHotkey.h"
#include "widgets/fatmemo/FatMemo.h"
#include "widgets/flat/ALButton.h"
#include "widgets/flat/ALComboBox.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/shell/ShellListView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

namespace platterwise {
namespace {

constexpr int kHotKeyId = 1;
constexpr unsigned kVirtualKeyA = 0x41;

QString FromEngine(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string ToEngine(const QString& text) {
    return text.toStdString();
}

// The wait cursor while a folder walk or a search holds the window.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The ordinary pointer over a message box shown while the wait cursor is up.
class ArrowCursor {
public:
    ArrowCursor()
        : active_(QApplication::overrideCursor() != nullptr) {
        if (active_) {
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ~ArrowCursor() {
        if (active_) {
            QApplication::restoreOverrideCursor();
        }
    }
    ArrowCursor(const ArrowCursor&) = delete;
    ArrowCursor& operator=(const ArrowCursor&) = delete;

private:
    bool active_;
};

} // namespace

// Forwards engine actions to the window as they come.
class TForm1::Sink final : public TReportSink {
public:
    explicit Sink(TForm1& form)
        : form_(form) {}
    void Perform(const TDisplayAction& action) override { form_.Perform(action); }

private:
    TForm1& form_;
};

TForm1::TForm1(IDialogs& dialogs, IGlobalHotkeys& hotkeys, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , dialogs_(dialogs)
    , hotkeys_(hotkeys) {
    CreateControls();
    discActions_ = std::make_unique<TDiscActions>(
        *this, *FatMemo1, *ALEdit2, *ShellListView1, [this] { return TargetFields(); }, dialogs_);
    ALButton1->setToolTip(QStringLiteral("Right-click the results for the fullest disc, a plan "
                                         "for all discs and the fit on the real disc"));
    BindEvents();
    AcceptDroppedFolders();
    SetTabOrder();
    // The results panel takes the keyboard focus from a click, from Tab after the design's
    // order, and from Ctrl+R; its menu then opens from the keyboard.
    FatMemo1->setFocusPolicy(Qt::StrongFocus);
    auto* toResults = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this);
    toResults->setContext(Qt::WidgetWithChildrenShortcut);
    connect(toResults, &QShortcut::activated, this,
            [this] { FatMemo1->setFocus(Qt::ShortcutFocusReason); });
    // The design root: the root of the file system.
    Guarded([this] { ShellListView1->SetRoot(QStringLiteral("/")); });
    CenterOnScreen(*this);
    FormCreate();
    ShellListView1->setFocus();
    Timer1->start();
}

// The controls are Qt children and outlive this part of the window: none may call back into it.
TForm1::~TForm1() {
    UnbindEvents();
}

template <typename F>
void TForm1::Guarded(F&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        ShowException(e, dialogs_);
    }
}

void TForm1::BindEvents() {
    for (TALButton* b : {ALButton1, ALButton2, ALButton3, ALButton4, ALButton5, ALButton6}) {
        b->OnPaint = ButtonPaint;
    }
    for (TALCheckBox* b : {ALCheckBox1, ALCheckBox2}) {
        b->OnPaint = CheckBoxPaint;
    }
    for (TALComboBox* b : {ALComboBox1, ALComboBox2}) {
        b->OnPaint = ComboBoxPaint;
    }
    for (TALEdit* e : {ALEdit1, ALEdit2, ALEdit3, ALEdit4, ALEdit5}) {
        e->OnPaint = EditPaint;
    }

    const auto on = [this](void (TForm1::*handler)()) {
        return [this, handler](QObject*) { Guarded([&] { (this->*handler)(); }); };
    };
    ALButton1->OnClick = on(&TForm1::ALButton1Click);
    ALButton6->OnClick = on(&TForm1::ALButton6Click);
    ALButton5->OnClick = on(&TForm1::ALButton5Click);
    ALButton3->OnClick = on(&TForm1::ALButton3Click);
    ALButton4->OnClick = on(&TForm1::ALButton4Click);
    ALButton2->OnClick = on(&TForm1::ALButton2Click);
    ALComboBox1->OnChange = on(&TForm1::ALComboBox1Change);
    ALComboBox2->OnChange = on(&TForm1::ALComboBox2Change);
    ALCheckBox1->OnClick = on(&TForm1::ALCheckBox1Click);
    ALCheckBox2->OnClick = on(&TForm1::ALCheckBox2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    ShellListView1->OnAddFolder = [this](TShellListView* sender, TShellFolder* folder,
                                         bool& canAdd) {
        ShellListView1AddFolder(sender, folder, canAdd);
    };
    connect(&hotkeys_, &IGlobalHotkeys::HotKeyPressed, this, &TForm1::HotKey);
}

void TForm1::UnbindEvents() {
    for (TALButton* b : {ALButton1, ALButton2, ALButton3, ALButton4, ALButton5, ALButton6}) {
        b->OnClick = nullptr;
    }
    for (TALCheckBox* b : {ALCheckBox1, ALCheckBox2}) {
        b->OnClick = nullptr;
    }
    for (TALComboBox* b : {ALComboBox1, ALComboBox2}) {
        b->OnChange = nullptr;
    }
    ShellListView1->OnAddFolder = nullptr;
}

void TForm1::FormCreate() {
    FatMemo1->Lines().Clear();
    if (!hotkeys_.RegisterHotKey(kHotKeyId, MOD_CONTROL, kVirtualKeyA)) {
        if (hotkeys_.Offered()) {
            dialogs_.ShowPlainBox(QStringLiteral("Не могу привязать CTRL+A к горячей клавише!"));
        } else {
            // Nothing was refused, so there is nothing to ask the user about at every start.
            std::fputs("platterwise: this desktop offers no global shortcuts; Ctrl+A selects "
                       "all only while the window has the focus\n",
                       stderr);
        }
    }
    try {
        ReadStartupSettings();
    } catch (const Exception& e) {
        ShowException(e, dialogs_); // the remaining settings stay as designed
    } catch (const std::exception&) {
        // A fault of the program itself rather than of the settings.
        dialogs_.ShowPlainBox(QStringLiteral("И снова гавно"));
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
    // Closing the main window ends the program, even with the other windows open.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void TForm1::FormClose() {
    hotkeys_.UnregisterHotKey(kHotKeyId);
    Guarded([this] { WriteLastLocation(); });
}

void TForm1::ALButton2Click() {
    Guarded([this] { WriteExitSettings(); });
    QCoreApplication::quit();
}

void TForm1::HotKey(int id) {
    if (id != kHotKeyId) {
        return;
    }
    // The system-wide key reaches us even from our own name editor, where Ctrl+A means
    // "all of this name": the rows stay as they are.
    if (ShellListView1->IsEditingLabel() && isActiveWindow()) {
        if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
            editor->selectAll();
            return;
        }
    }
    ShellListView1->SelectAll();
}

void TForm1::Timer1Timer() {
    const int mode = RadioGroup2->ItemIndex();
    if (mode == kMediaSizeMode) {
        ALComboBox1->setEnabled(true);
        ALEdit1->setEnabled(false);
    } else if (mode == kCustomSizeMode) {
        ALComboBox1->setEnabled(false);
        ALEdit1->setEnabled(true);
    }
}

TTargetFields TForm1::TargetFields() const {
    TTargetFields f;
    f.TargetMode = RadioGroup2->ItemIndex();
    f.TemplateIndex = ALComboBox1->currentIndex();
    f.CustomSizeText = ToEngine(ALEdit1->text());
    f.DeviationText = ToEngine(ALEdit3->text());
    f.BothDirections = ALCheckBox2->Checked();
    f.SamplesText = ToEngine(ALEdit4->text());
    return f;
}

void TForm1::ALButton1Click() {
    Sink sink(*this);
    const TShellRowSource rows(*ShellListView1);
    discActions_->BeforeReport("Go!");
    WaitCursor wait;
    const TGoResult go = RunGoAction(rows, TargetFields(), random_, sink);
    ReportUnreadable(go.Selection.Problems);
    discActions_->AfterGo(go);
}

void TForm1::ALButton6Click() {
    Sink sink(*this);
    const TShellRowSource rows(*ShellListView1);
    discActions_->BeforeReport("the total");
    WaitCursor wait;
    const TTotalsResult r =
        BuildTotalsReport(TTotalsVariant::OnShowTotalButton, rows, TargetFields(), sink);
    lastTotal_ = r.LastTotal;
    ReportUnreadable(r.Problems);
    discActions_->AfterTotals(r.Problems);
}

void TForm1::ALComboBox1Change() {
    Sink sink(*this);
    const TShellRowSource rows(*ShellListView1);
    discActions_->BeforeReport("the total");
    WaitCursor wait;
    const TTotalsResult r =
        BuildTotalsReport(TTotalsVariant::OnTemplateChange, rows, TargetFields(), sink);
    lastTotal_ = r.LastTotal;
    ReportUnreadable(r.Problems);
    discActions_->AfterTotals(r.Problems);
}

void TForm1::ALCheckBox1Click() {
    if (!ALCheckBox1->Checked()) {
        return;
    }
    for (const TDisplayAction& action : ApplyAutoSize(ALComboBox1->currentIndex(), lastTotal_)) {
        Perform(action);
    }
}

void TForm1::ALCheckBox2Click() {
    ALCheckBox2->SetCaption(
        FromEngine(BothDirectionsCaption(ALCheckBox2->Checked(), ToEngine(ALEdit3->text()))));
}

void TForm1::ALButton5Click() {
    if (form2_ == nullptr) {
        return;
    }
    form2_->show();
    form2_->raise();
    form2_->activateWindow();
}

void TForm1::ALButton3Click() {
    if (form3_ == nullptr) {
        return;
    }
    form3_->show();
    form3_->raise();
    form3_->activateWindow();
}

void TForm1::ALButton4Click() {
    dialogs_.ShowPlainBox(QStringLiteral("Sorry, this version has no help in English"));
}

void TForm1::SpeedButton1Click() {
    ShellListView1->setFocus();
    ShellListView1->GoUp();
}

void TForm1::ALComboBox2Change() {
    ShellListView1->Reload();
}

void TForm1::ShellListView1AddFolder(TShellListView*, TShellFolder* AFolder, bool& CanAdd) {
    if (const TShellFolder* current = ShellListView1->CurrentFolder()) {
        ALEdit5->setText(current->FullPathName());
    }
    FatMemo1->Lines().Clear();
    const int category = ALComboBox2->currentIndex();
    if (category == kLosslessFiles || category == kArchiveFiles) {
        CanAdd = AdmitsItem(category, AFolder->IsContainer(), AFolder->FullPathName());
    }
}

void TForm1::Perform(const TDisplayAction& a) {
    switch (a.Kind) {
    case TActionKind::ShowInformationBox: {
        const ArrowCursor arrow;
        dialogs_.ShowInformationBox(FromEngine(a.Text));
        break;
    }
    case TActionKind::ShowPlainBox: {
        const ArrowCursor arrow;
        dialogs_.ShowPlainBox(FromEngine(a.Text));
        break;
    }
    case TActionKind::ClearMemo:
        FatMemo1->Lines().Clear();
        break;
    case TActionKind::AddMemoLine:
        FatMemo1->Lines().AddLine(FromEngine(a.Text));
        break;
    case TActionKind::AddMemoTaggedLine:
        FatMemo1->Lines().Add().SetTaggedText(FromEngine(a.Text));
        break;
    case TActionKind::SetMemoFontColor:
        FatMemo1->SetFontColor(a.Color);
        break;
    case TActionKind::SetMessageText:
        ALEdit2->setText(FromEngine(a.Text));
        break;
    case TActionKind::SetMessageColor:
        ALEdit2->SetFontColor(a.Color);
        break;
    case TActionKind::SetCustomSizeText:
        ALEdit1->setText(FromEngine(a.Text));
        break;
    case TActionKind::SetTargetMode:
        RadioGroup2->SetItemIndex(a.Index);
        break;
    case TActionKind::DisableTemplateList:
        ALComboBox1->setEnabled(false);
        break;
    }
}

} // namespace platterwise
