// The calculation dialog: what it shows for an item, and what it reads back.

#include "app/ItemModifyFixture.h"

#include "app/CostChart.h"

#include "data/Price.h"
#include "lang/Languages.h"
#include "platform/base/SysUtils.h"
#include "project/ProgramOptions.h"
#include "platform/ui/QtText.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QValueAxis>
#include <QtCharts/QLineSeries>

#include <functional>
#include <string>
#include <vector>

namespace {

class ItemModifyTest : public ItemModifyFixture {
protected:
    void SetUp() override {
        ItemModifyFixture::SetUp();
        StartWithData();
    }

    std::string WrongValue() const { return LanguageList->GetString("IDS_WRONGVALUE"); }

    // Reads the controls; the text of the one box shown, "" when they passed.
    std::string ReadError(TItemModifyForm& form) {
        Boxes.clear();
        const bool ok = form.ReadControls();
        EXPECT_EQ(ok, Boxes.empty());
        return Boxes.empty() ? std::string() : Boxes.front().Text;
    }
};

}  // namespace

TEST_F(ItemModifyTest, OkReadsTheControlsCalculatesAndEndsWithOk) {
    TItem item = Pipe();
    auto form = Open(item);
    Type(*form, "Name", "Fűtés, pince");
    Type(*form, "TubeLength", "75");
    ModalResult = 0;  // the runner clicks OK itself
    SetModalRunner([&](TForm& dialog) {
        QTest::mouseClick(&Find<QPushButton>(*form, "OK"), Qt::LeftButton);
        return dialog.ModalResult();
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(item.Name, Cp1250("Fűtés, pince"));
    EXPECT_EQ(item.Length, 75);
    TItem expected = item;
    ASSERT_TRUE(expected.Calculate());
    EXPECT_EQ(item, expected);  // calculated before it closed
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(ItemModifyTest, FilledFromTheItemAndTheStoredResultsKept) {
    TItem item = Pipe();
    item.Comment = "first\r\nsecond";
    item.KValue = 0.3456f;
    item.SurfaceTemperature = 21.25f;
    item.Loss = 1234;
    item.Isolation.ResultText = "Javasolt: 50 mm";
    const TItem stored = item;
    auto form = Open(item);
    EXPECT_EQ(item.KValue, stored.KValue);
    EXPECT_EQ(item.Isolation, stored.Isolation);
    EXPECT_EQ(item.Loss, stored.Loss);
    EXPECT_EQ(Text(*form, "Tubed1"), "107.1");
    EXPECT_EQ(Text(*form, "Tubed2"), "114.3");
    EXPECT_EQ(Text(*form, "TubeLength"), "50");
    EXPECT_EQ(Text(*form, "Volume"), "5");
    EXPECT_EQ(Text(*form, "k"), "0.346");
    EXPECT_EQ(Text(*form, "OutsideWallTemperature2"), "21.25");
    EXPECT_EQ(Text(*form, "Powerloss"), "1.234");
    EXPECT_EQ(Text(*form, "Suggestion"), "Javasolt: 50 mm");
    EXPECT_EQ(Text(*form, "Comment"), "first\nsecond");
    // The comment comes back as it was: no line end grows on each OK.
    ASSERT_TRUE(form->ReadControls());
    EXPECT_EQ(item.Comment, "first\r\nsecond");
    ASSERT_TRUE(form->ReadControls());
    EXPECT_EQ(item.Comment, "first\r\nsecond");
}

TEST_F(ItemModifyTest, PagesAndControlsFollowGeometryAndType) {
    struct Row {
        GeometryType geometry;
        CalcMode type;
        const char* geometryTabs;
        const char* calculationTabs;
        bool time;
        bool wallThickness;
    };
    const Row rows[] = {
        {GeometryType::Tube, CalcMode::GivedThickness, "GeoTabSheet1", "CalcTabSheet1", false, false},
        {GeometryType::RoundCanal, CalcMode::Condensation, "GeoTabSheet1", "CalcTabSheet1", false, false},
        {GeometryType::SquareCanal, CalcMode::GivedTempDiff, "GeoTabSheet3", "CalcTabSheet1", false, true},
        {GeometryType::Tank, CalcMode::GivedPower, "GeoTabSheet4 GeoTabSheet5 GeoTabSheet6 GeoTabSheet7",
         "CalcTabSheet1", true, true},
        {GeometryType::Tube, CalcMode::Frost, "GeoTabSheet1", "CalcTabSheet1", true, false},
        {GeometryType::Tube, CalcMode::Optimum, "GeoTabSheet1", "CalcTabSheet2", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.geometry) * 10 + static_cast<int>(row.type));
        TItem item = row.geometry == GeometryType::Tank ? Tank(row.type) : Pipe(row.type);
        item.Geometry = row.geometry;
        auto form = Open(item);
        EXPECT_EQ(ShownTabs(*form, "GeometryPageControl"), row.geometryTabs);
        EXPECT_EQ(ShownTabs(*form, "CalculationPageControl"), row.calculationTabs);
        EXPECT_EQ(Shown(*form, "Time"), row.time);
        EXPECT_EQ(Shown(*form, "Label9"), row.time);
        EXPECT_EQ(Shown(*form, "GeometryThickness"), row.wallThickness);
        EXPECT_EQ(Shown(*form, "GeometryThickness2"), !row.wallThickness);
    }
}

TEST_F(ItemModifyTest, OutsideControlsFollowTheModeAndTheRadiation) {
    struct Row {
        int mode;
        bool radiation;
        const char* shown;  // of OutsideAlpha WindSpeed WithRadiation EmissionFactor
    };
    const Row rows[] = {{0, true, "0111"}, {0, false, "0110"}, {1, true, "0011"}, {1, false, "0010"},
                        {2, true, "1000"}, {2, false, "1000"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.mode) + (row.radiation ? " on" : " off"));
        TItem item = Pipe();
        item.WithRadiation = row.radiation ? 1 : 0;
        auto form = Open(item);
        Choose(*form, "OutsideAlphaCalculationMode", row.mode);  // the user's choice, from mode 1
        std::string shown;
        for (const char* name : {"OutsideAlpha", "WindSpeed", "WithRadiation", "EmissionFactor"}) {
            shown += Shown(*form, name) ? '1' : '0';
        }
        EXPECT_EQ(shown, row.shown);
        EXPECT_EQ(Shown(*form, "OutsideAlpha2"), row.mode != 2);
        EXPECT_EQ(item.OutsideAlphaMode, row.mode);
    }
    TItem item = Pipe();
    auto form = Open(item);
    Find<QCheckBox>(*form, "WithRadiation").click();
    EXPECT_EQ(item.WithRadiation, 0);
    EXPECT_FALSE(Shown(*form, "EmissionFactor"));
}

TEST_F(ItemModifyTest, MediumControlsFollowTheMediumAndTheOption) {
    struct Row {
        const char* medium;
        bool viewData;
        const char* shown;  // of Density Density2 Label17 MediumRelativHumidity
    };
    const Row rows[] = {{"water", false, "0000"}, {"water", true, "0110"}, {"userdefined", false, "1010"},
                        {"userdefined", true, "1010"}, {"air", false, "0001"}, {"air", true, "0111"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.medium) + (row.viewData ? " shown" : ""));
        AppOptions->ViewMediumData = row.viewData;
        TItem item = Pipe();
        item.Medium.ItemID = row.medium;
        item.Medium.Temperature = 30;
        auto form = Open(item);
        std::string shown;
        for (const char* name : {"Density", "Density2", "Label17", "MediumRelativHumidity"}) {
            shown += Shown(*form, name) ? '1' : '0';
        }
        EXPECT_EQ(shown, row.shown);
    }
    // The flow given one way shows the other as a result.
    TItem item = Pipe();
    auto form = Open(item);
    Find<QRadioButton>(*form, "SpeedButton").click();
    EXPECT_EQ(item.VolumeGiven, 0);
    EXPECT_TRUE(Shown(*form, "Speed"));
    EXPECT_TRUE(Shown(*form, "Volume2"));
    EXPECT_FALSE(Shown(*form, "Volume"));
}

