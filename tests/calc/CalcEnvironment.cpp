#include "calc/CalcEnvironment.h"

#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/Price.h"
#include "lang/Languages.h"
#include "project/ProgramOptions.h"
#include "support/DataBuilders.h"
#include "support/TestSupport.h"

#include <memory>
#include <string_view>
#include <utility>

namespace calc_testing {

namespace {

using testing_support::IsolationSize;
using testing_support::Points;
using testing_support::Polinom;

// Keys whose texts the calculation and the options look up.
constexpr const char* kKeys[] = {
    "IDS_PROGRAMTITLE",      "IDS_NEEDNOTISOLATION",  "IDS_TOOTHICKISOLATION", "IDS_CALCULATIONERROR",
    "IDS_UNKNOWNISOLATION",  "IDS_DIAMETERERROR",     "IDS_TANKSPEEDERROR",    "IDS_NEEDLENGTH",
    "IDS_NEEDVOLUMEORTIME",  "IDS_SUGGESTEDISOLATION", "IDS_NOSUGGESTION",     "IDS_MULTILAYERISOLATION",
    "IDS_USERDEFINED",
};

// Texts that are formats.
const std::pair<const char*, const char*> kTestTexts[] = {
    {"IDS_ISOLATIONTEMPERATUREERROR", "Limits %.1f to %.1f: %.2f"},
    {"IDS_FONTNAMEANDSIZE", "%s, %i pt"},
};

TMediumDBItem Medium(const char* id, std::vector<TMediumFunction> functions) {
    TMediumDBItem medium;
    medium.ItemID = id;
    medium.ItemName = std::string("Medium ") + id;
    medium.Usages = 0x1F;
    medium.CalcModes = 0x7F;
    medium.TempMin = -50;
    medium.TempMax = 300;
    medium.Functions = std::move(functions);
    return medium;
}

std::unique_ptr<TMediumTypes> TestMedia() {
    auto media = std::make_unique<TMediumTypes>();
    media->Add(Medium("brine", {Polinom("ro", {1000}), Polinom("C", {4200}), Polinom("nu", {1e-6f}),
                                Polinom("lambda", {0.6f}), Polinom("v", {2e-4f}), Polinom("to", {0})}));
    media->Add(Medium("water", {Polinom("ro", {-0.3f, 1006}), Polinom("C", {4190}), Polinom("nu", {-1e-8f, 1.2e-6f}),
                                Polinom("lambda", {0.0015f, 0.57f}), Polinom("v", {4e-6f, 1e-4f}),
                                Polinom("to", {0})}));
    media->Add(Medium("air", {Polinom("ro", {1.2f}), Polinom("C", {1005}),
                              Points("nu", {0, 50, 100}, {1.3e-5f, 1.8e-5f, 2.3e-5f}), Polinom("lambda", {0.026f}),
                              Polinom("v", {1.0f / 293})}));
    return media;
}

TIsolation Insulation(const char* id, const char* printName, float c2, float c1, float c0, float tempMin,
                      float tempMax, std::vector<TIsolationSubItem> sizes) {
    TIsolation insulation;
    insulation.ItemID = id;
    insulation.ItemName = std::string("Insulation ") + id;
    insulation.PrintName = printName;
    insulation.Usages = 0x1F;
    insulation.c2 = c2;
    insulation.c1 = c1;
    insulation.c0 = c0;
    insulation.TempMin = tempMin;
    insulation.TempMax = tempMax;
    insulation.SubItems = std::move(sizes);
    return insulation;
}

std::unique_ptr<TIsolationTypes> TestInsulations() {
    auto types = std::make_unique<TIsolationTypes>();
    std::vector<TIsolationSubItem> wool;
    for (int v : {20, 30, 40, 50, 60, 80, 100})
        wool.push_back(IsolationSize(0, static_cast<float>(v), std::to_string(v) + " mm"));
    types->Add(Insulation("wool", "Wool %s", 0, 0, 0.04f, -50, 250, wool));

    std::vector<TIsolationSubItem> shells;
    for (auto [bore, v] : {std::pair{89, 30}, {89, 50}, {108, 30}, {108, 50}, {108, 80}, {114, 30}, {114, 50},
                           {114, 80}})
        shells.push_back(IsolationSize(static_cast<float>(bore), static_cast<float>(v),
                              std::to_string(bore) + "x" + std::to_string(v)));
    TIsolation shell = Insulation("shell", "Shell %s", 0, 0.0002f, 0.035f, -20, 120, shells);
    shell.TubeShell = 1;
    types->Add(shell);

    types->Add(Insulation("quad", "Quad %s", 1e-6f, 1e-4f, 0.03f, -50, 250, {IsolationSize(0, 50, "50 mm")}));
    types->Add(Insulation("limited", "Limited %s", 0, 0, 0.04f, 0, 120, {IsolationSize(0, 50, "50 mm")}));
    types->Add(Insulation("bare", "Bare %s", 0, 0, 0.04f, -100, 1000, {}));
    return types;
}

// One user-interface language, the default, so that any selection finds it.
void InstallLanguage() {
    TLanguage language;
    language.id = "Test";
    language.UserInterface = true;
    language.Default = true;
    for (const char* key : kKeys)
        language.Strings[key] = KeyText(key);
    for (const auto& [key, text] : kTestTexts)
        language.Strings[key] = text;
    LanguageList = std::make_unique<TLanguages>();
    LanguageList->Languages.push_back(language);
    LanguageList->SetLanguage("Test");
    LanguageList->SetPrintingLanguage("Test");
}

// The options as an empty registry gives them; read once, the store is slow
// to set up.
const TProgramOptions& DefaultOptions() {
    static const TProgramOptions options = [] {
        testing_support::ScopedMachineRoot root;
        return TProgramOptions();
    }();
    return options;
}

}  // namespace

std::string KeyText(const std::string& key) { return "<" + key + ">"; }

TCalcEnvironment::TCalcEnvironment() {
    InstallLanguage();
    AppOptions = std::make_unique<TProgramOptions>(DefaultOptions());
    MediumTypes = TestMedia();
    IsolationTypes = TestInsulations();
    SetPrices({});
}

TCalcEnvironment::~TCalcEnvironment() {
    PriceList.reset();
    IsolationTypes.reset();
    MediumTypes.reset();
    AppOptions.reset();
    LanguageList = std::make_unique<TLanguages>();  // the program's is never null
}

void TCalcEnvironment::SetPrices(const std::map<std::string, float>& prices) {
    auto list = std::make_unique<TPrice>();
    list->Year = 2099;
    list->Month = 12;
    list->Day = 31;
    list->Currency = "EUR";
    for (const auto& [name, price] : prices)
        list->Items.push_back({name, price});
    list->Items.push_back({"END", 0});
    PriceList = std::move(list);
}

void TCalcEnvironment::RemovePriceList() { PriceList.reset(); }

void TCalcEnvironment::SetCalcPrecision(bool keepTenths) { AppOptions->CalcPrecision = keepTenths; }

void TCalcEnvironment::SetText(const std::string& key, const std::string& text) {
    LanguageList->Languages.front().Strings[key] = text;
}

}  // namespace calc_testing
