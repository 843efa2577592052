#include "data/Mediumdbitem.h"

#include "DataTestHelpers.h"
#include "DataTestLanguage.h"
#include "platform/base/Exception.h"
#include "support/DataBuilders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfenv>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

using testing_support::Points;
using testing_support::Polinom;

TMediumDBItem Medium(std::string id, std::string name, std::uint16_t usages, std::uint16_t modes) {
    TMediumDBItem item;
    item.ItemID = std::move(id);
    item.ItemName = std::move(name);
    item.Usages = usages;
    item.CalcModes = modes;
    return item;
}

}  // namespace

TEST(MediumFunction, PolynomialHighestPowerFirst) {
    // 2 t^2 + 3 t + 4 at t = 10.
    EXPECT_DOUBLE_EQ(Polinom("", {2, 3, 4}).Value(10), 234);
    EXPECT_DOUBLE_EQ(Polinom("", {7}).Value(-30), 7);
    EXPECT_DOUBLE_EQ(Polinom("", {}).Value(10), 0);
}

TEST(MediumFunction, PointsInterpolateAndExtrapolateTheQuadratic) {
    // Through (0, 1), (10, 3), (20, 9): 0.02 t^2 + 1.
    const TMediumFunction f = Points("", {0, 10, 20}, {1, 3, 9});
    EXPECT_DOUBLE_EQ(f.Value(10), 3);
    EXPECT_DOUBLE_EQ(f.Value(5), 1.5);
    EXPECT_DOUBLE_EQ(f.Value(30), 19);
    EXPECT_DOUBLE_EQ(f.Value(0), 1);
    // The order of the points does not matter.
    EXPECT_DOUBLE_EQ(Points("", {20, 0, 10}, {9, 1, 3}).Value(5), 1.5);
}

TEST(MediumFunction, DegeneratePointSets) {
    EXPECT_EQ(Points("", {}, {}).Value(25), 0);
    EXPECT_EQ(Points("", {40}, {7}).Value(-100), 7);
    // A repeated temperature would divide by zero: the later point is left out.
    const double v = Points("", {0, 10, 10, 20}, {1, 3, 100, 9}).Value(5);
    EXPECT_DOUBLE_EQ(v, 1.5);
    EXPECT_DOUBLE_EQ(Points("", {5, 5}, {2, 4}).Value(50), 2);
    // Unequal list lengths use the common part only.
    EXPECT_DOUBLE_EQ(Points("", {0, 10, 20}, {1, 3}).Value(5), 2);
}

namespace {

// The values the calculation takes must be those of Neville's scheme as the
// textbook writes it, to the last bit and with the same floating-point
// exception flags (a flag fails a calculation). This is that loop.
double TextbookNeville(const TMediumFunction& f, double t) {
    const std::size_t n = std::min(f.PointTemperatures.size(), f.PointValues.size());
    std::vector<double> temps;
    std::vector<double> q;
    for (std::size_t i = 0; i < n; ++i) {
        const double ti = f.PointTemperatures[i];
        if (std::find(temps.begin(), temps.end(), ti) != temps.end()) continue;
        const std::size_t k = temps.size();
        temps.push_back(ti);
        q.push_back(f.PointValues[i]);
        for (std::size_t j = k; j-- > 0;)
            q[j] = q[j + 1] + (t - temps[k]) / (temps[k] - temps[j]) * (q[j + 1] - q[j]);
    }
    return q.empty() ? 0.0 : q[0];
}

constexpr int kFaultFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW | FE_UNDERFLOW;

struct TOutcome {
    std::uint64_t Bits;
    int Flags;
};

template <class F>
TOutcome Evaluate(F evaluate) {
    std::feclearexcept(FE_ALL_EXCEPT);
    const double value = evaluate();
    const int flags = std::fetestexcept(kFaultFlags);
    return {std::bit_cast<std::uint64_t>(value), flags};
}

}  // namespace