TEST_F(ItemModifyTest, ChoosingATankShowsItsShapesPageAndReadsThatShape) {
    TItem item = Pipe();
    item.Shape = TankShape::Box;
    auto form = Open(item);
    Choose(*form, "GeometryType", 3);
    EXPECT_EQ(item.Geometry, GeometryType::Tank);
    EXPECT_EQ(ShownTabs(*form, "GeometryPageControl"), "GeoTabSheet4 GeoTabSheet5 GeoTabSheet6 GeoTabSheet7");
    EXPECT_EQ(Find<QTabWidget>(*form, "GeometryPageControl").currentWidget()->objectName(), "GeoTabSheet6");
    // The user's own page change is the shape read back.
    auto& pages = Find<QTabWidget>(*form, "GeometryPageControl");
    QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, pages.tabBar()->tabRect(5).center());
    Type(*form, "TankSurface", "x");
    Type(*form, "TankVolume", "7");
    EXPECT_EQ(ReadError(*form), WrongValue());
    EXPECT_EQ(item.Shape, TankShape::Given);
    EXPECT_EQ(Focused(*form), "TankSurface");
    EXPECT_EQ(item.TankVolume, 0);  // read after the surface, so never reached
    Type(*form, "TankSurface", "12");
    Type(*form, "TankVolume", "0");
    EXPECT_EQ(ReadError(*form), WrongValue());
    EXPECT_EQ(item.TankSurface, 12);
    EXPECT_EQ(Focused(*form), "TankVolume");
}

