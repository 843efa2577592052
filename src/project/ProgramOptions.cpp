#include "project/ProgramOptions.h"

#include "lang/Languages.h"
#include "platform/base/Controls.h"
#include "platform/base/Exception.h"
#include "platform/base/Registry.h"
#include "platform/base/SysUtils.h"

#include <iterator>
#include <optional>
#include <string_view>

std::unique_ptr<TProgramOptions> AppOptions;

namespace {

constexpr const char* kOptionsKey = "ProgramOptions";
constexpr const char* kFontsKey = "Fonts";
constexpr const char* kDefaultLanguage = "Magyar";

struct TFontNames {
    const char* NameValue;
    const char* SizeValue;
    const char* DefaultName;
    int DefaultSize;
};

const TFontNames* FontNames(int kind) {
    static constexpr TFontNames kFonts[] = {
        {"ListName", "ListSize", "MS Sans Serif", 10},
        {"ReportName", "ReportSize", "Arial", 9},
    };
    if (kind < 0 || kind >= static_cast<int>(std::size(kFonts)))
        return nullptr;
    return &kFonts[kind];
}

// A value that is missing or stored with another type than expected reads as
// absent, so a damaged value never stops the program's start.
template <class T>
std::optional<T> ReadOptional(TRegistry& registry, const std::string& name,
                              T (TRegistry::*read)(std::string_view) const) {
    if (!registry.ValueExists(name))
        return std::nullopt;
    try {
        return (registry.*read)(name);
    } catch (const ERegistryException&) {
        return std::nullopt;
    }
}

std::optional<std::string> ReadString(TRegistry& registry, const std::string& name) {
    return ReadOptional(registry, name, &TRegistry::ReadString);
}

std::optional<int> ReadInteger(TRegistry& registry, const std::string& name) {
    return ReadOptional(registry, name, &TRegistry::ReadInteger);
}

std::optional<bool> ReadBool(TRegistry& registry, const std::string& name) {
    return ReadOptional(registry, name, &TRegistry::ReadBool);
}

// The program key's subkey, created when missing.
bool OpenProgramSubkey(TRegistry& registry, const char* subkey) {
    return OpenProgramKey(registry) && registry.OpenKey(subkey, true);
}

// Replaces the first occurrence of `placeholder`; a text without it stays.
void ReplaceFirst(std::string& text, std::string_view placeholder, const std::string& value) {
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos)
        text.replace(at, placeholder.size(), value);
}

}  // namespace

bool OpenProgramRegKey(TRegistry& registry, std::string_view programKey) {
    return registry.OpenKey("Software", true) && registry.OpenKey("Lumivar", true) &&
           registry.OpenKey(programKey, true);
}

bool OpenProgramKey(TRegistry& registry) {
    return OpenProgramRegKey(registry, "KELVARIN");
}

TProgramOptions::TProgramOptions() { Load(); }

void TProgramOptions::Load() {
    std::string language = kDefaultLanguage;
    std::optional<std::string> printingLanguage;
    {
        TRegistry registry;
        if (OpenProgramSubkey(registry, kOptionsKey)) {
            if (auto planer = ReadString(registry, "Planer"))
                Planer.SetText(*planer);
            InitDate = ReadBool(registry, "InitDate").value_or(true);
            LeftMargin = ReadInteger(registry, "LeftMargin").value_or(20);
            TopMargin = ReadInteger(registry, "TopMargin").value_or(20);
            RightMargin = ReadInteger(registry, "RightMargin").value_or(15);
            BottomMargin = ReadInteger(registry, "BottomMargin").value_or(20);
            ViewMediumData = ReadBool(registry, "ViewMediumData").value_or(false);
            CalcPrecision = ReadBool(registry, "CalcPrecision").value_or(false);
            language = ReadString(registry, "LanguageID").value_or(kDefaultLanguage);
            printingLanguage = ReadString(registry, "PrintingLanguageID");
        }
    }
    // Selected also without a registry: otherwise every text stays empty.
    if (LanguageList) {
        LanguageList->SetLanguage(language);
        LanguageList->SetPrintingLanguage(printingLanguage.value_or(LanguageList->GetLanguageID()));
    }
}

void TProgramOptions::Save() const {
    TRegistry registry;
    if (!OpenProgramSubkey(registry, kOptionsKey))
        return;
    registry.WriteString("Planer", Planer.Text());
    registry.WriteBool("InitDate", InitDate);
    registry.WriteInteger("LeftMargin", LeftMargin);
    registry.WriteInteger("TopMargin", TopMargin);
    registry.WriteInteger("RightMargin", RightMargin);
    registry.WriteInteger("BottomMargin", BottomMargin);
    registry.WriteBool("ViewMediumData", ViewMediumData);
    registry.WriteBool("CalcPrecision", CalcPrecision);
}

TFontSetting::TFontSetting(int kind) {
    const TFontNames* names = FontNames(kind);
    if (!names)
        return;
    TRegistry registry;
    if (!OpenProgramSubkey(registry, kFontsKey))
        return;
    Name = ReadString(registry, names->NameValue).value_or(names->DefaultName);
    Size = ReadInteger(registry, names->SizeValue).value_or(names->DefaultSize);
}

void TFontSetting::AssignToFont(IFont& font) const {
    if (!Name.empty())
        font.SetName(Name);
    if (Size != 0)
        font.SetSize(Size);
}

void TFontSetting::AssignFromFont(const IFont& font) {
    Name = font.Name();
    Size = font.Size();
}

void TFontSetting::ShowInControl(IControl& control) const {
    // A plain substitution, not printf: the text comes from a language file.
    std::string text = LanguageList ? LanguageList->GetString("IDS_FONTNAMEANDSIZE") : std::string();
    ReplaceFirst(text, "%i", IntToStr(Size));
    ReplaceFirst(text, "%s", Name);
    control.SetText(text);
    AssignToFont(control.Font());
}

void TFontSetting::Save(int kind) const {
    const TFontNames* names = FontNames(kind);
    if (!names)
        return;
    TRegistry registry;
    if (!OpenProgramSubkey(registry, kFontsKey))
        return;
    registry.WriteString(names->NameValue, Name);
    registry.WriteInteger(names->SizeValue, Size);
}
