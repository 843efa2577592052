// The standard-tubes dialog: the sizes it offers for each application and
// what it gives back.

#include "app/StandardTubes.h"

#include "app/ItemModifyFixture.h"
#include "data/StandardTubes.h"
#include "platform/ui/QtText.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <string>
#include <vector>

namespace {

class StandardTubesTest : public ItemModifyFixture {
protected:
    void SetUp() override {
        ItemModifyFixture::SetUp();
        StartWithData();
    }

    static QTreeWidget& Tree(TStandardTubesForm& tubes) { return *tubes.FindComponentAs<QTreeWidget>("TreeView"); }
};

}  // namespace

TEST_F(StandardTubesTest, EachApplicationIsOfferedItsOwnKind) {
    const struct {
        GeometryType geometry;
        int airCanal;
        const char* first;  // the first type of that kind in the shipped data
    } rows[] = {
        {GeometryType::Tube, 0, "Acélcső, varratnélküli (EN 10220)"},
        {GeometryType::RoundCanal, 1, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.airCanal);
        TItem item = Duct(row.geometry);
        auto form = Open(item);
        std::vector<std::string> offered;
        SetModalRunner([&](TForm& dialog) {
            QTreeWidget& tree = Tree(dynamic_cast<TStandardTubesForm&>(dialog));
            for (int i = 0; i < tree.topLevelItemCount(); ++i) {
                offered.push_back(FromQString(tree.topLevelItem(i)->text(0)));
            }
            return mrCancel;
        });
        QTest::mouseClick(&Find<QPushButton>(*form, "StandardTubesButton"), Qt::LeftButton);
        std::vector<std::string> ofThatKind;
        for (const TTubeItem& type : StandardTubeTypes->Items) {
            if (type.AirCanal == row.airCanal) ofThatKind.push_back(type.ItemName);
        }
        ASSERT_FALSE(ofThatKind.empty());
        EXPECT_EQ(offered, ofThatKind);
        if (row.first) {
            EXPECT_EQ(offered.front(), Cp1250(row.first));
        }
    }
}

TEST_F(StandardTubesTest, GiveTheChosenSize) {
    TItem item = Pipe();
    auto form = Open(item);
    SetModalRunner([&](TForm& dialog) {
        auto& tubes = dynamic_cast<TStandardTubesForm&>(dialog);
        EXPECT_EQ(tubes.parent(), form.get());  // opens on top of the calculation dialog
        QTreeWidget& tree = Tree(tubes);
        auto& ok = *tubes.FindComponentAs<QPushButton>("OK");
        EXPECT_FALSE(ok.isEnabled());
        QTreeWidgetItem* type = tree.topLevelItem(0);
        tree.setCurrentItem(type->child(0));
        EXPECT_TRUE(ok.isEnabled());
        tree.setCurrentItem(type);
        EXPECT_FALSE(ok.isEnabled());
        tubes.OKClick();  // a type is no size: nothing happens
        EXPECT_EQ(tubes.ModalResult(), mrNone);
        tree.setCurrentItem(type->child(0));
        emit tree.itemDoubleClicked(type->child(0), 0);
        return tubes.ModalResult();
    });
    QTest::mouseClick(&Find<QPushButton>(*form, "StandardTubesButton"), Qt::LeftButton);
    // DN 10 of the shipped seamless steel pipes: 17.2 x 1.8, steel.
    EXPECT_EQ(Text(*form, "Tubed1"), "13.6");
    EXPECT_EQ(Text(*form, "Tubed2"), "17.2");
    EXPECT_EQ(Text(*form, "GeometryHeatConditionFactor"), "50");
}
