// The data set the program ships: every file loads, the property curves
// agree with the published tables they were fitted to, and the price list
// holds a price for every size the calculation can ask for.

#include "DataTestLanguage.h"
#include "data/DatabaseLoader.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/Price.h"
#include "data/StandardTubes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kRoot = SOURCE_ROOT;

struct Row {
    double t;
    double value;
};

class ShippedDataTest : public DataLanguageTest {
protected:
    void SetUp() override {
        DataLanguageTest::SetUp();
        EXPECT_TRUE(ScanDataFolder(kRoot / "data")) << "every shipped file loads";
    }
    void TearDown() override {
        MediumTypes.reset();
        IsolationTypes.reset();
        StandardTubeTypes.reset();
        DataLanguageTest::TearDown();
    }

    // The medium's curve `name` within `tolerance` (relative) of each table row.
    static void ExpectCurve(const std::string& medium, const std::string& name, const std::vector<Row>& rows,
                            double tolerance = 0.01) {
        SCOPED_TRACE(medium + " " + name);
        ASSERT_NE(MediumTypes, nullptr);
        const TMediumDBItem* item = MediumTypes->FindItem(medium);
        ASSERT_NE(item, nullptr);
        const int index = item->FunctionIndex(name);
        ASSERT_GE(index, 0);
        for (const Row& row : rows) {
            const double value = item->Functions[static_cast<std::size_t>(index)].Value(row.t);
            EXPECT_NEAR(value, row.value, std::fabs(row.value) * tolerance) << "at " << row.t << " degC";
        }
    }
};

// Kinematic viscosity from a table's dynamic viscosity (Pa s) and density.
Row Nu(double t, double mu, double rho) { return {t, mu / rho}; }
// Expansion coefficient from a table's densities half a span either side;
// differences of densities given to four or five digits are good to about 1 %.
Row Beta(double t, double below, double at, double above, double span = 40) { return {t, (below - above) / span / at}; }

}  // namespace

TEST_F(ShippedDataTest, WaterFollowsIapws) {
    // IAPWS-IF97 saturated liquid; viscosity IAPWS 2008, conductivity IAPWS 2011.
    ExpectCurve("water", "ro", {{0, 999.794}, {20, 998.161}, {60, 983.175}, {100, 958.354}, {150, 917.007}, {200, 864.668}});
    ExpectCurve("water", "C", {{10, 4195.8}, {50, 4179.8}, {100, 4216.6}, {180, 4405.6}});
    ExpectCurve("water", "nu", {{0, 1.7917e-6}, {20, 1.0035e-6}, {50, 5.5314e-7}, {100, 2.9382e-7}, {150, 1.9914e-7}, {200, 1.5565e-7}});
    ExpectCurve("water", "lambda", {{0, 0.5556}, {40, 0.6284}, {100, 0.6772}, {200, 0.6600}});
    ExpectCurve("water", "v", {{20, 2.0646e-4}, {60, 5.2317e-4}, {100, 7.5101e-4}, {200, 1.3788e-3}});
    // Expansion changes sign at 4 degC: there an absolute bound says more.
    const TMediumDBItem* water = MediumTypes->FindItem("water");
    EXPECT_NEAR(water->Functions[static_cast<std::size_t>(water->FunctionIndex("v"))].Value(0), -6.789e-5, 1e-5);
    EXPECT_EQ(water->Functions[static_cast<std::size_t>(water->FunctionIndex("to"))].Value(25), 0);
}

TEST_F(ShippedDataTest, AirFollowsIncroperaTableA4) {
    ExpectCurve("air", "ro", {{-23.15, 1.3947}, {26.85, 1.1614}, {126.85, 0.8711}, {226.85, 0.6964}});
    ExpectCurve("air", "C", {{-23.15, 1006}, {76.85, 1009}, {276.85, 1040}});
    ExpectCurve("air", "nu", {{-23.15, 11.44e-6}, {26.85, 15.89e-6}, {176.85, 32.39e-6}, {276.85, 45.57e-6}});
    ExpectCurve("air", "lambda", {{-23.15, 22.3e-3}, {76.85, 30.0e-3}, {226.85, 40.7e-3}});
    ExpectCurve("air", "v", {{0, 1 / 273.15}, {100, 1 / 373.15}, {300, 1 / 573.15}});
}

