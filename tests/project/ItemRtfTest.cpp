// The item's report rows, written in the printing language whose texts are
// the key names, so each label shows where it came from. Expected texts are
// put together from the row templates as the report layout defines them.

#include "calc/Item.h"

#include "platform/base/Controls.h"
#include "platform/base/SysUtils.h"
#include "project/ClipboardStream.h"
#include "project/ProgramOptions.h"
#include "project/ProjectEnvironment.h"
#include "project/RtfHeader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using project_testing::ItemRtf;

const std::string H1 = R"(\pard\plain \s32\f4\fs20\lang1038\tqr\tx3600\tx3672\tx5040\tqr\tx8640\tx8712 )";
const std::string H2 = R"(\pard\plain \s32\sb180\f4\fs20\lang1038\tqr\tx3600\tx3672\tx5040\tqr\tx8640\tx8712 )";
const std::string H3 = R"(\pard\plain \s32\sb180\sa180\f4\fs20\lang1038\tqr\tx3600\tx3672\tx5040\tqr\tx8640\tx8712 )";
const std::string CRLF = "\r\n";
const std::string DEG = "\xB0";

std::string Title(const std::string& text) {
    return R"(\pard\plain \s31\sb180\f4\fs20\lang1038\tx5040\tqr\tx8640{\b )" + text + R"(}\par )" + CRLF;
}
std::string Mode(const std::string& text) {
    return R"(\pard\plain \s32\f4\fs20\lang1038\tx5040\tqr\tx8640\tx8712 ID_ITEMRTF34: )" + text + R"(\tab )";
}
std::string Alpha(const std::string& value) { return R"(ID_ITEMRTF35:\tab )" + value + R"(\tab W/m{\super 2}K\par )" + CRLF; }
std::string MediumName(const std::string& name) {
    return H2 + R"({\b ID_ITEMRTF23:}\par\sb0 ID_ITEMRTF29:\tab )" + name + R"(\par )" + CRLF;
}
std::string Insulation(const std::string& name, const std::string& lambda) {
    return H2 + R"({\b ID_ITEMRTF39:}\par\sb0 ID_ITEMRTF40:\tab )" + name + R"(\tab\tab )" + R"(ID_ITEMRTF22:\tab )" +
           lambda + R"(\tab W/mK\par )" + CRLF;
}
std::string Result(const std::string& text) { return H2 + R"({\b ID_ITEMRTF65: )" + text + R"(}\par )" + CRLF; }
const std::string kClauses = R"(\pard\plain \s32\sb180\f4\fs20\lang1038 {\b ID_CLAUSOLE0 )"
                             R"(ID_CLAUSOLE1\par })"
                             "\n\r";

class ItemRtfTest : public ::testing::Test {
protected:
    static TItem Pipe() {
        TItem item;
        item.Name = "Pipe {A}\\1";
        item.Geometry = GeometryType::Tube;
        item.InnerDiameter = 82.5f;
        item.OuterDiameter = 88.9f;
        item.Length = 12.5f;
        item.WallLambda = 0.4f;
        item.Medium.ItemID = "water";
        item.Medium.Temperature = 80;
        item.VolumeFlow = 1500;
        item.Velocity = 0.0789f;
        item.InsideAlphaMode = 0;
        item.InsideAlpha = 1234.6f;
        item.AirTemperature = 20;
        item.AirHumidity = 50;
        item.OutsideAlphaMode = 1;
        item.WithRadiation = 1;
        item.EmissionFactor = 0.9f;
        item.OutsideAlpha = 9.87f;
        item.Isolation = {"wool", "Wool 50 mm {ok}", 50, 0.0412f};
        item.KValue = 0.3456f;
        item.InsideWallTemperature = 79.8f;
        item.SurfaceTemperature = 24.3f;
        item.AirDewPoint = 9.3f;
        item.SpecificLoss = 21.37f;
        item.Loss = 267.1f;
        item.SavingRatio = 0.912f;
        item.OutletTemperature = 79.5f;
        return item;
    }

