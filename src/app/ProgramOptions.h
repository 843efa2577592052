#pragma once
// The program-options dialog: the designer lines and date of new projects,
// the report's margins and font, and the behaviour switches; stored in the
// registry on OK.

#include "platform/ui/Form.h"
#include "project/ProgramOptions.h"

#include <memory>

class TFontDialog;

namespace Ui {
class ProgramOptionsForm;
}

class TProgramOptionsForm : public TForm {
    Q_OBJECT

public:
    // Translated, and filled from the options (which must outlive the form)
    // and the stored report font.
    TProgramOptionsForm(QWidget* owner, TProgramOptions& options);
    ~TProgramOptionsForm() override;

    // Takes the controls into the options in the dialog's order, then stores
    // the report font and the options, then closes with OK. A margin that is
    // not an integer stops it: the message goes to the status bar, the
    // dialog stays open, nothing is stored, and the values taken before the
    // failing one stay in the options.
    void OKClick();
    // Lets the user choose the report font; shown at once, stored on OK.
    void ChangeReportFontClick();
    void HelpClick();

private:
    std::unique_ptr<Ui::ProgramOptionsForm> ui_;
    TProgramOptions& options_;
    TFontSetting reportFont_;
    TFontDialog* fontDialog_ = nullptr;
};
