#include "platform/ui/ComponentProperties.h"

#include "platform/ui/FileDialogs.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "platform/ui/QtControls.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVariant>
#include <QtCharts/QAbstractAxis>
#include <QtCharts/QAbstractSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

namespace {

using K = TComponentKind;
using P = TComponentProperty;

constexpr char kCharsetProperty[] = "fontCharset";
constexpr char kCaptionProperty[] = "caption";
constexpr char kTitleLinesProperty[] = "titleLines";

template <class T>
T* As(QObject& object) {
    return qobject_cast<T*>(&object);
}

QTabWidget* TabWidgetOfPage(const QObject& object) {
    const auto* page = qobject_cast<const QWidget*>(&object);
    if (!page) return nullptr;
    // A page's parent is the tab widget's inner stack.
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(const_cast<QWidget*>(page)) >= 0 ? tabs : nullptr;
}

QChart* ChartOf(QObject& object) {
    if (auto* view = qobject_cast<QChartView*>(&object)) return view->chart();
    return qobject_cast<QChart*>(&object);
}

QList<QRadioButton*> RadiosOf(QGroupBox& group) {
    return group.findChildren<QRadioButton*>();
}

bool SetCaption(QObject& object, K kind, const QString& value) {
    switch (kind) {
        case K::Action:
            As<QAction>(object)->setText(value);
            return true;
        case K::MenuItem:
            if (auto* menu = As<QMenu>(object)) {
                menu->setTitle(value);
            } else {
                As<QAction>(object)->setText(value);
            }
            return true;
        case K::Button:
        case K::CheckBox:
        case K::RadioButton:
        case K::SpeedButton:
        case K::ToolButton:
            As<QAbstractButton>(object)->setText(value);
            return true;
        case K::GroupBox:
        case K::RadioGroup:
            As<QGroupBox>(object)->setTitle(value);
            return true;
        case K::Label:
            As<QLabel>(object)->setText(value);
            return true;
        case K::Panel:
            if (auto* label = As<QLabel>(object)) {
                label->setText(value);
            } else {
                object.setProperty(kCaptionProperty, value);
            }
            return true;
        case K::TabSheet: {
            QTabWidget* tabs = TabWidgetOfPage(object);
            tabs->setTabText(tabs->indexOf(As<QWidget>(object)), value);
            return true;
        }
        default:
            return false;
    }
}

bool SetItemsString(QObject& object, K kind, int index, const QString& value) {
    if (index < 0) return false;
    switch (kind) {
        case K::ComboBox: {
            auto* box = As<QComboBox>(object);
            if (index >= box->count()) return false;
            box->setItemText(index, value);
            return true;
        }
        case K::CheckListBox: {
            QListWidgetItem* item = As<QListWidget>(object)->item(index);
            if (!item) return false;
            item->setText(value);
            return true;
        }
        case K::RadioGroup: {
            const auto radios = RadiosOf(*As<QGroupBox>(object));
            if (index >= radios.size()) return false;
            radios[index]->setText(value);
            return true;
        }
        default:
            return false;
    }
}

bool SetColumnCaption(QObject& object, int index, const QString& value) {
    if (auto* list = As<TListView>(object)) return list->SetColumnCaption(index, value);
    auto* view = As<QAbstractItemView>(object);
    QAbstractItemModel* model = view ? view->model() : nullptr;
    if (!model || index < 0 || index >= model->columnCount()) return false;
    return model->setHeaderData(index, Qt::Horizontal, value);
}

bool SetAxisTitle(QChart& chart, Qt::Alignment side, const QString& value) {
    const Qt::Orientation orientation = side & (Qt::AlignBottom | Qt::AlignTop) ? Qt::Horizontal : Qt::Vertical;
    for (QAbstractAxis* axis : chart.axes(orientation)) {
        if (axis->alignment() & side) {
            axis->setTitleText(value);
            return true;
        }
    }
    return false;
}

bool SetChartProperty(QObject& object, P property, const QString& value) {
    QChart* chart = ChartOf(object);
    switch (property) {
        case P::ChartTitleLine: {
            // A further line below the title's own text.
            QStringList lines = ChartTitleLines(object);
            lines << value;
            object.setProperty(kTitleLinesProperty, lines);
            chart->setTitle(lines.join(QStringLiteral("<br>")));
            return true;
        }
        case P::BottomAxisTitle: return SetAxisTitle(*chart, Qt::AlignBottom, value);
        case P::LeftAxisTitle: return SetAxisTitle(*chart, Qt::AlignLeft, value);
        case P::RightAxisTitle: return SetAxisTitle(*chart, Qt::AlignRight, value);
        case P::TopAxisTitle: return SetAxisTitle(*chart, Qt::AlignTop, value);
        default: return false;
    }
}

bool SetText(QObject& object, K kind, const QString& value) {
    if (kind != K::ComboBox && kind != K::Edit) return false;
    SetWidgetText(*As<QWidget>(object), value);
    return true;
}

}  // namespace

