// Program options and font settings in a private registry store.

#include "project/ProgramOptions.h"

#include "lang/Languages.h"
#include "platform/base/Controls.h"
#include "platform/base/Registry.h"
#include "platform/win/RegistryStore.h"
#include "platform/win/WinError.h"
#include "support/FakeControls.h"
#include "support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kProgramKey = "Software\\Lumivar\\KELVARIN";
constexpr const char* kOptionsKey = "Software\\Lumivar\\KELVARIN\\ProgramOptions";
constexpr const char* kFontsKey = "Software\\Lumivar\\KELVARIN\\Fonts";

using testing_support::FakeControl;
using testing_support::FakeFont;

TLanguage Language(const char* id, bool userInterface, bool isDefault) {
    TLanguage language;
    language.id = id;
    language.UserInterface = userInterface;
    language.Default = isDefault;
    language.Strings["IDS_FONTNAMEANDSIZE"] = "%s, %i pt";
    return language;
}

class OptionsTest : public ::testing::Test {
protected:
    OptionsTest() {
        LanguageList = std::make_unique<TLanguages>();
        LanguageList->Languages = {Language("English", true, false), Language("Magyar", true, true),
                                   Language("Print", false, false)};
    }
    ~OptionsTest() override {
        win::RegSetKeyAccessForTesting(win::HKey::CurrentUser, "Software", win::RegTestAccess::Full);
        LanguageList = std::make_unique<TLanguages>();
    }

    static std::vector<std::string> ValueNames(const char* key) {
        std::vector<std::string> names;
        EXPECT_EQ(win::RegEnumValues(win::HKey::CurrentUser, key, names), win::ERROR_SUCCESS);
        return names;
    }

    static void SetValue(const char* key, const char* name, std::uint32_t type, std::vector<std::uint8_t> data) {
        ASSERT_EQ(win::RegCreateKey(win::HKey::CurrentUser, key), win::ERROR_SUCCESS);
        ASSERT_EQ(win::RegSetValue(win::HKey::CurrentUser, key, name, type, data), win::ERROR_SUCCESS);
    }

    static void SetText(const char* key, const char* name, const std::string& text) {
        std::vector<std::uint8_t> data(text.begin(), text.end());
        data.push_back(0);
        SetValue(key, name, win::REG_SZ, data);
    }

