// SPDX-License-Identifier: GPL-3.0-or-later
// The shell list: construction, properties, the root, rebuilding and filling the rows.
#include "ShellListView.h"

#include "ShellInnerView_p.h"
#include "ShellItemDelegate_p.h"
#include "ShellListModel_p.h"
#include "platform/Exceptions.h"
#include "platform/KnownFolders.h"
#include "platform/ResourceStrings.h"
#include "widgets/shell/ShellChangeNotifier.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScopeGuard>
#include <algorithm>
#include <cstring>

namespace platterwise {

std::uint32_t ObjectTypeFlags(TShellObjectTypes types) {
    return types.Bits() << 5;
}

TCustomShellListView::TCustomShellListView(QWidget* parent)
    : QWidget(parent)
    , model_(new TShellListModel(this))
    , selection_(new QItemSelectionModel(model_, this))
    , iconView_(new TShellInnerView<QListView>(this))
    , reportView_(new TShellInnerView<QTableView>(this)) {
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(iconView_),
                                    static_cast<QAbstractItemView*>(reportView_)}) {
        view->setModel(model_);
        view->setSelectionModel(selection_);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setFocusPolicy(Qt::StrongFocus);
    }
    iconView_->setItemDelegate(new TShellItemDelegate(iconView_));
    iconView_->setUniformItemSizes(true);
    iconView_->setMovement(QListView::Static);
    iconView_->setResizeMode(QListView::Adjust);
    reportView_->verticalHeader()->hide();
    reportView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    reportView_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    reportView_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    reportView_->horizontalHeader()->setHighlightSections(false);
    reportView_->horizontalHeader()->setSectionsClickable(false);
    reportView_->setWordWrap(false);
    reportView_->setShowGrid(false);
    reportView_->setIconSize(QSize(16, 16));
    setFocusPolicy(Qt::StrongFocus);
    SetMultiSelect(false);
    ApplyEditTriggers();
    SetHideSelection(false);
    ApplyViewStyle();
    // A Qt widget is live from construction: the root is resolved and listed now.
    ResolveRoot();
    RebuildView();
}

TCustomShellListView::~TCustomShellListView() {
    notifier_.reset(); // no change handler may run from here on
    // The model and the views go later, with the Qt children; from here on the model shows
    // no rows and never reaches back into this list.
    model_->Detach();
    items_.clear(); // the rows hang below the current folder: they go before it does
}

// --- Rows and selection ---------------------------------------------------------------

bool TCustomShellListView::IsRowSelected(int row) const {
    return selection_->isSelected(model_->index(row, 0));
}

