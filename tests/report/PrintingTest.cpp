// The print dialog: options kept in the registry, the item choice, and what
// OK and Preview start.
#include "report/ReportTestSupport.h"

#include "app/Main.h"
#include "lang/Languages.h"
#include "platform/base/Registry.h"
#include "platform/ui/ListView.h"
#include "project/ProgramOptions.h"
#include "report/GotoPage.h"
#include "report/PrintPreview.h"
#include "report/Printing.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace report_testing;

namespace {

class PrintingTest : public ReportFixture {
protected:
    PrintingTest() : project(MakeProject(3)) {}
    void SetUp() override {
        ReportFixture::SetUp();
        // The print dialog's own state, as at program start.
        PrintingOptionSet = TPrintingOptionSet();
        ReportTitle.clear();
    }
    template <class T>
    static T& Find(TPrintingForm& form, const char* name) {
        T* widget = form.FindComponentAs<T>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    static bool Checked(TPrintingForm& form, const char* name) { return Find<QCheckBox>(form, name).isChecked(); }

    TProject project;
};

const char* const kBoxes[] = {"ProjektDataCheckBox", "ProjektNameCheckBox", "PageNumberCheckBox", "DateCheckBox"};

}  // namespace

TEST_F(PrintingTest, FirstRunHasEveryOptionOn) {
    TPrintingForm form(nullptr, project);
    for (const char* box : kBoxes) EXPECT_TRUE(Checked(form, box)) << box;
    EXPECT_TRUE(Find<QRadioButton>(form, "All").isChecked());
    EXPECT_EQ(Find<QLabel>(form, "PrinterName").text(), QStringLiteral("Fake printer"));
    EXPECT_EQ(Find<TListView>(form, "ListView").Count(), 3);
    EXPECT_EQ(Find<QLineEdit>(form, "Title").maxLength(), 60);
}

TEST_F(PrintingTest, EachOptionLandsInItsOwnValueAndBox) {
    const char* const values[] = {"ProjektData", "ProjektName", "PageNumber", "Date"};
    for (int off = 0; off < 4; ++off) {
        SCOPED_TRACE(values[off]);
        {
            TPrintingForm form(nullptr, project);
            for (int i = 0; i < 4; ++i) Find<QCheckBox>(form, kBoxes[i]).setChecked(i != off);
            Find<QPushButton>(form, "Preview").click();
        }
        TRegistry registry;
        ASSERT_TRUE(OpenProgramKey(registry) && registry.OpenKey("PrintingOptions", false));
        PrintingOptionSet = TPrintingOptionSet();
        TPrintingForm next(nullptr, project);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(registry.ReadBool(values[i]), i != off) << values[i];
            EXPECT_EQ(Checked(next, kBoxes[i]), i != off) << kBoxes[i];
        }
    }
}

TEST_F(PrintingTest, OptionsAreStoredByOkAndPreviewNotByCancel) {
    struct Case {
        const char* button;
        bool stored;
        std::size_t printed;
    };
    for (const Case& c : {Case{"Cancel", false, 0}, Case{"Preview", true, 0}, Case{"OK", true, 3}}) {
        SCOPED_TRACE(c.button);
        printer.pages.clear();
        printer.ended = false;
        {
            TPrintingForm form(nullptr, project);
            Find<QCheckBox>(form, "DateCheckBox").setChecked(false);
            Find<QLineEdit>(form, "Title").setText(QStringLiteral("Boiler house"));
            Find<QPushButton>(form, c.button).click();
        }
        EXPECT_EQ(printer.pages.size(), c.printed);
        // The printed report follows the dialog: its title, the file name, no date.
        for (const auto& page : printer.pages) {
            EXPECT_NE(page->AllText().find("Boiler house"), std::string::npos);
            EXPECT_NE(page->AllText().find("plant.kvr"), std::string::npos);
            EXPECT_EQ(page->AllText().find("2004-02-03"), std::string::npos);
        }
        // A new dialog reads the registry again.
        PrintingOptionSet = TPrintingOptionSet();
        ReportTitle.clear();
        TPrintingForm next(nullptr, project);
        EXPECT_EQ(Checked(next, "DateCheckBox"), !c.stored);
        EXPECT_TRUE(Checked(next, "PageNumberCheckBox"));
        PrintingOptionSet.Set(TPrintingOption::Date, true);
        PrintingOptionSet.Store();
    }
    EXPECT_EQ(ModalForms, (std::vector<QString>{QStringLiteral("PrintPreviewForm")}));
}

