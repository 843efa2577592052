#pragma once
// The uninstaller's dialogs on Qt Widgets: the modeless progress dialog with
// its step marks, the Details dialog, the shared-file question and the message
// boxes. Needs a QApplication; never used in silent mode.

#include "uninstaller/UninstallDialogs.h"

#include <filesystem>
#include <memory>

class QDialog;
class QEventLoop;
class QString;
class QWidget;

class ProgressDialog;

class QtDialogs final : public UninstallDialogs {
public:
    QtDialogs();
    ~QtDialogs() override;

    int messageBox(const ByteString& text, unsigned flags, bool ownedByProgress) override;
    void createProgress(const ByteString& title) override;
    void showStepMark(int id) override;
    bool pumpMessages() override;
    int askSharedFile(const ByteString& path) override;
    void showEndState(const ByteString& status, const ByteString& details) override;
    int runMessageLoop(const std::function<void()>& onClose) override;

    // The progress dialog, once created (tests find its controls by object name).
    QDialog* progress() const;
    // Called by the progress dialog when it is closed in its end state.
    void closeProgress();

private:
    std::unique_ptr<ProgressDialog> progress_;
    std::function<void()> onClose_;
    QEventLoop* loop_ = nullptr;
    bool quitTaken_ = false;
    int quitValue_ = 0;
};

// The shared-file question on its own (owner may be null): the id of the button pressed.
int runSharedFileDialog(QWidget* owner, const ByteString& path);
// The Details dialog on its own.
void runDetailsDialog(QWidget* owner, const ByteString& text);

// Text of the run (Windows-1250 bytes) for Qt.
QString toQString(const ByteString& text);

// Shown on standard error when no window can be opened.
constexpr char kNoWindowMessage[] = "cannot open a window; run with /SILENT to uninstall without one";

// The whole run with Qt dialogs: creates the application object, then runs.
// When Qt can't use its window system, prints kNoWindowMessage and ends the
// process with kExitStopped before anything is read or changed.
int runWithQtDialogs(int& argc, char** argv, const ByteString& commandLine, const std::filesystem::path& executable,
                     const std::filesystem::path& dataSource);
