// The installed files and directories.
#include "uninstaller/UninstallRun.h"

#include "uninstaller/UninstallDialogs.h"

#include "platform/win/FileOps.h"
#include "platform/win/WinError.h"

namespace {

bool missing(long error) { return error == win::ERROR_FILE_NOT_FOUND || error == win::ERROR_PATH_NOT_FOUND; }

// Each line of the section that can be a path (three or more characters),
// writable again, to `remove`.
template <class Remove>
void forEachPath(const ByteString& section, Remove remove) {
    int position = 0;
    ByteString path;
    while (section.isValidPos(position)) {
        section.readLine(&position, path, false);
        if (path.length() < 3) continue;
        clearReadOnly(path);
        remove(path);
    }
}

}  // namespace

void clearReadOnly(const ByteString& path) {
    std::uint32_t attributes = 0;
    if (win::GetFileAttributes(path.view(), attributes) == win::ERROR_SUCCESS)
        (void)win::SetFileAttributes(path.view(), attributes & ~win::FILE_ATTRIBUTE_READONLY);
}

void UninstallRun::removeFiles(const ByteString& section) {
    stepMark(kMarkFiles);
    forEachPath(section, [this](const ByteString& path) {
        const long error = win::DeleteFile(path.view());
        if (error == win::ERROR_SUCCESS || missing(error)) return;
        listFailure(failedFiles_, path);
        // In use: the next start of Windows can delete it.
        if (error == win::ERROR_ACCESS_DENIED || error == win::ERROR_SHARING_VIOLATION) listFailure(rebootList_, path);
    });
}

void UninstallRun::removeDirectories(const ByteString& section) {
    stepMark(kMarkDirectories);
    // Our own current directory must not hold up a removal.
    (void)win::SetCurrentDirectory("c:\\");
    forEachPath(section, [this](const ByteString& path) {
        const long error = win::RemoveDirectory(path.view());
        if (error != win::ERROR_SUCCESS && !missing(error)) listFailure(failedDirectories_, path);
    });
}
