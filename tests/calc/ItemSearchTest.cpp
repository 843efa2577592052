// The calculation as a whole: the seven types, the ends of the search, the
// rounding of its result, costs, temperature limits and the error path.
//
// Most cases use given inside and outside coefficients, so that k follows
// from the layers in closed form and the needed thickness can be solved by
// hand; the search then ends within 0.0153 mm (501 / 2^14 / 2) of it.

#include "calc/Item.h"

#include "calc/CalcEnvironment.h"
#include "data/Isolation.h"
#include "platform/win/MessageBox.h"
#include "support/DataBuilders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using calc_testing::KeyText;
using calc_testing::TCalcEnvironment;
using ::testing::HasSubstr;

void ExpectRel(double actual, double expected, double tolerance = 1e-5) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * tolerance) << "expected " << expected;
}

class CalculateTest : public ::testing::Test {
protected:
    std::string Suggestion(const char* insulation, float diameter, float thickness) const {
        return IsolationTypes->FindItem(insulation)->SuggestionText(diameter, thickness, true);
    }

    // Calculates and expects success without any message.
    void Run(TItem& item) {
        ASSERT_TRUE(item.Calculate());
        EXPECT_TRUE(environment.Boxes().empty());
    }

    TCalcEnvironment environment;
};

void SetMedium(TItem& item, const char* id, float temperature) {
    item.Medium.ItemID = id;
    item.Medium.Temperature = temperature;
    item.Medium.FetchProperties();
}

// A tank of given volume 2 m3 and surface 10 m2 with brine at 80 degC in air
// of 20 degC; wall 5 mm of lambda 50; ai 500, ao 10; wool of lambda 0.04.
// k = 1 / (1/500 + 5/50 * 0.001 + s/0.04 * 0.001 + 1/10)
//   = 1 / (0.1021 + 0.025 s).
TItem PlaneTank() {
    TItem item;
    item.Geometry = GeometryType::Tank;
    item.Shape = TankShape::Given;
    item.TankVolume = 2;
    item.TankSurface = 10;
    item.GivenTankSize = 1000;
    item.WallThickness = 5;
    item.WallLambda = 50;
    item.InsideAlphaMode = 2;
    item.InsideAlpha = 500;
    item.OutsideAlphaMode = 2;
    item.OutsideAlpha = 10;
    SetMedium(item, "brine", 80);
    item.AirTemperature = 20;
    item.Isolation.IsolationID = "wool";
    return item;
}

// A pipe d1 100, d2 108 (wall 4 mm, lambda 50), ai 1000, ao 10, 100 m of
// brine at 80 degC in air of 0 degC, wool of lambda 0.04, no flow:
// R = ln(1.08) * 0.01 + 0.01 + ln(D / 108) * 12.5 + 100 / D, k = pi / R.
TItem PlanePipe() {
    TItem item;
    item.InnerDiameter = 100;
    item.OuterDiameter = 108;
    item.WallLambda = 50;
    item.InsideAlphaMode = 2;
    item.InsideAlpha = 1000;
    item.OutsideAlphaMode = 2;
    item.OutsideAlpha = 10;
    SetMedium(item, "brine", 80);
    item.AirTemperature = 0;
    item.Length = 100;
    item.Isolation.IsolationID = "wool";
    return item;
}

// The item searched by that type for that target.
TItem Searching(TItem item, CalcMode type, float target) {
    item.CalculationType = type;
    item.TargetValue = target;
    return item;
}

// --- the rounding step ----------------------------------------------------------

TEST(RoundSearchThickness, WholeMillimetres) {
    struct Row {
        double middle;
        float expected;
    };
    const Row rows[] = {
        {23.0, 23},   {23.04, 23},  {23.06, 24},  // tenths 23.0 stays; 23.1 (a float just above) goes up
        {23.4, 24},   {23.449, 24}, {0.04, 0},    {0.0153, 0},
        {499.96, 500}, {500.98, 501},
        // x.1 as a float minus 0.1 stays at or below x for x of 2 to 7 and
        // 32 to 127, so these stay down ...
        {2.1, 2},     {7.1, 7},     {32.1, 32},   {48.1, 48},   {127.1, 127},
        // ... and lies above x for 0, 1, 8 to 31 and 128 to 500: these go up.
        {1.1, 2},     {8.1, 9},     {23.1, 24},   {31.1, 32},   {128.1, 129}, {499.1, 500},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.middle);
        EXPECT_EQ(RoundSearchThickness(row.middle, false), row.expected);
    }
    EXPECT_FALSE(std::signbit(RoundSearchThickness(0.01, false)));  // ceil(-0.1) is -0
}

TEST(RoundSearchThickness, TenthsWithPrecision) {
    EXPECT_EQ(RoundSearchThickness(23.4, true), 23.4f);
    EXPECT_EQ(RoundSearchThickness(23.44, true), 23.4f);
    EXPECT_EQ(RoundSearchThickness(23.45, true), 23.5f);  // halves upwards
    EXPECT_EQ(RoundSearchThickness(23.0, true), 23.0f);
    EXPECT_EQ(RoundSearchThickness(0.04, true), 0.0f);
    EXPECT_FALSE(std::signbit(RoundSearchThickness(0.04, true)));
}

// --- the types, worked by hand ------------------------------------------------------