    static void SetDword(const char* key, const char* name, std::uint32_t value) {
        SetValue(key, name, win::REG_DWORD,
                 {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                  static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
    }

    static std::string UiLanguage() { return LanguageList->GetLanguageID(); }
    static std::string PrintingLanguage() {
        return LanguageList->PrintingLanguage() ? LanguageList->PrintingLanguage()->id : "";
    }

    testing_support::ScopedMachineRoot root_;
};

TEST_F(OptionsTest, EmptyRegistryGivesTheDefaults) {
    const TProgramOptions options;
    EXPECT_EQ(options.Planer.Count(), 0);
    EXPECT_TRUE(options.InitDate);
    EXPECT_EQ(options.LeftMargin, 20);
    EXPECT_EQ(options.TopMargin, 20);
    EXPECT_EQ(options.RightMargin, 15);
    EXPECT_EQ(options.BottomMargin, 20);
    EXPECT_FALSE(options.ViewMediumData);
    EXPECT_FALSE(options.CalcPrecision);
    EXPECT_EQ(UiLanguage(), "Magyar");
    EXPECT_EQ(PrintingLanguage(), "Magyar");
    // Loading creates the key and writes nothing.
    EXPECT_TRUE(win::RegKeyExists(win::HKey::CurrentUser, kOptionsKey));
    EXPECT_THAT(ValueNames(kOptionsKey), IsEmpty());
}

TEST_F(OptionsTest, SaveWritesTheEightValuesAndReadsThemBack) {
    TProgramOptions options;
    options.Planer.SetText("Kov\xE1\x63s Bt.\r\nBudapest");
    options.InitDate = false;
    options.LeftMargin = 25;
    options.TopMargin = 10;
    options.RightMargin = 5;
    options.BottomMargin = 30;
    options.ViewMediumData = true;
    options.CalcPrecision = true;
    options.Save();
    EXPECT_THAT(ValueNames(kOptionsKey), ElementsAre("Planer", "InitDate", "LeftMargin", "TopMargin", "RightMargin",
                                                    "BottomMargin", "ViewMediumData", "CalcPrecision"));
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(kOptionsKey));
    EXPECT_EQ(registry.ReadString("Planer"), "Kov\xE1\x63s Bt.\r\nBudapest\r\n");
    EXPECT_EQ(registry.ReadInteger("InitDate"), 0);
    EXPECT_EQ(registry.ReadInteger("CalcPrecision"), 1);

    const TProgramOptions loaded;
    EXPECT_EQ(loaded.Planer, options.Planer);
    EXPECT_FALSE(loaded.InitDate);
    EXPECT_EQ(loaded.LeftMargin, 25);
    EXPECT_EQ(loaded.TopMargin, 10);
    EXPECT_EQ(loaded.RightMargin, 5);
    EXPECT_EQ(loaded.BottomMargin, 30);
    EXPECT_TRUE(loaded.ViewMediumData);
    EXPECT_TRUE(loaded.CalcPrecision);
}

TEST_F(OptionsTest, LanguagesComeFromTheRegistry) {
    SetText(kOptionsKey, "LanguageID", "English");
    TProgramOptions options;
    EXPECT_EQ(UiLanguage(), "English");
    EXPECT_EQ(PrintingLanguage(), "English");  // the user-interface language's id

    SetText(kOptionsKey, "PrintingLanguageID", "Print");
    options.Load();
    EXPECT_EQ(UiLanguage(), "English");
    EXPECT_EQ(PrintingLanguage(), "Print");  // need not be a user-interface language

    // Save never writes them.
    options.Save();
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(kOptionsKey));
    EXPECT_EQ(registry.ReadString("LanguageID"), "English");
    EXPECT_EQ(ValueNames(kOptionsKey).size(), 10u);
}

TEST_F(OptionsTest, ValuesOfAnotherTypeCountAsAbsent) {
    SetText(kOptionsKey, "LeftMargin", "30");
    SetText(kOptionsKey, "InitDate", "no");
    SetDword(kOptionsKey, "Planer", 7);
    SetDword(kOptionsKey, "LanguageID", 1);
    SetDword(kOptionsKey, "PrintingLanguageID", 2);
    SetDword(kOptionsKey, "TopMargin", 12);
    SetDword(kOptionsKey, "CalcPrecision", 5);  // any non-zero number is true
    const TProgramOptions options;
    EXPECT_EQ(options.LeftMargin, 20);
    EXPECT_TRUE(options.InitDate);
    EXPECT_EQ(options.Planer.Count(), 0);
    EXPECT_EQ(options.TopMargin, 12);
    EXPECT_TRUE(options.CalcPrecision);
    EXPECT_EQ(UiLanguage(), "Magyar");
    EXPECT_EQ(PrintingLanguage(), "Magyar");
}

TEST_F(OptionsTest, WithoutTheKeyDefaultsAndLanguagesAreStillSelected) {
    win::RegSetKeyAccessForTesting(win::HKey::CurrentUser, "Software", win::RegTestAccess::Denied);
    LanguageList->SetLanguage("English");
    LanguageList->SetPrintingLanguage("Print");
    TProgramOptions options;
    EXPECT_EQ(options.LeftMargin, 20);
    EXPECT_EQ(UiLanguage(), "Magyar");
    EXPECT_EQ(PrintingLanguage(), "Magyar");

    options.LeftMargin = 33;
    options.Save();  // nothing written, nothing reported
    win::RegSetKeyAccessForTesting(win::HKey::CurrentUser, "Software", win::RegTestAccess::Full);
    EXPECT_FALSE(win::RegKeyExists(win::HKey::CurrentUser, kProgramKey));

    TRegistry registry;
    EXPECT_TRUE(OpenProgramKey(registry));
    EXPECT_TRUE(win::RegKeyExists(win::HKey::CurrentUser, kProgramKey));
    EXPECT_TRUE(registry.OpenKey("Fonts", true));  // relative to the program key
    EXPECT_TRUE(win::RegKeyExists(win::HKey::CurrentUser, kFontsKey));
}