    project_testing::TProjectEnvironment environment_;
};

TEST_F(ItemRtfTest, PipeRows) {
    const std::string expected =
        Title(R"(Pipe \{A\}\\1)") +
        H3 + R"({\b ID_ITEMRTF48}\par )" + CRLF +
        H1 + R"({\b ID_ITEMRTF1:}\par ID_ITEMRTF2:\tab 82.5\tab mm\par )" + CRLF +
        H1 + R"(ID_ITEMRTF3:\tab 88.9\tab mm\par )" + CRLF +
        H1 + R"(ID_ITEMRTF4:\tab 12.5\tab m\par )" + CRLF +
        H1 + R"(ID_ITEMRTF22:\tab  0.4\tab W/mK\par )" + CRLF +
        MediumName("Water") +
        H1 + R"(ID_ITEMRTF24:\tab 80.0\tab )" + DEG + R"(C\tab )" + R"(\par )" +
        R"(\pard\plain \s32\sb72\f4\fs20\lang1038\tqr\tx3600\tx3672\tx5040\tqr\tx8640\tx8712 ID_ITEMRTF32:\tab 1500\tab )" +
        "IDS_VOLUMEDIMENSIONS+0" + R"(\tab ID_ITEMRTF33:\tab 0.0789\tab m/s\par )" + CRLF +
        Mode("IDS_INSIDEALPHAMODES+0") + Alpha("1235") +
        H2 + R"({\b ID_ITEMRTF36:}\par\sb0 ID_ITEMRTF24:\tab 20.0\tab )" + DEG + R"(C\tab )" +
        R"(ID_ITEMRTF25:\tab 50\tab %\par )" + CRLF +
        H1 + R"(ID_ITEMRTF38:\tab 0.900\par )" + CRLF +
        Mode("IDS_OUTSIDEALPHAMODES+1") + Alpha("9.87") +
        Insulation("Wool", "0.0412") +
        H1 + R"(ID_ITEMRTF41:\tab 50.0\tab mm\par \sb180 {\b ID_ITEMRTF42:}\par )" + CRLF +
        H1 + R"(ID_ITEMRTF44:\tab 0.3456\tab W/mK\par )" + CRLF +
        H1 + R"({ID_ITEMRTF45:\tab 79.8\tab )" + DEG + R"(C\tab )" + R"(}\par )" +
        H1 + R"({ID_ITEMRTF47:\tab 24.3\tab )" + DEG + R"(C\tab )" +
        R"(ID_ITEMRTF46:\tab 9.3\tab )" + DEG + R"(C}\par )" + CRLF +
        H1 + R"(ID_ITEMRTF55:\tab 21.37\tab W/m\tab )" + R"(ID_ITEMRTF56:\tab 0.2671\tab kW\par )" + CRLF +
        R"(ID_ITEMRTF66:\tab 91\tab %\par )" + CRLF +
        H1 + R"(ID_ITEMRTF57:\tab 79.5\tab )" + DEG + R"(C\tab )" + R"(\par )" +
        Result(R"(Wool 50 mm \{ok\})") + kClauses;
    EXPECT_EQ(ItemRtf(Pipe()), expected);
}

