#pragma once
// One calculation item: an insulated pipe, duct or tank with its medium, its
// surroundings, the chosen insulation, the calculation type and the results
// of the last calculation. A plain value: copies own every field.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TStream;
class TMediumDBItem;
namespace item_internal {
class TCalcCache;
}
class TIsolation;
class TPrintfStringStream;

// Stored as int16 in the item record; a record may hold any other value.
enum class CalcMode : std::int16_t {
    GivedThickness = 0,    // thickness given, results computed
    Condensation = 1,      // thickness that prevents condensation
    GivedSurfaceTemp = 2,  // thickness for a target surface temperature
    GivedPower = 3,        // thickness for a target energy saving in %
    GivedTempDiff = 4,     // thickness for a target outlet temperature
    Frost = 5,             // thickness that keeps the outlet above freezing
    Optimum = 6,           // thickness of least total cost
};

enum class GeometryType : std::int16_t { Tube = 0, RoundCanal = 1, SquareCanal = 2, Tank = 3 };

enum class TankShape : std::int16_t { Cylinder = 0, Sphere = 1, Box = 2, Given = 3 };

// The medium inside an item. Properties come from the media data base at
// `Temperature`, except for "userdefined", whose values the user enters.
class TMedium {
public:
    // "water" at 20 degC with its properties fetched (all 0 without a data base).
    TMedium();

    // Fills the six properties from the global media data base at
    // `Temperature`. Leaves them unchanged for "userdefined" or an unknown id.
    void FetchProperties();
    // nu * rho * c / lambda, multiplied in that order, in double precision.
    double Prandtl() const;

    bool operator==(const TMedium&) const = default;

    std::string ItemID;
    float Temperature = 20;          // degC
    float Density = 0;               // kg/m3, key "ro"
    float SpecificHeat = 0;          // J/(kg K), key "C"
    float KinematicViscosity = 0;    // m2/s, key "nu"
    float HeatConditionFactor = 0;   // W/(m K), key "lambda"
    float Beta = 0;                  // 1/K, key "v"
    float FreezingPoint = 0;         // degC, key "to"
};

// One point of the Optimum sweep.
struct TPriceDiagramItem {
    TPriceDiagramItem() = default;
    TPriceDiagramItem(float thickness, float investment, float lossCost)
        : Thickness(thickness), Investment(investment), LossCost(lossCost) {}

    bool operator==(const TPriceDiagramItem&) const = default;

    float Thickness = 0;   // mm
    float Investment = 0;  // insulation plus construction per m or per m2, whole number
    float LossCost = 0;    // cost of the heat lost over the period per m or per m2, whole number
};

class TItem {
public:
    struct IsolationStruct {
        bool operator==(const IsolationStruct&) const = default;

        std::string IsolationID;  // insulation type in the insulation data base
        std::string ResultText;   // message and suggestion of the last calculation
        float Thickness = 0;      // mm
        float IsolationLambda = 0;  // W/(m K) at the mean temperature
    };

    TItem() = default;
    bool operator==(const TItem&) const = default;

    // Predicates.
    bool IsLinear() const;                 // a pipe or duct, not a tank
    bool FlowAlphaModeAllowed() const;     // inside mode 0 may be offered
    bool NaturalAlphaModeAllowed() const;  // inside mode 1 may be offered
    bool IsOptimum() const;

    // Throws Exception with "IDS_NEEDLENGTH" or "IDS_NEEDVOLUMEORTIME" when a
    // required input is missing; the item is unchanged.
    void Validate() const;

    // The item record. `Read` appends the stored points; callers read into a
    // new item. Fields beyond the end of the stream keep their values.
    // Throws only what the stream throws.
    void Read(TStream& stream, int version);
    void Write(TStream& stream) const;

    // Appends the item's report section (RTF) to the stream.
    void WriteRtf(TPrintfStringStream& stream) const;

    // Runs the calculation. True: the results are in the item. False: a
    // message box has been shown (exactly once). Callers pass false; the
    // calculation runs itself with true for the bare reference.
    bool Calculate(bool nested = false);

    // Whole-number costs at the current thickness, per m of a pipe or duct,
    // per m2 of a tank.
    double InsulationCost() const;
    double EnergyCost() const;

    // One evaluation of the heat-transfer model at the current thickness and
    // its steps. They check nothing; arithmetic faults surface as
    // floating-point exception flags and non-finite results.
    void Evaluate();
    void CalcGeometry();
    void CalcHeatFlow();
    void CalcInsideAlpha();
    void CalcOutsideAlpha();
    void UpdateMediumProperties();
    void CalcOutputs();

    // Saturation pressure of water vapour in Pa at T degC.
    static double SaturationPressure(double temperature);
    // Dew point in degC of air at T degC and relative humidity h %.
    static double DewPoint(float temperature, float humidity);

