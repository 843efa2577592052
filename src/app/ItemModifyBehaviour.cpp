// The calculation dialog while the user edits: change handlers, the pages and
// controls shown, and the lists that depend on the item.

#include "app/ItemModify.h"

#include "app/ItemModifyInternal.h"
#include "calc/Item.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/Price.h"
#include "lang/Languages.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/QtControls.h"
#include "platform/ui/QtText.h"
#include "project/ProgramOptions.h"
#include "project/ValueHelpers.h"
#include "ui_ItemModify.h"

#include <QVariant>

using namespace item_modify;

namespace {

// The geometry or calculation type whose bit a page's Tag carries.
bool TagHas(const QWidget& page, int selector) {
    return selector >= 0 && selector < 31 && ((page.property("Tag").toInt() >> selector) & 1) != 0;
}

void ShowTimeControls(Ui::ItemModifyForm& ui, bool visible) {
    for (QWidget* widget : {static_cast<QWidget*>(ui.Time), static_cast<QWidget*>(ui.Label9),
                            static_cast<QWidget*>(ui.Label10)}) {
        widget->setVisible(visible);
    }
}

}  // namespace

void TItemModifyForm::ConnectEvents() {
    Ui::ItemModifyForm& ui = *ui_;
    OnChange(*ui.GeometryType, this, [this] { GeometryTypeChange(); });
    OnChange(*ui.CalculationType, this, [this] { CalculationTypeChange(); });
    OnChange(*ui.MediumType, this, [this] { MediumTypeChange(); });
    OnExit(*ui.MediumTemperature, this, [this] { MediumTemperatureExit(); });
    OnChange(*ui.InsideAlphaCalculationMode, this, [this] { InsideAlphaCalculationModeChange(); });
    OnChange(*ui.OutsideAlphaCalculationMode, this, [this] { OutsideAlphaCalculationModeChange(); });
    OnClick(*ui.WithRadiation, this, [this] { WithRadiationClick(); });
    OnClick(*ui.VolumeButton, this, [this] { VolumeButtonClick(); });
    OnClick(*ui.SpeedButton, this, [this] { VolumeButtonClick(); });
    OnDrawItem(*ui.GeometryType, this, [this](QPainter& p, int i, const QRect& r, QStyle::State s) {
        GeometryTypeDrawItem(p, i, r, s);
    });
    OnDrawItem(*ui.CalculationType, this, [this](QPainter& p, int i, const QRect& r, QStyle::State s) {
        CalculationTypeDrawItem(p, i, r, s);
    });
    // Every input the results depend on clears them. The sphere's radius,
    // the freezing point and the emission factor too: results that stayed
    // beside a changed input would be taken for its own.
    for (QLineEdit* edit :
         {ui.GeometryHeatConditionFactor, ui.GeometryThickness, ui.Tubed1, ui.Tubed2, ui.TubeLength, ui.Rectanglea,
          ui.Rectangleb, ui.RectangleLength, ui.CylinderDiameter, ui.CylinderLength, ui.Quadratica, ui.Quadraticb,
          ui.QuadraticHeight, ui.TankVolume, ui.TankSurface, ui.Tankde, ui.BallRadius, ui.MediumTemperature,
          ui.Density, ui.SpecificHeat, ui.KinematicViscosity, ui.Beta, ui.MediumRelativHumidity, ui.InsideAlpha,
          ui.HeatConditionFactor, ui.DissolutionTemperature, ui.Volume, ui.Speed, ui.WindSpeed,
          ui.AirTemperature, ui.AirRelativHumidity, ui.OutsideAlpha, ui.EmissionFactor, ui.IsolationThickness,
          ui.OutsideWallTemperature, ui.EnergySave, ui.OutTemperature, ui.Time, ui.ConstructionPrice,
          ui.EnergyPrice, ui.Year, ui.DayPerYear, ui.HourPerDay}) {
        OnChange(*edit, this, [this] { ValueChange(); });
    }
    for (QComboBox* box : {ui.VolumeDimension, ui.IsolationType, ui.ConstructionPriceDimension}) {
        OnChange(*box, this, [this] { ValueChange(); });
    }
    OnChange(*ui.GeometryPageControl, this, [this] { ValueChange(); });
    OnClick(*ui.StandingCylinder, this, [this] { ValueChange(); });
    OnClick(*ui.LyingCylinder, this, [this] { ValueChange(); });
    OnClick(*ui.StandardTubesButton, this, [this] { StandardTubesButtonClick(); });
    OnClick(*ui.BigChartSpeedButton, this, [this] { BigChartSpeedButtonClick(); });
    OnClick(*ui.Calculate, this, [this] { CalculateClick(); });
    OnClick(*ui.OK, this, [this] { OKClick(); });
    BindModalResult(*ui.Cancel, mrCancel);
    OnClick(*ui.Help, this, [this] { HelpClick(); });
}

