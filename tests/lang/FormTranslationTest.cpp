#include "lang/Languages.h"

#include "platform/base/Controls.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <memory>
#include <string>
#include <vector>

namespace {

struct TSetCall {
    std::string Component;
    TComponentKind Kind;
    TComponentProperty Property;
    int Index;
    std::string Value;

    bool operator==(const TSetCall&) const = default;
};

// A component that is of the kinds it is told, with a list of `entries`
// items or columns, and records what translation sets.
class TFakeComponent : public IComponent {
public:
    TFakeComponent(std::string name, std::vector<TComponentKind> kinds, std::vector<TSetCall>& log, int entries = 10)
        : name_(std::move(name)), kinds_(std::move(kinds)), log_(log), entries_(entries) {}
    std::string Name() const override { return name_; }
    std::string ClassName() const override { return "Fake"; }
    bool IsKind(TComponentKind kind) const override {
        return std::find(kinds_.begin(), kinds_.end(), kind) != kinds_.end();
    }
    bool SetProperty(TComponentKind kind, TComponentProperty property, int index, const std::string& value) override {
        const bool indexed = property == TComponentProperty::ItemsString || property == TComponentProperty::ColumnCaption;
        if (indexed && index >= entries_) return false;
        log_.push_back({name_, kind, property, index, value});
        return true;
    }
    void SetFontCharset(int charset) override { Charset = charset; }

    int Charset = -1;

private:
    std::string name_;
    std::vector<TComponentKind> kinds_;
    std::vector<TSetCall>& log_;
    int entries_;
};

class TFakeForm : public IForm {
public:
    explicit TFakeForm(std::string name) : name_(std::move(name)) {}
    std::string Name() const override { return name_; }
    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    std::string Hint() const override { return hint_; }
    void SetHint(const std::string& hint) override { hint_ = hint; }
    std::string HelpFile() const override { return helpFile_; }
    void SetHelpFile(const std::string& helpFile) override { helpFile_ = helpFile; }
    void SetFontCharset(int charset) override { Charset = charset; }
    int ComponentCount() override { return static_cast<int>(components_.size()); }
    IComponent& Component(int index) override { return *components_.at(static_cast<std::size_t>(index)); }
    IComponent* FindComponent(std::string_view name) override {
        for (const auto& c : components_) {
            if (c->Name() == name) return c.get();
        }
        return nullptr;
    }

    TFakeComponent& Add(std::string name, std::vector<TComponentKind> kinds, int entries = 10) {
        components_.push_back(std::make_unique<TFakeComponent>(std::move(name), std::move(kinds), Log, entries));
        return *components_.back();
    }

    std::vector<TSetCall> Log;
    int Charset = -1;

private:
    std::string name_;
    std::string caption_ = "built-in";
    std::string hint_;
    std::string helpFile_;
    std::vector<std::unique_ptr<TFakeComponent>> components_;
};

TLanguage UiLanguage(int charset = -1) {
    TLanguage language;
    language.id = "English";
    language.UserInterface = true;
    language.Charset = charset;
    return language;
}

TLanguageFormItem Item(std::string name, std::string type, std::vector<std::pair<std::string, std::string>> pairs) {
    TLanguageFormItem item{std::move(name), std::move(type), {}, {}};
    for (auto& [id, value] : pairs) {
        item.PropertyIds.push_back(id);
        item.PropertyValues.push_back(value);
    }
    return item;
}

using K = TComponentKind;
using P = TComponentProperty;

}  // namespace

TEST(FormTranslation, FormPropertiesAndUnknownIds) {
    TLanguage language = UiLanguage();
    language.Forms.push_back({"MainForm", {"Caption", "Hint", "Color", "HelpFile"}, {"Main", "short|long", "clRed", "X.hlp"}, {}});
    TFakeForm form("MainForm");
    language.TranslateForm(form);
    EXPECT_EQ(form.Caption(), "Main");
    EXPECT_EQ(form.Hint(), "short|long");
    EXPECT_EQ(form.HelpFile(), "X.hlp");
    EXPECT_EQ(form.Charset, -1);  // charset -1 touches no font
}

TEST(FormTranslation, FirstFormOfTheNameWins) {
    TLanguage language = UiLanguage();
    language.Forms.push_back({"MainForm", {"Caption"}, {"first"}, {}});
    language.Forms.push_back({"MainForm", {"Caption"}, {"second"}, {}});
    TFakeForm form("MainForm");
    language.TranslateForm(form);
    EXPECT_EQ(form.Caption(), "first");
}

