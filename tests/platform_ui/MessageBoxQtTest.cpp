#include "platform/ui/MessageBoxQt.h"

#include "platform/ui/QtPlatform.h"
#include "platform/win/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using B = QMessageBox::StandardButton;

// Runs `act` on the next message box once it is up.
void OnNextBox(std::function<void(QMessageBox&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(*box);
    });
}

void PressEscape(QMessageBox& box) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&box, &press);
}

struct TBoxCase {
    unsigned Flags;
    QMessageBox::StandardButtons Buttons;
    QMessageBox::Icon Icon;
    B Default;
};

}  // namespace

TEST(MessageBoxQt, FlagsChooseButtonsIconAndDefault) {
    const TBoxCase cases[] = {
        {0x30, B::Ok, QMessageBox::Warning, B::Ok},
        {0x23, B::Yes | B::No | B::Cancel, QMessageBox::Question, B::Yes},
        {0x24, B::Yes | B::No, QMessageBox::Question, B::Yes},
        {0x10, B::Ok, QMessageBox::Critical, B::Ok},
        {0x00, B::Ok, QMessageBox::NoIcon, B::Ok},
        {0x41, B::Ok | B::Cancel, QMessageBox::Information, B::Ok},
        {0x124, B::Yes | B::No, QMessageBox::Question, B::No},  // second button default
        {0x02, B::Abort | B::Retry | B::Ignore, QMessageBox::NoIcon, B::Abort},
        {0x05, B::Retry | B::Cancel, QMessageBox::NoIcon, B::Retry},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Flags);
        const auto box = CreateMessageBox("Sz\xF6veg", "C\xEDm", c.Flags);
        EXPECT_EQ(box->standardButtons(), c.Buttons);
        EXPECT_EQ(box->icon(), c.Icon);
        EXPECT_EQ(box->standardButton(box->defaultButton()), c.Default);
        EXPECT_EQ(box->text(), QString::fromUtf8("Szöveg"));
        EXPECT_EQ(box->windowTitle(), QString::fromUtf8("Cím"));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
    }
}

TEST(MessageBoxQt, EachButtonAnswersItsWindowsId) {
    const std::pair<B, int> answers[] = {
        {B::Yes, win::IDYES}, {B::No, win::IDNO}, {B::Cancel, win::IDCANCEL}};
    for (const auto& [button, id] : answers) {
        SCOPED_TRACE(id);
        OnNextBox([button = button](QMessageBox& box) { box.button(button)->click(); });
        EXPECT_EQ(QtMessageBox("Menti?", "Valdorine", 0x23), id);
    }
    OnNextBox([](QMessageBox& box) { box.button(B::Ok)->click(); });
    EXPECT_EQ(QtMessageBox("Hiba", "Valdorine", 0x30), win::IDOK);
}

TEST(MessageBoxQt, EscapeAnswersCancelOrOkButNeverAYesNoQuestion) {
    OnNextBox(PressEscape);
    EXPECT_EQ(QtMessageBox("q", "t", 0x23), win::IDCANCEL);
    OnNextBox(PressEscape);
    EXPECT_EQ(QtMessageBox("e", "t", 0x30), win::IDOK);
    OnNextBox([](QMessageBox& box) {
        PressEscape(box);
        box.close();  // the window's close button
        EXPECT_TRUE(box.isVisible());
        box.button(B::No)->click();
    });
    EXPECT_EQ(QtMessageBox("q", "t", 0x24), win::IDNO);
}

TEST(MessageBoxQt, InstalledAsTheProgramsMessageBox) {
    {
        const TQtPlatform platform;
        OnNextBox([](QMessageBox& box) {
            EXPECT_EQ(box.text(), QString::fromUtf8("Menti a változásokat?"));
            box.button(B::No)->click();
        });
        EXPECT_EQ(win::MessageBox("Menti a v\xE1ltoz\xE1sokat?", "Valdorine", 0x23), win::IDNO);
    }
    // Gone with the platform object: the default answers without a window.
    EXPECT_EQ(win::MessageBox("q", "t", 0x24), win::IDYES);
}
