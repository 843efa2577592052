// The calculation dialog's construction and its transfer of the item into
// the controls; the buttons.

#include "app/ItemModify.h"

#include "app/CostChart.h"
#include "app/ItemModifyInternal.h"
#include "calc/Item.h"
#include "data/Price.h"
#include "lang/Languages.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/CursorWait.h"
#include "platform/ui/MemoLines.h"
#include "platform/ui/QtControls.h"
#include "platform/ui/QtText.h"
#include "project/StreamPrimitives.h"
#include "ui_ItemModify.h"

#include <QtCharts/QAreaSeries>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

using namespace item_modify;

TItemModifyForm::TItemModifyForm(QWidget* owner, TItem* item)
    : TForm(owner), ui_(std::make_unique<Ui::ItemModifyForm>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    SetHelpContext(101);
    // The chart's series hang below the chart, which has no parent: enter
    // them by hand so translation finds them.
    TCostChart& chart = Chart();
    chart.Bars(0).setObjectName(QStringLiteral("Series1"));
    chart.Bars(1).setObjectName(QStringLiteral("Series3"));
    chart.Line().setObjectName(QStringLiteral("Series2"));
    for (int i = 0; i < TCostChart::kSeriesCount; ++i) AddComponent(chart.Series(i));
    chart.Bars(0).setName(QStringLiteral("Beruházás"));
    chart.Bars(0).setColor(Qt::blue);
    chart.Bars(1).setName(QStringLiteral("Veszteség"));
    chart.Bars(1).setColor(Qt::red);
    chart.Line().setName(QStringLiteral("Összesen"));
    chart.Line().setColor(QColor(0, 128, 0));
    chart.BottomAxis().setTitleText(QStringLiteral("Szigetelés vastagság [mm]"));
    chart.LeftAxis().setTitleText(QStringLiteral("Fajlagos költség"));
    chart.chart()->setBackgroundBrush(FormColor());
    CreatePresetMenus();
    CreateImageLists();
    ui_->GeometryType->SetItemHeight(60);
    ui_->CalculationType->SetItemHeight(60);
    ConnectEvents();
    // No longer than the project file keeps them.
    ui_->Name->setMaxLength(static_cast<int>(kMaxStoredText));
    LimitMemoLines(*ui_->Comment, static_cast<int>(kMaxStoredText));

    if (LanguageList) LanguageList->TranslateForm(*this);
    EditedItem = item;
    Updating = true;
    FillControls();
}

TItemModifyForm::~TItemModifyForm() = default;

TCostChart& TItemModifyForm::Chart() const {
    return *ui_->Chart1;
}