TEST_F(ItemModifyTest, InsideModesOfferOnlyWhatTheItemAllows) {
    const std::string forced = LanguageList->GetString("IDS_INSIDEALPHAMODES+0");
    const std::string natural = LanguageList->GetString("IDS_INSIDEALPHAMODES+1");
    const std::string given = LanguageList->GetString("IDS_INSIDEALPHAMODES+2");
    const auto entries = [](const TItemModifyForm& form) {
        std::vector<std::string> list;
        const QComboBox& box = Combo(form, "InsideAlphaCalculationMode");
        for (int i = 0; i < box.count(); ++i) list.push_back(FromQString(box.itemText(i)));
        return list;
    };
    TItem duct = Pipe();
    duct.Geometry = GeometryType::RoundCanal;
    EXPECT_EQ(entries(*Open(duct)), (std::vector<std::string>{forced, given}));
    TItem tank = Tank();
    EXPECT_EQ(entries(*Open(tank)), (std::vector<std::string>{natural, given}));

    // Frost drops forced flow: the first entry left becomes the mode.
    TItem pipe = Pipe();
    auto form = Open(pipe);
    EXPECT_EQ(entries(*form), (std::vector<std::string>{forced, natural, given}));
    Choose(*form, "CalculationType", static_cast<int>(CalcMode::Frost));
    EXPECT_EQ(entries(*form), (std::vector<std::string>{natural, given}));
    EXPECT_EQ(Text(*form, "InsideAlphaCalculationMode"), natural);
    EXPECT_EQ(pipe.InsideAlphaMode, 1);
    EXPECT_FALSE(Shown(*form, "InsideAlpha"));
    Choose(*form, "InsideAlphaCalculationMode", 1);
    EXPECT_EQ(pipe.InsideAlphaMode, 2);
    EXPECT_TRUE(Shown(*form, "InsideAlpha"));
    EXPECT_TRUE(Shown(*form, "InsideAlphaSpeedButton"));
    // An entry that names no mode leaves the mode as it was.
    Combo(*form, "InsideAlphaCalculationMode").setItemText(1, QStringLiteral("?"));
    Type(*form, "InsideAlpha", "300");
    ASSERT_TRUE(form->ReadControls());
    EXPECT_EQ(pipe.InsideAlphaMode, 2);
    EXPECT_EQ(pipe.InsideAlpha, 300);
}

