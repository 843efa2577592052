// The heat-transfer model step by step. Expected values are hand
// calculations of the model's formulas (shown in the comments), rounded to
// float where the model stores a float.

#include "calc/Item.h"

#include "calc/CalcEnvironment.h"
#include "calc/ItemInternal.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using calc_testing::TCalcEnvironment;

void ExpectRel(double actual, double expected, double tolerance = 1e-5) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * tolerance) << "expected " << expected;
}

// A medium whose properties the test sets; fetching leaves them alone.
TMedium UserMedium(float nu, float rho, float c, float lambda, float beta) {
    TMedium medium;
    medium.ItemID = "userdefined";
    medium.KinematicViscosity = nu;
    medium.Density = rho;
    medium.SpecificHeat = c;
    medium.HeatConditionFactor = lambda;
    medium.Beta = beta;
    return medium;
}

// --- water vapour --------------------------------------------------------------

TEST(HeatTransfer, SaturationPressure) {
    EXPECT_DOUBLE_EQ(TItem::SaturationPressure(0), 610.758);  // 10^0; the formula for T <= 0
    // 20 / ((2.52493e-5 * 20 + 0.130986) * 20 + 31.6866) = 20 / 34.31642 = 0.582812;
    // 610.758 * 10^0.582812 = 2337.117
    ExpectRel(TItem::SaturationPressure(20), 2337.1175, 1e-6);
    // -10 / ((9.30422e-6 * -10 + 0.103141) * -10 + 27.9541) = -0.371421; * 10^ -> 259.686
    ExpectRel(TItem::SaturationPressure(-10), 259.68573, 1e-6);
    ExpectRel(TItem::SaturationPressure(100), 101445.21, 1e-6);
}

TEST(HeatTransfer, DewPoint) {
    // p = 2337.12 * 0.5 = 1168.56 Pa is saturated at about 9.27 degC.
    EXPECT_NEAR(TItem::DewPoint(20, 50), 9.27, 0.01);
    EXPECT_NEAR(TItem::DewPoint(20, 100), 20, 0.01);
    EXPECT_LE(TItem::DewPoint(20, 100), 20);
    EXPECT_NEAR(TItem::DewPoint(-20, 80), -22.30, 0.01);  // the formula for T <= 0
    // At or below -50 no bisection: (T - 50) / 2.
    EXPECT_EQ(TItem::DewPoint(-60, 50), -55);
    EXPECT_EQ(TItem::DewPoint(-50, 50), -50);
    // Midpoints are floats: from [-50, 20.3] thirteen halvings end at
    // [9.538744926, 9.547327042], middle 9.543035984 (double midpoints
    // would give 9.5430352).
    EXPECT_DOUBLE_EQ(TItem::DewPoint(20.3f, 50), 9.543035984039307);
}

TEST(HeatTransfer, DewPointEndsForHumidityAboveSaturation) {
    // p = 1.5 * SaturationPressure(1e10) = 916 Pa, more than the pressure at
    // any midpoint above about 2.3e5 degC: lo climbs to 9999998976, the float
    // below 1e10, and the middle of the two rounds back to it for ever. Only
    // the cap on halvings ends the search: (9999998976 + 1e10) / 2.
    EXPECT_DOUBLE_EQ(TItem::DewPoint(1e10f, 150), 9999999488.0);
    const double result = TItem::DewPoint(1e30f, 150);
    EXPECT_GE(result, -50);
    EXPECT_LE(result, 1e30f);
}

// --- geometry -----------------------------------------------------------------

