// The item into the calculation dialog's controls, page by page as the
// controls are read back.

#include "app/ItemModify.h"

#include "app/ItemModifyInternal.h"
#include "calc/Item.h"
#include "data/Price.h"
#include "lang/Languages.h"
#include "platform/ui/QtControls.h"
#include "platform/ui/QtText.h"
#include "ui_ItemModify.h"

#include <string>

using namespace item_modify;

void TItemModifyForm::FillControls() {
    const TItem& item = *EditedItem;
    ui_->Name->setText(ToQString(item.Name));
    SetMemoText(*ui_->Comment, item.Comment);
    TQtComboBox(*ui_->GeometryType).SetItemIndex(static_cast<int>(item.Geometry));
    if (!PriceList) ui_->CalculationType->removeItem(ui_->CalculationType->count() - 1);
    // Optimum without a price list selects nothing.
    TQtComboBox(*ui_->CalculationType).SetItemIndex(static_cast<int>(item.CalculationType));
    UpdateGeometryPages();
    FillGeometry();
    FillMedium();
    FillFlow();
    FillAir();
    FillTargets();
    UpdateCalculationPages();
    ShowResults();
}

void TItemModifyForm::FillMedium() {
    TItem& item = *EditedItem;
    UpdateMediumList();
    item.UpdateMediumProperties();
    ShowNumber(*ui_->MediumTemperature, item.Medium.Temperature);
    ShowNumber(*ui_->MediumRelativHumidity, item.InsideHumidity);
}

void TItemModifyForm::FillFlow() {
    const TItem& item = *EditedItem;
    Ui::ItemModifyForm& ui = *ui_;
    UpdateInsideAlphaModes();
    if (item.VolumeGiven) {
        ui.VolumeButton->setChecked(true);
        ShowNumber(*ui.Volume, item.VolumeFlow);
        ui.Speed->setVisible(false);
        ui.Speed2->setVisible(true);
    } else {
        ui.SpeedButton->setChecked(true);
        ShowNumber(*ui.Speed, item.Velocity, 3);
        ui.Volume->setVisible(false);
        ui.Volume2->setVisible(true);
    }
    TQtComboBox(*ui.VolumeDimension).SetItemIndex(item.FlowUnit);
    ShowNumber(*ui.InsideAlpha, item.InsideAlpha);
    ShowNumber(*ui.InsideAlpha2, item.InsideAlpha);
    UpdateInsideAlphaControls();
}

void TItemModifyForm::FillAir() {
    const TItem& item = *EditedItem;
    Ui::ItemModifyForm& ui = *ui_;
    ShowNumber(*ui.AirTemperature, item.AirTemperature);
    ShowNumber(*ui.AirRelativHumidity, item.AirHumidity);
    TQtComboBox outsideModes(*ui.OutsideAlphaCalculationMode);
    outsideModes.Clear();
    for (int mode = 0; mode < 3; ++mode) {
        outsideModes.Add(LanguageList->GetString(kOutsideAlphaModes + std::to_string(mode)));
    }
    outsideModes.SetItemIndex(item.OutsideAlphaMode);
    ShowNumber(*ui.WindSpeed, item.WindSpeed);
    ui.WithRadiation->setChecked(item.WithRadiation != 0);
    ShowNumber(*ui.EmissionFactor, item.EmissionFactor);
    ShowNumber(*ui.OutsideAlpha, item.OutsideAlpha);
    ShowNumber(*ui.OutsideAlpha2, item.OutsideAlpha);
    UpdateOutsideAlphaControls();
}

void TItemModifyForm::FillTargets() {
    const TItem& item = *EditedItem;
    Ui::ItemModifyForm& ui = *ui_;
    UpdateIsolationList();
    if (PriceList) ui.EnergyPriceLabel->setText(ToQString(PriceList->Currency + "/kWh"));
    ui.EnergySave->setText(QStringLiteral("80"));
    switch (item.CalculationType) {
    case CalcMode::GivedThickness: ShowNumber(*ui.IsolationThickness, item.Isolation.Thickness); break;
    case CalcMode::GivedSurfaceTemp: ShowNumber(*ui.OutsideWallTemperature, item.TargetValue); break;
    case CalcMode::GivedPower: ShowNumber(*ui.EnergySave, item.TargetValue); break;
    case CalcMode::GivedTempDiff: ShowNumber(*ui.OutTemperature, item.TargetValue); break;
    default: break;
    }
    if (TimeIsInput(item)) ShowNumber(*ui.Time, item.Time);
    UpdatePriceDimensions();
    ShowNumber(*ui.ConstructionPrice, item.ConstructionPrice);
    ShowNumber(*ui.EnergyPrice, item.EnergyPrice);
    ShowNumber(*ui.Year, item.Years);
    ShowNumber(*ui.DayPerYear, item.DaysPerYear);
    ShowNumber(*ui.HourPerDay, item.HoursPerDay);
}
