#include "data/Mediumdbitem.h"

#include "data/DataReading.h"
#include "data/DataTexts.h"
#include "data/XmlParser.h"
#include "platform/base/Controls.h"
#include "platform/base/SysUtils.h"

#include <array>
#include <cstddef>
#include <utility>

std::unique_ptr<TMediumTypes> MediumTypes;

namespace {

// Attribute names by bit number.
constexpr std::array<std::string_view, 7> kCalcModeNames = {
    "GivedThickness", "Condensation", "GivedSurfaceTemp", "GivedPower", "GivedTempDiff", "Frost", "Optimum"};

}  // namespace

void TMediumFunction::Read(TXmlParser& parser) {
    Mode = AnsiSameText(parser.PartAttributes().Value("Mode"), "polinom") ? kPolinom : kPoints;
    while (parser.Scan()) {
        if (IsEndTagOf(parser, "Characteristic")) return;
        if (parser.PartType() != TPartType::ptContent) continue;
        const std::string& name = parser.PartName();
        if (name == "Name") {
            Name = parser.PartContent();
        } else if (name == "PolinomValue") {
            PolinomValues.push_back(ContentFloat32(parser));
        } else if (name == "PointValue") {
            // Both or neither: the two lists stay parallel.
            const float temperature = AttributeFloat32(parser, "Temperature");
            const float value = ContentFloat32(parser);
            PointTemperatures.push_back(temperature);
            PointValues.push_back(value);
        }
    }
}

void TMediumDBItem::Read(TXmlParser& parser) {
    while (parser.Scan()) {
        switch (parser.PartType()) {
        case TPartType::ptStartTag:
            if (parser.PartName() == "Characteristic") {
                TMediumFunction function;
                function.Read(parser);
                Functions.push_back(std::move(function));
            }
            break;
        case TPartType::ptEmptyTag:
            // Only the empty form carries the bits.
            if (parser.PartName() == "Usages") Usages = AttributeBits(parser, kUsageAttributes);
            if (parser.PartName() == "CalcModes") CalcModes = AttributeBits(parser, kCalcModeNames);
            break;
        case TPartType::ptContent: {
            const std::string& name = parser.PartName();
            if (name == "ItemID") ItemID = parser.PartContent();
            else if (name == "ItemName") TakeFilteredText(parser, ItemName);
            else if (name == "TempMin") TempMin = ContentFloat32(parser);
            else if (name == "TempMax") TempMax = ContentFloat32(parser);
            break;
        }
        case TPartType::ptEndTag:
            if (parser.PartName() == "DBMedium") return;
            break;
        default:
            break;
        }
    }
}

int TMediumDBItem::FunctionIndex(std::string_view name) const {
    for (std::size_t i = 0; i < Functions.size(); ++i)
        if (Functions[i].Name == name) return static_cast<int>(i);
    return -1;
}

bool TMediumDBItem::IsUsable(int geometry, int calcMode) const {
    if (geometry < 0 || geometry > 15 || calcMode < 0 || calcMode > 15) return false;
    return ((Usages >> geometry) & 1u) != 0 && ((CalcModes >> calcMode) & 1u) != 0;
}

const TMediumDBItem* TMediumTypes::FindItem(std::string_view id) const {
    for (const auto& item : Items)
        if (item.ItemID == id) return &item;
    return nullptr;
}

std::string TMediumTypes::IDByName(std::string_view name) const {
    for (const auto& item : Items)
        if (item.ItemName == name) return item.ItemID;
    return std::string(kUserDefined);
}

std::string TMediumTypes::NameByID(std::string_view id) const {
    if (const TMediumDBItem* item = FindItem(id)) return item->ItemName;
    return DataText("IDS_USERDEFINED");
}

void TMediumTypes::FillComboBox(IComboBox& box, std::string& currentId, int geometry, int calcMode) const {
    box.Clear();
    box.Add(DataText("IDS_USERDEFINED"));
    for (const auto& item : Items)
        if (item.IsUsable(geometry, calcMode)) box.Add(item.ItemName);
    int selected = 1;
    if (!currentId.empty()) {
        // The box's own search, which ignores letter case.
        const int found = box.IndexOf(NameByID(currentId));
        if (found >= 0) selected = found;
    }
    box.SetItemIndex(selected);
    const int index = box.ItemIndex();
    currentId = IDByName(index >= 0 ? box.Item(index) : std::string());
}
