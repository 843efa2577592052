// The calculation: bare reference, geometry and flow, the thickness search of
// each calculation type, costs, the insulation's temperature limits.

#include "calc/Item.h"

#include "calc/ItemInternal.h"
#include "data/Isolation.h"
#include "data/Price.h"
#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/win/MessageBox.h"
#include "project/ProgramOptions.h"

#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace {

using item_internal::IsCircular;
using item_internal::IsPlane;
using item_internal::kPi;
using item_internal::TCalcCache;
using item_internal::Text;

constexpr double kLargestThickness = 500;  // mm; a result at or above it is too thick
constexpr double kBisectionStop = 0.05;    // mm
constexpr double kInitialEstimate = 0.2;   // share of Tm - Ta for the first wall and surface temperatures
constexpr double kCondensationMargin = 0.1;  // degC above the dew point
constexpr std::size_t kMaxLimitTextLength = 255;

// Arithmetic faults that make a calculation fail. Underflow and inexact
// results are normal.
constexpr int kFaultFlags = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

// Divisor that turns a flow in `FlowUnit` into m3/s; 0 for an unknown unit.
double FlowDivisor(std::int16_t flowUnit) {
    switch (flowUnit) {
    case 0: return 3.6e6;  // litres per hour
    case 1: return 3600;   // cubic metres per hour
    case 2: return 60000;  // litres per minute
    default: return 0;
    }
}

bool AllFinite(std::initializer_list<float> values) {
    for (float value : values) {
        if (!std::isfinite(value))
            return false;
    }
    return true;
}

}  // namespace

float RoundSearchThickness(double middle, bool keepTenths) {
    // Tenths of a millimetre, halves upwards, held in single precision.
    float t = static_cast<float>(std::floor(middle * 10 + 0.5) * 0.1);
    if (!keepTenths) {
        // Literally ceil(t - 0.1) on the float t: 23.0 stays, 23.4 goes to
        // 24, and whether x.1 stays depends on how x.1 rounds to a float.
        t = static_cast<float>(std::ceil(static_cast<double>(t) - 0.1));
    }
    // ceil(-0.1) is minus zero; a thickness shows as 0, never as -0.
    return t == 0 ? 0.0f : t;
}

bool TItem::Calculate(bool nested) {
    TCalcCache cache(Medium.ItemID);
    return Calculate(nested, cache);
}

bool TItem::Calculate(bool nested, TCalcCache& cache) {
    try {
        std::feclearexcept(kFaultFlags);
        double referenceLoss = 0;
        if (!nested) {
            TItem reference = *this;
            reference.CalculationType = CalcMode::GivedThickness;
            reference.Isolation.Thickness = 0;
            if (!reference.Calculate(true, cache))
                return false;  // it has shown its message
            referenceLoss = reference.SpecificLoss;
        }

        const double tm = Medium.Temperature;
        const double ta = AirTemperature;
        const double dt0 = tm - ta;
        InsideWallTemperature = static_cast<float>(tm - kInitialEstimate * dt0);
        SurfaceTemperature = static_cast<float>(ta + kInitialEstimate * dt0);
        UpdateMediumProperties(cache);

        const TIsolation* isolation = IsolationTypes ? IsolationTypes->FindItem(Isolation.IsolationID) : nullptr;
        if (!isolation)
            throw Exception(Text("IDS_UNKNOWNISOLATION"));
        // The lambda at the mean of medium and air rounded to 0.1 degC; it
        // does not follow the thickness.
        const double meanTemperature = std::floor((tm + ta) * 5 + 0.5) * 0.1;
        Isolation.IsolationLambda = IsolationLambdaAt(*isolation, meanTemperature);
        Isolation.ResultText.clear();

        PrepareGeometryAndFlow();
        PriceDiagram.clear();

        switch (CalculationType) {
        case CalcMode::GivedThickness:
            Evaluate(cache);
            break;
        case CalcMode::Condensation:
        case CalcMode::GivedSurfaceTemp:
        case CalcMode::GivedPower:
        case CalcMode::GivedTempDiff:
        case CalcMode::Frost:
            RunBisection(referenceLoss, cache);
            break;
        case CalcMode::Optimum:
            RunOptimum(*isolation, cache);
            break;
        default:
            break;
        }

        CheckTemperatureLimits(*isolation);
        if (!nested) {
            SavingRatio = std::fabs(referenceLoss) > 0
                              ? static_cast<float>((referenceLoss - SpecificLoss) / referenceLoss)
                              : 0.0f;
        }
        if (Isolation.Thickness == 0)
            Isolation.Thickness = 0;  // never minus zero

        // A division by zero, a logarithm of zero, an overflow... anywhere in
        // the run is a failed calculation, never a result.
        if (std::fetestexcept(kFaultFlags) != 0 || !ResultsAreFinite())
            throw Exception(Text("IDS_CALCULATIONERROR"));
        return true;
    } catch (const Exception& error) {
        win::MessageBox(error.Message(), Text("IDS_PROGRAMTITLE"), win::MB_OK | win::MB_ICONEXCLAMATION);
        return false;
    }
}

