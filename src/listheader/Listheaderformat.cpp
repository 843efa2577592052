#include "listheader/Listheaderformat.h"

#include "lang/Languages.h"
#include "listheader/TitleResources.h"
#include "platform/base/Exception.h"
#include "platform/base/Registry.h"
#include "project/ProgramOptions.h"

#include <numeric>
#include <utility>

namespace {

// Opens (creating) the layout's key, one level at a time.
bool OpenLayoutKey(TRegistry& registry, std::string_view programKey, std::string_view registryName) {
    return !registryName.empty() && OpenProgramRegKey(registry, programKey) && registry.OpenKey("Headers", true) &&
           registry.OpenKey(registryName, true);
}

// A string value, or nothing when it is missing or of another type.
bool ReadText(const TRegistry& registry, const std::string& name, std::string& text) {
    if (!registry.ValueExists(name)) return false;
    try {
        text = registry.ReadString(name);
        return true;
    } catch (const ERegistryException&) {
        return false;
    }
}

}  // namespace

int MarkupCode(char letter) {
    switch (letter) {
        case 'u': return 0;
        case 'd': return 1;
        case 'f': return 2;
        case 'p': return 3;
        case '\\': return 4;
        case ';': return 5;
        default: return 6;
    }
}

void TListHeaderFormatCol::SetTitle(int line, std::string text) {
    if (line == 0 || line == 1) titles_[static_cast<std::size_t>(line)] = std::move(text);
}

std::string TListHeaderFormatCol::GetTitle(int line) const {
    return line == 0 || line == 1 ? titles_[static_cast<std::size_t>(line)] : std::string();
}

void TListHeaderFormatCol::SetUserLine(int line, std::string text) {
    if (line == 0 || line == 1) userLines_[static_cast<std::size_t>(line)] = std::move(text);
}

std::string TListHeaderFormatCol::GetUserLine(int line) const {
    return line == 0 || line == 1 ? userLines_[static_cast<std::size_t>(line)] : std::string();
}

void TListHeaderFormatCol::WriteToRegistry(TRegistry& registry) const {
    registry.WriteString(std::to_string(Id), RegistryValue());
}

void TListHeaderFormatCol::ReadFromRegistry(const TRegistry& registry) {
    std::string value;
    if (ReadText(registry, std::to_string(Id), value)) ReadRegistryValue(value);
}

void TListHeaderFormat::Clear() {
    rows_ = 1;
    columns_.clear();
    order_.clear();
}

void TListHeaderFormat::SetTitle(int index, int line, const std::string& text) {
    Column(index).SetTitle(line, text);
}

void TListHeaderFormat::ResetOrder() {
    order_.resize(columns_.size());
    std::iota(order_.begin(), order_.end(), std::int16_t{0});
}

TListHeaderFormatCol* TListHeaderFormat::ColumnAt(int position) {
    return const_cast<TListHeaderFormatCol*>(std::as_const(*this).ColumnAt(position));
}

const TListHeaderFormatCol* TListHeaderFormat::ColumnAt(int position) const {
    if (position < 0 || position >= ColumnCount()) return nullptr;
    return &columns_[static_cast<std::size_t>(order_[static_cast<std::size_t>(position)])];
}

void TListHeaderFormat::SwapColumns(int first, int second) {
    if (first < 0 || second < 0 || first >= ColumnCount() || second >= ColumnCount()) return;
    std::swap(order_[static_cast<std::size_t>(first)], order_[static_cast<std::size_t>(second)]);
}

int TListHeaderFormat::LoadFromResource(std::string_view name) {
    if (const std::string* text = FindTitleResource(name)) ReadTitleText(*text);
    LanguageList->TranslateHeader(*this, name);
    return 1;
}

void TListHeaderFormat::SaveToRegistry(std::string_view programKey, std::string_view registryName) const {
    TRegistry registry;
    if (!OpenLayoutKey(registry, programKey, registryName)) return;
    registry.WriteString("Order", OrderText());
    for (const std::int16_t index : order_) columns_[static_cast<std::size_t>(index)].WriteToRegistry(registry);
}

void TListHeaderFormat::LoadFromRegistry(std::string_view programKey, std::string_view registryName) {
    TRegistry registry;
    if (!OpenLayoutKey(registry, programKey, registryName)) return;
    std::string order;
    if (ReadText(registry, "Order", order)) ReadOrderText(order);
    for (TListHeaderFormatCol& column : columns_) column.ReadFromRegistry(registry);
}
