#include "platform/ui/ComponentEvents.h"

#include "platform/ui/QtControls.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class ComponentEvents : public ::testing::Test {
protected:
    testing_support::ScopedMessageBoxRecorder recorder_;
    std::vector<testing_support::TShownBox>& shown_ = recorder_.Shown;
};

}  // namespace

TEST_F(ComponentEvents, ComboChangeIsTheUsersChoiceOnly) {
    QComboBox box;
    box.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    int changes = 0;
    OnChange(box, &box, [&] { ++changes; });
    box.setCurrentIndex(2);  // the program's own change
    EXPECT_EQ(changes, 0);
    emit box.activated(1);  // what a choice from the list emits
    EXPECT_EQ(changes, 1);

    QComboBox editable;
    editable.setEditable(true);
    OnChange(editable, &editable, [&] { ++changes; });
    editable.setEditText(QStringLiteral("program"));
    EXPECT_EQ(changes, 1);
    QTest::keyClicks(editable.lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(changes, 2);
}

TEST_F(ComponentEvents, EditChangeAndCheckBoxClickFollowTheProgramToo) {
    QLineEdit edit;
    int edits = 0;
    OnChange(edit, &edit, [&] { ++edits; });
    edit.setText(QStringLiteral("10"));
    EXPECT_EQ(edits, 1);

    QCheckBox check;
    int clicks = 0;
    OnClick(check, &check, [&] { ++clicks; });
    check.setChecked(true);
    EXPECT_EQ(clicks, 1);
    check.setChecked(true);  // no change, no event
    EXPECT_EQ(clicks, 1);

    QWidget group;
    auto* first = new QRadioButton(&group);
    auto* second = new QRadioButton(&group);
    int radioClicks = 0;
    OnClick(*first, first, [&] { ++radioClicks; });
    first->setChecked(true);
    second->setChecked(true);  // first goes off: no click for it
    EXPECT_EQ(radioClicks, 1);
}

TEST_F(ComponentEvents, ButtonClickIsTheUsers) {
    QPushButton button;
    int clicks = 0;
    OnClick(static_cast<QAbstractButton&>(button), &button, [&] { ++clicks; });
    button.setDown(true);
    button.setDown(false);
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ComponentEvents, LabelClicksAreReleasesOverTheLabel) {
    QLabel label(QStringLiteral("www.example.com"));
    label.resize(120, 20);
    int clicks = 0;
    OnClick(label, &label, [&] { ++clicks; });
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(&label, Qt::RightButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(500, 10));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ComponentEvents, AnExceptionStopsAtTheBarrier) {
    QAction action;
    OnExecute(action, &action, [] { throw Exception("Hib\xE1s \xE9rt\xE9k!"); });
    action.trigger();
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].Text, "Hib\xE1s \xE9rt\xE9k!");

    QLabel label;
    label.resize(50, 20);
    OnClick(label, &label, [] { throw std::runtime_error("boom"); });
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[1].Text, "boom");
}

TEST_F(ComponentEvents, MenusTimersAndLists) {
    QMenu menu;
    int popups = 0;
    OnPopup(menu, &menu, [&] { ++popups; });
    emit menu.aboutToShow();
    EXPECT_EQ(popups, 1);

    QTimer timer;
    int ticks = 0;
    OnTimer(timer, &timer, [&] { ++ticks; });
    timer.setSingleShot(true);
    timer.start(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 1; }, 2000));

    TListView list;
    int edits = 0;
    OnEdited(list, &list, [&](int index, const QString& text) {
        EXPECT_EQ(index, 3);
        EXPECT_EQ(text, QStringLiteral("x"));
        ++edits;
    });
    emit list.Edited(3, QStringLiteral("x"));
    EXPECT_EQ(edits, 1);
}

