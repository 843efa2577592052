// The data-base readers on arbitrary bytes, read as a plain and as an
// LZW-compressed file; then every operation the program runs on the records.
#include "data/Compressing.h"
#include "data/DatabaseLoader.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/StandardTubes.h"
#include "data/XmlParser.h"
#include "data/Xmlmacro.h"
#include "platform/base/Controls.h"
#include "platform/base/Exception.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct TTreeNode {
    std::intptr_t data;
};

namespace {

class CountingTree : public ITreeView {
public:
    void Clear() override {}
    TTreeNode* AddNode(TTreeNode*, const std::string&, std::intptr_t data) override {
        node_.data = data;
        return &node_;
    }
    TTreeNode* Parent(const TTreeNode*) const override { return nullptr; }
    std::string NodeText(const TTreeNode*) const override { return {}; }
    std::intptr_t Data(const TTreeNode* node) const override { return node->data; }
    TTreeNode* Selected() const override { return nullptr; }

private:
    TTreeNode node_{};
};

void UseRecords() {
    for (const auto& medium : MediumTypes->Items) {
        for (const auto& f : medium.Functions)
            for (const double t : {-50.0, 0.0, 20.0, 1e3}) f.Value(t);
        medium.FunctionIndex("nu");
        medium.IsUsable(0, 6);
        MediumTypes->NameByID(medium.ItemID);
        MediumTypes->IDByName(medium.ItemName);
    }
    for (const auto& type : IsolationTypes->Items) {
        for (const float d : {0.0f, 21.3f, 88.9f, 1e4f}) {
            float t = type.CommercialThickness(d, 0);
            for (int step = 0; t > 0 && step < 1000; ++step) {
                type.PriceKey(d, t);
                t = type.CommercialThickness(d, t);
            }
            for (const float need : {0.0f, 30.0f, 1e6f}) {
                try {
                    type.SuggestionText(d, need, true);
                } catch (const EConvertError&) {
                    // documented: a layer thickness that is no number
                }
            }
        }
        type.InTemperatureLimits(20);
    }
    CountingTree tree;
    StandardTubeTypes->FillTreeView(tree, 0);
    StandardTubeTypes->FillTreeView(tree, 1);
}

void Exercise(std::string_view document) {
    MediumTypes = std::make_unique<TMediumTypes>();
    IsolationTypes = std::make_unique<TIsolationTypes>();
    StandardTubeTypes = std::make_unique<TStandardTubeTypes>();
    for (const bool normalize : {true, false}) {
        TXmlParser parser;
        if (!parser.LoadFromBuffer(document)) return;
        parser.SetNormalize(normalize);
        parser.StartScan();
        ClearXmlMacros();
        SetDeviceDBLanguage("HU");
        try {
            ReadDatabaseRecords(parser);
        } catch (const Exception&) {
            // documented: a text that is not a number
        }
    }
    UseRecords();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Exercise(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string decoded;
    try {
        Compressing::Decompress({data, size}, decoded);
    } catch (const EDecompressError&) {
        return 0;
    }
    Exercise(decoded);
    return 0;
}
