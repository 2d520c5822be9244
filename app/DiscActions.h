#pragma once
// The results panel's right-button menu: the fullest disc, a plan for all discs, the fit check
// on the real disc, the items' full paths for the clipboard and their disc lists for a burning
// program. Jobs run on a worker (TDiscJobRunner); their results replace the panel's lines only
// when complete. Owned by the main window, which hands it the controls it works on.
#include "DiscJobRunner.h"
#include "DiscResultView.h"
#include "ShellRowSource.h"
#include "engine/DiscMedia.h"

#include <QObject>
#include <functional>
#include <memory>
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

    // After the designed Go! has reported: its found items become the panel's items, and
    // their fit on the real disc goes, once checked on the worker, to the message tooltip.
    void AfterGo(const TGoResult& go);

    // Asks for the folder to save lists in; empty for none. A folder dialog unless replaced.
    std::function<QString()> ChooseFolder;

    QMenu& Menu() { return *menu_; }
    QMenu& MediaMenu() { return *mediaMenu_; }
    TDiscJobRunner& Runner() { return *runner_; }
    // The full paths of the items the panel lists, in panel order.
    std::vector<std::string> ListedPaths() const;

    void FullestDisc() { StartJob(TDiscJobKind::FullestDisc); }
    void PlanAllDiscs() { StartJob(TDiscJobKind::Plan); }
    void CheckFit();
    void CopyFullPaths();
    void SaveDiscLists();
    void FindOnDiscs();
    void Cancel();

private:
    enum class TPending : std::uint8_t { None, Job, Fit, FitAfterGo };

    void BuildMenu();
    void UpdateEnabled();
    // True, and said so, while a requested run goes on (the fit check after Go! does not count).
    bool Refused();
    // Runs `start` now, or, when the fit check after Go! is running, stops that check quietly
    // and runs `start` once it has ended.
    void Begin(std::function<void()> start);
    void StartJob(TDiscJobKind kind);
    void ShowProgress(const TDiscJobProgress& progress);
    void Finished(const TDiscRunOutcome& outcome);
    void ShowResult(const TDiscJobResult& result);
    void Say(const std::string& text);
    void Forget();
    // A designed report (or a new folder) has replaced the panel's lines.
    void PanelTakenOver();
    // After a run has delivered: the run that waited for it, if any.
    void Delivered();
    void AddCopyFormats(QMimeData& data, int first, int last) const;
    // The item paths of panel lines [first, end), headers left out.
    std::vector<std::string> PathsOfLines(std::size_t first, std::size_t end) const;
    const TDiscMedium* ChosenMedium() const;

    QWidget& window_;
    TFatMemo& memo_;
    TALEdit& message_;
    TShellRowSource rows_;
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
    QAction* cancel_;
    QAction* followWindow_;

    // The panel's lines as last filled here: each line's item path (empty for a header), and
    // the job result they show. Forgotten when anything else changes the panel.
    std::vector<std::string> linePaths_;
    std::optional<TDiscJobResult> shown_;
    bool filling_ = false;

    TPending pending_ = TPending::None;
    TDiscJobKind pendingKind_ = TDiscJobKind::FullestDisc;
    std::string pendingMedium_;
    bool quietCancel_ = false;
    std::function<void()> queued_; // starts a run once the one in progress has delivered
    TImageOptions options_;
    std::unique_ptr<TDiscJobRunner> runner_; // last: its worker is joined first
};

} // namespace platterwise
