#include "platform/win/RegistryStore.h"

#include "platform/win/CodePage.h"
#include "platform/win/MachineRoot.h"
#include "platform/win/RegFile.h"
#include "platform/win/WinError.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace fs = std::filesystem;

namespace win {
namespace {

constexpr std::array<std::string_view, 4> kRootNames = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                                        "HKEY_LOCAL_MACHINE", "HKEY_USERS"};

long ErrorFromErrno(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS: return ERROR_ACCESS_DENIED;
        case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
        default: return ERROR_CANTWRITE;
    }
}

// An flock on the root's lock file, held for one call. The file also holds
// the root's generation, a counter every writer bumps: the file's inode,
// size and times alone can repeat within one clock tick.
class LockFile {
public:
    LockFile() = default;
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;
    ~LockFile() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }

    // A fresh open file description each time: a forked child must not share ours.
    int Acquire(const fs::path& path, bool exclusive) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0) return errno;
        while (::flock(fd_, exclusive ? LOCK_EX : LOCK_SH) != 0) {
            if (errno != EINTR) return errno;
        }
        return 0;
    }

    std::uint64_t Generation() const {
        char buffer[24] = {};
        if (fd_ < 0) return 0;
        const ssize_t n = ::pread(fd_, buffer, sizeof buffer, 0);
        std::uint64_t value = 0;
        if (n > 0) std::from_chars(buffer, buffer + n, value);
        return value;
    }

    void BumpGeneration() const {
        char buffer[24];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, Generation() + 1).ptr;
        // The counter only grows, so the new text is never shorter than the old.
        if (::pwrite(fd_, buffer, static_cast<std::size_t>(end - buffer), 0) < 0) return;
    }

private:
    int fd_ = -1;
};

struct Stamp {
    std::uint64_t generation = 0;
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    long long mtimeNs = 0;
    long long ctimeNs = 0;
    bool operator==(const Stamp&) const = default;
};

Stamp ReadStamp(const fs::path& file, const LockFile& lock) {
    Stamp s;
    s.generation = lock.Generation();
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0) {
        s.exists = true;
        s.dev = st.st_dev;
        s.ino = st.st_ino;
        s.size = st.st_size;
        s.mtimeNs = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
        s.ctimeNs = st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
    }
    return s;
}

bool ReadWholeFile(const fs::path& file, std::string& text) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    text.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

int WriteWholeFile(const fs::path& file, const std::string& text) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    std::size_t done = 0;
    int error = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = errno;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    // The rename must never expose a file whose data isn't on disk yet.
    if (!error && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    return error;
}

struct RootCache {
    bool valid = false;
    bool broken = false;  // the file is no .reg text: never overwrite it
    Stamp stamp;
    TRegKeyNode tree;
};

struct AccessMark {
    HKey root;
    std::string foldedPath;
    RegTestAccess access;
};

struct StoreState {
    std::mutex mutex;
    fs::path dir;  // the registry folder the caches and marks belong to
    std::array<RootCache, 4> roots;
    std::vector<AccessMark> marks;

    // Tests move the machine root between calls: start afresh for a new one.
    void Select(const fs::path& registryDir) {
        if (registryDir == dir) return;
        dir = registryDir;
        roots = {};
        marks.clear();
    }
};

StoreState& State() {
    static StoreState state;
    return state;
}

std::size_t Index(HKey root) {
    return static_cast<std::size_t>(root);
}

// "A\B\C" -> {"A", "B", "C"}; "" -> {} (the root). False for an empty or unwritable name.
bool SplitPath(std::string_view path, std::vector<std::string_view>& parts) {
    parts.clear();
    if (path.empty()) return true;
    for (;;) {
        const std::size_t sep = path.find('\\');
        const std::string_view name = path.substr(0, sep);
        if (name.empty() || !ValidRegName(name)) return false;
        parts.push_back(name);
        if (sep == std::string_view::npos) return true;
        path.remove_prefix(sep + 1);
    }
}

