#pragma once
// A user-interface language with the texts the data bases show, installed in
// LanguageList for one test and removed afterwards.

#include "lang/Languages.h"

#include <gtest/gtest.h>

class DataLanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = std::move(LanguageList);
        LanguageList = std::make_unique<TLanguages>();
        TLanguage language;
        language.id = "Test";
        language.UserInterface = true;
        language.Default = true;
        language.Strings["IDS_USERDEFINED"] = "Egyedi";
        language.Strings["IDS_SUGGESTEDISOLATION"] = "Javasolt: ";
        language.Strings["IDS_MULTILAYERISOLATION"] = "Többrétegű: ";
        language.Strings["IDS_NOSUGGESTION"] = "Nincs javaslat";
        language.Strings["IDS_PRICEOUTOFDATE"] = "Lejárt árlista";
        language.Strings["IDS_PROGRAMTITLE"] = "Valdorine";
        language.Strings["IDS_WRONGVALUE"] = "Hibás érték";
        language.Strings["IDS_DEVICEDBLANGUAGE"] = "HU";
        LanguageList->Languages.push_back(language);
        LanguageList->SetLanguage("Test");
    }
    void TearDown() override { LanguageList = std::move(saved_); }

private:
    std::unique_ptr<TLanguages> saved_;
};
