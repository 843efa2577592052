#include "platform/win/Files.h"

#include "platform/win/CodePage.h"
#include "platform/win/MachineRoot.h"
#include "platform/win/WinError.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <mutex>
#include <system_error>

namespace fs = std::filesystem;

namespace win {
namespace {

constexpr std::string_view kTempPrefix = "valdorine-tmp-";

// A name as upper-case code points, for comparing without case. A byte that
// is not valid UTF-8 keeps its identity (U+DC00 + byte) so that two different
// broken names never compare equal.
std::u32string FoldedName(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t start = i;
        char32_t c = NextUtf8(utf8, i);
        if (c == 0xFFFD && i - start == 1) c = 0xDC00 + static_cast<unsigned char>(utf8[start]);
        out.push_back(UpperCaseLatin(c));
    }
    return out;
}

// Ignoring case first; names that differ only in case keep a fixed order.
bool NameLess(const fs::path& a, const fs::path& b) {
    const std::string na = a.filename().native();
    const std::string nb = b.filename().native();
    const std::u32string fa = FoldedName(na), fb = FoldedName(nb);
    if (fa != fb) return fa < fb;
    return na < nb;
}

// Windows wildcard match over folded names (see ListFiles).
bool WildcardMatch(const std::u32string& pattern, const std::u32string& name) {
    const std::size_t p = pattern.size(), n = name.size();
    // memo[i * (n + 1) + j]: 0 unknown, 1 no, 2 yes for pattern[i..] against name[j..].
    std::vector<unsigned char> memo((p + 1) * (n + 1), 0);
    auto onlyWildcardsFrom = [&](std::size_t i) {
        return std::all_of(pattern.begin() + static_cast<std::ptrdiff_t>(i), pattern.end(),
                           [](char32_t c) { return c == U'*' || c == U'?'; });
    };
    auto match = [&](auto&& self, std::size_t i, std::size_t j) -> bool {
        if (i == p) return j == n;
        unsigned char& m = memo[i * (n + 1) + j];
        if (m) return m == 2;
        bool ok = false;
        switch (pattern[i]) {
            case U'*':
                ok = self(self, i + 1, j) || (j < n && self(self, i, j + 1));
                break;
            case U'?':
                ok = (j < n && self(self, i + 1, j + 1)) ||
                     ((j == n || name[j] == U'.') && self(self, i + 1, j));
                break;
            case U'.':
                ok = (j < n && name[j] == U'.' && self(self, i + 1, j + 1)) ||
                     (j == n && onlyWildcardsFrom(i + 1));
                break;
            default:
                ok = j < n && name[j] == pattern[i] && self(self, i + 1, j + 1);
        }
        m = ok ? 2 : 1;
        return ok;
    };
    return match(match, 0, 0);
}

bool IsHidden(const fs::path& entry) {
    const std::string name = entry.filename().native();
    return !name.empty() && name.front() == '.';
}

// Characters Windows forbids in a path component.
bool ValidComponent(std::string_view c) {
    return std::none_of(c.begin(), c.end(), [](char ch) {
        const auto u = static_cast<unsigned char>(ch);
        return u < 0x20 || std::string_view("<>:\"|?*").find(ch) != std::string_view::npos;
    });
}

struct TempState {
    std::mutex mutex;
    fs::path path;
    pid_t owner = 0;
    ~TempState() { RemoveOwned(); }
    void RemoveOwned() {
        if (owner == ::getpid() && !path.empty()) {
            std::error_code ec;
            fs::remove_all(path, ec);
        }
        path.clear();
        owner = 0;
    }
};

TempState& Temp() {
    static TempState state;
    return state;
}

// Removes our own temporary folders whose process is gone (killed, crashed).
void SweepDeadTempFolders(const fs::path& base) {
    std::error_code ec;
    for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().native();
        if (name.compare(0, kTempPrefix.size(), kTempPrefix) != 0) continue;
        const char* first = name.data() + kTempPrefix.size();
        const char* last = name.data() + name.size();
        long pid = 0;
        const auto [next, err] = std::from_chars(first, last, pid);
        if (err != std::errc() || next == first || next == last || *next != '-' || pid <= 0) continue;
        if (pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) continue;
        std::error_code removeError;
        fs::remove_all(it->path(), removeError);
    }
}

}  // namespace

