#include "data/Isolation.h"

#include "data/DataReading.h"
#include "data/DataTexts.h"
#include "data/XmlParser.h"
#include "platform/base/Controls.h"
#include "platform/base/SysUtils.h"

#include <cstddef>

std::unique_ptr<TIsolationTypes> IsolationTypes;

namespace {

constexpr std::size_t kMaxSizeText = 127;
// An assembled size names other types' sizes, which may be assembled again;
// data that loops or fans out must not run away.
constexpr int kMaxLayerDepth = 8;
constexpr int kMaxLayers = 256;

struct LayerBudget {
    int depth = 0;
    int layersLeft = kMaxLayers;
};

std::string SuggestionTextAt(const TIsolation& type, float diameter, float thickness, bool withPrefix,
                             LayerBudget& budget);

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimLeft(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlankOrControl(text[i])) ++i;
    return text.substr(i);
}

// PrintName comes from a data file, so it is no printf format: the first "%s"
// takes the size name, "%%" is a percent sign, any other "%" stays.
std::string FormatSizeText(std::string_view printName, std::string_view sizeName) {
    std::string out;
    bool placed = false;
    for (std::size_t i = 0; i < printName.size(); ++i) {
        const char c = printName[i];
        if (c == '%' && i + 1 < printName.size()) {
            const char next = printName[i + 1];
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (next == 's' && !placed) {
                out += sizeName;
                placed = true;
                ++i;
                continue;
            }
        }
        out += c;
    }
    if (out.size() > kMaxSizeText) out.resize(kMaxSizeText);
    return out;
}

std::string SizeText(const TIsolation& type, const TIsolationSubItem& size) {
    return FormatSizeText(type.PrintName, size.SizeName);
}

std::string MultiLayerTextAt(const TIsolationSubItem& size, LayerBudget& budget) {
    std::string result;
    if (budget.depth >= kMaxLayerDepth) return result;
    ++budget.depth;
    std::string_view rest = size.SizeName;
    while (!rest.empty() && budget.layersLeft > 0) {
        std::size_t blank = rest.find(' ');
        // A thickness without a type at the end names no layer.
        if (blank == std::string_view::npos) break;
        const std::string_view thickness = rest.substr(0, blank);
        rest = TrimLeft(rest.substr(blank));
        std::string_view typeId;
        blank = rest.find(' ');
        if (blank != std::string_view::npos) {
            typeId = rest.substr(0, blank);
            rest = TrimLeft(rest.substr(blank));
        } else {
            typeId = rest;
            rest = {};
        }
        --budget.layersLeft;
        const TIsolation* type = typeId.empty() || !IsolationTypes ? nullptr : IsolationTypes->FindItem(typeId);
        if (type) {
            result += SuggestionTextAt(*type, 0, static_cast<float>(StrToFloat(thickness)), false, budget);
            if (!rest.empty()) result += "; ";
        }
    }
    --budget.depth;
    return result;
}

// The shell bore choice: the bore of the first size at least as wide as the
// diameter; only sizes of that bore are candidates.
template <class Visit>
void ForEachShellCandidate(const TIsolation& type, float diameter, Visit visit) {
    bool chosen = false;
    float bore = 0;
    for (const auto& size : type.SubItems) {
        if (!chosen && size.db >= diameter) {
            chosen = true;
            bore = size.db;
        }
        if (chosen && size.db == bore && visit(size)) return;
    }
}

const TIsolationSubItem* FirstSize(const TIsolation& type, float diameter, float thickness, bool strictly) {
    const TIsolationSubItem* found = nullptr;
    auto fits = [&](const TIsolationSubItem& size) {
        if (strictly ? size.v > thickness : size.v >= thickness) {
            found = &size;
            return true;
        }
        return false;
    };
    if (type.TubeShell) {
        ForEachShellCandidate(type, diameter, fits);
    } else {
        for (const auto& size : type.SubItems)
            if (fits(size)) break;
    }
    return found;
}

std::string SuggestionTextAt(const TIsolation& type, float diameter, float thickness, bool withPrefix,
                             LayerBudget& budget) {
    const TIsolationSubItem* size = FirstSize(type, diameter, thickness, false);
    if (!size) return DataText("IDS_NOSUGGESTION");
    if (!type.TubeShell && size->Assembled) {
        std::string text = withPrefix ? DataText("IDS_MULTILAYERISOLATION") : std::string();
        return text + MultiLayerTextAt(*size, budget);
    }
    std::string text = withPrefix ? DataText("IDS_SUGGESTEDISOLATION") : std::string();
    return text + SizeText(type, *size);
}

}  // namespace

