#include "report/GotoPage.h"

#include "lang/Languages.h"
#include "platform/base/SysUtils.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/QtText.h"
#include "ui_GotoPage.h"

#include <QScrollBar>

TGotoPageForm::TGotoPageForm(QWidget* owner, int pageCount, int page)
    : TForm(owner), ui_(std::make_unique<Ui::GotoPageForm>()), pageNumber_(page) {
    ui_->setupUi(this);
    OnClick(*ui_->OK, this, [this] { OKClick(); });
    OnClick(*ui_->Cancel, this, [this] { CancelClick(); });
    LanguageList->TranslateForm(*this);
    ui_->PageUpDown->setMaximum(std::max(1, pageCount));
    ui_->PageUpDown->setValue(page);
    // The arrows write their position into the edit, as an associated up-down does.
    connect(ui_->PageUpDown, &QScrollBar::valueChanged, this,
            [this](int value) { ui_->PageNumber->setText(QString::number(value)); });
    ui_->PageNumber->setText(QString::number(pageNumber_));
    ui_->PageNumber->selectAll();
}

TGotoPageForm::~TGotoPageForm() = default;

void TGotoPageForm::OKClick() {
    const int n = StrToInt(FromQString(ui_->PageNumber->text()));
    if (n < 1 || n > ui_->PageUpDown->maximum()) return;
    pageNumber_ = n;
    SetModalResult(mrOk);
}

void TGotoPageForm::CancelClick() { SetModalResult(mrCancel); }