TEST_F(PrintingTest, SelectedItemsNeedASelection) {
    TPrintingForm form(nullptr, project);
    TListView& list = Find<TListView>(form, "ListView");
    Find<QRadioButton>(form, "SelectedOnly").setChecked(true);
    Find<QPushButton>(form, "OK").click();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, LanguageList->GetString("IDS_NEEDSELECTION"));
    EXPECT_EQ(Boxes[0].Flags, 0x30u);
    EXPECT_TRUE(printer.pages.empty());
    EXPECT_EQ(form.ModalResult(), mrNone);

    // Selecting a row switches to the selected items; All then prints every one.
    list.SetSelected(1, true);
    EXPECT_TRUE(Find<QRadioButton>(form, "SelectedOnly").isChecked());
    Find<QRadioButton>(form, "All").setChecked(true);
    Find<QPushButton>(form, "OK").click();
    EXPECT_EQ(printer.pages.size(), 3u);
    EXPECT_EQ(form.ModalResult(), mrOk);
}

TEST_F(PrintingTest, PrintingToAFileAsksItsNameFirst) {
    printer.needsFile = true;
    project.FileName = "C:\\Projects\\plant.kvr";
    TPrintingForm form(nullptr, project);
    Find<QPushButton>(form, "OK").click();  // the file dialog is cancelled
    EXPECT_TRUE(printer.pages.empty());
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(form.ModalResult(), mrNone);

    DialogAnswers.push_back(WorkFile("plant.pdf"));
    Find<QPushButton>(form, "OK").click();
    EXPECT_EQ(printer.file, WorkFile("plant.pdf"));
    EXPECT_EQ(Find<QLabel>(form, "PrinterName").text().toStdString(), "Fake: " + WorkFile("plant.pdf").string());
    EXPECT_EQ(printer.pages.size(), 3u);
    EXPECT_EQ(form.ModalResult(), mrOk);
}

TEST_F(PrintingTest, EnglishTranslatesTheReportWindows) {
    LanguageList->CompressedOnly = false;
    LanguageList->Load(ProgramFolder() / "languages" / "*.xm?");
    LanguageList->SetLanguage("English");
    const TLanguage* english = LanguageList->CurrentLanguage();
    ASSERT_NE(english, nullptr);
    TRows rows(3);
    TItemReport job(project, rows, true, {20, 20, 15, 20}, options, title);
    Prepare(job);
    job.Preview(nullptr);
    TPrintingForm printing(nullptr, project);
    TPrintPreviewForm preview(nullptr, job);
    TGotoPageForm gotoPage(nullptr, 3, 1);
    struct Case {
        TForm* form;
        QString caption;
    };
    for (const Case& c : {Case{&printing, QStringLiteral("Print")}, Case{&preview, QStringLiteral("Print preview")},
                          Case{&gotoPage, QStringLiteral("Go to page")}}) {
        SCOPED_TRACE(c.form->objectName().toStdString());
        EXPECT_EQ(c.form->windowTitle(), c.caption);
        int items = 0;
        for (const TLanguageForm& form : english->Forms) {
            if (form.Name != c.form->Name()) continue;
            for (const TLanguageFormItem& item : form.Items) {
                ++items;
                EXPECT_NE(c.form->FindComponent(item.Name), nullptr) << item.Name;
            }
        }
        EXPECT_GT(items, 2);
    }
    EXPECT_EQ(printing.FindComponentAs<QPushButton>(QStringLiteral("OK"))->text(), QStringLiteral("Print"));
    EXPECT_EQ(preview.FindComponentAs<QPushButton>(QStringLiteral("Cancel"))->text(), QStringLiteral("Back"));
}