bool FitsComponentKind(const QObject& object, TComponentKind kind) {
    auto& o = const_cast<QObject&>(object);
    switch (kind) {
        case K::Action: return As<QAction>(o);
        case K::MenuItem: return As<QAction>(o) || As<QMenu>(o);
        case K::Button: return As<QPushButton>(o);
        case K::SpeedButton: return As<QAbstractButton>(o);
        case K::ToolButton: return As<QToolButton>(o);
        case K::CheckBox: return As<QCheckBox>(o);
        case K::RadioButton: return As<QRadioButton>(o);
        case K::CheckListBox: return As<QListWidget>(o);
        case K::ComboBox: return As<QComboBox>(o);
        case K::Edit: return As<QLineEdit>(o);
        case K::GroupBox:
        case K::RadioGroup: return As<QGroupBox>(o);
        case K::Label:
        case K::Image: return As<QLabel>(o);
        case K::Panel: return As<QFrame>(o);
        case K::PageControl: return As<QTabWidget>(o);
        case K::TabSheet: return TabWidgetOfPage(o);
        case K::ListView: return As<TListView>(o) || As<QAbstractItemView>(o);
        case K::ListHeader: return As<QHeaderView>(o) || o.inherits("TListHeader");
        case K::UpDown: return As<QAbstractSpinBox>(o) || As<QAbstractSlider>(o);
        case K::OpenDialog: return As<TOpenDialog>(o);
        case K::SaveDialog: return As<TSaveDialog>(o);
        case K::Chart: return ChartOf(o);
        case K::Series: return As<QAbstractSeries>(o) || As<QBarSet>(o);
    }
    return false;
}

bool SetComponentProperty(QObject& object, TComponentKind kind, TComponentProperty property, int index,
                          const QString& value) {
    if (!FitsComponentKind(object, kind)) return false;
    switch (property) {
        case P::Caption: return SetCaption(object, kind, value);
        case P::Hint:
            SetComponentHint(object, value);
            return true;
        case P::Text: return SetText(object, kind, value);
        case P::ItemsString: return SetItemsString(object, kind, index, value);
        case P::ColumnCaption: return kind == K::ListView && SetColumnCaption(object, index, value);
        case P::ChartTitleLine:
        case P::BottomAxisTitle:
        case P::LeftAxisTitle:
        case P::RightAxisTitle:
        case P::TopAxisTitle: return kind == K::Chart && SetChartProperty(object, property, value);
        case P::Filter:
        case P::Title:
            if (auto* dialog = As<TFileDialog>(object)) {
                property == P::Filter ? dialog->SetFilter(value) : dialog->SetTitle(value);
                return true;
            }
            if (property != P::Title) return false;
            if (auto* series = As<QAbstractSeries>(object)) {
                series->setName(value);
                return true;
            }
            if (auto* bars = As<QBarSet>(object)) {
                bars->setLabel(value);
                return true;
            }
            return false;
    }
    return false;
}

void SetFontCharset(QObject& object, int charset) {
    object.setProperty(kCharsetProperty, charset);
}

int FontCharset(const QObject& object) {
    const QVariant value = object.property(kCharsetProperty);
    return value.isValid() ? value.toInt() : -1;
}

QStringList ChartTitleLines(const QObject& chart) {
    const QVariant lines = chart.property(kTitleLinesProperty);
    if (lines.isValid()) return lines.toStringList();
    auto& object = const_cast<QObject&>(chart);
    const QChart* qchart = ChartOf(object);
    if (!qchart || qchart->title().isEmpty()) return {};
    return {qchart->title()};
}