TEST(HeatTransfer, GeometryOfEveryShape) {
    TItem pipe;
    pipe.OuterDiameter = 108;
    pipe.Isolation.Thickness = 50;
    pipe.CalcGeometry();
    ExpectRel(pipe.Perimeter, 0.6534513);  // (100 + 108) * pi * 0.001

    TItem duct;
    duct.Geometry = GeometryType::SquareCanal;
    duct.SideA = 400;
    duct.SideB = 200;
    duct.WallThickness = 1;
    duct.Isolation.Thickness = 50;
    duct.CalcGeometry();
    ExpectRel(duct.Perimeter, 1.608);  // (4 + 600 + 200) * 0.002

    struct Row {
        const char* name;
        TankShape shape;
        double volume, surface;
    };
    const Row rows[] = {
        // D 1000, H 2000: 1e6 pi 2000 2.5e-10; (1e6 pi 0.5 + pi 1000 2000) 1e-6 = 2.5 pi
        {"cylinder", TankShape::Cylinder, 0.5 * 3.141592653589793, 2.5 * 3.141592653589793},
        // r 500: 1.25e8 pi 4e-9 / 3 = pi / 6; 2.5e5 pi 4e-6 = pi
        {"sphere", TankShape::Sphere, 3.141592653589793 / 6, 3.141592653589793},
        // 1000 x 2000 x 500: 1 m3; (2e6 + 5e5 + 1e6) 2e-6 = 7 m2
        {"box", TankShape::Box, 1.0, 7.0},
        // as entered
        {"given", TankShape::Given, 2.0, 9.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TItem tank;
        tank.Geometry = GeometryType::Tank;
        tank.Shape = row.shape;
        tank.CylinderDiameter = 1000;
        tank.CylinderLength = 2000;
        tank.SphereRadius = 500;
        tank.BoxA = 1000;
        tank.BoxB = 2000;
        tank.BoxHeight = 500;
        tank.TankVolume = 2;
        tank.TankSurface = 9;
        for (float thickness : {0.0f, 100.0f}) {
            tank.Isolation.Thickness = thickness;
            tank.CalcGeometry();
            ExpectRel(tank.TankVolume, row.volume);
            ExpectRel(tank.TankSurface, row.surface);
            EXPECT_EQ(tank.Perimeter, tank.TankSurface);  // does not grow with the thickness
        }
    }
}

// --- outside coefficient --------------------------------------------------------

// A pipe with a 200 mm outer size (d2 100, 50 mm insulation), surface 30 degC
// in air of 20 degC.
TItem OutsidePipe() {
    TItem item;
    item.OuterDiameter = 100;
    item.Isolation.Thickness = 50;
    item.AirTemperature = 20;
    item.SurfaceTemperature = 30;
    item.Medium.Temperature = 80;
    item.WithRadiation = 0;
    return item;
}

TEST(HeatTransfer, OutsideNaturalConvectionAndRadiation) {
    // dT 10: f = (1.01966e-6 * 10 - 0.0012257) * 10 + 1.4316 = 1.419445;
    // (10 / 0.2)^0.25 * f = 2.659148 * 1.419445 = 3.774514
    TItem item = OutsidePipe();
    item.CalcOutsideAlpha();
    ExpectRel(item.OutsideAlpha, 3.774514);

    // Radiation: A = 2.93^4 = 73.700508, B = 3.03^4 = 84.288925,
    // |(A - B) / (20 - 30)| = 1.0588417; * 0.8 * 5.67 = 4.802906; sum 8.577420.
    item.WithRadiation = 1;
    item.CalcOutsideAlpha();
    ExpectRel(item.OutsideAlpha, 8.577420);

    // A medium colder than the air gets none, even with radiation on.
    item.Medium.Temperature = 5;
    item.CalcOutsideAlpha();
    ExpectRel(item.OutsideAlpha, 3.774514);
    // Nor does one at the air's temperature.
    item.Medium.Temperature = 20;
    item.CalcOutsideAlpha();
    ExpectRel(item.OutsideAlpha, 3.774514);
}

TEST(HeatTransfer, OutsideGivenAndWind) {
    TItem item = OutsidePipe();
    item.WithRadiation = 1;
    item.OutsideAlphaMode = 2;
    item.OutsideAlpha = 12.5f;
    item.CalcOutsideAlpha();
    EXPECT_EQ(item.OutsideAlpha, 12.5f);  // given: kept, never radiation

    // 4.16 * 5^0.8 / 0.2^0.2 = 4.16 * 5^0.8 * 5^0.2 = 20.8
    item.OutsideAlphaMode = 0;
    item.WithRadiation = 0;
    item.CalcOutsideAlpha();
    ExpectRel(item.OutsideAlpha, 20.8);
}

TEST(HeatTransfer, OutsideSizeOfEveryGeometry) {
    // Natural convection at dT 10: (10 / Do)^0.25 * 1.419445.
    struct Row {
        const char* name;
        GeometryType geometry;
        TankShape shape;
        std::int16_t standing;
        double expected;
    };
    const Row rows[] = {
        // t = s + sw = 55: standing (110 + 2000) mm, lying (110 + 1000) mm
        {"standing cylinder", GeometryType::Tank, TankShape::Cylinder, 1, 2.0943437},
        {"lying cylinder", GeometryType::Tank, TankShape::Cylinder, 0, 2.4591658},
        {"sphere (500 + 55) * 2", GeometryType::Tank, TankShape::Sphere, 0, 2.4591658},
        {"box 110 + 500", GeometryType::Tank, TankShape::Box, 0, 2.8561835},
        {"given 110 + 800", GeometryType::Tank, TankShape::Given, 0, 2.5843909},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TItem item = OutsidePipe();
        item.Geometry = row.geometry;
        item.Shape = row.shape;
        item.StandingCylinder = row.standing;
        item.WallThickness = 5;
        item.CylinderLength = 2000;
        item.CylinderDiameter = 1000;
        item.SphereRadius = 500;
        item.BoxHeight = 500;
        item.GivenTankSize = 800;
        item.CalcOutsideAlpha();
        ExpectRel(item.OutsideAlpha, row.expected);
    }

    // Rectangular duct: hydraulic diameter of the insulated section, t = 51:
    // (102 + 400) * 2 * (102 + 200) / (204 + 600) * 0.001 = 0.3771244 m;
    // wind 5: 4.16 * 5^0.8 / 0.3771244^0.2 = 18.321980
    TItem duct = OutsidePipe();
    duct.Geometry = GeometryType::SquareCanal;
    duct.SideA = 400;
    duct.SideB = 200;
    duct.WallThickness = 1;
    duct.OutsideAlphaMode = 0;
    duct.CalcOutsideAlpha();
    ExpectRel(duct.OutsideAlpha, 18.321980);
}

// --- inside coefficient -----------------------------------------------------------

// Forced flow with exact numbers: Lc 0.125 m, nu 2^-20 m2/s, so that
// Re = 0.125 * v * 2^20 = v * 131072 exactly; Pr 7, Prw 5, lambda 0.6,
// beta 2e-4, Tm 60, Twi 40: Gr = 0.125^3 * 9.81 * 2e-4 * 20 / 2^-40 = 84267256.
TItem ForcedFlow(double reynolds, float length) {
    TItem item;
    item.Medium = UserMedium(std::ldexp(1.0f, -20), 1000, 4200, 0.6f, 2e-4f);
    item.Medium.Temperature = 60;
    item.InsideWallTemperature = 40;
    item.CharacteristicLength = 0.125f;
    item.Velocity = static_cast<float>(reynolds / 131072);
    item.MediumPrandtl = 7;
    item.WallPrandtl = 5;
    item.Length = length;
    return item;
}

TEST(HeatTransfer, ForcedFlowRegimes) {
    struct Row {
        const char* name;
        double reynolds;
        float length;
        double alpha;
    };
    // alpha = Nu * 0.6 / 0.125.
    const Row rows[] = {
        // laminar: 0.15 Re^0.33 Pr^0.43 Gr^0.1 (Pr/Prw)^0.24 f; Re 1000, f 1: Nu 22.757
        {"laminar, no length", 1000, 0, 109.23487},
        // f = 1.895 (1 / 0.125)^-0.1695 = 1.895 * 0.702962 = 1.332114
        {"laminar, short pipe", 1000, 1, 145.51131},
        // f = 1.895 * 8000^-0.1695 < 1: f = 1
        {"laminar, long pipe", 1000, 1000, 109.23487},
        {"laminar just below 2000", 1999, 0, 137.28703},
        // transition: g = ln Gr = 18.249504; A = 0.0194878, B = 0.2992781,
        // C = -0.7725747; r = ln 2000 = 7.6009025;
        // Nu = 7^0.43 exp((A r + B) r + C) (7/5)^0.25 = 34.776723
        {"transition at exactly 2000", 2000, 0, 166.92827},
        // r = ln 10000 = 9.2103405
        {"transition at exactly 10000", 10000, 0, 457.83423},
        {"transition ignores the length", 10000, 1, 457.83423},
        // turbulent: 0.021 Re^0.8 Pr^0.43 (Pr/Prw)^0.25 f
        {"turbulent just above 10000", 10001, 0, 401.25409},
        {"turbulent 50000", 50000, 0, 1453.9877},
        // c1 = 12.036 (ln 50000)^-0.9085 = 1.3931; e = 0.2323 ln ln 50000 - 0.6359
        // = -0.0903; f = c1 8^e = 1.16466
        {"turbulent, short pipe", 50000, 1, 1693.4181},
        {"turbulent, long pipe", 50000, 1000, 1453.9877},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TItem item = ForcedFlow(row.reynolds, row.length);
        item.CalcInsideAlpha();
        ExpectRel(item.InsideAlpha, row.alpha);
    }
}

TEST(HeatTransfer, ForcedFlowSinglePrecision) {
    // Re, Gr, the length factor, g, A, B, C, r and Nu rounded to floats
    // between the steps; lambda 0.6, Tm 60. Each row's result differs when
    // any one of them is kept in double.
    struct Row {
        const char* name;
        float lc, velocity, nu, beta, wallTemperature, pr, prw, length;
        float alpha;
    };
    const Row rows[] = {
        // Re = 1023.0000610, Gr = 124858.64, f = 1.895 (1 / 0.0825)^-0.1695
        // = 1.2415041; Nu = 3.2028050 (double throughout: 23.293129)
        {"laminar", 0.0825f, 0.186f, 1.5e-5f, 3e-4f, 43, 0.71f, 5, 1, 23.293127059936523f},
        // Re = 2807.3398, Gr = 985.91882; g = 6.8935742; A = -0.36117646,
        // B = 7.4551554, C = -34.422409; r = 7.9399924; Nu = 9.2291365
        // (double throughout: 259.97546)
        {"transition", 0.0213f, 1.977f, 1.5e-5f, 2e-4f, 48.3f, 2.5f, 5, 0, 259.9757080078125f},
        // Re = 35177.273; c1 = 1.4253783, e = -0.090381120;
        // f = c1 (1 / 0.0213)^e = 1.0065775; Nu = 143.68716 (double: 4047.5256)
        {"turbulent", 0.0213f, 1.09f, 6.6e-7f, 5e-4f, 47.8f, 2.5f, 2, 1, 4047.526123046875f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TItem item;
        item.Medium = UserMedium(row.nu, 1000, 4200, 0.6f, row.beta);
        item.Medium.Temperature = 60;
        item.InsideWallTemperature = row.wallTemperature;
        item.CharacteristicLength = row.lc;
        item.Velocity = row.velocity;
        item.MediumPrandtl = row.pr;
        item.WallPrandtl = row.prw;
        item.Length = row.length;
        item.CalcInsideAlpha();
        EXPECT_EQ(item.InsideAlpha, row.alpha);
    }
}

TEST(HeatTransfer, NaturalConvectionRows) {
    using item_internal::NaturalConvectionNusselt;
    EXPECT_DOUBLE_EQ(NaturalConvectionNusselt(0), 0.5);
    EXPECT_DOUBLE_EQ(NaturalConvectionNusselt(0.001), 0.5);
    // 500 itself is row 1: 1.18 * 500^0.125; just above, row 2: 0.54 X^0.25.
    EXPECT_NEAR(NaturalConvectionNusselt(500), 2.5659799, 1e-6);
    EXPECT_NEAR(NaturalConvectionNusselt(std::nextafter(500.0, 1e9)), 2.5535023, 1e-6);
    // 2e7 is row 2: 0.54 * 2e7^0.25; just above, row 3: 0.135 X^0.333.
    EXPECT_NEAR(NaturalConvectionNusselt(2e7), 36.111976, 1e-5);
    EXPECT_NEAR(NaturalConvectionNusselt(std::nextafter(2e7, 1e30)), 36.439865, 1e-5);
    EXPECT_NEAR(NaturalConvectionNusselt(1e15), 0.135 * std::pow(1e15, 0.333), 1e-3);
}

TEST(HeatTransfer, InsideNaturalConvection) {
    // nu 1e-5, rho 1000, c 2000, lambda 0.5: Pr = 40; beta 1e-3; Tm 60, Twi 50.
    TItem item;
    item.InsideAlphaMode = 1;
    item.Medium = UserMedium(1e-5f, 1000, 2000, 0.5f, 1e-3f);
    item.Medium.Temperature = 60;
    item.InsideWallTemperature = 50;
    // Lc 0.5: Gr = 0.125 * 9.81 * 1e-3 * 10 / 1e-10 = 1.22625e8, X = 4.905e9
    // (row 3): Nu = 0.135 X^0.333 = 455.351; alpha = Nu * 0.5 / 0.5
    item.CharacteristicLength = 0.5f;
    item.CalcInsideAlpha();
    ExpectRel(item.InsideAlpha, 227.67564);
    // Lc 0.01: X = 39240 (row 2): 0.54 * 39240^0.25 * 0.5 / 0.01 = 380.0109
    item.CharacteristicLength = 0.01f;
    item.CalcInsideAlpha();
    ExpectRel(item.InsideAlpha, 380.01086);

    // A data-base medium takes its properties at the film temperature
    // (60 + 40) / 2 = 50: water rho 991, c 4190, nu 7e-7, lambda 0.645,
    // beta 3e-4, Pr = 7e-7 * 991 * 4190 / 0.645 = 4.506362. Lc 0.1:
    // Gr = 1e-3 * 9.81 * 3e-4 * 20 / 4.9e-13 = 1.201224e8, X = 5.413151e8
    // (row 3): Nu = 0.135 X^0.333 = 109.28805; alpha = Nu * 0.645 / 0.1.
    {
        TCalcEnvironment environment;
        TItem water;
        water.InsideAlphaMode = 1;
        water.Medium.Temperature = 60;
        water.InsideWallTemperature = 40;
        water.CharacteristicLength = 0.1f;
        water.CalcInsideAlpha();
        ExpectRel(water.InsideAlpha, 704.90790);  // 784.78 at the medium's own temperature
    }

    // Given: kept.
    item.InsideAlphaMode = 2;
    item.InsideAlpha = 42;
    item.CalcInsideAlpha();
    EXPECT_EQ(item.InsideAlpha, 42);
}

TEST(HeatTransfer, WallPrandtlAtTheWallTemperature) {
    TCalcEnvironment environment;
    TItem item;  // "water" at 20: Pr = 1e-6 * 1000 * 4190 / 0.6 = 6.983333
    item.InsideWallTemperature = 60;
    item.UpdateMediumProperties();
    ExpectRel(item.MediumPrandtl, 6.983333);
    // at 60: nu 6e-7, rho 988, lambda 0.66: Pr = 6e-7 * 988 * 4190 / 0.66 = 3.763382
    ExpectRel(item.WallPrandtl, 3.763382);

    item.Medium = UserMedium(1e-5f, 1000, 2000, 0.5f, 1e-3f);  // Pr 40
    item.UpdateMediumProperties();
    ExpectRel(item.MediumPrandtl, 40);
    EXPECT_EQ(item.WallPrandtl, item.MediumPrandtl);
}

// --- outlet temperature and total heat flow ---------------------------------------

TEST(HeatTransfer, OutputsOfEveryBranch) {
    // k 0.5, q 30, c 4200, Tm 80, Ta 20 unless stated.
    struct Row {
        const char* name;
        GeometryType geometry;
        CalcMode type;
        float massFlow, length, time;
        double outlet, loss;
    };
    const Row rows[] = {
        // 20 + exp(-0.5 * 100 / 4200 / 0.1) * 60 = 73.26593; (80 - outlet) 4200 0.1
        {"pipe with flow", GeometryType::Tube, CalcMode::GivedThickness, 0.1f, 100, 0, 73.26593, 2828.3093},
        // exchange size L * P = 150 m2
        {"duct with flow", GeometryType::SquareCanal, CalcMode::GivedThickness, 0.1f, 100, 0, 70.187859, 4121.0996},
        {"pipe without flow", GeometryType::Tube, CalcMode::GivedThickness, 0, 100, 0, 80, 3000},  // q L
        {"duct without flow", GeometryType::SquareCanal, CalcMode::GivedPower, 0, 100, 0, 80, 4500},  // q L P
        {"pipe without flow or length", GeometryType::Tube, CalcMode::GivedThickness, 0, 0, 0, 80, 0},
        {"flow without length", GeometryType::Tube, CalcMode::GivedThickness, 0.1f, 0, 0, 80, 0},
        {"time counts only for frost", GeometryType::Tube, CalcMode::GivedTempDiff, 0, 100, 10, 80, 3000},
        // V = 100^2 * 100 * pi * 2.5e-7 = 0.785398 m3; me = 1000 / 10 / 3600 * V = 0.0218166
        {"frost pipe standing still", GeometryType::Tube, CalcMode::Frost, 0, 100, 10, 54.767063, 2312.0886},
        {"frost pipe with flow and time", GeometryType::Tube, CalcMode::Frost, 0.1f, 100, 10, 74.413795, 2858.0686},
        // V = 400 * 200 * 100 * 1e-6 = 8 m3; me = 0.2222222; exchange 150 m2
        {"frost duct standing still", GeometryType::SquareCanal, CalcMode::Frost, 0, 100, 10, 75.367203, 4323.9443},
        // mt = 0.01 + 1000 * 2 / 5 / 3600 = 0.1211111; exp(-0.5 * 10 / 4200 / mt)
        {"tank with flow and time", GeometryType::Tank, CalcMode::GivedThickness, 0.01f, 0, 5, 79.413109, 298.53198},
        {"tank without flow", GeometryType::Tank, CalcMode::Condensation, 0, 0, 0, 80, 300},  // surface * q
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TItem item;
        item.Medium = UserMedium(1e-6f, 1000, 4200, 0.6f, 2e-4f);
        item.Medium.Temperature = 80;
        item.AirTemperature = 20;
        item.Geometry = row.geometry;
        item.CalculationType = row.type;
        item.KValue = 0.5f;
        item.SpecificLoss = 30;
        item.MassFlow = row.massFlow;
        item.Length = row.length;
        item.Time = row.time;
        item.InnerDiameter = 100;
        item.SideA = 400;
        item.SideB = 200;
        item.Perimeter = 1.5f;
        item.TankVolume = 2;
        item.TankSurface = 10;
        item.CalcOutputs();
        ExpectRel(item.OutletTemperature, row.outlet);
        ExpectRel(item.Loss, row.loss, 2e-5);
    }
}

TEST(HeatTransfer, LossIsNeverNegative) {
    TItem item;
    item.Medium = UserMedium(1e-6f, 1000, 4200, 0.6f, 2e-4f);
    item.Medium.Temperature = 5;
    item.AirTemperature = 20;
    item.SpecificLoss = -7.5f;
    item.Length = 100;
    item.CalcOutputs();
    EXPECT_EQ(item.OutletTemperature, 5);
    EXPECT_FLOAT_EQ(item.Loss, 750);
    item.MassFlow = 0.1f;
    item.KValue = 0.5f;
    item.CalcOutputs();  // the outlet warms up: 20 - exp(-50 / 420) * 15
    EXPECT_GT(item.OutletTemperature, 5);
    EXPECT_GT(item.Loss, 0);
}

}  // namespace
