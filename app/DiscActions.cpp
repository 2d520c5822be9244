// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscActions.h"

#include "BurnDialog.h"
#include "BurnedLines.h"
#include "DiscTarget.h"
#include "FindOnDiscs.h"
#include "UnreadableReport.h"
#include "UriList.h"
#include "catalogue/Catalogue.h"
#include "disc/DiscLists.h"
#include "engine/GoAction.h"
#include "engine/Report.h"
#include "engine/Selection.h"
#include "platform/Dialogs.h"
#include "widgets/fatmemo/FatMemo.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/shell/ShellListView.h"

#include <QActionGroup>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
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

const char* JobName(TWindowJobKind kind) {
    switch (kind) {
    case TWindowJobKind::FullestDisc:
        return "The search for the fullest disc";
    case TWindowJobKind::Plan:
        return "The plan of all discs";
    case TWindowJobKind::WriteImages:
        return "The writing of disc images";
    case TWindowJobKind::FitCheck:
    case TWindowJobKind::FitAfterGo:
        break;
    }
    return "The fit check";
}

} // namespace

TDiscActions::TDiscActions(QWidget& window, TFatMemo& memo, TALEdit& message,
                           const TShellListView& list, std::function<TTargetFields()> fields,
                           IDialogs& dialogs)
    : window_(window)
    , memo_(memo)
    , message_(message)
    , rows_(list)
    , list_(list)
    , fields_(std::move(fields))
    , dialogs_(dialogs) {
    ChooseFolder = [this] {
        return QFileDialog::getExistingDirectory(&window_, QStringLiteral("Save disc lists in"));
    };
    ChooseImageFolder = [this] {
        return QFileDialog::getExistingDirectory(&window_, QStringLiteral("Write disc images in"));
    };
    // The plans' images may be written: they are sized with the MD5s those images carry.
    options_.RecordMd5 = true;
    BuildMenu();
    memo_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&memo_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(memo_.mapToGlobal(at)); });
    memo_.OnChange = [this](TFatMemo&) { PanelTakenOver(); };
    memo_.OnCopy = [this](TFatMemo&, QMimeData& data, int first, int last) {
        AddCopyFormats(data, first, last);
    };
}

TDiscActions::~TDiscActions() {
    memo_.OnChange = nullptr;
    memo_.OnCopy = nullptr;
    // A job still running is a child: Qt deletes it with this object, which stops its worker.
}

