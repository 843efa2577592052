// Shared files: counted down under SharedDLLs, removed (and unregistered)
// when no other program counts on them.
#include "uninstaller/UninstallRun.h"

#include "uninstaller/UninstallDialogs.h"

#include "platform/win/FileOps.h"
#include "platform/win/RegistryStore.h"
#include "platform/win/SharedLibrary.h"
#include "platform/win/WinError.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace {

constexpr char kSharedDlls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// The reference count, 0 when there is none (or it isn't a DWORD).
std::uint32_t readCount(const ByteString& path) {
    std::uint32_t type = win::REG_NONE;
    std::vector<std::uint8_t> data;
    if (win::RegQueryValue(win::HKey::LocalMachine, kSharedDlls, path.view(), type, data) != win::ERROR_SUCCESS ||
        type != win::REG_DWORD || data.size() != 4)
        return 0;
    return std::uint32_t{data[0]} | (std::uint32_t{data[1]} << 8) | (std::uint32_t{data[2]} << 16) |
           (std::uint32_t{data[3]} << 24);
}

void writeCount(const ByteString& path, std::uint32_t count) {
    const std::uint8_t data[4] = {static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
                                  static_cast<std::uint8_t>(count >> 16), static_cast<std::uint8_t>(count >> 24)};
    (void)win::RegSetValue(win::HKey::LocalMachine, kSharedDlls, path.view(), win::REG_DWORD, data);
}

void recordAnswer(ByteString& answers, const ByteString& path, char digit) {
    if (lookupSharedAnswer(answers, path) != -1) return;
    if (!answers.empty()) answers.append("\r\n");
    answers.append(path);
    answers.appendChar(digit);
}

}  // namespace

int lookupSharedAnswer(const ByteString& answers, const ByteString& path) {
    int position = 0;
    ByteString line;
    while (answers.isValidPos(position)) {
        answers.readLine(&position, line, true);
        if (line.empty()) continue;
        const std::string_view text = line.view();
        if (text.substr(0, text.size() - 1) == path.view()) return static_cast<unsigned char>(text.back()) - '0';
    }
    return -1;
}

void unregisterServer(const ByteString& path) {
    std::filesystem::path saved;
    const bool haveSaved = win::GetCurrentDirectory(saved) == win::ERROR_SUCCESS;
    const std::string_view text = path.view();
    const std::size_t slash = text.rfind('\\');
    if (slash != std::string_view::npos) (void)win::SetCurrentDirectory(text.substr(0, slash + 1));
    win::LibraryHandle library;
    const unsigned oldMode = win::SetErrorMode(win::SEM_FAILCRITICALERRORS);
    const long loaded = win::LoadLibrary(text, library);
    win::SetErrorMode(oldMode);
    if (haveSaved) (void)win::SetCurrentDirectoryNative(saved);
    if (loaded != win::ERROR_SUCCESS) return;
    // HRESULT DllUnregisterServer(void); its result tells us nothing we act on.
    using UnregisterFunction = std::int32_t (*)();
    if (void* function = win::GetProcAddress(library, "DllUnregisterServer"))
        (void)reinterpret_cast<UnregisterFunction>(function)();
    library.Free();
}

bool UninstallRun::decideSharedFile(const ByteString& path) {
    switch (lookupSharedAnswer(sharedAnswers_, path)) {
        case 1: return false;
        case 2: return true;
        default: break;
    }
    if (noToAll_) return false;
    if (yesToAll_) return true;
    switch (dialogs_.askSharedFile(path)) {
        case kSharedNo:
            recordAnswer(sharedAnswers_, path, '1');
            return false;
        case kSharedNoToAll:
            noToAll_ = true;
            return false;
        case kSharedYesToAll:
            yesToAll_ = true;
            return true;
        default:
            recordAnswer(sharedAnswers_, path, '2');
            return true;
    }
}

void UninstallRun::removeSharedFile(const ByteString& path) {
    (void)win::RegDeleteValue(win::HKey::LocalMachine, kSharedDlls, path.view());
    clearReadOnly(path);
    unregisterServer(path);
    (void)win::DeleteFile(path.view());  // not reported when it fails
}

void UninstallRun::removeSharedFiles(const ByteString& section) {
    stepMark(kMarkShared);
    if (section.empty()) return;
    if (win::RegOpenKey(win::HKey::LocalMachine, kSharedDlls, win::RegAccess::Write) != win::ERROR_SUCCESS) return;
    yesToAll_ = silent_;
    noToAll_ = false;
    int position = 0;
    ByteString path;
    while (section.isValidPos(position)) {
        section.readLine(&position, path, false);
        if (path.empty()) continue;
        const std::uint32_t count = readCount(path);
        if (count != 0 && count != 1) {
            writeCount(path, count - 1);
            continue;
        }
        if (decideSharedFile(path))
            removeSharedFile(path);
        else
            writeCount(path, 0);
    }
}
