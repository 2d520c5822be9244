#include "DiscActions.h"

#include "DiscTarget.h"
#include "FindOnDiscs.h"
#include "UriList.h"
#include "catalogue/Catalogue.h"
#include "disc/DiscLists.h"
#include "engine/GoAction.h"
#include "engine/Report.h"
#include "platform/Dialogs.h"
#include "widgets/fatmemo/FatMemo.h"
#include "widgets/flat/ALEdit.h"

#include <QActionGroup>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <algorithm>

namespace platterwise {
namespace {

QString FromEngine(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string Count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

TDiscActions::TDiscActions(QWidget& window, TFatMemo& memo, TALEdit& message,
                           const TShellListView& list, std::function<TTargetFields()> fields,
                           IDialogs& dialogs)
    : window_(window)
    , memo_(memo)
    , message_(message)
    , rows_(list)
    , fields_(std::move(fields))
    , dialogs_(dialogs)
    , runner_(std::make_unique<TDiscJobRunner>()) {
    ChooseFolder = [this] {
        return QFileDialog::getExistingDirectory(&window_, QStringLiteral("Save disc lists in"));
    };
    BuildMenu();
    memo_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&memo_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(memo_.mapToGlobal(at)); });
    memo_.OnChange = [this](TFatMemo&) {
        if (!filling_) {
            PanelTakenOver();
        }
    };
    memo_.OnCopy = [this](TFatMemo&, QMimeData& data, int first, int last) {
        AddCopyFormats(data, first, last);
    };
    connect(runner_.get(), &TDiscJobRunner::Progress, this, &TDiscActions::ShowProgress);
    connect(runner_.get(), &TDiscJobRunner::Finished, this,
            [this](const std::shared_ptr<const TDiscRunOutcome>& outcome) { Finished(*outcome); });
    connect(runner_.get(), &TDiscJobRunner::Cancelled, this, [this] {
        if (!std::exchange(quietCancel_, false)) {
            Say("Cancelled: the results are as they were");
        }
        Delivered();
    });
}

TDiscActions::~TDiscActions() {
    memo_.OnChange = nullptr;
    memo_.OnCopy = nullptr;
}

void TDiscActions::FindOnDiscs() {
    auto* dialog = new TFindOnDiscs(DefaultCataloguePath(), &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->activateWindow(); // typing goes to its text field at once
}

void TDiscActions::BuildMenu() {
    menu_ = new QMenu(&window_);
    menu_->setObjectName(QStringLiteral("DiscMenu"));
    const auto add = [this](const char* text, QKeySequence keys, void (TDiscActions::*slot)()) {
        QAction* a = menu_->addAction(QString::fromUtf8(text));
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        window_.addAction(a); // the shortcuts work with the menu closed
        connect(a, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
        return a;
    };
    fullest_ = add("Fullest disc", QKeySequence(Qt::CTRL | Qt::Key_F), &TDiscActions::FullestDisc);
    plan_ = add("Plan all discs", QKeySequence(Qt::CTRL | Qt::Key_P), &TDiscActions::PlanAllDiscs);
    checkFit_ = add("Check fit on the disc", {}, &TDiscActions::CheckFit);
    menu_->addSeparator();
    copyPaths_ = add("Copy full paths", {}, &TDiscActions::CopyFullPaths);
    saveLists_ = add("Save disc lists…", {}, &TDiscActions::SaveDiscLists);
    add("Find on discs…", {}, &TDiscActions::FindOnDiscs);
    menu_->addSeparator();
    mediaMenu_ = menu_->addMenu(QStringLiteral("Medium"));
    media_ = new QActionGroup(mediaMenu_);
    followWindow_ = mediaMenu_->addAction(QString());
    followWindow_->setCheckable(true);
    followWindow_->setChecked(true);
    media_->addAction(followWindow_);
    mediaMenu_->addSeparator();
    for (std::size_t i = 0; i < DiscMedia.size(); ++i) {
        QAction* a = mediaMenu_->addAction(FromEngine(std::string(DiscMedia[i].DisplayName)));
        a->setCheckable(true);
        a->setData(int(i));
        media_->addAction(a);
    }
    menu_->addSeparator();
    cancel_ = add("Cancel", QKeySequence(Qt::Key_Escape), &TDiscActions::Cancel);
    connect(menu_, &QMenu::aboutToShow, this, [this] { UpdateEnabled(); });
    UpdateEnabled();
}

const TDiscMedium* TDiscActions::ChosenMedium() const {
    const QAction* checked = media_->checkedAction();
    if (checked == nullptr || checked == followWindow_) {
        return nullptr;
    }
    return &DiscMedia.at(std::size_t(checked->data().toInt()));
}

void TDiscActions::UpdateEnabled() {
    const TDiscTarget own = ResolveDiscTarget(nullptr, fields_());
    followWindow_->setText(
        FromEngine("As the window chooses: " + (own.Resolved() ? own.Medium : "none")));
    const bool listed = !ListedPaths().empty();
    checkFit_->setEnabled(listed);
    copyPaths_->setEnabled(listed);
    saveLists_->setEnabled(shown_ && !shown_->Discs.empty());
    cancel_->setEnabled(runner_->Running());
}

std::vector<std::string> TDiscActions::ListedPaths() const {
    return PathsOfLines(0, linePaths_.size());
}

std::vector<std::string> TDiscActions::PathsOfLines(std::size_t first, std::size_t end) const {
    std::vector<std::string> paths;
    for (std::size_t i = first; i < std::min(end, linePaths_.size()); ++i) {
        if (!linePaths_[i].empty()) { // a header
            paths.push_back(linePaths_[i]);
        }
    }
    return paths;
}

void TDiscActions::Say(const std::string& text) {
    message_.SetFontColor(kColorBlack);
    message_.setText(FromEngine(text));
}

bool TDiscActions::Refused() {
    if (!runner_->Running() || pending_ == TPending::FitAfterGo) {
        return false;
    }
    Say("Still busy with the last request: Esc cancels it");
    return true;
}

void TDiscActions::Begin(std::function<void()> start) {
    if (runner_->Running()) {
        // Only the fit check after Go! runs (Refused let this through): it gives way.
        message_.setToolTip(
            QStringLiteral("Fit on the disc not checked: another request came first"));
        quietCancel_ = true;
        pending_ = TPending::None;
        runner_->Cancel();
        queued_ = std::move(start);
    } else {
        start();
    }
    UpdateEnabled();
}

void TDiscActions::StartJob(TDiscJobKind kind) {
    if (Refused()) {
        return;
    }
    TDiscJobRequest request;
    request.Kind = kind;
    request.Items = SelectedRows(rows_);
    if (request.Items.empty()) {
        dialogs_.ShowInformationBox(QStringLiteral("Nothing selected!"));
        return;
    }
    const TDiscTarget target = ResolveDiscTarget(ChosenMedium(), fields_());
    if (!target.Resolved()) {
        Say(target.Problem);
        return;
    }
    request.CapacitySectors = target.CapacitySectors;
    request.Options = options_;
    Say(kind == TDiscJobKind::Plan ? "Planning the discs…" : "Looking for the fullest disc…");
    Begin([this, kind, request = std::move(request), medium = target.Medium]() mutable {
        pending_ = TPending::Job;
        pendingKind_ = kind;
        pendingMedium_ = medium;
        runner_->Start(std::move(request));
    });
}

void TDiscActions::CheckFit() {
    if (Refused()) {
        return;
    }
    const std::vector<std::string> paths = ListedPaths();
    const TDiscTarget target = ResolveDiscTarget(ChosenMedium(), fields_());
    if (paths.empty() || !target.Resolved()) {
        Say(paths.empty() ? "No items in the results to check" : target.Problem);
        return;
    }
    Say("Sizing the image…");
    Begin([this, request = TFitRequest{paths, target.CapacitySectors, options_},
           medium = target.Medium]() mutable {
        pending_ = TPending::Fit;
        pendingMedium_ = medium;
        runner_->Start(std::move(request));
    });
}

void TDiscActions::AfterGo(const TGoResult& go) {
    message_.setToolTip(QString());
    const TSearchResult& found = go.Search;
    if (found.Outcome != soFound || std::size_t(memo_.Lines().Count()) != found.Chosen.size()) {
        return;
    }
    linePaths_.clear();
    for (std::size_t i : found.Chosen) {
        linePaths_.push_back(go.Selection.Items.at(i).Path);
    }
    const TDiscTarget target = ResolveDiscTarget(ChosenMedium(), fields_());
    if (!target.Resolved()) {
        return;
    }
    queued_ = [this, request = TFitRequest{ListedPaths(), target.CapacitySectors, options_},
               medium = target.Medium]() mutable {
        pending_ = TPending::FitAfterGo;
        pendingMedium_ = medium;
        runner_->Start(std::move(request));
    };
    if (!runner_->Running()) {
        Delivered();
    }
}

void TDiscActions::Delivered() {
    pending_ = TPending::None;
    if (queued_) {
        std::exchange(queued_, nullptr)();
    }
    UpdateEnabled();
}

void TDiscActions::PanelTakenOver() {
    Forget();
    queued_ = nullptr;
    // What runs now answers for lines that are gone: it stops without a word, and the
    // message line stays the report's.
    if (runner_->Running()) {
        quietCancel_ = true;
        pending_ = TPending::None; // its progress, still on the way, is not shown
        runner_->Cancel();
    }
}

void TDiscActions::ShowProgress(const TDiscJobProgress& p) {
    if (pending_ != TPending::Job) {
        return;
    }
    if (p.MeasuredItems < p.Items) {
        Say("Measured " + std::to_string(p.MeasuredItems) + " of " +
            Count(p.Items, "item", "items") + "…");
    } else {
        Say("Measured " + Count(p.Items, "item", "items") + "; " +
            Count(p.DiscsPlanned, "disc", "discs") + " so far…");
    }
}

void TDiscActions::Finished(const TDiscRunOutcome& outcome) {
    const TPending pending = pending_;
    if (const auto* error = std::get_if<std::string>(&outcome.Value)) {
        if (pending == TPending::FitAfterGo) {
            message_.setToolTip(FromEngine("Fit on the disc not checked: " + *error));
        } else {
            Say("Failed: " + *error);
        }
    } else if (const auto* fit = std::get_if<TFitCheck>(&outcome.Value)) {
        const QString text = FromEngine(FitCheckText(*fit, pendingMedium_));
        if (pending == TPending::Fit) {
            Say(FitCheckText(*fit, pendingMedium_));
        }
        message_.setToolTip(
            pending == TPending::FitAfterGo ? QStringLiteral("The found items: ") + text : text);
    } else {
        ShowResult(std::get<TDiscJobResult>(outcome.Value));
    }
    Delivered();
}

void TDiscActions::ShowResult(const TDiscJobResult& result) {
    const TResultView view = DiscJobView(result, pendingKind_, pendingMedium_);
    filling_ = true;
    memo_.Lines().Clear();
    linePaths_.clear();
    for (const TResultLine& line : view.Lines) {
        memo_.Lines().Add().SetTaggedText(FromEngine(line.Tagged));
        linePaths_.push_back(line.Path);
    }
    filling_ = false;
    shown_ = result;
    message_.setToolTip(QString());
    Say(view.Summary);
}

void TDiscActions::Forget() {
    linePaths_.clear();
    shown_.reset();
}

void TDiscActions::Cancel() {
    queued_ = nullptr;
    if (runner_->Running()) {
        pending_ = TPending::None;
        quietCancel_ = false; // a check that gave way may be ending: the user hears of it
        runner_->Cancel();
        Say("Cancelling…");
    }
}

void TDiscActions::AddCopyFormats(QMimeData& data, int first, int last) const {
    if (first >= 0 && last >= first) {
        AddUriList(data, PathsOfLines(std::size_t(first), std::size_t(last) + 1));
    }
}

void TDiscActions::CopyFullPaths() {
    const std::vector<std::string> paths = ListedPaths();
    if (paths.empty()) {
        return;
    }
    auto data = std::make_unique<QMimeData>();
    std::string text;
    for (const std::string& path : paths) {
        text += (text.empty() ? "" : "\n") + path;
    }
    data->setText(QString::fromLocal8Bit(text.data(), qsizetype(text.size())));
    AddUriList(*data, paths);
    QGuiApplication::clipboard()->setMimeData(data.release()); // the clipboard takes it
    Say("Copied " + Count(paths.size(), "full path", "full paths"));
}

void TDiscActions::SaveDiscLists() {
    if (!shown_ || shown_->Discs.empty()) {
        return;
    }
    const QString folder = ChooseFolder ? ChooseFolder() : QString();
    if (folder.isEmpty()) {
        return;
    }
    try {
        const QByteArray dir = folder.toLocal8Bit();
        WriteDiscListsAndCommands(dir.toStdString(), shown_->Discs, options_);
        Say("Saved " + Count(shown_->Discs.size(), "disc list", "disc lists") +
            " and their commands");
    } catch (const std::exception& e) {
        dialogs_.ShowPlainBox(
            FromEngine(std::string("The disc lists were not all saved: ") + e.what()));
    }
}

} // namespace platterwise
