#include "listheader/ListHeader.h"

#include "lang/Languages.h"
#include "listheader/ListViewWithHeader.h"
#include "listheader/TitleResources.h"
#include "platform/base/Registry.h"
#include "platform/ui/Form.h"
#include "support/FakeCanvas.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using testing_support::TFakeCanvas;

// Line height 13, average character 6 pixels, external leading 0.
class FixedMetrics {
public:
    explicit FixedMetrics(THeaderMetrics metrics = {13, 6, 0})
        : previous_(SetHeaderMetricsHook([metrics](const QFont&) { return metrics; })) {}
    ~FixedMetrics() { SetHeaderMetricsHook(std::move(previous_)); }

private:
    HeaderMetricsHook previous_;
};

// A two-row TITLE text; a negative width hides the column. Ids count from 1.
std::string TitleText(const std::vector<int>& widths) {
    std::string text = "2\r\n" + std::to_string(widths.size()) + "\r\n";
    for (std::size_t i = 0; i < widths.size(); ++i)
        text += std::to_string(widths[i]) + "\r\nSlr" + std::to_string(i + 1) + "\r\nT" + std::to_string(i + 1) +
                "\r\nu\r\n";
    return text;
}

// A test form with a header named Header1 above a list.
class HeaderForm : public TForm {
public:
    HeaderForm() {
        resize(400, 300);
        header = new TListHeader(this);
        header->setObjectName(QStringLiteral("Header1"));
        header->setGeometry(0, 0, 400, 30);
        list = new TListViewWithHeader(this);
        list->setObjectName(QStringLiteral("List1"));
        list->setGeometry(0, 30, 400, 270);
        list->SetViewStyle(TViewStyle::Report);
    }
    TListHeader* header;
    TListViewWithHeader* list;
};

class ListHeaderTest : public ::testing::Test {
protected:
    void Load(const std::vector<int>& widths) {
        RegisterTitleResource("HeaderTest", TitleText(widths));
        form.header->SetFormatName("HeaderTest");
    }

    FixedMetrics metrics_;
    HeaderForm form;
};

TEST_F(ListHeaderTest, HeightFollowsRowsAndFont) {
    Load({10, 10});  // two rows
    EXPECT_EQ(form.header->height(), 30);
    form.header->SetFormatName("NoSuchFormat");  // an empty format has one row
    EXPECT_EQ(form.header->height(), 13 + 4);
    FixedMetrics wider({20, 9, 1});
    form.header->SetFont(QFont(QStringLiteral("Arial"), 12));  // a font change measures again
    EXPECT_EQ(form.header->height(), 20 + 1 + 4);
    EXPECT_EQ(form.header->Metrics(), (THeaderMetrics{20, 9, 1}));
}