TEST_F(ShippedDataTest, GlycolsFollowTheAshraeTables) {
    ExpectCurve("eg30", "ro", {{-10, 1052.0}, {20, 1040.5}, {60, 1019.8}, {100, 992.0}});
    ExpectCurve("eg30", "C", {{-10, 3580}, {40, 3730}, {100, 3910}});
    ExpectCurve("eg30", "lambda", {{0, 0.450}, {40, 0.485}, {100, 0.510}});
    ExpectCurve("eg30", "nu", {Nu(-10, 4.85e-3, 1052.0), Nu(20, 2.07e-3, 1040.5), Nu(60, 0.95e-3, 1019.8), Nu(100, 0.56e-3, 992.0)});
    ExpectCurve("eg30", "v", {Beta(20, 1048.5, 1040.5, 1031.0), Beta(60, 1031.0, 1019.8, 1006.8), Beta(80, 1019.8, 1006.8, 992.0)}, 0.015);
    ExpectCurve("eg30", "to", {{-15.5, -15.5}, {50, -15.5}, {0, -15.5}});

    ExpectCurve("eg50", "ro", {{-30, 1087.5}, {0, 1077.5}, {40, 1058.0}, {100, 1017.5}});
    ExpectCurve("eg50", "C", {{-30, 3130}, {20, 3300}, {100, 3580}});
    ExpectCurve("eg50", "lambda", {{-30, 0.345}, {20, 0.374}, {100, 0.400}});
    ExpectCurve("eg50", "nu", {Nu(-30, 25.0e-3, 1087.5), Nu(0, 6.9e-3, 1077.5), Nu(40, 2.35e-3, 1058.0), Nu(100, 0.89e-3, 1017.5)});
    ExpectCurve("eg50", "v", {Beta(40, 1068.5, 1058.0, 1046.0), Beta(60, 1058.0, 1046.0, 1032.5), Beta(80, 1046.0, 1032.5, 1017.5)}, 0.015);
    ExpectCurve("eg50", "to", {{-33.8, -33.8}, {20, -33.8}, {100, -33.8}});

    ExpectCurve("pg30", "ro", {{-10, 1037.5}, {20, 1026.0}, {80, 990.5}});
    ExpectCurve("pg30", "C", {{0, 3850}, {40, 3945}, {100, 4095}});
    ExpectCurve("pg30", "lambda", {{-10, 0.424}, {40, 0.461}, {100, 0.476}});
    ExpectCurve("pg30", "nu", {Nu(-10, 8.5e-3, 1037.5), Nu(20, 2.9e-3, 1026.0), Nu(60, 1.15e-3, 1004.0), Nu(100, 0.62e-3, 975.5)});
    ExpectCurve("pg30", "v", {Beta(20, 1034.0, 1026.0, 1016.0), Beta(40, 1026.0, 1016.0, 1004.0), Beta(80, 1004.0, 990.5, 975.5)}, 0.015);
    ExpectCurve("pg30", "to", {{0, -12.8}, {30, -12.8}, {90, -12.8}});

    ExpectCurve("pg50", "ro", {{-25, 1058.0}, {0, 1050.0}, {60, 1019.0}, {100, 990.0}});
    ExpectCurve("pg50", "C", {{-25, 3370}, {20, 3530}, {100, 3830}});
    ExpectCurve("pg50", "lambda", {{-20, 0.334}, {40, 0.353}, {80, 0.355}});
    ExpectCurve("pg50", "nu", {Nu(-25, 70.0e-3, 1058.0), Nu(-10, 26.0e-3, 1053.5), Nu(20, 6.4e-3, 1041.5), Nu(100, 0.97e-3, 990.0)});
    ExpectCurve("pg50", "v", {Beta(40, 1041.5, 1031.0, 1019.0), Beta(60, 1031.0, 1019.0, 1005.0), Beta(80, 1019.0, 1005.0, 990.0)}, 0.015);
    ExpectCurve("pg50", "to", {{-33, -33}, {0, -33}, {50, -33}});
}

