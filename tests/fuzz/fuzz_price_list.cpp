// The price-list reader on arbitrary bytes, then look-ups on what it read.
#include "data/ParserStream.h"
#include "data/Price.h"
#include "platform/base/Exception.h"
#include "platform/win/Clock.h"
#include "platform/win/MessageBox.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

// The out-of-date warning must not wait for anyone; the date stays fixed.
const bool kQuiet = [] {
    win::SetMessageBoxHook([](const std::string&, const std::string&, unsigned) { return win::IDOK; });
    win::SetTodayHook([] { return win::TDate{2026, 6, 15}; });
    return true;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)kQuiet;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TParserStream parser(text);
    TPrice price;
    try {
        price.Read(parser);
    } catch (const Exception&) {
        // documented: a broken list raises one of the token errors or a date error
    }
    for (const auto& row : price.Items) price.GetPrice(row.Name);
    price.GetPrice("END");
    return 0;
}