void TIsolationSubItem::Read(TXmlParser& parser) {
    Assembled = AttributeIsYes(parser, "Assembled") ? 1 : 0;
    while (parser.Scan()) {
        if (IsEndTagOf(parser, "IsolationSubType")) return;
        if (parser.PartType() != TPartType::ptContent) continue;
        const std::string& name = parser.PartName();
        if (name == "SizeName") TakeFilteredText(parser, SizeName);
        else if (name == "db") db = ContentFloat32(parser);
        else if (name == "v") v = ContentFloat32(parser);
    }
}

void TIsolation::Read(TXmlParser& parser) {
    TubeShell = AttributeIsYes(parser, "TubeShell") ? 1 : 0;
    while (parser.Scan()) {
        if (IsEndTagOf(parser, "Isolation")) return;
        if (IsStartTagOf(parser, "IsolationSubType")) {
            TIsolationSubItem size;
            size.Read(parser);
            SubItems.push_back(std::move(size));
        } else if (IsTagOf(parser, "Usages")) {
            Usages = AttributeBits(parser, kUsageAttributes);
        } else if (IsTagOf(parser, "HeatConditionFactor")) {
            c2 = AttributeFloat32(parser, "c2");
            c1 = AttributeFloat32(parser, "c1");
            c0 = AttributeFloat32(parser, "c0");
        } else if (IsTagOf(parser, "TemperatureLimits")) {
            TempMin = AttributeFloat32(parser, "min");
            TempMax = AttributeFloat32(parser, "max");
        } else if (parser.PartType() == TPartType::ptContent) {
            const std::string& name = parser.PartName();
            if (name == "ItemID") ItemID = parser.PartContent();
            else if (name == "ItemName") TakeFilteredText(parser, ItemName);
            else if (name == "PrintName") TakeFilteredText(parser, PrintName);
        }
    }
}

bool TIsolation::InTemperatureLimits(float temperature) const {
    return TempMin <= temperature && temperature <= TempMax;
}

bool TIsolation::IsUsable(int geometry) const {
    if (geometry < 0 || geometry > 15) return false;
    return ((Usages >> geometry) & 1u) != 0;
}

std::string TIsolation::PriceKey(float diameter, float thickness) const {
    if (!TubeShell) return "_" + SingleToStr(thickness);
    // Strictly greater, unlike the shell bore choice: the price list is keyed so.
    for (const auto& size : SubItems)
        if (size.db > diameter) return "_" + SingleToStr(size.db) + "_" + SingleToStr(thickness);
    return {};
}

float TIsolation::CommercialThickness(float diameter, float thickness) const {
    const TIsolationSubItem* size = FirstSize(*this, diameter, thickness, true);
    return size ? size->v : 0.0f;
}

std::string TIsolation::SuggestionText(float diameter, float thickness, bool withPrefix) const {
    LayerBudget budget;
    return SuggestionTextAt(*this, diameter, thickness, withPrefix, budget);
}

std::string MultiLayerText(const TIsolationSubItem& size) {
    LayerBudget budget;
    return MultiLayerTextAt(size, budget);
}

const TIsolation* TIsolationTypes::FindItem(std::string_view id) const {
    for (const auto& item : Items)
        if (item.ItemID == id) return &item;
    return nullptr;
}

std::string TIsolationTypes::IDByName(std::string_view name) const {
    for (const auto& item : Items)
        if (item.ItemName == name) return item.ItemID;
    return {};
}

std::string TIsolationTypes::NameByID(std::string_view id) const {
    if (const TIsolation* item = FindItem(id)) return item->ItemName;
    return {};
}

void TIsolationTypes::FillComboBox(IComboBox& box, std::string& currentId, int geometry) const {
    box.Clear();
    for (const auto& item : Items)
        if (item.IsUsable(geometry)) box.Add(item.ItemName);
    int selected = 0;
    if (!currentId.empty()) {
        // The box's own search, which ignores letter case.
        const int found = box.IndexOf(NameByID(currentId));
        if (found >= 0) selected = found;
    }
    box.SetItemIndex(selected);
    const int index = box.ItemIndex();
    currentId = IDByName(index >= 0 ? box.Item(index) : std::string());
}
