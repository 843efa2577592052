// The language-file reader on arbitrary bytes, read as a plain file and as
// an LZW-compressed one; then every lookup the program makes on the result.
#include "data/Compressing.h"
#include "lang/Languages.h"
#include "platform/base/Exception.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void Exercise(std::string_view document) {
    TLanguages list;
    try {
        list.Languages.push_back(ReadLanguage(document));
    } catch (const EConvertError&) {
        return;  // documented: a number attribute that is no number
    }
    const TLanguage& language = list.Languages.front();
    list.SetLanguage(language.id);
    list.SetPrintingLanguage(language.idNumber);
    for (const auto& [key, text] : language.Strings) {
        language.ExpandMacros(text);
        list.TranslateText(text);
        list.GetString(key);
    }
    for (int id = 16; id <= 200; ++id) list.TranslateResString(id);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Exercise(bytes);
    std::string decoded;
    try {
        Compressing::Decompress({data, size}, decoded);
    } catch (const EDecompressError&) {
        return 0;  // documented: a damaged compressed file is skipped
    }
    Exercise(decoded);
    return 0;
}
