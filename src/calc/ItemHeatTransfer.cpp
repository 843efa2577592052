// The heat-transfer model: one evaluation at the thickness the item holds.
// Fields are floats; everything between them is double unless a value is
// named single precision (the forced-flow correlation, the dew point).

#include "calc/Item.h"

#include "calc/ItemInternal.h"
#include "data/Mediumdbitem.h"

#include <cmath>
#include <cstddef>
#include <iterator>

namespace {

using item_internal::IsCircular;
using item_internal::IsPlane;
using item_internal::kPi;
using item_internal::TCalcCache;
using TTerm = item_internal::TCalcCache::TTerm;

constexpr double kGravity = 9.81;
constexpr int kPasses = 5;

double Cube(double x) { return x * x * x; }

// Natural convection inside takes the properties at the mean of medium and
// wall.
float FilmTemperature(const TItem& item) {
    return static_cast<float>((static_cast<double>(item.Medium.Temperature) + item.InsideWallTemperature) * 0.5);
}

// Natural convection inside: rows of (limit of Gr*Pr, C, n). The last
// limit is never compared.
struct TNaturalRow {
    double Limit;
    double C;
    double N;
};
constexpr TNaturalRow kNaturalRows[] = {
    {0.001, 0.5, 0},
    {500, 1.18, 0.125},
    {2e7, 0.54, 0.25},
    {1e13, 0.135, 0.333},
};

}  // namespace

double item_internal::NaturalConvectionNusselt(double x) {
    std::size_t row = std::size(kNaturalRows) - 1;
    for (std::size_t i = 0; i + 1 < std::size(kNaturalRows); ++i) {
        if (kNaturalRows[i].Limit >= x) {
            row = i;
            break;
        }
    }
    return kNaturalRows[row].C * std::pow(x, kNaturalRows[row].N);
}

void TItem::Evaluate() {
    TCalcCache cache(Medium.ItemID);
    Evaluate(cache);
}

void TItem::Evaluate(TCalcCache& cache) {
    CalcGeometry();
    CalcHeatFlow(cache);
    AirDewPoint = static_cast<float>(cache.DewPoint(AirTemperature, AirHumidity));
    if (IsAirMedium(Medium.ItemID))
        InsideDewPoint = static_cast<float>(cache.DewPoint(Medium.Temperature, InsideHumidity));
    CalcOutputs();
}

void TItem::CalcGeometry() {
    const double s = Isolation.Thickness;
    if (IsCircular(Geometry)) {
        Perimeter = static_cast<float>((2 * s + OuterDiameter) * kPi * 0.001);
    } else if (Geometry == GeometryType::SquareCanal) {
        Perimeter = static_cast<float>(
            (4.0 * WallThickness + (static_cast<double>(SideA) + SideB) + 4 * s) * 0.002);
    } else if (Geometry == GeometryType::Tank) {
        switch (Shape) {
        case TankShape::Cylinder: {
            const double d = CylinderDiameter;
            const double h = CylinderLength;
            TankVolume = static_cast<float>(d * d * kPi * h * 2.5e-10);
            TankSurface = static_cast<float>((d * d * kPi * 0.5 + kPi * d * h) * 1e-6);
            break;
        }
        case TankShape::Sphere: {
            const double r = SphereRadius;
            TankVolume = static_cast<float>(Cube(r) * kPi * 4e-9 / 3);
            TankSurface = static_cast<float>(r * r * kPi * 4e-6);
            break;
        }
        case TankShape::Box: {
            const double a = BoxA;
            const double b = BoxB;
            const double c = BoxHeight;
            TankVolume = static_cast<float>(a * b * c * 1e-9);
            TankSurface = static_cast<float>((a * b + a * c + b * c) * 2e-6);
            break;
        }
        default:  // Given: volume and surface as entered
            break;
        }
        // The surface does not grow with the insulation.
        Perimeter = TankSurface;
    }
}

void TItem::CalcHeatFlow() {
    TCalcCache cache(Medium.ItemID);
    CalcHeatFlow(cache);
}

