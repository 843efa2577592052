// The item's medium, predicates, input check and the data-base look-ups the
// calculation makes.

#include "calc/Item.h"

#include "calc/ItemInternal.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "platform/base/Exception.h"

namespace {

bool IsFlowMissing(const TItem& item) {
    return item.VolumeGiven != 0 ? item.VolumeFlow <= 0 : item.Velocity <= 0;
}

}  // namespace

TMedium::TMedium() : ItemID("water") { FetchProperties(); }

void TMedium::FetchProperties() {
    if (const TMediumDBItem* record = item_internal::FindMediumRecord(ItemID))
        item_internal::FetchFromCurves(*this, item_internal::FindCurves(*record));
}

double TMedium::Prandtl() const {
    return item_internal::PrandtlNumber(KinematicViscosity, Density, SpecificHeat, HeatConditionFactor);
}

bool IsAirMedium(std::string_view itemID) { return itemID == "air"; }

double MediumValueAt(const TMediumDBItem& medium, const std::string& key, double temperature) {
    const TMediumFunction* curve = item_internal::FindCurve(medium, key);
    return curve ? curve->Value(temperature) : 0;
}

float IsolationLambdaAt(const TIsolation& isolation, double temperature) {
    const double x = temperature;
    return static_cast<float>(x * (isolation.c2 * x + isolation.c1) + isolation.c0);
}

bool IsTubeShell(const TIsolation& isolation) { return isolation.TubeShell != 0; }

bool TItem::IsLinear() const {
    return Geometry == GeometryType::Tube || Geometry == GeometryType::RoundCanal ||
           Geometry == GeometryType::SquareCanal;
}

bool TItem::FlowAlphaModeAllowed() const {
    return CalculationType != CalcMode::Frost && Geometry != GeometryType::Tank;
}

bool TItem::NaturalAlphaModeAllowed() const {
    return Geometry != GeometryType::RoundCanal && Geometry != GeometryType::SquareCanal;
}

bool TItem::IsOptimum() const { return CalculationType == CalcMode::Optimum; }

void TItem::Validate() const {
    const int type = static_cast<int>(CalculationType);
    if (static_cast<int>(Geometry) < static_cast<int>(GeometryType::Tank)) {
        if (Length <= 0 && type >= 4 && type <= 6)
            throw Exception(item_internal::Text("IDS_NEEDLENGTH"));
        // Only Frost needs a flow or a time for a pipe or duct.
        if (IsFlowMissing(*this) && Time <= 0 && CalculationType == CalcMode::Frost)
            throw Exception(item_internal::Text("IDS_NEEDVOLUMEORTIME"));
    } else if (Geometry == GeometryType::Tank) {
        if (VolumeFlow <= 0 && Time <= 0 && (type == 4 || type == 5))
            throw Exception(item_internal::Text("IDS_NEEDVOLUMEORTIME"));
    }
}
