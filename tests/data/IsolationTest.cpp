#include "data/Isolation.h"

#include "DataTestHelpers.h"
#include "DataTestLanguage.h"
#include "platform/base/Exception.h"

#include <gtest/gtest.h>

namespace {

TIsolationSubItem Size(float db, float v, std::string name = {}, bool assembled = false) {
    TIsolationSubItem size;
    size.db = db;
    size.v = v;
    size.SizeName = name.empty() ? std::to_string(static_cast<int>(db)) + "/" + std::to_string(static_cast<int>(v))
                                 : std::move(name);
    size.Assembled = assembled ? 1 : 0;
    return size;
}

TIsolation Shells() {
    TIsolation type;
    type.ItemID = "shell";
    type.ItemName = "Shell";
    type.PrintName = "Shell %s";
    type.TubeShell = 1;
    type.SubItems = {Size(89, 30), Size(89, 50), Size(108, 30), Size(108, 50)};
    return type;
}

TIsolation Mats(std::string id = "mat") {
    TIsolation type;
    type.ItemID = std::move(id);
    type.ItemName = "Mat " + type.ItemID;
    type.PrintName = "Mat %s mm";
    type.SubItems = {Size(0, 20, "20"), Size(0, 30, "30"), Size(0, 50, "50")};
    return type;
}

class IsolationTest : public DataLanguageTest {
protected:
    void SetUp() override {
        DataLanguageTest::SetUp();
        IsolationTypes = std::make_unique<TIsolationTypes>();
    }
    void TearDown() override {
        IsolationTypes.reset();
        DataLanguageTest::TearDown();
    }
};

}  // namespace

TEST_F(IsolationTest, ShellThicknessStepsThroughTheChosenBore) {
    const TIsolation type = Shells();
    EXPECT_EQ(type.CommercialThickness(89, 0), 30);
    EXPECT_EQ(type.CommercialThickness(89, 30), 50);
    EXPECT_EQ(type.CommercialThickness(89, 50), 0);
    // 95 needs the next bore up.
    EXPECT_EQ(type.CommercialThickness(95, 30), 50);
    EXPECT_EQ(type.SuggestionText(95, 10, false), "Shell 108/30");
    // Wider than every bore: nothing.
    EXPECT_EQ(type.CommercialThickness(120, 0), 0);
    EXPECT_EQ(type.SuggestionText(120, 10, true), "Nincs javaslat");
}

TEST_F(IsolationTest, ShellSuggestionTakesAtLeastTheThickness) {
    const TIsolation type = Shells();
    EXPECT_EQ(type.SuggestionText(89, 30, false), "Shell 89/30");
    EXPECT_EQ(type.SuggestionText(89, 30.5f, true), "Javasolt: Shell 89/50");
    EXPECT_EQ(type.SuggestionText(89, 60, true), "Nincs javaslat");
}

TEST_F(IsolationTest, ShellPriceKeyTakesTheBoreStrictlyAbove) {
    const TIsolation type = Shells();
    EXPECT_EQ(type.PriceKey(89, 30), "_108_30");
    EXPECT_EQ(type.PriceKey(88.9f, 30), "_89_30");
    EXPECT_EQ(type.PriceKey(108, 30), "");
}

TEST_F(IsolationTest, PriceKeyNumbersAreShortestTexts) {
    TIsolation type = Shells();
    type.SubItems = {Size(88.9f, 30)};
    // Not "88.9000015258789", the float widened to 15 digits.
    EXPECT_EQ(type.PriceKey(60, 30), "_88.9_30");
    EXPECT_EQ(type.PriceKey(60, 12.5f), "_88.9_12.5");
    EXPECT_EQ(Mats().PriceKey(0, 50), "_50");
    EXPECT_EQ(Mats().PriceKey(200, 0.1f), "_0.1");
}

TEST_F(IsolationTest, MatSizesByThicknessAlone) {
    const TIsolation type = Mats();
    EXPECT_EQ(type.SuggestionText(500, 20, false), "Mat 20 mm");
    EXPECT_EQ(type.SuggestionText(500, 30, true), "Javasolt: Mat 30 mm");
    EXPECT_EQ(type.SuggestionText(500, 31, false), "Mat 50 mm");
    EXPECT_EQ(type.SuggestionText(500, 60, false), "Nincs javaslat");
    EXPECT_EQ(type.CommercialThickness(500, 30), 50);
    EXPECT_EQ(type.CommercialThickness(500, 0), 20);
}

