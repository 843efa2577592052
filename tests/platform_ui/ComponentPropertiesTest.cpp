#include "platform/ui/ComponentProperties.h"

#include "platform/ui/FileDialogs.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

#include <gtest/gtest.h>

using K = TComponentKind;
using P = TComponentProperty;

TEST(ComponentProperties, KindsFitOnlyTheirQtClasses) {
    QWidget owner;
    QPushButton button(&owner);
    QLabel label(&owner);
    QCheckBox check(&owner);
    QAction action(&owner);
    QMenu menu(&owner);
    QToolButton tool(&owner);
    QFrame panel(&owner);
    EXPECT_TRUE(FitsComponentKind(button, K::Button));
    EXPECT_TRUE(FitsComponentKind(button, K::SpeedButton));
    EXPECT_FALSE(FitsComponentKind(check, K::Button));  // a check box is no push button
    EXPECT_FALSE(FitsComponentKind(label, K::Button));
    EXPECT_TRUE(FitsComponentKind(label, K::Label));
    EXPECT_TRUE(FitsComponentKind(label, K::Panel));  // a label is a frame that can show a caption
    EXPECT_TRUE(FitsComponentKind(panel, K::Panel));
    EXPECT_FALSE(FitsComponentKind(panel, K::Label));
    EXPECT_TRUE(FitsComponentKind(action, K::MenuItem));
    EXPECT_TRUE(FitsComponentKind(menu, K::MenuItem));
    EXPECT_FALSE(FitsComponentKind(menu, K::Action));
    EXPECT_TRUE(FitsComponentKind(tool, K::ToolButton));
    EXPECT_FALSE(FitsComponentKind(button, K::ToolButton));

    // Nothing is set on a component of the wrong kind.
    EXPECT_FALSE(SetComponentProperty(label, K::Button, P::Caption, 0, QStringLiteral("OK")));
    EXPECT_TRUE(label.text().isEmpty());
}