const TRegKeyNode* Find(const TRegKeyNode& tree, const std::vector<std::string_view>& parts, std::size_t count) {
    const TRegKeyNode* key = &tree;
    for (std::size_t i = 0; i < count && key; ++i) key = key->FindSubkey(parts[i]);
    return key;
}

TRegKeyNode* Find(TRegKeyNode& tree, const std::vector<std::string_view>& parts, std::size_t count) {
    return const_cast<TRegKeyNode*>(Find(static_cast<const TRegKeyNode&>(tree), parts, count));
}

// The strictest mark on the key or on a key above it.
RegTestAccess EffectiveAccess(const StoreState& s, HKey root, const std::vector<std::string_view>& parts,
                              std::size_t count) {
    std::string folded;
    for (std::size_t i = 0; i < count; ++i) {
        if (i) folded.push_back('\\');
        folded += UpperCase1250(parts[i]);
    }
    RegTestAccess result = RegTestAccess::Full;
    for (const AccessMark& m : s.marks) {
        if (m.root != root) continue;
        const bool covers = m.foldedPath.empty() || folded == m.foldedPath ||
                            (folded.starts_with(m.foldedPath) && folded[m.foldedPath.size()] == '\\');
        if (covers) result = std::max(result, m.access);
    }
    return result;
}

// One call on one root: the lock, the cache brought up to date, and for
// changes the atomic rewrite.
class Session {
public:
    Session(HKey root, bool write) : root_(root), write_(write), state_(State()), guard_(state_.mutex) {
        state_.Select(MachineRoot() / "registry");
        const std::string name(RootName(root));
        file_ = state_.dir / (name + ".reg");
        lockPath_ = state_.dir / (name + ".lock");
    }

    // ERROR_SUCCESS when Tree() may be used.
    long Open() {
        RootCache& cache = Cache();
        std::error_code ec;
        if (write_) {
            fs::create_directories(state_.dir, ec);
            if (ec) return ErrorFromErrno(ec.value());
            if (const int error = lock_.Acquire(lockPath_, true)) return ErrorFromErrno(error);
        } else if (fs::is_directory(state_.dir, ec)) {
            // Without a lock file (a read-only folder) nobody can be writing either.
            lock_.Acquire(lockPath_, false);
        }
        const Stamp now = ReadStamp(file_, lock_);
        if (!cache.valid || now != cache.stamp) {
            cache.valid = false;
            cache.broken = false;
            cache.tree = TRegKeyNode{};
            if (now.exists) {
                std::string text;
                if (!ReadWholeFile(file_, text)) return ERROR_CANTREAD;
                cache.broken = !ParseRegFile(text, root_, cache.tree).Ok;
            }
            cache.stamp = now;
            cache.valid = true;
        }
        return cache.broken ? ERROR_BADDB : ERROR_SUCCESS;
    }

    TRegKeyNode& Tree() { return Cache().tree; }

    RegTestAccess Access(const std::vector<std::string_view>& parts, std::size_t count) const {
        return EffectiveAccess(state_, root_, parts, count);
    }

    // Writes the changed tree. On failure the file keeps its old content and
    // the cache is dropped, so the next call sees what is on disk.
    long Commit() {
        RootCache& cache = Cache();
        const fs::path temporary = fs::path(file_) += ".new";
        int error = WriteWholeFile(temporary, FormatRegFile(cache.tree, root_));
        if (!error && ::rename(temporary.c_str(), file_.c_str()) != 0) error = errno;
        if (error) {
            ::unlink(temporary.c_str());
            cache.valid = false;
            return ErrorFromErrno(error);
        }
        lock_.BumpGeneration();
        cache.stamp = ReadStamp(file_, lock_);
        return ERROR_SUCCESS;
    }

private:
    RootCache& Cache() { return state_.roots[Index(root_)]; }