TEST_F(ItemRtfTest, GivenTankRows) {
    AppOptions->ViewMediumData = true;
    TItem item;
    item.Name = "Tank";
    item.CalculationType = CalcMode::Condensation;
    item.Geometry = GeometryType::Tank;
    item.Shape = TankShape::Given;
    item.TankVolume = 12.5f;
    item.TankSurface = 30.25f;
    item.GivenTankSize = 2000;
    item.WallThickness = 6;
    item.WallLambda = 50;
    item.Medium.ItemID = "air";
    item.Medium.Temperature = 30;
    item.Medium.Density = 1.2f;
    item.Medium.SpecificHeat = 1005;
    item.Medium.KinematicViscosity = 1.6e-5f;
    item.Medium.HeatConditionFactor = 0.026f;
    item.Medium.Beta = 0.00341f;
    item.InsideHumidity = 60;
    item.InsideDewPoint = 12;
    item.VolumeFlow = 500;
    item.FlowUnit = 1;
    item.InsideAlphaMode = 1;
    item.InsideAlpha = 3.5f;
    item.AirTemperature = 20;
    item.AirHumidity = 0;
    item.OutsideAlphaMode = 0;
    item.WindSpeed = 3;
    item.WithRadiation = 0;
    item.OutsideAlpha = 12.34f;
    item.Isolation = {"wool", "", 40, 0.04f};
    item.KValue = 0.8765f;
    item.InsideWallTemperature = 5;
    item.SurfaceTemperature = 21.5f;
    item.SpecificLoss = 8.75f;
    item.Loss = 0;
    item.SavingRatio = 0;
    item.OutletTemperature = 29.9f;
    item.Time = 2;

    const std::string expected =
        Title("Tank") +
        H3 + R"({\b ID_ITEMRTF49}\par )" + CRLF +
        H1 + R"({\b ID_ITEMRTF17:}\par ID_ITEMRTF18:\tab 12.50\tab m{\super 3}\par )" + CRLF +
        H1 + R"(ID_ITEMRTF19:\tab 30.25\tab m{\super 2}\par )" + CRLF +
        H1 + R"(ID_ITEMRTF20:\tab 2000\tab mm\par )" + CRLF +
        H1 + R"(ID_ITEMRTF7:\tab 6.0\tab mm\par )" + CRLF +
        H1 + R"(ID_ITEMRTF22:\tab   50\tab W/mK\par )" + CRLF +
        MediumName("Air") +
        H1 + R"(ID_ITEMRTF24:\tab 30.0\tab )" + DEG + R"(C\tab )" + R"(ID_ITEMRTF25:\tab 60\tab %\par )" + CRLF +
        H1 + R"(ID_ITEMRTF26:\tab 1.2\tab kg/m{\super 3}\tab )" + R"(ID_ITEMRTF27:\tab 1.005\tab kJ/kgK\par )" + CRLF +
        H1 + R"(ID_ITEMRTF28:\tab 1.6e-05\tab m{\super 2}/s\tab )" + R"(ID_ITEMRTF22:\tab 0.026\tab W/mK\par )" + CRLF +
        H1 + R"(ID_ITEMRTF30:\tab 0.00341\tab 1/K\tab )" + R"(\par )" +
        R"(\pard\plain \s32\sb72\f4\fs20\lang1038\tqr\tx3600\tx3672\tx5040\tqr\tx8640\tx8712 ID_ITEMRTF32:\tab  500\tab )" +
        "IDS_VOLUMEDIMENSIONS+1" + R"(\par )" +
        Mode("IDS_INSIDEALPHAMODES+1") + Alpha(" 3.5") +
        H2 + R"({\b ID_ITEMRTF36:}\par\sb0 ID_ITEMRTF24:\tab 20.0\tab )" + DEG + R"(C\tab )" + R"(\par )" +
        H1 + R"(ID_ITEMRTF37:\tab 3.0\tab m/s\tab )" + R"(\par )" +
        Mode("IDS_OUTSIDEALPHAMODES+0") + Alpha("12.34") +
        Insulation("Wool", "0.0400") +
        H2 + R"({\b ID_ITEMRTF42:}\par\sb0 ID_ITEMRTF43:\tab 40.0\tab mm\par )" +
        H1 + R"(ID_ITEMRTF44:\tab 0.8765\tab W/m{\super 2}K\par )" + CRLF +
        H1 + R"({\b ID_ITEMRTF45:\tab 5.0\tab )" + DEG + R"(C\tab )" +
        R"(ID_ITEMRTF46:\tab 12.0\tab )" + DEG + R"(C}\par )" + CRLF +
        H1 + R"({ID_ITEMRTF47:\tab 21.5\tab )" + DEG + R"(C\tab )" + R"(}\par )" +
        H1 + R"(ID_ITEMRTF55:\tab 8.75\tab W/m{\super 2}\tab )" + R"(\par )" + R"(\par )" +
        H1 + R"(ID_ITEMRTF57:\tab 29.9\tab )" + DEG + R"(C\tab )" +
        R"(ID_ITEMRTF58:\tab    2\tab ID_ITEMRTF59\par )" + CRLF +
        Result("") + kClauses;
    EXPECT_EQ(ItemRtf(item), expected);
}

