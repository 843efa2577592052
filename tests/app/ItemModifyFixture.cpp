#include "app/ItemModifyFixture.h"

#include "app/Main.h"
#include "platform/ui/QtControls.h"
#include "platform/ui/QtText.h"

#include <QApplication>
#include <QTabBar>

#include <stdexcept>

void ItemModifyFixture::StartWithData(bool prices) {
    ShipData();
    if (prices) ShipPriceList();
    Start();
    Boxes.clear();
}

std::unique_ptr<TItemModifyForm> ItemModifyFixture::Open(TItem& item) {
    return std::make_unique<TItemModifyForm>(MainForm, &item);
}

std::string ItemModifyFixture::Text(const TItemModifyForm& form, const char* name) {
    return FromQString(WidgetText(Find<QWidget>(form, name)));
}

void ItemModifyFixture::Type(const TItemModifyForm& form, const char* name, const char* utf8) {
    Edit(form, name).setText(QString::fromUtf8(utf8));
}

bool ItemModifyFixture::Shown(const TItemModifyForm& form, const char* name) {
    return !Find<QWidget>(form, name).isHidden();
}

void ItemModifyFixture::Choose(const TItemModifyForm& form, const char* name, int index) {
    QComboBox& box = Combo(form, name);
    box.setCurrentIndex(index);
    emit box.activated(index);
}

std::string ItemModifyFixture::ShownTabs(const TItemModifyForm& form, const char* name) {
    const QTabWidget& pages = Find<QTabWidget>(form, name);
    std::string shown;
    for (int i = 0; i < pages.count(); ++i) {
        if (!pages.isTabVisible(i)) continue;
        if (!shown.empty()) shown += ' ';
        shown += FromQString(pages.widget(i)->objectName());
    }
    return shown;
}

std::string ItemModifyFixture::Focused(const TItemModifyForm& form) {
    const QWidget* focus = form.focusWidget();
    return focus ? FromQString(focus->objectName()) : std::string();
}

TItem ItemModifyFixture::Pipe(CalcMode type) {
    TItem item;
    item.CalculationType = type;
    item.InnerDiameter = 107.1f;
    item.OuterDiameter = 114.3f;
    item.WallLambda = 50;
    item.Length = 50;
    item.Medium.ItemID = "water";
    item.Medium.Temperature = 90;
    item.Medium.FetchProperties();
    item.VolumeFlow = 5;
    item.FlowUnit = 1;
    item.AirTemperature = 10;
    item.AirHumidity = 60;
    item.Isolation.IsolationID = "mwshell";
    item.Isolation.Thickness = 50;
    item.EnergyPrice = 45;
    item.Years = 10;
    item.ConstructionPrice = 2000;
    item.TargetValue = type == CalcMode::GivedPower ? 90 : 30;
    item.Time = 10;
    return item;
}

TItem ItemModifyFixture::Tank(CalcMode type) {
    TItem item = Pipe(type);
    item.Geometry = GeometryType::Tank;
    item.Shape = TankShape::Cylinder;
    item.StandingCylinder = 1;
    item.CylinderLength = 2000;
    item.CylinderDiameter = 1200;
    item.WallThickness = 5;
    item.Medium.Temperature = 60;
    item.Medium.FetchProperties();
    item.VolumeFlow = 0;
    item.InsideAlphaMode = 1;
    item.Isolation.IsolationID = "mwmat";
    return item;
}

TItem ItemModifyFixture::Duct(GeometryType geometry, CalcMode type) {
    TItem item = Pipe(type);
    item.Geometry = geometry;
    item.InnerDiameter = 400;
    item.OuterDiameter = 402;
    item.SideA = 400;
    item.SideB = 200;
    item.WallThickness = 1;
    item.Medium.ItemID = "air";
    item.Medium.Temperature = 40;
    item.Medium.FetchProperties();
    item.VolumeFlow = 1000;
    item.InsideAlpha = 25;  // for Frost, where only a given alpha is left
    item.Isolation.IsolationID = "mwmat";
    return item;
}

TItem ItemModifyFixture::WithPoints() {
    TItem item = Pipe(CalcMode::Optimum);
    item.PriceDiagram = {{10, 5, 7}, {20, 8, 3}, {30, 12, 2}};
    return item;
}

std::vector<double> ItemModifyFixture::Values(const TCostChart& chart, double TCostChart::TPoint::*field) {
    std::vector<double> values;
    for (const TCostChart::TPoint& point : chart.Points()) values.push_back(point.*field);
    return values;
}
