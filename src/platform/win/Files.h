#pragma once
// Files and folders as the programs see them on Windows: the program's
// folder, a private temporary folder, Windows paths mapped onto the machine
// root, case-insensitive names and wildcard listings.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace win {

// The running executable's path; empty when it can't be found.
std::filesystem::path ProgramFile();

// The folder of the running executable; the current directory when the
// executable can't be found.
std::filesystem::path ProgramFolder();

// A private folder of this process that stands for the Windows temporary
// folder. Created on first use (mode 0700), removed with everything in it
// when the process exits normally. A forked child gets a folder of its own
// and never removes its parent's. Folders left behind by processes that
// died without cleaning up are removed when the next one is created.
std::filesystem::path TempFolder();

// Removes this process's temporary folder now; the next TempFolder() makes a new one.
void RemoveTempFolder();

// Maps a Windows absolute path (Windows-1250 text) onto the machine root:
//   "C:\Dir\f.txt", "c:/Dir/f.txt"  -> <MachineRoot>/drives/c/Dir/f.txt
//   "\\server\share\f.txt"          -> <MachineRoot>/unc/server/share/f.txt
// Both separators are accepted; "." is dropped and ".." never climbs above
// the drive or share. Anything else (a relative, drive-relative or POSIX path,
// a name with a character Windows forbids) gives ERROR_BAD_PATHNAME and
// leaves `out` unchanged. Returns ERROR_SUCCESS otherwise.
[[nodiscard]] long MapWindowsPath(std::string_view windowsPath, std::filesystem::path& out);

// The path itself when it exists; else the path whose components match it
// ignoring case, one component at a time (the smallest name when several
// match); else the input unchanged.
std::filesystem::path ResolveCaseInsensitive(const std::filesystem::path& path);

// Regular, non-hidden files of `folder` whose names match the Windows
// wildcard `pattern` (UTF-8, like the names) ignoring case, sorted by name
// ignoring case; hidden means the name starts with ".".
// "*" matches any run of characters; "?" matches one character, or none at
// the end of the name or before a "."; a "." followed only by wildcards also
// matches the end of a name (so "*.*" matches "README"). Hence "*.xm?"
// matches "a.xml", "a.XMZ" and "a.xm", but not "a.xmlx". A missing folder
// gives an empty list.
std::vector<std::filesystem::path> ListFiles(const std::filesystem::path& folder, std::string_view pattern);

// Non-hidden sub-folders of `folder`, sorted by name ignoring case.
std::vector<std::filesystem::path> ListFolders(const std::filesystem::path& folder);

// A native (UTF-8) path as Windows-1250 text; characters the code page lacks become '?'.
std::string TextFromPath(const std::filesystem::path& path);
// Windows-1250 text as a native path.
std::filesystem::path PathFromText(std::string_view cp1250);

}  // namespace win
