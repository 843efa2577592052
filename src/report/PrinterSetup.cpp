#include "report/PrinterSetup.h"

#include "lang/Languages.h"
#include "platform/base/Printer.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/QtText.h"
#include "ui_PrinterSetup.h"

#include <algorithm>

TPrinterSetupForm::TPrinterSetupForm(QWidget* owner, TPrinter& printer)
    : TForm(owner), ui_(std::make_unique<Ui::PrinterSetupForm>()), printer_(printer) {
    ui_->setupUi(this);
    OnClick(*ui_->OK, this, [this] { OKClick(); });
    BindModalResult(*ui_->Cancel, mrCancel);
    LanguageList->TranslateForm(*this);

    const TPrinterChoice choice = printer_.Choice();
    for (const std::string& name : printer_.Printers()) ui_->PrinterComboBox->addItem(ToQString(name));
    const bool havePrinters = ui_->PrinterComboBox->count() > 0;
    ui_->PrinterRadioButton->setEnabled(havePrinters);
    ui_->PrinterComboBox->setEnabled(havePrinters);
    const int current = ui_->PrinterComboBox->findText(ToQString(choice.Printer));
    if (current >= 0) ui_->PrinterComboBox->setCurrentIndex(current);
    (current >= 0 ? ui_->PrinterRadioButton : ui_->PdfRadioButton)->setChecked(true);
    ui_->PaperComboBox->addItem(ToQString(choice.Paper));
    FillPapers();
    (choice.Landscape ? ui_->LandscapeRadioButton : ui_->PortraitRadioButton)->setChecked(true);

    OnChange(*ui_->PrinterComboBox, this, [this] {
        ui_->PrinterRadioButton->setChecked(true);
        FillPapers();
    });
    OnClick(*ui_->PrinterRadioButton, this, [this] { FillPapers(); });
    OnClick(*ui_->PdfRadioButton, this, [this] { FillPapers(); });
}

TPrinterSetupForm::~TPrinterSetupForm() = default;

std::string TPrinterSetupForm::ChosenPrinter() const {
    return ui_->PrinterRadioButton->isChecked() ? FromQString(ui_->PrinterComboBox->currentText()) : std::string();
}

void TPrinterSetupForm::FillPapers() {
    QComboBox& papers = *ui_->PaperComboBox;
    const QString selected = papers.currentText();
    papers.clear();
    for (const std::string& name : printer_.Papers(ChosenPrinter())) papers.addItem(ToQString(name));
    papers.setCurrentIndex(std::max(0, papers.findText(selected)));
}

void TPrinterSetupForm::OKClick() {
    printer_.SetChoice({ChosenPrinter(), FromQString(ui_->PaperComboBox->currentText()),
                        ui_->LandscapeRadioButton->isChecked()});
    SetModalResult(mrOk);
}
