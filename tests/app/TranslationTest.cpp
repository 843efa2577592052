// A language file applied to real Qt forms, from the XML to the widgets.

#include "lang/Languages.h"
#include "platform/ui/ComponentProperties.h"
#include "platform/ui/Form.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

constexpr char kLanguage[] =
    "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n"
    "<languagefile>\n"
    "  <language id=\"English\" UserInterface=\"yes\" Charset=\"238\"></language>\n"
    "  <form name=\"ItemModifyForm\">\n"
    "    <property id=\"Caption\" value=\"Calculation\"></property>\n"
    "    <formitem name=\"MediumLabel\" type=\"TLabel\">\n"
    "      <property id=\"Caption\" value=\"Medium:\"></property>\n"
    "    </formitem>\n"
    "    <formitem name=\"MediumType\" type=\"TComboBox\">\n"
    "      <property id=\"Items.Strings\" value=\"Water\"></property>\n"
    "      <property id=\"Text\" value=\"ignored for a list\"></property>\n"
    "      <property id=\"Items.Strings\" value=\"Oil\"></property>\n"
    "      <property id=\"Items.Strings\" value=\"Steam\"></property>\n"
    "    </formitem>\n"
    "    <formitem name=\"OKButton\" type=\"TLabel\">\n"
    "      <property id=\"Caption\" value=\"declared as a label\"></property>\n"
    "    </formitem>\n"
    "    <formitem name=\"CancelButton\" type=\"TButton\">\n"
    "      <property id=\"Caption\" value=\"Cancel\"></property>\n"
    "    </formitem>\n"
    "  </form>\n"
    "</languagefile>\n";

class TCalculationForm : public TForm {
public:
    explicit TCalculationForm(const char* name) {
        setObjectName(QString::fromLatin1(name));
        setWindowTitle(QStringLiteral("Számítás"));
        Label = Named<QLabel>("MediumLabel");
        Label->setText(QStringLiteral("Közeg:"));
        Combo = Named<QComboBox>("MediumType");
        Combo->addItems({QStringLiteral("víz"), QStringLiteral("olaj")});
        Ok = Named<QPushButton>("OKButton");
        Ok->setText(QStringLiteral("OK"));
        Cancel = Named<QPushButton>("CancelButton");
        Cancel->setText(QStringLiteral("Mégse"));
    }
    QLabel* Label;
    QComboBox* Combo;
    QPushButton* Ok;
    QPushButton* Cancel;

private:
    template <class T>
    T* Named(const char* name) {
        auto* widget = new T(this);
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    }
};

class Translation : public ::testing::Test {
protected:
    void SetUp() override {
        languages.Languages.push_back(ReadLanguage(kLanguage));
        languages.SetLanguage("English");
    }
    TLanguages languages;
};

}  // namespace

TEST_F(Translation, ASecondInstanceTakesTheFormsTranslation) {
    TCalculationForm form("ItemModifyForm_1");
    languages.TranslateForm(form);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Calculation"));
    EXPECT_EQ(form.Label->text(), QStringLiteral("Medium:"));
    // Entries 0 and 1 replaced; the third has no entry to replace.
    EXPECT_EQ(form.Combo->count(), 2);
    EXPECT_EQ(form.Combo->itemText(0), QStringLiteral("Water"));
    EXPECT_EQ(form.Combo->itemText(1), QStringLiteral("Oil"));
    // A declared type that doesn't fit the widget changes nothing.
    EXPECT_EQ(form.Ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(form.Cancel->text(), QStringLiteral("Cancel"));
    // Charset 238: the form, the combo box and the buttons, not the label.
    EXPECT_EQ(FontCharset(form), 238);
    EXPECT_EQ(FontCharset(*form.Combo), 238);
    EXPECT_EQ(FontCharset(*form.Cancel), 238);
    EXPECT_EQ(FontCharset(*form.Label), -1);
    EXPECT_EQ(FontCharset(*form.Ok), -1);
}

TEST_F(Translation, DigitsWithoutUnderscoreAreNoInstanceNumber) {
    TCalculationForm form("ItemModifyForm1");
    languages.TranslateForm(form);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Számítás"));
    EXPECT_EQ(form.Cancel->text(), QStringLiteral("Mégse"));
}
