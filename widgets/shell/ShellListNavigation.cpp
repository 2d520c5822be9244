// SPDX-License-Identifier: GPL-3.0-or-later
// The shell list: navigation, keys, double-click, type-ahead, the item menu and its verbs,
// in-place rename.
#include "ShellInnerView_p.h"
#include "ShellListModel_p.h"
#include "ShellListView.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/ShellExecute.h"

#include <QApplication>
#include <QTimer>
#include <climits>
#include <unistd.h>

namespace platterwise {
namespace {

QString UpperAscii(const QString& text) {
    QString upper = text;
    for (QChar& c : upper) {
        if (c >= u'a' && c <= u'z') {
            c = QChar(c.unicode() - 32);
        }
    }
    return upper;
}

QByteArray CurrentDirectory() {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) != nullptr ? QByteArray(buffer) : QByteArray();
}

} // namespace

void TCustomShellListView::NavigateTo(const TItemIdList* id) {
    if (updating_) {
        return;
    }
    if (currentFolder_ && SameIdList(id, currentFolder_->AbsoluteIdList())) {
        return;
    }
    // Made before the old folder and rows go: `id` may be one of theirs.
    std::unique_ptr<TShellFolder> folder = MakeFolderItem(id);
    ReplaceCurrentFolder(std::move(folder));
    RebuildView();
}

void TCustomShellListView::GoUp() {
    if (!currentFolder_) {
        return;
    }
    const TIdListPtr parent = IdListCopy(currentFolder_->AbsoluteIdList());
    IdListStripLast(parent.get());
    NavigateTo(parent.get());
}

void TCustomShellListView::Reload() {
    // Not while the rows are being rebuilt (from within OnAddFolder, say): the folder the
    // rows hang below must not go away under them.
    if (updating_ || !currentFolder_) {
        return;
    }
    const int row = FirstSelectedRow();
    const TRowIdentities kept = SelectedIdentities();
    selection_->clearSelection();
    const TIdListPtr folder = IdListCopy(currentFolder_->AbsoluteIdList());
    ReplaceCurrentFolder(nullptr);
    NavigateTo(folder.get());
    // Rows shift when an item appears above them: the selection follows the items, so what
    // the user chose stays chosen. The row number counts only when none of them is left.
    if (!Reselect(kept) && row >= 0 && row < rowCount_) {
        SelectRow(row);
    }
}

TCustomShellListView::TRowIdentities TCustomShellListView::SelectedIdentities() const {
    TRowIdentities kept;
    for (const QItemSelectionRange& range : selection_->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            if (const TShellFolder* item = ItemFolder(row)) {
                kept.Selected.insert(IdListBytes(item->RelativeIdList()));
            }
        }
    }
    if (const TShellFolder* item = ItemFolder(selection_->currentIndex().row())) {
        kept.Current = IdListBytes(item->RelativeIdList());
    }
    return kept;
}

bool TCustomShellListView::Reselect(const TRowIdentities& kept) {
    if (kept.Selected.isEmpty()) {
        return false;
    }
    QItemSelection rows;
    int current = -1;
    const int lastColumn = model_->columnCount() - 1;
    for (int row = 0; row < rowCount_; ++row) {
        const QByteArray id = IdListBytes(ItemFolder(row)->RelativeIdList());
        if (!kept.Selected.contains(id)) {
            continue;
        }
        if (current < 0 || id == kept.Current) {
            current = row;
        }
        // Neighbouring rows join one range, so selecting thousands stays one call.
        if (!rows.isEmpty() && rows.last().bottom() == row - 1) {
            rows.last() =
                QItemSelectionRange(rows.last().topLeft(), model_->index(row, lastColumn));
        } else {
            rows.append(QItemSelectionRange(model_->index(row, 0), model_->index(row, lastColumn)));
        }
    }
    if (current < 0) {
        return false;
    }
    selection_->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const QModelIndex focus = model_->index(current, 0);
    selection_->setCurrentIndex(focus, QItemSelectionModel::NoUpdate);
    ActiveView()->scrollTo(focus);
    return true;
}

void TCustomShellListView::OpenItem(TShellFolder* item, bool byEnter) {
    if (item->IsContainer()) {
        NavigateTo(item->AbsoluteIdList());
    } else if (byEnter) {
        item->OpenWithDefault();
    } else {
        OpenPathWithDefault(item->FileSystemPath());
    }
}