class OptimumRtfTest : public ItemRtfTest {
protected:
    static TItem Optimum() {
        TItem item;
        item.Name = "Opt";
        item.CalculationType = CalcMode::Optimum;
        item.Geometry = GeometryType::RoundCanal;
        item.InnerDiameter = 200;
        item.OuterDiameter = 204;
        item.Length = 0;
        item.WallLambda = 58;
        item.Medium.ItemID = "userdefined";
        item.Medium.Temperature = 60;
        item.Medium.Density = 998.2f;
        item.Medium.SpecificHeat = 4182;
        item.Medium.KinematicViscosity = 1.004e-6f;
        item.Medium.HeatConditionFactor = 0.5984f;
        item.Medium.Beta = 0.000207f;
        item.Medium.FreezingPoint = -2;
        item.VolumeFlow = 0;
        item.InsideAlphaMode = 2;
        item.InsideAlpha = 250;
        item.AirTemperature = -5;
        item.AirHumidity = 80;
        item.OutsideAlphaMode = 2;
        item.OutsideAlpha = 25;
        item.Isolation = {"wool", "Optimum: 60 mm", 60, 0.035f};
        item.ConstructionPrice = 12.5f;
        item.ConstructionPricePerM2 = 1;
        item.EnergyPrice = 0.05f;
        item.Years = 10;
        return item;
    }

    static std::string CommonRows() {
        return Title("Opt") +
               H3 + R"({\b ID_ITEMRTF54}\par )" + CRLF +
               H1 + R"({\b ID_ITEMRTF21:}\par ID_ITEMRTF2:\tab 200.0\tab mm\par )" + CRLF +
               H1 + R"(ID_ITEMRTF3:\tab 204.0\tab mm\par )" + CRLF +
               H1 + R"(ID_ITEMRTF22:\tab   58\tab W/mK\par )" + CRLF +
               MediumName("IDS_USERDEFINED") +
               H1 + R"(ID_ITEMRTF24:\tab 60.0\tab )" + DEG + R"(C\tab )" + R"(\par )" +
               H1 + R"(ID_ITEMRTF26:\tab 998.2\tab kg/m{\super 3}\tab )" +
               R"(ID_ITEMRTF27:\tab 4.182\tab kJ/kgK\par )" + CRLF +
               H1 + R"(ID_ITEMRTF28:\tab 1.004e-06\tab m{\super 2}/s\tab )" +
               R"(ID_ITEMRTF22:\tab 0.5984\tab W/mK\par )" + CRLF +
               H1 + R"(ID_ITEMRTF30:\tab 0.000207\tab 1/K\tab )" +
               R"(ID_ITEMRTF31:\tab -2\tab )" + DEG + R"(C\par )" + CRLF +
               Mode("IDS_INSIDEALPHAMODES+2") + Alpha(" 250") +
               H2 + R"({\b ID_ITEMRTF36:}\par\sb0 ID_ITEMRTF24:\tab -5.0\tab )" + DEG + R"(C\tab )" +
               R"(ID_ITEMRTF25:\tab 80\tab %\par )" + CRLF +
               Mode("IDS_OUTSIDEALPHAMODES+2") + Alpha("  25") +
               Insulation("Wool", "0.0350");
    }
};

