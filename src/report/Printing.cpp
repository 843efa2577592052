#include "report/Printing.h"

#include "app/Icons.h"
#include "app/ListViewItems.h"
#include "lang/Languages.h"
#include "platform/base/Printer.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/CursorWait.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/QtPrinter.h"
#include "platform/ui/QtText.h"
#include "platform/win/MessageBox.h"
#include "project/ProgramOptions.h"
#include "project/Project.h"
#include "report/PrintPreview.h"
#include "report/PrinterOutput.h"
#include "report/PrinterSetup.h"
#include "report/PrintingOptions.h"
#include "report/Report.h"
#include "ui_Printing.h"

#include <QListView>
#include <QPalette>
#include <QTreeView>

namespace {

constexpr int kHelpContext = 102;

struct TOptionBox {
    TPrintingOption Option;
    QCheckBox* Ui::PrintingForm::*Box;
};
constexpr TOptionBox kOptionBoxes[] = {
    {TPrintingOption::ProjektData, &Ui::PrintingForm::ProjektDataCheckBox},
    {TPrintingOption::ProjektName, &Ui::PrintingForm::ProjektNameCheckBox},
    {TPrintingOption::PageNumber, &Ui::PrintingForm::PageNumberCheckBox},
    {TPrintingOption::Date, &Ui::PrintingForm::DateCheckBox},
};

TRect MarginsMm() {
    if (!AppOptions) return {20, 20, 15, 20};  // the options' defaults
    return {AppOptions->LeftMargin, AppOptions->TopMargin, AppOptions->RightMargin, AppOptions->BottomMargin};
}

}  // namespace

TPrintingForm::TPrintingForm(QWidget* owner, const TProject& project)
    : TForm(owner), ui_(std::make_unique<Ui::PrintingForm>()), project_(project) {
    ui_->setupUi(this);
    SetHelpContext(kHelpContext);
    TListView& list = *ui_->ListView;
    ShowItemImages(*this, list);
    list.SetMultiSelect(true);
    list.SetReadOnly(true);
    // The selection stays as visible when the list loses the focus.
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(&list.ItemView()),
                                    static_cast<QAbstractItemView*>(&list.ReportView())}) {
        QPalette palette = view->palette();
        palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Active, QPalette::HighlightedText));
        view->setPalette(palette);
    }
    pdfDialog_ = CreatePdfDialog(this);

    OnClick(*ui_->Preview, this, [this] { PreviewClick(); });
    OnClick(*ui_->OK, this, [this] { OKClick(); });
    BindModalResult(*ui_->Cancel, mrCancel);
    OnClick(*ui_->Help, this, [this] { HelpClick(); });
    OnClick(*ui_->Setup, this, [this] { SetupClick(); });
    OnSelectItem(list, this, [this](int item, bool selected) { ListViewSelectItem(item, selected); });

    LanguageList->TranslateForm(*this);
    PrintingOptionSet.Load();
    rows_ = std::make_unique<TListViewItems>(list);
    project_.FillListView(*rows_);
    ShowPrinterName();
    ui_->Title->setText(ToQString(ReportTitle));
    for (const TOptionBox& box : kOptionBoxes) (ui_.get()->*box.Box)->setChecked(PrintingOptionSet.Contains(box.Option));
}

TPrintingForm::~TPrintingForm() = default;

void TPrintingForm::ShowPrinterName() { ui_->PrinterName->setText(ToQString(Printer().Name())); }

bool TPrintingForm::StoreOptions() {
    ReportTitle = FromQString(ui_->Title->text());
    for (const TOptionBox& box : kOptionBoxes) PrintingOptionSet.Set(box.Option, (ui_.get()->*box.Box)->isChecked());
    PrintingOptionSet.Store();
    if (ui_->All->isChecked() || ui_->ListView->SelCount() > 0) return true;
    win::MessageBox(LanguageList->GetString("IDS_NEEDSELECTION"), LanguageList->GetString("IDS_PROGRAMTITLE"),
                    win::MB_OK | win::MB_ICONEXCLAMATION);
    return false;
}

std::unique_ptr<TItemReport> TPrintingForm::MakeJob() const {
    return std::make_unique<TItemReport>(project_, *rows_, ui_->All->isChecked(), MarginsMm(), PrintingOptionSet,
                                         ReportTitle);
}

void TPrintingForm::OKClick() {
    if (!StoreOptions()) return;
    if (!ChoosePrinterOutput(Printer(), *pdfDialog_, project_.FileName)) return;
    ShowPrinterName();
    const std::unique_ptr<TItemReport> job = MakeJob();
    job->Print(this);
    SetModalResult(mrOk);
}

void TPrintingForm::PreviewClick() {
    if (!StoreOptions()) return;
    const std::unique_ptr<TItemReport> job = MakeJob();
    job->Preview(this);
    TPrintPreviewForm preview(this, *job);
    preview.ShowModal();
    ShowPrinterName();
}

void TPrintingForm::SetupClick() {
    TPrinterSetupForm setup(this, Printer());
    if (setup.ShowModal() == mrOk) ShowPrinterName();
}

void TPrintingForm::HelpClick() { ShowHelp(); }

void TPrintingForm::ListViewSelectItem(int /*item*/, bool selected) {
    if (selected) ui_->SelectedOnly->setChecked(true);
}
