#include "listheader/ChangeHeader.h"

#include "lang/Languages.h"
#include "listheader/ListHeader.h"
#include "listheader/ListViewWithHeader.h"
#include "listheader/Listheaderformat.h"
#include "listheader/TitleResources.h"
#include "platform/base/Registry.h"
#include "platform/base/SysUtils.h"
#include "platform/win/RegistryStore.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QImage>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Columns with ids 1, 2, 3, 4: text, integer, hidden real, real.
constexpr char kTitle[] =
    "2\r\n4\r\n10\r\nSll1\r\nName\r\n\r\n8\r\nIrr2\r\nCount\r\npcs\r\n-12\r\n5.2fcc3\r\nHidden\r\n\r\n"
    "14\r\n3.1Fcr4\r\nd\\u2\r\nmm\r\n";

template <class T>
T& Child(QWidget& form, const char* name) {
    T* child = form.findChild<T*>(QString::fromLatin1(name));
    if (!child) throw std::runtime_error(name);
    return *child;
}

class ChangeHeaderTest : public ::testing::Test {
protected:
    ChangeHeaderTest() : metrics_(SetHeaderMetricsHook([](const QFont&) { return THeaderMetrics{13, 6, 0}; })) {
        saved_ = std::move(LanguageList->Languages);
        compressedOnly_ = LanguageList->CompressedOnly;
        LanguageList->Languages = {ReadLanguage(
            "<language id=\"T\" UserInterface=\"yes\"></language><strings>"
            "<item id=\"32000\" value=\"first stays\"></item><item id=\"IDS_PROGRAMTITLE\" value=\"P\"></item>"
            "<item id=\"IDS_WRONGVALUE\" value=\"bad\"></item></strings>")};
        LanguageList->SetLanguage("T");
        format.ReadTitleText(kTitle);
        before = format;
    }
    ~ChangeHeaderTest() override {
        LanguageList->Languages = std::move(saved_);
        LanguageList->CompressedOnly = compressedOnly_;
        LanguageList->SetLanguage("");
        SetHeaderMetricsHook(std::move(metrics_));
    }

    std::unique_ptr<TChangeHeaderForm> Open(std::string registryName = "Items") {
        return std::make_unique<TChangeHeaderForm>(nullptr, &format, QFont(QStringLiteral("Arial"), 10), "TESTPROG",
                                                   std::move(registryName));
    }
    static void Select(TChangeHeaderForm& form, int row) { Child<QListWidget>(form, "ColumnsList").setCurrentRow(row); }
    static void Type(TChangeHeaderForm& form, const char* edit, const char* text) {
        QLineEdit& line = Child<QLineEdit>(form, edit);
        line.clear();
        QTest::keyClicks(&line, QString::fromUtf8(text));
    }
    static bool LayoutStored() {
        return win::RegKeyExists(win::HKey::CurrentUser, "Software\\Lumivar\\TESTPROG\\Headers\\Items");
    }

    testing_support::ScopedMachineRoot machine_;
    testing_support::ScopedMessageBoxRecorder boxes_;
    HeaderMetricsHook metrics_;
    std::vector<TLanguage> saved_;
    bool compressedOnly_ = true;
    TListHeaderFormat format;
    TListHeaderFormat before;
};

TEST_F(ChangeHeaderTest, ControlsFollowThePosition) {
    // Enabled: title and data alignment, up, down, ShowZero, Precision, Factor.
    const char* const rows[] = {"0000000", "1101100", "1111110", "1110111"};
    auto form = Open();
    EXPECT_EQ(Child<QListWidget>(*form, "ColumnsList").item(2)->checkState(), Qt::Unchecked);
    for (int position = 0; position < 4; ++position) {
        SCOPED_TRACE(position);
        Select(*form, position);
        if (position == 3) Child<QCheckBox>(*form, "UserDefined").setChecked(true);  // the factor needs it
        std::string enabled;
        for (const char* name : {"TitleAlignment", "DataAlignment", "MoveUpButton", "MoveDownButton", "ShowZero",
                                 "Precision", "Factor"})
            enabled += Child<QWidget>(*form, name).isEnabled() ? '1' : '0';
        EXPECT_EQ(enabled, rows[position]);
        EXPECT_EQ(form->CurrentPosition(), position);
    }
}