TEST_F(IsolationTest, TemperatureLimitsIncludeBothEnds) {
    TIsolation type;
    type.TempMin = -50;
    type.TempMax = 250;
    EXPECT_TRUE(type.InTemperatureLimits(-50));
    EXPECT_TRUE(type.InTemperatureLimits(250));
    EXPECT_FALSE(type.InTemperatureLimits(250.5f));
    EXPECT_FALSE(type.InTemperatureLimits(-50.5f));
}

TEST_F(IsolationTest, PrintNameIsNoFormat) {
    TIsolation type = Mats();
    type.PrintName = "%d 100%% %s and %s %";
    EXPECT_EQ(type.SuggestionText(0, 20, false), "%d 100% 20 and %s %");
    type.PrintName = "no placeholder";
    EXPECT_EQ(type.SuggestionText(0, 20, false), "no placeholder");
    type.PrintName = std::string(200, 'x') + "%s";
    EXPECT_EQ(type.SuggestionText(0, 20, true), "Javasolt: " + std::string(127, 'x'));
}

TEST_F(IsolationTest, AssembledSizeListsItsLayers) {
    IsolationTypes->Add(Mats("X"));
    TIsolation y = Mats("Y");
    y.PrintName = "Y-layer %s";
    IsolationTypes->Add(y);
    TIsolation multi = Mats("multi");
    multi.SubItems.push_back(Size(0, 80, "30 X  50 Y", true));
    IsolationTypes->Add(multi);

    EXPECT_EQ(MultiLayerText(multi.SubItems.back()), "Mat 30 mm; Y-layer 50");
    EXPECT_EQ(multi.SuggestionText(0, 60, true), "Többrétegű: Mat 30 mm; Y-layer 50");
    EXPECT_EQ(multi.SuggestionText(0, 60, false), "Mat 30 mm; Y-layer 50");
}

TEST_F(IsolationTest, AssembledSizeEdgeCases) {
    IsolationTypes->Add(Mats("X"));
    // A trailing thickness without a type, or a single word, ends the text.
    EXPECT_EQ(MultiLayerText(Size(0, 0, "30 X 50", true)), "Mat 30 mm; ");
    EXPECT_EQ(MultiLayerText(Size(0, 0, "lonely", true)), "");
    EXPECT_EQ(MultiLayerText(Size(0, 0, "", true)), "");
    // Unknown types are left out.
    EXPECT_EQ(MultiLayerText(Size(0, 0, "30 Q 20 X", true)), "Mat 20 mm");
    // A layer thickness that is no number is the caller's error.
    EXPECT_THROW(MultiLayerText(Size(0, 0, "thick X", true)), EConvertError);
}

TEST_F(IsolationTest, SelfReferringAssemblyStops) {
    TIsolation loop = Mats("L");
    loop.SubItems = {Size(0, 40, "40 L 40 L 40 L 40 L 40 L 40 L 40 L 40 L", true)};
    IsolationTypes->Add(loop);
    const std::string text = loop.SuggestionText(0, 40, false);
    EXPECT_LT(text.size(), 4096u);
}

TEST_F(IsolationTest, LookupsAndUsages) {
    TIsolation a = Mats("a");
    a.Usages = 1 | 8;
    IsolationTypes->Add(a);
    IsolationTypes->Add(Mats("b"));
    EXPECT_EQ(IsolationTypes->FindItem("b")->ItemName, "Mat b");
    EXPECT_EQ(IsolationTypes->FindItem("B"), nullptr);
    EXPECT_EQ(IsolationTypes->IDByName("Mat a"), "a");
    EXPECT_EQ(IsolationTypes->IDByName("mat a"), "");
    EXPECT_EQ(IsolationTypes->NameByID("c"), "");
    EXPECT_TRUE(a.IsUsable(0));
    EXPECT_TRUE(a.IsUsable(3));
    EXPECT_FALSE(a.IsUsable(1));
}

