#include "data/XmlDataFile.h"

#include "data/Compressing.h"
#include "data/XmlParser.h"
#include "platform/base/Exception.h"
#include "platform/base/FileStream.h"
#include "platform/win/Files.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace {

// Removes the decoded copy on every way out, a failed decode included.
class TTemporaryFile {
public:
    explicit TTemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
    ~TTemporaryFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace

bool IsCompressedFileName(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    const std::size_t at = upper.find(".XML");
    return at == std::string::npos || at + 4 != upper.size();
}

bool LoadXmlDataFile(TXmlParser& parser, const std::filesystem::path& file, bool compressed) {
    if (!compressed) return parser.LoadFromFile(file, 0);
    try {
        const TTemporaryFile decoded(win::TempFolder() / "xmlDecod.tmp");
        {
            TFileStream input(file, fmOpenRead);
            TFileStream output(decoded.Path(), fmCreate);
            Compressing(input, output).Decompress();
        }
        return parser.LoadFromFile(decoded.Path(), 0);
    } catch (const Exception&) {
        // Unreadable or damaged: the caller skips the file.
        parser.Clear();
        return false;
    }
}