TEST_F(ItemModifyTest, EveryCheckedFieldKeepsTheDialogOpenOnItsBadValue) {
    const auto with = [](TItem item, const std::function<void(TItem&)>& change) {
        change(item);
        return item;
    };
    const auto tank = [&](TankShape shape) {
        return with(Tank(), [shape](TItem& i) {
            i.Shape = shape;
            i.SphereRadius = 600;
            i.BoxA = i.BoxB = i.BoxHeight = 1000;
            i.TankVolume = 2;
            i.TankSurface = 9;
            i.GivenTankSize = 1200;
        });
    };
    const TItem pipe = Pipe();
    const TItem duct = Duct(GeometryType::SquareCanal);
    const TItem given = with(Pipe(), [](TItem& i) {
        i.InsideAlphaMode = i.OutsideAlphaMode = 2;
        i.InsideAlpha = 300;
        i.OutsideAlpha = 9;
    });
    const TItem windy = with(Pipe(), [](TItem& i) { i.OutsideAlphaMode = 0; });
    const TItem user = with(Pipe(), [](TItem& i) { i.Medium.ItemID = "userdefined"; i.Medium.Temperature = 90; });
    const TItem optimum = Pipe(CalcMode::Optimum);
    // Each item calculates as it stands: only the field's check keeps the dialog open.
    const struct {
        const char* edit;
        const char* bad;
        TItem item;
    } rows[] = {
        {"Tubed1", "0", pipe}, {"Tubed2", "-1", pipe}, {"TubeLength", "-1", pipe},
        {"Rectanglea", "0", duct}, {"Rectangleb", "x", duct}, {"RectangleLength", "-1", duct},
        {"GeometryThickness", "0", duct}, {"CylinderDiameter", "0", tank(TankShape::Cylinder)},
        {"CylinderLength", "0", tank(TankShape::Cylinder)}, {"BallRadius", "0", tank(TankShape::Sphere)},
        {"Quadratica", "0", tank(TankShape::Box)}, {"Quadraticb", "0", tank(TankShape::Box)},
        {"QuadraticHeight", "0", tank(TankShape::Box)}, {"TankSurface", "0", tank(TankShape::Given)},
        {"TankVolume", "0", tank(TankShape::Given)}, {"Tankde", "0", tank(TankShape::Given)},
        {"Time", "-1", tank(TankShape::Cylinder)}, {"GeometryHeatConditionFactor", "0", pipe},
        {"MediumTemperature", "x", pipe}, {"MediumRelativHumidity", "100", duct},
        {"Density", "-1", user}, {"SpecificHeat", "-1", user}, {"KinematicViscosity", "-1", user},
        {"Beta", "-1", user}, {"HeatConditionFactor", "-1", user}, {"DissolutionTemperature", "x", user},
        {"Volume", "0", pipe}, {"Speed", "0", with(Pipe(), [](TItem& i) { i.VolumeGiven = 0; i.Velocity = 0.2f; })},
        {"InsideAlpha", "0", given}, {"OutsideAlpha", "0", given}, {"AirTemperature", "x", pipe},
        {"AirRelativHumidity", "100", pipe}, {"WindSpeed", "-1", windy}, {"EmissionFactor", "1.01", pipe},
        {"IsolationThickness", "-1", pipe}, {"OutsideWallTemperature", "x", Pipe(CalcMode::GivedSurfaceTemp)},
        {"EnergySave", "-1", Pipe(CalcMode::GivedPower)}, {"OutTemperature", "x", Pipe(CalcMode::GivedTempDiff)},
        {"Time", "-1", Pipe(CalcMode::Frost)}, {"ConstructionPrice", "-1", optimum}, {"EnergyPrice", "-1", optimum},
        {"Year", "-1", optimum}, {"DayPerYear", "x", optimum}, {"HourPerDay", "-1", optimum},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.edit) + " " + row.bad);
        TItem item = row.item;
        auto form = Open(item);
        Boxes.clear();
        ASSERT_TRUE(form->ReadControls());
        TItem calculable = item;
        ASSERT_TRUE(calculable.Calculate());
        Type(*form, row.edit, row.bad);
        for (const char* button : {"OK", "Calculate"}) {
            SCOPED_TRACE(button);
            Edit(*form, "Name").setFocus();
            Boxes.clear();
            QTest::mouseClick(&Find<QPushButton>(*form, button), Qt::LeftButton);
            EXPECT_EQ(form->ModalResult(), mrNone);
            ASSERT_EQ(Boxes.size(), 1u);
            EXPECT_EQ(Boxes[0].Text, WrongValue());
            EXPECT_EQ(Focused(*form), row.edit);
        }
    }
}

