#pragma once
// The printer setup: where the report goes (an installed printer or the PDF
// file) and on what paper, upright or on its side. It prints nothing; OK
// hands the choice to the printer for its next document.

#include "platform/ui/Form.h"

#include <memory>
#include <string>

class TPrinter;

namespace Ui {
class PrinterSetupForm;
}

class TPrinterSetupForm : public TForm {
    Q_OBJECT

public:
    // Translated and showing the printer's current choice; the printer must
    // outlive the form.
    TPrinterSetupForm(QWidget* owner, TPrinter& printer);
    ~TPrinterSetupForm() override;

    // Gives the printer the choice and closes with OK.
    void OKClick();

private:
    // The paper sizes of the printer chosen, keeping the one selected when
    // that printer takes it.
    void FillPapers();
    std::string ChosenPrinter() const;

    std::unique_ptr<Ui::PrinterSetupForm> ui_;
    TPrinter& printer_;
};
