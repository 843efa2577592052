#pragma once
// Dialogs for tests: every call is logged as a line of text, and the answers
// come from a script.

#include "uninstaller/UninstallDialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class ScriptedDialogs final : public UninstallDialogs {
public:
    // Log lines: "box <flags> <owner> <text>" (owner "progress" or "none"),
    // "progress <title>", "mark <id>", "shared <path>", "end <status>|<details>", "loop".
    std::vector<std::string> log;
    int pumps = 0;

    // Answers of Yes/No boxes in order; IDYES once they run out.
    std::deque<int> boxAnswers;
    // Answers of the shared-file question in order; kSharedYes once they run out.
    std::deque<int> sharedAnswers;
    // pumpMessages reports a quit from this pump on (0: never).
    int quitAtPump = 0;
    // Runs at every pump, with the pump's number.
    std::function<void(int)> onPump;

    int messageBox(const ByteString& text, unsigned flags, bool ownedByProgress) override;
    void createProgress(const ByteString& title) override;
    void showStepMark(int id) override;
    bool pumpMessages() override;
    int askSharedFile(const ByteString& path) override;
    void showEndState(const ByteString& status, const ByteString& details) override;
    int runMessageLoop(const std::function<void()>& onClose) override;

    // The log lines that start with prefix.
    std::vector<std::string> Lines(const std::string& prefix) const;
};