TEST(ComponentProperties, CaptionsAndHints) {
    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&Fájl"));
    QAction action(&window);
    QGroupBox group(&window);
    QPushButton button(&window);
    QLabel label(&window);

    EXPECT_TRUE(SetComponentProperty(*file, K::MenuItem, P::Caption, 0, QStringLiteral("&File")));
    EXPECT_EQ(file->title(), QStringLiteral("&File"));
    EXPECT_TRUE(SetComponentProperty(*file, K::MenuItem, P::Hint, 0, QStringLiteral("File operations")));
    EXPECT_EQ(file->menuAction()->statusTip(), QStringLiteral("File operations"));

    EXPECT_TRUE(SetComponentProperty(action, K::Action, P::Caption, 0, QStringLiteral("&Open...")));
    EXPECT_TRUE(SetComponentProperty(action, K::Action, P::Hint, 0, QStringLiteral("Open|Open an existing document")));
    EXPECT_EQ(action.text(), QStringLiteral("&Open..."));
    EXPECT_EQ(action.toolTip(), QStringLiteral("Open"));
    EXPECT_EQ(action.statusTip(), QStringLiteral("Open an existing document"));

    EXPECT_TRUE(SetComponentProperty(group, K::GroupBox, P::Caption, 0, QStringLiteral("Medium")));
    EXPECT_EQ(group.title(), QStringLiteral("Medium"));
    EXPECT_TRUE(SetComponentProperty(button, K::Button, P::Caption, 0, QStringLiteral("Cancel")));
    EXPECT_EQ(button.text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(SetComponentProperty(label, K::Label, P::Hint, 0, QStringLiteral("only")));
    EXPECT_EQ(label.toolTip(), QStringLiteral("only"));
    EXPECT_EQ(label.statusTip(), QStringLiteral("only"));
    // A kind that doesn't take the property.
    EXPECT_FALSE(SetComponentProperty(label, K::Image, P::Caption, 0, QStringLiteral("x")));
}

TEST(ComponentProperties, ListEntriesAreReplacedNeverAdded) {
    QWidget owner;
    QComboBox combo(&owner);
    combo.addItems({QStringLiteral("víz"), QStringLiteral("olaj")});
    EXPECT_TRUE(SetComponentProperty(combo, K::ComboBox, P::ItemsString, 1, QStringLiteral("oil")));
    EXPECT_FALSE(SetComponentProperty(combo, K::ComboBox, P::ItemsString, 2, QStringLiteral("steam")));
    EXPECT_FALSE(SetComponentProperty(combo, K::ComboBox, P::ItemsString, -1, QStringLiteral("steam")));
    EXPECT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(1), QStringLiteral("oil"));

    QListWidget checks(&owner);
    checks.addItem(QStringLiteral("a"));
    EXPECT_TRUE(SetComponentProperty(checks, K::CheckListBox, P::ItemsString, 0, QStringLiteral("A")));
    EXPECT_FALSE(SetComponentProperty(checks, K::CheckListBox, P::ItemsString, 1, QStringLiteral("B")));
    EXPECT_EQ(checks.item(0)->text(), QStringLiteral("A"));

    QGroupBox radios(&owner);
    auto* first = new QRadioButton(QStringLiteral("egy"), &radios);
    auto* second = new QRadioButton(QStringLiteral("kettő"), &radios);
    EXPECT_TRUE(SetComponentProperty(radios, K::RadioGroup, P::ItemsString, 1, QStringLiteral("two")));
    EXPECT_FALSE(SetComponentProperty(radios, K::RadioGroup, P::ItemsString, 2, QStringLiteral("three")));
    EXPECT_EQ(first->text(), QStringLiteral("egy"));
    EXPECT_EQ(second->text(), QStringLiteral("two"));

    TListView list(&owner);
    list.AddColumn(QStringLiteral("Elnevezés"), 150);
    list.AddColumn(QStringLiteral("Megjegyzés"), 150);
    EXPECT_TRUE(SetComponentProperty(list, K::ListView, P::ColumnCaption, 1, QStringLiteral("Comment")));
    EXPECT_FALSE(SetComponentProperty(list, K::ListView, P::ColumnCaption, 2, QStringLiteral("Extra")));
    EXPECT_EQ(list.ColumnCaption(1), QStringLiteral("Comment"));
    EXPECT_EQ(list.ColumnCount(), 2);
}

TEST(ComponentProperties, TextOfEditsAndCombos) {
    QWidget owner;
    QLineEdit edit(&owner);
    EXPECT_TRUE(SetComponentProperty(edit, K::Edit, P::Text, 0, QStringLiteral("10")));
    EXPECT_EQ(edit.text(), QStringLiteral("10"));
    QComboBox editable(&owner);
    editable.setEditable(true);
    EXPECT_TRUE(SetComponentProperty(editable, K::ComboBox, P::Text, 0, QStringLiteral("free text")));
    EXPECT_EQ(editable.currentText(), QStringLiteral("free text"));
}

TEST(ComponentProperties, DialogsTakeFilterAndTitle) {
    QWidget owner;
    TOpenDialog open(&owner);
    TSaveDialog save(&owner);
    EXPECT_TRUE(SetComponentProperty(open, K::OpenDialog, P::Filter, 0, QStringLiteral("Projects|*.kvr|All|*.*")));
    EXPECT_TRUE(SetComponentProperty(open, K::OpenDialog, P::Title, 0, QStringLiteral("Open project")));
    EXPECT_EQ(open.Filter(), QStringLiteral("Projects|*.kvr|All|*.*"));
    EXPECT_EQ(open.Title(), QStringLiteral("Open project"));
    EXPECT_FALSE(FitsComponentKind(open, K::SaveDialog));
    EXPECT_FALSE(SetComponentProperty(save, K::OpenDialog, P::Filter, 0, QStringLiteral("x")));
    EXPECT_TRUE(save.Filter().isEmpty());
}

