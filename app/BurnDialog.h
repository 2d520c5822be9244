// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small burn dialog: the drive (from the scan, or an address typed in, stdio:FILE for a
// pseudo-drive), the disc found in it, the speed, "read back after burning"; it burns the
// discs given one after another with progress and Cancel, and asks for the next blank disc.
// The burn runs on a worker thread; its reports reach the controls on the UI thread.
#include "burn/BurnJob.h"
#include "burn/DriveScan.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace platterwise {

struct TBurnDialogDisc {
    std::string Name;                    // shown: the label, or the image's file name
    std::string ImagePath;               // the image to burn
    std::string Label;                   // a catalogued disc's label; empty: nothing is recorded
    std::optional<burn::TMd5Digest> Md5; // the catalogue's MD5 of the image
};

class TBurnDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBurnDialog)
public:
    // `cataloguePath`: where labelled discs are recorded burned (they are read back first).
    TBurnDialog(std::vector<TBurnDialogDisc> discs, std::string cataloguePath,
                QWidget* parent = nullptr);
    ~TBurnDialog() override; // a running burn is cancelled and waited for

    bool Busy() const { return busy_; }
    // The disc to burn next (0-based); equals the number of discs once all are done.
    std::size_t NextDisc() const { return next_; }

signals:
    // After each disc: whether it was burned and (when asked) read back equal.
    void DiscDone(int index, bool ok);

public slots:
    void reject() override; // Esc and the close box: Cancel while burning, else close

private:
    void Scan();
    void LookAtDrive();
    void StartBurn();
    void CancelBurn();
    void ShowProgress(const burn::TBurnProgress& p);
    void Finished(const burn::TBurnResult& result);
    void ShowMedium(const std::variant<burn::TDriveInfo, burn::TBurnStatus>& found);
    void SetBusy(bool busy);
    void AskForDisc();
    std::string Address() const;
    // Runs `work` on the worker thread, one job at a time.
    void RunOnWorker(std::function<void(std::stop_token)> work);

    std::vector<TBurnDialogDisc> discs_;
    std::string cataloguePath_;
    std::size_t next_ = 0;
    std::string burningAddress_;
    bool busy_ = false;

    QLabel* disc_;
    QComboBox* drive_;
    QPushButton* rescan_;
    QLabel* medium_;
    QComboBox* speed_;
    QCheckBox* readBack_;
    QProgressBar* progress_;
    QLabel* status_;
    QPushButton* burn_;
    QPushButton* cancel_;
    std::jthread worker_;
};

} // namespace platterwise
