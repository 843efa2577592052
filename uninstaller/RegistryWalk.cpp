// The registry trees: values and keys the installer made, removed root by root.
#include "uninstaller/UninstallRun.h"

#include "uninstaller/RegistryNode.h"
#include "uninstaller/UninstallDialogs.h"

#include "platform/win/RegistryStore.h"
#include "platform/win/WinError.h"

#include <string>
#include <vector>

namespace {

constexpr win::HKey kRoots[] = {win::HKey::ClassesRoot, win::HKey::CurrentUser, win::HKey::LocalMachine,
                                win::HKey::Users};

ByteString childPath(const ByteString& parent, const ByteString& name) {
    ByteString path(parent);
    if (!path.empty()) path.appendChar('\\');
    path.append(name);
    return path;
}

void pop(PointerList* pathList) {
    if (pathList) (void)pathList->remove(pathList->get(pathList->count() - 1));
}

// The names on the list joined with "\".
ByteString joinedPath(const PointerList& pathList) {
    ByteString path;
    for (int i = 0; i < pathList.count(); ++i) {
        if (i) path.appendChar('\\');
        path.append(*static_cast<const ByteString*>(pathList.get(i)));
    }
    return path;
}

bool listHolds(const ByteString& list, const ByteString& line) {
    int position = 0;
    ByteString entry;
    while (list.isValidPos(position)) {
        list.readLine(&position, entry, true);
        if (entry.equals(line, false)) return true;
    }
    return false;
}

bool hasSubkey(const RegistryKey& key) {
    std::vector<std::string> names;
    return win::RegEnumKeys(key.root, key.path.view(), names) == win::ERROR_SUCCESS && !names.empty();
}

}  // namespace

// Reads one node at position and moves position past it:
// 1. values: flag 1 deletes the value (not in check mode, and only with a key);
// 2. subkeys: each is opened for writing; where that is denied, a subkey whose
//    node has values, or that can't even be read, may not be changed: check mode
//    gives false at once, delete mode reads past it. A subkey that doesn't exist
//    is read past. An opened subkey is walked; in delete mode, when its flag is
//    set it is deleted if it has no subkeys left, else listed in
//    FailedRegistryKeys (once).
bool UninstallRun::walkRegistryTree(const RegistryKey* key, const ByteString& section, std::uint32_t& position,
                                    bool check, PointerList* pathList) {
    std::uint32_t count = 0;
    // The data were checked in full before the run began; should a read still
    // fail, the walk stops there instead of reading past the section.
    if (!readRegistryNumber(section, position, count)) return true;
    ByteString name;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t flag = 0;
        if (!readRegistryName(section, position, name) || !readRegistryNumber(section, position, flag)) return true;
        if (flag == 1 && !check && key) (void)win::RegDeleteValue(key->root, key->path.view(), name.view());
    }
    if (!readRegistryNumber(section, position, count)) return true;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t flag = 0;
        if (!readRegistryNumber(section, position, flag) || !readRegistryName(section, position, name)) return true;
        // An empty name would address the parent itself.
        if (!key || name.empty()) {
            (void)walkRegistryTree(nullptr, section, position, check, nullptr);
            continue;
        }
        if (pathList) (void)pathList->add(&name, -1);
        const RegistryKey child{key->root, childPath(key->path, name)};
        long opened = win::RegOpenKey(child.root, child.path.view(), win::RegAccess::Write);
        if (opened == win::ERROR_ACCESS_DENIED) {
            const bool nodeHasValues = section.readBigEndian32(position) != 0;
            const long readOnly = win::RegOpenKey(child.root, child.path.view(), win::RegAccess::Read);
            if (nodeHasValues || readOnly == win::ERROR_ACCESS_DENIED) {
                pop(pathList);
                if (check) return false;
                (void)walkRegistryTree(nullptr, section, position, check, nullptr);
                continue;
            }
            opened = readOnly;
        }
        if (opened != win::ERROR_SUCCESS) {
            pop(pathList);
            (void)walkRegistryTree(nullptr, section, position, check, nullptr);
            continue;
        }
        const bool walked = walkRegistryTree(&child, section, position, check, pathList);
        if (check) {
            if (!walked) return false;
            pop(pathList);
            continue;
        }
        if (flag != 0) {
            const bool keep = hasSubkey(child);
            if (keep || win::RegDeleteKey(child.root, child.path.view()) != win::ERROR_SUCCESS) {
                const ByteString path = pathList ? joinedPath(*pathList) : child.path;
                if (!listHolds(failedRegistryKeys_, path)) listFailure(failedRegistryKeys_, path);
            }
        }
        pop(pathList);
    }
    return true;
}

void UninstallRun::removeRegistryEntries(const ByteString& registry) {
    stepMark(kMarkRegistry);
    if (registry.empty()) return;
    std::uint32_t position = 0;
    for (const win::HKey root : kRoots) {
        PointerList pathList;
        ByteString rootName;
        rootName.assign(win::RootName(root));
        (void)pathList.add(&rootName, -1);
        const RegistryKey key{root, ByteString()};
        (void)walkRegistryTree(&key, registry, position, false, &pathList);
        pathList.clear();
    }
}