TEST_F(ItemModifyTest, HumidityBelowAHundredOnly) {
    struct Row {
        const char* edit;
        const char* value;
        bool accepted;
    };
    const Row rows[] = {
        {"MediumRelativHumidity", "99.9", true}, {"MediumRelativHumidity", "100", false},
        {"AirRelativHumidity", "99,9", true},    {"AirRelativHumidity", "100", false},
        {"AirRelativHumidity", "-1", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.edit) + " " + row.value);
        TItem item = Pipe();
        item.Medium.ItemID = "air";
        item.Medium.Temperature = 30;
        auto form = Open(item);
        Type(*form, row.edit, row.value);
        EXPECT_EQ(ReadError(*form), row.accepted ? "" : WrongValue());
        if (!row.accepted) {
            EXPECT_EQ(Focused(*form), row.edit);
        }
    }
}

TEST_F(ItemModifyTest, EmissionFactorIsCheckedWhereItCounts) {
    struct Row {
        int outsideMode;
        bool radiation;
        const char* factor;
        bool accepted;
        float stored;
    };
    const Row rows[] = {
        // Above 1 is refused after it was read: it stays in the item, as any value read before a failure.
        {1, true, "1", true, 1},      {1, true, "1.01", false, 1.01f}, {1, true, "0", false, 0.8f},
        {0, true, "1", true, 1},      {0, true, "1.01", false, 1.01f}, {0, true, "0.5", true, 0.5f},
        {1, false, "7", true, 0.8f},  {0, false, "abc", true, 0.8f},  {2, true, "7", true, 0.8f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.outsideMode) + (row.radiation ? " on " : " off ") + row.factor);
        TItem item = Pipe();
        item.OutsideAlphaMode = static_cast<std::int16_t>(row.outsideMode);
        item.OutsideAlpha = 9;
        item.WithRadiation = row.radiation ? 1 : 0;
        auto form = Open(item);
        Type(*form, "EmissionFactor", row.factor);
        EXPECT_EQ(ReadError(*form), row.accepted ? "" : WrongValue());
        EXPECT_EQ(item.EmissionFactor, row.stored);
        if (!row.accepted) {
            EXPECT_EQ(Focused(*form), "EmissionFactor");
        }
    }
}

TEST_F(ItemModifyTest, TemperaturesMustDifferAndNothingAfterTheAirIsRead) {
    TItem item = Pipe();
    auto form = Open(item);
    Type(*form, "MediumTemperature", "20");
    Type(*form, "AirTemperature", "20.05");
    Type(*form, "AirRelativHumidity", "33");
    Type(*form, "IsolationThickness", "80");
    EXPECT_EQ(ReadError(*form), LanguageList->GetString("IDS_NEEDTEMPERATUREDIFFERENCE"));
    EXPECT_EQ(item.AirTemperature, 20.05f);
    EXPECT_EQ(item.AirHumidity, 60);
    EXPECT_EQ(item.Isolation.Thickness, 50);
}

