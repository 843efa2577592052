// Pins the calculation's exact results. A fixed-seed generator makes a few
// thousand items of every geometry, tank shape, calculation type, inside and
// outside coefficient mode, medium (user-defined and unknown ones too) and
// insulation type, with and without CalcPrecision, and calculates them on
// the shipped data bases and price list. Everything an item holds afterwards
// (its record: every field's bits, the result text, the price-diagram
// points), the success flag and the message boxes shown are hashed.
//
// Engineers order material by these numbers, so a change of speed must not
// change a single bit. If the hash changes, the change altered results: find
// out why before anything else. Only a deliberate change of the model, of
// data/, PRICE.TXT or of this generator may update the constants:
//   VALDORINE_GOLDEN_DUMP=/tmp/after.txt calc_tests --gtest_filter='ItemGolden.*'
// writes one digest line per item (run it on the old code as well and diff
// the two files to see which items moved), and the failure message prints
// the new hash.
//
// The hash also depends on the C library's pow, exp and log; it was taken
// with Debian 12's glibc on x86-64.

#include "calc/Item.h"

#include "calc/CalcEnvironment.h"
#include "data/DatabaseLoader.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/Price.h"
#include "platform/base/MemoryStream.h"

#include <gtest/gtest.h>

#include <bit>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using calc_testing::TCalcEnvironment;

constexpr int kItemCount = 4000;
constexpr std::uint64_t kItemsHash = 0x7b3b5768a985ad82;
constexpr std::uint64_t kCurvesHash = 0x51b4114d90c925a2;

// FNV-1a, 64 bits.
class THash {
public:
    void Add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            value_ ^= bytes[i];
            value_ *= 0x100000001b3ull;
        }
    }
    void Add(std::string_view text) {
        Add(static_cast<std::uint64_t>(text.size()));
        Add(text.data(), text.size());
    }
    void Add(std::uint64_t number) { Add(&number, sizeof number); }
    void Add(double number) { Add(std::bit_cast<std::uint64_t>(number)); }
    std::uint64_t Value() const { return value_; }

private:
    std::uint64_t value_ = 0xcbf29ce484222325ull;
};

// A fixed-seed generator (64-bit LCG, high bits), independent of the
// standard library's distributions.
class TRandom {
public:
    explicit TRandom(std::uint64_t seed) : state_(seed) {}
    std::uint32_t Next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state_ >> 33);
    }
    // 0 .. n-1.
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    // lo .. hi in steps of `step`, as an entered number would be.
    float Stepped(double lo, double hi, double step) {
        const int steps = static_cast<int>((hi - lo) / step + 0.5);
        return static_cast<float>(lo + step * Below(steps + 1));
    }
    // Any float in lo .. hi, not tied to a decimal grid.
    float Uniform(double lo, double hi) { return static_cast<float>(lo + (hi - lo) * (Next() / 4294967296.0)); }
    template <class T, std::size_t N>
    const T& Pick(const T (&values)[N]) {
        return values[static_cast<std::size_t>(Below(static_cast<int>(N)))];
    }

private:
    std::uint64_t state_;
};

const char* const kMedia[] = {"water", "water", "air", "eg30", "eg50", "pg30", "pg50", "oil", "userdefined"};
const char* const kInsulations[] = {"casi", "fefsheet", "fefshell", "mwmat", "mwshell", "peshell", "purshell"};
// Steel pipes: inner and outer diameter, mm.
const float kPipes[][2] = {{16.1f, 21.3f}, {21.6f, 26.9f},   {27.3f, 33.7f},   {35.9f, 42.4f},  {41.9f, 48.3f},
                           {54.5f, 60.3f}, {82.5f, 88.9f},   {107.1f, 114.3f}, {131.7f, 139.7f}, {160.3f, 168.3f},
                           {206.5f, 219.1f}, {263.0f, 273.0f}, {309.7f, 323.9f}, {393.8f, 406.4f}, {495.4f, 508.0f}};