void TCustomShellListView::ViewKeyDown(QKeyEvent* event) {
    if (!autoNavigate_) {
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (TShellFolder* item = SelectedItemFolder()) {
            if ((event->modifiers() & Qt::AltModifier) != 0) {
                item->InvokeVerb("properties");
            } else {
                OpenItem(item, true);
            }
        }
        event->accept();
        break;
    case Qt::Key_Backspace:
        if (!IsEditingLabel()) {
            GoUp();
        }
        event->accept();
        break;
    case Qt::Key_F5:
        Reload();
        event->accept();
        break;
    default:
        break;
    }
}

void TCustomShellListView::ViewDoubleClicked() {
    if (!autoNavigate_) {
        return;
    }
    if (TShellFolder* item = SelectedItemFolder()) {
        OpenItem(item, false);
    }
}

bool TCustomShellListView::ViewContextMenu(QContextMenuEvent* event, QWidget* viewport) {
    TShellFolder* item = SelectedItemFolder();
    if (!autoContextMenus_ || item == nullptr) {
        return false;
    }
    QPoint at = event->pos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        at = ActiveView()->visualRect(ActiveView()->currentIndex()).center();
    }
    at = viewport->mapTo(this, at);
    event->accept();
    item->ShowContextMenu(this, at.x(), at.y()); // the item may be gone afterwards
    return true;
}

void TCustomShellListView::ViewTypeAhead(const QString& text) {
    if (text.isEmpty() || text.at(0).unicode() < 0x20) {
        return;
    }
    const bool continuing = typeAheadClock_.isValid() &&
                            typeAheadClock_.elapsed() < QApplication::keyboardInputInterval();
    typeAhead_ = continuing ? typeAhead_ + text : text;
    typeAheadClock_.start();
    const int current = ActiveView()->currentIndex().row();
    const int start = continuing ? std::max(current, 0) : current + 1;
    const int row = FindItemByPrefix(ifPartialString, typeAhead_, start, true);
    if (row >= 0) {
        SelectRow(row);
    }
}

int TCustomShellListView::FindItemByPrefix(TItemFind kind, const QString& text, int start,
                                           bool wrap) const {
    if ((kind != ifPartialString && kind != ifExactString) || rowCount_ == 0) {
        return -1;
    }
    const QString prefix = UpperAscii(text);
    int row = std::max(start, 0);
    if (row >= rowCount_) {
        if (!wrap) {
            return -1;
        }
        row = 0;
    }
    for (int examined = 0; examined < rowCount_; ++examined) {
        if (UpperAscii(ItemFolder(row)->InFolderName()).startsWith(prefix)) {
            return row;
        }
        if (++row >= rowCount_) {
            if (!wrap) {
                return -1;
            }
            row = 0;
        }
    }
    return -1;
}

void TCustomShellListView::LabelEdited(int row, const QString& text) {
    if (row < 0 || row >= rowCount_) {
        return;
    }
    try {
        items_[std::size_t(row)]->RenameTo(text);
    } catch (const Exception& error) {
        // Shown once the editor has closed, not from inside the editor's commit.
        QTimer::singleShot(0, this,
                           [message = error.Message()] { ShowException(Exception(message)); });
    }
    model_->RowChanged(row);
}

void TCustomShellListView::BeforeVerb(const QByteArray& verb, bool& handled) {
    const QByteArray v = verb.toLower();
    if (v == "rename") {
        if (const int row = FirstSelectedRow(); row >= 0) {
            const QModelIndex index = model_->index(row, 0);
            ActiveView()->setCurrentIndex(index);
            ActiveView()->edit(index);
        }
        handled = true;
    } else if (v == "open") {
        // The desktop opens items without a working directory of ours, so none is set; the
        // saved one is put back after the verb in any case, since the settings file is found
        // through it.
        savedWorkingDirectory_ = CurrentDirectory();
    }
}

void TCustomShellListView::AfterVerb(const QByteArray& verb, bool succeeded) {
    const QByteArray v = verb.toLower();
    if (v == "open") {
        if (!savedWorkingDirectory_.isEmpty() && CurrentDirectory() != savedWorkingDirectory_) {
            [[maybe_unused]] const int r = ::chdir(savedWorkingDirectory_.constData());
        }
    } else if (succeeded && (v == "delete" || v == "paste")) {
        Reload();
    }
}

} // namespace platterwise