// Every count from none to past the unrolled kernels and the stack buffer,
// points in and out of order with repeats, temperatures at, between and far
// outside the points, and values that overflow or underflow on the way.
TEST(MediumFunction, PointsGiveTheTextbookBitsAndFlags) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> spread(-60, 260);
    std::uniform_real_distribution<float> magnitude(-1, 1);
    int compared = 0;
    for (std::size_t n = 0; n <= 40; ++n) {
        for (int shape = 0; shape < 4; ++shape) {
            TMediumFunction f;
            f.Mode = TMediumFunction::kPoints;
            for (std::size_t i = 0; i < n; ++i) {
                float t = shape == 0 ? static_cast<float>(i) * 12.5f - 20 : spread(random);
                if (shape == 2 && i % 4 == 3) t = f.PointTemperatures[i / 2];  // repeats
                f.PointTemperatures.push_back(t);
                f.PointValues.push_back(shape == 3 ? magnitude(random) * 1e30f : magnitude(random) * 1e-3f);
            }
            const TPreparedFunction prepared(f);
            std::vector<double> temperatures = {0.0, -0.0, 1e-310, 55.5, -1e6, 3e38, -1e300, 1e308,
                                                std::numeric_limits<double>::infinity(),
                                                std::numeric_limits<double>::quiet_NaN()};
            for (float t : f.PointTemperatures) temperatures.push_back(t);
            for (int i = 0; i < 20; ++i) temperatures.push_back(spread(random) * 1.5);
            for (double t : temperatures) {
                SCOPED_TRACE(testing::Message() << "n " << n << " shape " << shape << " t " << t);
                const TOutcome expected = Evaluate([&] { return TextbookNeville(f, t); });
                const TOutcome fromFunction = Evaluate([&] { return f.Value(t); });
                const TOutcome fromPrepared = Evaluate([&] { return prepared.Value(t); });
                EXPECT_EQ(fromFunction.Bits, expected.Bits);
                EXPECT_EQ(fromPrepared.Bits, expected.Bits);
                EXPECT_EQ(fromFunction.Flags, expected.Flags);
                EXPECT_EQ(fromPrepared.Flags, expected.Flags);
                ++compared;
            }
        }
    }
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_GT(compared, 5000);
}

