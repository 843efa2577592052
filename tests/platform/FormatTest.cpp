#include "platform/base/Format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

// The oracle: C printf in the "C" locale the test runs in.
std::string Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string out(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, again);
    va_end(again);
    out.resize(static_cast<std::size_t>(length));
    return out;
}

// Every combination of flags, widths and precisions with conversion `c`;
// flags C leaves undefined for `c` are left out.
std::vector<std::string> Fields(char c, const std::string& allowedFlags) {
    std::vector<std::string> fields;
    const std::vector<std::string> widths{"", "1", "7", "24"};
    const std::vector<std::string> precisions{"", ".", ".0", ".1", ".2", ".5", ".6", ".15", ".17", ".40"};
    const int flagCount = static_cast<int>(allowedFlags.size());
    for (int mask = 0; mask < (1 << flagCount); ++mask) {
        std::string flags;
        for (int f = 0; f < flagCount; ++f)
            if (mask & (1 << f)) flags += allowedFlags[static_cast<std::size_t>(f)];
        for (const auto& w : widths)
            for (const auto& p : precisions) fields.push_back(flags + w + p + c);
    }
    return fields;
}

const std::vector<double> kDoubles{
    0.0, -0.0, 1.0, -1.0, 0.5, 0.125, 0.375, 2.5, 2.675, 9.9999995, 99.95, 88.9, double(88.9f), 1.0 / 3.0,
    1e-5, 1.5e-7, 0.0001, 123456.789, 999999.5, 1e15, 1e16, 1e21, 1e100, -1e-300, 4.9e-324, DBL_MIN, DBL_MAX,
    std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()};

const std::vector<long long> kIntegers{0,       1,       -1,      7,         -42,       1000000,  INT_MAX,
                                       INT_MIN, LLONG_MAX, LLONG_MIN, 123456789, -99999999};

}  // namespace