void TCustomShellListView::SelectAll() {
    if (!multiSelect_ || rowCount_ == 0) {
        return;
    }
    selection_->select(QItemSelection(model_->index(0, 0),
                                      model_->index(rowCount_ - 1, model_->columnCount() - 1)),
                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

TShellFolder* TCustomShellListView::ItemFolder(int index) const {
    return index >= 0 && index < rowCount_ && std::size_t(index) < items_.size()
               ? items_[std::size_t(index)].get()
               : nullptr;
}

int TCustomShellListView::FirstSelectedRow() const {
    int first = -1;
    for (const QItemSelectionRange& range : selection_->selection()) {
        if (first < 0 || range.top() < first) {
            first = range.top();
        }
    }
    return first;
}

TShellFolder* TCustomShellListView::SelectedItemFolder() const {
    const int first = FirstSelectedRow();
    return first < 0 ? nullptr : ItemFolder(first);
}

void TCustomShellListView::SelectRow(int row) {
    const QModelIndex index = model_->index(row, 0);
    selection_->setCurrentIndex(index,
                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ActiveView()->scrollTo(index);
}

QAbstractItemView* TCustomShellListView::ActiveView() const {
    return viewStyle_ == vsReport ? static_cast<QAbstractItemView*>(reportView_) : iconView_;
}

QAbstractItemModel* TCustomShellListView::Model() const {
    return model_;
}

bool TCustomShellListView::IsEditingLabel() const {
    return viewStyle_ == vsReport ? reportView_->Editing() : iconView_->Editing();
}

// --- Properties --------------------------------------------------------------------------

void TCustomShellListView::SetRoot(const QString& root) {
    if (SameTextAscii(root, root_)) {
        return;
    }
    previousRoot_ = root_;
    root_ = root;
    ResolveRoot();
    RebuildView();
}

void TCustomShellListView::SetObjectTypes(TShellObjectTypes types) {
    objectTypes_ = types;
    RebuildView();
}

void TCustomShellListView::SetAutoRefresh(bool on) {
    autoRefresh_ = on;
    notifier_.reset(); // may be the notifier whose handler is running: Qt allows it
    if (on) {
        notifier_ = std::make_unique<TShellChangeNotifier>(nullptr);
        notifier_->SetWatchSubTree(false);
        notifier_->SetRoot(currentFolder_ ? currentFolder_->FullPathName() : QString());
        notifier_->SetOnChange([this] { Reload(); });
    }
}

void TCustomShellListView::SetSorted(bool on) {
    if (sorted_ != on) {
        sorted_ = on;
        FillItems();
    }
}

void TCustomShellListView::SetMultiSelect(bool on) {
    multiSelect_ = on;
    const auto mode =
        on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    iconView_->setSelectionMode(mode);
    reportView_->setSelectionMode(mode);
}

void TCustomShellListView::SetReadOnly(bool on) {
    readOnly_ = on;
    ApplyEditTriggers();
}

void TCustomShellListView::ApplyEditTriggers() {
    const QAbstractItemView::EditTriggers triggers =
        readOnly_ ? QAbstractItemView::NoEditTriggers
                  : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked;
    iconView_->setEditTriggers(triggers);
    reportView_->setEditTriggers(triggers);
}

void TCustomShellListView::SetGridLines(bool on) {
    gridLines_ = on;
    reportView_->setShowGrid(on);
}

void TCustomShellListView::SetHideSelection(bool on) {
    hideSelection_ = on;
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(iconView_),
                                    static_cast<QAbstractItemView*>(reportView_)}) {
        QPalette palette = QGuiApplication::palette();
        if (on) {
            palette.setColor(QPalette::Inactive, QPalette::Highlight,
                             palette.color(QPalette::Inactive, QPalette::Base));
            palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                             palette.color(QPalette::Inactive, QPalette::Text));
        } else {
            palette.setColor(QPalette::Inactive, QPalette::Highlight,
                             palette.color(QPalette::Active, QPalette::Highlight));
            palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                             palette.color(QPalette::Active, QPalette::HighlightedText));
        }
        view->setPalette(palette);
    }
}

void TCustomShellListView::SetViewStyle(TViewStyle style) {
    viewStyle_ = style;
    ApplyViewStyle();
    if (style == vsReport) {
        BuildColumns();
    }
}

void TCustomShellListView::ApplyViewStyle() {
    const int x = fontMetrics().horizontalAdvance(u'X');
    const int line = fontMetrics().height();
    switch (viewStyle_) {
    case vsIcon:
        iconView_->setViewMode(QListView::IconMode);
        iconView_->setIconSize(QSize(32, 32));
        iconView_->setGridSize(QSize(x * 11, 32 + 3 * line + 8));
        iconView_->setWordWrap(true);
        break;
    case vsSmallIcon:
        iconView_->setViewMode(QListView::ListMode);
        iconView_->setFlow(QListView::LeftToRight);
        iconView_->setWrapping(true);
        iconView_->setIconSize(QSize(16, 16));
        iconView_->setGridSize(QSize(x * 18, line + 6));
        iconView_->setWordWrap(false);
        break;
    case vsList:
        iconView_->setViewMode(QListView::ListMode);
        iconView_->setFlow(QListView::TopToBottom);
        iconView_->setWrapping(true);
        iconView_->setIconSize(QSize(16, 16));
        iconView_->setGridSize(QSize(x * 22, line + 4));
        iconView_->setWordWrap(false);
        break;
    case vsReport:
        break;
    }
    static_cast<TShellItemDelegate*>(iconView_->itemDelegate())->SetItemSize(iconView_->gridSize());
    QAbstractItemView* shown = ActiveView();
    QAbstractItemView* hidden =
        shown == iconView_ ? static_cast<QAbstractItemView*>(reportView_) : iconView_;
    const bool focused = hidden->hasFocus();
    hidden->hide();
    shown->setGeometry(rect());
    shown->show();
    setFocusProxy(shown);
    if (focused) {
        shown->setFocus();
    }
}

void TCustomShellListView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    iconView_->setGeometry(rect());
    reportView_->setGeometry(rect());
}

// --- Root, rebuilding and filling --------------------------------------------------------