TEST_F(ItemModifyTest, FlowIsNeededForForcedFlowOnly) {
    struct Row {
        int mode;
        bool volume;
        bool accepted;
    };
    const Row rows[] = {{0, true, false}, {0, false, false}, {1, true, true}, {1, false, true}, {2, true, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.mode) + (row.volume ? " volume" : " velocity"));
        TItem item = Pipe();
        item.InsideAlphaMode = static_cast<std::int16_t>(row.mode);
        item.InsideAlpha = 100;
        item.VolumeGiven = row.volume ? 1 : 0;
        auto form = Open(item);
        Type(*form, row.volume ? "Volume" : "Speed", "0");
        EXPECT_EQ(ReadError(*form), row.accepted ? "" : WrongValue());
        if (!row.accepted) {
            EXPECT_EQ(Focused(*form), row.volume ? "Volume" : "Speed");
        }
    }
}

TEST_F(ItemModifyTest, UserDefinedMediumIsReadInItsUnits) {
    TItem item = Pipe();
    auto form = Open(item);
    Choose(*form, "MediumType", 0);  // the user-defined medium
    ASSERT_EQ(item.Medium.ItemID, "userdefined");
    EXPECT_TRUE(Shown(*form, "SpecificHeat"));
    EXPECT_FALSE(Shown(*form, "SpecificHeat2"));
    Type(*form, "Density", "1050");
    Type(*form, "SpecificHeat", "4,19");
    Type(*form, "DissolutionTemperature", "-20");
    // Another type keeps what was typed: it is not in the item yet.
    Choose(*form, "CalculationType", static_cast<int>(CalcMode::Frost));
    EXPECT_EQ(Text(*form, "Density"), "1050");
    EXPECT_EQ(ReadError(*form), "");
    EXPECT_EQ(item.Medium.Density, 1050);
    EXPECT_EQ(item.Medium.SpecificHeat, 4190);
    EXPECT_EQ(item.Medium.FreezingPoint, -20);  // antifreeze freezes below 0
    auto again = Open(item);
    EXPECT_EQ(Text(*again, "SpecificHeat"), "4.19");
    Type(*again, "Beta", "-1");
    EXPECT_EQ(ReadError(*again), WrongValue());
    EXPECT_EQ(Focused(*again), "Beta");
}

TEST_F(ItemModifyTest, NoConductivityEndsInTheCalculationsMessageAndNoNumberShown) {
    TItem item = Pipe();
    auto form = Open(item);
    Choose(*form, "MediumType", 0);
    Type(*form, "HeatConditionFactor", "0");
    Boxes.clear();
    form->CalculateClick();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, LanguageList->GetString("IDS_CALCULATIONERROR"));
    for (const char* label : {"k", "InsideWallTemperature", "OutsideWallTemperature2", "SpecificPowerloss",
                              "Powerloss", "IsolationHeatConditionFactor"}) {
        SCOPED_TRACE(label);
        EXPECT_EQ(Text(*form, label), "");
    }
}

TEST_F(ItemModifyTest, ValuesBeyondTheItemsRangeAreRejected) {
    TItem item = Pipe();
    auto form = Open(item);
    Type(*form, "TubeLength", "1e39");  // no single-precision number
    EXPECT_EQ(ReadError(*form), WrongValue());
    EXPECT_EQ(Focused(*form), "TubeLength");
    EXPECT_EQ(item.Length, 50);
}

TEST_F(ItemModifyTest, NumbersShowWithFourDigitsAndReadBackUnrounded) {
    struct Row {
        float length;
        char separator;
        const char* shown;
    };
    const Row rows[] = {{1234.5f, '.', "1235"}, {0.5f, '.', "0.5"}, {0.5f, ',', "0,5"}, {12345, '.', "1.235E4"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shown);
        SetDecimalSeparator(row.separator);
        TItem item = Pipe();
        item.Length = row.length;
        auto form = Open(item);
        EXPECT_EQ(Text(*form, "TubeLength"), row.shown);
        // Left as shown, the edit reads back the stored value, not its text.
        EXPECT_TRUE(form->ReadControls());
        EXPECT_EQ(item.Length, row.length);
        SetDecimalSeparator('.');
    }
}

