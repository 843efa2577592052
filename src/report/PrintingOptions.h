#pragma once
// What the print dialog keeps for the report job: the four page-frame
// options (also in the registry, subkey "PrintingOptions") and the title
// (for the program run only).

#include <cstdint>
#include <string>

enum class TPrintingOption { ProjektData = 0, ProjektName = 1, PageNumber = 2, Date = 3 };

class TPrintingOptionSet {
public:
    bool Contains(TPrintingOption option) const { return (bits_ >> static_cast<int>(option)) & 1u; }
    void Set(TPrintingOption option, bool on);
    bool operator==(const TPrintingOptionSet&) const = default;

    // Every option is on unless stored as off; the set stays as it is when
    // the program key can't be opened.
    void Load();
    // Writes the four values; nothing when the program key can't be opened.
    void Store() const;

private:
    std::uint8_t bits_ = 0;
};

// Empty at program start.
extern TPrintingOptionSet PrintingOptionSet;
extern std::string ReportTitle;