TEST(FormTranslation, InstanceNumberRetry) {
    TLanguage language = UiLanguage();
    language.Forms.push_back({"ItemModifyForm", {"Caption"}, {"Calculation"}, {}});
    language.Forms.push_back({"Form", {"Caption"}, {"plain form"}, {}});

    TFakeForm numbered("ItemModifyForm_1");
    language.TranslateForm(numbered);
    EXPECT_EQ(numbered.Caption(), "Calculation");

    TFakeForm many("ItemModifyForm_123");
    language.TranslateForm(many);
    EXPECT_EQ(many.Caption(), "Calculation");

    // Without "_" before the digits the name is looked up as it is.
    TFakeForm form12("Form12");
    language.TranslateForm(form12);
    EXPECT_EQ(form12.Caption(), "built-in");

    // "_" without digits, digits inside the name: no retry.
    for (const char* name : {"ItemModifyForm_", "ItemModifyForm_1a", "ItemModifyForm__1x"}) {
        TFakeForm other(name);
        language.TranslateForm(other);
        EXPECT_EQ(other.Caption(), "built-in") << name;
    }

    // An exact match wins over the shorter name.
    language.Forms.push_back({"ItemModifyForm_2", {"Caption"}, {"exact"}, {}});
    TFakeForm exact("ItemModifyForm_2");
    language.TranslateForm(exact);
    EXPECT_EQ(exact.Caption(), "exact");
}

TEST(FormTranslation, ComboItemsTakeTheRunningIndexTextDoesNot) {
    TLanguage language = UiLanguage();
    language.Forms.push_back({"F", {}, {}, {Item("MediumType", "TComboBox",
                                                 {{"Items.Strings", "Water"},
                                                  {"Text", "Oil"},
                                                  {"Items.Strings", "Oil"},
                                                  {"Hint", "Medium|The medium"},
                                                  {"Items.Strings", "Steam"}})}});
    TFakeForm form("F");
    form.Add("MediumType", {K::ComboBox});
    language.TranslateForm(form);
    const std::vector<TSetCall> expected{
        {"MediumType", K::ComboBox, P::ItemsString, 0, "Water"},
        {"MediumType", K::ComboBox, P::Text, 1, "Oil"},
        {"MediumType", K::ComboBox, P::ItemsString, 1, "Oil"},
        {"MediumType", K::ComboBox, P::Hint, 2, "Medium|The medium"},
        {"MediumType", K::ComboBox, P::ItemsString, 2, "Steam"},
    };
    EXPECT_EQ(form.Log, expected);
}

TEST(FormTranslation, ListColumnsAndEntriesBeyondTheEndAreIgnored) {
    TLanguage language = UiLanguage();
    language.Forms.push_back({"F", {}, {}, {Item("ItemsList", "TListView",
                                                 {{"Columns.item.Caption", "Name"},
                                                  {"Columns.item.Caption", "Comment"},
                                                  {"Columns.item.Caption", "Extra"}})}});
    TFakeForm form("F");
    form.Add("ItemsList", {K::ListView}, 2);
    language.TranslateForm(form);
    ASSERT_EQ(form.Log.size(), 2u);
    EXPECT_EQ(form.Log[0], (TSetCall{"ItemsList", K::ListView, P::ColumnCaption, 0, "Name"}));
    EXPECT_EQ(form.Log[1], (TSetCall{"ItemsList", K::ListView, P::ColumnCaption, 1, "Comment"}));
}

TEST(FormTranslation, PropertiesByDeclaredType) {
    struct Row {
        const char* Type;
        K Kind;
        const char* Id;
        bool Taken;
        P Property;
    };
    const Row rows[] = {
        {"TAction", K::Action, "Caption", true, P::Caption},
        {"TAction", K::Action, "Text", false, P::Text},
        {"TButton", K::Button, "Hint", true, P::Hint},
        {"TChart", K::Chart, "Title.Text.Strings", true, P::ChartTitleLine},
        {"TChart", K::Chart, "LeftAxis.Title.Caption", true, P::LeftAxisTitle},
        {"TChart", K::Chart, "TopAxis.Title.Caption", true, P::TopAxisTitle},
        {"TCheckBox", K::CheckBox, "Hint", false, P::Hint},
        {"TCheckListBox", K::CheckListBox, "Items.Strings", true, P::ItemsString},
        {"TEdit", K::Edit, "Text", true, P::Text},
        {"TEdit", K::Edit, "Caption", false, P::Caption},
        {"TGroupBox", K::GroupBox, "Caption", true, P::Caption},
        {"TImage", K::Image, "Hint", true, P::Hint},
        {"TImage", K::Image, "Caption", false, P::Caption},
        {"TLabel", K::Label, "Caption", true, P::Caption},
        {"TListHeader", K::ListHeader, "Hint", true, P::Hint},
        {"TMenuItem", K::MenuItem, "Hint", true, P::Hint},
        {"TOpenDialog", K::OpenDialog, "Filter", true, P::Filter},
        {"TOpenDialog", K::OpenDialog, "Caption", false, P::Caption},
        {"TSaveDialog", K::SaveDialog, "Title", true, P::Title},
        {"TPageControl", K::PageControl, "Hint", true, P::Hint},
        {"TPanel", K::Panel, "Caption", true, P::Caption},
        {"TPanel", K::Panel, "Hint", false, P::Hint},
        {"TRadioButton", K::RadioButton, "Caption", true, P::Caption},
        {"TRadioGroup", K::RadioGroup, "Items.Strings", true, P::ItemsString},
        {"TSeries", K::Series, "Title", true, P::Title},
        {"TSpeedButton", K::SpeedButton, "Caption", true, P::Caption},
        {"TTabSheet", K::TabSheet, "Caption", true, P::Caption},
        {"TToolButton", K::ToolButton, "Hint", true, P::Hint},
        {"TUpDown", K::UpDown, "Hint", true, P::Hint},
        {"TUpDown", K::UpDown, "Caption", false, P::Caption},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.Type) + " " + row.Id);
        TLanguage language = UiLanguage();
        language.Forms.push_back({"F", {}, {}, {Item("C", row.Type, {{row.Id, "v"}})}});
        TFakeForm form("F");
        form.Add("C", {row.Kind});
        language.TranslateForm(form);
        if (row.Taken) {
            ASSERT_EQ(form.Log.size(), 1u);
            EXPECT_EQ(form.Log[0].Property, row.Property);
            EXPECT_EQ(form.Log[0].Kind, row.Kind);
        } else {
            EXPECT_TRUE(form.Log.empty());
        }
    }
}

