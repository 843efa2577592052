#include "lang/Languages.h"

#include "lang/StringTable.h"

#include <algorithm>

std::unique_ptr<TLanguages> LanguageList = std::make_unique<TLanguages>();

std::string TLanguage::GetString(std::string_view key) const {
    const auto found = Strings.find(key);
    return found != Strings.end() ? found->second : std::string();
}

std::string TLanguage::ExpandMacros(std::string_view text, bool asFormat) const {
    std::string result;
    std::string_view rest = text;
    for (;;) {
        const std::size_t hash = rest.find('#');
        if (hash == std::string_view::npos) break;
        // Only a backslash inside the text escapes: a "#" at its start has none before it.
        if (hash > 0 && rest[hash - 1] == '\\') {
            result.append(rest.substr(0, hash - 1));
            result.push_back('#');
            rest.remove_prefix(hash + 1);
            continue;
        }
        result.append(rest.substr(0, hash));
        rest.remove_prefix(hash + 1);
        const std::size_t close = rest.find('#');
        if (close == std::string_view::npos) continue;  // a lone "#" is dropped
        const std::string replacement = GetString(rest.substr(0, close));
        if (!asFormat) {
            result.append(replacement);
        } else {
            for (const char c : replacement) {
                if (c == '%') result.push_back('%');
                result.push_back(c);
            }
        }
        rest.remove_prefix(close + 1);
    }
    result.append(rest);
    return result;
}

void TLanguages::SetLanguage(std::string_view name) {
    current_.reset();
    auto first = [&](auto&& matches) -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < Languages.size(); ++i)
            if (Languages[i].UserInterface && matches(Languages[i])) return i;
        return std::nullopt;
    };
    current_ = first([&](const TLanguage& l) { return l.id == name; });
    if (!current_) current_ = first([&](const TLanguage& l) { return l.idNumber == name; });
    if (!current_) current_ = first([](const TLanguage& l) { return l.Default; });
}

void TLanguages::SetPrintingLanguage(std::string_view name) {
    printing_ = current_;
    for (std::size_t i = 0; i < Languages.size(); ++i)
        if (Languages[i].id == name) {
            printing_ = i;
            return;
        }
    for (std::size_t i = 0; i < Languages.size(); ++i)
        if (Languages[i].idNumber == name) {
            printing_ = i;
            return;
        }
}

std::string TLanguages::GetLanguageID() const {
    const TLanguage* language = CurrentLanguage();
    return language ? language->id : std::string();
}

std::string TLanguages::GetString(std::string_view key) const {
    const TLanguage* language = ActiveLanguage();
    return language ? language->GetString(key) : std::string();
}

std::string TLanguages::TranslateResString(int id) const {
    return TranslateText(LoadResString(id));
}

std::string TLanguages::TranslateResFormat(int id) const {
    const TLanguage* language = ActiveLanguage();
    return language ? language->ExpandMacros(LoadResString(id), true) : std::string(LoadResString(id));
}

std::string TLanguages::TranslateText(std::string_view text) const {
    const TLanguage* language = ActiveLanguage();
    return language ? language->ExpandMacros(text) : std::string(text);
}

void TLanguageTitle::Apply(IHeaderTitles& header) const {
    const std::size_t count = std::min(Keys.size(), Texts.size());
    for (std::size_t i = 0; i < count; ++i) {
        // A key is id + (row - 1) * 256 kept in 16 bits: row - 1 is its high byte, sign kept.
        const int line = Keys[i] >> 8;
        const int columnId = Keys[i] & 0xFF;
        if (line < 0 || line >= header.RowCount()) continue;
        for (int column = 0; column < header.ColumnCount(); ++column)
            if (header.ColumnId(column) == columnId) header.SetTitle(column, line, Texts[i]);
    }
}

void TLanguage::TranslateHeader(IHeaderTitles& header, std::string_view name) const {
    for (const TLanguageTitle& title : Titles) {
        if (title.Name == name) {
            title.Apply(header);
            return;
        }
    }
}

void TLanguages::TranslateHeader(IHeaderTitles& header, std::string_view name) const {
    if (const TLanguage* language = ActiveLanguage()) language->TranslateHeader(header, name);
}
