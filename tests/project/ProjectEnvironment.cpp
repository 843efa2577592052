#include "project/ProjectEnvironment.h"

#include "calc/Item.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/Price.h"
#include "lang/Languages.h"
#include "platform/win/Clock.h"
#include "project/ClipboardStream.h"
#include "project/ProgramOptions.h"

#include <string_view>
#include <utility>

namespace project_testing {

namespace {

// Every key the project, the clipboard and the item rows ask for.
std::vector<std::string> Keys() {
    std::vector<std::string> keys = {
        "IDS_INVALIDFILE", "IDS_VERSIONERR", "IDS_RTFEND", "IDS_USERDEFINED", "IDS_ITEMRTFTITLE+58",
        "ID_CLAUSOLE0",    "ID_CLAUSOLE1",
    };
    for (int i = 1; i <= 66; ++i) keys.push_back("ID_ITEMRTF" + std::to_string(i));
    for (int i = 0; i <= 3; ++i) keys.push_back("ID_PROJEKT" + std::to_string(i));
    for (const char* modes : {"IDS_INSIDEALPHAMODES+", "IDS_OUTSIDEALPHAMODES+", "IDS_VOLUMEDIMENSIONS+"})
        for (int i = 0; i <= 2; ++i) keys.push_back(modes + std::to_string(i));
    return keys;
}

TLanguage Language(const char* id, std::string_view prefix) {
    TLanguage language;
    language.id = id;
    language.UserInterface = true;
    for (const std::string& key : Keys()) language.Strings[key] = std::string(prefix) + key;
    return language;
}

TMediumDBItem Medium(const char* id, const char* name) {
    TMediumDBItem medium;
    medium.ItemID = id;
    medium.ItemName = name;
    return medium;
}

}  // namespace

TProjectEnvironment::TProjectEnvironment() {
    savedLanguages_ = std::move(LanguageList);
    LanguageList = std::make_unique<TLanguages>();
    LanguageList->Languages = {Language("UI", "ui:"), Language("Print", "")};

    // The options select languages as they load: choose ours afterwards.
    AppOptions = std::make_unique<TProgramOptions>();
    AppOptions->Planer.Clear();
    AppOptions->InitDate = false;
    LanguageList->SetLanguage("UI");
    LanguageList->SetPrintingLanguage("Print");

    MediumTypes = std::make_unique<TMediumTypes>();
    MediumTypes->Add(Medium("water", "Water"));
    MediumTypes->Add(Medium("air", "Air"));
    IsolationTypes = std::make_unique<TIsolationTypes>();
    TIsolation wool;
    wool.ItemID = "wool";
    wool.ItemName = "Wool";
    IsolationTypes->Add(wool);
    PriceList.reset();

    savedClipboard_ = SetClipboard(&clipboard_);
    savedDateHook_ = SetShortDateTextHook([](const win::TDate& d) {
        auto two = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
        return std::to_string(d.Year) + ". " + two(d.Month) + ". " + two(d.Day) + ".";
    });
    win::SetTodayHook([] { return win::TDate{2004, 2, 3}; });
}

TProjectEnvironment::~TProjectEnvironment() {
    win::SetTodayHook({});
    SetShortDateTextHook(std::move(savedDateHook_));
    SetClipboard(savedClipboard_);
    PriceList.reset();
    IsolationTypes.reset();
    MediumTypes.reset();
    AppOptions.reset();
    LanguageList = std::move(savedLanguages_);
}

void TProjectEnvironment::SetPriceList(const std::string& currency) {
    PriceList = std::make_unique<TPrice>();
    PriceList->Currency = currency;
}

void TProjectEnvironment::RemovePriceList() { PriceList.reset(); }

void TProjectEnvironment::SetPrintText(const std::string& key, const std::string& text) {
    auto& strings = LanguageList->Languages[1].Strings;
    if (text.empty()) {
        strings.erase(key);
    } else {
        strings[key] = text;
    }
}

std::string ItemRtf(const TItem& item) {
    TClipboardStream clipboard;
    item.WriteRtf(clipboard.RtfStream);
    return clipboard.RtfStream.DataString();
}

}  // namespace project_testing
