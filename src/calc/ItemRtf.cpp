// The item's report section: numbered RTF row templates of the string table,
// each formatted with at most one value, chosen by the geometry, the
// calculation type, the medium, the options and the price list.

#include "calc/Item.h"

#include "calc/ItemInternal.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/Price.h"
#include "platform/base/SysUtils.h"
#include "project/ClipboardStream.h"
#include "project/ProgramOptions.h"

#include <string>

namespace {

// Row ids.
enum : int {
    kTitleRow = 128,
    kPipeInnerDiameterRow = 129,
    kOuterDiameterRow = 130,
    kLengthRow = 131,
    kSideARow = 132,
    kSideBRow = 133,
    kWallThicknessRow = 134,
    kStandingCylinderRow = 135,
    kLyingCylinderRow = 136,
    kCylinderLengthRow = 137,
    kSphereRow = 138,
    kBoxARow = 139,
    kBoxBRow = 140,
    kBoxHeightRow = 141,
    kGivenVolumeRow = 142,
    kTankSurfaceRow = 143,
    kGivenTankSizeRow = 144,
    kDuctInnerDiameterRow = 145,
    kTankVolumeRow = 146,
    kWallLambdaRow = 147,
    kMediumNameRow = 148,
    kMediumTemperatureRow = 149,
    kHumidityRow = 150,
    kDensityRow = 151,
    kSpecificHeatRow = 152,
    kViscosityRow = 153,
    kMediumLambdaRow = 154,
    kBetaRow = 155,
    kFreezingPointRow = 156,
    kVolumeFlowRow = 157,
    kVelocityRow = 158,
    kAlphaModeRow = 159,
    kAlphaRow = 160,
    kAirTemperatureRow = 161,
    kWindSpeedRow = 162,
    kEmissionAfterWindRow = 163,
    kEmissionRow = 164,
    kIsolationNameRow = 165,
    kIsolationLambdaRow = 166,
    kGivenThicknessRow = 167,
    kFoundThicknessRow = 168,
    kKValuePerMetreRow = 169,
    kKValuePerSquareMetreRow = 170,
    kInsideWallRow = 171,
    kDewPointRow = 172,
    kSurfaceRow = 173,
    kFirstHeadingRow = 174,  // + calculation type
    kSpecificLossPerMetreRow = 181,
    kSpecificLossPerSquareMetreRow = 182,
    kLossRow = 183,
    kOutletTemperatureRow = 184,
    kTimeRow = 185,
    kConstructionPriceRow = 187,
    kEnergyPriceRow = 188,
    kEnergyCurrencyRow = 189,
    kYearsRow = 190,
    kDaysPerYearRow = 191,
    kHoursPerDayRow = 192,
    kOptimumThicknessRow = 193,
    kResultRow = 194,
    kCurrencyPerMetreRow = 195,
    kCurrencyPerSquareMetreRow = 196,
    kColdInsideWallRow = 198,
    kColdSurfaceRow = 199,
    kSavingRow = 200,
    kFirstClauseRow = 104,
    kSecondClauseRow = 105,
};

constexpr bool kShow = true;
constexpr std::string_view kEndParagraph = "\\par ";
// Closes the group of rows 171 and 173 when no dew point follows.
constexpr std::string_view kEndGroupParagraph = "}\\par ";

// The language text of a numbered key such as "IDS_INSIDEALPHAMODES+2".
std::string NumberedText(std::string_view key, int number) {
    return item_internal::Text(std::string(key) + IntToStr(number));
}

std::string MediumName(const std::string& id) {
    return MediumTypes ? MediumTypes->NameByID(id) : TMediumTypes().NameByID(id);
}

std::string IsolationName(const std::string& id) { return IsolationTypes ? IsolationTypes->NameByID(id) : std::string(); }

}  // namespace

