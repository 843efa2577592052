#include "app/ProjektData.h"

#include "lang/Languages.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/MemoLines.h"
#include "platform/ui/QtText.h"
#include "project/Project.h"
#include "project/StreamPrimitives.h"
#include "ui_ProjektData.h"

#include <QPlainTextEdit>

TProjektDataForm::TProjektDataForm(QWidget* owner, TProject& project)
    : TForm(owner), ui_(std::make_unique<Ui::ProjektDataForm>()), project_(project) {
    ui_->setupUi(this);
    setFixedSize(size());
    SetHelpContext(105);
    // The modal result only once the project has the texts.
    OnClick(*ui_->OK, this, [this] {
        OKClick();
        SetModalResult(mrOk);
    });
    BindModalResult(*ui_->Cancel, mrCancel);
    OnClick(*ui_->Help, this, [this] { HelpClick(); });

    LanguageList->TranslateForm(*this);

    // No longer than the project file keeps them.
    for (QPlainTextEdit* memo : {ui_->Address, ui_->Customer, ui_->Planer, ui_->Comment}) {
        LimitMemoLines(*memo, static_cast<int>(kMaxStoredText));
    }
    ui_->Date->setMaxLength(static_cast<int>(kMaxStoredText));
    SetMemoLines(*ui_->Address, project_.Address);
    SetMemoLines(*ui_->Customer, project_.Customer);
    SetMemoLines(*ui_->Planer, project_.Planer);
    SetMemoLines(*ui_->Comment, project_.Comment);
    ui_->Date->setText(ToQString(project_.Date));
}

TProjektDataForm::~TProjektDataForm() = default;

void TProjektDataForm::OKClick() {
    ReadMemoLines(*ui_->Address, project_.Address);
    ReadMemoLines(*ui_->Customer, project_.Customer);
    ReadMemoLines(*ui_->Planer, project_.Planer);
    ReadMemoLines(*ui_->Comment, project_.Comment);
    project_.Date = FromQString(ui_->Date->text());
    project_.Modified = true;
}

void TProjektDataForm::HelpClick() {
    ShowHelp();
}
