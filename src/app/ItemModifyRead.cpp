// The calculation dialog's controls back into the item, with their checks.

#include "app/ItemModify.h"

#include "app/ItemModifyInternal.h"
#include "calc/Item.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/Price.h"
#include "lang/Languages.h"
#include "platform/base/Exception.h"
#include "platform/ui/CommandGuard.h"
#include "platform/ui/QtText.h"
#include "project/ValueHelpers.h"
#include "ui_ItemModify.h"

#include <cmath>

using namespace item_modify;

namespace {

// A humidity of 100 % or more is no input: the air would be water.
float ReadHumidity(QWidget& control) {
    const float humidity = ReadFloat(control, kZeroOrGreater);
    if (humidity >= 100) RejectValue(control);
    return humidity;
}

}  // namespace

bool TItemModifyForm::ReadControls() {
    try {
        TItem& item = *EditedItem;
        item.Name = FromQString(ui_->Name->text());
        item.Comment = MemoText(*ui_->Comment);
        ReadGeometry();
        ReadMedium();
        ReadFlow();
        ReadAir();
        if (IsolationTypes) item.Isolation.IsolationID = IsolationTypes->IDByName(TextOf(*ui_->IsolationType));
        ReadTargets();
        item.Validate();
        return true;
    } catch (const Exception& e) {
        ShowCommandError(e.Message());
        return false;
    }
}

void TItemModifyForm::ReadMedium() {
    TItem& item = *EditedItem;
    Ui::ItemModifyForm& ui = *ui_;
    if (MediumTypes) item.Medium.ItemID = MediumTypes->IDByName(TextOf(*ui.MediumType));
    item.Medium.Temperature = ReadFloat(*ui.MediumTemperature, kAnyValue);
    if (IsAirMedium(item.Medium.ItemID)) item.InsideHumidity = ReadHumidity(*ui.MediumRelativHumidity);
    if (TMediumTypes::IsUserDefined(item.Medium.ItemID)) {
        TMedium& medium = item.Medium;
        medium.Density = ReadFloat(*ui.Density, kZeroOrGreater);
        // Entered in kJ/kgK, kept in J/kgK.
        medium.SpecificHeat = ToItemFloat(*ui.SpecificHeat, ReadNumber(*ui.SpecificHeat, kZeroOrGreater) * 1000);
        medium.KinematicViscosity = ReadFloat(*ui.KinematicViscosity, kZeroOrGreater);
        medium.Beta = ReadFloat(*ui.Beta, kZeroOrGreater);
        medium.HeatConditionFactor = ReadFloat(*ui.HeatConditionFactor, kZeroOrGreater);
        // Antifreeze media freeze below 0 degC.
        medium.FreezingPoint = ReadFloat(*ui.DissolutionTemperature, kAnyValue);
    }
}

void TItemModifyForm::ReadFlow() {
    TItem& item = *EditedItem;
    Ui::ItemModifyForm& ui = *ui_;
    // An entry that names no mode leaves the mode as it was.
    const int mode = InsideAlphaModeOf(TextOf(*ui.InsideAlphaCalculationMode));
    if (mode >= 0) item.InsideAlphaMode = static_cast<std::int16_t>(mode);
    // Forced flow needs a flow; the other modes take none.
    if (item.VolumeGiven) {
        item.VolumeFlow = ReadFloat(*ui.Volume, kZeroOrGreater);
        if (item.InsideAlphaMode == 0 && !(item.VolumeFlow > 0)) RejectValue(*ui.Volume);
    } else {
        item.Velocity = ReadFloat(*ui.Speed, kZeroOrGreater);
        if (item.InsideAlphaMode == 0 && !(item.Velocity > 0)) RejectValue(*ui.Speed);
    }
    item.FlowUnit = static_cast<std::int16_t>(ui.VolumeDimension->currentIndex());
    if (item.InsideAlphaMode == 2) item.InsideAlpha = ReadFloat(*ui.InsideAlpha, kGreaterThanZero);
}

void TItemModifyForm::ReadAir() {
    TItem& item = *EditedItem;
    Ui::ItemModifyForm& ui = *ui_;
    item.AirTemperature = ReadFloat(*ui.AirTemperature, kAnyValue);
    if (std::fabs(static_cast<double>(item.Medium.Temperature) - item.AirTemperature) < 0.1) {
        throw Exception(LanguageList->GetString("IDS_NEEDTEMPERATUREDIFFERENCE"));
    }
    item.AirHumidity = ReadHumidity(*ui.AirRelativHumidity);
    item.OutsideAlphaMode = static_cast<std::int16_t>(ui.OutsideAlphaCalculationMode->currentIndex());
    if (item.OutsideAlphaMode == 2) {
        item.OutsideAlpha = ReadFloat(*ui.OutsideAlpha, kGreaterThanZero);
        return;
    }
    if (item.OutsideAlphaMode == 0) item.WindSpeed = ReadFloat(*ui.WindSpeed, kZeroOrGreater);
    // The calculation adds radiation in wind too; a hidden factor is not checked.
    item.WithRadiation = ui.WithRadiation->isChecked() ? 1 : 0;
    if (item.WithRadiation) {
        item.EmissionFactor = ReadFloat(*ui.EmissionFactor, kGreaterThanZero);
        if (item.EmissionFactor > 1) RejectValue(*ui.EmissionFactor);
    }
}

void TItemModifyForm::ReadTargets() {
    TItem& item = *EditedItem;
    Ui::ItemModifyForm& ui = *ui_;
    switch (item.CalculationType) {
    case CalcMode::GivedThickness:
        item.Isolation.Thickness = ReadFloat(*ui.IsolationThickness, kZeroOrGreater);
        break;
    case CalcMode::GivedSurfaceTemp:
        item.TargetValue = ReadFloat(*ui.OutsideWallTemperature, kAnyValue);
        break;
    case CalcMode::GivedPower:
        item.TargetValue = ReadFloat(*ui.EnergySave, kZeroOrGreater);
        break;
    case CalcMode::GivedTempDiff:
        item.TargetValue = ReadFloat(*ui.OutTemperature, kAnyValue);
        break;
    case CalcMode::Optimum:
        if (!PriceList) break;
        item.ConstructionPrice = ReadFloat(*ui.ConstructionPrice, kZeroOrGreater);
        item.ConstructionPricePerM2 = TextOf(*ui.ConstructionPriceDimension) != PriceDimension(false) ? 1 : 0;
        item.EnergyPrice = ReadFloat(*ui.EnergyPrice, kZeroOrGreater);
        item.Years = ReadFloat(*ui.Year, kZeroOrGreater);
        item.DaysPerYear = ReadFloat(*ui.DayPerYear, kZeroOrGreater);
        item.HoursPerDay = ReadFloat(*ui.HourPerDay, kZeroOrGreater);
        break;
    default:
        break;
    }
    if (TimeIsInput(item)) {
        item.Time = ReadFloat(*ui.Time, kZeroOrGreater);
    }
}
