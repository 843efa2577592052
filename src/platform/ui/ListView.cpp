#include "platform/ui/ListView.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QStackedLayout>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace {

constexpr QSize kLargeIconSize(32, 32);
constexpr QSize kSmallIconSize(16, 16);
constexpr auto kEditTriggers = QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked;

// The report view's header: beyond the last column it shows one more, empty
// section, not the window's colour.
class TReportHeader : public QHeaderView {
public:
    explicit TReportHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        // As a tree view sets up its own header.
        setSectionsMovable(true);
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QHeaderView::paintEvent(event);
        const int end = length() - offset();
        if (end >= viewport()->width()) return;
        QPainter painter(viewport());
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.rect = QRect(end, 0, viewport()->width() - end, viewport()->height());
        option.position = QStyleOptionHeader::End;
        style()->drawControl(QStyle::CE_Header, &option, &painter, this);
    }
};

}  // namespace

// Reports a finished in-place edit; Escape never gets here.
class TListView::TCaptionDelegate : public QStyledItemDelegate {
public:
    explicit TCaptionDelegate(TListView& list) : QStyledItemDelegate(&list), list_(list) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (line && list_.maxEditLength_ > 0) line->setMaxLength(list_.maxEditLength_);
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        QStyledItemDelegate::setModelData(editor, model, index);
        list_.EmitEdited(index.row(), model->data(index, Qt::EditRole).toString());
    }

    // Commit: what leaving the editor does; Discard: what Escape does.
    void Commit(QWidget* editor) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    void Discard(QWidget* editor) { emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache); }

protected:
    // The report view aligns each column's texts as the column's header says.
    // Asked also while the list is being destroyed, so the list stays out of it.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!qobject_cast<const QTreeView*>(option->widget) || !index.model()) return;
        const QVariant alignment = index.model()->headerData(index.column(), Qt::Horizontal, Qt::TextAlignmentRole);
        const auto horizontal = Qt::Alignment(alignment.toInt()) & Qt::AlignHorizontal_Mask;
        option->displayAlignment = (horizontal ? horizontal : Qt::AlignLeft) | Qt::AlignVCenter;
    }

private:
    TListView& list_;
};

TListView::TListView(QWidget* parent)
    : QWidget(parent),
      model_(new QStandardItemModel(this)),
      itemView_(new QListView(this)),
      reportView_(new QTreeView(this)),
      stack_(new QStackedLayout(this)) {
    stack_->setContentsMargins(0, 0, 0, 0);
    reportView_->setHeader(new TReportHeader(reportView_));
    reportView_->setModel(model_);
    reportView_->setRootIsDecorated(false);
    reportView_->setItemsExpandable(false);
    reportView_->setUniformRowHeights(true);
    reportView_->header()->setStretchLastSection(false);
    itemView_->setModel(model_);
    // One selection for both views, so a style change keeps it.
    QItemSelectionModel* own = itemView_->selectionModel();
    itemView_->setSelectionModel(reportView_->selectionModel());
    delete own;

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(itemView_), static_cast<QAbstractItemView*>(reportView_)}) {
        // One delegate per view: a view takes every editor its delegate reports.
        view->setItemDelegate(new TCaptionDelegate(*this));
        view->setEditTriggers(kEditTriggers);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->viewport()->installEventFilter(this);
        view->installEventFilter(this);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& pos) {
            if (popupMenu_) popupMenu_->popup(view->viewport()->mapToGlobal(pos));
        });
        stack_->addWidget(view);
    }
    connect(reportView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                for (const QModelIndex& index : deselected.indexes())
                    if (index.column() == 0) emit SelectItem(index.row(), false);
                for (const QModelIndex& index : selected.indexes())
                    if (index.column() == 0) emit SelectItem(index.row(), true);
                emit SelectionChanged();
            });
    SetMultiSelect(false);
    SetViewStyle(TViewStyle::Icon);
}

TListView::~TListView() = default;