// Damaged numbers: a NaN point (never a repeat of anything), a signalling
// NaN, which raises the invalid flag whenever it becomes a double.
TEST(MediumFunction, NaNPointsGiveTheTextbookBitsAndFlags) {
    const float quiet = std::numeric_limits<float>::quiet_NaN();
    const float signaling = std::numeric_limits<float>::signaling_NaN();
    const TMediumFunction cases[] = {
        Points("", {0, quiet, 10, quiet, 20}, {1, 2, 3, 4, 5}),
        Points("", {0, 10, 20}, {1, signaling, 3}),
        Points("", {0, signaling, 0, 20}, {1, 2, 3, 4}),
        Points("", {0, 10, 10}, {1, 2, signaling}),  // the repeat is left out, its value never taken
        Points("", {signaling}, {1}),
    };
    for (const TMediumFunction& f : cases) {
        const TPreparedFunction prepared(f);
        for (double t : {5.0, 10.0, 1e300}) {
            SCOPED_TRACE(t);
            const TOutcome expected = Evaluate([&] { return TextbookNeville(f, t); });
            const TOutcome fromFunction = Evaluate([&] { return f.Value(t); });
            const TOutcome fromPrepared = Evaluate([&] { return prepared.Value(t); });
            EXPECT_EQ(fromFunction.Bits, expected.Bits);
            EXPECT_EQ(fromPrepared.Bits, expected.Bits);
            EXPECT_EQ(fromFunction.Flags, expected.Flags);
            EXPECT_EQ(fromPrepared.Flags, expected.Flags);
        }
    }
    const TMediumFunction polynomial = Polinom("", {1, signaling, 2});
    const TOutcome fromFunction = Evaluate([&] { return polynomial.Value(3); });
    const TOutcome fromPrepared = Evaluate([&] { return TPreparedFunction(polynomial).Value(3); });
    EXPECT_EQ(fromPrepared.Bits, fromFunction.Bits);
    EXPECT_EQ(fromPrepared.Flags, fromFunction.Flags);
    EXPECT_NE(fromPrepared.Flags & FE_INVALID, 0);
    std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(MediumFunction, PreparedPolynomialAndMissingCurve) {
    const TMediumFunction f = Polinom("", {2.5f, -3.25f, 4.1f});
    const TPreparedFunction prepared(f);
    for (double t : {-40.0, 0.0, 7.3, 250.0})
        EXPECT_EQ(std::bit_cast<std::uint64_t>(prepared.Value(t)), std::bit_cast<std::uint64_t>(f.Value(t)));
    EXPECT_EQ(TPreparedFunction().Value(12), 0);
}

TEST(MediumDBItem, FunctionIndexIsCaseSensitiveAndFindsTheFirst) {
    TMediumDBItem item;
    for (const char* name : {"ro", "C", "nu", "C"}) {
        TMediumFunction f;
        f.Name = name;
        item.Functions.push_back(f);
    }
    EXPECT_EQ(item.FunctionIndex("ro"), 0);
    EXPECT_EQ(item.FunctionIndex("C"), 1);
    EXPECT_EQ(item.FunctionIndex("c"), -1);
    EXPECT_EQ(item.FunctionIndex("lambda"), -1);
}

TEST(MediumDBItem, IsUsableNeedsBothBits) {
    // Tube (bit 0) and round tank (bit 4); modes GivedThickness and Optimum.
    const TMediumDBItem item = Medium("m", "M", 17, 1 | 64);
    EXPECT_TRUE(item.IsUsable(0, 0));
    EXPECT_TRUE(item.IsUsable(4, 6));
    EXPECT_FALSE(item.IsUsable(3, 0));  // a tank of any shape asks bit 3
    EXPECT_FALSE(item.IsUsable(0, 5));
    EXPECT_FALSE(item.IsUsable(-1, 0));
    EXPECT_FALSE(item.IsUsable(0, 16));
}

class MediumTypesTest : public DataLanguageTest {
protected:
    TMediumTypes types;
    void SetUp() override {
        DataLanguageTest::SetUp();
        types.Add(Medium("water", "Víz", 1, 127));
        types.Add(Medium("air", "Levegő", 7, 127));
        types.Add(Medium("water", "Second water", 1, 127));
    }
};

TEST_F(MediumTypesTest, LookupsTakeTheFirstExactMatch) {
    ASSERT_NE(types.FindItem("water"), nullptr);
    EXPECT_EQ(types.FindItem("water")->ItemName, "Víz");
    EXPECT_EQ(types.FindItem("Water"), nullptr);
    EXPECT_EQ(types.IDByName("Levegő"), "air");
    EXPECT_EQ(types.NameByID("air"), "Levegő");
    EXPECT_EQ(types.IDByName("Second water"), "water");
}

TEST_F(MediumTypesTest, FallbacksAreTheUserDefinedMedium) {
    EXPECT_EQ(types.IDByName("levegő"), "userdefined");  // names compare with case
    EXPECT_EQ(types.NameByID("userdefined"), "Egyedi");
    EXPECT_EQ(types.IDByName("Egyedi"), "userdefined");
    EXPECT_EQ(types.NameByID("steam"), "Egyedi");
    EXPECT_TRUE(TMediumTypes::IsUserDefined("userdefined"));
    EXPECT_FALSE(TMediumTypes::IsUserDefined("UserDefined"));
}

class MediumReadTest : public DataLanguageTest {};

TEST_F(MediumReadTest, ReadsEveryField) {
    const auto item = ReadRecord<TMediumDBItem>(R"(<r><DBMedium ignored="x">
        <ItemID>water</ItemID>
        <ItemName Language="HU">Víz HU</ItemName>
        <ItemName>Víz</ItemName>
        <ItemName Language="EN">Water</ItemName>
        <Usages Tube="YES" RoundTank="yes" SquareCanal="true"/>
        <CalcModes GivedThickness="yes" Frost="Yes" Optimum="no"/>
        <TempMin>-10,5</TempMin><TempMax>200</TempMax>
        <Characteristic Mode="Polinom"><Name>ro</Name>
          <PolinomValue>2</PolinomValue><PolinomValue>3</PolinomValue><PolinomValue>4</PolinomValue>
        </Characteristic>
        <Characteristic><Name>nu</Name>
          <PointValue Temperature="0">1</PointValue>
          <PointValue Temperature="10">3</PointValue>
          <PointValue Temperature="2e1">9</PointValue>
        </Characteristic>
      </DBMedium><DBMedium><ItemID>next</ItemID></DBMedium></r>)",
                                                  "DBMedium");
    EXPECT_EQ(item.ItemID, "water");
    EXPECT_EQ(item.ItemName, "Víz");  // the last one that applies wins
    EXPECT_EQ(item.Usages, 17);
    EXPECT_EQ(item.CalcModes, 1 | 32);
    EXPECT_EQ(item.TempMin, -10.5f);
    EXPECT_EQ(item.TempMax, 200);
    ASSERT_EQ(item.Functions.size(), 2u);
    EXPECT_EQ(item.Functions[0].Mode, TMediumFunction::kPolinom);
    EXPECT_DOUBLE_EQ(item.Functions[0].Value(10), 234);
    EXPECT_EQ(item.Functions[1].Mode, TMediumFunction::kPoints);
    EXPECT_DOUBLE_EQ(item.Functions[1].Value(5), 1.5);
    EXPECT_EQ(item.FunctionIndex("nu"), 1);
}