void GenerateGeometry(TRandom& random, TItem& item) {
    const int geometry = random.Below(100);
    item.Geometry = geometry < 40   ? GeometryType::Tube
                    : geometry < 55 ? GeometryType::RoundCanal
                    : geometry < 72 ? GeometryType::SquareCanal
                    : geometry < 99 ? GeometryType::Tank
                                    : static_cast<GeometryType>(4 + random.Below(3));  // a damaged record
    const auto& pipe = random.Pick(kPipes);
    if (random.Chance(70)) {
        item.InnerDiameter = pipe[0];
        item.OuterDiameter = pipe[1];
    } else {
        item.InnerDiameter = random.Uniform(5, 1200);
        item.OuterDiameter = item.InnerDiameter + random.Stepped(0.5, 20, 0.1);
    }
    if (random.Chance(2))
        item.OuterDiameter = item.InnerDiameter - random.Stepped(0, 5, 1);  // not below: an error
    item.SideA = random.Stepped(100, 2000, 50);
    item.SideB = random.Stepped(100, 1500, 50);
    item.WallThickness = random.Stepped(0.5, 20, 0.5);
    item.WallLambda = random.Chance(4) ? random.Stepped(0, 1, 1) * 0.5f : random.Stepped(0.2, 60, 0.1);

    const int shape = random.Below(100);
    item.Shape = shape < 98 ? static_cast<TankShape>(shape % 4) : static_cast<TankShape>(4 + random.Below(2));
    item.CylinderLength = random.Stepped(200, 8000, 50);
    item.CylinderDiameter = random.Stepped(200, 4000, 50);
    item.StandingCylinder = static_cast<std::int16_t>(random.Below(2));
    item.BoxA = random.Stepped(200, 5000, 100);
    item.BoxB = random.Stepped(200, 5000, 100);
    item.BoxHeight = random.Stepped(200, 5000, 100);
    item.SphereRadius = random.Stepped(100, 3000, 50);
    item.GivenTankSize = random.Stepped(100, 5000, 100);
    item.TankVolume = random.Stepped(0.1, 100, 0.1);
    item.TankSurface = random.Stepped(0.5, 150, 0.5);
    item.Length = random.Chance(5) ? 0 : random.Stepped(0.5, 300, 0.5);
}

void GenerateMedium(TRandom& random, TItem& item) {
    item.Medium.ItemID = random.Chance(2) ? "steam" : random.Pick(kMedia);  // "steam": not in the data base
    // Mostly within the medium's range, sometimes beyond (the curves extrapolate).
    const TMediumDBItem* record = MediumTypes->FindItem(item.Medium.ItemID);
    const double lowest = record ? record->TempMin : -30;
    const double highest = record ? record->TempMax : 200;
    const int range = random.Below(100);
    item.Medium.Temperature = range < 90   ? random.Stepped(lowest, highest, 0.5)
                              : range < 97 ? random.Uniform(-40, 350)
                                           : random.Stepped(-60, 600, 1);
    item.Medium.FetchProperties();
    if (item.Medium.ItemID == "userdefined") {
        item.Medium.Density = random.Uniform(1, 1500);
        item.Medium.SpecificHeat = random.Uniform(900, 4500);
        item.Medium.KinematicViscosity = random.Uniform(1e-7, 1e-4);
        item.Medium.HeatConditionFactor = random.Chance(2) ? 0 : random.Uniform(0.02, 0.7);
        item.Medium.Beta = random.Uniform(1e-4, 4e-3);
        item.Medium.FreezingPoint = random.Stepped(-40, 0, 1);
    }
    item.InsideHumidity = random.Chance(3) ? random.Stepped(100, 120, 1) : random.Stepped(0, 100, 1);

    // Mostly the modes the dialog offers: no forced flow in a tank or for
    // Frost, no natural convection in a duct.
    item.InsideAlphaMode = static_cast<std::int16_t>(random.Below(3));
    if (random.Chance(90)) {
        if (item.InsideAlphaMode == 0 && !item.FlowAlphaModeAllowed())
            item.InsideAlphaMode = static_cast<std::int16_t>(1 + random.Below(2));
        if (item.InsideAlphaMode == 1 && !item.NaturalAlphaModeAllowed())
            item.InsideAlphaMode = static_cast<std::int16_t>(2 * random.Below(2));
    }
    item.InsideAlpha = random.Chance(2) ? 0 : random.Stepped(2, 8000, 1);
    item.VolumeGiven = static_cast<std::int16_t>(random.Chance(85) ? 1 : 0);
    item.FlowUnit = static_cast<std::int16_t>(random.Chance(1) ? 3 : random.Below(3));
    const float volumes[] = {0, random.Stepped(10, 50000, 10), random.Stepped(0.1, 500, 0.1),
                             random.Stepped(1, 3000, 1)};
    item.VolumeFlow = random.Chance(10) ? 0 : volumes[item.FlowUnit == 3 ? 1 : item.FlowUnit + 1];
    item.Velocity = random.Chance(5) ? 0 : random.Stepped(0.05, 5, 0.05);
}

