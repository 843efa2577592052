#include "data/Price.h"

#include "DataTestLanguage.h"
#include "data/ParserStream.h"
#include "platform/base/Exception.h"
#include "platform/win/Clock.h"
#include "platform/win/MessageBox.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TPrice ReadPrice(const std::string& text) {
    TParserStream parser(text);
    TPrice price;
    price.Read(parser);
    return price;
}

std::string ErrorOf(const std::string& text) {
    try {
        ReadPrice(text);
    } catch (const Exception& e) {
        return e.Message();
    }
    return {};
}

}  // namespace

// The clock pinned and message boxes recorded instead of shown.
class PriceTest : public DataLanguageTest {
protected:
    testing_support::ScopedMessageBoxRecorder recorder_;
    std::vector<testing_support::TShownBox>& boxes = recorder_.Shown;
    win::TDate today{2026, 6, 15};

    void SetUp() override {
        DataLanguageTest::SetUp();
        savedClock_ = win::SetTodayHook([this] { return today; });
    }
    void TearDown() override {
        win::SetTodayHook(savedClock_);
        PriceList.reset();
        DataLanguageTest::TearDown();
    }

private:
    std::function<win::TDate()> savedClock_;
};

TEST_F(PriceTest, ReadsDateCurrencyAndRows) {
    const TPrice price = ReadPrice(
        "; example\n2031 12 31\n\"Ft\"\n\"mw_89_30\" 2450\n\"mw_89_50\"\n 3120,5 ; per metre\n\"END\" 0\n\"after\" 5");
    EXPECT_EQ(price.Year, 2031);
    EXPECT_EQ(price.Month, 12);
    EXPECT_EQ(price.Day, 31);
    EXPECT_EQ(price.Currency, "Ft");
    ASSERT_EQ(price.Items.size(), 3u);
    EXPECT_EQ(price.GetPrice("mw_89_30"), 2450);
    EXPECT_EQ(price.GetPrice("mw_89_50"), 3120.5f);
    EXPECT_EQ(price.GetPrice("END"), 0);
    EXPECT_EQ(price.GetPrice("after"), 0);
    EXPECT_EQ(price.GetPrice("MW_89_30"), 0);  // names compare with case
}

TEST_F(PriceTest, FirstRowOfANameWins) {
    const TPrice price = ReadPrice("2031 1 1 \"EUR\" \"a\" 1 \"a\" 2 \"END\" 9");
    EXPECT_EQ(price.GetPrice("a"), 1);
    EXPECT_EQ(price.GetPrice("END"), 9);
}

TEST_F(PriceTest, CurrencyWithAnEscapedQuote) {
    EXPECT_EQ(ReadPrice("2031 1 1\n\"\\\"Ft\\\"\"\n\"END\" 0").Currency, "\"Ft\"");
}

TEST_F(PriceTest, BrokenListsRaiseTheTokenErrors) {
    EXPECT_EQ(ErrorOf("2031 12 31\n\"Ft\"\n\"a\" 1\n"), "End of data error!");
    EXPECT_EQ(ErrorOf("2031 12 31\n\"Ft\"\n\"a\" 1e\n\"END\" 0"), "Float error!");
    EXPECT_EQ(ErrorOf("2031 12 31\n\"Ft\"\n\"a\" 12x\n\"END\" 0"), "Float error!");
    EXPECT_EQ(ErrorOf("2031 12 31\nFt\n\"END\" 0"), "String error!");
    EXPECT_EQ(ErrorOf("2031 12.5 31\n\"Ft\"\n\"END\" 0"), "Integer error!");
    EXPECT_EQ(ErrorOf("2031 12 31\n\"Ft\"\n\"END\""), "End of data error!");
    // Valid numbers out of range: the conversions' errors.
    EXPECT_EQ(ErrorOf("99999999999 12 31\n\"Ft\"\n\"END\" 0"), "'99999999999' is not a valid integer value");
    EXPECT_EQ(ErrorOf("2031 12 31\n\"Ft\"\n\"a\" 1e999\n\"END\" 0"), "'1e999' is not a valid floating point value");
    // Beyond the float the list keeps: no silent infinity.
    EXPECT_EQ(ErrorOf("2031 12 31\n\"Ft\"\n\"a\" 1e39\n\"END\" 0"), "'1e39' is not a valid floating point value");
    EXPECT_EQ(ErrorOf("2031 12 31\n\"Ft\"\n\"a\" -4e38\n\"END\" 0"), "'-4e38' is not a valid floating point value");
    EXPECT_EQ(ReadPrice("2031 12 31\n\"Ft\"\n\"a\" 1e-999\n\"END\" 0").GetPrice("a"), 0);
}