TEST_F(ShippedDataTest, OilFollowsItsDataSheet) {
    ExpectCurve("oil", "ro", {{20, 863}, {100, 811}, {200, 746}, {300, 681}});
    ExpectCurve("oil", "C", {{20, 1882}, {150, 2355}, {300, 2902}});
    ExpectCurve("oil", "lambda", {{20, 0.134}, {150, 0.125}, {300, 0.114}});
    ExpectCurve("oil", "nu", {{20, 68e-6}, {40, 25e-6}, {100, 4.7e-6}, {200, 1.1e-6}, {300, 0.54e-6}});
    ExpectCurve("oil", "v", {Beta(150, 811, 778, 746, 100), Beta(200, 778, 746, 713, 100), Beta(250, 746, 713, 681, 100)},
                0.015);
    // The report prints a freezing point for every liquid: for the oil its pour point.
    ExpectCurve("oil", "to", {{20, -12}, {300, -12}});
    // A name that states an ISO 3448 grade must hold it: within 10 % at 40 degC.
    const TMediumDBItem* oil = MediumTypes->FindItem("oil");
    const std::size_t grade = oil->ItemName.find("VG ");
    if (grade != std::string::npos) {
        const double nominal = std::stod(oil->ItemName.substr(grade + 3)) * 1e-6;
        EXPECT_NEAR(oil->Functions[static_cast<std::size_t>(oil->FunctionIndex("nu"))].Value(40), nominal,
                    nominal * 0.1)
            << oil->ItemName;
    }
}

// Nothing keeps a typed temperature inside TempMin..TempMax, and film
// temperatures lie beyond it too: near the range the curves must still give
// physical values, not the swings of a high-degree interpolating polynomial.
TEST_F(ShippedDataTest, CurvesStayPhysicalJustBeyondTheirRange) {
    constexpr double kMargin = 20;
    for (const TMediumDBItem& medium : MediumTypes->Items) {
        SCOPED_TRACE(medium.ItemID);
        const bool gas = medium.ItemID == "air";
        double previousNu = 0;
        double previousBeta = 0;
        for (double t = medium.TempMin - kMargin; t <= medium.TempMax + kMargin; t += 1) {
            for (const char* name : {"ro", "C", "nu", "lambda"}) {
                const int index = medium.FunctionIndex(name);
                ASSERT_GE(index, 0);
                EXPECT_GT(medium.Functions[static_cast<std::size_t>(index)].Value(t), 0) << name << " at " << t;
            }
            const double nu = medium.Functions[static_cast<std::size_t>(medium.FunctionIndex("nu"))].Value(t);
            const double beta = medium.Functions[static_cast<std::size_t>(medium.FunctionIndex("v"))].Value(t);
            if (t > medium.TempMin - kMargin) {
                // Liquids thin out as they warm; a gas thickens.
                if (gas) {
                    EXPECT_GT(nu, previousNu) << "nu at " << t;
                } else {
                    EXPECT_LT(nu, previousNu) << "nu at " << t;
                }
                // A liquid expands more the warmer it is.
                if (!gas && t > 4) {
                    EXPECT_GT(beta, previousBeta) << "v at " << t;
                }
            }
            previousNu = nu;
            previousBeta = beta;
        }
    }
    // Water beyond 200 degC (IAPWS-95 at 5 MPa).
    ExpectCurve("water", "nu", {{220, 1.4535e-7}}, 0.03);
    ExpectCurve("water", "v", {{220, 1.5415e-3}}, 0.03);
}

