// The registry's .reg text reader: any bytes either fail with a line number or
// give a tree that survives being written and read again unchanged.
#include "platform/win/RegFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const win::HKey root : {win::HKey::CurrentUser, win::HKey::LocalMachine}) {
        win::TRegKeyNode tree;
        if (!win::ParseRegFile(text, root, tree).Ok) continue;
        win::TRegKeyNode again;
        if (!win::ParseRegFile(win::FormatRegFile(tree, root), root, again).Ok || !(again == tree)) std::abort();
    }
    return 0;
}
