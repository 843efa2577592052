#include "project/ValueHelpers.h"

#include "lang/Languages.h"
#include "platform/base/Controls.h"
#include "platform/base/Exception.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <memory>
#include <string>

namespace {

class ValueHelpersTest : public ::testing::Test {
protected:
    void SetUp() override {
        TLanguage english;
        english.id = "English";
        english.UserInterface = true;
        english.Strings["IDS_WRONGVALUE"] = "Invalid value";
        LanguageList->Languages = {english};
        LanguageList->SetLanguage("English");
    }
    void TearDown() override { LanguageList = std::make_unique<TLanguages>(); }

    // The message of the error StrToValue raises, or "no error".
    static std::string ErrorOf(const std::string& text, int mode) {
        try {
            StrToValue(text, mode);
        } catch (const Exception& e) {
            return e.Message();
        }
        return "no error";
    }
};

TEST_F(ValueHelpersTest, CommaAndPointAreDecimalPoints) {
    EXPECT_EQ(StrToValue("3,5", kAnyValue), 3.5);
    EXPECT_EQ(StrToValue("3.5", kAnyValue), 3.5);
    EXPECT_EQ(StrToValue("1,234,5", kAnyValue), 1.234);  // the second separator ends the number
    EXPECT_EQ(StrToValue(",5", kAnyValue), 0.5);
    EXPECT_EQ(StrToValue("-,25", kAnyValue), -0.25);
}

TEST_F(ValueHelpersTest, LongestLeadingNumberCounts) {
    EXPECT_EQ(StrToValue("12abc", kAnyValue), 12);
    EXPECT_EQ(StrToValue("1e3", kAnyValue), 1000);
    EXPECT_EQ(StrToValue("1E-2x", kAnyValue), 0.01);
    EXPECT_EQ(StrToValue("2e", kAnyValue), 2);
    EXPECT_EQ(StrToValue("2e+", kAnyValue), 2);
    EXPECT_EQ(StrToValue("+7", kAnyValue), 7);
    EXPECT_EQ(StrToValue("5.", kAnyValue), 5);
    EXPECT_EQ(StrToValue("20 mm", kAnyValue), 20);
}

TEST_F(ValueHelpersTest, NoDigitGivesZero) {
    EXPECT_EQ(StrToValue("", kAnyValue), 0);
    EXPECT_EQ(StrToValue("-", kAnyValue), 0);
    EXPECT_EQ(StrToValue(".", kAnyValue), 0);
    EXPECT_EQ(StrToValue("+e5", kAnyValue), 0);
}

TEST_F(ValueHelpersTest, BadFirstCharacterIsAnError) {
    EXPECT_EQ(ErrorOf("abc", kAnyValue), "Invalid value");
    EXPECT_EQ(ErrorOf(" 5", kAnyValue), "Invalid value");
    EXPECT_EQ(ErrorOf("e5", kAnyValue), "Invalid value");
    EXPECT_EQ(ErrorOf("1e999", kAnyValue), "Invalid value");  // no double holds it
}

TEST_F(ValueHelpersTest, UnderflowReadsAsZeroOverflowIsRefused) {
    const struct {
        const char* text;
        double value;  // NaN: refused
    } cases[] = {
        {"1e-400", 0},
        {"2e-324", 0},
        {"-1e-400", 0},
        {"100e-330mm", 0},
        {"1e-310", 1e-310},
        {"4,9e-324", 4.9e-324},  // the smallest double
        {"1,7976931348623157e308", 1.7976931348623157e308},
        {"1e309", NAN},
        {"-1e309", NAN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (std::isnan(c.value))
            EXPECT_EQ(ErrorOf(c.text, kAnyValue), "Invalid value");
        else
            EXPECT_EQ(StrToValue(c.text, kAnyValue), c.value);
    }
    // An underflow is no value above 0.
    EXPECT_EQ(ErrorOf("1e-400", kGreaterThanZero), "Invalid value");
    EXPECT_EQ(StrToValue("-1e-400", kZeroOrGreater), 0);
}

TEST_F(ValueHelpersTest, ModeChecks) {
    EXPECT_EQ(StrToValue("", kZeroOrGreater), 0);
    EXPECT_EQ(ErrorOf("", kGreaterThanZero), "Invalid value");
    EXPECT_EQ(ErrorOf("0", kGreaterThanZero), "Invalid value");
    EXPECT_EQ(StrToValue("0,001", kGreaterThanZero), 0.001);
    EXPECT_EQ(ErrorOf("-0.5", kZeroOrGreater), "Invalid value");
    EXPECT_EQ(StrToValue("0", kZeroOrGreater), 0);
    EXPECT_EQ(StrToValue("-0.5", kAnyValue), -0.5);
    EXPECT_EQ(StrToValue("-0.5", 7), -0.5);  // any other mode accepts any value
}

TEST_F(ValueHelpersTest, NoLanguageGivesAnEmptyMessage) {
    LanguageList = std::make_unique<TLanguages>();
    EXPECT_EQ(ErrorOf("x", kAnyValue), "");
}

TEST_F(ValueHelpersTest, ProcessLocaleDoesNotMatter) {
    const testing_support::ScopedCommaLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no comma-decimal locale installed (tools/install-deps.sh makes hu_HU.UTF-8)";
    ASSERT_EQ(*std::localeconv()->decimal_point, ',');
    EXPECT_EQ(StrToValue("3.5", kAnyValue), 3.5);
    EXPECT_EQ(StrToValue("3,5", kAnyValue), 3.5);
}

class TFakeEdit : public IControl {
public:
    explicit TFakeEdit(std::string text) : text_(std::move(text)) {}
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }
    void SetFocus() override { ++focused; }
    IFont& Font() override { throw std::logic_error("not used"); }
    int focused = 0;

private:
    std::string text_;
};

TEST_F(ValueHelpersTest, ControlToValueFocusesTheControlOnError) {
    TFakeEdit good("2,5");
    EXPECT_EQ(ControlToValue(good, kGreaterThanZero), 2.5);
    EXPECT_EQ(good.focused, 0);
    TFakeEdit bad("x");
    try {
        ControlToValue(bad, kAnyValue);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid value");
    }
    EXPECT_EQ(bad.focused, 1);
    TFakeEdit zero("0");
    EXPECT_THROW(ControlToValue(zero, kGreaterThanZero), Exception);
    EXPECT_EQ(zero.focused, 1);
}

}  // namespace
