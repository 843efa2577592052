#pragma once
// The print dialog: the printer, the page-frame options and the title, and
// the project's items with the choice of all or the selected ones; prints
// the report or shows its preview.

#include "platform/ui/Form.h"

#include <memory>

class TItemReport;
class TListViewItems;
class TProject;
class TSaveDialog;

namespace Ui {
class PrintingForm;
}

class TPrintingForm : public TForm {
    Q_OBJECT

public:
    // Translated; the options from the registry, the items, the printer's
    // name, the title of this program run. The project must outlive the form.
    TPrintingForm(QWidget* owner, const TProject& project);
    ~TPrintingForm() override;

    // Takes the title and the options and stores the options; false, after
    // the "IDS_NEEDSELECTION" message, when only selected items are to be
    // printed and none is selected.
    bool StoreOptions();
    // Prints and closes; a cancelled choice of the PDF file leaves the dialog open.
    void OKClick();
    // Shows the preview; the dialog stays open.
    void PreviewClick();
    // The printer setup; after OK the printer's name shows the choice.
    void SetupClick();
    void HelpClick();
    // Selecting an item switches to the selected items.
    void ListViewSelectItem(int item, bool selected);

private:
    std::unique_ptr<TItemReport> MakeJob() const;
    void ShowPrinterName();

    std::unique_ptr<Ui::PrintingForm> ui_;
    const TProject& project_;
    std::unique_ptr<TListViewItems> rows_;
    TSaveDialog* pdfDialog_ = nullptr;
};