TEST_F(CalculateTest, GivedSurfaceTemp) {
    // Ts = 25: q = 5 * 10 = 50 W/m2, k = 50 / 60, 1/k = 1.2:
    // s = (1.2 - 0.1021) * 40 = 43.916 mm; tenths 43.9 -> 44.
    TItem item = Searching(PlaneTank(), CalcMode::GivedSurfaceTemp, 25);
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 44);
    EXPECT_FLOAT_EQ(item.Isolation.IsolationLambda, 0.04f);
    // s 44: k = 1 / 1.2021 = 0.8318775; q = 60 k = 49.91265;
    // Ts = 20 + q / 10 = 24.99127; Twi = 80 - q / 500 = 79.90017
    ExpectRel(item.KValue, 0.8318775);
    ExpectRel(item.SpecificLoss, 49.91265);
    ExpectRel(item.SurfaceTemperature, 24.991265);
    ExpectRel(item.InsideWallTemperature, 79.900175);
    // No flow, no time: the outlet is the medium; the loss is surface * q.
    EXPECT_EQ(item.OutletTemperature, 80);
    ExpectRel(item.Loss, 499.1265);
    EXPECT_EQ(item.Perimeter, 10);
    EXPECT_FLOAT_EQ(item.CharacteristicLength, 1);
    EXPECT_EQ(item.MassFlow, 0);
    EXPECT_EQ(item.Velocity, 0);
    // Bare: k0 = 1 / 0.1021 = 9.794319, q0 = 587.6592; saving 1 - k / k0.
    ExpectRel(item.SavingRatio, 0.9150653);
    // The suggestion is for the outer diameter, 0 for a tank: wool 50.
    EXPECT_EQ(item.Isolation.ResultText, Suggestion("wool", 0, 44));
    EXPECT_THAT(item.Isolation.ResultText, HasSubstr("Wool 50 mm"));
    EXPECT_TRUE(item.PriceDiagram.empty());

    environment.SetCalcPrecision(true);
    item = Searching(PlaneTank(), CalcMode::GivedSurfaceTemp, 25);
    Run(item);
    EXPECT_FLOAT_EQ(item.Isolation.Thickness, 43.9f);
    ExpectRel(item.SurfaceTemperature, 25.001667);  // 20 + 6 / 1.1996
}

TEST_F(CalculateTest, TankSizesAndNoVelocity) {
    // A cylinder D 1000, H 2000: surface 2.5 pi m2; the inside correlations
    // take its height standing, its diameter lying. A tank has no velocity.
    for (std::int16_t standing : {1, 0}) {
        SCOPED_TRACE(standing);
        TItem item = PlaneTank();
        item.Shape = TankShape::Cylinder;
        item.CylinderDiameter = 1000;
        item.CylinderLength = 2000;
        item.StandingCylinder = standing;
        item.Velocity = 3;
        item.Isolation.Thickness = 50;
        Run(item);
        EXPECT_FLOAT_EQ(item.CharacteristicLength, standing != 0 ? 2.0f : 1.0f);
        EXPECT_EQ(item.Velocity, 0);
        ExpectRel(item.Perimeter, 2.5 * 3.141592653589793);
    }
}

TEST_F(CalculateTest, GivedSurfaceTempForAColdMedium) {
    // Brine at 0 in air of 20: more insulation while Ts is below 18.
    // Ts = 20 - 20 k / 10 >= 18 -> k <= 1 -> s = (1 - 0.1021) * 40 = 35.916.
    TItem item = PlaneTank();
    SetMedium(item, "brine", 0);
    item.CalculationType = CalcMode::GivedSurfaceTemp;
    item.TargetValue = 18;
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 36);
    ExpectRel(item.SurfaceTemperature, 18.004191);
}

TEST_F(CalculateTest, GivedPowerRoundsAFloat23Point1UpTo24) {
    // 85 % saving: k = 0.15 k0 = 1.469148, 1/k = 0.680667,
    // s = (0.680667 - 0.1021) * 40 = 23.1427; tenths 23.1, a float just
    // above 23.1, and ceil(23.1f - 0.1) = 24.
    TItem item = Searching(PlaneTank(), CalcMode::GivedPower, 85);
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 24);
    ExpectRel(item.SavingRatio, 0.8545791);  // at 24: 1 - k / k0
    EXPECT_GE(item.SavingRatio, 0.85f);

    environment.SetCalcPrecision(true);
    item = Searching(PlaneTank(), CalcMode::GivedPower, 85);
    Run(item);
    EXPECT_FLOAT_EQ(item.Isolation.Thickness, 23.1f);
    ExpectRel(item.SavingRatio, 0.8497646);
}

TEST_F(CalculateTest, GivedTempDiff) {
    // 100 l/h of brine: m = 100 / 3.6e6 * 1000 = 0.02777778 kg/s. Outlet 63:
    // exp(-k 100 / 4200 / m) = 63 / 80 -> k = 0.2786; solving R(D) = pi / k
    // gives s = 74.875 mm; tenths 74.9 -> 75.
    TItem item = Searching(PlanePipe(), CalcMode::GivedTempDiff, 63);
    item.VolumeFlow = 100;
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 75);
    ExpectRel(item.MassFlow, 0.027777778);
    ExpectRel(item.Velocity, 0.0035367764);  // 100 / (100^2 pi 2.5e-7) / 3.6e6
    EXPECT_FLOAT_EQ(item.CharacteristicLength, 0.1f);
    EXPECT_EQ(item.WallThickness, 4);
    // s 75: k = 0.2784181, q = 22.27345, outlet 63.01561,
    // loss (80 - outlet) * 4200 * m = 1981.512
    ExpectRel(item.KValue, 0.2784181);
    ExpectRel(item.SpecificLoss, 22.273449);
    ExpectRel(item.OutletTemperature, 63.015614);
    ExpectRel(item.Loss, 1981.5117, 2e-5);
    ExpectRel(item.Perimeter, 0.8105309);  // (150 + 108) pi 0.001
    EXPECT_EQ(item.Isolation.ResultText, Suggestion("wool", 108, 75));
    EXPECT_THAT(item.Isolation.ResultText, HasSubstr("Wool 80 mm"));

    environment.SetCalcPrecision(true);
    item = Searching(PlanePipe(), CalcMode::GivedTempDiff, 63);
    item.VolumeFlow = 100;
    Run(item);
    EXPECT_FLOAT_EQ(item.Isolation.Thickness, 74.9f);
    ExpectRel(item.OutletTemperature, 63.003086);
}