void TListView::SetViewStyle(TViewStyle style) {
    viewStyle_ = style;
    if (style == TViewStyle::Report) {
        reportView_->setIconSize(kSmallIconSize);
        stack_->setCurrentWidget(reportView_);
        return;
    }
    if (style == TViewStyle::Icon) {
        itemView_->setViewMode(QListView::IconMode);
        itemView_->setIconSize(kLargeIconSize);
        itemView_->setGridSize(QSize(84, 64));
        itemView_->setWordWrap(true);
        itemView_->setFlow(QListView::LeftToRight);
    } else {
        itemView_->setViewMode(QListView::ListMode);
        itemView_->setIconSize(kSmallIconSize);
        itemView_->setGridSize(QSize());
        itemView_->setWordWrap(false);
        // Small icons fill rows, the list fills columns.
        itemView_->setFlow(style == TViewStyle::SmallIcon ? QListView::LeftToRight : QListView::TopToBottom);
    }
    itemView_->setMovement(QListView::Static);
    itemView_->setWrapping(true);
    itemView_->setResizeMode(QListView::Adjust);
    itemView_->setSpacing(style == TViewStyle::Icon ? 0 : 2);
    stack_->setCurrentWidget(itemView_);
}

int TListView::ColumnCount() const {
    return columns_;
}

void TListView::AddColumn(const QString& caption, int width) {
    AddColumn(caption, width, Qt::AlignLeft);
}

void TListView::AddColumn(const QString& caption, int width, Qt::Alignment alignment) {
    const int column = columns_++;
    if (model_->columnCount() < columns_) model_->setColumnCount(columns_);
    auto* header = new QStandardItem(caption);
    header->setTextAlignment(alignment);
    model_->setHorizontalHeaderItem(column, header);
    reportView_->setColumnHidden(column, false);
    reportView_->setColumnWidth(column, width);
}

Qt::Alignment TListView::ColumnAlignment(int column) const {
    const QStandardItem* item = column >= 0 && column < columns_ ? model_->horizontalHeaderItem(column) : nullptr;
    return item ? item->textAlignment() & Qt::AlignHorizontal_Mask : Qt::AlignLeft;
}

void TListView::ClearColumns() {
    columns_ = 0;
    for (int column = 0; column < model_->columnCount(); ++column) model_->setHorizontalHeaderItem(column, nullptr);
    HideUndeclaredColumns();
}

void TListView::HideUndeclaredColumns() {
    for (int column = columns_; column < model_->columnCount(); ++column) reportView_->setColumnHidden(column, true);
}

QString TListView::ColumnCaption(int column) const {
    const QStandardItem* item = column >= 0 && column < columns_ ? model_->horizontalHeaderItem(column) : nullptr;
    return item ? item->text() : QString();
}

bool TListView::SetColumnCaption(int column, const QString& caption) {
    if (column < 0 || column >= columns_) return false;
    auto* header = new QStandardItem(caption);
    header->setTextAlignment(ColumnAlignment(column));
    model_->setHorizontalHeaderItem(column, header);
    return true;
}

int TListView::ColumnWidth(int column) const {
    return reportView_->columnWidth(column);
}

void TListView::SetLargeImage(const QIcon& icon) {
    largeImage_ = icon;
    ApplyIcons();
}

void TListView::SetSmallImage(const QIcon& icon) {
    smallImage_ = icon;
    ApplyIcons();
}

void TListView::ApplyIcons() {
    itemIcon_ = QIcon();
    for (const QSize size : largeImage_.availableSizes()) itemIcon_.addPixmap(largeImage_.pixmap(size));
    for (const QSize size : smallImage_.availableSizes()) itemIcon_.addPixmap(smallImage_.pixmap(size));
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (QStandardItem* item = model_->item(row, 0)) item->setIcon(itemIcon_);
    }
}

int TListView::Count() const {
    return model_->rowCount();
}

