#include "listheader/ChangeHeader.h"

#include "lang/Languages.h"
#include "listheader/ListHeader.h"
#include "listheader/Listheaderformat.h"
#include "platform/base/Canvas.h"
#include "platform/base/Exception.h"
#include "platform/base/SysUtils.h"
#include "platform/ui/CommandGuard.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/OwnerDrawList.h"
#include "platform/ui/QtCanvas.h"
#include "platform/ui/QtControls.h"
#include "platform/ui/QtText.h"
#include "platform/win/MessageBox.h"
#include "project/ValueHelpers.h"
#include "ui_ChangeHeader.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kHelpContext = 111;
constexpr int kMinWidth = 3;
// Shown when the user hides the first display column.
constexpr char kFirstColumnText[] = "32000";

int ItemIndex(const QGroupBox& group) {
    const auto radios = group.findChildren<QRadioButton*>();
    for (qsizetype i = 0; i < radios.size(); ++i)
        if (radios[i]->isChecked()) return static_cast<int>(i);
    return 0;
}

void SetItemIndex(QGroupBox& group, int index) {
    const auto radios = group.findChildren<QRadioButton*>();
    if (index >= 0 && index < radios.size()) radios[index]->setChecked(true);
}

// A whole number from free text, clamped; the conversion error, with the
// field focused, when it is none.
std::int16_t ReadWhole(QLineEdit& edit, int min, int max) {
    try {
        return static_cast<std::int16_t>(std::clamp(StrToInt(FromQString(edit.text())), min, max));
    } catch (const Exception&) {
        edit.setFocus();
        throw;
    }
}

std::string WithoutAt(const QString& text) {
    std::string line = FromQString(text);
    std::erase(line, '@');
    return line;
}

}  // namespace

TChangeHeaderForm::TChangeHeaderForm(QWidget* owner) : TForm(owner), ui_(std::make_unique<Ui::ChangeHeaderForm>()) {
    ui_->setupUi(this);
    SetHelpContext(kHelpContext);
    // The form's own font, over the program's.
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    // "@" separates the stored fields of a user line.
    const QRegularExpression noAt(QStringLiteral("[^@]*"));
    ui_->FirstLine->setValidator(new QRegularExpressionValidator(noAt, ui_->FirstLine));
    ui_->SecondLine->setValidator(new QRegularExpressionValidator(noAt, ui_->SecondLine));
    LanguageList->TranslateForm(*this);
    Connect();
}

TChangeHeaderForm::TChangeHeaderForm(QWidget* owner, TListHeaderFormat* format, const QFont& listFont,
                                     std::string programKey, std::string registryName)
    : TChangeHeaderForm(owner) {
    format_ = format;
    programKey_ = std::move(programKey);
    registryName_ = std::move(registryName);
    listFont_ = listFont;
    ui_->ViewPanel->setFont(listFont_);
    ui_->ColumnsList->setFont(listFont_);
    lineHeight_ = MeasureHeaderFont(listFont_).lineHeight;
    SetItemHeight(*ui_->ColumnsList, lineHeight_ + 4);
    if (format_) undo_ = std::make_unique<TListHeaderFormat>(*format_);
    Create();
}

TChangeHeaderForm::~TChangeHeaderForm() = default;

void TChangeHeaderForm::Connect() {
    OnClick(*ui_->ColumnsList, this, [this] { ClickEvent(); });
    OnDrawItem(*ui_->ColumnsList, this,
               [this](QPainter& painter, int index, const QRect& rect) { ColumnsListDrawItem(painter, index, rect); });
    OnClick(*ui_->MoveUpButton, this, [this] { MoveUpButtonClick(); });
    OnClick(*ui_->MoveDownButton, this, [this] { MoveDownButtonClick(); });
    OnPaint(*ui_->ViewPanel, this, [this](QPainter& painter) { ViewPanelPaint(painter); });
    OnClick(*ui_->OK, this, [this] { OKClick(); });
    OnClick(*ui_->Cancel, this, [this] { CancelClick(); });
    OnClick(*ui_->Help, this, [this] { HelpClick(); });
    OnClick(*ui_->UserDefined, this, [this] { UserDefinedClick(); });
}

