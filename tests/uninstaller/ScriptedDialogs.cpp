#include "uninstaller/ScriptedDialogs.h"

#include "platform/win/MessageBox.h"

int ScriptedDialogs::messageBox(const ByteString& text, unsigned flags, bool ownedByProgress) {
    log.push_back("box " + std::to_string(flags) + (ownedByProgress ? " progress " : " none ") + std::string(text.view()));
    if ((flags & win::MB_TYPEMASK) != win::MB_YESNO) return win::IDOK;
    if (boxAnswers.empty()) return win::IDYES;
    const int answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
}

void ScriptedDialogs::createProgress(const ByteString& title) { log.push_back("progress " + std::string(title.view())); }

void ScriptedDialogs::showStepMark(int id) { log.push_back("mark " + std::to_string(id)); }

bool ScriptedDialogs::pumpMessages() {
    ++pumps;
    if (onPump) onPump(pumps);
    return quitAtPump != 0 && pumps >= quitAtPump;
}

int ScriptedDialogs::askSharedFile(const ByteString& path) {
    log.push_back("shared " + std::string(path.view()));
    if (sharedAnswers.empty()) return kSharedYes;
    const int answer = sharedAnswers.front();
    sharedAnswers.pop_front();
    return answer;
}

void ScriptedDialogs::showEndState(const ByteString& status, const ByteString& details) {
    log.push_back("end " + std::string(status.view()) + "|" + std::string(details.view()));
}

int ScriptedDialogs::runMessageLoop(const std::function<void()>& onClose) {
    log.push_back("loop");
    if (onClose) onClose();
    return 1;
}

std::vector<std::string> ScriptedDialogs::Lines(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& line : log)
        if (line.rfind(prefix, 0) == 0) out.push_back(line);
    return out;
}
