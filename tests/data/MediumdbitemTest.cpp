#include "data/Mediumdbitem.h"

#include "DataTestLanguage.h"

#include <gtest/gtest.h>

namespace {

TMediumFunction Polynomial(std::vector<float> coefficients) {
    TMediumFunction f;
    f.Mode = TMediumFunction::kPolinom;
    f.PolinomValues = std::move(coefficients);
    return f;
}

TMediumFunction Points(std::vector<float> temperatures, std::vector<float> values) {
    TMediumFunction f;
    f.Mode = TMediumFunction::kPoints;
    f.PointTemperatures = std::move(temperatures);
    f.PointValues = std::move(values);
    return f;
}

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
    EXPECT_DOUBLE_EQ(Polynomial({2, 3, 4}).Value(10), 234);
    EXPECT_DOUBLE_EQ(Polynomial({7}).Value(-30), 7);
    EXPECT_DOUBLE_EQ(Polynomial({}).Value(10), 0);
}

TEST(MediumFunction, PointsInterpolateAndExtrapolateTheQuadratic) {
    // Through (0, 1), (10, 3), (20, 9): 0.02 t^2 + 1.
    const TMediumFunction f = Points({0, 10, 20}, {1, 3, 9});
    EXPECT_DOUBLE_EQ(f.Value(10), 3);
    EXPECT_DOUBLE_EQ(f.Value(5), 1.5);
    EXPECT_DOUBLE_EQ(f.Value(30), 19);
    EXPECT_DOUBLE_EQ(f.Value(0), 1);
    // The order of the points does not matter.
    EXPECT_DOUBLE_EQ(Points({20, 0, 10}, {9, 1, 3}).Value(5), 1.5);
}

TEST(MediumFunction, DegeneratePointSets) {
    EXPECT_EQ(Points({}, {}).Value(25), 0);
    EXPECT_EQ(Points({40}, {7}).Value(-100), 7);
    // A repeated temperature would divide by zero: the later point is left out.
    const double v = Points({0, 10, 10, 20}, {1, 3, 100, 9}).Value(5);
    EXPECT_DOUBLE_EQ(v, 1.5);
    EXPECT_DOUBLE_EQ(Points({5, 5}, {2, 4}).Value(50), 2);
    // Unequal list lengths use the common part only.
    EXPECT_DOUBLE_EQ(Points({0, 10, 20}, {1, 3}).Value(5), 2);
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