void TListView::Clear() {
    // Removing the edited row would commit the editor into that row first,
    // and its owner would then apply the text to whatever now sits there.
    if (QWidget* editor = OpenEditor()) {
        static_cast<TCaptionDelegate*>(CurrentView().itemDelegate())->Discard(editor);
    }
    model_->removeRows(0, model_->rowCount());
}

int TListView::AddItem(const QString& caption, const QStringList& subItems) {
    QList<QStandardItem*> row;
    // Only the new item: a refill adds every item, one by one.
    row << new QStandardItem(itemIcon_, caption);
    for (const QString& text : subItems) {
        auto* sub = new QStandardItem(text);
        sub->setFlags(sub->flags() & ~Qt::ItemIsEditable);
        row << sub;
    }
    if (model_->columnCount() < row.size()) {
        model_->setColumnCount(static_cast<int>(row.size()));
        HideUndeclaredColumns();
    }
    model_->appendRow(row);
    return model_->rowCount() - 1;
}

QString TListView::Caption(int index) const {
    const QStandardItem* item = model_->item(index, 0);
    return item ? item->text() : QString();
}

void TListView::SetCaption(int index, const QString& caption) {
    if (QStandardItem* item = model_->item(index, 0)) item->setText(caption);
}

QString TListView::SubItem(int index, int subIndex) const {
    const QStandardItem* item = subIndex >= 0 ? model_->item(index, subIndex + 1) : nullptr;
    return item ? item->text() : QString();
}

void TListView::SetMultiSelect(bool on) {
    const auto mode = on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    itemView_->setSelectionMode(mode);
    reportView_->setSelectionMode(mode);
}

bool TListView::IsSelected(int index) const {
    if (index < 0 || index >= model_->rowCount()) return false;
    return reportView_->selectionModel()->isSelected(model_->index(index, 0));
}

void TListView::SetSelected(int index, bool selected) {
    if (index < 0 || index >= model_->rowCount()) return;
    const auto flags = (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) | QItemSelectionModel::Rows;
    reportView_->selectionModel()->select(model_->index(index, 0), flags);
}

int TListView::SelectedIndex() const {
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (IsSelected(row)) return row;
    }
    return -1;
}

int TListView::SelCount() const {
    int count = 0;
    for (int row = 0; row < model_->rowCount(); ++row) count += IsSelected(row) ? 1 : 0;
    return count;
}

void TListView::SetReadOnly(bool on) {
    readOnly_ = on;
    const auto triggers = on ? QAbstractItemView::NoEditTriggers : kEditTriggers;
    itemView_->setEditTriggers(triggers);
    reportView_->setEditTriggers(triggers);
}

void TListView::EditCaption(int index) {
    if (readOnly_ || index < 0 || index >= model_->rowCount()) return;
    QAbstractItemView& view = CurrentView();
    view.setFocus();
    const QModelIndex item = model_->index(index, 0);
    view.selectionModel()->setCurrentIndex(item, QItemSelectionModel::NoUpdate);
    view.edit(item);
}

QWidget* TListView::OpenEditor() const {
    // Editors live on the viewport; a closed one is hidden until it goes.
    for (QLineEdit* editor : CurrentView().viewport()->findChildren<QLineEdit*>()) {
        if (!editor->isHidden()) return editor;
    }
    return nullptr;
}

bool TListView::IsEditing() const {
    return OpenEditor() != nullptr;
}

void TListView::EndEditing() {
    if (QWidget* editor = OpenEditor()) {
        static_cast<TCaptionDelegate*>(CurrentView().itemDelegate())->Commit(editor);
    }
}

QAbstractItemView& TListView::CurrentView() const {
    if (viewStyle_ == TViewStyle::Report) return *reportView_;
    return *itemView_;
}

bool TListView::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == itemView_ || watched == reportView_) && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        return true;
    }
    if (watched == itemView_->viewport() || watched == reportView_->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease) {
            emit Click();
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            emit DblClick();
        }
    }
    return QWidget::eventFilter(watched, event);
}
