#pragma once
// The standard-tube data base: pipe and round-duct types with their sizes, for
// the standard-tubes dialog. Filled once at start from the "Tube" elements of the
// data files.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ITreeView;
class TXmlParser;

class TTubeSubItem {
public:
    std::string SizeName;
    float db = 0;  // inner diameter, mm
    float dk = 0;  // outer diameter, mm

    // Reads one size; the parser stands on the "TubeSubType" start tag and is left
    // on its end tag. Raises Exception on a text that is not a number.
    void Read(TXmlParser& parser);

    bool operator==(const TTubeSubItem&) const = default;
};

class TTubeItem {
public:
    std::string ItemName;
    float HeatConditionFactor = 0;  // wall conductivity, W/(m K)
    std::int16_t AirCanal = 0;      // 0 pipe type, 1 round air duct
    std::vector<TTubeSubItem> SubItems;

    // Reads one type; the parser stands on the "Tube" start tag and is left on its
    // end tag. Raises Exception on a text that is not a number.
    void Read(TXmlParser& parser);

    int SubItemCount() const { return static_cast<int>(SubItems.size()); }
    // The size at that index; null when out of range.
    const TTubeSubItem* GetSubItem(int index) const;

    bool operator==(const TTubeItem&) const = default;
};

class TStandardTubeTypes {
public:
    // Node data of a size: size index + type index * 65536.
    static constexpr std::intptr_t kTypeShift = 65536;
    // Types and sizes per type the node data can tell apart.
    static constexpr std::size_t kMaxTypes = 32768;

    void Add(const TTubeItem& item) { Items.push_back(item); }
    int Count() const { return static_cast<int>(Items.size()); }

    // The type at that index of the whole list; null when out of range.
    const TTubeItem* GetItem(int index) const;

    // Adds a top node (data 0) per type whose AirCanal equals airCanal and under
    // it a node per size with data j + i * 65536 (i the type's index in the whole
    // list, j the size's). The tree is not cleared. Types past kMaxTypes and
    // sizes past 65536 are left out.
    void FillTreeView(ITreeView& tree, int airCanal) const;

    std::vector<TTubeItem> Items;  // load order
};

// The program's standard-tube data base; created by LoadDatabases.
extern std::unique_ptr<TStandardTubeTypes> StandardTubeTypes;
