#pragma once
// The project-data dialog: the current project's address, customer,
// designer and comment lines and its date.

#include "platform/ui/Form.h"

#include <memory>

class TProject;

namespace Ui {
class ProjektDataForm;
}

class TProjektDataForm : public TForm {
    Q_OBJECT

public:
    // Translated, and filled from the project, which must outlive the form.
    TProjektDataForm(QWidget* owner, TProject& project);
    ~TProjektDataForm() override;

    // Copies every memo and the date back into the project and sets
    // Modified, changed or not.
    void OKClick();
    void HelpClick();

private:
    std::unique_ptr<Ui::ProjektDataForm> ui_;
    TProject& project_;
};
