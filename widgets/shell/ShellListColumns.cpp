// SPDX-License-Identifier: GPL-3.0-or-later
// The shell list: report-view columns and the row data the views fetch.
#include "ShellInnerView_p.h"
#include "ShellListModel_p.h"
#include "ShellListView.h"
#include "platform/ResourceStrings.h"

#include <QHeaderView>
#include <QScopeGuard>

namespace platterwise {
namespace {

// A provider that never stops answering still ends somewhere.
constexpr int kMaxColumns = 256;

} // namespace

void TCustomShellListView::BuildColumns() {
    if (!currentFolder_ || !currentFolder_->FolderInterface()) {
        return;
    }
    // Rebuilding the columns resets the model; the selection is carried across.
    std::vector<std::pair<int, int>> selected;
    for (const QItemSelectionRange& range : selection_->selection()) {
        selected.emplace_back(range.top(), range.bottom());
    }
    const int current = selection_->currentIndex().row();
    model_->BeginUpdate();
    const auto done = qScopeGuard([&] {
        model_->EndUpdate();
        ApplyColumnWidths();
        QItemSelection restored;
        for (const auto& [top, bottom] : selected) {
            restored.select(model_->index(top, 0),
                            model_->index(bottom, model_->columnCount() - 1));
        }
        selection_->select(restored, QItemSelectionModel::Select);
        if (current >= 0 && current < rowCount_) {
            selection_->setCurrentIndex(model_->index(current, 0), QItemSelectionModel::NoUpdate);
        }
    });
    columns_.clear();
    currentFolder_->SetOwnerWindow(this);
    QStringList added;
    if (const auto extended = currentFolder_->ExtendedDetails()) {
        bool secondarySeen = false;
        for (int i = 0; i < kMaxColumns; ++i) {
            TShellDetails details;
            if (!extended->GetDetailsOf(nullptr, i, details)) {
                break;
            }
            std::uint32_t state = 0;
            extended->GetDefaultColumnState(i, state);
            const bool secondary = (state & SHCOLSTATE_SECONDARYUI) != 0;
            if (secondary) {
                secondarySeen = true;
            } else if (secondarySeen) {
                break;
            }
            AddColumn(StrRetToText(details.str, nullptr), details.fmt, details.cxChar, added);
        }
    } else if (const auto plain = currentFolder_->PlainDetails()) {
        for (int i = 0; i < kMaxColumns; ++i) {
            TShellDetails details;
            if (!plain->GetDetailsOf(nullptr, i, details) ||
                !AddColumn(StrRetToText(details.str, nullptr), details.fmt, details.cxChar,
                           added)) {
                break;
            }
        }
    } else {
        const bool fileSystem = currentFolder_->ItemStates().Contains(isFileSystem);
        AddColumn(QString::fromUtf16(res::SShellDefaultNameStr), 0, 25, added);
        if (fileSystem) {
            AddColumn(QString::fromUtf16(res::SShellDefaultSizeStr), 1, 10, added);
            AddColumn(QString::fromUtf16(res::SShellDefaultTypeStr), 0, 10, added);
            AddColumn(QString::fromUtf16(res::SShellDefaultModifiedStr), 0, 14, added);
        }
    }
}

bool TCustomShellListView::AddColumn(const QString& caption, int format, int widthInChars,
                                     QStringList& added) {
    if (caption.isEmpty()) {
        return true;
    }
    for (const QString& existing : added) {
        if (SameTextAscii(existing, caption)) {
            return false;
        }
    }
    TListColumn column;
    column.caption = caption;
    column.alignment =
        format == 1 ? Qt::AlignRight : (format == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
    column.width = reportView_->fontMetrics().horizontalAdvance(u'X') * widthInChars;
    columns_.push_back(column);
    added += caption;
    return true;
}

void TCustomShellListView::ApplyColumnWidths() {
    for (int i = 0; i < ColumnCount(); ++i) {
        reportView_->setColumnWidth(i, columns_[std::size_t(i)].width);
    }
}

bool TCustomShellListView::FetchItem(int row, bool wantText, bool wantImage, TFetchedItem& item) {
    TShellFolder* folder = ItemFolder(row);
    if (folder == nullptr) {
        return false;
    }
    if (wantText) {
        item.caption = folder->InFolderName();
    }
    if (wantImage) {
        item.image = folder->IconIndex(viewStyle_ == vsIcon);
    }
    if (viewStyle_ == vsReport) {
        const int n = ColumnCount();
        folder->LoadColumnDetails(currentFolder_.get(), this, n);
        for (int c = 1; c < n; ++c) {
            item.subItems += folder->ColumnText(c);
        }
    }
    return true;
}

} // namespace platterwise