// --- fonts ----------------------------------------------------------------------------

TEST_F(OptionsTest, FontDefaultsByKind) {
    const TFontSetting report(TFontSetting::kReportFont);
    EXPECT_EQ(report.Name, "Arial");
    EXPECT_EQ(report.Size, 9);
    const TFontSetting list(TFontSetting::kListFont);
    EXPECT_EQ(list.Name, "MS Sans Serif");
    EXPECT_EQ(list.Size, 10);
    const TFontSetting other(2);
    EXPECT_EQ(other.Name, "");
    EXPECT_EQ(other.Size, 0);
    EXPECT_THAT(ValueNames(kFontsKey), IsEmpty());
}

TEST_F(OptionsTest, FontsSaveByKind) {
    TFontSetting report(TFontSetting::kReportFont);
    report.Name = "Liberation Serif";
    report.Size = 11;
    report.Save(TFontSetting::kReportFont);
    report.Save(5);  // unknown kind: nothing
    EXPECT_THAT(ValueNames(kFontsKey), ElementsAre("ReportName", "ReportSize"));
    const TFontSetting again(TFontSetting::kReportFont);
    EXPECT_EQ(again.Name, "Liberation Serif");
    EXPECT_EQ(again.Size, 11);
    EXPECT_EQ(TFontSetting(TFontSetting::kListFont).Name, "MS Sans Serif");

    SetText(kFontsKey, "ListSize", "12");  // wrong type: the default
    EXPECT_EQ(TFontSetting(TFontSetting::kListFont).Size, 10);
}

TEST_F(OptionsTest, FontWithoutTheKeyChangesNoFont) {
    win::RegSetKeyAccessForTesting(win::HKey::CurrentUser, "Software", win::RegTestAccess::Denied);
    const TFontSetting report(TFontSetting::kReportFont);
    EXPECT_EQ(report.Name, "");
    EXPECT_EQ(report.Size, 0);
    FakeFont font;
    report.AssignToFont(font);
    EXPECT_EQ(font.name, "Tahoma");
    EXPECT_EQ(font.size, 8);
}

TEST_F(OptionsTest, FontToAndFromAFont) {
    TFontSetting setting(TFontSetting::kReportFont);
    FakeFont font;
    setting.AssignToFont(font);
    EXPECT_EQ(font.name, "Arial");
    EXPECT_EQ(font.size, 9);
    setting.Name = "";
    setting.Size = 14;
    setting.AssignToFont(font);
    EXPECT_EQ(font.name, "Arial");
    EXPECT_EQ(font.size, 14);

    font.name = "Courier New";
    font.size = 7;
    setting.AssignFromFont(font);
    EXPECT_EQ(setting.Name, "Courier New");
    EXPECT_EQ(setting.Size, 7);
}

TEST_F(OptionsTest, ShowInControlSubstitutesInEitherOrder) {
    LanguageList->SetLanguage("Magyar");
    const TFontSetting setting(TFontSetting::kReportFont);
    struct Row {
        const char* text;
        const char* shown;
    };
    const Row rows[] = {
        {"%s, %i pt", "Arial, 9 pt"},
        {"%i pt %s", "9 pt Arial"},
        {"%i%% %s %s %i", "9%% Arial %s %i"},  // first of each only, no printf
        {"%d %.1f %n", "%d %.1f %n"},
        {"", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        LanguageList->Languages[1].Strings["IDS_FONTNAMEANDSIZE"] = row.text;
        FakeControl control;
        setting.ShowInControl(control);
        EXPECT_EQ(control.text, row.shown);
        EXPECT_EQ(control.font.name, "Arial");
        EXPECT_EQ(control.font.size, 9);
    }
}

}  // namespace