void TCustomShellListView::ResolveRoot() {
    TIdListPtr list;
    TRootFolder special{};
    if (FindRootFolder(root_, special)) {
        list = SpecialFolderLocation(RootFolderCsidl(special));
    } else if (!root_.isEmpty()) {
        if (root_.endsWith(u':')) {
            root_ += u'/'; // a bare drive with its colon gains a separator
        }
        if (!DesktopFolder()->ParseDisplayName(nullptr, root_, list)) {
            list.reset();
        }
    }
    if (!list) {
        const QString message = FormatMessage(QString::fromUtf16(res::SErrorSettingPath), {root_});
        root_ = previousRoot_;
        throw EInvalidPath(message);
    }
    ReplaceCurrentFolder(MakeFolderItem(list.get()));
}

void TCustomShellListView::ReplaceCurrentFolder(std::unique_ptr<TShellFolder> folder) {
    // The rows hang below the current folder: they go before it does.
    model_->BeginUpdate();
    DropItems();
    currentFolder_ = std::move(folder);
    model_->EndUpdate();
}

void TCustomShellListView::DropItems() {
    rowCount_ = 0;
    items_.clear();
}

void TCustomShellListView::RebuildView() {
    if (updating_) {
        return;
    }
    updating_ = true;
    const bool refresh = autoRefresh_;
    const auto restore = qScopeGuard([&] {
        if (autoRefresh_ != refresh) {
            SetAutoRefresh(refresh);
        }
        updating_ = false;
    });
    SetAutoRefresh(false);
    FillItems();
    if (viewStyle_ == vsReport) {
        BuildColumns();
    }
    SetAutoRefresh(refresh);
}

void TCustomShellListView::FillItems() {
    model_->BeginUpdate();
    DropItems();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto done = qScopeGuard([&] {
        QGuiApplication::restoreOverrideCursor();
        model_->EndUpdate();
    });
    if (!currentFolder_ || !currentFolder_->FolderInterface()) {
        return;
    }
    const TShellFolderPtr& folder = currentFolder_->FolderInterface();
    const auto children = folder->EnumObjects(window(), ObjectTypeFlags(objectTypes_));
    if (!children) {
        return;
    }
    auto* sender = dynamic_cast<TShellListView*>(this);
    TIdListPtr id;
    while (children->Next(id)) {
        auto item = std::make_unique<TShellFolder>(
            currentFolder_.get(), BindChildFolder(folder, id.get(), this), id.get());
        bool canAdd = true;
        if (OnAddFolder) {
            OnAddFolder(sender, item.get(), canAdd);
        }
        if (canAdd) {
            items_.push_back(std::move(item));
        }
    }
    rowCount_ = int(items_.size());
    if (sorted_) {
        SortItems();
    }
}

void TCustomShellListView::SortItems() {
    struct TKeyed {
        int folder;
        const TItemIdList* id; // a copy of the item's RelativeIdList in `packed`
        std::unique_ptr<TShellFolder> item;
    };
    // Folder-ness is asked once per item, not once per comparison. The identifiers are copied
    // side by side first: read where each item's allocation put them, every comparison of a
    // large folder missed the cache twice.
    std::vector<std::size_t> offsets;
    offsets.reserve(items_.size());
    std::size_t total = 0;
    for (const auto& item : items_) {
        offsets.push_back(total);
        total += IdListSize(item->RelativeIdList());
    }
    std::vector<char> packed(total);
    std::vector<TKeyed> keyed;
    keyed.reserve(items_.size());
    for (std::size_t i = 0; i < items_.size(); ++i) {
        auto& item = items_[i];
        const TItemIdList* id = item->RelativeIdList();
        const std::size_t size = IdListSize(id);
        const TItemIdList* copy = nullptr;
        if (size != 0) {
            std::memcpy(packed.data() + offsets[i], id, size);
            copy = reinterpret_cast<const TItemIdList*>(packed.data() + offsets[i]);
        }
        const int folder = item->IsContainer() ? 1 : 0;
        keyed.push_back({folder, copy, std::move(item)});
    }
    // Every row's parent is the current folder: its interface compares the names.
    IShellFolder* compare = currentFolder_ ? currentFolder_->FolderInterface().get() : nullptr;
    std::sort(keyed.begin(), keyed.end(), [compare](const TKeyed& a, const TKeyed& b) {
        if (!a.item || !b.item) {
            return false;
        }
        if (const int r = b.folder - a.folder) {
            return r < 0;
        }
        if (compare == nullptr) {
            return false;
        }
        const auto code = std::int16_t(compare->CompareIDs(0, a.id, b.id) & 0xFFFF);
        return code < 0;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        items_[i] = std::move(keyed[i].item);
    }
}

} // namespace platterwise
