#pragma once
// The go-to-page dialog of the print preview.

#include "platform/ui/Form.h"

#include <memory>

namespace Ui {
class GotoPageForm;
}

class TGotoPageForm : public TForm {
    Q_OBJECT

public:
    // Offers pages 1 .. pageCount, showing `page`.
    TGotoPageForm(QWidget* owner, int pageCount, int page);
    ~TGotoPageForm() override;

    // 1-based; changed only by an accepted OK.
    int PageNumber() const { return pageNumber_; }

    // Takes a number within 1 .. page count and closes; any other number
    // leaves the dialog open; a text that is no integer raises EConvertError.
    void OKClick();
    void CancelClick();

private:
    std::unique_ptr<Ui::GotoPageForm> ui_;
    int pageNumber_;
};