TEST_F(ListHeaderTest, CellsListColumnsAndFrames) {
    struct Row {
        const char* name;
        std::vector<int> widths;
        std::int16_t scroll;
        std::vector<int> cellX;        // per display position
        std::vector<int> listWidths;   // the list's columns
    };
    const Row rows[] = {
        {"three columns", {10, 20, 5}, 0, {0, 60, 180}, {60, 120, 30}},
        {"scrolled by 50", {10, 20, 5}, 50, {-50, 10, 130}, {60, 120, 30}},
        {"a hidden column takes no room", {10, -7, 20}, 0, {0, 60, 60}, {60, 120}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Load(row.widths);
        form.list->SetHeaderName("Header1");
        form.header->SetScrollPos(row.scroll);
        std::vector<int> cellX;
        std::vector<int> listWidths;
        for (int p = 0; p < 3; ++p) cellX.push_back(form.header->CellRect(p).x());
        for (int c = 0; c < form.list->ColumnCount(); ++c) listWidths.push_back(form.list->ColumnWidth(c));
        EXPECT_EQ(cellX, row.cellX);
        EXPECT_EQ(listWidths, row.listWidths);
        EXPECT_EQ(form.list->ColumnAlignment(0), Qt::AlignRight);
    }
}

TEST_F(ListHeaderTest, PaintsOnlyCellsInTheClipAndTitlesRowByRow) {
    Load({10, 20, 5});
    TFakeCanvas canvas(96, TRect{70, 0, 100, 30});  // inside the second cell only
    form.header->Paint(canvas);
    ASSERT_EQ(canvas.texts.size(), 2u);
    EXPECT_EQ(canvas.texts[0].Bytes, "T2");
    EXPECT_EQ(canvas.texts[0].Y, 2);            // external leading + 2
    EXPECT_EQ(canvas.texts[1].Bytes, "u");
    EXPECT_EQ(canvas.texts[1].Y, 2 + 13);       // one line height lower
    EXPECT_EQ(canvas.texts[0].X, 60 + 2 + 6);   // text rectangle + left margin
    EXPECT_EQ(canvas.lines.size(), 4u);

    // Painted once for real: the frame's white left edge and black bottom edge.
    form.header->resize(400, form.header->height());
    const QImage image = form.header->grab().toImage();
    EXPECT_EQ(image.pixelColor(60, 10), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(100, form.header->height() - 1), QColor(Qt::black));
}

TEST_F(ListHeaderTest, BindingByExactNameAndClass) {
    Load({10, 20});
    auto* other = new QWidget(&form);
    other->setObjectName(QStringLiteral("Other"));
    form.list->SetHeaderName("header1");  // names compare case-sensitively
    EXPECT_EQ(form.list->HeaderName(), "");
    EXPECT_EQ(form.list->Header(), nullptr);
    EXPECT_EQ(form.list->ColumnCount(), 0);
    form.list->SetHeaderName("Header1");
    EXPECT_EQ(form.list->HeaderName(), "Header1");
    EXPECT_EQ(form.list->Header(), form.header);
    EXPECT_EQ(form.list->ColumnCount(), 2);
    form.list->SetHeaderName("Other");  // not a TListHeader: the bound one stays
    EXPECT_EQ(form.list->HeaderName(), "");
    EXPECT_EQ(form.list->Header(), form.header);
}

TEST_F(ListHeaderTest, HeaderFollowsTheListsScrolling) {
    Load({60, 60, 60});
    form.list->SetHeaderName("Header1");
    for (int i = 0; i < 5; ++i) form.list->AddItem(QStringLiteral("row"), {QStringLiteral("a"), QStringLiteral("b")});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QScrollBar* bar = form.list->ReportView().horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 120);
    bar->setValue(120);
    EXPECT_EQ(form.header->ScrollPos(), 120);
    EXPECT_EQ(form.header->CellRect(0).x(), -120);
    bar->setValue(0);
    EXPECT_EQ(form.header->ScrollPos(), 0);

    bar->setValue(120);
    form.list->resize(1200, 270);  // wide enough: the scroll bar goes
    QApplication::processEvents();
    EXPECT_EQ(bar->maximum(), 0);
    EXPECT_EQ(form.header->ScrollPos(), 0);

    form.list->resize(300, 270);
    QApplication::processEvents();
    bar->setValue(50);
    delete form.header;  // the header goes first
    bar->setValue(10);
    form.list->resize(310, 270);
    QApplication::processEvents();
    EXPECT_EQ(form.list->Header(), nullptr);
}

// --- a stored layout and the language's titles ------------------------------------

class StoredLayoutTest : public ::testing::Test {
protected:
    StoredLayoutTest() {
        saved_ = std::move(LanguageList->Languages);
        LanguageList->Languages = {ReadLanguage("<language id=\"T\" UserInterface=\"yes\"></language>"
                                                "<title name=\"HeaderTest\"><columnitem id=\"2\" row=\"1\">Length"
                                                "</columnitem><columnitem id=\"3\" row=\"2\">m</columnitem></title>")};
        LanguageList->SetLanguage("T");
        RegisterTitleResource("HeaderTest", TitleText({10, 10, 10}));
    }
    ~StoredLayoutTest() override {
        LanguageList->Languages = std::move(saved_);
        LanguageList->SetLanguage("");
    }

    testing_support::ScopedMachineRoot machine_;
    FixedMetrics metrics_;

private:
    std::vector<TLanguage> saved_;
};

TEST_F(StoredLayoutTest, ListColumnsFollowTheLayoutInEitherOrder) {
    {
        // Id 3 first, 20 wide and right-aligned; id 1 15 wide and centred; id 2 hidden.
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Software\\Lumivar\\TESTPROG\\Headers\\Items", true));
        registry.WriteString("Order", "3,1,2");
        registry.WriteString("1", "15lcS");
        registry.WriteString("2", "-7llS");
        registry.WriteString("3", "20lrS");
    }
    for (const bool bindFirst : {true, false}) {
        SCOPED_TRACE(bindFirst ? "bound, then loaded" : "loaded, then bound");
        HeaderForm form;
        form.header->SetRegistryName("Items");
        form.header->SetFormatName("HeaderTest");
        if (bindFirst) form.list->SetHeaderName("Header1");
        form.header->LoadFromRegistry("TESTPROG");
        if (!bindFirst) form.list->SetHeaderName("Header1");
        std::vector<int> widths;
        std::vector<Qt::Alignment> alignments;
        for (int c = 0; c < form.list->ColumnCount(); ++c) {
            widths.push_back(form.list->ColumnWidth(c));
            alignments.push_back(form.list->ColumnAlignment(c));
        }
        EXPECT_EQ(widths, (std::vector<int>{120, 90}));
        EXPECT_EQ(alignments, (std::vector<Qt::Alignment>{Qt::AlignRight, Qt::AlignHCenter}));
    }
}

