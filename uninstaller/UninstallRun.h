#pragma once
// The uninstall run: reads the data appended to the executable, asks, runs the
// pre-uninstall command, then removes shared files, backups, files,
// directories and registry entries in that order, collects what failed,
// schedules locked files for deletion at the next restart and offers the
// restart. Every failure is a result value; nothing here throws.

#include "uninstaller/ByteString.h"
#include "uninstaller/PointerList.h"

#include "platform/win/RegistryStore.h"

#include <cstdint>
#include <filesystem>

class UninstallDialogs;

// Exit codes of the run.
constexpr int kExitStopped = 0;  // stopped before removing anything
constexpr int kExitRemoved = 1;  // the removal steps ran

// "/SILENT" and "/NOREMOVE" anywhere in the upper-cased command line (plain
// substrings, so a longer word starting with one counts too).
void parseOptions(const ByteString& commandLine, bool& silent, bool& noRemove);

// Starts the command line and waits for it, handling messages meanwhile:
// 1 go on, 0 stop (the command said so, or a quit came while waiting),
// -1 the command could not be started. A command line containing ".BAT" or
// ".CMD" (case-sensitive) says "go on" with exit code 0; any other says "go on"
// with an exit code other than 0.
int runAndWait(const ByteString& commandLine, UninstallDialogs& dialogs);

// Loads the library with its folder as current directory and calls its
// DllUnregisterServer when it has one.
void unregisterServer(const ByteString& path);

// The answer recorded for path in the answers list (lines of path + digit):
// 1 keep, 2 remove, -1 none.
int lookupSharedAnswer(const ByteString& answers, const ByteString& path);

// 1 ok; -1 no version information; -2 no memory; -3 the file can't be read; -4 no root block.
int getFileVersion(const ByteString& path, std::uint32_t& high, std::uint32_t& low);
// 1 when version B is greater, -1 when smaller, 0 when equal (major, minor, build, revision).
int compareVersions(std::uint32_t aHigh, std::uint32_t aLow, std::uint32_t bHigh, std::uint32_t bLow);

// Clears the read-only attribute when the attributes can be read.
void clearReadOnly(const ByteString& path);

// Schedules path (a Windows path) for deletion at the next restart, falling
// back to the "[Rename]" section of wininit.ini where that service is missing.
void deleteAtReboot(const ByteString& path);
// The wininit.ini content with "NUL=" + shortPath in its [Rename] section;
// unchanged when the entry is there already. An empty content gets a new file's.
ByteString addRenameEntry(const ByteString& content, const ByteString& shortPath);

// An open registry key of the store: a root and a path below it.
struct RegistryKey {
    win::HKey root;
    ByteString path;  // "" for the root itself
};

class UninstallRun {
public:
    explicit UninstallRun(UninstallDialogs& dialogs);

    // The whole run (WinMain). commandLine is the process's command line,
    // program path included; executable the program's own path (scheduled for
    // deletion at restart); dataSource the file the data is read from (the
    // program reads /proc/self/exe).
    int run(const ByteString& commandLine, const std::filesystem::path& executable,
            const std::filesystem::path& dataSource);

    // The steps, callable one by one (tests).
    void setSilent(bool silent) { silent_ = silent; }
    [[nodiscard]] bool checkPrivileges(const ByteString& registry);
    void removeSharedFiles(const ByteString& section);
    void restoreBackups(const ByteString& section);
    void removeFiles(const ByteString& section);
    void removeDirectories(const ByteString& section);
    void removeRegistryEntries(const ByteString& registry);
    void scheduleRebootList();
    void offerReboot();

    // Reads one registry node at position and acts on it (see the .cpp); false
    // when check mode found a key it may not change. key null: the key doesn't
    // exist, the node is only read past. pathList: the names of the key path.
    bool walkRegistryTree(const RegistryKey* key, const ByteString& section, std::uint32_t& position, bool check,
                          PointerList* pathList);

    const ByteString& failedFiles() const { return failedFiles_; }
    const ByteString& failedDirectories() const { return failedDirectories_; }
    const ByteString& failedRegistryKeys() const { return failedRegistryKeys_; }
    const ByteString& rebootList() const { return rebootList_; }
    const ByteString& sharedAnswers() const { return sharedAnswers_; }
    bool rebootNeeded() const { return rebootNeeded_; }
    // "Uninstallation complete.", with a second line when something failed.
    ByteString statusText() const;

private:
    void stepMark(int id);
    bool anyFailure() const;
    void listFailure(ByteString& list, const ByteString& path);
    void removeSharedFile(const ByteString& path);
    void restoreBackup(const ByteString& line);
    bool decideSharedFile(const ByteString& path);

    UninstallDialogs& dialogs_;
    bool silent_ = false;
    bool noRemove_ = false;
    bool yesToAll_ = false;
    bool noToAll_ = false;
    bool rebootNeeded_ = false;
    ByteString sharedAnswers_;
    ByteString rebootList_;
    ByteString failedFiles_;
    ByteString failedDirectories_;
    ByteString failedRegistryKeys_;
};
