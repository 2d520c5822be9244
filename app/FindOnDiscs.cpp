// SPDX-License-Identifier: GPL-3.0-or-later
#include "FindOnDiscs.h"

#include "catalogue/Catalogue.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace platterwise {
namespace {

// Paths are bytes; shown as the file system's encoding reads them.
QString Shown(const std::string& bytes) {
    return QString::fromLocal8Bit(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

TFindOnDiscs::TFindOnDiscs(std::string cataloguePath, QWidget* parent)
    : QDialog(parent)
    , cataloguePath_(std::move(cataloguePath))
    , text_(new QLineEdit(this))
    , found_(new QTreeWidget(this))
    , status_(new QLabel(this)) {
    setObjectName(QStringLiteral("FindOnDiscs"));
    setWindowTitle(QStringLiteral("Find on discs"));
    text_->setObjectName(QStringLiteral("FindText"));
    text_->setPlaceholderText(QStringLiteral("Part of a file or folder name"));
    found_->setObjectName(QStringLiteral("FindResults"));
    found_->setHeaderLabels(
        {QStringLiteral("Discs"), QStringLiteral("On the disc"), QStringLiteral("From")});
    found_->setRootIsDecorated(false);
    found_->header()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(found_);
    layout->addWidget(status_);
    resize(720, 400);
    text_->setFocus();
    connect(text_, &QLineEdit::textChanged, this, [this] { Search(); });
    Search();
}

void TFindOnDiscs::Search() {
    found_->clear();
    const QByteArray text = text_->text().toLocal8Bit();
    if (text.isEmpty()) {
        status_->setText(QStringLiteral("Catalogue: ") + Shown(cataloguePath_));
        return;
    }
    try {
        const auto catalogue = TCatalogue::Open(cataloguePath_, TCatalogue::TMode::Read);
        const auto matches = catalogue->Find(text.toStdString());
        for (const TCatalogueMatch& match : matches) {
            QStringList labels;
            for (const std::string& label : match.Labels) {
                labels << QString::fromStdString(label);
            }
            found_->addTopLevelItem(
                new QTreeWidgetItem({labels.join(QStringLiteral(", ")), Shown(match.DiscPath),
                                     Shown(match.SourcePath)}));
        }
        found_->resizeColumnToContents(0);
        status_->setText(matches.empty()
                             ? QStringLiteral("Nothing found")
                             : QString::number(matches.size()) + QStringLiteral(" found"));
    } catch (const TCatalogueError& e) {
        status_->setText(QString::fromUtf8(e.what()));
    }
}

} // namespace platterwise