TEST_F(ShippedDataTest, MediaAreUsableWhereTheyBelong) {
    const TMediumDBItem* water = MediumTypes->FindItem("water");
    const TMediumDBItem* air = MediumTypes->FindItem("air");
    ASSERT_NE(water, nullptr);
    ASSERT_NE(air, nullptr);
    EXPECT_EQ(water->ItemName, "V\xEDz");  // Windows-1250 bytes
    EXPECT_EQ(air->ItemName, "Leveg\xF5");
    for (int mode = 0; mode <= 6; ++mode) {
        EXPECT_TRUE(water->IsUsable(0, mode));
        EXPECT_TRUE(water->IsUsable(3, mode));
        EXPECT_EQ(air->IsUsable(1, mode), mode != 5);
    }
    EXPECT_FALSE(water->IsUsable(1, 0));
    EXPECT_EQ(MediumTypes->Count(), 7);
}

TEST_F(ShippedDataTest, InsulationConductivityFollowsTheDeclaredValues) {
    struct Declared {
        const char* id;
        std::vector<Row> rows;
    };
    const std::vector<Declared> declared = {
        {"mwshell", {{10, 0.034}, {100, 0.044}, {200, 0.059}, {300, 0.079}}},
        {"mwmat", {{50, 0.040}, {200, 0.062}, {400, 0.112}}},
        {"fefshell", {{-20, 0.0310}, {0, 0.0330}, {40, 0.0376}}},
        {"fefsheet", {{-20, 0.0310}, {0, 0.0330}, {40, 0.0376}}},
        {"peshell", {{0, 0.0350}, {20, 0.0375}, {40, 0.0400}}},
        {"purshell", {{-50, 0.022}, {0, 0.025}, {100, 0.032}}},
        {"casi", {{100, 0.057}, {300, 0.074}, {600, 0.107}}},
    };
    for (const auto& d : declared) {
        SCOPED_TRACE(d.id);
        const TIsolation* type = IsolationTypes->FindItem(d.id);
        ASSERT_NE(type, nullptr);
        for (const Row& row : d.rows) {
            const double x = row.t;
            EXPECT_NEAR(type->c2 * x * x + type->c1 * x + type->c0, row.value, row.value * 0.015) << "at " << x;
        }
        EXPECT_LT(type->TempMin, type->TempMax);
        EXPECT_FALSE(type->SubItems.empty());
    }
}

TEST_F(ShippedDataTest, ShellsFitTheShippedPipes) {
    const TIsolation* shell = IsolationTypes->FindItem("mwshell");
    ASSERT_NE(shell, nullptr);
    EXPECT_EQ(shell->ItemName, "\xC1sv\xE1nygyapot cs\xF5h\xE9j");  // the macro, in Hungarian
    EXPECT_EQ(shell->SuggestionText(21.3f, 25, false), "\xC1sv\xE1nygyapot cs\xF5h\xE9j 22 x 30 mm");
    EXPECT_EQ(shell->SuggestionText(88.9f, 50, false), "\xC1sv\xE1nygyapot cs\xF5h\xE9j 89 x 50 mm");
    EXPECT_EQ(shell->CommercialThickness(219.1f, 30), 40);
    // Mats by thickness, with layered sizes beyond the thickest mat.
    const TIsolation* mat = IsolationTypes->FindItem("mwmat");
    ASSERT_NE(mat, nullptr);
    EXPECT_EQ(mat->SuggestionText(0, 150, false),
              "\xC1sv\xE1nygyapot dr\xF3t" "fonatos paplan 80 mm; \xC1sv\xE1nygyapot dr\xF3t" "fonatos paplan 80 mm");
    const TIsolation* casi = IsolationTypes->FindItem("casi");
    ASSERT_NE(casi, nullptr);
    EXPECT_EQ(casi->SuggestionText(0, 150, true),
              LanguageList->GetString("IDS_MULTILAYERISOLATION") + "Kalcium-szilik\xE1t 50 mm; " +
                  "\xC1sv\xE1nygyapot dr\xF3t" "fonatos paplan 100 mm");
}