TEST(ComponentProperties, ChartTitleLinesAxesAndSeries) {
    QChartView view;
    QChart* chart = view.chart();
    chart->setTitle(QStringLiteral("Költségek"));
    auto* series = new QBarSeries;
    chart->addSeries(series);
    auto* bottom = new QValueAxis;
    auto* left = new QValueAxis;
    chart->addAxis(bottom, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);

    EXPECT_TRUE(SetComponentProperty(view, K::Chart, P::ChartTitleLine, 0, QStringLiteral("Costs")));
    EXPECT_EQ(ChartTitleLines(view), (QStringList{QStringLiteral("Költségek"), QStringLiteral("Costs")}));
    EXPECT_TRUE(SetComponentProperty(view, K::Chart, P::BottomAxisTitle, 0, QStringLiteral("Thickness")));
    EXPECT_TRUE(SetComponentProperty(view, K::Chart, P::LeftAxisTitle, 0, QStringLiteral("Cost")));
    EXPECT_FALSE(SetComponentProperty(view, K::Chart, P::TopAxisTitle, 0, QStringLiteral("none there")));
    EXPECT_EQ(bottom->titleText(), QStringLiteral("Thickness"));
    EXPECT_EQ(left->titleText(), QStringLiteral("Cost"));

    EXPECT_TRUE(SetComponentProperty(*series, K::Series, P::Title, 0, QStringLiteral("Investment")));
    EXPECT_EQ(series->name(), QStringLiteral("Investment"));
    // A bar set is a series of its own for the translation: its label is the title.
    auto* bars = new QBarSet(QStringLiteral("Beruházás"));
    series->append(bars);
    EXPECT_TRUE(SetComponentProperty(*bars, K::Series, P::Title, 0, QStringLiteral("Loss")));
    EXPECT_EQ(bars->label(), QStringLiteral("Loss"));
    EXPECT_FALSE(SetComponentProperty(*bars, K::Series, P::Caption, 0, QStringLiteral("x")));
}

TEST(ComponentProperties, TabSheetsArePagesOfATabWidget) {
    QTabWidget tabs;
    auto* page = new QWidget;
    tabs.addTab(page, QStringLiteral("Közeg"));
    QWidget loose;
    EXPECT_TRUE(FitsComponentKind(*page, K::TabSheet));
    EXPECT_FALSE(FitsComponentKind(loose, K::TabSheet));
    EXPECT_TRUE(SetComponentProperty(*page, K::TabSheet, P::Caption, 0, QStringLiteral("Medium")));
    EXPECT_EQ(tabs.tabText(0), QStringLiteral("Medium"));
}

TEST(ComponentProperties, CharsetIsKeptOnTheObject) {
    QLabel label;
    EXPECT_EQ(FontCharset(label), -1);
    SetFontCharset(label, 238);
    EXPECT_EQ(FontCharset(label), 238);
}

TEST(ComponentProperties, ThroughTheFormsComponentList) {
    TForm form;
    form.setObjectName(QStringLiteral("TestForm"));
    auto* button = new QPushButton(QStringLiteral("Mégse"), &form);
    button->setObjectName(QStringLiteral("CancelButton"));
    IComponent* component = form.FindComponent("CancelButton");
    ASSERT_NE(component, nullptr);
    EXPECT_TRUE(component->IsKind(K::Button));
    EXPECT_FALSE(component->IsKind(K::Label));
    EXPECT_TRUE(component->SetProperty(K::Button, P::Caption, 0, "M\xE9gse!"));  // Windows-1250 in
    EXPECT_EQ(button->text(), QStringLiteral("Mégse!"));
    component->SetFontCharset(238);
    EXPECT_EQ(FontCharset(*button), 238);
    form.SetFontCharset(238);
    EXPECT_EQ(FontCharset(form), 238);
}
