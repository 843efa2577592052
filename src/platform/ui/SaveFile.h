#pragma once
// Writing a whole file so that a failure never destroys the previous one: the
// bytes go to a new file beside the target, which replaces it only once
// everything is written and flushed (QSaveFile). On any failure the old file
// is left byte for byte as it was and the new one is removed.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

// Raises EFCreateError when the new file can't be made and EWriteError when
// writing or replacing fails; the message names the file and the reason.
void SaveWholeFile(const std::filesystem::path& path, std::string_view bytes);

// Tests make a write fail the way a full disk would: the hook is asked before
// each block with the block's offset in the file and answers true to fail it.
using WriteFailureHook = std::function<bool(std::int64_t offset)>;
// Installs a hook and returns the previous one; an empty hook writes normally.
WriteFailureHook SetWriteFailureHook(WriteFailureHook hook);

// Blocks of this size are written one by one.
constexpr std::int64_t kSaveFileBlockSize = 4096;