TEST_F(ShippedDataTest, StandardTubesIncludeTheCompressedDucts) {
    int pipes = 0;
    int ducts = 0;
    for (const auto& type : StandardTubeTypes->Items) {
        (type.AirCanal ? ducts : pipes) += 1;
        for (const auto& size : type.SubItems) {
            EXPECT_GT(size.db, 0) << type.ItemName << " " << size.SizeName;
            EXPECT_LT(size.db, size.dk) << type.ItemName << " " << size.SizeName;
        }
        EXPECT_GT(type.HeatConditionFactor, 0);
    }
    EXPECT_EQ(pipes, 6);
    EXPECT_EQ(ducts, 1);  // only in the compressed file
    // tubes/ducts.xmz comes before tubes/pipes.xml.
    EXPECT_EQ(StandardTubeTypes->GetItem(0)->AirCanal, 1);
    const TTubeItem* steel = StandardTubeTypes->GetItem(1);
    ASSERT_NE(steel, nullptr);
    EXPECT_EQ(steel->GetSubItem(1)->dk, 21.3f);
    EXPECT_EQ(steel->GetSubItem(1)->db, 17.3f);
}

TEST_F(ShippedDataTest, EveryPriceTheCalculationCanAskForIsListed) {
    const TPrice prices(kRoot / "PRICE.TXT");
    EXPECT_EQ(prices.Currency, "Ft");
    EXPECT_GE(prices.Year, 2030);
    // Every shipped pipe and duct, every commercial thickness its sizes step through.
    std::set<std::string> missing;
    for (const auto& type : IsolationTypes->Items) {
        for (const auto& tubeType : StandardTubeTypes->Items) {
            for (const auto& tube : tubeType.SubItems) {
                float thickness = type.CommercialThickness(tube.dk, 0);
                while (thickness > 0) {
                    const std::string key = type.PriceKey(tube.dk, thickness);
                    // A shell of the widest bore has no bore above it: no key.
                    if (!(type.TubeShell && key.empty()) && prices.GetPrice(type.ItemID + key) <= 0)
                        missing.insert(type.ItemID + key);
                    thickness = type.CommercialThickness(tube.dk, thickness);
                }
            }
        }
    }
    EXPECT_TRUE(missing.empty()) << *missing.begin();
}

// The shipped language files pick the shipped data's texts: the data-base
// language of each matches the "Language" values the data files use.
TEST(ShippedDataWithShippedLanguages, NamesFollowTheDataBaseLanguage) {
    auto saved = std::move(LanguageList);
    LanguageList = std::make_unique<TLanguages>();
    LanguageList->CompressedOnly = false;
    LanguageList->Load(kRoot / "languages" / "*.xm?");
    struct Expected {
        const char* language;
        const char* water;
        const char* shell;
        const char* steel;
    };
    for (const Expected& e : {Expected{"Magyar", "V\xEDz", "\xC1sv\xE1nygyapot cs\xF5h\xE9j",
                                       "Ac\xE9lcs\xF5, varratn\xE9lk\xFCli (EN 10220)"},
                              Expected{"English", "Water", "Mineral-wool pipe section",
                                       "Steel pipe, seamless (EN 10220)"}}) {
        SCOPED_TRACE(e.language);
        LanguageList->SetLanguage(e.language);
        ASSERT_EQ(LanguageList->GetLanguageID(), e.language);
        LoadDatabases(kRoot / "data");
        EXPECT_EQ(MediumTypes->FindItem("water")->ItemName, e.water);
        EXPECT_EQ(IsolationTypes->FindItem("mwshell")->ItemName, e.shell);
        EXPECT_EQ(StandardTubeTypes->GetItem(1)->ItemName, e.steel);
        // Every display text found its language and every macro its value.
        for (const auto& type : IsolationTypes->Items) {
            EXPECT_FALSE(type.ItemName.empty());
            EXPECT_EQ(type.ItemName.find('$'), std::string::npos) << type.ItemName;
            EXPECT_EQ(type.PrintName.find('$'), std::string::npos) << type.PrintName;
        }
    }
    MediumTypes.reset();
    IsolationTypes.reset();
    StandardTubeTypes.reset();
    LanguageList = std::move(saved);
}