    // Fields in declaration order. Lengths of cross-sections in mm,
    // `Length` and `CharacteristicLength` in m, temperatures in degC.
    std::string Name;
    std::string Comment;
    CalcMode CalculationType = CalcMode::GivedThickness;
    GeometryType Geometry = GeometryType::Tube;
    float InnerDiameter = 0;
    float OuterDiameter = 0;
    float SideA = 0;
    float SideB = 0;
    TankShape Shape = TankShape::Cylinder;
    float CylinderLength = 0;
    float CylinderDiameter = 0;
    std::int16_t StandingCylinder = 0;
    float BoxA = 0;
    float BoxB = 0;
    float BoxHeight = 0;
    float SphereRadius = 0;
    float GivenTankSize = 0;
    float TankVolume = 0;            // m3
    float TankSurface = 0;           // m2
    float CharacteristicLength = 0;  // m
    float WallThickness = 0;
    float Length = 0;                // m
    float Perimeter = 0;             // m, or the tank surface in m2
    float WallLambda = 0;            // W/(m K)
    TMedium Medium;
    float InsideHumidity = 0;        // %
    float InsideDewPoint = 0;
    std::int16_t InsideAlphaMode = 0;  // 0 forced flow, 1 natural convection, 2 given
    std::int16_t VolumeGiven = 1;      // 1 volume flow given, 0 velocity given
    float VolumeFlow = 0;              // in `FlowUnit`
    std::int16_t FlowUnit = 0;         // 0 l/h, 1 m3/h, 2 l/min
    float InsideAlpha = 0;             // W/(m2 K)
    float MassFlow = 0;                // kg/s
    float Velocity = 0;                // m/s
    float InsideWallTemperature = 20;
    float OutletTemperature = 0;
    float MediumPrandtl = 0;
    float WallPrandtl = 0;
    float AirTemperature = 20;
    float AirHumidity = 50;            // %
    float AirDewPoint = 0;
    std::int16_t OutsideAlphaMode = 1;  // 0 wind, 1 natural convection, 2 given
    float WindSpeed = 5;               // m/s
    std::int16_t WithRadiation = 1;
    float EmissionFactor = 0.8f;
    float OutsideAlpha = 0;            // W/(m2 K)
    float SurfaceTemperature = 0;
    IsolationStruct Isolation;
    float KValue = 0;        // W/(m K) for pipes and round ducts, W/(m2 K) otherwise
    float SpecificLoss = 0;  // W/m or W/m2, the same basis as `KValue`
    float Loss = 0;          // W
    float SavingRatio = 0.8f;
    float TargetValue = 0;   // degC (types 2, 4) or % (type 3)
    float Time = 0;          // h
    float ConstructionPrice = 0;
    std::int16_t ConstructionPricePerM2 = 0;
    float EnergyPrice = 0;   // per kWh
    float Years = 0;
    float DaysPerYear = 365;
    float HoursPerDay = 24;
    std::vector<TPriceDiagramItem> PriceDiagram;

private:
    // Calculate with the look-ups of the calculation it belongs to: the
    // reference run shares them with its outer calculation.
    bool Calculate(bool nested, item_internal::TCalcCache& cache);
    // The same steps within one calculation, sharing its look-ups.
    void Evaluate(item_internal::TCalcCache& cache);
    void CalcHeatFlow(item_internal::TCalcCache& cache);
    void CalcInsideAlpha(item_internal::TCalcCache& cache);
    void CalcOutsideAlpha(item_internal::TCalcCache& cache);
    void UpdateMediumProperties(item_internal::TCalcCache& cache);

    void PrepareGeometryAndFlow();
    void RunBisection(double referenceLoss, item_internal::TCalcCache& cache);
    bool NeedsMoreInsulation(double referenceLoss);
    void RunOptimum(const TIsolation& isolation, item_internal::TCalcCache& cache);
    void CheckTemperatureLimits(const TIsolation& isolation);
    bool ResultsAreFinite() const;
};

// The medium "air": the only one with an inside dew point (exact comparison).
bool IsAirMedium(std::string_view itemID);

// The value of the characteristic `key` of a data-base medium at a
// temperature; 0 when the medium has no such characteristic.
double MediumValueAt(const TMediumDBItem& medium, const std::string& key, double temperature);

// The insulation's conductivity c2 x^2 + c1 x + c0 at x degC, single precision.
float IsolationLambdaAt(const TIsolation& isolation, double temperature);

// The insulation is sold as pipe shells chosen by bore.
bool IsTubeShell(const TIsolation& isolation);

// The last step of the thickness search: the middle of the final bracket in
// tenths of a millimetre (halves upwards), held as a float t; then, unless
// `keepTenths`, ceil(t - 0.1) with the subtraction in double precision, so a
// whole millimetre stays and anything more goes up. Never minus zero.
float RoundSearchThickness(double middle, bool keepTenths);