TEST_F(PrintingTest, PrintCommandOpensTheDialogWhoseHelpIsPage102) {
    ShipHelp();
    TMainForm& main = Start();
    main.Project().Items.push_back(TItem());
    main.UpdateActionStates();
    QAction& print = *main.FindComponentAs<QAction>(QStringLiteral("PrintAction"));
    ASSERT_TRUE(print.isEnabled());
    print.trigger();
    EXPECT_EQ(ModalForms, (std::vector<QString>{QStringLiteral("PrintingForm")}));
    TPrintingForm form(&main, main.Project());
    Find<QPushButton>(form, "Help").click();
    ASSERT_EQ(OpenedUrls.size(), 1u);
    EXPECT_TRUE(OpenedUrls[0].toLocalFile().endsWith(QStringLiteral("help/102.html")));
}

TEST_F(PrintingTest, FailedRunIsShownOnceAndTidiedUp) {
    SetDiagramDrawer([](const TItem&, QWidget*, TCanvas&, const TRect&) { throw Exception("chart failed"); });
    project.Items[1].CalculationType = CalcMode::Optimum;
    TPrintingForm form(nullptr, project);
    Find<QPushButton>(form, "OK").click();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "chart failed");
    EXPECT_TRUE(printer.aborted);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(form.ModalResult(), mrNone);
}

TEST_F(PrintingTest, SetupChoosesWhereTheNextJobGoesAndPrintsNothing) {
    struct Case {
        const char* button;
        const char* where;  // the radio button the user picks
        const char* paper;
        TPrinterChoice chosen;
        QString shown;
    };
    const Case cases[] = {
        {"Cancel", "PrinterRadioButton", "A3", {"Laser", "A4", false}, QStringLiteral("Laser")},
        {"OK", "PrinterRadioButton", "A3", {"Plotter", "A3", true}, QStringLiteral("Plotter")},
        {"OK", "PdfRadioButton", "A5", {"", "A5", true}, QStringLiteral("Fake printer")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.button << " " << c.where);
        printer.choice = {"Laser", "A4", false};
        printer.documents.clear();
        printer.pages.clear();
        printer.ended = false;
        TPrintingForm form(nullptr, project);
        const ModalRunner previous = SetModalRunner([&](TForm& setup) {
            ModalForms.push_back(setup.objectName());
            auto& printers = *setup.FindComponentAs<QComboBox>(QStringLiteral("PrinterComboBox"));
            printers.setCurrentIndex(1);
            emit printers.activated(1);
            setup.FindComponentAs<QRadioButton>(QString::fromLatin1(c.where))->setChecked(true);
            auto& papers = *setup.FindComponentAs<QComboBox>(QStringLiteral("PaperComboBox"));
            papers.setCurrentIndex(papers.findText(QString::fromLatin1(c.paper)));
            setup.FindComponentAs<QRadioButton>(QStringLiteral("LandscapeRadioButton"))->setChecked(true);
            setup.FindComponentAs<QPushButton>(QString::fromLatin1(c.button))->click();
            return setup.ModalResult();
        });
        Find<QPushButton>(form, "Setup").click();
        SetModalRunner(previous);
        EXPECT_EQ(ModalForms.back(), QStringLiteral("PrinterSetupForm"));
        EXPECT_TRUE(printer.pages.empty());
        EXPECT_EQ(printer.choice, c.chosen);
        EXPECT_EQ(Find<QLabel>(form, "PrinterName").text(), c.shown);
        // The next job goes where the setup sent it.
        Find<QPushButton>(form, "OK").click();
        ASSERT_EQ(printer.documents.size(), 1u);
        EXPECT_EQ(printer.documents[0], c.chosen);
    }
}
