// SPDX-License-Identifier: GPL-3.0-or-later
// The results panel's entries that write the shown discs' images, record them burned and
// open the burn dialog on one of them.
#include "BurnDialog.h"
#include "DiscActions.h"
#include "burn/Md5.h"
#include "catalogue/Catalogue.h"
#include "platform/Dialogs.h"
#include "widgets/flat/ALEdit.h"

#include <QDir>
#include <QFile>

namespace platterwise {
namespace {

QString FromEngine(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string NativePath(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

// The catalogue's name of the medium shown as `display`; "custom" for a size in Mb.
std::string MediumName(const std::string& display) {
    for (const TDiscMedium& m : DiscMedia) {
        if (m.DisplayName == display) {
            return std::string(m.Name);
        }
    }
    return "custom";
}

QString Labels(const std::vector<TRecordedImage>& images) {
    QStringList labels;
    for (const TRecordedImage& image : images) {
        labels << FromEngine(image.Label);
    }
    return labels.join(QStringLiteral(", "));
}

} // namespace

void TDiscActions::WriteDiscImages() {
    if (Refused() || !shown_ || shown_->Discs.empty()) {
        return;
    }
    const QString folder = ChooseImageFolder ? ChooseImageFolder() : QString();
    if (folder.isEmpty()) {
        return;
    }
    TImagesRequest request;
    request.Discs = shown_->Discs;
    request.Write.Dir = NativePath(QDir(folder).absolutePath());
    request.Write.Medium = MediumName(shownMedium_);
    request.Write.CapacitySectors = shownCapacity_;
    request.Write.Options = options_;
    request.Write.CataloguePath = DefaultCataloguePath();
    writtenDir_ = QDir::toNativeSeparators(QDir(folder).absolutePath());
    imagesBefore_ = 0;
    Run(new TWindowJob(std::move(request), shownMedium_, this),
        QStringLiteral("Writing the disc images…"));
}

void TDiscActions::ShowImageProgress(int disc, int discs, qint64 bytes, qint64 total) {
    imagesBefore_ = disc;
    if (holdNote_) {
        return;
    }
    const qint64 percent = total > 0 ? bytes * 100 / total : 0;
    Say(QStringLiteral("Writing disc %1 of %2: %3%…").arg(disc + 1).arg(discs).arg(percent));
}

void TDiscActions::ShowImages(const TWindowJob&, const TDiscImagesOutcome& outcome) {
    if (!outcome.Images.empty()) {
        written_ = outcome.Images;
    }
    const std::size_t n = outcome.Images.size();
    const QString wrote = n == 0 ? QStringLiteral("no disc image written")
                                 : QStringLiteral("wrote %1 in %2: %3")
                                       .arg(n == 1 ? QStringLiteral("1 disc image")
                                                   : QStringLiteral("%1 disc images").arg(n),
                                            writtenDir_, Labels(outcome.Images));
    if (!outcome.Error.empty()) {
        Say(QStringLiteral("Failed: ") + FromEngine(outcome.Error) + QStringLiteral("; ") + wrote);
    } else if (outcome.Stopped) {
        Say(QStringLiteral("Cancelled: ") + wrote);
    } else {
        Say(wrote.left(1).toUpper() + wrote.mid(1));
    }
}

void TDiscActions::RecordAsBurned() {
    if (written_.empty()) {
        return;
    }
    try {
        const auto catalogue = TCatalogue::Open(DefaultCataloguePath(), TCatalogue::TMode::Write);
        const std::string now = CatalogueNow();
        for (const TRecordedImage& image : written_) {
            catalogue->MarkBurned(image.Label, "", "", now);
        }
    } catch (const TCatalogueError& e) {
        dialogs_.ShowPlainBox(FromEngine(std::string("Not recorded as burned: ") + e.what()));
        return;
    }
    Say(QStringLiteral("Recorded as burned: ") + Labels(written_));
}

void TDiscActions::BurnDisc(int disc) {
    if (disc < 0 || std::size_t(disc) >= written_.size()) {
        return;
    }
    const TRecordedImage& image = written_[std::size_t(disc)];
    std::vector<TBurnDialogDisc> discs{
        {image.Label, image.Path, image.Label, burn::Md5FromHex(image.Md5)}};
    auto* dialog = new TBurnDialog(std::move(discs), DefaultCataloguePath(), &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

} // namespace platterwise
