#pragma once
// Everything the uninstall run shows goes through this one interface, so the
// run works the same with Qt dialogs, with none at all ("/SILENT": no Qt object
// is ever created) and with scripted dialogs in tests. It is the only place in
// the uninstaller with virtual operations.

#include "uninstaller/ByteString.h"

#include <functional>

// Caption of every message box and of the progress dialog.
constexpr char kCaption[] = "Orbelo Uninstaller";

// Step marks of the progress dialog, by control id.
constexpr int kMarkShared = 1014;
constexpr int kMarkBackups = 1013;
constexpr int kMarkFiles = 1012;
constexpr int kMarkDirectories = 1011;
constexpr int kMarkRegistry = 1010;

// Answers of the shared-file question, by button id.
constexpr int kSharedYes = 1005;
constexpr int kSharedNo = 1006;
constexpr int kSharedYesToAll = 1007;
constexpr int kSharedNoToAll = 1008;

class UninstallDialogs {
public:
    virtual ~UninstallDialogs() = default;

    // A message box captioned kCaption with win::MB_* flags; owned by the
    // progress dialog when ownedByProgress. Returns the win::ID* of the button.
    virtual int messageBox(const ByteString& text, unsigned flags, bool ownedByProgress) = 0;

    // Creates the progress dialog and sets its title line.
    virtual void createProgress(const ByteString& title) = 0;
    virtual void showStepMark(int id) = 0;
    // Handles what is already queued without waiting; true once a quit request
    // has been taken (it stays taken).
    virtual bool pumpMessages() = 0;

    // The shared-file question for path; the id of the button pressed.
    virtual int askSharedFile(const ByteString& path) = 0;

    // End state: the status text, Close enabled, default and focused; Details
    // enabled and shown when details is not empty.
    virtual void showEndState(const ByteString& status, const ByteString& details) = 0;
    // Runs until the progress dialog is closed, calling onClose first; gives
    // the quit value. Ends at once when a quit was already taken.
    virtual int runMessageLoop(const std::function<void()>& onClose) = 0;
};

// The text of the Details dialog: a heading and the entries of each list that
// is not empty, one blank line between groups, no line end at the very end.
ByteString detailsText(const ByteString& failedFiles, const ByteString& failedDirectories,
                       const ByteString& failedRegistryKeys);

// "Shared file " + path + " doesn't seem to be used by any programs. Do you want to remove this file?"
ByteString sharedFileQuestion(const ByteString& path);

// The dialogs of silent mode: nothing is shown and nothing is asked.
class NoDialogs final : public UninstallDialogs {
public:
    int messageBox(const ByteString& text, unsigned flags, bool ownedByProgress) override;
    void createProgress(const ByteString&) override {}
    void showStepMark(int) override {}
    bool pumpMessages() override { return false; }
    int askSharedFile(const ByteString&) override { return kSharedYes; }
    void showEndState(const ByteString&, const ByteString&) override {}
    int runMessageLoop(const std::function<void()>& onClose) override;
};