TEST_F(IsolationTest, ReadsEveryField) {
    XmlSnippet snippet(R"(<Isolation TubeShell="Yes">
        <ItemID>mw</ItemID>
        <ItemName>$MW$ csőhéj</ItemName><ItemName Language="EN">$MW$ section</ItemName>
        <PrintName>$MW$ %s</PrintName>
        <Usages Tube="yes" SquareTank="YES"/>
        <HeatConditionFactor c2="2,5e-7" c1="0.0001" c0="0.033">ignored text</HeatConditionFactor>
        <TemperatureLimits min="-50" max="620"/>
        <IsolationSubType><SizeName Language="EN">x</SizeName><SizeName>22 x 20</SizeName><db>22</db><v>20</v></IsolationSubType>
        <IsolationSubType Assembled="yes"><SizeName>20 mw 30 mw</SizeName><v>50</v></IsolationSubType>
        <IsolationSubType/>
      </Isolation>)",
                       "Isolation");
    XmlMacros = {{"$MW$", "Ásványgyapot"}};
    TIsolation type;
    type.Read(snippet.parser);
    EXPECT_EQ(type.ItemID, "mw");
    EXPECT_EQ(type.ItemName, "Ásványgyapot csőhéj");
    EXPECT_EQ(type.PrintName, "Ásványgyapot %s");
    EXPECT_EQ(type.TubeShell, 1);
    EXPECT_EQ(type.Usages, 1 | 8);
    EXPECT_EQ(type.c2, 2.5e-7f);
    EXPECT_EQ(type.c1, 0.0001f);
    EXPECT_EQ(type.c0, 0.033f);
    EXPECT_EQ(type.TempMin, -50);
    EXPECT_EQ(type.TempMax, 620);
    ASSERT_EQ(type.SubItems.size(), 2u);
    EXPECT_EQ(type.SubItems[0].SizeName, "22 x 20");
    EXPECT_EQ(type.SubItems[0].db, 22);
    EXPECT_EQ(type.SubItems[0].v, 20);
    EXPECT_EQ(type.SubItems[0].Assembled, 0);
    EXPECT_EQ(type.SubItems[1].Assembled, 1);
    EXPECT_EQ(type.SubItems[1].v, 50);
}

TEST_F(IsolationTest, MissingAttributesReadAsZero) {
    const auto type = ReadRecord<TIsolation>(R"(<Isolation><HeatConditionFactor c0="0.04"/></Isolation>)", "Isolation");
    EXPECT_EQ(type.TubeShell, 0);
    EXPECT_EQ(type.c2, 0);
    EXPECT_EQ(type.c0, 0.04f);
    XmlSnippet bad(R"(<Isolation><TemperatureLimits min="low"/></Isolation>)", "Isolation");
    TIsolation broken;
    EXPECT_THROW(broken.Read(bad.parser), Exception);
}

TEST_F(IsolationTest, ComboBoxListsUsableTypes) {
    TIsolation a = Mats("a");
    a.Usages = 1;
    TIsolation b = Mats("b");
    b.Usages = 1 | 2;
    IsolationTypes->Add(a);
    IsolationTypes->Add(b);
    FakeComboBox box;
    std::string id;
    IsolationTypes->FillComboBox(box, id, 0);
    EXPECT_EQ(box.items, (std::vector<std::string>{"Mat a", "Mat b"}));
    EXPECT_EQ(box.index, 0);
    EXPECT_EQ(id, "a");
    id = "b";
    IsolationTypes->FillComboBox(box, id, 0);
    EXPECT_EQ(box.index, 1);
    EXPECT_EQ(id, "b");
    id = "a";  // not usable for round ducts
    IsolationTypes->FillComboBox(box, id, 1);
    EXPECT_EQ(box.items, (std::vector<std::string>{"Mat b"}));
    EXPECT_EQ(id, "b");
    id = "b";  // nothing for tanks
    IsolationTypes->FillComboBox(box, id, 3);
    EXPECT_EQ(box.Count(), 0);
    EXPECT_EQ(id, "");
}