    HKey root_;
    bool write_;
    StoreState& state_;
    std::lock_guard<std::mutex> guard_;
    fs::path file_;
    fs::path lockPath_;
    LockFile lock_;
};

// Runs `change` on the key of `path` under the exclusive lock and writes the
// tree when it reports a change. `change(session, parts, changed)` returns an
// error code and must check everything before it changes the tree.
template <class F>
long Change(HKey root, std::string_view path, F&& change) {
    std::vector<std::string_view> parts;
    if (!SplitPath(path, parts)) return ERROR_BAD_PATHNAME;
    Session session(root, true);
    if (const long rc = session.Open()) return rc;
    bool changed = false;
    if (const long rc = change(session, parts, changed)) return rc;
    return changed ? session.Commit() : ERROR_SUCCESS;
}

// Runs `read(key)` on the existing, readable key of `path` under a shared lock.
template <class F>
long Read(HKey root, std::string_view path, F&& read) {
    std::vector<std::string_view> parts;
    if (!SplitPath(path, parts)) return ERROR_BAD_PATHNAME;
    Session session(root, false);
    if (const long rc = session.Open()) return rc;
    const TRegKeyNode* key = Find(session.Tree(), parts, parts.size());
    if (!key) return ERROR_FILE_NOT_FOUND;
    if (session.Access(parts, parts.size()) == RegTestAccess::Denied) return ERROR_ACCESS_DENIED;
    return read(*key);
}

}  // namespace

std::string_view RootName(HKey root) {
    return kRootNames[Index(root)];
}

long RegCreateKey(HKey root, std::string_view path) {
    // Most calls find the key there already: no exclusive lock, nothing written.
    const long existing = RegOpenKey(root, path, RegAccess::Read);
    if (existing == ERROR_SUCCESS || existing == ERROR_ACCESS_DENIED || existing == ERROR_BAD_PATHNAME) return existing;
    return Change(root, path, [](Session& s, const std::vector<std::string_view>& parts, bool& changed) {
        // Check the whole way first, so a refusal creates nothing.
        TRegKeyNode* key = &s.Tree();
        std::size_t existing = 0;
        while (existing < parts.size()) {
            TRegKeyNode* next = key->FindSubkey(parts[existing]);
            if (!next) break;
            key = next;
            ++existing;
        }
        if (existing < parts.size() && s.Access(parts, existing) != RegTestAccess::Full) return ERROR_ACCESS_DENIED;
        if (existing == parts.size() && s.Access(parts, existing) == RegTestAccess::Denied)
            return ERROR_ACCESS_DENIED;
        for (std::size_t i = existing; i < parts.size(); ++i) {
            key = &key->AddSubkey(parts[i]);
            changed = true;
        }
        return ERROR_SUCCESS;
    });
}

bool RegKeyExists(HKey root, std::string_view path) {
    std::vector<std::string_view> parts;
    if (!SplitPath(path, parts)) return false;
    Session session(root, false);
    return session.Open() == ERROR_SUCCESS && Find(session.Tree(), parts, parts.size()) != nullptr;
}