void GenerateSurroundings(TRandom& random, TItem& item) {
    item.AirTemperature = random.Chance(95) ? random.Stepped(-25, 40, 0.5) : random.Uniform(-60, 80);
    item.AirHumidity = random.Stepped(5, 100, 1);
    item.OutsideAlphaMode = static_cast<std::int16_t>(random.Below(3));
    item.WindSpeed = random.Chance(3) ? 0 : random.Stepped(0.5, 15, 0.5);
    item.WithRadiation = static_cast<std::int16_t>(random.Below(2));
    item.EmissionFactor = random.Stepped(0.05, 0.95, 0.05);
    item.OutsideAlpha = random.Chance(2) ? 0 : random.Stepped(2, 40, 0.5);
}

void GenerateTask(TRandom& random, TItem& item) {
    item.Isolation.IsolationID = random.Chance(2) ? "glass" : random.Pick(kInsulations);  // "glass": unknown
    item.Isolation.Thickness = random.Chance(5) ? random.Stepped(0, 1000, 100) : random.Stepped(0, 300, 0.5);
    const double tm = item.Medium.Temperature;
    const double ta = item.AirTemperature;
    switch (item.CalculationType) {
    case CalcMode::GivedSurfaceTemp:
    case CalcMode::GivedTempDiff:
        // Mostly between the air and the medium, sometimes beyond either.
        item.TargetValue = static_cast<float>(ta + (tm - ta) * random.Uniform(-0.1, 1.1));
        break;
    case CalcMode::GivedPower:
        item.TargetValue = random.Stepped(0, 110, 1);
        break;
    default:
        item.TargetValue = random.Stepped(-20, 100, 1);
        break;
    }
    item.Time = random.Chance(50) ? 0 : random.Stepped(0.5, 72, 0.5);
    item.ConstructionPrice = random.Stepped(0, 8000, 10);
    item.ConstructionPricePerM2 = static_cast<std::int16_t>(random.Below(2));
    item.EnergyPrice = random.Stepped(0, 80, 0.5);
    item.Years = random.Stepped(0, 30, 1);
    item.DaysPerYear = random.Chance(70) ? 365 : random.Stepped(100, 365, 1);
    item.HoursPerDay = random.Chance(70) ? 24 : random.Stepped(1, 24, 1);
    item.SavingRatio = random.Uniform(0, 1);
    item.PriceDiagram.assign(static_cast<std::size_t>(random.Below(3)), TPriceDiagramItem(10, 20, 30));
}

TItem GenerateItem(TRandom& random) {
    TItem item;
    item.Name = "Item";
    const int type = random.Below(100);
    item.CalculationType = type < 99 ? static_cast<CalcMode>(type % 7) : static_cast<CalcMode>(7);
    GenerateGeometry(random, item);
    GenerateMedium(random, item);
    GenerateSurroundings(random, item);
    GenerateTask(random, item);
    return item;
}