void TItem::PrepareGeometryAndFlow() {
    double flowArea = 0;  // m2
    switch (Geometry) {
    case GeometryType::Tube:
    case GeometryType::RoundCanal: {
        if (!(InnerDiameter < OuterDiameter))
            throw Exception(Text("IDS_DIAMETERERROR"));
        const double d1 = InnerDiameter;
        CharacteristicLength = static_cast<float>(d1 * 0.001);
        flowArea = d1 * d1 * kPi * 2.5e-7;
        WallThickness = static_cast<float>((OuterDiameter - d1) * 0.5);
        break;
    }
    case GeometryType::SquareCanal: {
        const double a = SideA;
        const double b = SideB;
        CharacteristicLength = static_cast<float>(2 * a * b / (a + b) * 0.001);  // hydraulic diameter
        flowArea = a * b * 1e-6;
        break;
    }
    case GeometryType::Tank:
        switch (Shape) {
        case TankShape::Cylinder:
            CharacteristicLength =
                static_cast<float>((StandingCylinder != 0 ? CylinderLength : CylinderDiameter) * 0.001);
            break;
        case TankShape::Sphere:
            CharacteristicLength = static_cast<float>(SphereRadius * 0.002);
            break;
        case TankShape::Box:
            CharacteristicLength = static_cast<float>(BoxHeight * 0.001);
            break;
        case TankShape::Given:
            CharacteristicLength = static_cast<float>(GivenTankSize * 0.001);
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }

    const double divisor = FlowDivisor(FlowUnit);
    if (divisor == 0)
        throw Exception(Text("IDS_CALCULATIONERROR"));
    if (Geometry != GeometryType::Tank) {
        if (VolumeGiven != 0)
            Velocity = static_cast<float>(VolumeFlow / flowArea / divisor);
        else
            VolumeFlow = static_cast<float>(Velocity * flowArea * divisor);
    } else {
        if (VolumeGiven == 0)
            throw Exception(Text("IDS_TANKSPEEDERROR"));
        Velocity = 0;
    }
    MassFlow = static_cast<float>(static_cast<double>(VolumeFlow) * Medium.Density / divisor);  // kg/s
}

void TItem::RunBisection(double referenceLoss, TCalcCache& cache) {
    double lo = 0;
    double hi = kLargestThickness + 1;
    do {
        Isolation.Thickness = static_cast<float>((lo + hi) * 0.5);
        Evaluate(cache);
        if (NeedsMoreInsulation(referenceLoss))
            lo = Isolation.Thickness;
        else
            hi = Isolation.Thickness;
    } while (hi - lo >= kBisectionStop);

    const bool keepTenths = AppOptions && AppOptions->CalcPrecision;
    Isolation.Thickness = RoundSearchThickness((lo + hi) * 0.5, keepTenths);
    Evaluate(cache);
    if (Isolation.Thickness <= 0)
        Isolation.ResultText = Text("IDS_NEEDNOTISOLATION");
    else if (Isolation.Thickness >= kLargestThickness)
        Isolation.ResultText = Text("IDS_TOOTHICKISOLATION");
}

bool TItem::NeedsMoreInsulation(double referenceLoss) {
    // A medium colder than the air reverses the direction of every target.
    const bool warmMedium = Medium.Temperature > AirTemperature;
    switch (CalculationType) {
    case CalcMode::Condensation:
        if (warmMedium)  // only an air medium can condense inside
            return IsAirMedium(Medium.ItemID) && InsideDewPoint + kCondensationMargin > InsideWallTemperature;
        return AirDewPoint + kCondensationMargin > SurfaceTemperature;
    case CalcMode::GivedSurfaceTemp:
        return warmMedium ? SurfaceTemperature > TargetValue : SurfaceTemperature < TargetValue;
    case CalcMode::GivedPower:
        if (std::fabs(referenceLoss) > 0)
            SavingRatio = static_cast<float>((referenceLoss - SpecificLoss) / referenceLoss);
        return TargetValue * 0.01 > std::fabs(SavingRatio);  // the target is a percentage
    case CalcMode::GivedTempDiff:
        return warmMedium ? OutletTemperature < TargetValue : OutletTemperature > TargetValue;
    case CalcMode::Frost:
        return warmMedium && OutletTemperature < Medium.FreezingPoint;
    default:
        return false;
    }
}

void TItem::RunOptimum(const TIsolation& isolation, TCalcCache& cache) {
    // Every commercial size from the bare object on, in ascending thickness.
    Isolation.Thickness = 0;
    do {
        Evaluate(cache);
        const double energy = EnergyCost();
        const double investment = InsulationCost();
        PriceDiagram.emplace_back(Isolation.Thickness, static_cast<float>(investment), static_cast<float>(energy));
        Isolation.Thickness = isolation.CommercialThickness(OuterDiameter, Isolation.Thickness);
    } while (Isolation.Thickness > 0);

    // Least total cost; of equal sums the thinner (earlier) size wins.
    double best = static_cast<double>(PriceDiagram.front().Investment) + PriceDiagram.front().LossCost;
    Isolation.Thickness = 0;
    for (std::size_t i = 1; i < PriceDiagram.size(); ++i) {
        const TPriceDiagramItem& point = PriceDiagram[i];
        const double sum = static_cast<double>(point.Investment) + point.LossCost;
        if (sum < best) {
            Isolation.Thickness = point.Thickness;
            best = sum;
        }
    }
    Evaluate(cache);
}

double TItem::InsulationCost() const {
    if (Isolation.Thickness <= 0 || !PriceList)
        return 0;
    const TIsolation* isolation = IsolationTypes ? IsolationTypes->FindItem(Isolation.IsolationID) : nullptr;
    double construction = ConstructionPrice;
    double price = 0;
    bool tubeShell = false;
    if (isolation) {
        price = PriceList->GetPrice(Isolation.IsolationID + isolation->PriceKey(OuterDiameter, Isolation.Thickness));
        tubeShell = IsTubeShell(*isolation);
    }
    if (!tubeShell)
        price = Perimeter * price;  // a price per m2 of insulation becomes per metre of item
    if (!IsLinear())
        price = price / Perimeter;  // a tank's costs are per m2
    if (IsLinear() && ConstructionPricePerM2 == 1)
        construction = Perimeter * construction;
    return std::floor(construction + price + 0.5);
}

double TItem::EnergyCost() const {
    // kW times price per kWh times the operating hours.
    double energy = Loss * 0.001 * EnergyPrice * Years * DaysPerYear * HoursPerDay;
    energy = IsLinear() ? energy / Length : energy / Perimeter;
    return std::floor(energy + 0.5);
}

void TItem::CheckTemperatureLimits(const TIsolation& isolation) {
    // The insulation's inner face lies beyond the wall.
    const double tm = Medium.Temperature;
    const double ta = AirTemperature;
    const double k = KValue;
    const double lw = WallLambda;
    double innerFace = InsideWallTemperature;
    if (lw > 0) {
        if (IsCircular(Geometry)) {
            innerFace += std::log(static_cast<double>(OuterDiameter) / InnerDiameter) * (k * 0.5 * (1 / kPi) / lw) *
                         (ta - tm);
        } else if (IsPlane(Geometry)) {
            innerFace += k * WallThickness * 0.001 / lw * (ta - tm);
        }
    }

    const bool innerFaceInLimits = isolation.InTemperatureLimits(static_cast<float>(innerFace));
    if (innerFaceInLimits && isolation.InTemperatureLimits(SurfaceTemperature)) {
        const float thickness = Isolation.Thickness;
        if (thickness > 0 && thickness < kLargestThickness)
            Isolation.ResultText += isolation.SuggestionText(OuterDiameter, thickness, true);
        return;
    }
    // The inner face is reported even when the surface is out of range too.
    const double offending = innerFaceInLimits ? static_cast<double>(SurfaceTemperature) : innerFace;
    std::string text = Format(Text("IDS_ISOLATIONTEMPERATUREERROR"),
                              {static_cast<double>(isolation.TempMin), static_cast<double>(isolation.TempMax), offending});
    if (text.size() > kMaxLimitTextLength)
        text.resize(kMaxLimitTextLength);
    Isolation.ResultText += text;
}

bool TItem::ResultsAreFinite() const {
    // Inputs the calculation only compares: comparing a NaN need not raise
    // the invalid flag, so it would pass unnoticed as "never more" or "no
    // time".
    if (!AllFinite({TargetValue, Time, Length, InsideHumidity, AirHumidity}))
        return false;
    if (!AllFinite({TankVolume, TankSurface, CharacteristicLength, WallThickness, Perimeter, Medium.Temperature,
                    Medium.Density, Medium.SpecificHeat, Medium.KinematicViscosity, Medium.HeatConditionFactor,
                    Medium.Beta, Medium.FreezingPoint, InsideDewPoint, VolumeFlow, InsideAlpha, MassFlow, Velocity,
                    InsideWallTemperature, OutletTemperature, MediumPrandtl, WallPrandtl, AirDewPoint, OutsideAlpha,
                    SurfaceTemperature, Isolation.Thickness, Isolation.IsolationLambda, KValue, SpecificLoss, Loss,
                    SavingRatio}))
        return false;
    for (const TPriceDiagramItem& point : PriceDiagram) {
        if (!AllFinite({point.Thickness, point.Investment, point.LossCost}))
            return false;
    }
    return true;
}