void TDiscActions::FindOnDiscs() {
    auto* dialog = new TFindOnDiscs(DefaultCataloguePath(), &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->activateWindow(); // typing goes to its text field at once
}

// Every entry of the menu is made here, in menu order; the shortcuts work with the menu closed,
// in this window only.
void TDiscActions::BuildMenu() {
    menu_ = new QMenu(&window_);
    menu_->setObjectName(QStringLiteral("DiscMenu"));
    const auto add = [this](const char* text, QKeySequence keys, auto slot) {
        QAction* a = menu_->addAction(QString::fromUtf8(text));
        a->setShortcut(keys);
        // Not a window shortcut: Qt lets those of a window reach its tool windows (Options).
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        window_.addAction(a);
        connect(a, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
        return a;
    };
    fullest_ = add("Fullest disc", QKeySequence(Qt::CTRL | Qt::Key_F), &TDiscActions::FullestDisc);
    plan_ = add("Plan all discs", QKeySequence(Qt::CTRL | Qt::Key_P), &TDiscActions::PlanAllDiscs);
    checkFit_ = add("Check fit on the disc", {}, &TDiscActions::CheckFit);
    menu_->addSeparator();
    copyPaths_ = add("Copy full paths", {}, &TDiscActions::CopyFullPaths);
    saveLists_ = add("Save disc lists…", {}, &TDiscActions::SaveDiscLists);
    writeImages_ = add("Write disc images…", {}, &TDiscActions::WriteDiscImages);
    recordBurned_ = add("Record as burned", {}, &TDiscActions::RecordAsBurned);
    // "Burn disc N…" entries go here, once images are written.
    burnImages_ =
        add("Burn disc images…", QKeySequence(Qt::CTRL | Qt::Key_B), &TDiscActions::BurnDiscImages);
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
    connect(menu_, &QMenu::aboutToShow, this, [this] { UpdateMenu(); });
    UpdateMenu();
}

void TDiscActions::BurnDiscImages() {
    const QStringList files =
        QFileDialog::getOpenFileNames(&window_, QStringLiteral("Burn disc images"), QString(),
                                      QStringLiteral("Disc images (*.iso);;All files (*)"));
    if (files.isEmpty()) {
        return;
    }
    std::vector<TBurnDialogDisc> discs;
    for (const QString& file : files) {
        const QByteArray path = QFile::encodeName(file);
        discs.push_back({QFileInfo(file).fileName().toStdString(),
                         std::string(path.constData(), std::size_t(path.size())),
                         {},
                         std::nullopt});
    }
    auto* dialog = new TBurnDialog(std::move(discs), DefaultCataloguePath(), &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

const TDiscMedium* TDiscActions::ChosenMedium() const {
    const QAction* checked = media_->checkedAction();
    if (checked == nullptr || checked == followWindow_) {
        return nullptr;
    }
    return &DiscMedia.at(std::size_t(checked->data().toInt()));
}

void TDiscActions::UpdateMenu() {
    const TDiscTarget own = ResolveDiscTarget(nullptr, fields_());
    followWindow_->setText(
        FromEngine("As the window chooses: " + (own.Resolved() ? own.Medium : "none")));
    const bool listed = !ListedPaths().empty();
    checkFit_->setEnabled(listed);
    copyPaths_->setEnabled(listed);
    saveLists_->setEnabled(shown_ && !shown_->Discs.empty());
    writeImages_->setEnabled(shown_ && !shown_->Discs.empty() && job_ == nullptr);
    recordBurned_->setEnabled(!written_.empty() && job_ == nullptr);
    cancel_->setEnabled(job_ != nullptr);
    for (QAction* a : burnDiscs_) {
        delete a;
    }
    burnDiscs_.clear();
    for (std::size_t d = 0; d < written_.size(); ++d) {
        auto* a = new QAction(QStringLiteral("Burn disc %1…").arg(d + 1), menu_);
        a->setStatusTip(FromEngine(written_[d].Label));
        connect(a, &QAction::triggered, this, [this, d] { BurnDisc(int(d)); });
        menu_->insertAction(burnImages_, a);
        burnDiscs_.push_back(a);
    }
    for (QAction* a : copyDiscs_) {
        delete a; // not a Qt child: the menu only lists it
    }
    copyDiscs_.clear();
    if (const int discs = DiscsListed(); discs > 1) {
        for (int d = 0; d < discs; ++d) {
            auto* a = new QAction(QStringLiteral("Copy disc %1").arg(d + 1), menu_);
            connect(a, &QAction::triggered, this, [this, d] { CopyDisc(d); });
            menu_->insertAction(saveLists_, a);
            copyDiscs_.push_back(a);
        }
    }
}

std::vector<std::string> TDiscActions::ListedPaths() const {
    return PathsOfLines(0, panel_.size());
}

std::vector<std::string> TDiscActions::PathsOfLines(std::size_t first, std::size_t end,
                                                    int disc) const {
    std::vector<std::string> paths;
    for (std::size_t i = first; i < std::min(end, panel_.size()); ++i) {
        const TPanelLine& line = panel_[i];
        // Headers and the items no disc holds are not for a burner.
        if (line.Disc >= 0 && (disc < 0 || line.Disc == disc)) {
            paths.push_back(line.Path);
        }
    }
    return paths;
}

int TDiscActions::DiscsListed() const {
    int discs = 0;
    for (const TPanelLine& line : panel_) {
        discs = std::max(discs, line.Disc + 1);
    }
    return discs;
}

std::string TDiscActions::ShownFolder() const {
    const TShellFolder* folder = list_.CurrentFolder();
    return folder ? folder->FullPathName().toStdString() : std::string();
}

void TDiscActions::Say(const QString& text) {
    message_.SetFontColor(kColorBlack);
    message_.setText(text);
}

void TDiscActions::ShowTip() {
    QStringList parts;
    for (const QString* part : {&tip_.Stopped, &tip_.Unreadable, &tip_.Fit}) {
        if (!part->isEmpty()) {
            parts << *part;
        }
    }
    message_.setToolTip(parts.join(u'\n'));
}

bool TDiscActions::Refused() {
    if (job_ == nullptr || !job_->Requested()) {
        return false;
    }
    Say(QStringLiteral("Still busy with the last request: Esc cancels it"));
    holdNote_ = true; // progress must not hide the answer
    return true;
}

void TDiscActions::Run(TWindowJob* job, const QString& said) {
    if (job_ != nullptr) {
        // Only the fit check after Go! runs (Refused let this through): it gives way.
        tip_.Fit = QStringLiteral("Fit on the disc not checked: another request came first");
        ShowTip();
        job_->Kill();
    }
    job_ = job;
    holdNote_ = false;
    connect(job, &TWindowJob::Progress, this, &TDiscActions::ShowProgress);
    connect(job, &TWindowJob::ImageProgress, this, &TDiscActions::ShowImageProgress);
    connect(job, &TWindowJob::Result, this, [this](TWindowJob* done) { Finished(*done); });
    if (!said.isEmpty()) {
        Say(said);
    }
    job->Start();
    UpdateMenu();
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
        Say(FromEngine(target.Problem));
        return;
    }
    request.CapacitySectors = target.CapacitySectors;
    request.Options = options_;
    Run(new TWindowJob(std::move(request), target.Medium, ShownFolder(), this,
                       DefaultCataloguePath()),
        kind == TDiscJobKind::Plan ? QStringLiteral("Planning the discs…")
                                   : QStringLiteral("Looking for the fullest disc…"));
}

void TDiscActions::CheckFit() {
    if (Refused()) {
        return;
    }
    TFitRequest request{{}, 0, options_};
    for (int d = 0; d < DiscsListed(); ++d) {
        request.Discs.push_back(PathsOfLines(0, panel_.size(), d));
    }
    const TDiscTarget target = ResolveDiscTarget(ChosenMedium(), fields_());
    if (request.Discs.empty() || !target.Resolved()) {
        Say(request.Discs.empty() ? QStringLiteral("No items in the results to check")
                                  : FromEngine(target.Problem));
        return;
    }
    request.CapacitySectors = target.CapacitySectors;
    const bool several = request.Discs.size() > 1;
    Run(new TWindowJob(TWindowJobKind::FitCheck, std::move(request), target.Medium, ShownFolder(),
                       this),
        several ? QStringLiteral("Sizing the images…") : QStringLiteral("Sizing the image…"));
}

void TDiscActions::BeforeReport(const char* report) {
    tip_ = {};
    if (job_ != nullptr) {
        if (job_->Requested()) {
            tip_.Stopped =
                FromEngine(std::string(JobName(job_->Kind())) + " was stopped by " + report);
            if (job_->Kind() == TWindowJobKind::WriteImages && imagesBefore_ > 0) {
                // Those stay written and catalogued: the user must not take them for lost.
                tip_.Stopped += QStringLiteral(" after %1 (kept in %2 and catalogued)")
                                    .arg(imagesBefore_ == 1
                                             ? QStringLiteral("1 disc image")
                                             : QStringLiteral("%1 disc images").arg(imagesBefore_),
                                         writtenDir_);
            }
            Say(tip_.Stopped); // the report may write over it; the tooltip keeps it
        }
        job_->Kill();
        job_ = nullptr;
        holdNote_ = false;
    }
    ShowTip();
}

void TDiscActions::AfterGo(const TGoResult& go) {
    tip_.Unreadable = FromEngine(UnreadableText(go.Selection.Problems));
    tip_.Fit.clear();
    ShowTip();
    const TSearchResult& found = go.Search;
    if (found.Outcome != soFound || std::size_t(memo_.Lines().Count()) != found.Chosen.size()) {
        return;
    }
    panel_.clear();
    for (std::size_t i : found.Chosen) {
        panel_.push_back({go.Selection.Items.at(i).Path, 0});
    }
    const TDiscTarget target = ResolveDiscTarget(ChosenMedium(), fields_());
    if (!target.Resolved()) {
        return;
    }
    if (job_ != nullptr) {
        job_->Kill(); // a fit check of items the panel no longer lists
    }
    Run(new TWindowJob(TWindowJobKind::FitAfterGo,
                       TFitRequest{{ListedPaths()}, target.CapacitySectors, options_},
                       target.Medium, ShownFolder(), this),
        {});
}

void TDiscActions::AfterTotals(const TMeasureProblems& problems) {
    tip_.Unreadable = FromEngine(UnreadableText(problems));
    ShowTip();
}

void TDiscActions::PanelTakenOver() {
    // A job keeps running: it works on the paths it was given, and its result will fill the
    // panel. What this object showed of a finished one goes with the lines.
    panel_.clear();
    shown_.reset();
    if (!said_.isEmpty() && message_.text() == said_) {
        message_.setText(QString());
        tip_ = {};
        ShowTip();
    }
    said_.clear();
}

void TDiscActions::ShowProgress(const TDiscJobProgress& p) {
    if (holdNote_) {
        return;
    }
    if (p.MeasuredItems < p.Items) {
        Say(FromEngine("Measured " + std::to_string(p.MeasuredItems) + " of " +
                       Count(p.Items, "item", "items") + "…"));
    } else {
        // While a plan looks for fewer discs, how far it may still get.
        Say(FromEngine("Measured " + Count(p.Items, "item", "items") + "; " +
                       Count(p.DiscsPlanned, "disc", "discs") +
                       (p.LowerBound > 0 ? ", at least " + std::to_string(p.LowerBound)
                                         : std::string(" so far")) +
                       "…"));
    }
}

void TDiscActions::Finished(TWindowJob& job) {
    if (&job != job_) {
        return;
    }
    job_ = nullptr;
    holdNote_ = false;
    const TWindowJobOutcome& outcome = job.Outcome();
    if (const auto* error = std::get_if<TDiscStatus>(&outcome)) {
        if (job.Kind() == TWindowJobKind::FitAfterGo) {
            tip_.Fit = FromEngine("Fit on the disc not checked: " + error->Text);
            ShowTip();
        } else {
            Say(FromEngine("Failed: " + error->Text));
        }
    } else if (const auto* fits = std::get_if<std::vector<TFitCheck>>(&outcome)) {
        ShowFit(job, *fits);
    } else if (const auto* images = std::get_if<TDiscImagesOutcome>(&outcome)) {
        ShowImages(job, *images);
    } else {
        ShowResult(job, std::get<TDiscJobResult>(outcome));
    }
    UpdateMenu();
}

void TDiscActions::ShowFit(const TWindowJob& job, const std::vector<TFitCheck>& fits) {
    if (fits.empty()) {
        return;
    }
    const TFitView view = FitChecksView(fits, job.Medium());
    if (job.Kind() == TWindowJobKind::FitAfterGo) {
        tip_.Fit = QStringLiteral("The found items: ") + FromEngine(view.Summary);
    } else {
        Say(FromEngine(view.Summary));
        said_ = message_.text();
        QStringList discs;
        for (const std::string& line : view.Discs) {
            discs << FromEngine(line);
        }
        tip_.Fit = fits.size() > 1 ? discs.join(u'\n') : FromEngine(view.Summary);
    }
    ShowTip();
}

void TDiscActions::ShowResult(const TWindowJob& job, const TDiscJobResult& result) {
    // Named as on the disc, items of another folder than the one shown would read as its own.
    const bool fullPaths = job.Folder() != ShownFolder();
    const TDiscJobKind kind =
        job.Kind() == TWindowJobKind::Plan ? TDiscJobKind::Plan : TDiscJobKind::FullestDisc;
    TResultView view = DiscJobView(result, kind, job.Medium(), fullPaths);
    AddAlreadyOnDisc(view, job.Burned().AlreadyOnDisc, fullPaths);
    {
        // These changes are this object's own: the panel is not taken over.
        auto onChange = std::exchange(memo_.OnChange, nullptr);
        memo_.Lines().Clear();
        for (const TResultLine& line : view.Lines) {
            memo_.Lines().Add().SetTaggedText(FromEngine(line.Tagged));
        }
        memo_.OnChange = std::move(onChange);
    }
    panel_.clear();
    for (const TResultLine& line : view.Lines) {
        panel_.push_back({line.Path, line.Disc});
    }
    shown_ = result;
    shownMedium_ = job.Medium();
    shownCapacity_ = job.CapacitySectors();
    written_.clear(); // "Burn disc N…" would name another plan's disc
    tip_ = {};
    tip_.Unreadable = FromEngine(UnreadableText(result.Problems));
    ShowTip();
    Say(FromEngine(view.Summary));
    said_ = message_.text();
}

void TDiscActions::Cancel() {
    if (job_ == nullptr) {
        return;
    }
    if (job_->Kind() == TWindowJobKind::WriteImages) {
        // Its result still comes: the discs written before the stop are recorded.
        job_->Stop();
        Say(QStringLiteral("Cancelling: the image being written is removed…"));
        holdNote_ = true;
        return;
    }
    job_->Kill();
    job_ = nullptr;
    holdNote_ = false;
    Say(QStringLiteral("Cancelled: the results are as they were"));
    UpdateMenu();
}

void TDiscActions::AddCopyFormats(QMimeData& data, int first, int last) const {
    if (first >= 0 && last >= first) {
        AddUriList(data, PathsOfLines(std::size_t(first), std::size_t(last) + 1));
    }
}

void TDiscActions::CopyDisc(int disc) {
    const std::vector<std::string> paths = PathsOfLines(0, panel_.size(), disc);
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
    const std::string what = Count(paths.size(), "full path", "full paths");
    Say(FromEngine(disc < 0 ? "Copied " + what
                            : "Copied disc " + std::to_string(disc + 1) + ": " + what));
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
        std::vector<std::string> removed;
        WriteDiscListsAndCommands(dir.toStdString(), shown_->Discs, options_, &removed);
        // Lists of an earlier, longer plan would be taken for discs of this one: they go, and
        // the line says so, naming them in its tooltip.
        const std::string gone =
            removed.empty()
                ? std::string()
                : "; removed " + Count(removed.size(), "file", "files") + " of an earlier plan";
        Say(FromEngine("Saved " + Count(shown_->Discs.size(), "disc list", "disc lists") +
                       " and their commands in ") +
            folder + FromEngine(gone));
        QStringList names;
        for (const std::string& path : removed) {
            names << FromEngine("Removed " + path);
        }
        message_.setToolTip(names.join(u'\n'));
    } catch (const std::exception& e) {
        dialogs_.ShowPlainBox(
            FromEngine(std::string("The disc lists were not all saved: ") + e.what()));
    }
}

} // namespace platterwise