void TItem::WriteRtf(TPrintfStringStream& stream) const {
    const bool circular = item_internal::IsCircular(Geometry);
    const bool air = IsAirMedium(Medium.ItemID);
    const bool tank = Geometry == GeometryType::Tank;
    const auto type = static_cast<int>(CalculationType);

    stream.PrintfResString(kTitleRow, EscapeRtfText(Name));
    // A type from a damaged or newer file has no heading row.
    if (type >= 0 && type <= static_cast<int>(CalcMode::Optimum)) stream.WriteResString(kFirstHeadingRow + type);

    switch (Geometry) {
    case GeometryType::Tube:
    case GeometryType::RoundCanal:
        stream.PrintfResFloat(Geometry == GeometryType::Tube ? kPipeInnerDiameterRow : kDuctInnerDiameterRow, kShow,
                              InnerDiameter);
        stream.PrintfResFloat(kOuterDiameterRow, kShow, OuterDiameter);
        stream.PrintfResFloat(kLengthRow, Length > 0, Length);
        break;
    case GeometryType::SquareCanal:
        stream.PrintfResFloat(kSideARow, kShow, SideA);
        stream.PrintfResFloat(kSideBRow, kShow, SideB);
        stream.PrintfResFloat(kWallThicknessRow, kShow, WallThickness);
        stream.PrintfResFloat(kLengthRow, Length > 0, Length);
        break;
    case GeometryType::Tank:
        switch (Shape) {
        case TankShape::Cylinder:
            stream.PrintfResFloat(StandingCylinder != 0 ? kStandingCylinderRow : kLyingCylinderRow, kShow,
                                  CylinderDiameter);
            stream.PrintfResFloat(kCylinderLengthRow, kShow, CylinderLength);
            break;
        case TankShape::Sphere:
            stream.PrintfResFloat(kSphereRow, kShow, SphereRadius);
            break;
        case TankShape::Box:
            stream.PrintfResFloat(kBoxARow, kShow, BoxA);
            stream.PrintfResFloat(kBoxBRow, kShow, BoxB);
            stream.PrintfResFloat(kBoxHeightRow, kShow, BoxHeight);
            break;
        case TankShape::Given:
            stream.PrintfResFloat(kGivenVolumeRow, kShow, TankVolume);
            stream.PrintfResFloat(kTankSurfaceRow, kShow, TankSurface);
            stream.PrintfResFloat(kGivenTankSizeRow, kShow, GivenTankSize);
            break;
        }
        if (Shape != TankShape::Given) {
            stream.PrintfResFloat(kTankVolumeRow, kShow, TankVolume);
            stream.PrintfResFloat(kTankSurfaceRow, kShow, TankSurface);
        }
        stream.PrintfResFloat(kWallThicknessRow, kShow, WallThickness);
        break;
    }
    stream.PrintfResFloat(kWallLambdaRow, kShow, WallLambda);

    // The medium.
    stream.PrintfResString(kMediumNameRow, EscapeRtfText(MediumName(Medium.ItemID)));
    stream.PrintfResFloat(kMediumTemperatureRow, kShow, Medium.Temperature);
    if (air) {
        stream.PrintfResFloat(kHumidityRow, kShow, InsideHumidity);
    } else {
        stream.WriteString(kEndParagraph);
    }
    if (TMediumTypes::IsUserDefined(Medium.ItemID) || (AppOptions && AppOptions->ViewMediumData)) {
        stream.PrintfResFloat(kDensityRow, kShow, Medium.Density);
        stream.PrintfResFloat(kSpecificHeatRow, kShow, static_cast<float>(Medium.SpecificHeat * 0.001));
        stream.PrintfResFloat(kViscosityRow, kShow, Medium.KinematicViscosity);
        stream.PrintfResFloat(kMediumLambdaRow, kShow, Medium.HeatConditionFactor);
        stream.PrintfResFloat(kBetaRow, kShow, Medium.Beta);
        if (air) {
            stream.WriteString(kEndParagraph);
        } else {
            stream.PrintfResFloat(kFreezingPointRow, kShow, Medium.FreezingPoint);
        }
    }
    if (VolumeFlow > 0) {
        stream.PrintfResFloat(kVolumeFlowRow, kShow, VolumeFlow);
        stream.WriteString(NumberedText("IDS_VOLUMEDIMENSIONS+", FlowUnit));
        if (tank) {
            stream.WriteString(kEndParagraph);
        } else {
            stream.PrintfResFloat(kVelocityRow, kShow, Velocity);
        }
    }
    stream.PrintfResString(kAlphaModeRow, NumberedText("IDS_INSIDEALPHAMODES+", InsideAlphaMode));
    stream.PrintfResFloat(kAlphaRow, kShow, InsideAlpha);

    // The surroundings.
    stream.PrintfResFloat(kAirTemperatureRow, kShow, AirTemperature);
    if (AirHumidity > 0) {
        stream.PrintfResFloat(kHumidityRow, kShow, AirHumidity);
    } else {
        stream.WriteString(kEndParagraph);
    }
    if (OutsideAlphaMode == 0) {
        stream.PrintfResFloat(kWindSpeedRow, kShow, WindSpeed);
        if (WithRadiation != 0) {
            stream.PrintfResFloat(kEmissionAfterWindRow, kShow, EmissionFactor);
        } else {
            stream.WriteString(kEndParagraph);
        }
    } else if (OutsideAlphaMode == 1 && WithRadiation != 0) {
        stream.PrintfResFloat(kEmissionRow, kShow, EmissionFactor);
    }
    stream.PrintfResString(kAlphaModeRow, NumberedText("IDS_OUTSIDEALPHAMODES+", OutsideAlphaMode));
    stream.PrintfResFloat(kAlphaRow, kShow, OutsideAlpha);

    // The insulation.
    stream.PrintfResString(kIsolationNameRow, EscapeRtfText(IsolationName(Isolation.IsolationID)));
    stream.PrintfResFloat(kIsolationLambdaRow, kShow, Isolation.IsolationLambda);

    if (CalculationType != CalcMode::Optimum) {
        stream.PrintfResFloat(CalculationType == CalcMode::GivedThickness ? kGivenThicknessRow : kFoundThicknessRow,
                              kShow, Isolation.Thickness);
        stream.PrintfResFloat(circular ? kKValuePerMetreRow : kKValuePerSquareMetreRow, kShow, KValue);
        if (air && InsideHumidity > 0) {
            stream.PrintfResFloat(InsideWallTemperature >= InsideDewPoint ? kInsideWallRow : kColdInsideWallRow, kShow,
                                  InsideWallTemperature);
            stream.PrintfResFloat(kDewPointRow, kShow, InsideDewPoint);
        } else {
            stream.PrintfResFloat(kInsideWallRow, kShow, InsideWallTemperature);
            stream.WriteString(kEndGroupParagraph);
        }
        if (AirHumidity > 0) {
            stream.PrintfResFloat(SurfaceTemperature >= AirDewPoint ? kSurfaceRow : kColdSurfaceRow, kShow,
                                  SurfaceTemperature);
            stream.PrintfResFloat(kDewPointRow, kShow, AirDewPoint);
        } else {
            stream.PrintfResFloat(kSurfaceRow, kShow, SurfaceTemperature);
            stream.WriteString(kEndGroupParagraph);
        }
        stream.PrintfResFloat(circular ? kSpecificLossPerMetreRow : kSpecificLossPerSquareMetreRow, kShow,
                              SpecificLoss);
        if (Loss > 0) {
            stream.PrintfResFloat(kLossRow, kShow, static_cast<float>(Loss * 0.001));
        } else {
            stream.WriteString(kEndParagraph);
        }
        if (SavingRatio > 0) {
            stream.PrintfResFloat(kSavingRow, kShow, SavingRatio * 100);
        } else {
            stream.WriteString(kEndParagraph);
        }
        stream.PrintfResFloat(kOutletTemperatureRow, kShow, OutletTemperature);
        if (Time > 0) {
            stream.PrintfResFloat(kTimeRow, kShow, Time);
        } else {
            stream.WriteString(kEndParagraph);
        }
    } else if (PriceList) {
        const std::string currency = EscapeRtfText(PriceList->Currency);
        stream.WriteString(item_internal::Text("IDS_ITEMRTFTITLE+58"));
        if (ConstructionPrice != 0) {
            stream.PrintfResFloat(kConstructionPriceRow, kShow, ConstructionPrice);
            stream.PrintfResString(ConstructionPricePerM2 != 0 ? kCurrencyPerSquareMetreRow : kCurrencyPerMetreRow,
                                   currency);
        }
        stream.PrintfResFloat(kEnergyPriceRow, kShow, EnergyPrice);
        stream.PrintfResString(kEnergyCurrencyRow, currency);
        stream.PrintfResFloat(kYearsRow, kShow, Years);
        stream.PrintfResFloat(kDaysPerYearRow, kShow, DaysPerYear);
        stream.PrintfResFloat(kHoursPerDayRow, kShow, HoursPerDay);
        stream.PrintfResFloat(kOptimumThicknessRow, kShow, Isolation.Thickness);
    }

    stream.PrintfResString(kResultRow, EscapeRtfText(Isolation.ResultText));
    stream.WriteResString(kFirstClauseRow);
    stream.WriteResString(kSecondClauseRow);
}
