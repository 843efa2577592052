#include "platform/ui/QtPrinter.h"

#include "platform/ui/QtCanvas.h"
#include "platform/ui/QtText.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

TPrinter* installed = nullptr;

// The paper sizes a printer takes; the PDF file (no name) takes these.
QList<QPageSize> PageSizes(const QString& printer) {
    if (!printer.isEmpty()) {
        const QList<QPageSize> sizes = QPrinterInfo::printerInfo(printer).supportedPageSizes();
        if (!sizes.isEmpty()) return sizes;
    }
    QList<QPageSize> sizes;
    for (const auto id : {QPageSize::A4, QPageSize::A3, QPageSize::A5, QPageSize::Letter, QPageSize::Legal})
        sizes.push_back(QPageSize(id));
    return sizes;
}

}  // namespace

TQtPrinter::TQtPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // No printer installed: the output is a PDF file on A4 paper.
    if (printer_->outputFormat() == QPrinter::PdfFormat) printer_->setPageSize(QPageSize(QPageSize::A4));
}

TQtPrinter::~TQtPrinter() {
    if (Printing()) Abort();
}

std::string TQtPrinter::Name() const {
    if (!NeedsOutputFile()) return FromQString(printer_->printerName());
    const QString file = printer_->outputFileName();
    return file.isEmpty() ? std::string("PDF") : "PDF: " + FromQString(file);
}

TPrinterSheet TQtPrinter::Sheet() const {
    const int dpi = printer_->resolution();
    const QPageLayout layout = printer_->pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    const QRectF mm = layout.fullRect(QPageLayout::Millimeter);
    return {full.width(), full.height(), paint.left(), paint.top(), qRound(mm.width()), qRound(mm.height()), dpi};
}

std::vector<std::string> TQtPrinter::Printers() const {
    std::vector<std::string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(FromQString(name));
    return names;
}

std::vector<std::string> TQtPrinter::Papers(const std::string& printer) const {
    std::vector<std::string> names;
    for (const QPageSize& size : PageSizes(ToQString(printer))) names.push_back(FromQString(size.name()));
    return names;
}

TPrinterChoice TQtPrinter::Choice() const {
    const QPageLayout layout = printer_->pageLayout();
    return {NeedsOutputFile() ? std::string() : FromQString(printer_->printerName()),
            FromQString(layout.pageSize().name()), layout.orientation() == QPageLayout::Landscape};
}

void TQtPrinter::SetChoice(const TPrinterChoice& choice) {
    if (choice.Printer.empty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
    } else {
        // A file named for an earlier PDF run would take the printer's output.
        printer_->setOutputFileName(QString());
        printer_->setOutputFormat(QPrinter::NativeFormat);
        printer_->setPrinterName(ToQString(choice.Printer));
    }
    for (const QPageSize& size : PageSizes(ToQString(choice.Printer))) {
        if (FromQString(size.name()) == choice.Paper) printer_->setPageSize(size);
    }
    printer_->setPageOrientation(choice.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool TQtPrinter::NeedsOutputFile() const { return printer_->outputFormat() == QPrinter::PdfFormat; }

void TQtPrinter::SetOutputFile(const std::filesystem::path& path) {
    printer_->setOutputFileName(QString::fromStdString(path.string()));
}

void TQtPrinter::BeginDoc() {
    if (Printing()) throw EPrinter("Printing in progress");
    if (NeedsOutputFile() && printer_->outputFileName().isEmpty()) throw EPrinter("No output file was given.");
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get())) {
        if (NeedsOutputFile()) throw EPrinter("Cannot create file \"" + FromQString(printer_->outputFileName()) + "\".");
        throw EPrinter("The printer cannot start printing.");
    }
    painter_ = std::move(painter);
    canvas_ = std::make_unique<TQtCanvas>(*painter_, printer_->resolution());
}

void TQtPrinter::NewPage() {
    if (!Printing() || !printer_->newPage()) throw EPrinter("The printer cannot start a new page.");
}

void TQtPrinter::EndDoc() {
    if (!Printing()) return;
    canvas_.reset();
    const bool done = painter_->end();
    painter_.reset();
    if (!done) throw EPrinter("The printer cannot finish the document.");
}

void TQtPrinter::Abort() {
    if (!Printing()) return;
    canvas_.reset();
    if (!NeedsOutputFile()) printer_->abort();
    painter_->end();
    painter_.reset();
    // What a PDF run wrote is no document: leave no half a report behind.
    if (NeedsOutputFile()) QFile::remove(printer_->outputFileName());
}

TCanvas& TQtPrinter::Canvas() {
    if (!canvas_) throw EPrinter("Printer is not currently printing.");
    return *canvas_;
}

TPrinter& Printer() {
    if (installed) return *installed;
    static std::unique_ptr<TQtPrinter> program;
    if (!program) {
        program = std::make_unique<TQtPrinter>();
        // The print engine must go while the application still stands.
        qAddPostRoutine([] { program.reset(); });
    }
    return *program;
}

TPrinter* SetPrinter(TPrinter* printer) {
    TPrinter* previous = installed;
    installed = printer;
    return previous;
}
