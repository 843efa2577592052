// The item record: every field of the item in a fixed order, little-endian.
//
//   Name, Comment                    string, string
//   CalculationType, Geometry        int16, int16
//   InnerDiameter .. SideB           4 float
//   Shape                            int16
//   CylinderLength, CylinderDiameter 2 float
//   StandingCylinder                 int16
//   BoxA .. SphereRadius             4 float
//   TankVolume, TankSurface, GivenTankSize   3 float (not declaration order)
//   CharacteristicLength .. WallLambda       5 float
//   Medium: ItemID string, Temperature .. FreezingPoint 7 float
//   InsideHumidity, InsideDewPoint   2 float
//   InsideAlphaMode, VolumeGiven     2 int16
//   VolumeFlow                       float
//   FlowUnit                         int16
//   InsideAlpha .. AirDewPoint       10 float
//   OutsideAlphaMode                 int16
//   WindSpeed                        float
//   WithRadiation                    int16
//   EmissionFactor, OutsideAlpha, SurfaceTemperature   3 float
//   IsolationID, ResultText          2 string
//   Thickness .. Loss                5 float
//   TargetValue, Time, ConstructionPrice   3 float
//   ConstructionPricePerM2           int16
//   EnergyPrice .. HoursPerDay       4 float
//   point count n                    int16
//   n points                         3 float each
//   SavingRatio                      float, read from version 257 on

#include "calc/Item.h"

#include "platform/base/Classes.h"
#include "project/StreamPrimitives.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

constexpr int kSavingRatioVersion = 257;
constexpr std::int64_t kPointBytes = 12;

template <class Enum>
void ReadEnum(TStream& stream, Enum& value) {
    auto raw = static_cast<std::int16_t>(value);
    ReadInt16(stream, raw);
    value = static_cast<Enum>(raw);
}

template <class Enum>
void WriteEnum(TStream& stream, Enum value) {
    WriteInt16(stream, static_cast<std::int16_t>(value));
}

}  // namespace

void TItem::Write(TStream& stream) const {
    WriteString(stream, Name);
    WriteString(stream, Comment);
    WriteEnum(stream, CalculationType);
    WriteEnum(stream, Geometry);
    for (float value : {InnerDiameter, OuterDiameter, SideA, SideB})
        WriteFloat32(stream, value);
    WriteEnum(stream, Shape);
    WriteFloat32(stream, CylinderLength);
    WriteFloat32(stream, CylinderDiameter);
    WriteInt16(stream, StandingCylinder);
    for (float value : {BoxA, BoxB, BoxHeight, SphereRadius, TankVolume, TankSurface, GivenTankSize,
                        CharacteristicLength, WallThickness, Length, Perimeter, WallLambda})
        WriteFloat32(stream, value);
    WriteString(stream, Medium.ItemID);
    for (float value : {Medium.Temperature, Medium.Density, Medium.SpecificHeat, Medium.KinematicViscosity,
                        Medium.HeatConditionFactor, Medium.Beta, Medium.FreezingPoint, InsideHumidity,
                        InsideDewPoint})
        WriteFloat32(stream, value);
    WriteInt16(stream, InsideAlphaMode);
    WriteInt16(stream, VolumeGiven);
    WriteFloat32(stream, VolumeFlow);
    WriteInt16(stream, FlowUnit);
    for (float value : {InsideAlpha, MassFlow, Velocity, InsideWallTemperature, OutletTemperature, MediumPrandtl,
                        WallPrandtl, AirTemperature, AirHumidity, AirDewPoint})
        WriteFloat32(stream, value);
    WriteInt16(stream, OutsideAlphaMode);
    WriteFloat32(stream, WindSpeed);
    WriteInt16(stream, WithRadiation);
    for (float value : {EmissionFactor, OutsideAlpha, SurfaceTemperature})
        WriteFloat32(stream, value);
    WriteString(stream, Isolation.IsolationID);
    WriteString(stream, Isolation.ResultText);
    for (float value : {Isolation.Thickness, Isolation.IsolationLambda, KValue, SpecificLoss, Loss, TargetValue, Time,
                        ConstructionPrice})
        WriteFloat32(stream, value);
    WriteInt16(stream, ConstructionPricePerM2);
    for (float value : {EnergyPrice, Years, DaysPerYear, HoursPerDay})
        WriteFloat32(stream, value);
    // The count is an int16: a longer list (never made by the sweep) is cut.
    const std::size_t count = std::min<std::size_t>(PriceDiagram.size(), INT16_MAX);
    WriteInt16(stream, static_cast<std::int16_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const TPriceDiagramItem& point = PriceDiagram[i];
        WriteFloat32(stream, point.Thickness);
        WriteFloat32(stream, point.Investment);
        WriteFloat32(stream, point.LossCost);
    }
    WriteFloat32(stream, SavingRatio);
}

