#include "report/PrintingOptions.h"

#include "platform/base/Exception.h"
#include "platform/base/Registry.h"
#include "project/ProgramOptions.h"

#include <iterator>

TPrintingOptionSet PrintingOptionSet;
std::string ReportTitle;

namespace {

constexpr const char* kKey = "PrintingOptions";

struct TStoredOption {
    TPrintingOption Option;
    const char* Value;
};
constexpr TStoredOption kStored[] = {
    {TPrintingOption::ProjektData, "ProjektData"},
    {TPrintingOption::ProjektName, "ProjektName"},
    {TPrintingOption::PageNumber, "PageNumber"},
    {TPrintingOption::Date, "Date"},
};

bool OpenOptionsKey(TRegistry& registry) { return OpenProgramKey(registry) && registry.OpenKey(kKey, true); }

}  // namespace

void TPrintingOptionSet::Set(TPrintingOption option, bool on) {
    const auto bit = static_cast<std::uint8_t>(1u << static_cast<int>(option));
    bits_ = on ? (bits_ | bit) : (bits_ & ~bit);
}

void TPrintingOptionSet::Load() {
    TRegistry registry;
    if (!OpenOptionsKey(registry)) return;
    for (const TStoredOption& stored : kStored) {
        bool off = false;
        if (registry.ValueExists(stored.Value)) {
            try {
                off = !registry.ReadBool(stored.Value);
            } catch (const ERegistryException&) {
                // A value of another type is no "off".
            }
        }
        Set(stored.Option, !off);
    }
}

void TPrintingOptionSet::Store() const {
    TRegistry registry;
    if (!OpenOptionsKey(registry)) return;
    for (const TStoredOption& stored : kStored) registry.WriteBool(stored.Value, Contains(stored.Option));
}
