#pragma once
// The printer over QPrinter at high resolution. With no printer installed it
// writes an A4 PDF file, whose name must be set before a document begins.

#include "platform/base/Printer.h"

#include <QString>

#include <memory>
#include <optional>

class QPainter;
class QPrinter;
class TQtCanvas;

class TQtPrinter : public TPrinter {
public:
    TQtPrinter();
    ~TQtPrinter() override;

    // The PDF output: "PDF", and its file once that is set.
    std::string Name() const override;
    TPrinterSheet Sheet() const override;
    // The printers Qt finds installed; an A4 .. Legal list for the PDF file.
    std::vector<std::string> Printers() const override;
    std::vector<std::string> Papers(const std::string& printer) const override;
    TPrinterChoice Choice() const override;
    void SetChoice(const TPrinterChoice& choice) override;
    bool NeedsOutputFile() const override;
    void SetOutputFile(const std::filesystem::path& path) override;

    void BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    void Abort() override;
    bool Printing() const override { return painter_ != nullptr; }
    TCanvas& Canvas() override;

private:
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<TQtCanvas> canvas_;
};

// The program's printer, made on first use; tests install their own.
TPrinter& Printer();
// Installs a printer (not owned; null restores the program's) and returns
// the one installed before (null for the program's).
TPrinter* SetPrinter(TPrinter* printer);