TEST_F(ItemModifyTest, PresetsTakeTheirNumbersFromTheCaption) {
    struct Row {
        const char* item;
        const char* caption;  // empty: the built-in one
        const char* edit;
        const char* text;
    };
    const Row rows[] = {
        {"Ersenraml5000Wm2K1", "", "InsideAlpha", "5000"},
        {"Sttmattfelletsugrzssal10Wm2K1", "", "OutsideAlpha", "10"},
        {"Acl461", "", "GeometryHeatConditionFactor", "50."},
        {"Polrozott00381", "", "EmissionFactor", "0.04"},
        {"Jlszellztetett26C1", "", "AirRelativHumidity", "89"},
        {"Jlszellztetett26C1", "", "AirTemperature", "26"},
        // Without its blanks a caption writes nothing, or only the humidity.
        {"Acl461", "Acel", "GeometryHeatConditionFactor", "50"},
        {"Ersenraml5000Wm2K1", "5000W", "InsideAlpha", "0"},
        {"Jlszellztetett26C1", "x 26", "AirRelativHumidity", "60"},
        {"Jlszellztetett26C1", "26 89 %", "AirRelativHumidity", "89"},
        {"Jlszellztetett26C1", "26 89 %", "AirTemperature", "10"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.item) + " " + row.edit);
        TItem item = Pipe();
        auto form = Open(item);
        auto& action = Find<QAction>(*form, row.item);
        if (*row.caption) action.setText(QString::fromUtf8(row.caption));
        action.trigger();
        EXPECT_EQ(Text(*form, row.edit), row.text);
    }
}

TEST_F(ItemModifyTest, PriceTrapsAndTheTypeList) {
    TItem tank = Tank(CalcMode::Optimum);
    for (const std::int16_t perSquareMetre : {0, 1}) {
        tank.ConstructionPricePerM2 = perSquareMetre;
        auto form = Open(tank);
        QComboBox& units = Combo(*form, "ConstructionPriceDimension");
        ASSERT_EQ(units.count(), 1);
        EXPECT_EQ(units.currentText(), "Ft/m2");
    }
    TItem pipe = Pipe(CalcMode::Optimum);
    pipe.ConstructionPricePerM2 = 1;
    auto form = Open(pipe);
    EXPECT_EQ(Combo(*form, "ConstructionPriceDimension").currentText(), "Ft/m2");
    Combo(*form, "ConstructionPriceDimension").setCurrentIndex(0);
    ASSERT_TRUE(form->ReadControls());
    EXPECT_EQ(pipe.ConstructionPricePerM2, 0);
    EXPECT_EQ(Combo(*form, "CalculationType").count(), 7);
    EXPECT_EQ(Text(*form, "EnergyPriceLabel"), "Ft/kWh");
}

TEST_F(ItemModifyTest, EnergySaveShowsEightyUnlessItIsTheTarget) {
    for (int type = 0; type <= 6; ++type) {
        SCOPED_TRACE(type);
        TItem item = Pipe(static_cast<CalcMode>(type));
        item.TargetValue = 65;
        auto form = Open(item);
        EXPECT_EQ(Text(*form, "EnergySave"), type == 3 ? "65" : "80");
        EXPECT_EQ(Shown(*form, "EnergySave"), type == 3);
    }
}