void TItem::CalcHeatFlow(TCalcCache& cache) {
    // The passes change the coefficients and temperatures only: the layers
    // of wall and insulation are worked out once, by the same operations.
    const double tm = Medium.Temperature;
    const double ta = AirTemperature;
    const double s = Isolation.Thickness;
    const double sw = WallThickness;
    const double lw = WallLambda;
    const double li = Isolation.IsolationLambda;
    const bool circular = IsCircular(Geometry);
    const bool plane = IsPlane(Geometry);
    const double d1 = InnerDiameter;
    const double d2 = OuterDiameter;
    const double d = d2 + 2 * s;
    double wallLayer = 0;
    double insulationLayer = 0;
    if (circular) {
        wallLayer = cache.Log(TTerm::LogWall, d2 / d1) * (0.5 / lw);
        insulationLayer = cache.Log(TTerm::LogInsulation, d / d2) * (0.5 / li);
    } else if (plane) {
        wallLayer = sw / lw * 0.001;
        insulationLayer = s / li * 0.001;
    }

    // A fixed-point iteration: every pass starts from the temperatures the
    // item holds, so a search converges from the previous trial's state.
    for (int pass = 0; pass < kPasses; ++pass) {
        CalcInsideAlpha(cache);
        CalcOutsideAlpha(cache);
        const double ai = InsideAlpha;
        const double ao = OutsideAlpha;
        if (circular) {
            const double r = wallLayer + (1 / ai) / d1 * 1000 + insulationLayer + (1 / ao) / d * 1000;
            KValue = static_cast<float>(kPi / r);  // per metre of length
            SpecificLoss = static_cast<float>((tm - ta) * KValue);
            const double q = SpecificLoss;
            InsideWallTemperature = static_cast<float>(tm - q / ai / d1 * (1 / kPi) * 1000);
            SurfaceTemperature = static_cast<float>(ta + q / ao / d * (1 / kPi) * 1000);
        } else if (plane) {
            KValue = static_cast<float>(1 / (1 / ai + wallLayer + insulationLayer + 1 / ao));  // per m2
            SpecificLoss = static_cast<float>((tm - ta) * KValue);
            const double q = SpecificLoss;
            InsideWallTemperature = static_cast<float>(tm - q / ai);
            SurfaceTemperature = static_cast<float>(ta + q / ao);
        }
        // The next pass's film properties depend on the new wall temperature
        // alone, and nothing in between changes or reads them: taken first,
        // their long computation doesn't wait behind the wall's properties.
        if (InsideAlphaMode == 1 && pass + 1 < kPasses)
            cache.At(Medium, FilmTemperature(*this));
        UpdateMediumProperties(cache);
    }
}

void TItem::CalcInsideAlpha() {
    TCalcCache cache(Medium.ItemID);
    CalcInsideAlpha(cache);
}