TEST_F(ChangeHeaderTest, TypedValuesAreStoredClampedOrRefused) {
    struct Row {
        const char* edit;
        const char* text;
        const char* stored;  // column 4's width, digits, decimals and factor; "" when refused
    };
    // Position 3 is the real column with id 4: width 14, 3 digits, 1 decimal.
    // Refused rows first: nothing may be stored before them.
    const Row rows[] = {
        {"Width", "abc", ""},         {"Factor", "x", ""},           {"Factor", "1E39", ""},
        {"Width", "1", "3 3 1 1"},    {"Width", "40000", "32767 3 1 1"}, {"Precision", "150", "14 99 1 1"},
        {"Factor", "2,5", "14 3 1 2.5"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.edit) + " " + row.text);
        format = before;
        boxes_.Shown.clear();
        auto form = Open();
        Select(*form, 3);
        Child<QCheckBox>(*form, "UserDefined").setChecked(true);
        Type(*form, row.edit, row.text);
        Child<QPushButton>(*form, "OK").click();
        const TListHeaderFormatCol& c = *format.ColumnAt(3);
        if (*row.stored) {
            EXPECT_EQ(std::to_string(c.Width) + " " + std::to_string(c.Digits) + " " + std::to_string(c.Decimals) +
                          " " + FloatToStr(c.Factor),
                      row.stored);
            EXPECT_EQ(c.GetUserLine(0), "d\\u2");  // the user's lines start from the titles
            EXPECT_EQ(form->ModalResult(), mrOk);
        } else {
            EXPECT_EQ(boxes_.Shown.size(), 1u);
            EXPECT_EQ(form->ModalResult(), mrNone);  // the dialog stays open on the field
            EXPECT_EQ(form->focusWidget(), &Child<QLineEdit>(*form, row.edit));
            EXPECT_FALSE(LayoutStored());
        }
    }
}

TEST_F(ChangeHeaderTest, UserLinesRefuseTheFieldSeparator) {
    auto form = Open();
    Select(*form, 1);
    Child<QCheckBox>(*form, "UserDefined").setChecked(true);
    Type(*form, "FirstLine", "a@b");
    EXPECT_EQ(Child<QLineEdit>(*form, "FirstLine").text(), QStringLiteral("ab"));
    Child<QLineEdit>(*form, "SecondLine").setText(QStringLiteral("c@d"));  // setText passes the validator
    Child<QPushButton>(*form, "OK").click();
    EXPECT_EQ(format.ColumnAt(1)->GetUserLine(0), "ab");
    EXPECT_EQ(format.ColumnAt(1)->GetUserLine(1), "cd");
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Lumivar\\TESTPROG\\Headers\\Items", false));
    EXPECT_EQ(registry.ReadString("2"), "8rrI@ab@cd@1");
}

TEST_F(ChangeHeaderTest, MovingKeepsCheckMarksWithTheirColumns) {
    auto form = Open();
    QListWidget& list = Child<QListWidget>(*form, "ColumnsList");
    Select(*form, 2);  // the hidden column
    Child<QPushButton>(*form, "MoveUpButton").click();
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(list.item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list.item(2)->checkState(), Qt::Checked);
    Child<QPushButton>(*form, "MoveUpButton").click();  // nothing moves into position 0
    Child<QPushButton>(*form, "MoveDownButton").click();
    Child<QPushButton>(*form, "MoveDownButton").click();
    Child<QPushButton>(*form, "OK").click();
    EXPECT_EQ(format.OrderText(), "1,2,4,3");
    EXPECT_FALSE(format.ColumnAt(3)->Visible);
}

TEST_F(ChangeHeaderTest, CancelPutsEverythingBackAndWritesNothing) {
    auto form = Open();
    Select(*form, 3);
    Type(*form, "Width", "40");
    Child<QCheckBox>(*form, "UserDefined").setChecked(true);
    Child<QPushButton>(*form, "MoveUpButton").click();
    Child<QListWidget>(*form, "ColumnsList").item(1)->setCheckState(Qt::Unchecked);
    Child<QPushButton>(*form, "Cancel").click();
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(format, before);
    EXPECT_FALSE(LayoutStored());

    auto escaped = Open();
    Select(*escaped, 1);
    Child<QCheckBox>(*escaped, "UserDefined").setChecked(true);
    QTest::keyClick(escaped.get(), Qt::Key_Escape);  // Escape is Cancel
    EXPECT_EQ(format, before);
}

TEST_F(ChangeHeaderTest, FirstColumnStaysVisible) {
    auto form = Open();
    Child<QListWidget>(*form, "ColumnsList").item(0)->setCheckState(Qt::Unchecked);
    Child<QListWidget>(*form, "ColumnsList").item(1)->setCheckState(Qt::Unchecked);
    Child<QPushButton>(*form, "OK").click();
    ASSERT_EQ(boxes_.Shown.size(), 1u);
    EXPECT_EQ(boxes_.Shown[0].Text, "first stays");
    EXPECT_EQ(boxes_.Shown[0].Flags, 0u);
    EXPECT_TRUE(format.ColumnAt(0)->Visible);
    EXPECT_FALSE(format.ColumnAt(1)->Visible);
    EXPECT_EQ(form->ModalResult(), mrOk);
    EXPECT_TRUE(LayoutStored());
}

