// Look-ups of the media data base, and the per-calculation cache that keeps
// a search from repeating the same look-ups and curves hundreds of times.

#include "calc/ItemInternal.h"

#include "data/Mediumdbitem.h"

#include <bit>
#include <cmath>

namespace item_internal {

namespace {

// A property as the item stores it: the curve's double value held as a float.
float ValueAt(const TPreparedFunction& curve, double temperature) {
    return static_cast<float>(curve.Value(temperature));
}

TPreparedFunction Prepare(const TMediumDBItem& record, std::string_view name) {
    const TMediumFunction* curve = FindCurve(record, name);
    return curve ? TPreparedFunction(*curve) : TPreparedFunction();
}

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

}  // namespace

const TMediumFunction* FindCurve(const TMediumDBItem& record, std::string_view name) {
    const int index = record.FunctionIndex(name);
    if (index < 0 || index >= static_cast<int>(record.Functions.size()))
        return nullptr;
    return &record.Functions[static_cast<std::size_t>(index)];
}

const TMediumDBItem* FindMediumRecord(std::string_view itemID) {
    if (TMediumTypes::IsUserDefined(itemID) || !MediumTypes)
        return nullptr;
    return MediumTypes->FindItem(itemID);
}

TMediumCurves FindCurves(const TMediumDBItem& record) {
    TMediumCurves curves;
    curves.Density = Prepare(record, "ro");
    curves.SpecificHeat = Prepare(record, "C");
    curves.KinematicViscosity = Prepare(record, "nu");
    curves.Beta = Prepare(record, "v");
    curves.HeatConditionFactor = Prepare(record, "lambda");
    curves.FreezingPoint = Prepare(record, "to");
    return curves;
}

void FetchFromCurves(TMedium& medium, const TMediumCurves& curves) {
    const double t = medium.Temperature;
    medium.Density = ValueAt(curves.Density, t);
    medium.SpecificHeat = ValueAt(curves.SpecificHeat, t);
    medium.KinematicViscosity = ValueAt(curves.KinematicViscosity, t);
    medium.Beta = ValueAt(curves.Beta, t);
    medium.HeatConditionFactor = ValueAt(curves.HeatConditionFactor, t);
    medium.FreezingPoint = ValueAt(curves.FreezingPoint, t);
}

double PrandtlNumber(float kinematicViscosity, float density, float specificHeat, float heatConditionFactor) {
    return static_cast<double>(kinematicViscosity) * density * specificHeat / heatConditionFactor;
}

TCalcCache::TCalcCache(std::string_view itemID) : record_(FindMediumRecord(itemID)) {
    if (record_)
        curves_ = FindCurves(*record_);
}

void TCalcCache::Fetch(TMedium& medium) {
    if (!record_)
        return;  // user-defined or unknown: the values stay
    if (!properties_ || Bits(properties_->Temperature) != Bits(medium.Temperature)) {
        properties_ = medium;
        FetchFromCurves(*properties_, curves_);
    }
    medium.Density = properties_->Density;
    medium.SpecificHeat = properties_->SpecificHeat;
    medium.KinematicViscosity = properties_->KinematicViscosity;
    medium.Beta = properties_->Beta;
    medium.HeatConditionFactor = properties_->HeatConditionFactor;
    medium.FreezingPoint = properties_->FreezingPoint;
}

double TCalcCache::PrandtlAt(const TMedium& medium, float temperature) {
    if (!record_)
        return medium.Prandtl();  // fetching changes nothing
    if (!hasPrandtl_ || prandtlAt_ != Bits(temperature)) {
        // Only the four properties the Prandtl number takes.
        const double t = temperature;
        prandtl_ = PrandtlNumber(ValueAt(curves_.KinematicViscosity, t), ValueAt(curves_.Density, t),
                                 ValueAt(curves_.SpecificHeat, t), ValueAt(curves_.HeatConditionFactor, t));
        prandtlAt_ = Bits(temperature);
        hasPrandtl_ = true;
    }
    return prandtl_;
}

const TMedium& TCalcCache::At(const TMedium& medium, float temperature) {
    if (!film_) {
        film_ = medium;  // the only copy of the id
    } else if (!record_) {
        // Fetching changes nothing: the copy holds the medium's own values.
        film_->Density = medium.Density;
        film_->SpecificHeat = medium.SpecificHeat;
        film_->KinematicViscosity = medium.KinematicViscosity;
        film_->HeatConditionFactor = medium.HeatConditionFactor;
        film_->Beta = medium.Beta;
        film_->FreezingPoint = medium.FreezingPoint;
    } else if (filmFetched_ && Bits(film_->Temperature) == Bits(temperature)) {
        return *film_;
    }
    film_->Temperature = temperature;
    if (record_) {
        FetchFromCurves(*film_, curves_);
        filmFetched_ = true;
    }
    return *film_;
}

double TCalcCache::DewPoint(float temperature, float humidity) {
    for (const TDewPoint& known : dewPoints_) {
        if (known.Valid && known.Temperature == Bits(temperature) && known.Humidity == Bits(humidity))
            return known.Value;
    }
    TDewPoint& entry = dewPoints_[nextDewPoint_];
    nextDewPoint_ = (nextDewPoint_ + 1) % kDewPoints;
    entry = {true, Bits(temperature), Bits(humidity), TItem::DewPoint(temperature, humidity)};
    return entry.Value;
}

double TCalcCache::Pow(TTerm term, double x, double y) {
    TTermValue& known = terms_[static_cast<int>(term)];
    const auto xBits = std::bit_cast<std::uint64_t>(x);
    const auto yBits = std::bit_cast<std::uint64_t>(y);
    if (!known.Valid || known.X != xBits || known.Y != yBits)
        known = {true, xBits, yBits, std::pow(x, y)};
    return known.Value;
}

double TCalcCache::Log(TTerm term, double x) {
    TTermValue& known = terms_[static_cast<int>(term)];
    const auto xBits = std::bit_cast<std::uint64_t>(x);
    if (!known.Valid || known.X != xBits)
        known = {true, xBits, 0, std::log(x)};
    return known.Value;
}

}  // namespace item_internal
