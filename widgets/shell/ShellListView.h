// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file list bound to the shell namespace: the children of CurrentFolder, one row per
// item, in four view styles. Rows are virtual: the view holds only their count and
// selection, and names, icons and details are fetched from the items when drawn.
#include "widgets/shell/RootFolders.h"
#include "widgets/shell/ShellFolder.h"
#include "widgets/shell/ShellSets.h"
#include "widgets/shell/ShellVerbHook.h"

#include <QElapsedTimer>
#include <QSet>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QAbstractItemModel;
class QAbstractItemView;
class QItemSelectionModel;
class QListView;
class QTableView;

namespace platterwise {

class TShellChangeNotifier;
class TShellListModel;
class TShellListView;
template <typename Base>
class TShellInnerView;

enum TShellObjectType { otFolders, otNonFolders, otHidden };
using TShellObjectTypes = TEnumSet<TShellObjectType>;
// The enumeration flag word of a set: member k becomes bit k + 5.
std::uint32_t ObjectTypeFlags(TShellObjectTypes types);

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
// Kinds of type-ahead search; only the two text kinds are answered.
enum TItemFind { ifData, ifPartialString, ifExactString, ifNearest };

// Asked for every enumerated item before it is listed; CanAdd comes in true.
using TAddFolderEvent =
    std::function<void(TShellListView* Sender, TShellFolder* AFolder, bool& CanAdd)>;

// One report-view column: caption, alignment and width in pixels.
struct TListColumn {
    QString caption;
    Qt::Alignment alignment = Qt::AlignLeft;
    int width = 0;
};

// What FetchItem produces for one row.
struct TFetchedItem {
    QString caption;
    int image = -1;
    QStringList subItems; // report view: column 1 first
};

class TCustomShellListView : public QWidget, public IShellVerbHook {
    Q_OBJECT

public:
    ~TCustomShellListView() override;
    Q_DISABLE_COPY_MOVE(TCustomShellListView)

    // Rows and selection. Row index and item index are the same number.
    int ItemCount() const { return rowCount_; }
    bool IsRowSelected(int row) const;
    void SelectAll();
    // The item of row `index`, REQUIRES 0 <= index < ItemCount(). Owned by the list.
    TShellFolder* ItemFolder(int index) const;
    // The item of the first selected row, or none.
    TShellFolder* SelectedItemFolder() const;
    // The folder whose children are shown; none until a root was resolved.
    TShellFolder* CurrentFolder() const { return currentFolder_.get(); }

    // Lists the current folder afresh. Every selected item still there is selected again,
    // and the focus stays on its item; when none is left, the row of the first selected
    // index is selected if it still exists.
    void Reload();
    void GoUp();
    void NavigateTo(const TItemIdList* id);
    virtual void FillItems();
    void BuildColumns();
    void RebuildView();

    // Row data for the virtual list; false for a row outside the items.
    bool FetchItem(int row, bool wantText, bool wantImage, TFetchedItem& item);
    // The first row from `start` on whose name begins with `text` (ASCII case ignored),
    // continuing at row 0 when `wrap`; -1 when none.
    int FindItemByPrefix(TItemFind kind, const QString& text, int start, bool wrap) const;

    int ColumnCount() const { return int(columns_.size()); }
    const TListColumn& Column(int index) const { return columns_[std::size_t(index)]; }
    // The view that shows the current style, and the model behind both views.
    QAbstractItemView* ActiveView() const;
    QAbstractItemModel* Model() const;
    // True while an item name is being edited in place.
    bool IsEditingLabel() const;

    void BeforeVerb(const QByteArray& verb, bool& handled) override;
    void AfterVerb(const QByteArray& verb, bool succeeded) override;

protected:
    explicit TCustomShellListView(QWidget* parent);

