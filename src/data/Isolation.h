#pragma once
// The insulation-type data base: insulation products with their conductivity
// curve, temperature limits, usable geometries and commercial sizes. Filled once
// at start from the "Isolation" elements of the data files.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class IComboBox;
class TXmlParser;

// One commercial size. Lengths are in millimetres, like the calculation item's.
class TIsolationSubItem {
public:
    std::string SizeName;  // for an assembled size: "thickness id thickness id ..."
    float db = 0;          // bore of a pipe shell
    float v = 0;           // insulation thickness
    std::int16_t Assembled = 0;

    // Reads one size; the parser stands on the "IsolationSubType" start tag and is
    // left on its end tag. Raises Exception on a text that is not a number.
    void Read(TXmlParser& parser);

    bool operator==(const TIsolationSubItem&) const = default;
};

class TIsolation {
public:
    std::string ItemID;
    std::string ItemName;
    std::string PrintName;  // "%s" receives a size's SizeName
    std::int16_t TubeShell = 0;  // 1: pipe shells chosen by bore
    std::uint16_t Usages = 0;    // bit = geometry index
    float c2 = 0, c1 = 0, c0 = 0;  // conductivity c2 x^2 + c1 x + c0, W/(m K), x in degC
    float TempMin = 0;
    float TempMax = 0;
    std::vector<TIsolationSubItem> SubItems;  // ascending bore, then thickness

    // Reads one record; the parser stands on the "Isolation" start tag and is left
    // on its end tag. Raises Exception on a text that is not a number.
    void Read(TXmlParser& parser);

    // TempMin <= temperature <= TempMax.
    bool InTemperatureLimits(float temperature) const;
    bool IsUsable(int geometry) const;

    // Price-list key of a size: "_" bore "_" thickness for pipe shells (the first
    // bore strictly above the diameter; "" when there is none), else "_" thickness.
    std::string PriceKey(float diameter, float thickness) const;
    // The next commercial thickness strictly above `thickness`; 0 when none.
    float CommercialThickness(float diameter, float thickness) const;
    // The text proposing the first size at least `thickness` thick, with the
    // "suggested" heading when withPrefix is set. Raises EConvertError when an
    // assembled size holds a layer thickness that is not a number.
    std::string SuggestionText(float diameter, float thickness, bool withPrefix) const;

    bool operator==(const TIsolation&) const = default;
};

// The layers of an assembled size in words: each layer's suggestion text,
// separated by "; ". Nesting through assembled sizes stops at depth 8.
std::string MultiLayerText(const TIsolationSubItem& size);

class TIsolationTypes {
public:
    void Add(const TIsolation& item) { Items.push_back(item); }
    int Count() const { return static_cast<int>(Items.size()); }

    // First record of that exact id; null when none. Valid until the next Add.
    const TIsolation* FindItem(std::string_view id) const;
    // Id of the first record of that exact display name; "" when none.
    std::string IDByName(std::string_view name) const;
    // Display name of the first record of that exact id; "" when none.
    std::string NameByID(std::string_view id) const;

    // Fills the insulation box with the types usable for the geometry, selects
    // currentId's type (or entry 0) and writes the selected type's id back.
    void FillComboBox(IComboBox& box, std::string& currentId, int geometry) const;

    std::vector<TIsolation> Items;  // load order
};

// The program's insulation-type data base; created by LoadDatabases.
extern std::unique_ptr<TIsolationTypes> IsolationTypes;
