// The item as a value: defaults, copies, predicates, the input check, the
// medium's properties and the stream record.

#include "calc/Item.h"

#include "calc/CalcEnvironment.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "platform/base/Exception.h"
#include "platform/base/MemoryStream.h"
#include "support/DataBuilders.h"
#include "support/StreamBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace {

using calc_testing::KeyText;
using calc_testing::TCalcEnvironment;
using testing_support::FillStream;
using testing_support::FloatBytes;
using testing_support::Int16Bytes;
using testing_support::ReadRecord;
using testing_support::RecordBytes;

// --- record helpers ---------------------------------------------------------

std::string Zeros(std::size_t count) { return std::string(count, '\0'); }

std::string StringBytes(const std::string& text) {
    return Int16Bytes(static_cast<std::int16_t>(text.size() + 1)) + text + '\0';
}

// Byte offsets in the record of an item with empty name and comment.
constexpr std::size_t kTankGroupOffset = 54;
constexpr std::size_t kPointCountOffset = 256;  // with medium "water"

// An item with every field away from its default, 8-bit texts included.
TItem EveryFieldSet() {
    TItem item;
    item.Name = "T\xE9li vezet\xE9k \xF5\xFB";  // Windows-1250 accents
    item.Comment = "line 1\r\nline 2";
    item.CalculationType = CalcMode::Optimum;
    item.Geometry = GeometryType::SquareCanal;
    item.InnerDiameter = 1.5f;
    item.OuterDiameter = 2.5f;
    item.SideA = 3.5f;
    item.SideB = 4.5f;
    item.Shape = TankShape::Box;
    item.CylinderLength = 5.5f;
    item.CylinderDiameter = 6.5f;
    item.StandingCylinder = 1;
    item.BoxA = 7.5f;
    item.BoxB = 8.5f;
    item.BoxHeight = 9.5f;
    item.SphereRadius = 10.5f;
    item.GivenTankSize = 11.5f;
    item.TankVolume = 12.5f;
    item.TankSurface = 13.5f;
    item.CharacteristicLength = 14.5f;
    item.WallThickness = 15.5f;
    item.Length = 16.5f;
    item.Perimeter = 17.5f;
    item.WallLambda = 18.5f;
    item.Medium.ItemID = "userdefined";
    item.Medium.Temperature = 19.5f;
    item.Medium.Density = 20.5f;
    item.Medium.SpecificHeat = 21.5f;
    item.Medium.KinematicViscosity = 22.5f;
    item.Medium.HeatConditionFactor = 23.5f;
    item.Medium.Beta = 24.5f;
    item.Medium.FreezingPoint = 25.5f;
    item.InsideHumidity = 26.5f;
    item.InsideDewPoint = 27.5f;
    item.InsideAlphaMode = 2;
    item.VolumeGiven = 0;
    item.VolumeFlow = 28.5f;
    item.FlowUnit = 2;
    item.InsideAlpha = 29.5f;
    item.MassFlow = 30.5f;
    item.Velocity = 31.5f;
    item.InsideWallTemperature = 32.5f;
    item.OutletTemperature = 33.5f;
    item.MediumPrandtl = 34.5f;
    item.WallPrandtl = 35.5f;
    item.AirTemperature = 36.5f;
    item.AirHumidity = 37.5f;
    item.AirDewPoint = 38.5f;
    item.OutsideAlphaMode = 0;
    item.WindSpeed = 39.5f;
    item.WithRadiation = 0;
    item.EmissionFactor = 40.5f;
    item.OutsideAlpha = 41.5f;
    item.SurfaceTemperature = 42.5f;
    item.Isolation.IsolationID = "wool";
    item.Isolation.ResultText = "Javasolt: \x8A\x9A";
    item.Isolation.Thickness = 43.5f;
    item.Isolation.IsolationLambda = 44.5f;
    item.KValue = 45.5f;
    item.SpecificLoss = 46.5f;
    item.Loss = 47.5f;
    item.SavingRatio = 0.25f;
    item.TargetValue = 48.5f;
    item.Time = 49.5f;
    item.ConstructionPrice = 50.5f;
    item.ConstructionPricePerM2 = 1;
    item.EnergyPrice = 51.5f;
    item.Years = 52.5f;
    item.DaysPerYear = 53.5f;
    item.HoursPerDay = 54.5f;
    item.PriceDiagram = {{0, 0, 2350}, {20, 29, 476}, {30, 42, 359}};
    return item;
}