void TItem::CalcInsideAlpha(TCalcCache& cache) {
    const double tm = Medium.Temperature;
    const double twi = InsideWallTemperature;
    const double lc = CharacteristicLength;
    if (InsideAlphaMode == 0) {
        // Forced flow. Re, Gr, f, g, A, B, C, r and Nu are single precision.
        const double nu = Medium.KinematicViscosity;
        const float re = static_cast<float>(lc * Velocity / nu);
        const float gr =
            static_cast<float>(std::fabs(Cube(lc) * kGravity * Medium.Beta * std::fabs(tm - twi) / (nu * nu)));
        const double pr = MediumPrandtl;
        const double prw = WallPrandtl;
        const double length = Length;
        float nuNumber;
        if (re < 2000) {
            float f = 1;
            if (length != 0) {
                f = static_cast<float>(1.895 * cache.Pow(TTerm::LengthFactor, length / lc, -0.1695));
                if (f < 1)
                    f = 1;
            }
            // The wall correction takes 0.24 here, 0.25 in the other regimes.
            nuNumber = static_cast<float>(0.15 * cache.Pow(TTerm::ReynoldsPower, re, 0.33) *
                                          cache.Pow(TTerm::PrandtlPower, pr, 0.43) * std::pow(gr, 0.1) *
                                          std::pow(pr / prw, 0.24) * f);
        } else if (re > 10000) {
            const double lnRe = cache.Log(TTerm::LogReynolds, re);
            float f = 1;
            if (length != 0) {
                const double c1 = 12.036 * cache.Pow(TTerm::LengthCoefficient, lnRe, -0.9085);
                const double e = 0.2323 * cache.Log(TTerm::LogLogReynolds, lnRe) - 0.6359;
                f = static_cast<float>(c1 * cache.Pow(TTerm::LengthFactor, length / lc, e));
                if (f < 1)
                    f = 1;
            }
            nuNumber = static_cast<float>(0.021 * cache.Pow(TTerm::ReynoldsPower, re, 0.8) *
                                          cache.Pow(TTerm::PrandtlPower, pr, 0.43) * std::pow(pr / prw, 0.25) * f);
        } else {
            // Transition, 2000 and 10000 included; no length factor.
            const float g = static_cast<float>(std::log(static_cast<double>(gr)));
            const float a = static_cast<float>((-0.00111 * g + 0.06143) * g - 0.7319);
            const float b = static_cast<float>((0.01821 * g - 1.088) * g + 14.09);
            const float c = static_cast<float>((-0.07377 * g + 4.818) * g - 64.13);
            const float r = static_cast<float>(cache.Log(TTerm::LogReynolds, re));
            nuNumber = static_cast<float>(cache.Pow(TTerm::PrandtlPower, pr, 0.43) *
                                          std::exp((a * static_cast<double>(r) + b) * r + c) * std::pow(pr / prw, 0.25));
        }
        InsideAlpha = static_cast<float>(nuNumber * static_cast<double>(Medium.HeatConditionFactor) / lc);
    } else if (InsideAlphaMode == 1) {
        // Natural convection with the properties at the mean of medium and wall.
        const TMedium& film = cache.At(Medium, FilmTemperature(*this));
        const double prm = film.Prandtl();
        const double num = film.KinematicViscosity;
        const double gr = std::fabs(Cube(lc) * kGravity * film.Beta * std::fabs(tm - twi) / (num * num));
        const double nuNumber = item_internal::NaturalConvectionNusselt(gr * prm);
        InsideAlpha = static_cast<float>(nuNumber * film.HeatConditionFactor / lc);
    }
    // Mode 2: the entered coefficient stays.
}

void TItem::CalcOutsideAlpha() {
    TCalcCache cache(Medium.ItemID);
    CalcOutsideAlpha(cache);
}

void TItem::CalcOutsideAlpha(TCalcCache& cache) {
    const double s = Isolation.Thickness;
    const double t = s + WallThickness;
    double outerSize = 0;  // m
    if (IsCircular(Geometry)) {
        outerSize = (2 * s + OuterDiameter) * 0.001;
    } else if (Geometry == GeometryType::SquareCanal) {
        // Hydraulic diameter of the insulated section.
        outerSize = (2 * t + SideA) * 2 * (2 * t + SideB) / (4 * t + (static_cast<double>(SideA) + SideB)) * 0.001;
    } else if (Geometry == GeometryType::Tank) {
        switch (Shape) {
        case TankShape::Cylinder:
            outerSize = (2 * t + (StandingCylinder != 0 ? CylinderLength : CylinderDiameter)) * 0.001;
            break;
        case TankShape::Sphere:
            outerSize = (SphereRadius + t) * 0.002;
            break;
        case TankShape::Box:
            outerSize = (2 * t + BoxHeight) * 0.001;
            break;
        case TankShape::Given:
            outerSize = (2 * t + GivenTankSize) * 0.001;
            break;
        default:
            break;
        }
    }

    const double ta = AirTemperature;
    const double ts = SurfaceTemperature;
    if (OutsideAlphaMode == 0) {
        OutsideAlpha = static_cast<float>(4.16 * cache.Pow(TTerm::WindPower, WindSpeed, 0.8) /
                                          cache.Pow(TTerm::OuterSizePower, outerSize, 0.2));
    } else if (OutsideAlphaMode == 1) {
        const double dt = std::fabs(ta - ts);
        const double f = (1.01966e-6 * dt - 0.0012257) * dt + 1.4316;
        OutsideAlpha = static_cast<float>(std::pow(dt / outerSize, 0.25) * f);
    }

    // Radiation only towards colder air; a medium colder than the air gets none.
    if (WithRadiation != 0 && OutsideAlphaMode != 2 && AirTemperature < Medium.Temperature) {
        const double a = cache.Pow(TTerm::AirRadiation, (ta + 273) * 0.01, 4);
        const double b = std::pow((ts + 273) * 0.01, 4);
        const double radiation = std::fabs((a - b) / (ta - ts));
        OutsideAlpha = static_cast<float>(radiation * (EmissionFactor * 5.67) + OutsideAlpha);
    }
}