TEST_F(CalculateTest, FlowUnitsAndVelocity) {
    // 0.1 m3/h = 100 l/h = 1.6666667 l/min: the same mass flow.
    for (auto [unit, flow] : {std::pair<std::int16_t, float>{0, 100}, {1, 0.1f}, {2, 100.0f / 60}}) {
        SCOPED_TRACE(unit);
        TItem item = PlanePipe();
        item.FlowUnit = unit;
        item.VolumeFlow = flow;
        Run(item);
        ExpectRel(item.MassFlow, 0.027777778);
    }
    // Velocity given: VolumeFlow = 0.5 m/s * 0.007853982 m2 * 3.6e6 = 14137.17 l/h.
    TItem item = PlanePipe();
    item.VolumeGiven = 0;
    item.Velocity = 0.5f;
    Run(item);
    ExpectRel(item.VolumeFlow, 14137.167);
    ExpectRel(item.MassFlow, 3.9269908);
}

TEST_F(CalculateTest, Frost) {
    // 10 m standing still for 12 h: V = 100^2 * 10 * pi * 2.5e-7 =
    // 0.0785398 m3, me = 1000 / 12 / 3600 * V = 0.00181805 kg/s. Brine at 5
    // in air of -10 stays above 0 when exp(-10 k / 4200 / me) >= 10 / 15:
    // s = 63.428; tenths 63.4 -> 64.
    TItem item = PlanePipe();
    item.CalculationType = CalcMode::Frost;
    item.Length = 10;
    item.Time = 12;
    SetMedium(item, "brine", 5);
    item.AirTemperature = -10;
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 64);
    ExpectRel(item.OutletTemperature + 1, 1.0233398);  // 0.02334 degC above freezing
    EXPECT_GT(item.OutletTemperature, 0);

    environment.SetCalcPrecision(true);
    item.Isolation.Thickness = 0;
    Run(item);
    EXPECT_FLOAT_EQ(item.Isolation.Thickness, 63.4f);
}

// A duct 400 x 200 with a wall of 1 mm (lambda 50), 10 m long, given inside
// and outside coefficients, wool, searched against condensation.
TItem Duct(float insideAlpha, float outsideAlpha) {
    TItem item;
    item.Geometry = GeometryType::SquareCanal;
    item.SideA = 400;
    item.SideB = 200;
    item.WallThickness = 1;
    item.WallLambda = 50;
    item.Length = 10;
    item.InsideAlphaMode = 2;
    item.InsideAlpha = insideAlpha;
    item.OutsideAlphaMode = 2;
    item.OutsideAlpha = outsideAlpha;
    item.Isolation.IsolationID = "wool";
    item.CalculationType = CalcMode::Condensation;
    return item;
}

TEST_F(CalculateTest, CondensationOnAColdDuct) {
    // Duct 400 x 200, wall 1 mm, ai 100, ao 5, brine at 5 in air of 25 and
    // 70 %: dew point 19.1452, so Ts must reach 19.2452:
    // Ts = 25 - 20 k / 5 -> k <= 1.43870 -> s = 19.402; tenths 19.4 -> 20.
    TItem item = Duct(100, 5);
    SetMedium(item, "brine", 5);
    item.AirTemperature = 25;
    item.AirHumidity = 70;
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 20);
    ExpectRel(item.AirDewPoint, 19.145203);
    ExpectRel(item.SurfaceTemperature, 19.366356);
    ExpectRel(item.CharacteristicLength, 0.26666667);  // 2 * 400 * 200 / 600 * 0.001
    ExpectRel(item.Perimeter, 1.368);  // (4 + 600 + 80) * 0.002

    environment.SetCalcPrecision(true);
    item.Isolation.Thickness = 0;
    Run(item);
    EXPECT_FLOAT_EQ(item.Isolation.Thickness, 19.4f);
}

TEST_F(CalculateTest, CondensationInsideAnAirDuct) {
    // Air at 40 degC and 80 % in a duct 400 x 200 (wall 1 mm, lambda 50),
    // ai 20, ao 10, outside 0 degC. Inside dew point 35.8774; the wall's inner
    // face must reach 35.9774: Twi = 40 - 40 k / 20 -> k <= 2.01131 ->
    // 1/k = 0.497187 = 0.15002 + 0.025 s -> s = 13.887; tenths 13.9 -> 14.
    TItem item = Duct(20, 10);
    SetMedium(item, "air", 40);
    item.InsideHumidity = 80;
    item.AirTemperature = 0;
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 14);
    ExpectRel(item.InsideDewPoint, 35.877380);
    EXPECT_GT(item.InsideWallTemperature, item.InsideDewPoint + 0.1f);

    environment.SetCalcPrecision(true);
    item.Isolation.Thickness = 0;
    Run(item);
    EXPECT_FLOAT_EQ(item.Isolation.Thickness, 13.9f);

    // Any other medium keeps its inside dew point untouched.
    TItem brine = PlanePipe();
    brine.InsideDewPoint = 7;
    brine.InsideHumidity = 80;
    Run(brine);
    EXPECT_EQ(brine.InsideDewPoint, 7);
}

TEST_F(CalculateTest, GivedThicknessKeepsTheThicknessAndSuggests) {
    // s 50: R = 0.000769610 + 0.01 + ln(208/108) * 12.5 + 100/208 = 8.6841,
    // k = 0.3617627; q = 80 k = 28.94102
    TItem item = PlanePipe();
    item.Isolation.Thickness = 50;
    item.PriceDiagram = {{1, 2, 3}};
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 50);
    ExpectRel(item.KValue, 0.36176273);
    ExpectRel(item.SpecificLoss, 28.941019);
    ExpectRel(item.Loss, 2894.1019);  // q L
    EXPECT_TRUE(item.PriceDiagram.empty());
    EXPECT_EQ(item.Isolation.ResultText, Suggestion("wool", 108, 50));
    // Bare: k0 = 3.3539102: saving 1 - 0.3617627 / 3.3539102
    ExpectRel(item.SavingRatio, 0.8921373);

    // No suggestion at 0 or from 500 mm on.
    for (float thickness : {0.0f, 500.0f, 600.0f}) {
        SCOPED_TRACE(thickness);
        item.Isolation.Thickness = thickness;
        Run(item);
        EXPECT_EQ(item.Isolation.ResultText, "");
    }
    item.Isolation.Thickness = -0.0f;
    Run(item);
    EXPECT_FALSE(std::signbit(item.Isolation.Thickness));
    EXPECT_EQ(item.SavingRatio, 0);  // the bare object itself
}