    // Setting the root re-lists; throws EInvalidPath "Error setting path: ..." and keeps
    // the previous root, folder and rows when the text cannot be resolved.
    const QString& Root() const { return root_; }
    void SetRoot(const QString& root);
    TShellObjectTypes ObjectTypes() const { return objectTypes_; }
    void SetObjectTypes(TShellObjectTypes types);
    bool AutoRefresh() const { return autoRefresh_; }
    void SetAutoRefresh(bool on);
    bool AutoNavigate() const { return autoNavigate_; }
    void SetAutoNavigate(bool on) { autoNavigate_ = on; }
    bool AutoContextMenus() const { return autoContextMenus_; }
    void SetAutoContextMenus(bool on) { autoContextMenus_ = on; }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool on);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool on);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool on);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on);
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle style);

    TAddFolderEvent OnAddFolder;

    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TShellListModel;
    template <typename Base>
    friend class TShellInnerView;

    void ResolveRoot();
    void ReplaceCurrentFolder(std::unique_ptr<TShellFolder> folder);
    void DropItems();
    void SortItems();
    bool AddColumn(const QString& caption, int format, int widthInChars, QStringList& added);
    void ApplyColumnWidths();
    void ApplyViewStyle();
    void ApplyEditTriggers();
    void SelectRow(int row);
    // The selected items and the focused one, by their identifier within the folder.
    struct TRowIdentities {
        QSet<QByteArray> Selected;
        QByteArray Current;
    };
    TRowIdentities SelectedIdentities() const;
    // Selects the rows of the items in `kept`, the focus on its focused item when that is
    // among them (else the first); false, and nothing changed, when none is listed.
    bool Reselect(const TRowIdentities& kept);
    int FirstSelectedRow() const;
    void OpenItem(TShellFolder* item, bool byEnter);
    void LabelEdited(int row, const QString& text);

    // Hooks of the inner views, run after their own handling.
    void ViewKeyDown(QKeyEvent* event);
    void ViewDoubleClicked();
    bool ViewContextMenu(QContextMenuEvent* event, QWidget* viewport);
    void ViewTypeAhead(const QString& text);

    // Qt children of the list, which Qt destroys after the list's own members.
    TShellListModel* model_;
    QItemSelectionModel* selection_;
    TShellInnerView<QListView>* iconView_;
    TShellInnerView<QTableView>* reportView_;

    QString root_ = QStringLiteral("rfDesktop");
    QString previousRoot_;
    std::unique_ptr<TShellFolder> currentFolder_;
    std::vector<std::unique_ptr<TShellFolder>> items_;
    int rowCount_ = 0;
    std::vector<TListColumn> columns_;
    std::unique_ptr<TShellChangeNotifier> notifier_;
    QByteArray savedWorkingDirectory_;

    TShellObjectTypes objectTypes_{otFolders, otNonFolders};
    TViewStyle viewStyle_ = vsIcon;
    bool autoRefresh_ = false;
    bool autoNavigate_ = true;
    bool autoContextMenus_ = true;
    bool sorted_ = true;
    bool multiSelect_ = false;
    bool readOnly_ = true;
    bool gridLines_ = false;
    bool hideSelection_ = false;
    bool updating_ = false;

    QString typeAhead_;
    QElapsedTimer typeAheadClock_;
};

// The list with every property published.
class TShellListView final : public TCustomShellListView {
    Q_OBJECT

public:
    explicit TShellListView(QWidget* parent = nullptr)
        : TCustomShellListView(parent) {}

    using TCustomShellListView::AutoContextMenus;
    using TCustomShellListView::AutoNavigate;
    using TCustomShellListView::AutoRefresh;
    using TCustomShellListView::GridLines;
    using TCustomShellListView::HideSelection;
    using TCustomShellListView::MultiSelect;
    using TCustomShellListView::ObjectTypes;
    using TCustomShellListView::OnAddFolder;
    using TCustomShellListView::ReadOnly;
    using TCustomShellListView::Root;
    using TCustomShellListView::SetAutoContextMenus;
    using TCustomShellListView::SetAutoNavigate;
    using TCustomShellListView::SetAutoRefresh;
    using TCustomShellListView::SetGridLines;
    using TCustomShellListView::SetHideSelection;
    using TCustomShellListView::SetMultiSelect;
    using TCustomShellListView::SetObjectTypes;
    using TCustomShellListView::SetReadOnly;
    using TCustomShellListView::SetRoot;
    using TCustomShellListView::SetSorted;
    using TCustomShellListView::SetViewStyle;
    using TCustomShellListView::Sorted;
    using TCustomShellListView::ViewStyle;
};

} // namespace platterwise
