#include "data/StandardTubes.h"

#include "data/DataReading.h"
#include "data/XmlParser.h"
#include "platform/base/Controls.h"

#include <algorithm>
#include <cstddef>

std::unique_ptr<TStandardTubeTypes> StandardTubeTypes;

void TTubeSubItem::Read(TXmlParser& parser) {
    while (parser.Scan()) {
        if (IsEndTagOf(parser, "TubeSubType")) return;
        if (parser.PartType() != TPartType::ptContent) continue;
        const std::string& name = parser.PartName();
        if (name == "SizeName") SizeName = parser.PartContent();
        else if (name == "db") db = ContentFloat32(parser);
        else if (name == "dk") dk = ContentFloat32(parser);
    }
}

void TTubeItem::Read(TXmlParser& parser) {
    AirCanal = AttributeIsYes(parser, "AirCanal") ? 1 : 0;
    while (parser.Scan()) {
        if (IsEndTagOf(parser, "Tube")) return;
        if (IsStartTagOf(parser, "TubeSubType")) {
            TTubeSubItem size;
            size.Read(parser);
            SubItems.push_back(std::move(size));
        } else if (IsContentOf(parser, "ItemName")) {
            TakeFilteredText(parser, ItemName);
        } else if (IsContentOf(parser, "HeatConditionFactor")) {
            HeatConditionFactor = ContentFloat32(parser);
        }
    }
}

const TTubeSubItem* TTubeItem::GetSubItem(int index) const {
    if (index < 0 || index >= SubItemCount()) return nullptr;
    return &SubItems[static_cast<std::size_t>(index)];
}

const TTubeItem* TStandardTubeTypes::GetItem(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &Items[static_cast<std::size_t>(index)];
}

void TStandardTubeTypes::FillTreeView(ITreeView& tree, int airCanal) const {
    // Beyond these the node data could not tell sizes apart: such entries are
    // left out rather than shown with another size's diameters.
    const std::size_t types = std::min<std::size_t>(Items.size(), kMaxTypes);
    for (std::size_t i = 0; i < types; ++i) {
        const TTubeItem& type = Items[i];
        if (type.AirCanal != airCanal) continue;
        TTreeNode* node = tree.AddNode(nullptr, type.ItemName, 0);
        const std::size_t sizes = std::min<std::size_t>(type.SubItems.size(), kTypeShift);
        for (std::size_t j = 0; j < sizes; ++j)
            tree.AddNode(node, type.SubItems[j].SizeName,
                         static_cast<std::intptr_t>(j) + static_cast<std::intptr_t>(i) * kTypeShift);
    }
}
