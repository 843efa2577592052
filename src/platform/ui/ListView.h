#pragma once
// The component library's list view over Qt: one model of items (a caption
// and sub-item texts) shown in one of four view styles, the three item views
// by a QListView and the report view, with its columns, by a QTreeView. Both
// share the model and the selection, so switching the style keeps both.
// In-place editing of a caption starts on F2 or on a click on the selected
// item; a double click never edits. The views' own copy of the current
// caption as plain text is off: Ctrl+C belongs to the window's commands.

#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class QAbstractItemView;
class QListView;
class QStackedLayout;
class QStandardItemModel;
class QTreeView;

enum class TViewStyle { Icon = 0, SmallIcon = 1, List = 2, Report = 3 };

class TListView : public QWidget {
    Q_OBJECT

public:
    explicit TListView(QWidget* parent = nullptr);
    ~TListView() override;

    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle style);

    // Columns of the report view; column 0 shows the captions, column i the
    // sub-item i - 1. Texts without a column are not shown.
    int ColumnCount() const;
    void AddColumn(const QString& caption, int width);
    // A column whose texts are aligned left, right or centred.
    void AddColumn(const QString& caption, int width, Qt::Alignment alignment);
    // Left for a column that doesn't exist.
    Qt::Alignment ColumnAlignment(int column) const;
    // Removes every column; the items keep their texts for the columns added next.
    void ClearColumns();
    QString ColumnCaption(int column) const;
    // False for a column that doesn't exist.
    bool SetColumnCaption(int column, const QString& caption);
    int ColumnWidth(int column) const;

    // The picture of every item: 32 x 32 in the icon view, 16 x 16 in the others.
    void SetLargeImage(const QIcon& icon);
    void SetSmallImage(const QIcon& icon);

    int Count() const;
    // Also drops an edit in progress unreported: its row is going.
    void Clear();
    // Appends an item; returns its index.
    int AddItem(const QString& caption, const QStringList& subItems = {});
    QString Caption(int index) const;
    // Replaces one item's caption, keeping the selection; an index outside the
    // list changes nothing.
    void SetCaption(int index, const QString& caption);
    // "" for a sub-item the item lacks.
    QString SubItem(int index, int subIndex) const;

    // The menu a right click opens (not owned; null: none).
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    QMenu* PopupMenu() const { return popupMenu_; }

    void SetMultiSelect(bool on);
    bool IsSelected(int index) const;
    void SetSelected(int index, bool selected);
    // The first selected item in list order; -1 when none.
    int SelectedIndex() const;
    int SelCount() const;

    // A read-only list never edits a caption in place.
    void SetReadOnly(bool on);
    bool ReadOnly() const { return readOnly_; }

    // The longest caption the in-place editor takes (typed or pasted); 0: its default.
    void SetMaxEditLength(int length) { maxEditLength_ = length; }

    // Starts the in-place editing of an item's caption (the list takes the focus).
    void EditCaption(int index);
    bool IsEditing() const;
    // Commits an edit in progress as leaving the editor does (Edited follows);
    // nothing when none is open.
    void EndEditing();

    // The view that shows the current style.
    QAbstractItemView& CurrentView() const;
    QListView& ItemView() const { return *itemView_; }
    QTreeView& ReportView() const { return *reportView_; }
    QStandardItemModel& Model() const { return *model_; }

signals:
    // A click anywhere in the list, on an item or not (released button).
    void Click();
    // A double click anywhere in the list.
    void DblClick();
    // The user finished editing item `index`'s caption with `text`; the list
    // already shows the new caption.
    void Edited(int index, const QString& text);
    // Item `index` became selected or unselected, by the user or the program.
    void SelectItem(int index, bool selected);
    // The selection changed, by the user or the program; once per change,
    // however many items it touched.
    void SelectionChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TCaptionDelegate;

    void ApplyIcons();
    // Report-view columns beyond ColumnCount() hold texts but aren't shown.
    void HideUndeclaredColumns();
    void EmitEdited(int index, const QString& text) { emit Edited(index, text); }
    // The open caption editor of the current view; null when none.
    QWidget* OpenEditor() const;

    TViewStyle viewStyle_ = TViewStyle::Icon;
    int columns_ = 0;
    QStandardItemModel* model_ = nullptr;
    QListView* itemView_ = nullptr;
    QTreeView* reportView_ = nullptr;
    QStackedLayout* stack_ = nullptr;
    QIcon largeImage_;
    QIcon smallImage_;
    QIcon itemIcon_;  // both sizes, for every item
    QPointer<QMenu> popupMenu_;
    bool readOnly_ = false;
    int maxEditLength_ = 0;
};