TEST_F(StoredLayoutTest, AFormatLoadedByNameCarriesTheLanguagesTitles) {
    HeaderForm form;
    form.header->SetFormatName("HeaderTest");
    const TListHeaderFormat& format = form.header->Format();
    std::vector<std::string> titles;
    for (int c = 0; c < format.ColumnCount(); ++c) {
        titles.push_back(format.Column(c).GetTitle(0) + "|" + format.Column(c).GetTitle(1));
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"T1|u", "Length|u", "T3|m"}));
}

// --- window placement ------------------------------------------------------------

class PlacementTest : public ::testing::Test {
protected:
    PlacementTest() {
        form.setObjectName(QStringLiteral("ChangeHeaderForm"));
        form.setGeometry(50, 60, 200, 150);
        header.LoadFromRegistry("TESTPROG");  // sets the program key; no layout
    }
    std::string Stored(const char* key) {
        TRegistry registry;
        if (!registry.OpenKey(key, false) || !registry.ValueExists("ChangeHeaderForm")) return "<none>";
        return registry.ReadString("ChangeHeaderForm");
    }

    testing_support::ScopedMachineRoot machine_;
    TListHeader header;
    TForm form;
};

constexpr char kPositionKey[] =
    "Software\\Lumivar\\TESTPROG\\FormMaximalization\\Software\\Lumivar\\TESTPROG\\FormPosition";

TEST_F(PlacementTest, PositionIsWrittenUnderTheDoubledChain) {
    form.move(10, 20);
    form.resize(300, 200);
    header.WriteMaximalization(form);
    EXPECT_EQ(Stored(kPositionKey), "10,20,300,200");
    std::ifstream file(machine_.Path() / "registry" / "HKEY_CURRENT_USER.reg", std::ios::binary);
    const std::string reg{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_NE(reg.find(std::string("[HKEY_CURRENT_USER\\") + kPositionKey + "]"), std::string::npos);
}

TEST_F(PlacementTest, StoredPositionsReadBackOrAreIgnoredWhole) {
    struct Row {
        const char* name;
        const char* text;
        TFormBorderStyle border;
        QRect expected;
    };
    const QRect own(50, 60, 200, 150);
    const Row rows[] = {
        {"sizeable: all four", "10,20,300,200", TFormBorderStyle::bsSizeable, QRect(10, 20, 300, 200)},
        {"fixed border: Left and Top only", "10,20,300,200", TFormBorderStyle::bsDialog, QRect(10, 20, 200, 150)},
        {"a width below 1", "10,20,0,200", TFormBorderStyle::bsSizeable, own},
        {"off every screen", "-5000,-5000,300,200", TFormBorderStyle::bsSizeable, own},
        {"no number", "abc,20", TFormBorderStyle::bsSizeable, own},
        {"a lone number is the height", "120", TFormBorderStyle::bsSizeable, QRect(50, 60, 200, 120)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        {
            TRegistry registry;
            ASSERT_TRUE(registry.OpenKey(kPositionKey, true));
            registry.WriteString("ChangeHeaderForm", row.text);
        }
        form.setGeometry(own);
        form.SetBorderStyle(row.border);
        EXPECT_NO_THROW(header.ReadMaximalization(form));
        EXPECT_EQ(QRect(form.pos(), form.size()), row.expected);
    }
}

TEST_F(PlacementTest, MaximisedFormStoresTrueAndNoPosition) {
    form.setWindowState(Qt::WindowMaximized);
    header.WriteMaximalization(form);
    EXPECT_EQ(Stored(kPositionKey), "<none>");
    TForm other;
    other.setObjectName(QStringLiteral("ChangeHeaderForm"));
    header.ReadMaximalization(other);
    EXPECT_TRUE(other.windowState() & Qt::WindowMaximized);
}

}  // namespace