// --- defaults and values ---------------------------------------------------

TEST(Item, DefaultsFollowTheTable) {
    const TItem item;  // no data base: the medium's properties stay 0
    EXPECT_EQ(item.CalculationType, CalcMode::GivedThickness);
    EXPECT_EQ(item.Geometry, GeometryType::Tube);
    EXPECT_EQ(item.Shape, TankShape::Cylinder);
    EXPECT_EQ(item.Medium.ItemID, "water");
    EXPECT_EQ(item.Medium.Temperature, 20);
    EXPECT_EQ(item.Medium.Density, 0);
    EXPECT_EQ(item.VolumeGiven, 1);
    EXPECT_EQ(item.InsideWallTemperature, 20);
    EXPECT_EQ(item.AirTemperature, 20);
    EXPECT_EQ(item.AirHumidity, 50);
    EXPECT_EQ(item.OutsideAlphaMode, 1);
    EXPECT_EQ(item.WindSpeed, 5);
    EXPECT_EQ(item.WithRadiation, 1);
    EXPECT_EQ(item.EmissionFactor, 0.8f);
    EXPECT_EQ(item.SavingRatio, 0.8f);
    EXPECT_EQ(item.DaysPerYear, 365);
    EXPECT_EQ(item.HoursPerDay, 24);
    EXPECT_TRUE(item.Isolation.IsolationID.empty());
    EXPECT_TRUE(item.PriceDiagram.empty());
    EXPECT_EQ(TPriceDiagramItem(), TPriceDiagramItem(0, 0, 0));
}

TEST(Item, CopiesAreIndependent) {
    TItem original = EveryFieldSet();
    TItem copy = original;
    EXPECT_EQ(copy, original);
    copy.PriceDiagram.push_back({100, 1, 2});
    copy.Isolation.ResultText += "x";
    copy.Medium.ItemID = "air";
    EXPECT_EQ(original.PriceDiagram.size(), 3u);
    EXPECT_EQ(original.Isolation.ResultText, "Javasolt: \x8A\x9A");
    EXPECT_EQ(original.Medium.ItemID, "userdefined");
    TItem assigned;
    assigned = original;
    EXPECT_EQ(assigned, original);
}

TEST(Item, Predicates) {
    struct Row {
        GeometryType geometry;
        CalcMode type;
        bool linear, flowMode, naturalMode;
    };
    const Row rows[] = {
        {GeometryType::Tube, CalcMode::GivedThickness, true, true, true},
        {GeometryType::Tube, CalcMode::Frost, true, false, true},
        {GeometryType::RoundCanal, CalcMode::Condensation, true, true, false},
        {GeometryType::SquareCanal, CalcMode::Frost, true, false, false},
        {GeometryType::Tank, CalcMode::GivedThickness, false, false, true},
        {GeometryType::Tank, CalcMode::Optimum, false, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.geometry) * 10 + static_cast<int>(row.type));
        TItem item;
        item.Geometry = row.geometry;
        item.CalculationType = row.type;
        EXPECT_EQ(item.IsLinear(), row.linear);
        EXPECT_EQ(item.FlowAlphaModeAllowed(), row.flowMode);
        EXPECT_EQ(item.NaturalAlphaModeAllowed(), row.naturalMode);
        EXPECT_EQ(item.IsOptimum(), row.type == CalcMode::Optimum);
    }
    EXPECT_TRUE(IsAirMedium("air"));
    EXPECT_FALSE(IsAirMedium("Air"));
    EXPECT_FALSE(IsAirMedium("AIR"));
    EXPECT_FALSE(IsAirMedium("air "));
}

// --- input check -------------------------------------------------------------