TEST_F(CalculateTest, LambdaAtTheRoundedMeanTemperature) {
    // (80.5 + 0) * 5 + 0.5 = 403: the mean 40.3 (halves upwards, not 40.2);
    // 40.3 (1e-6 * 40.3 + 1e-4) + 0.03 = 0.03565409
    TItem item = PlanePipe();
    item.Isolation.IsolationID = "quad";
    item.Isolation.Thickness = 50;
    SetMedium(item, "brine", 80.5f);
    Run(item);
    ExpectRel(item.Isolation.IsolationLambda, 0.03565409, 1e-6);
    // (80 + 0.1) * 5 + 0.5 = 401.0000 -> 40.1 -> 0.03561801
    SetMedium(item, "brine", 80);
    item.AirTemperature = 0.1f;
    Run(item);
    ExpectRel(item.Isolation.IsolationLambda, 0.03561801, 1e-6);
}

// --- the full model -------------------------------------------------------------------

// 100 m of pipe 100/108 (wall lambda 50) carrying 5 m3/h of water at 80 degC
// in air of 10 degC and 60 %, forced flow inside, natural convection and
// radiation (0.8) outside, shells of lambda 0.035 + 0.0002 * 45 = 0.044.
TItem WaterPipe() {
    TItem item;
    item.InnerDiameter = 100;
    item.OuterDiameter = 108;
    item.WallLambda = 50;
    item.Length = 100;
    SetMedium(item, "water", 80);
    item.VolumeFlow = 5;
    item.FlowUnit = 1;
    item.AirTemperature = 10;
    item.AirHumidity = 60;
    item.Isolation.IsolationID = "shell";
    return item;
}

TEST_F(CalculateTest, FullModelFivePasses) {
    // Hand calculation, pass by pass from Twi 66 and Ts 24 (0.2 of 70 from
    // each side). Water at 80: rho 982, nu 4e-7, lambda 0.69, Pr 2.385264.
    // Velocity 5 / 0.007853982 / 3600 = 0.1768388 m/s, Re = 44209.7
    // (turbulent; length factor 12.036 (ln Re)^-0.9085 * 1000^e < 1).
    //   pass  Gr          ai        ao       k          Twi       Ts
    //   1     3.605e8     1007.907  8.479650 0.3914531  79.91346  14.94523
    //   2     2.229e6     1095.381  7.369298 0.3873680  79.92120  15.63096
    //   3     2.029e6     1095.439  7.486590 0.3878568  79.92111  15.54973
    //   4     2.031e6     1095.438  7.473213 0.3878018  79.92112  15.55888
    //   5     2.031e6     1095.438  7.474726 0.3878080  79.92112  15.55784
    // Not yet converged: a sixth pass would move Ts again.
    TItem item = WaterPipe();
    item.Isolation.Thickness = 50;
    Run(item);
    ExpectRel(item.Isolation.IsolationLambda, 0.044);
    ExpectRel(item.Velocity, 0.17683883, 1e-6);
    ExpectRel(item.MassFlow, 1.3638889, 1e-6);  // 5 * 982 / 3600
    ExpectRel(item.MediumPrandtl, 2.3852639, 1e-6);
    ExpectRel(item.WallPrandtl, 2.3904352, 1e-6);
    ExpectRel(item.InsideAlpha, 1095.4385, 1e-6);
    ExpectRel(item.OutsideAlpha, 7.4747257, 1e-6);
    ExpectRel(item.KValue, 0.38780802, 1e-6);
    ExpectRel(item.SpecificLoss, 27.146563, 1e-6);
    ExpectRel(item.InsideWallTemperature, 79.921120, 1e-7);
    ExpectRel(item.SurfaceTemperature, 15.557844, 1e-6);
    // Outlet 10 + exp(-k 100 / 4190 / m) * 70; loss (80 - outlet) 4190 m.
    ExpectRel(item.OutletTemperature, 79.526581, 1e-7);
    ExpectRel(item.Loss, 2705.446, 1e-5);
    ExpectRel(item.AirDewPoint, 2.598877, 1e-6);
    // Bare pipe by the same five passes: q0 = 296.99927.
    ExpectRel(item.SavingRatio, 0.9085972, 1e-6);
    EXPECT_EQ(item.Isolation.ResultText, Suggestion("shell", 108, 50));
    EXPECT_THAT(item.Isolation.ResultText, HasSubstr("Shell 108x50"));
}

TEST_F(CalculateTest, SearchCarriesTheStateFromTrialToTrial) {
    // Ts 15: the bisection ends at 55.7601 (tenths 55.8) -> 56 mm. Its last
    // evaluation starts from the state of the trials before it and gives
    // Ts 14.979763; a single evaluation at 56 mm from the first estimate
    // gives 14.979668.
    TItem item = WaterPipe();
    item.CalculationType = CalcMode::GivedSurfaceTemp;
    item.TargetValue = 15;
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 56);
    EXPECT_NEAR(item.SurfaceTemperature, 14.979763, 2e-6);

    TItem once = WaterPipe();
    once.Isolation.Thickness = 56;
    Run(once);
    EXPECT_NEAR(once.SurfaceTemperature, 14.979668, 2e-6);
}

// --- the ends of the search ---------------------------------------------------------

struct TEndCase {
    const char* name;
    CalcMode type;
    float medium, air, humidity, target;
    bool tooThick;
};

class SearchEnds : public CalculateTest, public ::testing::WithParamInterface<TEndCase> {};