TEST_F(OptimumRtfTest, WithAPriceList) {
    environment_.SetPriceList("EUR");
    const std::string expected =
        CommonRows() +
        "IDS_ITEMRTFTITLE+58" +
        H1 + R"(ID_ITEMRTF61:\tab 12.5\tab )" + R"(EUR/m{\super 2}\par )" + CRLF +
        H1 + R"(ID_ITEMRTF62:\tab 0.05\tab )" + R"(EUR/kWh\tab )" +
        R"(ID_ITEMRTF63:\tab   10 * )" + R"( 365 * )" + R"(  24\tab ID_ITEMRTF59\par )" + CRLF +
        H1 + R"(ID_ITEMRTF64:\tab 60.0\tab mm\par )" + CRLF +
        Result("Optimum: 60 mm") + kClauses;
    EXPECT_EQ(ItemRtf(Optimum()), expected);

    // A price per metre, and none at all.
    TItem perMetre = Optimum();
    perMetre.ConstructionPricePerM2 = 0;
    EXPECT_NE(ItemRtf(perMetre).find(R"(\tab 12.5\tab EUR/m\par )" + CRLF), std::string::npos);
    TItem noConstruction = Optimum();
    noConstruction.ConstructionPrice = 0;
    EXPECT_EQ(ItemRtf(noConstruction).find("ID_ITEMRTF61"), std::string::npos);
}

TEST_F(OptimumRtfTest, WithoutAPriceList) {
    EXPECT_EQ(ItemRtf(Optimum()), CommonRows() + Result("Optimum: 60 mm") + kClauses);
}

TEST_F(ItemRtfTest, NumbersUseAPointUnderACommaLocale) {
    const std::string expected = ItemRtf(Pipe());
    const testing_support::ScopedCommaLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no comma-decimal locale installed";
    const char separator = DecimalSeparator();
    SetDecimalSeparator(',');
    const std::string underComma = ItemRtf(Pipe());
    SetDecimalSeparator(separator);
    EXPECT_EQ(underComma, expected);
    EXPECT_NE(underComma.find("\\tab 82.5\\tab mm"), std::string::npos);
}

// Rows that depend on one condition, by the labels that only they carry.
TEST_F(ItemRtfTest, ConditionalRows) {
    const auto has = [](const std::string& rtf, const std::string& label) { return rtf.find(label) != std::string::npos; };
    {
        TItem item = Pipe();
        item.Length = 0;
        EXPECT_FALSE(has(ItemRtf(item), "ID_ITEMRTF4:"));
    }
    {
        TItem item = Pipe();
        item.Geometry = GeometryType::SquareCanal;
        const std::string rtf = ItemRtf(item);
        for (const char* label : {"ID_ITEMRTF5:", "ID_ITEMRTF7:", "ID_ITEMRTF4:",
                                  "ID_ITEMRTF44:\\tab 0.3456\\tab W/m{\\super 2}K",
                                  "ID_ITEMRTF55:\\tab 21.37\\tab W/m{\\super 2}\\tab "})
            EXPECT_TRUE(has(rtf, label)) << label;
        EXPECT_FALSE(has(rtf, "ID_ITEMRTF1:"));
    }
    {
        TItem item = Pipe();
        item.Geometry = GeometryType::Tank;
        item.StandingCylinder = 1;
        std::string rtf = ItemRtf(item);
        EXPECT_TRUE(has(rtf, "ID_ITEMRTF8:"));
        EXPECT_TRUE(has(rtf, "ID_ITEMRTF11:"));
        EXPECT_TRUE(has(rtf, "ID_ITEMRTF18:"));  // the volume row
        EXPECT_FALSE(has(rtf, "ID_ITEMRTF4:"));  // a tank has no length
        EXPECT_FALSE(has(rtf, "ID_ITEMRTF33:"));  // nor a velocity
        item.StandingCylinder = 0;
        rtf = ItemRtf(item);
        EXPECT_TRUE(has(rtf, "ID_ITEMRTF10:"));
        EXPECT_FALSE(has(rtf, "ID_ITEMRTF8:"));
        item.Shape = TankShape::Sphere;
        EXPECT_TRUE(has(ItemRtf(item), "ID_ITEMRTF12:"));
        item.Shape = TankShape::Box;
        rtf = ItemRtf(item);
        for (const char* label : {"ID_ITEMRTF14:", "ID_ITEMRTF16:", "ID_ITEMRTF18:", "ID_ITEMRTF19:", "ID_ITEMRTF7:"})
            EXPECT_TRUE(has(rtf, label)) << label;
    }
    {
        TItem item = Pipe();
        item.SurfaceTemperature = 5;  // below the air's dew point: bold
        EXPECT_TRUE(has(ItemRtf(item), H1 + R"({\b ID_ITEMRTF47:\tab 5.0\tab )"));
    }
    {
        TItem item = Pipe();
        item.Medium.ItemID = "air";
        item.InsideHumidity = 0;
        EXPECT_TRUE(has(ItemRtf(item), R"({ID_ITEMRTF45:\tab 79.8\tab )" + DEG + R"(C\tab }\par )"));
    }
    {
        AppOptions->ViewMediumData = true;
        EXPECT_TRUE(has(ItemRtf(Pipe()), "ID_ITEMRTF31:"));  // a freezing point for a medium other than air
        AppOptions->ViewMediumData = false;
    }
    {
        TItem item = Pipe();
        item.CalculationType = static_cast<CalcMode>(9);  // from a damaged or newer file
        const std::string rtf = ItemRtf(item);
        EXPECT_EQ(rtf.find(H3), std::string::npos);
        EXPECT_TRUE(has(rtf, "ID_ITEMRTF43:"));  // rows of a searched thickness
    }
}