void TItemModifyForm::FillControls() {
    TItem& item = *EditedItem;
    ui_->Name->setText(ToQString(item.Name));
    SetMemoText(*ui_->Comment, item.Comment);
    TQtComboBox(*ui_->GeometryType).SetItemIndex(static_cast<int>(item.Geometry));
    if (!PriceList) ui_->CalculationType->removeItem(ui_->CalculationType->count() - 1);
    // Optimum without a price list selects nothing.
    TQtComboBox(*ui_->CalculationType).SetItemIndex(static_cast<int>(item.CalculationType));
    UpdateGeometryPages();

    switch (item.Geometry) {
    case GeometryType::Tube:
    case GeometryType::RoundCanal:
        ShowNumber(*ui_->Tubed1, item.InnerDiameter);
        ShowNumber(*ui_->Tubed2, item.OuterDiameter);
        ShowNumber(*ui_->TubeLength, item.Length);
        break;
    case GeometryType::SquareCanal:
        ShowNumber(*ui_->Rectanglea, item.SideA);
        ShowNumber(*ui_->Rectangleb, item.SideB);
        ShowNumber(*ui_->RectangleLength, item.Length);
        break;
    case GeometryType::Tank:
        SetActivePage(*ui_->GeometryPageControl, static_cast<int>(item.Shape) + 2);
        switch (item.Shape) {
        case TankShape::Cylinder:
            ShowNumber(*ui_->CylinderDiameter, item.CylinderDiameter);
            ShowNumber(*ui_->CylinderLength, item.CylinderLength);
            (item.StandingCylinder ? ui_->StandingCylinder : ui_->LyingCylinder)->setChecked(true);
            break;
        case TankShape::Sphere:
            ShowNumber(*ui_->BallRadius, item.SphereRadius);
            break;
        case TankShape::Box:
            ShowNumber(*ui_->Quadratica, item.BoxA);
            ShowNumber(*ui_->Quadraticb, item.BoxB);
            ShowNumber(*ui_->QuadraticHeight, item.BoxHeight);
            break;
        case TankShape::Given:
            ShowNumber(*ui_->TankVolume, item.TankVolume);
            ShowNumber(*ui_->TankSurface, item.TankSurface);
            ShowNumber(*ui_->Tankde, item.GivenTankSize);
            break;
        }
        break;
    }
    ShowNumber(*ui_->GeometryHeatConditionFactor, item.WallLambda);
    if (item.Geometry == GeometryType::SquareCanal || item.Geometry == GeometryType::Tank) {
        ShowNumber(*ui_->GeometryThickness, item.WallThickness);
    }

    UpdateMediumList();
    item.UpdateMediumProperties();
    ShowNumber(*ui_->MediumTemperature, item.Medium.Temperature);
    ShowNumber(*ui_->MediumRelativHumidity, item.InsideHumidity);
    UpdateInsideAlphaModes();
    if (item.VolumeGiven) {
        ui_->VolumeButton->setChecked(true);
        ShowNumber(*ui_->Volume, item.VolumeFlow);
        ui_->Speed->setVisible(false);
        ui_->Speed2->setVisible(true);
    } else {
        ui_->SpeedButton->setChecked(true);
        ShowNumber(*ui_->Speed, item.Velocity, 3);
        ui_->Volume->setVisible(false);
        ui_->Volume2->setVisible(true);
    }
    TQtComboBox(*ui_->VolumeDimension).SetItemIndex(item.FlowUnit);
    ShowNumber(*ui_->InsideAlpha, item.InsideAlpha);
    ShowNumber(*ui_->InsideAlpha2, item.InsideAlpha);
    UpdateInsideAlphaControls();

    ShowNumber(*ui_->AirTemperature, item.AirTemperature);
    ShowNumber(*ui_->AirRelativHumidity, item.AirHumidity);
    TQtComboBox outsideModes(*ui_->OutsideAlphaCalculationMode);
    outsideModes.Clear();
    for (int mode = 0; mode < 3; ++mode) {
        outsideModes.Add(LanguageList->GetString(kOutsideAlphaModes + std::to_string(mode)));
    }
    outsideModes.SetItemIndex(item.OutsideAlphaMode);
    ShowNumber(*ui_->WindSpeed, item.WindSpeed);
    ui_->WithRadiation->setChecked(item.WithRadiation != 0);
    ShowNumber(*ui_->EmissionFactor, item.EmissionFactor);
    ShowNumber(*ui_->OutsideAlpha, item.OutsideAlpha);
    ShowNumber(*ui_->OutsideAlpha2, item.OutsideAlpha);
    UpdateOutsideAlphaControls();

    UpdateIsolationList();
    if (PriceList) ui_->EnergyPriceLabel->setText(ToQString(PriceList->Currency + "/kWh"));
    ui_->EnergySave->setText(QStringLiteral("80"));
    switch (item.CalculationType) {
    case CalcMode::GivedThickness: ShowNumber(*ui_->IsolationThickness, item.Isolation.Thickness); break;
    case CalcMode::GivedSurfaceTemp: ShowNumber(*ui_->OutsideWallTemperature, item.TargetValue); break;
    case CalcMode::GivedPower: ShowNumber(*ui_->EnergySave, item.TargetValue); break;
    case CalcMode::GivedTempDiff: ShowNumber(*ui_->OutTemperature, item.TargetValue); break;
    default: break;
    }
    if (item.CalculationType == CalcMode::Frost || item.Geometry == GeometryType::Tank) {
        ShowNumber(*ui_->Time, item.Time);
    }
    UpdatePriceDimensions();
    ShowNumber(*ui_->ConstructionPrice, item.ConstructionPrice);
    ShowNumber(*ui_->EnergyPrice, item.EnergyPrice);
    ShowNumber(*ui_->Year, item.Years);
    ShowNumber(*ui_->DayPerYear, item.DaysPerYear);
    ShowNumber(*ui_->HourPerDay, item.HoursPerDay);
    UpdateCalculationPages();
    ShowResults();
}

void TItemModifyForm::CalculateClick() {
    const TCursorWait wait;
    if (ReadControls() && EditedItem->Calculate()) ShowResults();
}

void TItemModifyForm::OKClick() {
    const TCursorWait wait;
    if (ReadControls() && EditedItem->Calculate()) SetModalResult(mrOk);
}

void TItemModifyForm::HelpClick() {
    ShowHelp();
}