TEST_F(MediumReadTest, OnlyEmptyUsagesElementsCount) {
    const auto item = ReadRecord<TMediumDBItem>(
        R"(<DBMedium><Usages Tube="yes">text</Usages><CalcModes Optimum="yes"></CalcModes></DBMedium>)", "DBMedium");
    EXPECT_EQ(item.Usages, 0);
    EXPECT_EQ(item.CalcModes, 0);
}

TEST_F(MediumReadTest, EmptyCharacteristicAddsNothingAndSwallowsNoSibling) {
    const auto item = ReadRecord<TMediumDBItem>(
        R"(<DBMedium><Characteristic/><ItemID>a</ItemID><Characteristic Mode="polinom"><Name>C</Name></Characteristic></DBMedium>)",
        "DBMedium");
    EXPECT_EQ(item.ItemID, "a");
    ASSERT_EQ(item.Functions.size(), 1u);
    EXPECT_EQ(item.Functions[0].Name, "C");
}

TEST_F(MediumReadTest, NestedElementsAndCData) {
    const auto item = ReadRecord<TMediumDBItem>(
        R"(<DBMedium><a><b><ItemID>deep</ItemID></b></a><ItemName><![CDATA[Hidden]]></ItemName></DBMedium>)",
        "DBMedium");
    EXPECT_EQ(item.ItemID, "deep");
    EXPECT_EQ(item.ItemName, "");
}

TEST_F(MediumReadTest, MacrosExpandNamesButNotIds) {
    XmlSnippet snippet("<DBMedium><ItemID>$W$</ItemID><ItemName>$W$ 2</ItemName></DBMedium>", "DBMedium");
    XmlMacros = {{"$W$", "Víz"}};
    TMediumDBItem item;
    item.Read(snippet.parser);
    EXPECT_EQ(item.ItemID, "$W$");
    EXPECT_EQ(item.ItemName, "Víz 2");
}

TEST_F(MediumReadTest, ALetterForANumberRaises) {
    for (const char* xml : {"<DBMedium><TempMin>abc</TempMin></DBMedium>",
                            "<DBMedium><Characteristic><PointValue Temperature=\"x\">1</PointValue></Characteristic></DBMedium>",
                            "<DBMedium><Characteristic><PolinomValue>x1</PolinomValue></Characteristic></DBMedium>",
                            "<DBMedium><TempMax>1e39</TempMax></DBMedium>"}) {
        SCOPED_TRACE(xml);
        XmlSnippet snippet(xml, "DBMedium");
        TMediumDBItem item;
        EXPECT_THROW(item.Read(snippet.parser), Exception);
    }
}

TEST_F(MediumTypesTest, ComboBoxStartsWithTheUserDefinedMedium) {
    FakeComboBox box;
    box.items = {"stale"};
    std::string id;
    types.FillComboBox(box, id, 0, 0);
    EXPECT_EQ(box.items, (std::vector<std::string>{"Egyedi", "Víz", "Levegő", "Second water"}));
    EXPECT_EQ(box.index, 1);  // no current id: the first usable medium
    EXPECT_EQ(id, "water");

    id = "air";
    types.FillComboBox(box, id, 0, 0);
    EXPECT_EQ(box.index, 2);
    EXPECT_EQ(id, "air");

    id = "userdefined";
    types.FillComboBox(box, id, 0, 0);
    EXPECT_EQ(box.index, 0);
    EXPECT_EQ(id, "userdefined");
}

TEST_F(MediumTypesTest, ComboBoxReplacesAMediumThatNoLongerFits) {
    FakeComboBox box;
    std::string id = "water";
    types.FillComboBox(box, id, 1, 0);  // round ducts: only air
    EXPECT_EQ(box.items, (std::vector<std::string>{"Egyedi", "Levegő"}));
    EXPECT_EQ(box.index, 1);
    EXPECT_EQ(id, "air");
    // Nothing usable for tanks: only entry 0, nothing selected.
    id = "air";
    types.FillComboBox(box, id, 3, 0);
    EXPECT_EQ(box.Count(), 1);
    EXPECT_EQ(box.index, -1);
    EXPECT_EQ(id, "userdefined");
}

TEST_F(MediumTypesTest, ComboBoxSearchIgnoresCase) {
    types.Add(Medium("glycol", "GLIKOL", 1, 1));
    types.Items[0].ItemName = "glikol";  // the water record now shows as "glikol"
    FakeComboBox box;
    std::string id = "glycol";
    types.FillComboBox(box, id, 0, 0);
    // The box finds "glikol" first; its id by exact name is "water".
    EXPECT_EQ(box.index, 1);
    EXPECT_EQ(id, "water");
}
