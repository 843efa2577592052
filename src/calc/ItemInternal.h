#pragma once
// What the item's source files share and nobody else needs.

#include "calc/Item.h"
#include "data/Mediumdbitem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace item_internal {

constexpr double kPi = 3.141592653589793;

// Pipes and round ducts: k per metre, logarithmic wall and insulation layers.
inline bool IsCircular(GeometryType geometry) {
    return geometry == GeometryType::Tube || geometry == GeometryType::RoundCanal;
}

// Rectangular ducts and tanks: k per m2, flat layers.
inline bool IsPlane(GeometryType geometry) {
    return geometry == GeometryType::SquareCanal || geometry == GeometryType::Tank;
}

// Nusselt number of natural convection inside for X = Gr * Pr: C * X^n of
// the first row whose limit is not below X (500 itself takes the second
// row), the last row above 2e7.
double NaturalConvectionNusselt(double x);

// The curves a medium's properties come from, made ready for many values; a
// curve the data-base medium lacks gives 0.
struct TMediumCurves {
    TPreparedFunction Density;              // "ro"
    TPreparedFunction SpecificHeat;         // "C"
    TPreparedFunction KinematicViscosity;   // "nu"
    TPreparedFunction Beta;                 // "v"
    TPreparedFunction HeatConditionFactor;  // "lambda"
    TPreparedFunction FreezingPoint;        // "to"
};

// The first curve of that name; null when there is none.
const TMediumFunction* FindCurve(const TMediumDBItem& record, std::string_view name);
// The data-base record whose properties a medium of this id takes; null for
// "userdefined", an id the data base lacks, or no data base.
const TMediumDBItem* FindMediumRecord(std::string_view itemID);
TMediumCurves FindCurves(const TMediumDBItem& record);
// Sets the six properties from the curves at the medium's temperature.
void FetchFromCurves(TMedium& medium, const TMediumCurves& curves);
// nu * rho * c / lambda, multiplied in that order, in double precision.
double PrandtlNumber(float kinematicViscosity, float density, float specificHeat, float heatConditionFactor);

// What one calculation asks for again and again with unchanged inputs: the
// medium's record and curves, its properties at its own temperature (every
// pass fetches them), the wall's Prandtl number at the last wall
// temperature, the dew points. Each answer equals what the uncached
// operation gives. Valid while the media data base doesn't change, that is
// for one calculation.
class TCalcCache {
public:
    explicit TCalcCache(std::string_view itemID);

    // As medium.FetchProperties(); the medium has the id the cache was made for.
    void Fetch(TMedium& medium);
    // The Prandtl number of a copy of the medium fetched at `temperature`.
    double PrandtlAt(const TMedium& medium, float temperature);
    // A copy of the medium fetched at `temperature`; valid until the next call.
    const TMedium& At(const TMedium& medium, float temperature);
    // As TItem::DewPoint.
    double DewPoint(float temperature, float humidity);

    // Terms whose inputs rarely change within a calculation.
    enum class TTerm {
        ReynoldsPower,      // Re^0.33 or Re^0.8
        PrandtlPower,       // Pr^0.43
        LogReynolds,        // ln Re
        LengthCoefficient,  // (ln Re)^-0.9085
        LogLogReynolds,     // ln ln Re
        LengthFactor,       // (L / Lc)^e
        WindPower,          // wind^0.8
        OuterSizePower,     // Do^0.2
        AirRadiation,       // ((Ta + 273) 0.01)^4
        LogWall,            // ln(d2 / d1)
        LogInsulation,      // ln(D / d2)
        Count
    };
    // std::pow and std::log, remembered per term for the last arguments.
    double Pow(TTerm term, double x, double y);
    double Log(TTerm term, double x);

private:
    static constexpr int kDewPoints = 2;  // the air's and the medium's

    const TMediumDBItem* record_ = nullptr;
    TMediumCurves curves_;

    std::optional<TMedium> properties_;  // at its Temperature
    std::optional<TMedium> film_;  // the last copy asked for by At
    bool filmFetched_ = false;

    bool hasPrandtl_ = false;
    std::uint32_t prandtlAt_ = 0;
    double prandtl_ = 0;

    struct TDewPoint {
        bool Valid = false;
        std::uint32_t Temperature = 0;
        std::uint32_t Humidity = 0;
        double Value = 0;
    };
    TDewPoint dewPoints_[kDewPoints];
    int nextDewPoint_ = 0;

    struct TTermValue {
        bool Valid = false;
        std::uint64_t X = 0;
        std::uint64_t Y = 0;
        double Value = 0;
    };
    TTermValue terms_[static_cast<int>(TTerm::Count)];
};

// The text of an "IDS_" key in the user-interface language; "" when there is
// no language or no such key.
std::string Text(std::string_view key);

}  // namespace item_internal