void TItem::UpdateMediumProperties() {
    TCalcCache cache(Medium.ItemID);
    UpdateMediumProperties(cache);
}

void TItem::UpdateMediumProperties(TCalcCache& cache) {
    cache.Fetch(Medium);
    MediumPrandtl = static_cast<float>(Medium.Prandtl());
    if (TMediumTypes::IsUserDefined(Medium.ItemID))
        WallPrandtl = MediumPrandtl;
    else  // a copy of the medium at the wall's temperature
        WallPrandtl = static_cast<float>(cache.PrandtlAt(Medium, InsideWallTemperature));
}

double TItem::SaturationPressure(double temperature) {
    const double t = temperature;
    if (t > 0)
        return 610.758 * std::pow(10.0, t / ((2.52493e-5 * t + 0.130986) * t + 31.6866));
    return 610.758 * std::pow(10.0, t / ((9.30422e-6 * t + 0.103141) * t + 27.9541));
}

double TItem::DewPoint(float temperature, float humidity) {
    // Bisection in single precision. A humidity above 100 % with a huge
    // temperature would never narrow below 0.01 in floats: stop after
    // 200 halvings, far more than any real input needs (about 20).
    constexpr int kMaxHalvings = 200;
    const float p = static_cast<float>(SaturationPressure(temperature) * humidity * 0.01);
    float lo = -50;
    float hi = temperature;
    for (int i = 0; i < kMaxHalvings && static_cast<double>(hi) - lo > 0.01; ++i) {
        const float mid = static_cast<float>((static_cast<double>(hi) + lo) * 0.5);
        if (SaturationPressure(mid) >= p)
            hi = mid;
        else
            lo = mid;
    }
    return (static_cast<double>(hi) + lo) * 0.5;
}

void TItem::CalcOutputs() {
    const double tm = Medium.Temperature;
    const double ta = AirTemperature;
    const double k = KValue;
    const double c = Medium.SpecificHeat;
    const double m = MassFlow;
    const double length = Length;
    if (static_cast<int>(Geometry) < static_cast<int>(GeometryType::Tank)) {
        // k is per metre for circular sections, per m2 for the rectangular duct.
        const double exchangeSize = IsCircular(Geometry) ? length : length * Perimeter;
        if (CalculationType == CalcMode::Frost) {
            // The flow that empties the volume in `Time` hours counts too.
            double extra = 0;
            if (Time > 0) {
                const double volume = Geometry == GeometryType::SquareCanal
                                          ? static_cast<double>(SideA) * SideB * length * 1e-6
                                          : static_cast<double>(InnerDiameter) * InnerDiameter * length * kPi * 2.5e-7;
                extra = Medium.Density / static_cast<double>(Time) * (1.0 / 3600) * volume;
            }
            const double total = m + extra;
            OutletTemperature = static_cast<float>(ta + std::exp(-k * exchangeSize / c / total) * (tm - ta));
            Loss = static_cast<float>((tm - OutletTemperature) * c * total);
        } else {
            if (length > 0 && m > 0)
                OutletTemperature = static_cast<float>(ta + std::exp(-k * exchangeSize / c / m) * (tm - ta));
            else
                OutletTemperature = Medium.Temperature;
            if (m > 0)
                Loss = static_cast<float>((tm - OutletTemperature) * c * m);
            else
                Loss = static_cast<float>(SpecificLoss * exchangeSize);
        }
    } else if (Geometry == GeometryType::Tank) {
        double total = m;
        if (Time > 0)
            total += Medium.Density * static_cast<double>(TankVolume) / Time * (1.0 / 3600);
        if (total > 0) {
            OutletTemperature = static_cast<float>(ta + std::exp(-k * TankSurface / c / total) * (tm - ta));
            Loss = static_cast<float>((tm - OutletTemperature) * c * total);
        } else {
            OutletTemperature = Medium.Temperature;
            Loss = static_cast<float>(static_cast<double>(TankSurface) * SpecificLoss);
        }
    }
    Loss = std::fabs(Loss);
}
