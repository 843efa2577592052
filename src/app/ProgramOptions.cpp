#include "app/ProgramOptions.h"

#include "lang/Languages.h"
#include "platform/base/Exception.h"
#include "platform/base/SysUtils.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/FontDialog.h"
#include "platform/ui/MemoLines.h"
#include "platform/ui/QtControls.h"
#include "platform/ui/QtText.h"
#include "project/StreamPrimitives.h"
#include "ui_ProgramOptions.h"

#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>

namespace {

constexpr int kViewMediumDataEntry = 0;
constexpr int kCalcPrecisionEntry = 1;

void ShowMargin(QLineEdit& edit, int millimetres) {
    edit.setText(ToQString(IntToStr(millimetres)));
}

// Raises EConvertError for a text that is not a whole number.
int MarginOf(const QLineEdit& edit) {
    return StrToInt(FromQString(edit.text()));
}

void SetTicked(QListWidget& list, int entry, bool ticked) {
    QListWidgetItem* item = list.item(entry);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

bool Ticked(const QListWidget& list, int entry) {
    return list.item(entry)->checkState() == Qt::Checked;
}

}  // namespace

TProgramOptionsForm::TProgramOptionsForm(QWidget* owner, TProgramOptions& options)
    : TForm(owner),
      ui_(std::make_unique<Ui::ProgramOptionsForm>()),
      options_(options),
      reportFont_(TFontSetting::kReportFont) {
    ui_->setupUi(this);
    setFixedSize(size());
    SetHelpContext(105);
    fontDialog_ = new TFontDialog(this);
    fontDialog_->setObjectName(QStringLiteral("FontDialog"));
    fontDialog_->Font().setFamily(QStringLiteral("MS Sans Serif"));
    // OK has no modal result of its own: OKClick closes only after storing.
    OnClick(*ui_->OK, this, [this] { OKClick(); });
    BindModalResult(*ui_->Cancel, mrCancel);
    OnClick(*ui_->Help, this, [this] { HelpClick(); });
    OnClick(*ui_->ChangeReportFont, this, [this] { ChangeReportFontClick(); });

    LanguageList->TranslateForm(*this);

    // A new project's planner lines: no longer than its file keeps them.
    LimitMemoLines(*ui_->Planer, static_cast<int>(kMaxStoredText));
    SetMemoLines(*ui_->Planer, options_.Planer);
    ui_->InitDate->setChecked(options_.InitDate);
    ShowMargin(*ui_->LeftMargin, options_.LeftMargin);
    ShowMargin(*ui_->TopMargin, options_.TopMargin);
    ShowMargin(*ui_->RightMargin, options_.RightMargin);
    ShowMargin(*ui_->BottomMargin, options_.BottomMargin);
    TQtControl fontName(*ui_->ReportFontName);
    reportFont_.ShowInControl(fontName);
    SetTicked(*ui_->OptionsList, kViewMediumDataEntry, options_.ViewMediumData);
    SetTicked(*ui_->OptionsList, kCalcPrecisionEntry, options_.CalcPrecision);
}

TProgramOptionsForm::~TProgramOptionsForm() = default;

void TProgramOptionsForm::OKClick() {
    try {
        ReadMemoLines(*ui_->Planer, options_.Planer);
        options_.InitDate = ui_->InitDate->isChecked();
        options_.LeftMargin = MarginOf(*ui_->LeftMargin);
        options_.TopMargin = MarginOf(*ui_->TopMargin);
        options_.RightMargin = MarginOf(*ui_->RightMargin);
        options_.BottomMargin = MarginOf(*ui_->BottomMargin);
        // An earlier conversion error no longer applies.
        ui_->StatusBar->clearMessage();
        options_.ViewMediumData = Ticked(*ui_->OptionsList, kViewMediumDataEntry);
        options_.CalcPrecision = Ticked(*ui_->OptionsList, kCalcPrecisionEntry);
        reportFont_.Save(TFontSetting::kReportFont);
        options_.Save();
    } catch (const Exception& e) {
        ui_->StatusBar->showMessage(ToQString(e.Message()));
        return;
    }
    SetModalResult(mrOk);
}

void TProgramOptionsForm::ChangeReportFontClick() {
    TQtFont font(fontDialog_->Font());
    reportFont_.AssignToFont(font);
    if (!fontDialog_->Execute()) return;
    reportFont_.AssignFromFont(font);
    TQtControl fontName(*ui_->ReportFontName);
    reportFont_.ShowInControl(fontName);
}

void TProgramOptionsForm::HelpClick() {
    ShowHelp();
}
