#include "platform/ui/ListView.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.resize(400, 300);
        list.AddColumn(QStringLiteral("Name"), 150);
        list.AddColumn(QStringLiteral("Comment"), 120);
        list.SetMultiSelect(true);
        list.AddItem(QStringLiteral("Pipe 1"), {QStringLiteral("cellar")});
        list.AddItem(QStringLiteral("Pipe 2"), {QStringLiteral("roof")});
        list.AddItem(QStringLiteral("Tank"), {});
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }

    QPoint CentreOf(int row) const {
        QAbstractItemView& view = list.CurrentView();
        return view.visualRect(list.Model().index(row, 0)).center();
    }

    TListView list;
};

}  // namespace

TEST_F(ListViewTest, ItemsCaptionsAndSubItems) {
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Caption(1), QStringLiteral("Pipe 2"));
    EXPECT_EQ(list.SubItem(0, 0), QStringLiteral("cellar"));
    EXPECT_EQ(list.SubItem(2, 0), QString());
    EXPECT_EQ(list.SubItem(9, 0), QString());
    EXPECT_EQ(list.ColumnCount(), 2);
    EXPECT_EQ(list.ColumnWidth(0), 150);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ColumnCount(), 2);  // the columns stay
}

TEST_F(ListViewTest, FourStylesShareOneModelAndSelection) {
    EXPECT_EQ(list.ViewStyle(), TViewStyle::Icon);
    EXPECT_EQ(list.ItemView().viewMode(), QListView::IconMode);
    EXPECT_EQ(list.ItemView().iconSize(), QSize(32, 32));
    list.SetSelected(2, true);
    list.SetSelected(0, true);

    list.SetViewStyle(TViewStyle::SmallIcon);
    EXPECT_EQ(list.ItemView().viewMode(), QListView::ListMode);
    EXPECT_EQ(list.ItemView().flow(), QListView::LeftToRight);
    EXPECT_EQ(list.ItemView().iconSize(), QSize(16, 16));
    list.SetViewStyle(TViewStyle::List);
    EXPECT_EQ(list.ItemView().flow(), QListView::TopToBottom);
    EXPECT_EQ(&list.CurrentView(), &list.ItemView());
    list.SetViewStyle(TViewStyle::Report);
    EXPECT_EQ(&list.CurrentView(), &list.ReportView());
    EXPECT_EQ(list.ReportView().model(), list.ItemView().model());
    EXPECT_EQ(list.ReportView().selectionModel(), list.ItemView().selectionModel());

    EXPECT_TRUE(list.IsSelected(0));
    EXPECT_FALSE(list.IsSelected(1));
    EXPECT_TRUE(list.IsSelected(2));
    EXPECT_EQ(list.SelectedIndex(), 0);
    EXPECT_EQ(list.SelCount(), 2);
}

TEST_F(ListViewTest, ClicksSelectAndReport) {
    QSignalSpy clicks(&list, &TListView::Click);
    QSignalSpy doubles(&list, &TListView::DblClick);
    QWidget* viewport = list.CurrentView().viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, CentreOf(1));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(list.SelectedIndex(), 1);
    EXPECT_EQ(list.SelCount(), 1);
    // A click on empty space is a click too, and clears the selection.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(390, 290));
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(list.SelectedIndex(), -1);

    QTest::mouseDClick(viewport, Qt::LeftButton, {}, CentreOf(0));
    EXPECT_EQ(doubles.count(), 1);
    QApplication::processEvents();
    EXPECT_FALSE(list.IsEditing());  // a double click never edits
}

TEST_F(ListViewTest, F2EditsTheCaptionAndReportsTheNewText) {
    QSignalSpy edited(&list, &TListView::Edited);
    list.SetSelected(1, true);
    list.CurrentView().setCurrentIndex(list.Model().index(1, 0));
    list.CurrentView().setFocus();
    QTest::keyClick(&list.CurrentView(), Qt::Key_F2);
    ASSERT_TRUE(list.IsEditing());
    auto* editor = list.CurrentView().viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Main pipe"));
    QTest::keyClick(editor, Qt::Key_Return);  // commits through the event loop
    ASSERT_TRUE(QTest::qWaitFor([&] { return edited.count() == 1; }, 2000));
    EXPECT_EQ(edited[0][0].toInt(), 1);
    EXPECT_EQ(edited[0][1].toString(), QStringLiteral("Main pipe"));
    EXPECT_EQ(list.Caption(1), QStringLiteral("Main pipe"));
    EXPECT_FALSE(list.IsEditing());
}

TEST_F(ListViewTest, EscapeCancelsTheEdit) {
    QSignalSpy edited(&list, &TListView::Edited);
    list.SetViewStyle(TViewStyle::Report);
    list.EditCaption(2);
    ASSERT_TRUE(list.IsEditing());
    auto* editor = list.CurrentView().viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("zzz"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(edited.count(), 0);
    EXPECT_EQ(list.Caption(2), QStringLiteral("Tank"));
}

TEST_F(ListViewTest, EndEditingCommitsAndARefillDropsTheEdit) {
    QSignalSpy edited(&list, &TListView::Edited);
    for (const bool refill : {true, false}) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the last editor
        list.EditCaption(0);
        auto* editor = list.CurrentView().viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(QStringLiteral("typed"));
        if (refill) list.Clear();  // the row the edit began on goes, and another takes its place
        if (refill) list.AddItem(QStringLiteral("Pipe 2"));
        list.EndEditing();
    }
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(list.Caption(0), QStringLiteral("typed"));
}