long RegOpenKey(HKey root, std::string_view path, RegAccess access) {
    std::vector<std::string_view> parts;
    if (!SplitPath(path, parts)) return ERROR_BAD_PATHNAME;
    Session session(root, false);
    if (const long rc = session.Open()) return rc;
    if (!Find(session.Tree(), parts, parts.size())) return ERROR_FILE_NOT_FOUND;
    const RegTestAccess allowed = session.Access(parts, parts.size());
    if (allowed == RegTestAccess::Denied) return ERROR_ACCESS_DENIED;
    if (allowed == RegTestAccess::ReadOnly && access == RegAccess::Write) return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

long RegQueryValue(HKey root, std::string_view path, std::string_view name, std::uint32_t& type,
                   std::vector<std::uint8_t>& data) {
    return Read(root, path, [&](const TRegKeyNode& key) {
        const TRegValue* value = key.FindValue(name);
        if (!value) return ERROR_FILE_NOT_FOUND;
        type = value->Type;
        data = value->Data;
        return ERROR_SUCCESS;
    });
}

long RegSetValue(HKey root, std::string_view path, std::string_view name, std::uint32_t type,
                 std::span<const std::uint8_t> data) {
    if (!ValidRegName(name)) return ERROR_INVALID_PARAMETER;
    return Change(root, path, [&](Session& s, const std::vector<std::string_view>& parts, bool& changed) {
        TRegKeyNode* key = Find(s.Tree(), parts, parts.size());
        if (!key) return ERROR_FILE_NOT_FOUND;
        if (s.Access(parts, parts.size()) != RegTestAccess::Full) return ERROR_ACCESS_DENIED;
        TRegValue* value = key->FindValue(name);
        if (!value) {
            key->Values.push_back(TRegValue{std::string(name), type, {}});
            value = &key->Values.back();
        } else if (value->Type == type && std::equal(value->Data.begin(), value->Data.end(), data.begin(), data.end())) {
            return ERROR_SUCCESS;  // nothing to rewrite
        }
        value->Type = type;
        value->Data.assign(data.begin(), data.end());
        changed = true;
        return ERROR_SUCCESS;
    });
}

long RegDeleteValue(HKey root, std::string_view path, std::string_view name) {
    return Change(root, path, [&](Session& s, const std::vector<std::string_view>& parts, bool& changed) {
        TRegKeyNode* key = Find(s.Tree(), parts, parts.size());
        if (!key) return ERROR_FILE_NOT_FOUND;
        if (s.Access(parts, parts.size()) != RegTestAccess::Full) return ERROR_ACCESS_DENIED;
        const TRegValue* value = key->FindValue(name);
        if (!value) return ERROR_FILE_NOT_FOUND;
        key->Values.erase(key->Values.begin() + (value - key->Values.data()));
        changed = true;
        return ERROR_SUCCESS;
    });
}

long RegDeleteKey(HKey root, std::string_view path) {
    if (path.empty()) return ERROR_ACCESS_DENIED;
    return Change(root, path, [&](Session& s, const std::vector<std::string_view>& parts, bool& changed) {
        TRegKeyNode* parent = Find(s.Tree(), parts, parts.size() - 1);
        const TRegKeyNode* key = parent ? parent->FindSubkey(parts.back()) : nullptr;
        if (!key) return ERROR_FILE_NOT_FOUND;
        if (s.Access(parts, parts.size()) != RegTestAccess::Full || !key->Subkeys.empty()) return ERROR_ACCESS_DENIED;
        parent->Subkeys.erase(parent->Subkeys.begin() + (key - parent->Subkeys.data()));
        changed = true;
        return ERROR_SUCCESS;
    });
}

long RegEnumKeys(HKey root, std::string_view path, std::vector<std::string>& names) {
    return Read(root, path, [&](const TRegKeyNode& key) {
        names.clear();
        for (const TRegKeyNode& sub : key.Subkeys) names.push_back(sub.Name);
        return ERROR_SUCCESS;
    });
}

long RegEnumValues(HKey root, std::string_view path, std::vector<std::string>& names) {
    return Read(root, path, [&](const TRegKeyNode& key) {
        names.clear();
        for (const TRegValue& value : key.Values) names.push_back(value.Name);
        return ERROR_SUCCESS;
    });
}

void RegSetKeyAccessForTesting(HKey root, std::string_view path, RegTestAccess access) {
    StoreState& s = State();
    std::lock_guard guard(s.mutex);
    s.Select(MachineRoot() / "registry");
    const std::string folded = UpperCase1250(path);
    std::erase_if(s.marks, [&](const AccessMark& m) { return m.root == root && m.foldedPath == folded; });
    if (access != RegTestAccess::Full) s.marks.push_back({root, folded, access});
}

}  // namespace win
