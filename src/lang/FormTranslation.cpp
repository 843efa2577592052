// Form translation: which properties each declared component type takes, and
// the walk over a form translation that applies them.

#include "lang/Languages.h"

#include "platform/base/Controls.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>
#include <optional>
#include <string_view>

namespace {

using enum TComponentProperty;

struct TPropertyRule {
    std::string_view Id;
    TComponentProperty Property;
};

struct TTypeRule {
    std::string_view TypeName;
    TComponentKind Kind;
    bool Charset;  // the language's character set goes to the component's font
    std::vector<TPropertyRule> Properties;
};

constexpr TPropertyRule kCaption{"Caption", Caption};
constexpr TPropertyRule kHint{"Hint", Hint};
constexpr TPropertyRule kText{"Text", Text};
constexpr TPropertyRule kItems{"Items.Strings", ItemsString};

const std::array<TTypeRule, 24>& TypeRules() {
    using K = TComponentKind;
    static const std::array<TTypeRule, 24> rules{{
        {"TAction", K::Action, false, {kCaption, kHint}},
        {"TButton", K::Button, true, {kCaption, kHint}},
        {"TChart", K::Chart, false,
         {{"Title.Text.Strings", ChartTitleLine},
          {"BottomAxis.Title.Caption", BottomAxisTitle},
          {"LeftAxis.Title.Caption", LeftAxisTitle},
          {"RightAxis.Title.Caption", RightAxisTitle},
          {"TopAxis.Title.Caption", TopAxisTitle}}},
        {"TCheckBox", K::CheckBox, true, {kCaption}},
        {"TCheckListBox", K::CheckListBox, true, {kItems}},
        {"TComboBox", K::ComboBox, true, {kText, kHint, kItems}},
        {"TEdit", K::Edit, true, {kText, kHint}},
        {"TGroupBox", K::GroupBox, true, {kCaption, kHint}},
        {"TImage", K::Image, false, {kHint}},
        {"TLabel", K::Label, false, {kCaption, kHint}},
        {"TListHeader", K::ListHeader, false, {kHint}},
        {"TListView", K::ListView, true, {{"Columns.item.Caption", ColumnCaption}}},
        {"TMenuItem", K::MenuItem, false, {kCaption, kHint}},
        {"TOpenDialog", K::OpenDialog, false, {{"Filter", Filter}, {"Title", Title}}},
        {"TPageControl", K::PageControl, true, {kHint}},
        {"TPanel", K::Panel, true, {kCaption}},
        {"TRadioButton", K::RadioButton, true, {kCaption}},
        {"TRadioGroup", K::RadioGroup, true, {kCaption, kItems}},
        {"TSaveDialog", K::SaveDialog, false, {{"Filter", Filter}, {"Title", Title}}},
        {"TSeries", K::Series, false, {{"Title", Title}}},
        {"TSpeedButton", K::SpeedButton, true, {kCaption, kHint}},
        {"TTabSheet", K::TabSheet, true, {kCaption}},
        {"TToolButton", K::ToolButton, false, {kCaption, kHint}},
        {"TUpDown", K::UpDown, false, {kHint}},
    }};
    return rules;
}

const TTypeRule* FindTypeRule(std::string_view typeName) {
    for (const TTypeRule& rule : TypeRules()) {
        if (rule.TypeName == typeName) return &rule;
    }
    return nullptr;
}

std::optional<TComponentProperty> PropertyOf(const TTypeRule& rule, std::string_view id) {
    for (const TPropertyRule& property : rule.Properties) {
        if (property.Id == id) return property.Property;
    }
    return std::nullopt;
}

// Both list properties count with the one running index of the item.
bool IsIndexedId(std::string_view id) {
    return id == "Items.Strings" || id == "Columns.item.Caption";
}

const TLanguageForm* FindForm(const std::vector<TLanguageForm>& forms, std::string_view name) {
    const auto it = std::find_if(forms.begin(), forms.end(), [&](const TLanguageForm& f) { return f.Name == name; });
    return it == forms.end() ? nullptr : &*it;
}

// "ItemModifyForm_12" -> "ItemModifyForm"; nothing for a name without "_"
// right before its trailing digits.
std::optional<std::string_view> NameWithoutInstanceNumber(std::string_view name) {
    std::size_t end = name.size();
    while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9') --end;
    if (end == name.size() || end == 0 || name[end - 1] != '_') return std::nullopt;
    return name.substr(0, end - 1);
}

}  // namespace

void TLanguageFormItem::Apply(IForm& form, int charset) const {
    IComponent* component = form.FindComponent(Name);
    if (!component) return;
    const TTypeRule* rule = FindTypeRule(TypeName);
    if (!rule || !component->IsKind(rule->Kind)) return;
    int index = 0;
    const std::size_t count = std::min(PropertyIds.size(), PropertyValues.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& id = PropertyIds[i];
        if (const auto property = PropertyOf(*rule, id)) {
            component->SetProperty(rule->Kind, *property, index, PropertyValues[i]);
        }
        if (IsIndexedId(id)) ++index;
    }
    if (rule->Charset && charset != -1) component->SetFontCharset(charset);
}

void TLanguageForm::Apply(IForm& form, int charset) const {
    const std::size_t count = std::min(PropertyIds.size(), PropertyValues.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& id = PropertyIds[i];
        const std::string& value = PropertyValues[i];
        if (id == "Caption") {
            form.SetCaption(value);
        } else if (id == "Hint") {
            form.SetHint(value);
        } else if (id == "HelpFile") {
            form.SetHelpFile(value);
        }
    }
    if (charset != -1) form.SetFontCharset(charset);
    for (const TLanguageFormItem& item : Items) item.Apply(form, charset);
}

void TLanguage::TranslateForm(IForm& form) const {
    if (!UserInterface) return;
    const std::string name = form.Name();
    const TLanguageForm* translation = FindForm(Forms, name);
    if (!translation) {
        if (const auto shorter = NameWithoutInstanceNumber(name)) translation = FindForm(Forms, *shorter);
    }
    if (translation) translation->Apply(form, Charset);
}

void TLanguages::TranslateForm(IForm& form) const {
    if (const TLanguage* language = CurrentLanguage()) language->TranslateForm(form);
}