TEST_F(ComponentEvents, ExitIsFocusMovingWithinTheWindow) {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* other = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(edit);
    layout->addWidget(other);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    int exits = 0;
    OnExit(*edit, edit, [&] { ++exits; });

    struct Step {
        const char* what;
        std::function<void()> act;
        int exits;
    };
    QWidget elsewhere;
    QMenu popup;
    popup.addAction(QStringLiteral("entry"));
    const std::vector<Step> steps = {
        {"tab to the next control", [&] { QTest::keyClick(edit, Qt::Key_Tab); }, 1},
        {"program focuses the other control", [&] { edit->setFocus(); other->setFocus(); }, 2},
        {"another window takes the focus",
         [&] {
             edit->setFocus();
             elsewhere.show();
             QApplication::setActiveWindow(&elsewhere);
         },
         2},
        {"a popup opens",
         [&] {
             QApplication::setActiveWindow(&window);
             edit->setFocus();
             popup.popup(QPoint(0, 0));
             popup.close();
         },
         2},
        {"the window closes", [&] { window.hide(); }, 2},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        QApplication::processEvents();
        EXPECT_EQ(exits, step.exits);
    }
}

TEST_F(ComponentEvents, LeafMenuItemClickPassesTheItem) {
    QMenu menu;
    QAction* item = menu.addAction(QStringLiteral("Acél 50."));
    QString caption;
    OnClick(*item, &menu, [&](QAction& clicked) { caption = clicked.text(); });
    item->trigger();
    EXPECT_EQ(caption, QStringLiteral("Acél 50."));
}

TEST_F(ComponentEvents, PageChangeIsTheUsersOnly) {
    QTabWidget pages;
    for (const char* title : {"a", "b", "c"}) pages.addTab(new QWidget, QString::fromLatin1(title));
    pages.resize(300, 200);
    pages.show();
    int changes = 0;
    OnChange(pages, &pages, [&] { ++changes; });
    SetActivePage(pages, 1);
    SetTabVisible(pages, 1, false);  // the active page's tab goes: the next one shows
    EXPECT_EQ(pages.currentIndex(), 2);
    SetTabVisible(pages, 1, true);
    EXPECT_EQ(changes, 0);
    QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, pages.tabBar()->tabRect(0).center());
    EXPECT_EQ(pages.currentIndex(), 0);
    EXPECT_EQ(changes, 1);
}

TEST_F(ComponentEvents, TreeChangeFollowsTheSelectionAndDoubleClickTheUser) {
    QTreeWidget tree;
    auto* top = new QTreeWidgetItem(&tree, QStringList{QStringLiteral("type")});
    auto* size = new QTreeWidgetItem(top, QStringList{QStringLiteral("size")});
    int changes = 0;
    int doubleClicks = 0;
    OnChange(tree, &tree, [&] { ++changes; });
    OnDblClick(tree, &tree, [&] { ++doubleClicks; });
    tree.setCurrentItem(size);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(doubleClicks, 0);
    emit tree.itemDoubleClicked(size, 0);
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(ComponentEvents, OwnerDrawnEntriesAndFace) {
    TOwnerDrawComboBox box;
    box.addItems({QStringLiteral("Cső"), QStringLiteral("Tartály")});
    box.SetItemHeight(60);
    box.resize(185, 66);
    std::vector<int> drawn;
    OnDrawItem(box, &box, [&](QPainter& painter, int index, const QRect& rect, QStyle::State) {
        painter.fillRect(rect, painter.brush());
        drawn.push_back(index);
        if (index == 1) throw Exception("drawing failed");
    });
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 185, 20);
    EXPECT_EQ(box.itemDelegate()->sizeHint(option, box.model()->index(0, 0)).height(), 60);

    box.setCurrentIndex(0);
    QImage face(box.size(), QImage::Format_ARGB32);
    box.render(&face);
    EXPECT_EQ(drawn, std::vector<int>{0});
    QImage entry(185, 60, QImage::Format_ARGB32);
    QPainter painter(&entry);
    option.rect = QRect(0, 0, 185, 60);
    box.itemDelegate()->paint(&painter, option, box.model()->index(1, 0));
    EXPECT_EQ(drawn, (std::vector<int>{0, 1}));
    ASSERT_EQ(shown_.size(), 1u);  // the failure stopped at the barrier
    EXPECT_EQ(shown_[0].Text, "drawing failed");
}