TEST_F(ChangeHeaderTest, WithoutARegistryNameOnlyTheFormatChanges) {
    auto form = Open("");
    Type(*form, "Width", "30");
    Child<QPushButton>(*form, "OK").click();
    EXPECT_EQ(format.ColumnAt(0)->Width, 30);
    EXPECT_FALSE(win::RegKeyExists(win::HKey::CurrentUser, "Software\\Lumivar\\TESTPROG"));
}

TEST_F(ChangeHeaderTest, HeaderRunsTheEditorAndRebuildsItsList) {
    RegisterTitleResource("EditorTest", kTitle);
    TForm owner;
    auto* header = new TListHeader(&owner);
    header->setObjectName(QStringLiteral("Header1"));
    auto* list = new TListViewWithHeader(&owner);
    header->SetFormatName("EditorTest");
    header->SetRegistryName("Items");
    header->LoadFromRegistry("TESTPROG");
    list->SetHeaderName("Header1");
    list->AddItem(QStringLiteral("row"));
    header->SetScrollPos(40);
    EXPECT_EQ(list->ColumnCount(), 3);

    struct Row {
        int result, columns, rows;
    };
    for (const Row row : {Row{mrCancel, 3, 1}, Row{mrOk, 2, 0}}) {
        SCOPED_TRACE(row.result);
        ModalRunner previous = SetModalRunner([&](TForm& form) {
            Child<QListWidget>(form, "ColumnsList").item(1)->setCheckState(Qt::Unchecked);
            Child<QPushButton>(form, row.result == mrOk ? "OK" : "Cancel").click();
            return form.ModalResult();
        });
        EXPECT_EQ(header->ChangeColumnsPropertis(), row.result == mrOk);
        SetModalRunner(std::move(previous));
        EXPECT_EQ(list->ColumnCount(), row.columns);
        EXPECT_EQ(list->Count(), row.rows);
    }
    EXPECT_EQ(header->ScrollPos(), 0);
    TRegistry registry;
    EXPECT_TRUE(registry.OpenKey(
        "Software\\Lumivar\\TESTPROG\\FormMaximalization\\Software\\Lumivar\\TESTPROG\\FormPosition", false));
}

// Dark pixels in rows [from, to) of a widget's picture, right of `left`:
// where text was drawn.
int InkIn(QWidget& widget, int from = 0, int to = 1 << 20, int left = 0) {
    const QImage image = widget.grab().toImage();
    int ink = 0;
    for (int y = std::max(from, 0); y < std::min(to, image.height()); ++y)
        for (int x = left; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 96 ? 1 : 0;
    return ink;
}

TEST_F(ChangeHeaderTest, PreviewAndListDrawTheTitles) {
    auto form = Open();
    QWidget& preview = Child<QWidget>(*form, "ViewPanel");
    QListWidget& list = Child<QListWidget>(*form, "ColumnsList");
    // Two rows of 13 pixels centred in the preview's height.
    const int secondRow = (preview.height() - 2 * 13) / 2 + 13;
    EXPECT_GT(InkIn(preview, 0, secondRow), 0);  // "Name"
    EXPECT_EQ(InkIn(preview, secondRow, preview.height()), 0);
    Select(*form, 3);  // "d\\u2" over "mm"
    EXPECT_GT(InkIn(preview, secondRow, preview.height()), 0);
    list.doItemsLayout();
    const QRect first = list.visualItemRect(list.item(0));
    EXPECT_EQ(first.height(), 13 + 4);
    EXPECT_GT(InkIn(list, 0, 1 << 20, first.left() + 30), 0);  // right of the check boxes
}

TEST_F(ChangeHeaderTest, EnglishTranslationAndOwnFont) {
    LanguageList->CompressedOnly = false;
    LanguageList->Load(std::filesystem::path(SOURCE_ROOT) / "languages" / "*.xml");
    LanguageList->SetLanguage("English");
    auto form = Open();
    EXPECT_EQ(form->Caption(), "Column header");
    EXPECT_EQ(Child<QCheckBox>(*form, "UserDefined").text(), QStringLiteral("Use own header"));
    EXPECT_EQ(form->font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(form->HelpContext(), 111);
    EXPECT_FALSE(LanguageList->GetString("32000").empty());
}

}  // namespace
