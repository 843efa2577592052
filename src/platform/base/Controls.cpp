#include "platform/base/Controls.h"

#include "platform/win/Clock.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace {

// Windows hands out registered format ids from here up to 0xFFFF.
constexpr unsigned kFirstRegisteredFormat = 0xC000;
constexpr unsigned kLastRegisteredFormat = 0xFFFF;

std::vector<std::string>& FormatNames() {
    static std::vector<std::string> names;
    return names;
}

bool SameAsciiText(std::string_view a, std::string_view b) {
    const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

TMemoryClipboard& LocalClipboard() {
    static TMemoryClipboard clipboard;
    return clipboard;
}

IClipboard*& InstalledClipboard() {
    static IClipboard* clipboard = nullptr;
    return clipboard;
}

ShortDateTextHook& DateHook() {
    static ShortDateTextHook hook;
    return hook;
}

void AppendNumber(std::string& out, int value, int width) {
    std::array<char, 16> digits{};
    const auto [end, ec] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    const auto length = static_cast<int>(end - digits.data());
    if (ec == std::errc() && value >= 0) out.append(static_cast<std::size_t>(std::max(0, width - length)), '0');
    out.append(digits.data(), end);
}

}  // namespace

unsigned RegisterClipboardFormat(std::string_view name) {
    if (name.empty()) return 0;
    auto& names = FormatNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (SameAsciiText(names[i], name)) return kFirstRegisteredFormat + static_cast<unsigned>(i);
    }
    if (names.size() > kLastRegisteredFormat - kFirstRegisteredFormat) return 0;
    names.emplace_back(name);
    return kFirstRegisteredFormat + static_cast<unsigned>(names.size() - 1);
}

std::string ClipboardFormatName(unsigned format) {
    const auto& names = FormatNames();
    if (format < kFirstRegisteredFormat || format - kFirstRegisteredFormat >= names.size()) return {};
    return names[format - kFirstRegisteredFormat];
}

IClipboard& Clipboard() {
    IClipboard* installed = InstalledClipboard();
    return installed ? *installed : LocalClipboard();
}

IClipboard* SetClipboard(IClipboard* clipboard) {
    return std::exchange(InstalledClipboard(), clipboard);
}

unsigned TMemoryClipboard::RegisterFormat(std::string_view name) {
    return RegisterClipboardFormat(name);
}

void TMemoryClipboard::SetBlocks(const std::vector<TClipboardBlock>& blocks) {
    blocks_.clear();
    for (const auto& block : blocks) {
        // One block per format, as on the real clipboard: the last one given wins.
        auto same = std::find_if(blocks_.begin(), blocks_.end(),
                                 [&](const TClipboardBlock& b) { return b.Format == block.Format; });
        if (same != blocks_.end()) {
            same->Bytes = block.Bytes;
        } else {
            blocks_.push_back(block);
        }
    }
}

bool TMemoryClipboard::HasFormat(unsigned format) const {
    return std::any_of(blocks_.begin(), blocks_.end(), [&](const TClipboardBlock& b) { return b.Format == format; });
}

bool TMemoryClipboard::GetBlock(unsigned format, std::string& bytes) const {
    for (const auto& block : blocks_) {
        if (block.Format == format) {
            bytes = block.Bytes;
            return true;
        }
    }
    return false;
}

std::string ShortDateText(const win::TDate& date) {
    if (DateHook()) return DateHook()(date);
    std::string text;
    AppendNumber(text, date.Year, 4);
    text += '-';
    AppendNumber(text, date.Month, 2);
    text += '-';
    AppendNumber(text, date.Day, 2);
    return text;
}

ShortDateTextHook SetShortDateTextHook(ShortDateTextHook hook) {
    return std::exchange(DateHook(), std::move(hook));
}
