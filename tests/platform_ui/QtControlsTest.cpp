#include "platform/ui/QtControls.h"

#include "platform/ui/Form.h"
#include "platform/ui/QtText.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

TEST(QtControls, EditTextAndFocus) {
    TForm form;
    auto* layout = new QVBoxLayout(&form);
    auto* first = new QLineEdit(&form);
    auto* second = new QLineEdit(&form);
    layout->addWidget(first);
    layout->addWidget(second);
    form.show();
    form.activateWindow();
    QApplication::processEvents();
    first->setFocus();

    TQtControl control(*second);
    control.SetText("12,5 \xB0" "C");
    EXPECT_EQ(second->text(), QString::fromUtf8("12,5 °C"));
    EXPECT_EQ(control.Text(), "12,5 \xB0" "C");
    control.SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), second);
}

TEST(QtControls, LabelsAndListOnlyComboBoxes) {
    QLabel label;
    TQtControl(label).SetText("Sz\xE9l");
    EXPECT_EQ(label.text(), QString::fromUtf8("Szél"));

    QComboBox box;
    box.addItems({"Víz", "Levegő"});
    TQtControl control(box);
    control.SetText("LEVEG\xD5");  // a list-only box selects the entry, ignoring case
    EXPECT_EQ(box.currentIndex(), 1);
    EXPECT_EQ(control.Text(), "Leveg\xF5");
    control.SetText("Olaj");
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(control.Text(), "");
}

TEST(QtControls, ComboBoxItemsAndSelection) {
    QComboBox box;
    int activated = 0;
    QObject::connect(&box, &QComboBox::activated, [&] { ++activated; });
    TQtComboBox combo(box);
    combo.Clear();
    combo.Add("Felhaszn\xE1l\xF3i");
    combo.Add("V\xEDz");
    EXPECT_EQ(combo.Count(), 2);
    EXPECT_EQ(combo.Item(1), "V\xEDz");
    EXPECT_EQ(combo.Item(2), "");
    EXPECT_EQ(combo.Item(-1), "");
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(combo.Text(), "V\xEDz");
    combo.SetItem(0, "User defined");
    combo.SetItem(5, "ignored");
    EXPECT_EQ(box.itemText(0), "User defined");
    EXPECT_EQ(combo.Count(), 2);
    EXPECT_EQ(combo.IndexOf("V\xCDZ"), 1);  // case ignored beyond ASCII too
    EXPECT_EQ(combo.IndexOf("Olaj"), -1);
    // Entry 1 of a list that has only entry 0: no selection and no text.
    combo.Clear();
    combo.Add("Felhaszn\xE1l\xF3i");
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), "");
    EXPECT_EQ(activated, 0);  // the program's own changes are not the user's choice
}

TEST(QtControls, TreeNodesCarryTypeAndSizeIndexes) {
    // Pipe P0 (a, b), duct D1 (c), pipe P2 (d), filled for pipes: data = size + type * 65536.
    QTreeWidget widget;
    TQtTreeView tree(widget);
    TTreeNode* p0 = tree.AddNode(nullptr, "P0", 0);
    TTreeNode* a = tree.AddNode(p0, "a", 0);
    TTreeNode* b = tree.AddNode(p0, "b", 1);
    TTreeNode* p2 = tree.AddNode(nullptr, "P2 \xD8", 0);
    TTreeNode* d = tree.AddNode(p2, "d", 131072);
    TTreeNode* last = tree.AddNode(p2, "e", std::intptr_t{32767} * 65536 + 65535);

    EXPECT_EQ(widget.topLevelItemCount(), 2);
    EXPECT_EQ(widget.topLevelItem(1)->text(0), QString::fromUtf8("P2 Ř"));
    EXPECT_EQ(tree.Parent(p0), nullptr);
    EXPECT_EQ(tree.Parent(a), p0);
    EXPECT_EQ(tree.Parent(d), p2);
    EXPECT_EQ(tree.Data(a), 0);
    EXPECT_EQ(tree.Data(b), 1);
    EXPECT_EQ(tree.Data(d) / 65536, 2);
    EXPECT_EQ(tree.Data(last), std::intptr_t{32767} * 65536 + 65535);
    EXPECT_EQ(tree.NodeText(b), "b");

    EXPECT_EQ(tree.Selected(), nullptr);
    widget.setCurrentItem(TQtTreeView::ItemOf(a));
    EXPECT_EQ(tree.Selected(), a);  // the first size, data 0, is a choice like any other
    tree.Clear();
    EXPECT_EQ(widget.topLevelItemCount(), 0);
    EXPECT_EQ(tree.Selected(), nullptr);
}

TEST(QtControls, FontNameAndSizeInPoints) {
    QLabel label;
    label.setFont(FormFont());
    TWidgetFont font(label);
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Size(), 8);  // 11 pixels at 96 per inch: 8.25 points
    font.SetSize(0);
    EXPECT_EQ(label.font().pixelSize(), 11);
    font.SetSize(10);
    font.SetName("MS Sans Serif");
    EXPECT_EQ(font.Size(), 10);
    EXPECT_EQ(label.font().family(), "MS Sans Serif");

    TQtControl control(label);
    EXPECT_EQ(control.Font().Size(), 10);

    QFont report;
    TQtFont reportFont(report);
    reportFont.SetName("Arial");
    reportFont.SetSize(9);
    EXPECT_EQ(report.family(), "Arial");
    EXPECT_EQ(report.pointSize(), 9);
    report.setPixelSize(15);
    EXPECT_EQ(reportFont.Size(), 11);  // 11.25 points
}
