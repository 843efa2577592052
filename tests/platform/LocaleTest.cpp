// Numbers must read and print the same whatever locale the process runs in:
// Qt sets it from the environment, and a comma-decimal user must still get
// '.' in printf-style texts and project data.

#include "platform/base/Format.h"
#include "platform/base/StringList.h"
#include "platform/base/SysUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <locale.h>

namespace {

// Sets environment variables for one test and puts the old values back.
class EnvScope {
public:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~EnvScope() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) {
                ::setenv(it->first.c_str(), it->second->c_str(), 1);
            } else {
                ::unsetenv(it->first.c_str());
            }
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

bool LocaleInstalled(const char* name) {
    locale_t l = ::newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(nullptr));
    if (l) ::freelocale(l);
    return l != nullptr;
}

}  // namespace

TEST(Locale, NumbersIgnoreACommaDecimalProcessLocale) {
    testing_support::ScopedCommaLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no comma-decimal locale installed (tools/install-deps.sh generates one)";
    const char old = DecimalSeparator();
    SetDecimalSeparator('.');

    EXPECT_EQ(Format("%.2f|%e|%g|%d", {1.5, 0.25, 1e-5, 12345}), "1.50|2.500000e-01|1e-05|12345");
    double value = 0;
    EXPECT_TRUE(TryParseDouble("88.9", value));
    EXPECT_EQ(value, 88.9);
    EXPECT_EQ(ParseDoublePrefix("3.5,7", value), 3u);
    EXPECT_EQ(value, 3.5);
    EXPECT_FALSE(TryParseDouble("88,9", value));
    EXPECT_EQ(StrToFloat("2.25"), 2.25);
    EXPECT_EQ(FloatToStr(2.25), "2.25");
    EXPECT_EQ(FloatToStrG(1234.5, 4), "1235");
    EXPECT_EQ(SingleToStr(88.9f), "88.9");
    EXPECT_EQ(IntToStr(-1234567), "-1234567");
    EXPECT_EQ(StrToInt("1234567"), 1234567);

    // The user's separator stays what it was set to, whatever the locale.
    SetDecimalSeparator(',');
    EXPECT_EQ(FloatToStr(2.25), "2,25");
    EXPECT_EQ(Format("%.2f", {2.25}), "2.25");
    SetDecimalSeparator(old);
}

TEST(Locale, DecimalSeparatorComesFromTheUserNumericLocale) {
    if (!LocaleInstalled("de_DE.UTF-8") && !LocaleInstalled("hu_HU.UTF-8"))
        GTEST_SKIP() << "no comma-decimal locale installed (tools/install-deps.sh generates one)";
    const char* comma = LocaleInstalled("hu_HU.UTF-8") ? "hu_HU.UTF-8" : "de_DE.UTF-8";
    const char old = DecimalSeparator();
    const std::string processLocale = ::setlocale(LC_ALL, nullptr);
    EnvScope env;

    env.Set("LC_ALL", comma);
    InitDecimalSeparatorFromLocale();
    EXPECT_EQ(DecimalSeparator(), ',');
    EXPECT_EQ(::setlocale(LC_ALL, nullptr), processLocale);  // only read, never set

    env.Set("LC_ALL", nullptr);  // then LC_NUMERIC wins over LANG
    env.Set("LC_NUMERIC", comma);
    env.Set("LANG", "C");
    InitDecimalSeparatorFromLocale();
    EXPECT_EQ(DecimalSeparator(), ',');

    env.Set("LC_NUMERIC", "C.UTF-8");
    env.Set("LANG", comma);
    InitDecimalSeparatorFromLocale();
    EXPECT_EQ(DecimalSeparator(), '.');

    env.Set("LC_NUMERIC", nullptr);  // LANG alone
    InitDecimalSeparatorFromLocale();
    EXPECT_EQ(DecimalSeparator(), ',');

    env.Set("LC_ALL", "xx_YY.UTF-8");  // unknown to the system
    InitDecimalSeparatorFromLocale();
    EXPECT_EQ(DecimalSeparator(), '.');

    env.Set("LC_ALL", nullptr);
    env.Set("LANG", nullptr);
    InitDecimalSeparatorFromLocale();
    EXPECT_EQ(DecimalSeparator(), '.');
    EXPECT_EQ(::setlocale(LC_ALL, nullptr), processLocale);
    SetDecimalSeparator(old);
}
