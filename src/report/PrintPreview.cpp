#include "report/PrintPreview.h"

#include "lang/Languages.h"
#include "platform/base/Printer.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/CursorWait.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/QtPrinter.h"
#include "project/Project.h"
#include "report/GotoPage.h"
#include "report/PrinterOutput.h"
#include "report/Report.h"
#include "ui_PrintPreview.h"

#include <QPainter>
#include <QStyle>

int PreviewZoomIndex = 3;
Qt::WindowStates PreviewWindowState = Qt::WindowNoState;

namespace {

constexpr int kHelpContext = 102;

}  // namespace

TPrintPreviewForm::TPrintPreviewForm(QWidget* owner, const TReportJob& job)
    : TForm(owner), ui_(std::make_unique<Ui::PrintPreviewForm>()), job_(job) {
    ui_->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    SetHelpContext(kHelpContext);
    auto* images = new TImageList(QSize(16, 16), this);
    images->setObjectName(QStringLiteral("ImageList1"));
    const QStyle::StandardPixmap pictures[] = {QStyle::SP_MediaSkipBackward, QStyle::SP_ArrowBack,
                                               QStyle::SP_ArrowForward,      QStyle::SP_MediaSkipForward,
                                               QStyle::SP_FileDialogContentsView, QStyle::SP_DialogSaveButton,
                                               QStyle::SP_DialogCloseButton};
    QAction* actions[] = {ui_->First, ui_->Previous, ui_->Next, ui_->Last, ui_->Number, ui_->Print, ui_->Exit};
    for (int i = 0; i < 7; ++i) {
        images->SetImage(i, style()->standardIcon(pictures[i]));
        actions[i]->setIcon(images->Image(i));
    }
    const QIcon printer = QIcon(QStringLiteral(":/images/print.png"));
    if (!printer.isNull()) ui_->Print->setIcon(printer);
    SetComponentHint(*ui_->Exit, QStringLiteral("Kilépés"));
    SetComponentHint(*ui_->ZoomComboBox, QStringLiteral("Nagyítás"));
    pdfDialog_ = CreatePdfDialog(this);

    OnExecute(*ui_->First, this, [this] { FirstExecute(); });
    OnExecute(*ui_->Previous, this, [this] { PreviousExecute(); });
    OnExecute(*ui_->Next, this, [this] { NextExecute(); });
    OnExecute(*ui_->Last, this, [this] { LastExecute(); });
    OnExecute(*ui_->Number, this, [this] { NumberExecute(); });
    OnExecute(*ui_->Print, this, [this] { PrintExecute(); });
    OnExecute(*ui_->Exit, this, [this] { ExitExecute(); });
    OnChange(*ui_->ZoomComboBox, this, [this] { ZoomComboBoxChange(); });
    OnClick(*ui_->Help, this, [this] { HelpClick(); });
    // The button is the Exit action's: its caption, and its click.
    connect(ui_->Exit, &QAction::changed, this, [this] { ui_->Cancel->setText(ui_->Exit->text()); });
    connect(ui_->Cancel, &QPushButton::clicked, ui_->Exit, &QAction::trigger);
    OnPaint(*ui_->PageImage, this, [this](QPainter& painter) { PageImagePaint(painter); });

    LanguageList->TranslateForm(*this);
    currentPage_ = 0;
    UpdatePageControls();
    zoom_ = ZoomPercents[static_cast<std::size_t>(PreviewZoomIndex)];
    for (const int percent : ZoomPercents) ui_->ZoomComboBox->addItem(QString::number(percent) + QLatin1Char('%'));
    ui_->ZoomComboBox->setCurrentIndex(PreviewZoomIndex);
    SizePageImage();
    setWindowState(PreviewWindowState);
}

TPrintPreviewForm::~TPrintPreviewForm() { PreviewWindowState = windowState(); }

void TPrintPreviewForm::UpdatePageControls() {
    const int count = job_.PageCount();
    ui_->PageNumber->setText(QStringLiteral("  %1/%2").arg(currentPage_ + 1).arg(count));
    ui_->First->setEnabled(currentPage_ > 0);
    ui_->Previous->setEnabled(currentPage_ > 0);
    ui_->Next->setEnabled(currentPage_ < count - 1);
    ui_->Last->setEnabled(currentPage_ < count - 1);
}

void TPrintPreviewForm::SizePageImage() {
    ui_->PageImage->resize(job_.PageWidth() * zoom_ / 100, job_.PageHeight() * zoom_ / 100);
}

void TPrintPreviewForm::PageImagePaint(QPainter& painter) {
    painter.fillRect(ui_->PageImage->rect(), Qt::white);
    if (currentPage_ < 0 || currentPage_ >= job_.PageCount()) return;
    job_.Page(currentPage_).Play(painter, QRect(0, 0, job_.PageWidth() * zoom_ / 100, job_.PageHeight() * zoom_ / 100));
}

void TPrintPreviewForm::ZoomComboBoxChange() {
    const int index = ui_->ZoomComboBox->currentIndex();
    if (index < 0 || index >= static_cast<int>(ZoomPercents.size())) return;
    PreviewZoomIndex = index;
    zoom_ = ZoomPercents[static_cast<std::size_t>(index)];
    SizePageImage();
    ui_->PageImage->update();
}

void TPrintPreviewForm::GoTo(int page) {
    currentPage_ = page;
    UpdatePageControls();
    ui_->PageImage->update();
}

void TPrintPreviewForm::FirstExecute() {
    if (currentPage_ != 0) GoTo(0);
}

void TPrintPreviewForm::PreviousExecute() {
    if (currentPage_ > 0) GoTo(currentPage_ - 1);
}

void TPrintPreviewForm::NextExecute() {
    if (currentPage_ < job_.PageCount() - 1) GoTo(currentPage_ + 1);
}

void TPrintPreviewForm::LastExecute() {
    if (currentPage_ != job_.PageCount() - 1) GoTo(job_.PageCount() - 1);
}

void TPrintPreviewForm::NumberExecute() {
    TGotoPageForm form(this, job_.PageCount(), currentPage_ + 1);
    form.ShowModal();
    if (form.PageNumber() != currentPage_ + 1) GoTo(form.PageNumber() - 1);
}

void TPrintPreviewForm::PrintExecute() {
    if (currentPage_ < 0 || currentPage_ >= job_.PageCount()) return;
    TPrinter& printer = Printer();
    if (!ChoosePrinterOutput(printer, *pdfDialog_, job_.Project().FileName)) return;
    TCursorWait hourglass;
    printer.BeginDoc();
    try {
        // The sheet's corner lies at minus the offsets of the printable area's.
        const TPrinterSheet sheet = printer.Sheet();
        job_.Page(currentPage_).Draw(printer.Canvas(),
                                     {-sheet.PhysicalOffsetX, -sheet.PhysicalOffsetY,
                                      sheet.PhysicalWidth - sheet.PhysicalOffsetX,
                                      sheet.PhysicalHeight - sheet.PhysicalOffsetY});
        printer.EndDoc();
    } catch (...) {
        printer.Abort();
        throw;
    }
}

void TPrintPreviewForm::ExitExecute() { SetModalResult(mrCancel); }

void TPrintPreviewForm::HelpClick() { ShowHelp(); }