TEST_P(SearchEnds, EndWithTheirTexts) {
    const TEndCase& end = GetParam();
    TItem item = PlanePipe();
    // A stale inside dew point far above the wall: only an air medium has one.
    item.InsideDewPoint = 200;
    item.CalculationType = end.type;
    item.VolumeFlow = 100;
    item.Time = 1;
    SetMedium(item, "brine", end.medium);
    item.AirTemperature = end.air;
    item.AirHumidity = end.humidity;
    item.TargetValue = end.target;
    Run(item);
    if (end.tooThick) {
        // lo climbs to 501 - 501 / 2^14 = 500.96942, the middle 500.98471 is
        // 501.0 in tenths, and ceil(500.9) = 501.
        EXPECT_EQ(item.Isolation.Thickness, 501);
        EXPECT_EQ(item.Isolation.ResultText, KeyText("IDS_TOOTHICKISOLATION"));
    } else {
        EXPECT_EQ(item.Isolation.Thickness, 0);
        EXPECT_FALSE(std::signbit(item.Isolation.Thickness));
        EXPECT_EQ(item.Isolation.ResultText, KeyText("IDS_NEEDNOTISOLATION"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    CalculateTest, SearchEnds,
    ::testing::Values(
        // Bare, with 100 l/h over 100 m: Ts 79.08 (80 / 0) and 5.23 (5 / 25),
        // outlet 4.51 (80 / 0).
        // A warm medium other than "air" can't condense inside: always 0.
        TEndCase{"condensation, warm brine", CalcMode::Condensation, 80, 0, 100, 0, false},
        // dew point about -8.5 at 10 %: the bare surface is dry
        TEndCase{"condensation, cold brine in dry air", CalcMode::Condensation, 5, 25, 10, 0, false},
        TEndCase{"surface temperature already met", CalcMode::GivedSurfaceTemp, 80, 0, 50, 80, false},
        TEndCase{"surface below the air: never met", CalcMode::GivedSurfaceTemp, 80, 0, 50, -1, true},
        TEndCase{"cold: surface above the air never met", CalcMode::GivedSurfaceTemp, 5, 25, 50, 26, true},
        TEndCase{"saving of 0 %", CalcMode::GivedPower, 80, 0, 50, 0, false},
        TEndCase{"saving of 100 %", CalcMode::GivedPower, 80, 0, 50, 100, true},
        TEndCase{"outlet already warm enough", CalcMode::GivedTempDiff, 80, 0, 50, 4, false},
        TEndCase{"outlet above the medium", CalcMode::GivedTempDiff, 80, 0, 50, 81, true},
        TEndCase{"cold: outlet below the medium", CalcMode::GivedTempDiff, 5, 25, 50, 4, true},
        TEndCase{"frost: far above freezing", CalcMode::Frost, 80, 0, 50, 0, false},
        TEndCase{"frost: air warmer than the medium", CalcMode::Frost, -5, 10, 50, 0, false},
        TEndCase{"frost: medium already freezing", CalcMode::Frost, -1, -10, 50, 0, true}),
    [](const ::testing::TestParamInfo<TEndCase>& info) { return "Case" + std::to_string(info.index); });

TEST_F(CalculateTest, AResultOf500IsTooThick) {
    // Ts 20.4766: q = 4.766, 1/k = 60 / 4.766 = 12.58917,
    // s = (12.58917 - 0.1021) * 40 = 499.483; tenths 499.5 -> 500.
    TItem item = Searching(PlaneTank(), CalcMode::GivedSurfaceTemp, 20.4766f);
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 500);
    EXPECT_EQ(item.Isolation.ResultText, KeyText("IDS_TOOTHICKISOLATION"));

    // In tenths 499.5 is no end of the search: wool has no size that thick.
    environment.SetCalcPrecision(true);
    item = Searching(PlaneTank(), CalcMode::GivedSurfaceTemp, 20.4766f);
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 499.5f);
    EXPECT_EQ(item.Isolation.ResultText, KeyText("IDS_NOSUGGESTION"));
}

TEST_F(CalculateTest, CondensationOfColdBrineInHumidAirIsTooThick) {
    // Saturated air: the dew point is the air's temperature, and a surface
    // of a colder object never gets above it.
    TItem item = PlanePipe();
    item.CalculationType = CalcMode::Condensation;
    SetMedium(item, "brine", 5);
    item.AirTemperature = 25;
    item.AirHumidity = 100;
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 501);
    EXPECT_EQ(item.Isolation.ResultText, KeyText("IDS_TOOTHICKISOLATION"));
}

TEST_F(CalculateTest, GivedPowerWithoutBareHeatFlow) {
    // Medium at the air's temperature: q = 0 bare and insulated. The saving
    // ratio keeps its value (0.8) through the search and is 0 at the end.
    TItem item = PlanePipe();
    item.CalculationType = CalcMode::GivedPower;
    item.AirTemperature = 80;
    item.TargetValue = 90;  // 0.9 > 0.8: always more
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 501);
    EXPECT_EQ(item.SavingRatio, 0);
    item.TargetValue = 70;  // 0.7 > 0.8 never
    item.SavingRatio = 0.8f;
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 0);
}

// --- Optimum ------------------------------------------------------------------------------

// The pipe over 10 m, 0.1 per kWh for 10 years of 365 days of 24 hours:
// E = q * 10 * 0.001 * 0.1 * 87600 / 10 = 8.76 q; construction 10 per m;
// wool per m2 of its outer surface P = (2 s + 108) pi 0.001.
TItem OptimumPipe() {
    TItem item = PlanePipe();
    item.CalculationType = CalcMode::Optimum;
    item.Length = 10;
    item.EnergyPrice = 0.1f;
    item.Years = 10;
    item.ConstructionPrice = 10;
    return item;
}

std::map<std::string, float> WoolPrices() {
    return {{"wool_20", 40}, {"wool_30", 60}, {"wool_40", 80}, {"wool_50", 100},
            {"wool_60", 120}, {"wool_80", 160}, {"wool_100", 220}};
}