fs::path ProgramFile() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe;
}

fs::path ProgramFolder() {
    const fs::path exe = ProgramFile();
    if (exe.has_parent_path()) return exe.parent_path();
    std::error_code ec;
    return fs::current_path(ec);
}

fs::path TempFolder() {
    TempState& state = Temp();
    std::lock_guard lock(state.mutex);
    if (state.owner == ::getpid() && !state.path.empty()) return state.path;
    // A forked child starts afresh: the inherited folder belongs to its parent.
    state.path.clear();
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec) base = "/tmp";
    SweepDeadTempFolders(base);
    std::string pattern = (base / (std::string(kTempPrefix) + std::to_string(::getpid()) + "-XXXXXX")).native();
    if (!::mkdtemp(pattern.data())) return base;  // no private folder possible: the shared one
    state.path = pattern;
    state.owner = ::getpid();
    return state.path;
}

void RemoveTempFolder() {
    TempState& state = Temp();
    std::lock_guard lock(state.mutex);
    state.RemoveOwned();
}

long MapWindowsPath(std::string_view windowsPath, fs::path& out) {
    auto isSep = [](char c) { return c == '\\' || c == '/'; };
    const std::string_view p = windowsPath;
    fs::path base = MachineRoot();
    std::string_view rest;
    std::size_t fixed = 0;  // leading components that ".." may not remove
    std::vector<std::string_view> parts;
    if (p.size() >= 3 && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) && p[1] == ':' &&
        isSep(p[2])) {
        base = base / "drives" / std::string(1, static_cast<char>(p[0] | 0x20));
        rest = p.substr(3);
    } else if (p.size() >= 2 && isSep(p[0]) && isSep(p[1])) {
        base /= "unc";
        rest = p.substr(2);
        fixed = 2;  // server and share
    } else {
        return ERROR_BAD_PATHNAME;
    }
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = start;
        while (end < rest.size() && !isSep(rest[end])) ++end;
        const std::string_view c = rest.substr(start, end - start);
        if (parts.size() < fixed) {
            if (c.empty() || c == "." || c == ".." || !ValidComponent(c)) return ERROR_BAD_PATHNAME;
            parts.push_back(c);
        } else if (c.empty() || c == ".") {
        } else if (c == "..") {
            if (parts.size() > fixed) parts.pop_back();
        } else {
            if (!ValidComponent(c)) return ERROR_BAD_PATHNAME;
            parts.push_back(c);
        }
        start = end + 1;
    }
    if (parts.size() < fixed) return ERROR_BAD_PATHNAME;
    for (const std::string_view c : parts) base /= PathFromText(c);
    out = std::move(base);
    return ERROR_SUCCESS;
}

fs::path ResolveCaseInsensitive(const fs::path& path) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(path, ec))) return path;
    fs::path resolved = path.root_path();
    for (const fs::path& component : path.relative_path()) {
        fs::path exact = resolved / component;
        if (component == "." || component == ".." || fs::exists(fs::symlink_status(exact, ec))) {
            resolved = std::move(exact);
            continue;
        }
        const std::u32string wanted = FoldedName(component.native());
        fs::path best;
        const fs::path folder = resolved.empty() ? fs::path(".") : resolved;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const fs::path name = it->path().filename();
            if (FoldedName(name.native()) == wanted && (best.empty() || name.native() < best.native())) best = name;
        }
        if (best.empty()) return path;
        resolved /= best;
    }
    return resolved;
}

std::vector<fs::path> ListFiles(const fs::path& folder, std::string_view pattern) {
    const std::u32string folded = FoldedName(pattern);
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsHidden(it->path())) continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        if (WildcardMatch(folded, FoldedName(it->path().filename().native()))) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end(), NameLess);
    return files;
}

std::vector<fs::path> ListFolders(const fs::path& folder) {
    std::vector<fs::path> folders;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!IsHidden(it->path()) && it->is_directory(typeError)) folders.push_back(it->path());
    }
    std::sort(folders.begin(), folders.end(), NameLess);
    return folders;
}

std::string TextFromPath(const fs::path& path) {
    return FromUtf8(CodePage::Cp1250, path.native());
}

fs::path PathFromText(std::string_view cp1250) {
    return fs::path(ToUtf8(CodePage::Cp1250, cp1250));
}

}  // namespace win