TEST_F(ListViewTest, CtrlCCopiesNothingOfItsOwn) {
    list.CurrentView().setCurrentIndex(list.Model().index(1, 0));
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    QTest::keyClick(&list.CurrentView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));  // not "Pipe 2"
}

TEST_F(ListViewTest, SubItemsCannotBeEdited) {
    list.SetViewStyle(TViewStyle::Report);
    EXPECT_FALSE(list.Model().flags(list.Model().index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_TRUE(list.Model().flags(list.Model().index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(ListViewTest, ReadOnlyListNeverEdits) {
    list.SetReadOnly(true);
    list.SetSelected(1, true);
    list.CurrentView().setCurrentIndex(list.Model().index(1, 0));
    list.CurrentView().setFocus();
    QTest::keyClick(&list.CurrentView(), Qt::Key_F2);
    list.EditCaption(1);
    EXPECT_FALSE(list.IsEditing());
}

TEST_F(ListViewTest, SelectItemReportsEveryChangeOfSelection) {
    QSignalSpy changes(&list, &TListView::SelectItem);
    QSignalSpy once(&list, &TListView::SelectionChanged);
    list.SetSelected(2, true);  // the program's own change
    QTest::mouseClick(list.CurrentView().viewport(), Qt::LeftButton, {}, CentreOf(0));
    std::vector<std::pair<int, bool>> seen;
    for (const auto& change : changes) seen.emplace_back(change[0].toInt(), change[1].toBool());
    EXPECT_EQ(seen, (std::vector<std::pair<int, bool>>{{2, true}, {2, false}, {0, true}}));
    EXPECT_EQ(once.count(), 2);
}

TEST_F(ListViewTest, ClearedColumnsKeepTheItemsTexts) {
    list.SetViewStyle(TViewStyle::Report);
    list.ClearColumns();
    EXPECT_EQ(list.ColumnCount(), 0);
    EXPECT_EQ(list.ColumnCaption(0), QString());
    EXPECT_TRUE(list.ReportView().isColumnHidden(0));
    EXPECT_EQ(list.Caption(0), QStringLiteral("Pipe 1"));

    struct Row {
        const char* caption;
        int width;
        Qt::Alignment alignment;
    };
    const Row rows[] = {{"Comment", 80, Qt::AlignRight}, {"Name", 90, Qt::AlignHCenter}};
    for (const Row& row : rows) list.AddColumn(QString::fromLatin1(row.caption), row.width, row.alignment);
    list.AddItem(QStringLiteral("Duct"), {QStringLiteral("a"), QStringLiteral("b")});  // "b" has no column
    ASSERT_EQ(list.ColumnCount(), 2);
    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(list.ColumnCaption(c), QString::fromLatin1(rows[c].caption));
        EXPECT_EQ(list.ColumnWidth(c), rows[c].width);
        EXPECT_EQ(list.ColumnAlignment(c), rows[c].alignment);
        EXPECT_FALSE(list.ReportView().isColumnHidden(c));
        // The report view draws the column's texts so aligned.
        QStyleOptionViewItem option;
        option.widget = &list.ReportView();
        struct Probe : QStyledItemDelegate {
            using QStyledItemDelegate::initStyleOption;  // reachable through a member pointer
        };
        auto* delegate = static_cast<QStyledItemDelegate*>(list.ReportView().itemDelegate());
        (delegate->*(&Probe::initStyleOption))(&option, list.Model().index(0, c));
        EXPECT_EQ(option.displayAlignment & Qt::AlignHorizontal_Mask, rows[c].alignment);
    }
    EXPECT_TRUE(list.ReportView().isColumnHidden(2));
    EXPECT_EQ(list.SubItem(0, 0), QStringLiteral("cellar"));  // texts stayed
    EXPECT_FALSE(list.SetColumnCaption(2, QStringLiteral("x")));
}

TEST_F(ListViewTest, ReportHeaderBeyondTheLastColumnIsAnEmptySection) {
    // The main window's green must not show through the header.
    QPalette palette = list.palette();
    palette.setColor(QPalette::Window, QColor(208, 224, 192));
    list.setPalette(palette);
    list.SetViewStyle(TViewStyle::Report);
    QHeaderView& header = *list.ReportView().header();
    const QImage image = header.grab().toImage();
    // A column of pixels right of the last column, and one in the empty end of the first.
    const int beyond = header.sectionViewportPosition(1) + header.sectionSize(1) + 20;
    const int inside = header.sectionSize(0) - 10;
    ASSERT_LT(beyond, image.width());
    for (int y = 2; y < image.height() - 2; ++y) {
        EXPECT_EQ(image.pixel(beyond, y), image.pixel(inside, y)) << y;
    }
}