TEST_F(CalculateTest, OptimumSweepsTheSizes) {
    environment.SetPrices(WoolPrices());
    TItem item = OptimumPipe();
    Run(item);
    // s    q        E = round(8.76 q)   P          I = round(10 + P p)   sum
    // 0    268.3128 2350                 -          0                     2350
    // 20   54.34155  476                 0.4649557  29                     505
    // 30   41.00682  359                 0.5277876  42                     401
    // 40   33.63784  295                 0.5906194  57                     352
    // 50   28.94102  254                 0.6534513  75                     329
    // 60   25.67304  225                 0.7162831  96                     321  least
    // 80   21.39940  187                 0.8419468  145                    332
    // 100  18.70684  164                 0.9676105  223                    387
    const std::vector<TPriceDiagramItem> expected = {
        {0, 0, 2350},   {20, 29, 476}, {30, 42, 359},  {40, 57, 295},
        {50, 75, 254},  {60, 96, 225}, {80, 145, 187}, {100, 223, 164},
    };
    EXPECT_EQ(item.PriceDiagram, expected);
    EXPECT_EQ(item.Isolation.Thickness, 60);
    ExpectRel(item.SpecificLoss, 25.673038);  // evaluated at the result
    EXPECT_EQ(item.Isolation.ResultText, Suggestion("wool", 108, 60));
}

TEST_F(CalculateTest, OptimumTieGoesToTheThinnerSize) {
    // wool_80 at 147: I = round(10 + 0.8419468 * 147) = 134, sum 321 as at 60.
    auto prices = WoolPrices();
    prices["wool_80"] = 147;
    environment.SetPrices(prices);
    TItem item = OptimumPipe();
    Run(item);
    EXPECT_EQ(item.PriceDiagram[6], TPriceDiagramItem(80, 134, 187));
    EXPECT_EQ(item.Isolation.Thickness, 60);

    // At 146: I = 133, sum 320 < 321.
    prices["wool_80"] = 146;
    environment.SetPrices(prices);
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 80);
}

TEST_F(CalculateTest, OptimumWithoutPricesOrSizes) {
    // No price list and no energy price: every sum 0, the bare object wins.
    environment.RemovePriceList();
    TItem item = OptimumPipe();
    item.EnergyPrice = 0;
    Run(item);
    EXPECT_EQ(item.PriceDiagram.size(), 8u);
    for (const TPriceDiagramItem& point : item.PriceDiagram) {
        EXPECT_EQ(point.Investment, 0);
        EXPECT_EQ(point.LossCost, 0);
    }
    EXPECT_EQ(item.Isolation.Thickness, 0);
    EXPECT_EQ(item.Isolation.ResultText, "");

    item.Isolation.IsolationID = "bare";  // no sizes: one point at 0 mm
    Run(item);
    ASSERT_EQ(item.PriceDiagram.size(), 1u);
    EXPECT_EQ(item.PriceDiagram[0].Thickness, 0);
}

TEST_F(CalculateTest, OptimumOfShellsWalksTheChosenBore) {
    // d2 108 chooses bore 108: 30, 50, 80. Prices by the first bore above 108.
    environment.SetPrices({{"shell_114_30", 50}, {"shell_114_50", 70}, {"shell_114_80", 1000}});
    TItem item = OptimumPipe();
    item.Isolation.IsolationID = "shell";
    Run(item);
    ASSERT_EQ(item.PriceDiagram.size(), 4u);
    EXPECT_EQ(item.PriceDiagram[1].Thickness, 30);
    EXPECT_EQ(item.PriceDiagram[1].Investment, 60);  // shells: 10 + 50 per metre, no surface factor
    EXPECT_EQ(item.PriceDiagram[2].Investment, 80);
    EXPECT_EQ(item.PriceDiagram[3].Thickness, 80);
    EXPECT_EQ(item.PriceDiagram[3].Investment, 1010);
}

// --- costs ---------------------------------------------------------------------------------

TEST_F(CalculateTest, InsulationCost) {
    environment.SetPrices({{"wool_30", 60}, {"shell_114_30", 50}});
    TItem item;
    item.Isolation.IsolationID = "wool";
    item.Isolation.Thickness = 30;
    item.OuterDiameter = 108;
    item.Perimeter = 0.5f;
    item.ConstructionPrice = 10;
    EXPECT_EQ(item.InsulationCost(), 40);  // floor(10 + 0.5 * 60 + 0.5)
    item.ConstructionPricePerM2 = 1;
    EXPECT_EQ(item.InsulationCost(), 35);  // construction per m2: 0.5 * 10
    item.Isolation.IsolationID = "shell";
    EXPECT_EQ(item.InsulationCost(), 55);  // 5 + 50: shells are priced per metre
    item.Isolation.IsolationID = "missing";
    EXPECT_EQ(item.InsulationCost(), 5);   // no price: construction only

    TItem tank = item;  // a tank: per m2 of its surface
    tank.Geometry = GeometryType::Tank;
    tank.Isolation.IsolationID = "wool";
    tank.Perimeter = 10;
    EXPECT_EQ(tank.InsulationCost(), 70);  // 10 + 10 * 60 / 10, construction never per m2 again

    item.Isolation.Thickness = 0;
    EXPECT_EQ(item.InsulationCost(), 0);
    item.Isolation.Thickness = 30;
    environment.RemovePriceList();
    EXPECT_EQ(item.InsulationCost(), 0);
}

TEST_F(CalculateTest, EnergyCost) {
    TItem item;
    item.Loss = 1000;
    item.EnergyPrice = 0.2f;
    item.Years = 2;
    item.DaysPerYear = 300;
    item.HoursPerDay = 10;
    item.Length = 10;
    // 1 kW * 0.2 * 6000 h = 1200, per metre 120
    EXPECT_EQ(item.EnergyCost(), 120);
    item.Geometry = GeometryType::Tank;
    item.Perimeter = 7;
    EXPECT_EQ(item.EnergyCost(), 171);  // 1200 / 7 = 171.43
    item.Perimeter = 8;
    EXPECT_EQ(item.EnergyCost(), 150);
}

// --- temperature limits -----------------------------------------------------------------------

