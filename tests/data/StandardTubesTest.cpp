#include "data/StandardTubes.h"

#include "DataTestHelpers.h"
#include "DataTestLanguage.h"
#include "platform/base/Exception.h"

#include <gtest/gtest.h>

namespace {

TTubeItem Type(std::string name, bool duct, std::vector<std::string> sizes) {
    TTubeItem type;
    type.ItemName = std::move(name);
    type.AirCanal = duct ? 1 : 0;
    for (auto& size : sizes) {
        TTubeSubItem sub;
        sub.SizeName = std::move(size);
        type.SubItems.push_back(sub);
    }
    return type;
}

}  // namespace

class StandardTubesTest : public DataLanguageTest {};

TEST_F(StandardTubesTest, ReadsTypeAndSizes) {
    XmlSnippet snippet(R"(<Tube AirCanal="YES"><ItemName>$S$ cső</ItemName><ItemName Language="EN">Steel</ItemName>
        <HeatConditionFactor>50,5</HeatConditionFactor>
        <TubeSubType><SizeName>$S$ 21,3 x 2</SizeName><db>17.3</db><dk>21.3</dk></TubeSubType>
        <TubeSubType/>
        <TubeSubType><SizeName>b</SizeName></TubeSubType></Tube>)",
                       "Tube");
    XmlMacros = {{"$S$", "Acél"}};
    TTubeItem type;
    type.Read(snippet.parser);
    EXPECT_EQ(type.ItemName, "Acél cső");
    EXPECT_EQ(type.AirCanal, 1);
    EXPECT_EQ(type.HeatConditionFactor, 50.5f);
    ASSERT_EQ(type.SubItemCount(), 2);
    EXPECT_EQ(type.GetSubItem(0)->SizeName, "$S$ 21,3 x 2");  // size names are taken as written
    EXPECT_EQ(type.GetSubItem(0)->db, 17.3f);
    EXPECT_EQ(type.GetSubItem(0)->dk, 21.3f);
    EXPECT_EQ(type.GetSubItem(1)->dk, 0);
    EXPECT_EQ(type.GetSubItem(2), nullptr);
    EXPECT_EQ(type.GetSubItem(-1), nullptr);

    XmlSnippet bad("<Tube><TubeSubType><db>?</db></TubeSubType></Tube>", "Tube");
    TTubeItem broken;
    EXPECT_THROW(broken.Read(bad.parser), Exception);
}

TEST_F(StandardTubesTest, TreeDataHoldsTypeAndSizeIndex) {
    TStandardTubeTypes types;
    types.Add(Type("P0", false, {"a", "b"}));
    types.Add(Type("D1", true, {"c"}));
    types.Add(Type("P2", false, {"d"}));
    types.Add(Type("P3", false, {}));

    FakeTreeView pipes;
    types.FillTreeView(pipes, 0);
    ASSERT_EQ(pipes.nodes.size(), 6u);
    const auto& n = pipes.nodes;
    EXPECT_EQ(n[0]->text, "P0");
    EXPECT_EQ(n[0]->parent, nullptr);
    EXPECT_EQ(n[1]->text, "a");
    EXPECT_EQ(n[1]->parent, n[0].get());
    EXPECT_EQ(n[1]->data, 0);
    EXPECT_EQ(n[2]->data, 1);
    EXPECT_EQ(n[3]->text, "P2");
    EXPECT_EQ(n[4]->data, 131072);
    EXPECT_EQ(n[5]->text, "P3");  // a type without sizes: a node without children

    FakeTreeView ducts;
    types.FillTreeView(ducts, 1);
    ASSERT_EQ(ducts.nodes.size(), 2u);
    EXPECT_EQ(ducts.nodes[1]->text, "c");
    EXPECT_EQ(ducts.nodes[1]->data, 65536);

    // Choosing the node of data 0 gives P0 and its first size.
    EXPECT_EQ(types.GetItem(0)->ItemName, "P0");
    EXPECT_EQ(types.GetItem(0)->GetSubItem(0)->SizeName, "a");
    EXPECT_EQ(types.GetItem(4), nullptr);
    EXPECT_EQ(types.GetItem(-1), nullptr);
}

TEST_F(StandardTubesTest, SizesTheNodeDataCannotTellApartAreLeftOut) {
    TStandardTubeTypes types;
    TTubeItem big = Type("big", false, {});
    big.SubItems.resize(65537);
    types.Add(big);
    FakeTreeView tree;
    types.FillTreeView(tree, 0);
    EXPECT_EQ(tree.nodes.size(), 1u + 65536u);
    EXPECT_EQ(tree.nodes.back()->data, 65535);
}
