#include "platform/ui/QtControls.h"

#include "platform/ui/QtText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr int kDefaultPixelsPerInch = 96;

// Points of a font, as the component library rounds them: a font set in
// pixels has points = pixels * 72 / resolution, rounded to the nearest.
int PointsOf(const QFont& font, int pixelsPerInch) {
    if (font.pointSizeF() > 0) return static_cast<int>(std::lround(font.pointSizeF()));
    if (font.pixelSize() > 0) return static_cast<int>(std::lround(font.pixelSize() * kPointsPerInch / pixelsPerInch));
    return 0;
}

QFont WithName(QFont font, const std::string& name) {
    font.setFamily(ToQString(name));
    return font;
}

}  // namespace

QString WidgetText(const QWidget& widget) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) return edit->text();
    if (const auto* box = qobject_cast<const QComboBox*>(&widget)) return box->currentText();
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) return group->title();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(&widget)) return text->toPlainText();
    if (const auto* text = qobject_cast<const QTextEdit*>(&widget)) return text->toPlainText();
    return {};
}

void SetWidgetText(QWidget& widget, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
        edit->setText(text);
    } else if (auto* box = qobject_cast<QComboBox*>(&widget)) {
        if (box->isEditable()) {
            box->setEditText(text);
        } else {
            box->setCurrentIndex(box->findText(text, Qt::MatchFixedString));
        }
    } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
        group->setTitle(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(&widget)) {
        plain->setPlainText(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(&widget)) {
        rich->setPlainText(text);
    }
}

void SetActivePage(QTabWidget& pages, int index) {
    // The tab widget's own signals only: its bar still switches the page.
    const QSignalBlocker quiet(pages);
    pages.setCurrentIndex(index);
}

void SetTabVisible(QTabWidget& pages, int index, bool visible) {
    const QSignalBlocker quiet(pages);
    pages.setTabVisible(index, visible);
}

void SetPopupMenu(QWidget& widget, QMenu& menu) {
    widget.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&widget, &QWidget::customContextMenuRequested, &menu,
                     [&widget, &menu](const QPoint& position) { menu.popup(widget.mapToGlobal(position)); });
}

std::string TQtFont::Name() const {
    return FromQString(font_.family());
}

void TQtFont::SetName(const std::string& name) {
    font_ = WithName(font_, name);
}

int TQtFont::Size() const {
    return PointsOf(font_, kDefaultPixelsPerInch);
}

void TQtFont::SetSize(int points) {
    if (points > 0) font_.setPointSize(points);
}

std::string TWidgetFont::Name() const {
    return FromQString(widget_.font().family());
}

void TWidgetFont::SetName(const std::string& name) {
    widget_.setFont(WithName(widget_.font(), name));
}

int TWidgetFont::Size() const {
    const int dpi = widget_.logicalDpiY();
    return PointsOf(widget_.font(), dpi > 0 ? dpi : kDefaultPixelsPerInch);
}

void TWidgetFont::SetSize(int points) {
    if (points <= 0) return;
    QFont font = widget_.font();
    font.setPointSize(points);
    widget_.setFont(font);
}

std::string TQtControl::Text() const {
    return FromQString(WidgetText(widget_));
}

void TQtControl::SetText(const std::string& text) {
    SetWidgetText(widget_, ToQString(text));
}

void TQtControl::SetFocus() {
    widget_.setFocus(Qt::OtherFocusReason);
}

TQtComboBox::TQtComboBox(QComboBox& box) : box_(box), font_(box) {}

std::string TQtComboBox::Text() const {
    return FromQString(box_.currentText());
}

void TQtComboBox::SetText(const std::string& text) {
    SetWidgetText(box_, ToQString(text));
}

void TQtComboBox::SetFocus() {
    box_.setFocus(Qt::OtherFocusReason);
}

void TQtComboBox::Clear() {
    box_.clear();
}

void TQtComboBox::Add(const std::string& text) {
    box_.addItem(ToQString(text));
}

int TQtComboBox::Count() const {
    return box_.count();
}

std::string TQtComboBox::Item(int index) const {
    return index >= 0 && index < box_.count() ? FromQString(box_.itemText(index)) : std::string();
}

void TQtComboBox::SetItem(int index, const std::string& text) {
    if (index >= 0 && index < box_.count()) box_.setItemText(index, ToQString(text));
}

int TQtComboBox::IndexOf(const std::string& text) const {
    return box_.findText(ToQString(text), Qt::MatchFixedString);
}

int TQtComboBox::ItemIndex() const {
    return box_.currentIndex();
}

void TQtComboBox::SetItemIndex(int index) {
    box_.setCurrentIndex(index >= 0 && index < box_.count() ? index : -1);
}

void TQtTreeView::Clear() {
    tree_.clear();
}

TTreeNode* TQtTreeView::AddNode(TTreeNode* parent, const std::string& text, std::intptr_t data) {
    auto* item = parent ? new QTreeWidgetItem(ItemOf(parent)) : new QTreeWidgetItem(&tree_);
    item->setText(0, ToQString(text));
    item->setData(0, Qt::UserRole, QVariant::fromValue<qlonglong>(data));
    return NodeOf(item);
}

TTreeNode* TQtTreeView::Parent(const TTreeNode* node) const {
    return NodeOf(ItemOf(node)->parent());
}

std::string TQtTreeView::NodeText(const TTreeNode* node) const {
    return FromQString(ItemOf(node)->text(0));
}

std::intptr_t TQtTreeView::Data(const TTreeNode* node) const {
    return static_cast<std::intptr_t>(ItemOf(node)->data(0, Qt::UserRole).toLongLong());
}

TTreeNode* TQtTreeView::Selected() const {
    const auto selected = tree_.selectedItems();
    return selected.isEmpty() ? nullptr : NodeOf(selected.front());
}

TTreeNode* TQtTreeView::NodeOf(QTreeWidgetItem* item) {
    return reinterpret_cast<TTreeNode*>(item);
}

QTreeWidgetItem* TQtTreeView::ItemOf(const TTreeNode* node) {
    return reinterpret_cast<QTreeWidgetItem*>(const_cast<TTreeNode*>(node));
}