void TItemModifyForm::GeometryTypeChange() {
    EditedItem->Geometry = static_cast<GeometryType>(ui_->GeometryType->currentIndex());
    UpdateGeometryPages();
    UpdateMediumList();
    UpdateInsideAlphaModes();
    UpdateInsideAlphaControls();
    UpdateIsolationList();
    UpdatePriceDimensions();
    ClearResults();
}

void TItemModifyForm::CalculationTypeChange() {
    EditedItem->CalculationType = static_cast<CalcMode>(ui_->CalculationType->currentIndex());
    UpdateCalculationPages();
    UpdateMediumList();
    UpdateInsideAlphaModes();
    UpdateInsideAlphaControls();
    ClearResults();
}

void TItemModifyForm::MediumTypeChange() {
    if (MediumTypes) EditedItem->Medium.ItemID = MediumTypes->IDByName(TextOf(*ui_->MediumType));
    ShowMediumProperties();
    ClearResults();
}

void TItemModifyForm::MediumTemperatureExit() {
    EditedItem->Medium.Temperature = ReadFloat(*ui_->MediumTemperature, kAnyValue);
    ShowMediumProperties();
}

void TItemModifyForm::InsideAlphaCalculationModeChange() {
    const int mode = InsideAlphaModeOf(TextOf(*ui_->InsideAlphaCalculationMode));
    if (mode >= 0) EditedItem->InsideAlphaMode = static_cast<std::int16_t>(mode);
    UpdateInsideAlphaControls();
    ClearResults();
}

void TItemModifyForm::OutsideAlphaCalculationModeChange() {
    EditedItem->OutsideAlphaMode = static_cast<std::int16_t>(ui_->OutsideAlphaCalculationMode->currentIndex());
    UpdateOutsideAlphaControls();
    ClearResults();
}

void TItemModifyForm::WithRadiationClick() {
    EditedItem->WithRadiation = ui_->WithRadiation->isChecked() ? 1 : 0;
    UpdateOutsideAlphaControls();
    ClearResults();
}

void TItemModifyForm::VolumeButtonClick() {
    const bool volume = ui_->VolumeButton->isChecked();
    EditedItem->VolumeGiven = volume ? 1 : 0;
    ui_->Volume->setVisible(volume);
    ui_->Volume2->setVisible(!volume);
    ui_->Speed->setVisible(!volume);
    ui_->Speed2->setVisible(volume);
}

void TItemModifyForm::ValueChange() {
    ClearResults();
}

void TItemModifyForm::SetPageVisibility(QTabWidget& pages, int selector) {
    // Shown ones first, so that hiding the active page moves to one of them.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < pages.count(); ++i) {
            const bool visible = TagHas(*pages.widget(i), selector);
            if (visible == (pass == 0)) SetTabVisible(pages, i, visible);
        }
    }
}

void TItemModifyForm::UpdateGeometryPages() {
    const TItem& item = *EditedItem;
    const int geometry = static_cast<int>(item.Geometry);
    QTabWidget& pages = *ui_->GeometryPageControl;
    const bool activeStays = pages.currentWidget() && TagHas(*pages.currentWidget(), geometry);
    SetPageVisibility(pages, geometry);
    // A tank's page is its shape's.
    const int shape = static_cast<int>(item.Shape);
    if (!activeStays && item.Geometry == GeometryType::Tank && shape >= 0 && shape <= 3) {
        SetActivePage(pages, shape + 2);
    }
    const bool wallGiven = WallThicknessIsInput(item);
    ui_->GeometryThickness->setVisible(wallGiven);
    ui_->GeometryThickness2->setVisible(!wallGiven);
    ShowTimeControls(*ui_, TimeIsInput(item));
}

