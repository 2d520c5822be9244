// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results panel's right-button menu: the fullest disc, a plan for all discs, the fit check
// on the real disc, the items' full paths for the clipboard and their disc lists for a burning
// program; the plan's images written and recorded in the catalogue, then burned. Each request is a
// job (TWindowJob) on a worker; its result replaces the panel's lines only when complete. At most
// one job runs for the window. Owned by the main window, which hands it the controls it works on.
#include "DiscResultView.h"
#include "ShellRowSource.h"
#include "WindowJob.h"
#include "engine/DiscMedia.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class QAction;
class QActionGroup;
class QMenu;
class QMimeData;
class QWidget;

namespace platterwise {

class IDialogs;
class TALEdit;
class TFatMemo;
class TMeasureProblems;
class TShellListView;
struct TGoResult;
struct TTargetFields;

class TDiscActions final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDiscActions)
public:
    // All references must outlive this object; `fields` reads the window's target fields.
    TDiscActions(QWidget& window, TFatMemo& memo, TALEdit& message, const TShellListView& list,
                 std::function<TTargetFields()> fields, IDialogs& dialogs);
    ~TDiscActions() override;

    // Before a designed report (Go!, a totals report) takes the panel and the message line:
    // a job running stops, and says so. `report` names the report for people ("Go!").
    void BeforeReport(const char* report);
    // After the designed Go! has reported: its found items become the panel's items, and
    // their fit on the real disc goes, once checked on the worker, to the message tooltip,
    // beside what could not be read.
    void AfterGo(const TGoResult& go);
    // After a totals report: what it could not read goes to the message tooltip.
    void AfterTotals(const TMeasureProblems& problems);

    // Asks for the folder to save lists in; empty for none. A folder dialog unless replaced.
    std::function<QString()> ChooseFolder;
    // Asks for the folder to write images in; empty for none. A folder dialog unless replaced.
    std::function<QString()> ChooseImageFolder;

    QMenu& Menu() { return *menu_; }
    QMenu& MediaMenu() { return *mediaMenu_; }
    // The job running for the window, or null.
    TWindowJob* Job() const { return job_; }
    // The full paths of the items on the discs the panel lists, in panel order.
    std::vector<std::string> ListedPaths() const;

    void FullestDisc() { StartJob(TDiscJobKind::FullestDisc); }
    void PlanAllDiscs() { StartJob(TDiscJobKind::Plan); }
    void CheckFit();
    void CopyFullPaths() { CopyDisc(-1); }
    // The full paths of disc `disc`'s items (0-based), or of every disc's for -1.
    void CopyDisc(int disc);
    void SaveDiscLists();
    // Asks for a folder and writes the shown discs' images there on the worker, recording each
    // in the catalogue; progress on the message line, Cancel stops it.
    void WriteDiscImages();
    // Marks the discs just written burned in the catalogue.
    void RecordAsBurned();
    // Opens the burn dialog on disc `disc` (0-based) of those just written.
    void BurnDisc(int disc);
    // The images of the last "Write disc images…", in disc order.
    const std::vector<TRecordedImage>& Written() const { return written_; }
    // Asks for image files and opens the burn dialog on them, one disc after another.
    void BurnDiscImages();
    void FindOnDiscs();
    void Cancel();

private:
    // One line of the panel as filled here.
    struct TPanelLine {
        std::string Path; // the item's full path; empty for a header
        int Disc = -1;    // the disc the item is on; -1 for headers and items on none
    };
    // The message line's tooltip, in parts that different events replace.
    struct TTip {
        QString Stopped;    // a job that a report stopped
        QString Unreadable; // what the last report or job could not read
        QString Fit;        // the fit on the real disc
    };

    void BuildMenu();
    void UpdateMenu();
    // True, and said so, while a requested job runs.
    bool Refused();
    void Run(TWindowJob* job, const QString& said);
    void StartJob(TDiscJobKind kind);
    void ShowProgress(const TDiscJobProgress& progress);
    void ShowImageProgress(int disc, int discs, qint64 bytes, qint64 total);
    void ShowImages(const TWindowJob& job, const TDiscImagesOutcome& outcome);
    void Finished(TWindowJob& job);
    void ShowResult(const TWindowJob& job, const TDiscJobResult& result);
    void ShowFit(const TWindowJob& job, const std::vector<TFitCheck>& fits);
    void Say(const QString& text);
    void ShowTip();
    // Something else than this object has changed the panel's lines.
    void PanelTakenOver();
    void AddCopyFormats(QMimeData& data, int first, int last) const;
    // The item paths on discs among panel lines [first, end); of disc `disc` only unless -1.
    std::vector<std::string> PathsOfLines(std::size_t first, std::size_t end, int disc = -1) const;
    int DiscsListed() const;
    std::string ShownFolder() const;
    const TDiscMedium* ChosenMedium() const;

    QWidget& window_;
    TFatMemo& memo_;
    TALEdit& message_;
    TShellRowSource rows_;
    const TShellListView& list_;
    std::function<TTargetFields()> fields_;
    IDialogs& dialogs_;

    QMenu* menu_;
    QMenu* mediaMenu_;
    QActionGroup* media_;
    QAction* fullest_;
    QAction* plan_;
    QAction* checkFit_;
    QAction* copyPaths_;
    QAction* saveLists_;
    QAction* writeImages_;
    QAction* recordBurned_;
    QAction* burnImages_;
    QAction* cancel_;
    QAction* followWindow_;
    std::vector<QAction*> copyDiscs_; // "Copy disc N", after a plan of several discs
    std::vector<QAction*> burnDiscs_; // "Burn disc N…", after images were written

    // The panel's lines as last filled here, and the job result they show. Forgotten when
    // anything else changes the panel.
    std::vector<TPanelLine> panel_;
    std::optional<TDiscJobResult> shown_;
    std::string shownMedium_;             // the medium the shown result aims at, for people
    std::int64_t shownCapacity_ = 0;      // and its sectors
    std::vector<TRecordedImage> written_; // the last images written, until another result
    QString writtenDir_;
    int imagesBefore_ = 0;  // discs written and recorded before the one being written
    QString said_;          // the last result put on the message line
    bool holdNote_ = false; // a note stays on the message line until the job ends
    TTip tip_;
    TImageOptions options_;
    QPointer<TWindowJob> job_; // a child of this object
};

} // namespace platterwise
