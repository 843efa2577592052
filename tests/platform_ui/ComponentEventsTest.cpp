#include "platform/ui/ComponentEvents.h"

#include "support/TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

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