void TItemModifyForm::UpdateCalculationPages() {
    const TItem& item = *EditedItem;
    SetPageVisibility(*ui_->CalculationPageControl, static_cast<int>(item.CalculationType));
    const auto pair = [](QWidget& edit, QWidget& label, bool input) {
        edit.setVisible(input);
        label.setVisible(!input);
    };
    pair(*ui_->IsolationThickness, *ui_->IsolationThickness2, item.CalculationType == CalcMode::GivedThickness);
    pair(*ui_->OutsideWallTemperature, *ui_->OutsideWallTemperature2,
         item.CalculationType == CalcMode::GivedSurfaceTemp);
    pair(*ui_->EnergySave, *ui_->EnergySave2, item.CalculationType == CalcMode::GivedPower);
    pair(*ui_->OutTemperature, *ui_->OutTemperature2, item.CalculationType == CalcMode::GivedTempDiff);
    ShowTimeControls(*ui_, TimeIsInput(item));
}

void TItemModifyForm::UpdateMediumList() {
    if (!MediumTypes) return;
    TItem& item = *EditedItem;
    if (ui_->MediumType->currentIndex() >= 0) item.Medium.ItemID = MediumTypes->IDByName(TextOf(*ui_->MediumType));
    TQtComboBox box(*ui_->MediumType);
    MediumTypes->FillComboBox(box, item.Medium.ItemID, static_cast<int>(item.Geometry),
                              static_cast<int>(item.CalculationType));
    ShowMediumProperties();
}

void TItemModifyForm::UpdateIsolationList() {
    if (!IsolationTypes) return;
    TItem& item = *EditedItem;
    if (ui_->IsolationType->currentIndex() >= 0) {
        item.Isolation.IsolationID = IsolationTypes->IDByName(TextOf(*ui_->IsolationType));
    }
    TQtComboBox box(*ui_->IsolationType);
    IsolationTypes->FillComboBox(box, item.Isolation.IsolationID, static_cast<int>(item.Geometry));
}

std::string TItemModifyForm::PriceDimension(bool perSquareMetre) const {
    return PriceList->Currency + (perSquareMetre ? "/m2" : "/m");
}

void TItemModifyForm::UpdatePriceDimensions() {
    if (!PriceList) return;
    TItem& item = *EditedItem;
    TQtComboBox box(*ui_->ConstructionPriceDimension);
    if (box.ItemIndex() >= 0) item.ConstructionPricePerM2 = box.Text() != PriceDimension(false) ? 1 : 0;
    box.Clear();
    if (item.Geometry != GeometryType::Tank) box.Add(PriceDimension(false));
    box.Add(PriceDimension(true));
    const int index = ui_->ConstructionPriceDimension->findText(
        ToQString(PriceDimension(item.ConstructionPricePerM2 != 0)), Qt::MatchFixedString | Qt::MatchCaseSensitive);
    box.SetItemIndex(index >= 0 ? index : 0);
}