TEST(FormTranslation, NamesAndTypesAreExactAndMustFit) {
    TLanguage language = UiLanguage(238);
    language.Forms.push_back({"F", {}, {}, {
        Item("OKButton", "tbutton", {{"Caption", "lower-case type"}}),
        Item("okbutton", "TButton", {{"Caption", "lower-case name"}}),
        Item("OKButton", "TWidget", {{"Caption", "unknown type"}}),
        Item("Missing", "TButton", {{"Caption", "no such component"}}),
        Item("NameLabel", "TButton", {{"Caption", "a label is no button"}}),
        Item("OKButton", "TButton", {{"caption", "lower-case id"}}),
    }});
    TFakeForm form("F");
    TFakeComponent& button = form.Add("OKButton", {K::Button});
    TFakeComponent& label = form.Add("NameLabel", {K::Label});
    language.TranslateForm(form);
    EXPECT_TRUE(form.Log.empty());
    // The charset reaches a fitting, marked type only.
    EXPECT_EQ(button.Charset, 238);
    EXPECT_EQ(label.Charset, -1);
}

TEST(FormTranslation, CharsetGoesToFormAndMarkedTypesOnly) {
    TLanguage language = UiLanguage(238);
    language.Forms.push_back({"F", {}, {}, {Item("OKButton", "TButton", {{"Caption", "OK"}}),
                                            Item("NameLabel", "TLabel", {{"Caption", "Name"}}),
                                            Item("File1", "TMenuItem", {{"Caption", "File"}}),
                                            Item("ItemsList", "TListView", {})}});
    TFakeForm form("F");
    TFakeComponent& button = form.Add("OKButton", {K::Button});
    TFakeComponent& label = form.Add("NameLabel", {K::Label});
    TFakeComponent& menu = form.Add("File1", {K::MenuItem});
    TFakeComponent& list = form.Add("ItemsList", {K::ListView});
    language.TranslateForm(form);
    EXPECT_EQ(form.Charset, 238);
    EXPECT_EQ(button.Charset, 238);
    EXPECT_EQ(list.Charset, 238);
    EXPECT_EQ(label.Charset, -1);
    EXPECT_EQ(menu.Charset, -1);
}

TEST(FormTranslation, OnlyUserInterfaceLanguagesTranslate) {
    TLanguages languages;
    TLanguage printing = UiLanguage();
    printing.id = "Deutsch";
    printing.UserInterface = false;
    printing.Forms.push_back({"F", {"Caption"}, {"Deutsch"}, {}});
    TLanguage english = UiLanguage();
    english.Forms.push_back({"F", {"Caption"}, {"English"}, {}});
    languages.Languages = {printing, english};

    TFakeForm direct("F");
    languages.Languages[0].TranslateForm(direct);
    EXPECT_EQ(direct.Caption(), "built-in");

    TFakeForm none("F");
    languages.TranslateForm(none);  // nothing selected yet
    EXPECT_EQ(none.Caption(), "built-in");

    languages.SetLanguage("Deutsch");  // not a user-interface language: none
    languages.SetPrintingLanguage("Deutsch");
    languages.TranslateForm(none);
    EXPECT_EQ(none.Caption(), "built-in");

    // The user-interface language also in printing mode.
    languages.SetLanguage("English");
    languages.SetPrintingLanguage("Deutsch");
    languages.PrintingMode = true;
    TFakeForm form("F");
    languages.TranslateForm(form);
    EXPECT_EQ(form.Caption(), "English");
}