TEST_F(PriceTest, ImpossibleDatesAreRefused) {
    const struct {
        const char* date;
        const char* error;
    } cases[] = {
        {"2031 2 29", "'2031-2-29' is not a valid date"},  {"2031 13 1", "'2031-13-1' is not a valid date"},
        {"2031 0 1", "'2031-0-1' is not a valid date"},    {"2031 4 31", "'2031-4-31' is not a valid date"},
        {"0 1 1", "'0-1-1' is not a valid date"},          {"10000 1 1", "'10000-1-1' is not a valid date"},
        {"1900 2 29", "'1900-2-29' is not a valid date"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        EXPECT_EQ(ErrorOf(std::string(c.date) + " \"Ft\" \"END\" 0"), c.error);
    }
    EXPECT_EQ(ErrorOf("2028 2 29 \"Ft\" \"END\" 0"), "");
    EXPECT_EQ(ErrorOf("2000 2 29 \"Ft\" \"END\" 0"), "");
}

TEST_F(PriceTest, OutOfDateListWarnsAndStillLoads) {
    const std::string rest = " \"Ft\" \"a\" 5 \"END\" 0";
    ReadPrice("2026 6 15" + rest);
    EXPECT_TRUE(boxes.empty()) << "valid on its last day";
    const TPrice old = ReadPrice("2026 6 14" + rest);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Lejárt árlista");
    EXPECT_EQ(boxes[0].Caption, "Valdorine");
    EXPECT_EQ(boxes[0].Flags, win::MB_OK | win::MB_ICONWARNING);
    EXPECT_EQ(old.GetPrice("a"), 5);
    ReadPrice("2025 12 31" + rest);
    ReadPrice("2026 5 20" + rest);
    EXPECT_EQ(boxes.size(), 3u);
}

TEST_F(PriceTest, LoadPriceListFromAFile) {
    testing_support::TempDir dir;
    const auto file = dir.Path() / "PRICE.TXT";
    testing_support::WriteFile(file, "2031 12 31\r\n\"Ft\"\r\n\"mw_22_20\" 1230\r\n\"END\" 0\r\n");
    LoadPriceList(file);
    ASSERT_NE(PriceList, nullptr);
    EXPECT_EQ(PriceList->Currency, "Ft");
    EXPECT_EQ(PriceList->GetPrice("mw_22_20"), 1230);
    EXPECT_TRUE(boxes.empty());

    LoadPriceList(dir.Path() / "missing.txt");
    EXPECT_EQ(PriceList, nullptr);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PriceTest, BrokenPriceListIsShownOnceAndLeftOut) {
    testing_support::TempDir dir;
    const auto file = dir.Path() / "PRICE.TXT";
    testing_support::WriteFile(file, "2031 12 31\n\"Ft\"\n\"a\" x\n\"END\" 0\n");
    LoadPriceList(file);
    EXPECT_EQ(PriceList, nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Float error!");
    EXPECT_EQ(boxes[0].Caption, "Valdorine");
}

TEST_F(PriceTest, ConstructorRaisesOnAMissingFile) {
    testing_support::TempDir dir;
    EXPECT_THROW(TPrice(dir.Path() / "none.txt"), EFOpenError);
}
