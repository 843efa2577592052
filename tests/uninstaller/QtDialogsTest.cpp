#include "uninstaller/QtDialogs.h"

#include "support/TestSupport.h"
#include "uninstaller/UninstallRun.h"

#include "platform/win/FileOps.h"
#include "platform/win/FileVersion.h"
#include "platform/win/WinError.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

namespace {

// Runs action on the modal dialog once it is up.
void WhenModal(const std::function<void(QWidget*)>& action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        action(modal);
    });
}

// Runs action on the message box once it is up, however many events come first.
void WhenMessageBox(const std::function<void(QMessageBox*)>& action) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll->deleteLater();
        poll->stop();
        action(box);
    });
    poll->start(5);
}

void PressKey(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

}  // namespace

TEST(QtDialogs, SharedFileQuestionEndsOnlyByItsButtons) {
    bool stillOpen = false;
    WhenModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QLabel*>("Question")->text(),
                  "Shared file C:\\W\\s.dll doesn't seem to be used by any programs. Do you want to remove this file?");
        PressKey(dialog, Qt::Key_Escape);
        dialog->close();
        stillOpen = dialog->isVisible();
        dialog->findChild<QPushButton*>("NoToAllButton")->click();
    });
    EXPECT_EQ(runSharedFileDialog(nullptr, "C:\\W\\s.dll"), kSharedNoToAll);
    EXPECT_TRUE(stillOpen);
}

TEST(QtDialogs, DetailsCloseOnEnterAndShowTheText) {
    QString shown;
    WhenModal([&](QWidget* dialog) {
        shown = dialog->findChild<QPlainTextEdit*>("DetailsText")->toPlainText();
        EXPECT_TRUE(dialog->findChild<QPlainTextEdit*>("DetailsText")->isReadOnly());
        PressKey(dialog, Qt::Key_Return);
    });
    runDetailsDialog(nullptr, "Couldn't delete following files:\r\nC:\\a\r\n");
    EXPECT_EQ(shown, "Couldn't delete following files:\nC:\\a\n");
}

TEST(QtDialogs, DetailsIgnoreEscapeAndCloseByTheCloseBox) {
    bool openAfterEscape = false;
    WhenModal([&](QWidget* dialog) {
        PressKey(dialog, Qt::Key_Escape);
        openAfterEscape = dialog->isVisible();
        dialog->close();
    });
    runDetailsDialog(nullptr, "Couldn't delete following files:\r\nC:\\a\r\n");
    EXPECT_TRUE(openAfterEscape);
}

TEST(QtDialogs, ProgressIgnoresTheCloseBoxUntilTheEnd) {
    QtDialogs dialogs;
    dialogs.createProgress("Removing Example from your system...");
    QDialog* progress = dialogs.progress();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->findChild<QLabel*>("Title")->text(), "Removing Example from your system...");
    EXPECT_FALSE(progress->findChild<QLabel*>("StepMark1014")->isVisibleTo(progress));
    dialogs.showStepMark(kMarkShared);
    EXPECT_TRUE(progress->findChild<QLabel*>("StepMark1014")->isVisibleTo(progress));
    EXPECT_FALSE(progress->findChild<QLabel*>("StepMark1010")->isVisibleTo(progress));

    progress->close();
    EXPECT_FALSE(dialogs.pumpMessages());
    EXPECT_TRUE(progress->isVisible());
    auto* close = progress->findChild<QPushButton*>("CloseButton");
    auto* details = progress->findChild<QPushButton*>("DetailsButton");
    EXPECT_FALSE(close->isEnabled());

    dialogs.showEndState("Uninstallation complete.", ByteString());
    EXPECT_TRUE(close->isEnabled());
    EXPECT_FALSE(details->isVisibleTo(progress));
    EXPECT_EQ(progress->findChild<QLabel*>("Status")->text(), "Uninstallation complete.");
    EXPECT_TRUE(progress->findChild<QLabel*>("Status")->font().bold());

    int closed = 0;
    QTimer::singleShot(0, [progress] { progress->close(); });
    EXPECT_EQ(dialogs.runMessageLoop([&] { ++closed; }), 1);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(progress->isVisible());
}

TEST(QtDialogs, DetailsButtonWhenSomethingFailed) {
    QtDialogs dialogs;
    dialogs.createProgress("t");
    dialogs.showEndState("Uninstallation complete.\nSome elements couldn't be removed.",
                         "Couldn't delete following files:\r\nC:\\a\r\n");
    auto* details = dialogs.progress()->findChild<QPushButton*>("DetailsButton");
    EXPECT_TRUE(details->isEnabled());
    EXPECT_TRUE(details->isVisibleTo(dialogs.progress()));
    WhenModal([](QWidget* dialog) { dialog->findChild<QPushButton*>("CloseButton")->click(); });
    details->click();
    QTimer::singleShot(0, [&] { dialogs.progress()->findChild<QPushButton*>("CloseButton")->click(); });
    EXPECT_EQ(dialogs.runMessageLoop(nullptr), 1);
}

TEST(QtDialogs, QuitTakenBeforeTheLoopIsNotLost) {
    QtDialogs dialogs;
    dialogs.createProgress("t");
    dialogs.showEndState("done", ByteString());
    dialogs.progress()->findChild<QPushButton*>("CloseButton")->click();
    EXPECT_TRUE(dialogs.pumpMessages());
    EXPECT_EQ(dialogs.runMessageLoop(nullptr), 1);  // returns at once
}

TEST(QtDialogs, EscapeAndTheCloseBoxDontAnswerTheBackupQuestion) {
    // "No" would delete the copy of the replaced system file for good.
    const testing_support::ScopedMachineRoot root;
    const std::string backup = "C:\\WINDOWS\\backup\\x.dl_";
    const std::string target = "C:\\WINDOWS\\SYSTEM\\x.dll";
    testing_support::WriteFile(testing_support::NativePath(backup), "original");
    testing_support::WriteFile(testing_support::NativePath(target), "installed   " + win::FileVersionBlock(5, 7));
    ASSERT_EQ(win::SetFileTime(target, 0x01D0000012345670ull), win::ERROR_SUCCESS);
    const std::string line = backup + "\t" + target + "\t5\t7\t" + std::to_string(0x01D00000) + "\t" +
                             std::to_string(0x12345670) + "\r\n";

    QtDialogs dialogs;
    dialogs.createProgress("t");
    UninstallRun run(dialogs);
    bool openAfterEscape = false;
    WhenMessageBox([&](QMessageBox* box) {
        EXPECT_TRUE(box->text().startsWith("Orbelo Installer has taken backup copies"));
        PressKey(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Escape);
        box->close();
        openAfterEscape = box->isVisible();
        PressKey(box, Qt::Key_Return);  // the default answer, Yes
    });
    ByteString section;
    section.assign(std::string_view(line));
    run.restoreBackups(section);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(testing_support::ReadFile(testing_support::NativePath(target)), "original");
    EXPECT_FALSE(std::filesystem::exists(testing_support::NativePath(backup)));
}

TEST(Pictures, OwnPicturesHaveTheirSizes) {
    QtDialogs dialogs;
    dialogs.createProgress("t");
    const QLabel* side = dialogs.progress()->findChild<QLabel*>("SideBitmap");
    ASSERT_FALSE(side->pixmap().isNull());
    EXPECT_EQ(side->pixmap().size(), side->size());
    EXPECT_FALSE(dialogs.progress()->findChild<QLabel*>("ProgramIcon")->pixmap().isNull());
}