TEST_F(ItemModifyTest, EscapeCancelsWithoutCheckingTheEditInHand) {
    TItem item = Pipe();
    const TItem before = item;
    auto form = Open(item);
    SetModalRunner([&](TForm& dialog) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QLineEdit& temperature = Edit(*form, "MediumTemperature");
        temperature.setFocus();
        temperature.selectAll();
        QTest::keyClicks(&temperature, QStringLiteral("abc"));
        QTest::keyClick(&temperature, Qt::Key_Escape);
        return dialog.ModalResult();
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(item.Medium.Temperature, before.Medium.Temperature);
}

TEST_F(ItemModifyTest, LeavingTheMediumTemperatureShowsItsProperties) {
    TItem item = Pipe();
    auto form = Open(item);
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QLineEdit& temperature = Edit(*form, "MediumTemperature");
    temperature.setFocus();
    temperature.setText(QStringLiteral("20"));
    Edit(*form, "AirTemperature").setFocus();
    EXPECT_EQ(item.Medium.Temperature, 20);
    TMedium water;
    water.Temperature = 20;
    water.FetchProperties();
    EXPECT_EQ(Text(*form, "Density2"), FloatToStrG(water.Density, 4));
    // No number, and none the item's single precision can hold.
    for (const char* text : {"abc", "1e40"}) {
        SCOPED_TRACE(text);
        Boxes.clear();
        temperature.setFocus();
        temperature.setText(QString::fromLatin1(text));
        Edit(*form, "AirTemperature").setFocus();
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, WrongValue());
        EXPECT_EQ(Focused(*form), "MediumTemperature");
        EXPECT_EQ(item.Medium.Temperature, 20);
    }
}

namespace {

using ItemModifyEnglishTest = ItemModifyFixture;

}  // namespace

TEST_F(ItemModifyEnglishTest, TheThreeFormsSpeakEnglish) {
    SelectLanguage("English");
    StartWithData();
    TItem item = Pipe(CalcMode::Optimum);
    auto form = Open(item);
    // Every component the language file names is on the form.
    const TLanguage* english = LanguageList->CurrentLanguage();
    ASSERT_NE(english, nullptr);
    for (const TLanguageForm& translation : english->Forms) {
        if (translation.Name != "ItemModifyForm") continue;
        for (const TLanguageFormItem& entry : translation.Items) {
            EXPECT_NE(form->FindComponent(entry.Name), nullptr) << entry.Name;
        }
    }
    EXPECT_EQ(form->windowTitle(), "Calculation");
    EXPECT_EQ(Text(*form, "Calculate"), "Calculate");
    EXPECT_EQ(Combo(*form, "GeometryType").itemText(3), "Tank");
    EXPECT_EQ(Combo(*form, "CalculationType").itemText(6), "Economic thickness");
    EXPECT_EQ(Find<QAction>(*form, "Jlszellztetett26C1").text(), QString::fromUtf8("Well ventilated 26 °C, 89 %"));
    EXPECT_EQ(form->Chart().Bars(0).name(), "Investment");
    EXPECT_EQ(form->Chart().Line().name(), "Total");
    EXPECT_EQ(form->Chart().BottomAxis().titleText(), "Insulation thickness [mm]");
    // The preset still works on the translated caption.
    Find<QAction>(*form, "Jlszellztetett26C1").trigger();
    EXPECT_EQ(Text(*form, "AirTemperature"), "26");
    EXPECT_EQ(Text(*form, "AirRelativHumidity"), "89");

    SetModalRunner([](TForm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Standard sizes");
        return mrCancel;
    });
    QTest::mouseClick(&Find<QPushButton>(*form, "StandardTubesButton"), Qt::LeftButton);
    SetModalRunner([](TForm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Cost analysis");
        return mrCancel;
    });
    QTest::mouseClick(&Find<QAbstractButton>(*form, "BigChartSpeedButton"), Qt::LeftButton);
}

TEST(ItemModifyPictures, PictureSitsBelowTheTextInTheEntry) {
    const struct {
        QRect entry;
        int textHeight;
        QPoint expected;
    } rows[] = {
        {QRect(0, 0, 185, 60), 13, QPoint(2, 20)},     // (13 + 0 + 60 - 36 + 4) / 2 = 20.5
        {QRect(3, 60, 185, 60), 14, QPoint(5, 81)},    // (14 + 60 + 120 - 36 + 4) / 2
        {QRect(0, -20, 185, 10), 13, QPoint(2, -24)},  // -49 / 2 truncates toward zero
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.entry.top());
        EXPECT_EQ(EntryPicturePosition(row.entry, row.textHeight), row.expected);
    }
}
