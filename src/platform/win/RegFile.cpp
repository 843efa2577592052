#include "platform/win/RegFile.h"

#include "platform/win/CodePage.h"

#include <algorithm>
#include <charconv>

namespace win {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kEol = "\r\n";
constexpr std::size_t kWrapColumn = 76;  // regedit's width for hex lists

char32_t NameKey(char c) {
    return ToUnicode(CodePage::Cp1250, UpperCase1250(static_cast<unsigned char>(c)));
}

bool IsStringType(std::uint32_t type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// 1 to 8 hex digits, nothing else.
bool ParseHex32(std::string_view s, std::uint32_t& value) {
    if (s.empty() || s.size() > 8) return false;
    value = 0;
    for (const char c : s) {
        const int d = HexDigit(c);
        if (d < 0) return false;
        value = (value << 4) | static_cast<std::uint32_t>(d);
    }
    return true;
}

class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        const std::size_t end = std::min(text_.find('\n', pos_), text_.size());
        line = TrimRight(text_.substr(pos_, end - pos_));
        pos_ = end + 1;
        ++number_;
        return true;
    }
    std::size_t Number() const { return number_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t number_ = 0;
};

// A quoted text at s[pos] (pos on the opening quote) with \\ and \" escapes;
// pos ends after the closing quote.
bool ParseQuoted(std::string_view s, std::size_t& pos, std::string& out) {
    if (pos >= s.size() || s[pos] != '"') return false;
    out.clear();
    for (std::size_t i = pos + 1; i < s.size(); ++i) {
        if (s[i] == '"') {
            pos = i + 1;
            return true;
        }
        if (s[i] == '\\') {
            if (i + 1 >= s.size() || (s[i + 1] != '\\' && s[i + 1] != '"')) return false;
            ++i;
        }
        out.push_back(s[i]);
    }
    return false;
}

// A comma-separated list of hex bytes; a line that ends in "\" goes on in the next one.
bool ParseHexList(std::string_view rest, LineReader& lines, std::vector<std::uint8_t>& out) {
    out.clear();
    bool expectByte = false;  // after a comma a byte must follow
    for (;;) {
        rest = TrimLeft(rest);
        if (rest == "\\") {
            if (!lines.Next(rest)) return false;
            continue;
        }
        if (rest.empty()) return !expectByte;
        std::size_t n = 0;
        int value = 0;
        while (n < rest.size() && n < 2 && HexDigit(rest[n]) >= 0) value = value * 16 + HexDigit(rest[n++]);
        if (n == 0) return false;
        out.push_back(static_cast<std::uint8_t>(value));
        rest = TrimLeft(rest.substr(n));
        if (rest.empty()) return true;
        if (rest.front() != ',') return false;
        rest.remove_prefix(1);
        expectByte = true;
    }
}

// Windows-1250 bytes <-> the UTF-16LE of hex(1), hex(2) and hex(7).
std::vector<std::uint8_t> ToUtf16Le(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> out;
    out.reserve(bytes.size() * 2);
    for (const std::uint8_t b : bytes) {
        const char32_t u = ToUnicode(CodePage::Cp1250, b);
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return out;
}

bool FromUtf16Le(const std::vector<std::uint8_t>& utf16, std::vector<std::uint8_t>& out) {
    if (utf16.size() % 2 != 0) return false;
    out.clear();
    for (std::size_t i = 0; i < utf16.size(); i += 2) {
        const char32_t u = utf16[i] | (utf16[i + 1] << 8);
        // A surrogate pair is one character, which Windows-1250 lacks.
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < utf16.size() && utf16[i + 3] >= 0xDC && utf16[i + 3] <= 0xDF)
            i += 2;
        const int b = FromUnicode(CodePage::Cp1250, u);
        out.push_back(static_cast<std::uint8_t>(b < 0 ? '?' : b));
    }
    return true;
}

bool ParseValueLine(std::string_view line, LineReader& lines, TRegValue& value) {
    std::size_t pos = 0;
    std::string utf8;
    if (line.starts_with('@')) {
        value.Name.clear();
        pos = 1;
    } else {
        if (!ParseQuoted(line, pos, utf8)) return false;
        value.Name = FromUtf8(CodePage::Cp1250, utf8);
        if (value.Name.empty() || !ValidRegName(value.Name)) return false;
    }
    if (pos >= line.size() || line[pos] != '=') return false;
    const std::string_view data = line.substr(pos + 1);
    if (data.starts_with('"')) {
        std::size_t end = 0;
        if (!ParseQuoted(data, end, utf8) || end != data.size()) return false;
        const std::string text = FromUtf8(CodePage::Cp1250, utf8);
        value.Type = REG_SZ;
        value.Data.assign(text.begin(), text.end());
        value.Data.push_back(0);
        return true;
    }
    if (data.starts_with("dword:")) {
        std::uint32_t dword = 0;
        if (!ParseHex32(data.substr(6), dword)) return false;
        value.Type = REG_DWORD;
        value.Data = {static_cast<std::uint8_t>(dword), static_cast<std::uint8_t>(dword >> 8),
                      static_cast<std::uint8_t>(dword >> 16), static_cast<std::uint8_t>(dword >> 24)};
        return true;
    }
    std::string_view list;
    if (data.starts_with("hex:")) {
        value.Type = REG_BINARY;
        list = data.substr(4);
    } else if (data.starts_with("hex(")) {
        const std::size_t close = data.find(')');
        if (close == std::string_view::npos || close + 1 >= data.size() || data[close + 1] != ':') return false;
        if (!ParseHex32(data.substr(4, close - 4), value.Type)) return false;
        list = data.substr(close + 2);
    } else {
        return false;
    }
    std::vector<std::uint8_t> bytes;
    if (!ParseHexList(list, lines, bytes)) return false;
    if (IsStringType(value.Type)) return FromUtf16Le(bytes, value.Data);
    value.Data = std::move(bytes);
    return true;
}

void SetValue(TRegKeyNode& key, TRegValue value) {
    if (TRegValue* existing = key.FindValue(value.Name)) {
        existing->Type = value.Type;
        existing->Data = std::move(value.Data);
    } else {
        key.Values.push_back(std::move(value));
    }
}

// "[HKEY_...\A\B]" -> the key, created with the keys above it; null when the line is no key of this root.
TRegKeyNode* ParseKeyLine(std::string_view line, HKey root, TRegKeyNode& tree) {
    if (line.size() < 2 || line.back() != ']') return nullptr;
    const std::string path = FromUtf8(CodePage::Cp1250, line.substr(1, line.size() - 2));
    std::string_view rest = path;
    const std::size_t first = rest.find('\\');
    if (!SameRegName(rest.substr(0, first), RootName(root))) return nullptr;
    if (first == std::string_view::npos) return &tree;
    rest.remove_prefix(first + 1);
    TRegKeyNode* key = &tree;
    for (;;) {
        const std::size_t sep = rest.find('\\');
        const std::string_view name = rest.substr(0, sep);
        if (name.empty() || !ValidRegName(name)) return nullptr;
        key = &key->AddSubkey(name);
        if (sep == std::string_view::npos) return key;
        rest.remove_prefix(sep + 1);
    }
}

void AppendQuoted(std::string& out, std::string_view cp1250) {
    out.push_back('"');
    for (const char c : ToUtf8(CodePage::Cp1250, cp1250)) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

void AppendHexList(std::string& out, const std::vector<std::uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::size_t column = out.size() - (out.rfind('\n') + 1);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out.push_back(kDigits[bytes[i] >> 4]);
        out.push_back(kDigits[bytes[i] & 0xF]);
        column += 2;
        if (i + 1 == bytes.size()) break;
        out.push_back(',');
        ++column;
        if (column >= kWrapColumn) {
            out += "\\";
            out += kEol;
            out += "  ";
            column = 2;
        }
    }
}

// A REG_SZ that fits between quotes: one line with its terminating NUL.
bool IsPlainText(const TRegValue& v) {
    if (v.Type != REG_SZ || v.Data.empty() || v.Data.back() != 0) return false;
    return std::none_of(v.Data.begin(), v.Data.end() - 1,
                        [](std::uint8_t b) { return b == 0 || b == '\r' || b == '\n'; });
}

void AppendValue(std::string& out, const TRegValue& v) {
    if (v.Name.empty()) out.push_back('@');
    else AppendQuoted(out, v.Name);
    out.push_back('=');
    if (IsPlainText(v)) {
        AppendQuoted(out, std::string_view(reinterpret_cast<const char*>(v.Data.data()), v.Data.size() - 1));
    } else if (v.Type == REG_DWORD && v.Data.size() == 4) {
        const std::uint32_t dword = v.Data[0] | (v.Data[1] << 8) | (v.Data[2] << 16) |
                                    (static_cast<std::uint32_t>(v.Data[3]) << 24);
        char digits[8];
        const auto end = std::to_chars(digits, digits + 8, dword, 16).ptr;
        out += "dword:";
        out.append(8 - static_cast<std::size_t>(end - digits), '0');
        out.append(digits, end);
    } else if (v.Type == REG_BINARY) {
        out += "hex:";
        AppendHexList(out, v.Data);
    } else {
        char digits[8];
        const auto end = std::to_chars(digits, digits + 8, v.Type, 16).ptr;
        out += "hex(";
        out.append(digits, end);
        out += "):";
        AppendHexList(out, IsStringType(v.Type) ? ToUtf16Le(v.Data) : v.Data);
    }
    out += kEol;
}

void AppendKey(std::string& out, const TRegKeyNode& key, const std::string& path, bool isRoot) {
    if (!isRoot || !key.Values.empty()) {
        out += kEol;
        out.push_back('[');
        out += ToUtf8(CodePage::Cp1250, path);
        out.push_back(']');
        out += kEol;
        for (const TRegValue& v : key.Values) AppendValue(out, v);
    }
    for (const TRegKeyNode& sub : key.Subkeys) AppendKey(out, sub, path + "\\" + sub.Name, false);
}

}  // namespace

