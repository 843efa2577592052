// The calculation dialog's geometry: one table says which edit holds which
// dimension of the item, for filling the edits and for reading them back.

#include "app/ItemModify.h"

#include "app/ItemModifyInternal.h"
#include "calc/Item.h"
#include "platform/ui/QtControls.h"
#include "project/ValueHelpers.h"
#include "ui_ItemModify.h"

using namespace item_modify;

namespace {

using Form = Ui::ItemModifyForm;

// The pages of the geometry page control: the two sections', then a tank's
// shapes in their order (cylinder, sphere, box, given).
constexpr int kRoundPage = 0;
constexpr int kSquarePage = 1;
constexpr int kFirstTankPage = 2;
constexpr int kCylinderPage = kFirstTankPage + static_cast<int>(TankShape::Cylinder);
constexpr int kSpherePage = kFirstTankPage + static_cast<int>(TankShape::Sphere);
constexpr int kBoxPage = kFirstTankPage + static_cast<int>(TankShape::Box);
constexpr int kGivenTankPage = kFirstTankPage + static_cast<int>(TankShape::Given);

// One dimension: the page that shows it, its edit, the item's field and the
// check it is read with.
struct TDimension {
    int Page;
    QLineEdit* Form::*Edit;
    float TItem::*Field;
    int Check = kGreaterThanZero;
};

// In reading order: the first that fails its check is the one focused.
constexpr TDimension kDimensions[] = {
    {kRoundPage, &Form::Tubed1, &TItem::InnerDiameter},
    {kRoundPage, &Form::Tubed2, &TItem::OuterDiameter},
    {kRoundPage, &Form::TubeLength, &TItem::Length, kZeroOrGreater},
    {kSquarePage, &Form::Rectanglea, &TItem::SideA},
    {kSquarePage, &Form::Rectangleb, &TItem::SideB},
    {kSquarePage, &Form::RectangleLength, &TItem::Length, kZeroOrGreater},
    {kCylinderPage, &Form::CylinderDiameter, &TItem::CylinderDiameter},
    {kCylinderPage, &Form::CylinderLength, &TItem::CylinderLength},
    {kSpherePage, &Form::BallRadius, &TItem::SphereRadius},
    {kBoxPage, &Form::Quadratica, &TItem::BoxA},
    {kBoxPage, &Form::Quadraticb, &TItem::BoxB},
    {kBoxPage, &Form::QuadraticHeight, &TItem::BoxHeight},
    {kGivenTankPage, &Form::TankSurface, &TItem::TankSurface},
    {kGivenTankPage, &Form::TankVolume, &TItem::TankVolume},
    {kGivenTankPage, &Form::Tankde, &TItem::GivenTankSize},
};
// On every page, after the page's own.
constexpr TDimension kWallLambda{-1, &Form::GeometryHeatConditionFactor, &TItem::WallLambda};
constexpr TDimension kWallThickness{-1, &Form::GeometryThickness, &TItem::WallThickness};

// The page of the item's section or tank shape; -1 for a geometry or shape
// the dialog doesn't know (a damaged file): no page, no page's dimensions.
int GeometryPage(const TItem& item) {
    switch (item.Geometry) {
    case GeometryType::Tube:
    case GeometryType::RoundCanal: return kRoundPage;
    case GeometryType::SquareCanal: return kSquarePage;
    case GeometryType::Tank:
        switch (item.Shape) {
        case TankShape::Cylinder: return kCylinderPage;
        case TankShape::Sphere: return kSpherePage;
        case TankShape::Box: return kBoxPage;
        case TankShape::Given: return kGivenTankPage;
        }
    }
    return -1;
}

// Every dimension the item's geometry takes, in reading order.
template <class F>
void ForEachDimension(const TItem& item, F&& visit) {
    const int page = GeometryPage(item);
    for (const TDimension& dimension : kDimensions) {
        if (dimension.Page == page) visit(dimension);
    }
    visit(kWallLambda);
    if (WallThicknessIsInput(item)) visit(kWallThickness);
}

}  // namespace

void TItemModifyForm::FillGeometry() {
    const TItem& item = *EditedItem;
    Form& ui = *ui_;
    if (item.Geometry == GeometryType::Tank) {
        SetActivePage(*ui.GeometryPageControl, GeometryPage(item));
        if (item.Shape == TankShape::Cylinder) {
            (item.StandingCylinder ? ui.StandingCylinder : ui.LyingCylinder)->setChecked(true);
        }
    }
    ForEachDimension(item, [&](const TDimension& d) { ShowNumber(*(ui.*d.Edit), item.*d.Field); });
}

void TItemModifyForm::ReadGeometry() {
    TItem& item = *EditedItem;
    Form& ui = *ui_;
    if (item.Geometry == GeometryType::Tank) {
        const QWidget* page = ui.GeometryPageControl->currentWidget();
        item.Shape = page == ui.GeoTabSheet4   ? TankShape::Cylinder
                     : page == ui.GeoTabSheet5 ? TankShape::Sphere
                     : page == ui.GeoTabSheet6 ? TankShape::Box
                                               : TankShape::Given;
        if (item.Shape == TankShape::Cylinder) item.StandingCylinder = ui.StandingCylinder->isChecked() ? 1 : 0;
    }
    ForEachDimension(item, [&](const TDimension& d) { item.*d.Field = ReadFloat(*(ui.*d.Edit), d.Check); });
}
