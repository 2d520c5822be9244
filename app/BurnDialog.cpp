// SPDX-License-Identifier: GPL-3.0-or-later
#include "BurnDialog.h"

#include "catalogue/Catalogue.h"
#include "engine/Units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <ctime>

namespace platterwise {
namespace {

using namespace burn;

QString Q(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString ProgressText(const TBurnProgress& p) {
    const char* phase = p.Phase == TBurnPhase::Checking  ? "Checking the image"
                        : p.Phase == TBurnPhase::Writing ? "Writing"
                                                         : "Reading back";
    QString text = QStringLiteral("%1: %2%").arg(QLatin1String(phase)).arg(p.Percent());
    if (p.BytesPerSecond > 0) {
        text += QStringLiteral(", %1 MB/s").arg(p.BytesPerSecond / 1e6, 0, 'f', 1);
    }
    if (p.BufferPercent >= 0) {
        text += QStringLiteral(", buffer %1%").arg(p.BufferPercent);
    }
    if (p.SecondsLeft >= 0) {
        text += QStringLiteral(", %1:%2 left")
                    .arg(p.SecondsLeft / 60)
                    .arg(p.SecondsLeft % 60, 2, 10, QLatin1Char('0'));
    }
    return text;
}

template <class T>
T* Place(T* widget, int x, int y, int w, int h) {
    widget->setGeometry(x, y, w, h);
    return widget;
}

} // namespace

TBurnDialog::TBurnDialog(std::vector<TBurnDialogDisc> discs, std::string cataloguePath,
                         QWidget* parent)
    : QDialog(parent)
    , discs_(std::move(discs))
    , cataloguePath_(std::move(cataloguePath)) {
    setObjectName(QStringLiteral("BurnDialog"));
    setWindowTitle(QStringLiteral("Burn discs"));
    setFixedSize(440, 236);
    disc_ = Place(new QLabel(this), 12, 10, 416, 20);
    Place(new QLabel(QStringLiteral("&Drive:"), this), 12, 40, 80, 24)
        ->setBuddy(drive_ = Place(new QComboBox(this), 96, 40, 236, 24));
    drive_->setObjectName(QStringLiteral("Drive"));
    drive_->setEditable(true); // a pseudo-drive's address can be typed: stdio:/path/file
    rescan_ = Place(new QPushButton(QStringLiteral("&Look again"), this), 340, 40, 88, 24);
    medium_ = Place(new QLabel(this), 96, 68, 332, 20);
    medium_->setObjectName(QStringLiteral("Medium"));
    Place(new QLabel(QStringLiteral("&Speed:"), this), 12, 94, 80, 24)
        ->setBuddy(speed_ = Place(new QComboBox(this), 96, 94, 120, 24));
    speed_->setObjectName(QStringLiteral("Speed"));
    speed_->addItem(QStringLiteral("Best"), 0.0);
    for (const int x : {1, 2, 4, 8, 16}) {
        speed_->addItem(QStringLiteral("%1x").arg(x), double(x));
    }
    readBack_ =
        Place(new QCheckBox(QStringLiteral("&Read back after burning"), this), 96, 124, 332, 22);
    readBack_->setObjectName(QStringLiteral("ReadBack"));
    readBack_->setChecked(true);
    progress_ = Place(new QProgressBar(this), 12, 154, 416, 18);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    status_ = Place(new QLabel(this), 12, 176, 416, 20);
    status_->setObjectName(QStringLiteral("Status"));
    burn_ = Place(new QPushButton(this), 236, 202, 110, 26);
    burn_->setObjectName(QStringLiteral("Burn"));
    burn_->setDefault(true);
    cancel_ = Place(new QPushButton(QStringLiteral("Close"), this), 352, 202, 76, 26);
    cancel_->setObjectName(QStringLiteral("Cancel"));
    setTabOrder(drive_, rescan_);
    setTabOrder(rescan_, speed_);
    setTabOrder(speed_, readBack_);
    setTabOrder(readBack_, burn_);
    setTabOrder(burn_, cancel_);

    connect(rescan_, &QPushButton::clicked, this, &TBurnDialog::Scan);
    connect(drive_->lineEdit(), &QLineEdit::editingFinished, this, &TBurnDialog::LookAtDrive);
    connect(drive_, &QComboBox::activated, this, &TBurnDialog::LookAtDrive);
    connect(burn_, &QPushButton::clicked, this, &TBurnDialog::StartBurn);
    connect(cancel_, &QPushButton::clicked, this, &TBurnDialog::reject);
    AskForDisc();
    Scan();
}

TBurnDialog::~TBurnDialog() {
    worker_.request_stop();
    if (worker_.joinable()) {
        worker_.join();
    }
}

std::string TBurnDialog::Address() const {
    // A scanned drive's line shows its vendor and model too; its address is the item's data.
    const int index = drive_->findText(drive_->currentText());
    const QString address = index >= 0 && !drive_->itemData(index).toString().isEmpty()
                                ? drive_->itemData(index).toString()
                                : drive_->currentText().trimmed();
    const QByteArray bytes = address.toUtf8();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

void TBurnDialog::RunOnWorker(std::function<void(std::stop_token)> work) {
    if (worker_.joinable()) {
        worker_.join(); // the previous job has delivered; its thread is ending
    }
    SetBusy(true);
    worker_ = std::jthread(std::move(work));
}

void TBurnDialog::Scan() {
    if (busy_) {
        return;
    }
    status_->setText(QStringLiteral("Looking for drives…"));
    RunOnWorker([this](std::stop_token) {
        const TDriveScan scan = ScanDrives();
        QMetaObject::invokeMethod(this, [this, scan] {
            SetBusy(false);
            const QString typed = drive_->currentText();
            drive_->clear();
            for (const TDriveInfo& d : scan.Drives) {
                drive_->addItem(Q(d.Address + "  " + d.Vendor + " " + d.Model), Q(d.Address));
            }
            if (scan.Drives.empty()) {
                drive_->setEditText(typed);
                status_->setText(
                    scan.Unopenable.empty()
                        ? QStringLiteral("No optical drive found")
                        : Q(scan.Unopenable.front() +
                            " cannot be opened: burning needs the cdrom group (sudo adduser "
                            "$USER cdrom, then log in again)"));
                medium_->clear();
                return;
            }
            status_->clear();
            LookAtDrive();
        });
    });
}

void TBurnDialog::LookAtDrive() {
    if (busy_) {
        return;
    }
    const std::string address = Address();
    if (address.empty()) {
        return;
    }
    RunOnWorker([this, address](std::stop_token) {
        auto found = LookUpDrive(address);
        QMetaObject::invokeMethod(this, [this, found] {
            SetBusy(false);
            ShowMedium(found);
        });
    });
}

void TBurnDialog::ShowMedium(const std::variant<TDriveInfo, TBurnStatus>& found) {
    if (const auto* status = std::get_if<TBurnStatus>(&found)) {
        medium_->setText(Q(status->Text));
        return;
    }
    const TMediumInfo& m = std::get<TDriveInfo>(found).Medium;
    medium_->setText(m.State == TMediumState::None
                         ? QStringLiteral("No disc")
                         : Q(m.Type + ", " + std::string(StateName(m.State)) + ", " +
                             GroupThousands(m.FreeSectors) + " free sectors"));
}

void TBurnDialog::AskForDisc() {
    if (next_ >= discs_.size()) {
        disc_->setText(discs_.size() == 1
                           ? QStringLiteral("The disc is done.")
                           : QStringLiteral("All %1 discs are done.").arg(discs_.size()));
        burn_->setText(QStringLiteral("&Burn"));
        burn_->setEnabled(false);
        return;
    }
    disc_->setText(QStringLiteral("Disc %1 of %2: %3")
                       .arg(next_ + 1)
                       .arg(discs_.size())
                       .arg(Q(discs_[next_].Name)));
    burn_->setText(QStringLiteral("&Burn disc %1").arg(next_ + 1));
    if (next_ > 0) {
        status_->setText(
            QStringLiteral("Put a blank disc for disc %1 in the drive, then Burn.").arg(next_ + 1));
    }
}

void TBurnDialog::StartBurn() {
    if (busy_ || next_ >= discs_.size()) {
        return;
    }
    const TBurnDialogDisc& disc = discs_[next_];
    TBurnRequest request;
    request.DriveAddress = Address();
    burningAddress_ = request.DriveAddress;
    request.ImagePath = disc.ImagePath;
    request.SpeedFactor = speed_->currentData().toDouble();
    request.ReadBack = readBack_->isChecked();
    request.ExpectedMd5 = disc.Md5;
    progress_->setValue(0);
    status_->setText(QStringLiteral("Starting…"));
    RunOnWorker([this, request](std::stop_token stop) {
        const TBurnResult result = BurnImage(
            request,
            [this](const TBurnProgress& p) {
                QMetaObject::invokeMethod(this, [this, p] { ShowProgress(p); });
            },
            stop);
        QMetaObject::invokeMethod(this, [this, result] { Finished(result); });
    });
}

void TBurnDialog::ShowProgress(const TBurnProgress& p) {
    progress_->setValue(p.Percent());
    status_->setText(ProgressText(p));
}

void TBurnDialog::Finished(const TBurnResult& result) {
    SetBusy(false);
    const TBurnDialogDisc& disc = discs_[next_];
    bool ok = result.Status.Ok();
    QString text;
    if (!ok) {
        text = Q(result.Status.Text);
    } else if (!result.ReadBackOk) {
        text = QStringLiteral("Disc %1 burned, not read back").arg(next_ + 1);
    } else {
        text = QStringLiteral("Disc %1 burned and read back equal to the image").arg(next_ + 1);
        if (!disc.Label.empty()) {
            try {
                TCatalogue::Open(cataloguePath_, TCatalogue::TMode::Write)
                    ->MarkBurned(disc.Label, burningAddress_ + " (" + result.DriveName + ")",
                                 result.Medium.Type, CatalogueNow());
                text += QStringLiteral("; recorded in the catalogue");
            } catch (const TCatalogueError& e) {
                text += QStringLiteral("; not recorded: ") + QString::fromUtf8(e.what());
                ok = false;
            }
        }
    }
    status_->setText(text);
    const int index = int(next_);
    if (result.Status.Ok()) {
        medium_->setText(QStringLiteral("Look again once the next disc is in"));
        ++next_;
        AskForDisc();
        if (next_ < discs_.size()) {
            status_->setText(text + QStringLiteral(". Put a blank disc for disc %1 in the drive, "
                                                   "then Burn.")
                                        .arg(next_ + 1));
        }
    }
    emit DiscDone(index, ok);
}

void TBurnDialog::CancelBurn() {
    worker_.request_stop();
    status_->setText(QStringLiteral("Stopping the drive…"));
}

void TBurnDialog::reject() {
    if (busy_) {
        CancelBurn();
        return;
    }
    QDialog::reject();
}

void TBurnDialog::SetBusy(bool busy) {
    busy_ = busy;
    drive_->setEnabled(!busy);
    rescan_->setEnabled(!busy);
    speed_->setEnabled(!busy);
    readBack_->setEnabled(!busy);
    burn_->setEnabled(!busy && next_ < discs_.size());
    cancel_->setText(busy ? QStringLiteral("Cancel") : QStringLiteral("Close"));
}

} // namespace platterwise