void TItemModifyForm::ShowMediumProperties() {
    TItem& item = *EditedItem;
    item.UpdateMediumProperties();
    const bool userDefined = TMediumTypes::IsUserDefined(item.Medium.ItemID);
    const struct {
        QLineEdit* edit;
        QLabel* label;
        double value;
    } rows[] = {
        {ui_->Density, ui_->Density2, item.Medium.Density},
        {ui_->SpecificHeat, ui_->SpecificHeat2, item.Medium.SpecificHeat * 0.001},
        {ui_->KinematicViscosity, ui_->KinematicViscosity2, item.Medium.KinematicViscosity},
        {ui_->Beta, ui_->Beta2, item.Medium.Beta},
        {ui_->HeatConditionFactor, ui_->HeatConditionFactor2, item.Medium.HeatConditionFactor},
        {ui_->DissolutionTemperature, ui_->DissolutionTemperature2, item.Medium.FreezingPoint},
    };
    // A user-defined medium's edits hold what the user typed, not yet in the
    // item: only filling the dialog and showing results write them then.
    const bool writeEdits = !userDefined || Updating;
    for (const auto& row : rows) {
        if (writeEdits) ShowNumber(*row.edit, row.value);
        ShowNumber(*row.label, row.value);
    }
    const bool viewData = AppOptions && AppOptions->ViewMediumData;
    for (const auto& row : rows) {
        row.edit->setVisible(userDefined);
        row.label->setVisible(viewData && !userDefined);
    }
    for (QLabel* label : {ui_->Label17, ui_->Label18, ui_->Label19, ui_->Label20, ui_->Label21, ui_->Label22,
                          ui_->Label23, ui_->Label24, ui_->Label30, ui_->Label31, ui_->Label41, ui_->Label42}) {
        label->setVisible(userDefined || viewData);
    }
    const bool air = IsAirMedium(item.Medium.ItemID);
    ui_->MediumRelativHumidity->setVisible(air);
    ui_->Label25->setVisible(air);
    ui_->Label26->setVisible(air);
}

std::string TItemModifyForm::InsideAlphaModeText(int mode) const {
    return LanguageList->GetString(kInsideAlphaModes + std::to_string(mode));
}

int TItemModifyForm::InsideAlphaModeOf(const std::string& text) const {
    for (int mode = 0; mode <= 2; ++mode) {
        if (InsideAlphaModeText(mode) == text) return mode;
    }
    return -1;
}

void TItemModifyForm::UpdateInsideAlphaModes() {
    TItem& item = *EditedItem;
    TQtComboBox box(*ui_->InsideAlphaCalculationMode);
    if (box.ItemIndex() >= 1) {
        const int mode = InsideAlphaModeOf(box.Text());
        if (mode >= 0) item.InsideAlphaMode = static_cast<std::int16_t>(mode);
    }
    box.Clear();
    if (item.FlowAlphaModeAllowed()) box.Add(InsideAlphaModeText(0));
    if (item.NaturalAlphaModeAllowed()) box.Add(InsideAlphaModeText(1));
    box.Add(InsideAlphaModeText(2));
    const int index = ui_->InsideAlphaCalculationMode->findText(ToQString(InsideAlphaModeText(item.InsideAlphaMode)),
                                                               Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index >= 0) {
        box.SetItemIndex(index);
    } else {
        box.SetItemIndex(0);
        const int mode = InsideAlphaModeOf(box.Item(0));
        if (mode >= 0) item.InsideAlphaMode = static_cast<std::int16_t>(mode);
    }
}

void TItemModifyForm::UpdateInsideAlphaControls() {
    const bool given = EditedItem->InsideAlphaMode == 2;
    ui_->InsideAlpha->setVisible(given);
    ui_->InsideAlpha2->setVisible(!given);
    ui_->InsideAlphaSpeedButton->setVisible(given);
}

void TItemModifyForm::UpdateOutsideAlphaControls() {
    const TItem& item = *EditedItem;
    const bool given = item.OutsideAlphaMode == 2;
    const bool wind = item.OutsideAlphaMode == 0;
    ui_->OutsideAlpha->setVisible(given);
    ui_->OutsideAlpha2->setVisible(!given);
    ui_->OutsideAlphaSpeedButton->setVisible(given);
    for (QWidget* widget : {static_cast<QWidget*>(ui_->WindSpeed), static_cast<QWidget*>(ui_->Label36),
                            static_cast<QWidget*>(ui_->Label37)}) {
        widget->setVisible(wind);
    }
    ui_->WithRadiation->setVisible(!given);
    const bool emission = !given && item.WithRadiation != 0;
    for (QWidget* widget : {static_cast<QWidget*>(ui_->EmissionFactor), static_cast<QWidget*>(ui_->Label49),
                            static_cast<QWidget*>(ui_->EmissionFactorSpeedButton)}) {
        widget->setVisible(emission);
    }
}