TEST_F(CalculateTest, TemperatureLimitTexts) {
    // "limited" holds 0 .. 120 degC. Pipe with 50 mm: k 0.3617627,
    // Tw = Twi + ln(1.08) (k 0.5 / pi / 50) (Ta - Tm).
    struct Row {
        const char* name;
        float medium, air;
        const char* text;
    };
    const Row rows[] = {
        // q 47.02916: Twi 149.85030, Tw 149.83878; Ts 27.19704 inside
        {"inner face too hot", 150, 20, "Limits 0.0 to 120.0: 149.84"},
        // Twi 99.85030, Tw 99.83878 inside; Ts -22.80296 outside
        {"surface too cold", 100, -30, "Limits 0.0 to 120.0: -22.80"},
        // q 7.235255: Tw -10.02480 and Ts -28.89276 both outside: the inner face
        {"both out: the inner face", -10, -30, "Limits 0.0 to 120.0: -10.02"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TItem item = PlanePipe();
        item.Isolation.IsolationID = "limited";
        item.Isolation.Thickness = 50;
        SetMedium(item, "brine", row.medium);
        item.AirTemperature = row.air;
        Run(item);
        EXPECT_EQ(item.Isolation.ResultText, row.text);
    }
}

TEST_F(CalculateTest, TemperatureLimitTextIsCutAt255) {
    environment.SetText("IDS_ISOLATIONTEMPERATUREERROR", std::string(250, 'x') + " %.1f %.1f %.4f");
    TItem item = PlanePipe();
    item.Isolation.IsolationID = "limited";
    item.Isolation.Thickness = 50;
    SetMedium(item, "brine", 150);
    item.AirTemperature = 20;
    Run(item);
    EXPECT_EQ(item.Isolation.ResultText, std::string(250, 'x') + " 0.0 ");
}

TEST_F(CalculateTest, SearchEndTextThenLimitText) {
    // Brine at 150 needs nothing for a 70 degC surface but breaks the limit.
    TItem item = PlanePipe();
    item.Isolation.IsolationID = "limited";
    item.CalculationType = CalcMode::GivedSurfaceTemp;
    SetMedium(item, "brine", 150);
    item.AirTemperature = 20;
    item.TargetValue = 150;
    Run(item);
    EXPECT_EQ(item.Isolation.Thickness, 0);
    EXPECT_THAT(item.Isolation.ResultText, ::testing::StartsWith(KeyText("IDS_NEEDNOTISOLATION") + "Limits 0.0 to 120.0: "));
}

// --- what one calculation shares between its evaluations --------------------------------------

// The sweep's evaluations replayed one by one through the public steps,
// each of which looks everything up afresh: the calculation's shared
// look-ups must not change a single bit.
void ExpectSweepEqualsFreshSteps(const TItem& input) {
    TItem done = input;
    done.CalculationType = CalcMode::Optimum;
    ASSERT_TRUE(done.Calculate());
    ASSERT_GT(done.PriceDiagram.size(), 1u);

    TItem replay = done;
    const double dt0 = static_cast<double>(replay.Medium.Temperature) - replay.AirTemperature;
    replay.InsideWallTemperature = static_cast<float>(replay.Medium.Temperature - 0.2 * dt0);
    replay.SurfaceTemperature = static_cast<float>(replay.AirTemperature + 0.2 * dt0);
    replay.UpdateMediumProperties();
    for (const TPriceDiagramItem& point : done.PriceDiagram) {
        SCOPED_TRACE(point.Thickness);
        replay.Isolation.Thickness = point.Thickness;
        replay.Evaluate();
        EXPECT_EQ(replay.EnergyCost(), point.LossCost);
        EXPECT_EQ(replay.InsulationCost(), point.Investment);
    }
    replay.Isolation.Thickness = done.Isolation.Thickness;
    replay.Evaluate();
    for (auto field : {&TItem::InsideAlpha, &TItem::OutsideAlpha, &TItem::KValue, &TItem::SpecificLoss, &TItem::Loss,
                       &TItem::InsideWallTemperature, &TItem::SurfaceTemperature, &TItem::OutletTemperature,
                       &TItem::MediumPrandtl, &TItem::WallPrandtl, &TItem::AirDewPoint, &TItem::InsideDewPoint,
                       &TItem::Perimeter})
        EXPECT_EQ(replay.*field, done.*field);
    EXPECT_EQ(replay.Medium, done.Medium);
}

TEST_F(CalculateTest, SharedLookUpsNeverGoStale) {
    environment.SetPrices({{"shell_114_30", 50}, {"shell_114_50", 70}, {"shell_114_80", 90}, {"wool_20", 40},
                           {"wool_50", 100}, {"wool_100", 220}});
    {
        SCOPED_TRACE("forced flow of water");
        TItem item = WaterPipe();
        item.EnergyPrice = 0.1f;
        item.Years = 10;
        ExpectSweepEqualsFreshSteps(item);
    }
    {
        SCOPED_TRACE("natural convection of water: film properties follow the wall");
        TItem item = WaterPipe();
        item.InsideAlphaMode = 1;
        item.EnergyPrice = 0.1f;
        ExpectSweepEqualsFreshSteps(item);
    }
    {
        SCOPED_TRACE("water tank in the wind");
        TItem item = PlaneTank();
        SetMedium(item, "water", 70);
        item.InsideAlphaMode = 1;
        item.OutsideAlphaMode = 0;
        item.EnergyPrice = 0.1f;
        ExpectSweepEqualsFreshSteps(item);
    }
    {
        // Air inside at the air's temperature: two dew points of one
        // temperature, 9.27 at 50 % and 16.45 at 80 %.
        SCOPED_TRACE("air at the air's temperature");
        TItem item = PlanePipe();
        SetMedium(item, "air", 20);
        item.AirTemperature = 20;
        item.AirHumidity = 50;
        item.InsideHumidity = 80;
        ExpectSweepEqualsFreshSteps(item);
        item.CalculationType = CalcMode::GivedThickness;
        item.Isolation.Thickness = 50;
        Run(item);
        EXPECT_NEAR(item.AirDewPoint, 9.27, 0.01);
        EXPECT_NEAR(item.InsideDewPoint, 16.45, 0.01);
    }
}

TEST_F(CalculateTest, SuggestionOfAnAssembledSize) {
    // The layers' thicknesses are read from the size's name during the
    // calculation; that reading must not count as an arithmetic fault.
    TIsolation layered;
    layered.ItemID = "layered";
    layered.PrintName = "Layered %s";
    layered.c0 = 0.04f;
    layered.TempMin = -50;
    layered.TempMax = 250;
    TIsolationSubItem size = testing_support::IsolationSize(0, 50, "20 wool 30 shell");
    size.Assembled = 1;
    layered.SubItems = {size};
    IsolationTypes->Add(layered);

    TItem item = PlanePipe();
    item.Isolation.IsolationID = "layered";
    item.Isolation.Thickness = 45;
    Run(item);
    // Wool's first size of at least 20 mm; shells for diameter 0 take the
    // first bore, 89.
    EXPECT_EQ(item.Isolation.ResultText, KeyText("IDS_MULTILAYERISOLATION") + "Wool 20 mm; Shell 89x30");
}

// --- failures ---------------------------------------------------------------------------------

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct TFailure {
    const char* name;
    const char* key;
    void (*Break)(TItem&);
};

class CalculationFailures : public CalculateTest, public ::testing::WithParamInterface<TFailure> {};

TEST_P(CalculationFailures, ShowOneMessageAndReturnFalse) {
    const TFailure& failure = GetParam();
    TItem item = PlanePipe();
    item.Isolation.Thickness = 50;
    failure.Break(item);
    EXPECT_FALSE(item.Calculate());
    ASSERT_EQ(environment.Boxes().size(), 1u);
    EXPECT_EQ(environment.Boxes()[0].Text, KeyText(failure.key));
    EXPECT_EQ(environment.Boxes()[0].Caption, KeyText("IDS_PROGRAMTITLE"));
    EXPECT_EQ(environment.Boxes()[0].Flags, win::MB_OK | win::MB_ICONEXCLAMATION);

    // Nothing lingers: the next good calculation succeeds silently.
    environment.ClearBoxes();
    TItem good = PlanePipe();
    Run(good);
}

INSTANTIATE_TEST_SUITE_P(
    CalculateTest, CalculationFailures,
    ::testing::Values(
        TFailure{"diameters", "IDS_DIAMETERERROR", [](TItem& item) { item.InnerDiameter = 108; }},
        TFailure{"tank by velocity", "IDS_TANKSPEEDERROR",
                 [](TItem& item) {
                     item = PlaneTank();
                     item.VolumeGiven = 0;
                 }},
        TFailure{"unknown insulation", "IDS_UNKNOWNISOLATION",
                 [](TItem& item) { item.Isolation.IsolationID = "Wool"; }},
        TFailure{"unknown flow unit", "IDS_CALCULATIONERROR", [](TItem& item) { item.FlowUnit = 3; }},
        TFailure{"no wind and no radiation", "IDS_CALCULATIONERROR",
                 [](TItem& item) {
                     item.OutsideAlphaMode = 0;
                     item.WindSpeed = 0;
                     item.WithRadiation = 0;
                 }},
        TFailure{"user medium without conductivity", "IDS_CALCULATIONERROR",
                 [](TItem& item) {
                     item.Medium.ItemID = "userdefined";
                     item.Medium.HeatConditionFactor = 0;
                 }},
        TFailure{"user medium without heat capacity", "IDS_CALCULATIONERROR",
                 [](TItem& item) {
                     item.Medium.ItemID = "userdefined";
                     item.Medium.SpecificHeat = 0;
                     item.VolumeFlow = 100;
                 }},
        TFailure{"zero flow area", "IDS_CALCULATIONERROR", [](TItem& item) { item.InnerDiameter = 0; }},
        TFailure{"zero length in the energy cost", "IDS_CALCULATIONERROR",
                 [](TItem& item) {
                     item.CalculationType = CalcMode::Optimum;
                     item.Length = 0;
                 }},
        TFailure{"natural convection without a temperature difference", "IDS_CALCULATIONERROR",
                 [](TItem& item) {
                     item.OutsideAlphaMode = 1;
                     item.AirTemperature = 80;
                 }},
        // Numbers the calculation only compares: a NaN must fail the
        // calculation even where comparing it raises no flag.
        TFailure{"a target that is no number", "IDS_CALCULATIONERROR",
                 [](TItem& item) {
                     item.CalculationType = CalcMode::GivedSurfaceTemp;
                     item.TargetValue = kNaN;
                 }},
        TFailure{"a standing time that is no number", "IDS_CALCULATIONERROR",
                 [](TItem& item) {
                     item.CalculationType = CalcMode::Frost;
                     item.VolumeFlow = 100;
                     item.Time = kNaN;
                 }},
        TFailure{"a length that is no number", "IDS_CALCULATIONERROR",
                 [](TItem& item) {
                     item.VolumeFlow = 100;
                     item.Length = kNaN;
                 }},
        TFailure{"an air humidity that is no number", "IDS_CALCULATIONERROR",
                 [](TItem& item) { item.AirHumidity = kNaN; }},
        TFailure{"an inside humidity that is no number", "IDS_CALCULATIONERROR",
                 [](TItem& item) {
                     SetMedium(item, "air", 40);
                     item.InsideHumidity = kNaN;
                 }}),
    [](const ::testing::TestParamInfo<TFailure>& info) { return "Case" + std::to_string(info.index); });

TEST_F(CalculateTest, FailureKeepsTheFieldsWrittenBeforeIt) {
    // The bare reference succeeds; the sweep divides by the zero length.
    TItem item = OptimumPipe();
    item.Length = 0;
    item.Isolation.ResultText = "old";
    item.Isolation.IsolationLambda = 1;
    EXPECT_FALSE(item.Calculate());
    EXPECT_EQ(environment.Boxes().size(), 1u);
    EXPECT_EQ(item.Isolation.ResultText, "");
    EXPECT_FLOAT_EQ(item.Isolation.IsolationLambda, 0.04f);
}

TEST_F(CalculateTest, ReferenceFailureLeavesTheItemAlone) {
    TItem item = PlanePipe();
    item.InnerDiameter = 200;
    const TItem before = item;
    EXPECT_FALSE(item.Calculate());
    EXPECT_EQ(environment.Boxes().size(), 1u);
    EXPECT_EQ(item, before);
}

}  // namespace