// Depth of the RTF groups: never below zero, and where it ends. Escaped
// characters are text.
int GroupDepth(const std::string& rtf) {
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}' && --depth < 0) {
            return -1;
        }
    }
    return depth;
}

// Every branch of the rows closes what it opens, so the clipboard copy is
// whole once the language's end text closes the prologue's group.
TEST_F(ItemRtfTest, EveryVariantClosesItsGroups) {
    environment_.SetPrintText("IDS_RTFEND", "}");
    int variants = 0;
    for (const bool prices : {false, true}) {
        if (prices) environment_.SetPriceList("{EUR}");
        for (int shape = -1; shape < 4; ++shape) {
            for (int type = 0; type < 7; ++type) {
                for (int medium = 0; medium < 3; ++medium) {
                    for (int outside = 0; outside < 6; ++outside) {
                        TItem item = Pipe();
                        item.Isolation.ResultText = "} {\\";
                        if (shape >= 0) {
                            item.Geometry = GeometryType::Tank;
                            item.Shape = static_cast<TankShape>(shape);
                        }
                        item.CalculationType = static_cast<CalcMode>(type);
                        item.Medium.ItemID = medium == 0 ? "water" : "air";
                        item.InsideHumidity = medium == 2 ? 60.0f : 0.0f;
                        item.InsideDewPoint = 90;  // above the wall: bold
                        item.AirHumidity = outside % 2 == 0 ? 0.0f : 50.0f;
                        item.SurfaceTemperature = outside < 2 ? 5.0f : 24.3f;
                        item.OutsideAlphaMode = static_cast<std::int16_t>(outside / 2);
                        item.WithRadiation = static_cast<std::int16_t>(outside % 2);
                        item.VolumeFlow = outside < 3 ? 0.0f : 1500.0f;
                        item.ConstructionPrice = outside < 3 ? 0.0f : 12.5f;

                        TClipboardStream clipboard;
                        clipboard.BeginRTF("ItemRTFHeader");
                        item.WriteRtf(clipboard.RtfStream);
                        const std::string rows =
                            clipboard.RtfStream.DataString().substr(FindRtfHeaderResource("ItemRTFHeader").size());
                        ASSERT_EQ(GroupDepth(rows), 0) << rows;
                        clipboard.CopyToClipboard(0);
                        std::string copy;
                        ASSERT_TRUE(environment_.Clipboard().GetBlock(RegisterClipboardFormat("Rich Text Format"), copy));
                        ASSERT_EQ(GroupDepth(copy), 0);
                        ++variants;
                    }
                }
            }
        }
    }
    EXPECT_EQ(variants, 2 * 5 * 7 * 3 * 6);
}

}  // namespace