void TItem::Read(TStream& stream, int version) {
    ReadString(stream, Name);
    ReadString(stream, Comment);
    ReadEnum(stream, CalculationType);
    ReadEnum(stream, Geometry);
    for (float* field : {&InnerDiameter, &OuterDiameter, &SideA, &SideB})
        ReadFloat32(stream, *field);
    ReadEnum(stream, Shape);
    ReadFloat32(stream, CylinderLength);
    ReadFloat32(stream, CylinderDiameter);
    ReadInt16(stream, StandingCylinder);
    for (float* field : {&BoxA, &BoxB, &BoxHeight, &SphereRadius, &TankVolume, &TankSurface, &GivenTankSize,
                         &CharacteristicLength, &WallThickness, &Length, &Perimeter, &WallLambda})
        ReadFloat32(stream, *field);
    ReadString(stream, Medium.ItemID);
    for (float* field : {&Medium.Temperature, &Medium.Density, &Medium.SpecificHeat, &Medium.KinematicViscosity,
                         &Medium.HeatConditionFactor, &Medium.Beta, &Medium.FreezingPoint, &InsideHumidity,
                         &InsideDewPoint})
        ReadFloat32(stream, *field);
    ReadInt16(stream, InsideAlphaMode);
    ReadInt16(stream, VolumeGiven);
    ReadFloat32(stream, VolumeFlow);
    ReadInt16(stream, FlowUnit);
    for (float* field : {&InsideAlpha, &MassFlow, &Velocity, &InsideWallTemperature, &OutletTemperature,
                         &MediumPrandtl, &WallPrandtl, &AirTemperature, &AirHumidity, &AirDewPoint})
        ReadFloat32(stream, *field);
    ReadInt16(stream, OutsideAlphaMode);
    ReadFloat32(stream, WindSpeed);
    ReadInt16(stream, WithRadiation);
    for (float* field : {&EmissionFactor, &OutsideAlpha, &SurfaceTemperature})
        ReadFloat32(stream, *field);
    ReadString(stream, Isolation.IsolationID);
    ReadString(stream, Isolation.ResultText);
    for (float* field : {&Isolation.Thickness, &Isolation.IsolationLambda, &KValue, &SpecificLoss, &Loss,
                         &TargetValue, &Time, &ConstructionPrice})
        ReadFloat32(stream, *field);
    ReadInt16(stream, ConstructionPricePerM2);
    for (float* field : {&EnergyPrice, &Years, &DaysPerYear, &HoursPerDay})
        ReadFloat32(stream, *field);

    // A missing count is no points; a negative one is a damaged record, not
    // a huge list. Points the stream no longer holds are not invented, and
    // nothing after them is covered then.
    std::int16_t count = 0;
    ReadInt16(stream, count);
    for (int i = 0; i < count; ++i) {
        if (stream.Size() - stream.Position() < kPointBytes)
            return;
        TPriceDiagramItem point;
        ReadFloat32(stream, point.Thickness);
        ReadFloat32(stream, point.Investment);
        ReadFloat32(stream, point.LossCost);
        PriceDiagram.push_back(point);
    }
    if (version >= kSavingRatioVersion)
        ReadFloat32(stream, SavingRatio);
}