bool SameRegName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return UpperCase1250(static_cast<unsigned char>(x)) == UpperCase1250(static_cast<unsigned char>(y));
           });
}

bool RegNameLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return NameKey(x) < NameKey(y); });
}

bool ValidRegName(std::string_view name) {
    return name.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

TRegKeyNode* TRegKeyNode::FindSubkey(std::string_view name) {
    const auto it = std::lower_bound(Subkeys.begin(), Subkeys.end(), name,
                                     [](const TRegKeyNode& k, std::string_view n) { return RegNameLess(k.Name, n); });
    return it != Subkeys.end() && SameRegName(it->Name, name) ? &*it : nullptr;
}

const TRegKeyNode* TRegKeyNode::FindSubkey(std::string_view name) const {
    return const_cast<TRegKeyNode*>(this)->FindSubkey(name);
}

TRegKeyNode& TRegKeyNode::AddSubkey(std::string_view name) {
    const auto it = std::lower_bound(Subkeys.begin(), Subkeys.end(), name,
                                     [](const TRegKeyNode& k, std::string_view n) { return RegNameLess(k.Name, n); });
    if (it != Subkeys.end() && SameRegName(it->Name, name)) return *it;
    TRegKeyNode key;
    key.Name = std::string(name);
    return *Subkeys.insert(it, std::move(key));
}

TRegValue* TRegKeyNode::FindValue(std::string_view name) {
    const auto it = std::find_if(Values.begin(), Values.end(), [&](const TRegValue& v) { return SameRegName(v.Name, name); });
    return it != Values.end() ? &*it : nullptr;
}

const TRegValue* TRegKeyNode::FindValue(std::string_view name) const {
    return const_cast<TRegKeyNode*>(this)->FindValue(name);
}

TRegParseResult ParseRegFile(std::string_view text, HKey root, TRegKeyNode& tree) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    LineReader lines(text);
    std::string_view line;
    if (!lines.Next(line) || line != kHeader) return {false, 1};
    TRegKeyNode parsed;
    TRegKeyNode* key = nullptr;  // the section the value lines belong to
    while (lines.Next(line)) {
        if (line.empty() || line.front() == ';') continue;
        const std::size_t number = lines.Number();
        if (line.front() == '[') {
            key = ParseKeyLine(line, root, parsed);
            if (!key) return {false, number};
            continue;
        }
        TRegValue value;
        if (!key || !ParseValueLine(line, lines, value)) return {false, number};
        SetValue(*key, std::move(value));
    }
    tree = std::move(parsed);
    return {true, 0};
}

std::string FormatRegFile(const TRegKeyNode& tree, HKey root) {
    std::string out(kHeader);
    out += kEol;
    AppendKey(out, tree, std::string(RootName(root)), true);
    out += kEol;
    return out;
}

}  // namespace win