TEST(Format, FloatConversionsEqualPrintf) {
    int checked = 0;
    for (const char c : std::string("feEgG")) {
        for (const std::string& field : Fields(c, "-+ #0")) {
            const std::string format = "<%" + field + ">";
            const bool alternateGeneral = (c == 'g' || c == 'G') && field.find('#') != std::string::npos;
            for (const double v : kDoubles) {
                // glibc drops the zeros of "%#g" when rounding carries into a new
                // exponent; AlternateGeneralKeepsZerosAfterACarry checks these.
                if (alternateGeneral && (v == 999999.5 || v == 99.95)) continue;
                ASSERT_EQ(Format(format, {v}), Printf(format.c_str(), v)) << format << " of " << Printf("%a", v);
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 40000);
}

TEST(Format, RandomDoublesEqualPrintf) {
    std::uint64_t state = 0x9E3779B97F4A7C15u;  // fixed seed: the same values every run
    for (int n = 0; n < 20000; ++n) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        double v = 0;
        if (n % 2) {
            std::memcpy(&v, &state, sizeof v);  // any bit pattern, NaNs and subnormals included
        } else {
            v = static_cast<double>(static_cast<std::int64_t>(state >> 11)) * std::pow(10.0, n % 40 - 30);
        }
        for (const char* format : {"%.17g", "%.3e", "%.10f", "%g", "%+012.4G", "% .1f", "%-9.0e|"})
            ASSERT_EQ(Format(format, {v}), Printf(format, v)) << format << " of " << Printf("%a", v);
    }
}

TEST(Format, IntegerConversionsEqualPrintf) {
    for (const char c : std::string("di")) {
        for (const std::string& field : Fields(c, "-+ 0")) {
            const std::string format = "[%" + field + "]";
            std::string cFormat = format;
            cFormat.insert(cFormat.size() - 2, "ll");
            for (const long long v : kIntegers) ASSERT_EQ(Format(format, {v}), Printf(cFormat.c_str(), v)) << format;
        }
    }
}

TEST(Format, TextConversionsEqualPrintf) {
    const std::vector<std::string> texts{"", "a", "hello", "\xC1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p",
                                         std::string(100, 'x')};
    for (const std::string& field : Fields('s', "-")) {
        const std::string format = "(%" + field + ")";
        for (const std::string& t : texts) ASSERT_EQ(Format(format, {t}), Printf(format.c_str(), t.c_str())) << format;
    }
}

TEST(Format, AlternateGeneralKeepsZerosAfterACarry) {
    // By the C rule: precision P, exponent X of the rounded value; X >= P gives
    // style e with P - 1 digits after the point, and "#" keeps trailing zeros.
    EXPECT_EQ(Format("%#g", {999999.5}), "1.00000e+06");
    EXPECT_EQ(Format("%#.2g", {99.95}), "1.0e+02");
    EXPECT_EQ(Format("%#.1g", {9.5}), "1.e+01");
    EXPECT_EQ(Format("%#.2g", {9.96}), "10.");
    EXPECT_EQ(Format("%.2g", {99.95}), "1e+02");
}

TEST(Format, ReportTemplatesWithSeveralConversions) {
    // Row templates as the reports use them, each against printf.
    EXPECT_EQ(Format("\\tab %4.f\\tab W/mK\\par ", {0.04}), Printf("\\tab %4.f\\tab W/mK\\par ", 0.04));
    EXPECT_EQ(Format("%4.4g|%3.3g|%.0f %%", {0.0000123456, 1234.5, 99.5}),
              Printf("%4.4g|%3.3g|%.0f %%", 0.0000123456, 1234.5, 99.5));
    EXPECT_EQ(Format("{\\b %s}\\par %d/%i: %.1f", {"Cs\xF5", 3, -4, 12.25}),
              Printf("{\\b %s}\\par %d/%i: %.1f", "Cs\xF5", 3, -4, 12.25));
    EXPECT_EQ(Format("%02i", {7}), "07");
    EXPECT_EQ(Format("no conversions at all", {}), "no conversions at all");
}

TEST(Format, HugeFieldsWithinTheLimitEqualPrintf) {
    for (const char* format : {"%.300f", "%.1000e", "%4096.3f", "%-4096g", "%.4096f", "%+.60G"}) {
        for (const double v : {DBL_MAX, -DBL_MIN, 4.9e-324, 1.0 / 3.0})
            ASSERT_EQ(Format(format, {v}), Printf(format, v)) << format;
    }
    EXPECT_EQ(Format("%4096d", {5}), Printf("%4096d", 5));
    EXPECT_EQ(Format("%.4096d", {-5}), Printf("%.4096d", -5));
}

TEST(Format, FieldsBeyondTheLimitAreCopiedAsText) {
    EXPECT_EQ(Format("%4097d|%d", {5}), "%4097d|5");
    EXPECT_EQ(Format("%.99999999999999999999f", {1.5}), "%.99999999999999999999f");
    EXPECT_EQ(Format("%99999999999999999999s", {"a"}), "%99999999999999999999s");
}

TEST(Format, TextWhereANumberIsDeclaredIsCopiedAndTheNumberWaits) {
    EXPECT_EQ(Format("%s", {5}), "%s");
    EXPECT_EQ(Format("%s = %d", {5}), "%s = 5");
    EXPECT_EQ(Format("%d", {"text"}), "%d");
    EXPECT_EQ(Format("%f", {5}), "%f");  // an int is no double: callers pass 5.0
    EXPECT_EQ(Format("%f %d", {5}), "%f 5");
    EXPECT_EQ(Format("%s", {2.5}), "%s");
}

TEST(Format, ConversionsBeyondTheDeclaredArgumentsAreCopied) {
    EXPECT_EQ(Format("%d and %d", {1}), "1 and %d");
    EXPECT_EQ(Format("%.1f%s%e", {1.25}), "1.2%s%e");
    EXPECT_EQ(Format("%s", {}), "%s");
    EXPECT_EQ(Format("%-08.3f", {}), "%-08.3f");
}

TEST(Format, OtherConversionsAreCopiedWithoutTakingAnArgument) {
    EXPECT_EQ(Format("%n", {1}), "%n");
    EXPECT_EQ(Format("%n%d", {7}), "%n7");
    EXPECT_EQ(Format("%x %c %u %p %ld %lf %hd", {1}), "%x %c %u %p %ld %lf %hd");
    EXPECT_EQ(Format("%*d %.*f", {3, 4}), "%*d %.*f");
    EXPECT_EQ(Format("%-5", {1}), "%-5");
    EXPECT_EQ(Format("100%", {}), "100%");
    EXPECT_EQ(Format("%", {}), "%");
    EXPECT_EQ(Format("%%d %5%d", {9}), "%d %59");
    EXPECT_EQ(Format(std::string_view("a\0%d", 4), {1}), std::string("a\0" "1", 3));
}

TEST(Format, OutputHasNoFixedLimit) {
    const std::string longText(5000, 'y');
    const std::string out = Format("<%s>%s", {longText, longText});
    EXPECT_EQ(out.size(), 10002u);
    EXPECT_EQ(out.front(), '<');
    EXPECT_EQ(out.back(), 'y');
}

TEST(Format, ArgumentsOfEveryDeclaredType) {
    const std::string s = "std";
    const float single = 88.9f;
    const short small = -3;
    EXPECT_EQ(Format("%s %s %s %s", {s, std::string_view("view"), "literal", static_cast<const char*>(nullptr)}),
              "std view literal ");
    EXPECT_EQ(Format("%d %d %d %d %d", {small, 4u, 5L, 6LL, 'A'}), "-3 4 5 6 65");
    EXPECT_EQ(Format("%.8g", {single}), "88.900002");  // promoted exactly, like printf
}