std::string RecordBytes(const TItem& item) {
    MyMemoryStream stream;
    item.Write(stream);
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

// The shipped data bases and price list under the test language.
class ItemGolden : public ::testing::Test {
protected:
    void SetUp() override {
        LoadDatabases(std::filesystem::path(SOURCE_ROOT) / "data");
        LoadPriceList(std::filesystem::path(SOURCE_ROOT) / "PRICE.TXT");
        ASSERT_NE(MediumTypes, nullptr);
        ASSERT_NE(IsolationTypes, nullptr);
        ASSERT_NE(PriceList, nullptr);
        environment_.ClearBoxes();  // an out-of-date price list warns
    }

    void Dump(const char* name, const std::vector<std::string>& lines) const {
        const char* path = std::getenv("VALDORINE_GOLDEN_DUMP");
        if (!path || !*path)
            return;
        std::ofstream out(std::string(path) + "." + name);
        for (const std::string& line : lines)
            out << line << '\n';
    }

    TCalcEnvironment environment_;
};

TEST_F(ItemGolden, CalculationResultsKeepTheirBits) {
    TRandom random(20240601);
    THash total;
    std::vector<std::string> lines;
    int succeeded = 0;
    for (int i = 0; i < kItemCount; ++i) {
        TItem item = GenerateItem(random);
        environment_.SetCalcPrecision(random.Chance(25));
        const bool ok = item.Calculate();
        succeeded += ok ? 1 : 0;

        THash digest;
        digest.Add(static_cast<std::uint64_t>(ok));
        digest.Add(RecordBytes(item));
        for (const auto& box : environment_.Boxes()) {
            digest.Add(box.Text);
            digest.Add(box.Caption);
            digest.Add(static_cast<std::uint64_t>(box.Flags));
        }
        environment_.ClearBoxes();
        // The public single steps keep their results outside a calculation too.
        if (i % 10 == 0) {
            TItem copy = item;
            copy.Isolation.Thickness += 7.5f;
            copy.Evaluate();
            digest.Add(RecordBytes(copy));
            digest.Add(copy.InsulationCost());
            digest.Add(copy.EnergyCost());
        }
        total.Add(digest.Value());
        char line[64];
        std::snprintf(line, sizeof line, "%d %d %016" PRIx64, i, ok ? 1 : 0, digest.Value());
        lines.push_back(line);
    }
    Dump("items", lines);
    // Both outcomes are well represented.
    EXPECT_GT(succeeded, kItemCount / 2);
    EXPECT_LT(succeeded, kItemCount);
    EXPECT_EQ(total.Value(), kItemsHash) << std::hex << "new hash 0x" << total.Value();
}

// The property curves on their own: every curve of every shipped medium
// over a spread of temperatures, including far outside their points.
TEST_F(ItemGolden, MediumCurvesKeepTheirBits) {
    THash total;
    std::vector<std::string> lines;
    for (const TMediumDBItem& medium : MediumTypes->Items) {
        for (const TMediumFunction& curve : medium.Functions) {
            THash digest;
            for (int tenth = -1000; tenth <= 4000; tenth += 7)
                digest.Add(curve.Value(tenth * 0.1));
            digest.Add(MediumValueAt(medium, curve.Name, 55.5));
            total.Add(digest.Value());
            char line[64];
            std::snprintf(line, sizeof line, " %016" PRIx64, digest.Value());
            lines.push_back(medium.ItemID + " " + curve.Name + line);
        }
    }
    for (const TIsolation& insulation : IsolationTypes->Items) {
        for (int tenth = -600; tenth <= 6500; tenth += 13)
            total.Add(static_cast<double>(IsolationLambdaAt(insulation, tenth * 0.1)));
    }
    Dump("curves", lines);
    EXPECT_EQ(total.Value(), kCurvesHash) << std::hex << "new hash 0x" << total.Value();
}

}  // namespace