void TChangeHeaderForm::Create() {
    if (!format_) return;
    QListWidget& list = *ui_->ColumnsList;
    list.clear();
    for (int p = 0; p < format_->ColumnCount(); ++p) {
        auto* item = new QListWidgetItem(&list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(format_->ColumnAt(p)->Visible ? Qt::Checked : Qt::Unchecked);
    }
    if (format_->ColumnCount() == 0) return;
    current_ = 0;
    list.setCurrentRow(0);
    ShowColumn();
}

void TChangeHeaderForm::ClickEvent() {
    const int selected = ui_->ColumnsList->currentRow();
    if (selected < 0 || selected == current_) return;
    if (current_ >= 0) StoreColumn();
    current_ = selected;
    ShowColumn();
}

void TChangeHeaderForm::ShowColumn() {
    if (!format_ || !format_->ColumnAt(current_)) return;
    const TListHeaderFormatCol& column = *format_->ColumnAt(current_);
    ui_->Width->setText(ToQString(IntToStr(column.Width)));
    SetItemIndex(*ui_->TitleAlignment, static_cast<int>(column.TitleAlignment));
    SetItemIndex(*ui_->DataAlignment, static_cast<int>(column.DataAlignment));
    // The first display column keeps its alignments.
    ui_->TitleAlignment->setEnabled(current_ > 0);
    ui_->DataAlignment->setEnabled(current_ > 0);

    const bool number = column.ValueKind != TValueKind::Text;
    const bool real = column.ValueKind == TValueKind::Real;
    ui_->NumberPropertis->setEnabled(number);
    ui_->ShowZero->setEnabled(number);
    if (number) ui_->ShowZero->setChecked(column.ShowZero);
    for (QWidget* control : {static_cast<QWidget*>(ui_->FloatFormat), static_cast<QWidget*>(ui_->Label6),
                             static_cast<QWidget*>(ui_->Precision), static_cast<QWidget*>(ui_->Label7),
                             static_cast<QWidget*>(ui_->Digits)})
        control->setEnabled(real);
    if (real) {
        SetItemIndex(*ui_->FloatFormat, static_cast<int>(column.FloatFormat));
        ui_->Precision->setText(ToQString(IntToStr(column.Digits)));
        ui_->Digits->setText(ToQString(IntToStr(column.Decimals)));
    }

    const bool userDefined = column.UserDefined;
    ui_->UserDefined->setChecked(userDefined);
    ui_->Factor->setText(QStringLiteral("1."));
    // Ticking UserDefined starts the user's lines from the titles.
    ui_->FirstLine->setText(ToQString(userDefined ? column.GetUserLine(0) : column.GetTitle(0)));
    ui_->SecondLine->setText(ToQString(userDefined ? column.GetUserLine(1) : column.GetTitle(1)));
    if (userDefined && real) ui_->Factor->setText(ToQString(FloatToStrG(column.Factor, 5)));

    UserDefinedClick();
    ui_->ViewPanel->update();
    UpdateMoveButtons();
}

void TChangeHeaderForm::StoreColumn() {
    if (!format_ || !format_->ColumnAt(current_)) return;
    TListHeaderFormatCol& column = *format_->ColumnAt(current_);
    column.Width = ReadWhole(*ui_->Width, kMinWidth, kMaxColumnWidth);
    column.TitleAlignment = static_cast<THeaderAlignment>(ItemIndex(*ui_->TitleAlignment));
    column.DataAlignment = static_cast<THeaderAlignment>(ItemIndex(*ui_->DataAlignment));
    if (column.ValueKind != TValueKind::Text) column.ShowZero = ui_->ShowZero->isChecked();
    if (column.ValueKind == TValueKind::Real) {
        column.FloatFormat = static_cast<TFloatFormat>(ItemIndex(*ui_->FloatFormat));
        column.Digits = ReadWhole(*ui_->Precision, 0, kMaxDigits);
        column.Decimals = ReadWhole(*ui_->Digits, 0, kMaxDigits);
    }
    column.UserDefined = ui_->UserDefined->isChecked();
    if (!column.UserDefined) return;
    // The lines may have come in by setText, past the validator.
    column.SetUserLine(0, WithoutAt(ui_->FirstLine->text()));
    column.SetUserLine(1, WithoutAt(ui_->SecondLine->text()));
    TQtControl factor(*ui_->Factor);
    const double value = ControlToValue(factor, kAnyValue);
    if (!std::isfinite(static_cast<float>(value))) {
        factor.SetFocus();
        throw Exception(LanguageList->GetString("IDS_WRONGVALUE"));
    }
    column.Factor = static_cast<float>(value);
}

void TChangeHeaderForm::UserDefinedClick() {
    const bool checked = ui_->UserDefined->isChecked();
    TListHeaderFormatCol* column = format_ ? format_->ColumnAt(current_) : nullptr;
    if (column) column->UserDefined = checked;
    for (QWidget* control : {static_cast<QWidget*>(ui_->FirstLine), static_cast<QWidget*>(ui_->Label2),
                             static_cast<QWidget*>(ui_->SecondLine), static_cast<QWidget*>(ui_->Label4)})
        control->setEnabled(checked);
    const bool factor = checked && column && column->ValueKind == TValueKind::Real;
    ui_->Factor->setEnabled(factor);
    ui_->Label5->setEnabled(factor);
    ui_->ViewPanel->update();
}

void TChangeHeaderForm::UpdateMoveButtons() {
    const int count = format_ ? format_->ColumnCount() : 0;
    // Display position 0 never moves, and nothing moves into it.
    ui_->MoveUpButton->setEnabled(current_ > 1);
    ui_->MoveDownButton->setEnabled(current_ > 0 && current_ < count - 1);
}

void TChangeHeaderForm::MoveCurrent(int step) {
    StoreColumn();
    const int target = current_ + step;
    QListWidget& list = *ui_->ColumnsList;
    QListWidgetItem* from = list.item(current_);
    QListWidgetItem* to = list.item(target);
    if (!from || !to) return;
    const Qt::CheckState state = from->checkState();
    from->setCheckState(to->checkState());
    to->setCheckState(state);
    format_->SwapColumns(current_, target);
    current_ = target;
    list.setCurrentRow(target);  // the selection follows; ClickEvent sees nothing new
    list.viewport()->update();
    UpdateMoveButtons();
}

void TChangeHeaderForm::MoveUpButtonClick() {
    if (current_ > 1) MoveCurrent(-1);
}

void TChangeHeaderForm::MoveDownButtonClick() {
    if (format_ && current_ > 0 && current_ < format_->ColumnCount() - 1) MoveCurrent(1);
}

void TChangeHeaderForm::ColumnsListDrawItem(QPainter& painter, int index, const QRect& rect) {
    const TListHeaderFormatCol* column = format_ ? format_->ColumnAt(index) : nullptr;
    if (!column) return;
    std::string text = column->ShownLine(0);
    for (int line = 1; line < std::min(format_->RowCount(), 2); ++line) text += "\\p " + column->ShownLine(line);
    const QListWidgetItem* item = ui_->ColumnsList->item(index);
    const bool selected = item && item->isSelected();
    painter.setPen(ui_->ColumnsList->palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    TQtCanvas canvas(painter);
    AssignQtFont(canvas.Font(), listFont_);
    canvas.Font().SetColor(FromQColor(painter.pen().color()));
    DrawHeaderText(canvas, text, THeaderAlignment::Left, false,
                   TRect{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1});
}

void TChangeHeaderForm::ViewPanelPaint(QPainter& painter) {
    const TListHeaderFormatCol* column = format_ ? format_->ColumnAt(current_) : nullptr;
    if (!column) return;
    TQtCanvas canvas(painter);
    AssignQtFont(canvas.Font(), listFont_);
    canvas.SetBrushColor(clBtnFace);
    const int width = ui_->ViewPanel->width();
    const int height = ui_->ViewPanel->height();
    canvas.FillRect(TRect{0, 0, width, height});
    int top = (height - format_->RowCount() * lineHeight_) / 2;
    for (int row = 0; row < format_->RowCount(); ++row) {
        DrawHeaderText(canvas, column->ShownLine(row), THeaderAlignment::Center, false,
                       TRect{0, top, width, top + lineHeight_});
        top += lineHeight_;
    }
}

void TChangeHeaderForm::OKClick() {
    if (current_ >= 0) StoreColumn();
    if (format_) {
        QListWidget& list = *ui_->ColumnsList;
        for (int p = 0; p < format_->ColumnCount(); ++p) {
            QListWidgetItem* item = list.item(p);
            const bool checked = item && item->checkState() == Qt::Checked;
            if (p > 0) {
                format_->ColumnAt(p)->Visible = checked;
            } else if (!checked) {
                win::MessageBox(LanguageList->GetString(kFirstColumnText), ProgramTitle(), win::MB_OK);
                format_->ColumnAt(0)->Visible = true;
                if (item) item->setCheckState(Qt::Checked);
            }
        }
        if (!registryName_.empty()) format_->SaveToRegistry(programKey_, registryName_);
    }
    SetModalResult(mrOk);
}

void TChangeHeaderForm::CancelClick() {
    if (format_ && undo_) *format_ = *undo_;
    SetModalResult(mrCancel);
}

void TChangeHeaderForm::reject() {
    RunCommand([this] { CancelClick(); });
}

void TChangeHeaderForm::HelpClick() {
    ShowHelp();
}
