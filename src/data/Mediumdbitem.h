#pragma once
// The media data base: the flowing or stored media an insulated object carries,
// each with its temperature-dependent properties. Filled once at start from the
// "DBMedium" elements of the data files, read-only afterwards.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class IComboBox;
class TXmlParser;

// One property curve of a medium: a polynomial of the temperature or a set of
// points through which the interpolating polynomial is taken.
class TMediumFunction {
public:
    static constexpr std::int16_t kPolinom = 0;
    static constexpr std::int16_t kPoints = 1;

    std::string Name;                      // "ro", "C", "nu", "v", "lambda", "to", ...
    std::int16_t Mode = kPoints;           // kPolinom when the "Mode" attribute reads "polinom"
    std::vector<float> PolinomValues;      // highest power first
    std::vector<float> PointTemperatures;  // same count and order as PointValues
    std::vector<float> PointValues;

    // Reads one curve; the parser stands on the "Characteristic" start tag and is
    // left on its end tag. Raises Exception on a text that is not a number.
    void Read(TXmlParser& parser);

    // The property at the temperature (degC), in double precision. A points curve
    // without points gives 0; a point repeating an earlier temperature is ignored.
    double Value(double temperature) const;

    bool operator==(const TMediumFunction&) const = default;
};

// A curve made ready for many values: the points without repeated
// temperatures and the differences of their temperatures, worked out once.
// Value gives exactly, to the last bit, what TMediumFunction::Value gives,
// and raises the same floating-point exception flags. Holds copies: valid
// after the curve is gone.
class TPreparedFunction {
public:
    TPreparedFunction() = default;  // no curve: every value is 0
    explicit TPreparedFunction(const TMediumFunction& function);

    double Value(double temperature) const;

private:
    bool polinom_ = true;
    bool signaling_ = false;  // a signalling NaN among the numbers taken
    std::size_t count_ = 0;   // coefficients, or points
    // One block: a polynomial's coefficients, highest power first; or the
    // points' temperatures (count_ + 2, two fillers), their values
    // (count_) and T[L+m] - T[m] level L by level.
    std::vector<double> data_;
};

class TMediumDBItem {
public:
    std::string ItemID;
    std::string ItemName;
    std::uint16_t Usages = 0;     // bit = geometry index; bit 3 square tank, bit 4 round tank
    std::uint16_t CalcModes = 0;  // bit = calculation-mode index
    float TempMin = 0;
    float TempMax = 0;
    std::vector<TMediumFunction> Functions;

    // Reads one record; the parser stands on the "DBMedium" start tag and is left
    // on its end tag (or at the end of the document). Raises Exception on a text
    // that is not a number.
    void Read(TXmlParser& parser);

    // Index of the first characteristic of that name (case-sensitive); -1 when none.
    int FunctionIndex(std::string_view name) const;

    // The medium may be used with that geometry and calculation mode.
    bool IsUsable(int geometry, int calcMode) const;

    bool operator==(const TMediumDBItem&) const = default;
};

class TMediumTypes {
public:
    static constexpr std::string_view kUserDefined = "userdefined";

    // The medium whose properties the user types in; it has no record.
    static bool IsUserDefined(std::string_view id) { return id == kUserDefined; }

    void Add(const TMediumDBItem& item) { Items.push_back(item); }
    int Count() const { return static_cast<int>(Items.size()); }

    // First record of that exact id; null when none. Valid until the next Add.
    const TMediumDBItem* FindItem(std::string_view id) const;
    // Id of the first record of that exact display name; "userdefined" when none.
    std::string IDByName(std::string_view name) const;
    // Display name of the first record of that exact id; the translated
    // "IDS_USERDEFINED" text when none.
    std::string NameByID(std::string_view id) const;

    // Fills the medium box for a geometry and calculation mode: entry 0 the
    // user-defined medium, then every usable medium; selects currentId's medium
    // (or the first usable one) and writes the selected medium's id back.
    void FillComboBox(IComboBox& box, std::string& currentId, int geometry, int calcMode) const;

    std::vector<TMediumDBItem> Items;  // load order
};

// The program's media data base; created by LoadDatabases.
extern std::unique_ptr<TMediumTypes> MediumTypes;