TEST(Item, ValidateAsATable) {
    TCalcEnvironment environment;
    struct Row {
        const char* name;
        GeometryType geometry;
        CalcMode type;
        float length;
        std::int16_t volumeGiven;
        float volumeFlow, velocity, time;
        const char* error;  // null: no error
    };
    const Row rows[] = {
        {"pipe type 4 without length", GeometryType::Tube, CalcMode::GivedTempDiff, 0, 1, 100, 0, 0,
         "IDS_NEEDLENGTH"},
        {"pipe type 5 without length", GeometryType::Tube, CalcMode::Frost, 0, 1, 100, 0, 0, "IDS_NEEDLENGTH"},
        {"duct type 6 without length", GeometryType::SquareCanal, CalcMode::Optimum, -1, 1, 100, 0, 0,
         "IDS_NEEDLENGTH"},
        {"pipe type 0 without length", GeometryType::Tube, CalcMode::GivedThickness, 0, 1, 0, 0, 0, nullptr},
        {"pipe type 3 without length", GeometryType::RoundCanal, CalcMode::GivedPower, 0, 1, 0, 0, 0, nullptr},
        {"frost pipe, velocity 0, no time", GeometryType::Tube, CalcMode::Frost, 10, 0, 100, 0, 0,
         "IDS_NEEDVOLUMEORTIME"},
        {"frost pipe, volume 0, no time", GeometryType::Tube, CalcMode::Frost, 10, 1, 0, 5, 0,
         "IDS_NEEDVOLUMEORTIME"},
        {"frost pipe, volume 0, with time", GeometryType::Tube, CalcMode::Frost, 10, 1, 0, 0, 2, nullptr},
        {"frost pipe with velocity", GeometryType::Tube, CalcMode::Frost, 10, 0, 0, 0.5f, 0, nullptr},
        {"type 4 pipe without flow", GeometryType::Tube, CalcMode::GivedTempDiff, 10, 1, 0, 0, 0, nullptr},
        {"tank type 4 without flow or time", GeometryType::Tank, CalcMode::GivedTempDiff, 0, 1, 0, 0, 0,
         "IDS_NEEDVOLUMEORTIME"},
        {"tank type 5 without flow or time", GeometryType::Tank, CalcMode::Frost, 0, 1, 0, 0, 0,
         "IDS_NEEDVOLUMEORTIME"},
        {"tank type 5 with time", GeometryType::Tank, CalcMode::Frost, 0, 1, 0, 0, 1, nullptr},
        {"tank type 6 without length", GeometryType::Tank, CalcMode::Optimum, 0, 1, 0, 0, 0, nullptr},
        {"tank type 3 without flow", GeometryType::Tank, CalcMode::GivedPower, 0, 1, 0, 0, 0, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TItem item;
        item.Geometry = row.geometry;
        item.CalculationType = row.type;
        item.Length = row.length;
        item.VolumeGiven = row.volumeGiven;
        item.VolumeFlow = row.volumeFlow;
        item.Velocity = row.velocity;
        item.Time = row.time;
        const TItem before = item;
        std::optional<std::string> message;
        try {
            item.Validate();
        } catch (const Exception& error) {
            message = error.Message();
        }
        if (row.error) {
            EXPECT_EQ(message, KeyText(row.error));
        } else {
            EXPECT_FALSE(message.has_value());
        }
        EXPECT_EQ(item, before);
    }
}

// --- medium -------------------------------------------------------------------

TEST(Medium, FetchesPropertiesAtItsTemperature) {
    TCalcEnvironment environment;
    TMedium medium;  // "water" at 20
    // rho 1006 - 0.3 * 20 = 1000; nu 1.2e-6 - 1e-8 * 20 = 1.0e-6;
    // lambda 0.57 + 0.0015 * 20 = 0.6; beta 1e-4 + 4e-6 * 20 = 1.8e-4.
    EXPECT_FLOAT_EQ(medium.Density, 1000);
    EXPECT_FLOAT_EQ(medium.SpecificHeat, 4190);
    EXPECT_FLOAT_EQ(medium.KinematicViscosity, 1.0e-6f);
    EXPECT_FLOAT_EQ(medium.HeatConditionFactor, 0.6f);
    EXPECT_FLOAT_EQ(medium.Beta, 1.8e-4f);
    EXPECT_EQ(medium.FreezingPoint, 0);
    // Pr = 1e-6 * 1000 * 4190 / 0.6 = 6.98333
    EXPECT_NEAR(medium.Prandtl(), 6.983333, 1e-5);

    medium.Temperature = 80;
    medium.FetchProperties();
    EXPECT_FLOAT_EQ(medium.Density, 982);         // 1006 - 24
    EXPECT_FLOAT_EQ(medium.HeatConditionFactor, 0.69f);  // 0.57 + 0.12

    // Points: the quadratic through (0, 1.3e-5), (50, 1.8e-5), (100, 2.3e-5)
    // is the line 1.3e-5 + 1e-7 t; at 20: 1.5e-5. No "to" curve: 0.
    medium.ItemID = "air";
    medium.Temperature = 20;
    medium.FreezingPoint = 7;
    medium.FetchProperties();
    EXPECT_NEAR(medium.KinematicViscosity, 1.5e-5, 1e-11);
    EXPECT_EQ(medium.FreezingPoint, 0);
}

TEST(Medium, UserDefinedAndUnknownMediaKeepTheirValues) {
    TCalcEnvironment environment;
    TMedium medium;
    medium.ItemID = "userdefined";
    medium.Density = 123;
    medium.HeatConditionFactor = 0.5f;
    medium.FetchProperties();
    EXPECT_EQ(medium.Density, 123);
    EXPECT_EQ(medium.HeatConditionFactor, 0.5f);

    medium.ItemID = "Water";  // ids compare with case
    medium.FetchProperties();
    EXPECT_EQ(medium.Density, 123);
}

TEST(Medium, ValueAtAMissingCharacteristicIsZero) {
    TMediumDBItem record;
    record.Functions = {testing_support::Polinom("ro", {2, 3, 4})};
    EXPECT_DOUBLE_EQ(MediumValueAt(record, "ro", 10), 234);  // 2*100 + 3*10 + 4
    EXPECT_EQ(MediumValueAt(record, "RO", 10), 0);
    EXPECT_EQ(MediumValueAt(record, "C", 10), 0);
}

TEST(Insulation, LambdaAndTubeShell) {
    TIsolation quad;
    quad.c2 = 1e-6f;
    quad.c1 = 1e-4f;
    quad.c0 = 0.03f;
    // 40 (1e-6 * 40 + 1e-4) + 0.03 = 40 * 1.4e-4 + 0.03 = 0.0356
    EXPECT_FLOAT_EQ(IsolationLambdaAt(quad, 40), 0.0356f);
    EXPECT_FLOAT_EQ(IsolationLambdaAt(quad, 0), 0.03f);
    EXPECT_FALSE(IsTubeShell(quad));
    quad.TubeShell = 1;
    EXPECT_TRUE(IsTubeShell(quad));
}

// --- stream record ------------------------------------------------------------

TEST(ItemRecord, DefaultItemGoldenBytes) {
    const TItem item;  // no media data base: properties 0
    const std::string expected =
        StringBytes("") + StringBytes("")      // Name, Comment
        + Int16Bytes(0) + Int16Bytes(0)        // CalculationType, Geometry
        + Zeros(16)                            // InnerDiameter .. SideB
        + Int16Bytes(0)                        // Shape
        + Zeros(8) + Int16Bytes(0)             // CylinderLength, CylinderDiameter, StandingCylinder
        + Zeros(16)                            // BoxA .. SphereRadius
        + Zeros(12)                            // TankVolume, TankSurface, GivenTankSize
        + Zeros(20)                            // CharacteristicLength .. WallLambda
        + StringBytes("water") + FloatBytes(20) + Zeros(24)  // medium
        + Zeros(8)                             // InsideHumidity, InsideDewPoint
        + Int16Bytes(0) + Int16Bytes(1)        // InsideAlphaMode, VolumeGiven
        + Zeros(4) + Int16Bytes(0)             // VolumeFlow, FlowUnit
        + Zeros(12) + FloatBytes(20)           // InsideAlpha, MassFlow, Velocity, InsideWallTemperature
        + Zeros(12) + FloatBytes(20)           // OutletTemperature, MediumPrandtl, WallPrandtl, AirTemperature
        + FloatBytes(50) + Zeros(4)            // AirHumidity, AirDewPoint
        + Int16Bytes(1) + FloatBytes(5) + Int16Bytes(1)  // OutsideAlphaMode, WindSpeed, WithRadiation
        + FloatBytes(0.8f) + Zeros(8)          // EmissionFactor, OutsideAlpha, SurfaceTemperature
        + StringBytes("") + StringBytes("")    // IsolationID, ResultText
        + Zeros(20)                            // Thickness .. Loss
        + Zeros(12) + Int16Bytes(0)            // TargetValue, Time, ConstructionPrice, ConstructionPricePerM2
        + Zeros(8) + FloatBytes(365) + FloatBytes(24)  // EnergyPrice, Years, DaysPerYear, HoursPerDay
        + Int16Bytes(0)                        // no points
        + FloatBytes(0.8f);                    // SavingRatio
    ASSERT_EQ(expected.size(), 262u);
    const std::string bytes = RecordBytes(item);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x01\x00\x00\x01\x00\x00", 6));

    std::int64_t end = 0;
    EXPECT_EQ(ReadRecord<TItem>(bytes, 257, &end), item);
    EXPECT_EQ(end, 262);
    // A version-256 record is the same without the saving ratio: 258 bytes.
    EXPECT_EQ(ReadRecord<TItem>(bytes.substr(0, 258), 256, &end), item);
    EXPECT_EQ(end, 258);
}

TEST(ItemRecord, TankGroupIsVolumeSurfaceSize) {
    TItem item;
    item.GivenTankSize = 3;
    item.TankVolume = 1;
    item.TankSurface = 2;
    const std::string bytes = RecordBytes(item);
    EXPECT_EQ(bytes.substr(kTankGroupOffset, 12), FloatBytes(1) + FloatBytes(2) + FloatBytes(3));
}

TEST(ItemRecord, RoundTripOfEveryField) {
    const TItem item = EveryFieldSet();
    const std::string bytes = RecordBytes(item);
    EXPECT_EQ(bytes.size(), 262 + item.Name.size() + item.Comment.size() + 6 /* "userdefined" vs "water" */ +
                                item.Isolation.IsolationID.size() + item.Isolation.ResultText.size() + 3 * 12);
    EXPECT_EQ(ReadRecord<TItem>(bytes, 257), item);
    // Read appends the stored points.
    TMemoryStream stream;
    FillStream(stream, bytes);
    TItem target;
    target.PriceDiagram = {{1, 1, 1}};
    target.Read(stream, 257);
    ASSERT_EQ(target.PriceDiagram.size(), 4u);
    EXPECT_EQ(target.PriceDiagram[1], TPriceDiagramItem(0, 0, 2350));
}

TEST(ItemRecord, Version256LeavesTheSavingRatio) {
    const std::string bytes = RecordBytes(EveryFieldSet());  // saving ratio 0.25 last
    std::int64_t end = 0;
    const TItem item = ReadRecord<TItem>(bytes, 256, &end);
    EXPECT_EQ(item.SavingRatio, 0.8f);
    EXPECT_EQ(end, static_cast<std::int64_t>(bytes.size()) - 4);
    EXPECT_EQ(ReadRecord<TItem>(bytes, 257).SavingRatio, 0.25f);
    EXPECT_EQ(ReadRecord<TItem>(bytes, 300).SavingRatio, 0.25f);
}

TEST(ItemRecord, EveryTruncationKeepsDefaultsBeyondTheEnd) {
    const TItem full = EveryFieldSet();
    const std::string bytes = RecordBytes(full);
    const std::size_t pointsStart = bytes.size() - 4 - 3 * 12;
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
        SCOPED_TRACE(length);
        std::int64_t end = 0;
        const TItem item = ReadRecord<TItem>(bytes.substr(0, length), 257, &end);
        EXPECT_LE(end, static_cast<std::int64_t>(length));
        const std::size_t points = length < pointsStart ? 0 : (length - pointsStart) / 12;
        EXPECT_EQ(item.PriceDiagram.size(), std::min<std::size_t>(points, 3));
        if (length + 4 <= bytes.size()) {
            EXPECT_EQ(item.SavingRatio, 0.8f);
        }
        if (length < 2) {
            EXPECT_EQ(item, TItem());
        }
    }
    EXPECT_EQ(ReadRecord<TItem>(bytes, 257), full);
}

TEST(ItemRecord, DamagedPointCounts) {
    TItem item;
    item.PriceDiagram = {{20, 29, 476}, {30, 42, 359}};
    item.SavingRatio = 0.5f;
    std::string bytes = RecordBytes(item);
    ASSERT_EQ(bytes.substr(kPointCountOffset, 2), Int16Bytes(2));

    // A negative count is no points; what follows is read as the saving ratio.
    std::string negative = bytes;
    negative.replace(kPointCountOffset, 2, Int16Bytes(-1));
    TItem read = ReadRecord<TItem>(negative, 257);
    EXPECT_TRUE(read.PriceDiagram.empty());
    EXPECT_EQ(read.SavingRatio, 20.0f);  // the first point's thickness

    // A count beyond the data stops at the end of the stream; the saving
    // ratio would lie beyond the missing points, so it keeps its default.
    std::string huge = bytes;
    huge.replace(kPointCountOffset, 2, Int16Bytes(32767));
    read = ReadRecord<TItem>(huge, 257);
    EXPECT_EQ(read.PriceDiagram, item.PriceDiagram);
    EXPECT_EQ(read.SavingRatio, 0.8f);
}

}  // namespace
