#pragma once
// The printer as the report sees it: a document of pages drawn through one
// canvas, and the sheet's measures as GetDeviceCaps gives them.

#include "platform/base/Canvas.h"
#include "platform/base/Exception.h"

#include <filesystem>
#include <string>
#include <vector>

// A printer that can't start or go on with a document.
class EPrinter : public Exception {
public:
    using Exception::Exception;
};

// The sheet in device pixels (and its size in whole millimetres). The
// canvas's origin is the printable area's corner, at the offsets.
struct TPrinterSheet {
    int PhysicalWidth = 0;
    int PhysicalHeight = 0;
    int PhysicalOffsetX = 0;
    int PhysicalOffsetY = 0;
    int PaperWidthMm = 0;
    int PaperHeightMm = 0;
    int PixelsPerInch = 0;
};

// Where and on what a document goes, as the printer setup chooses it.
struct TPrinterChoice {
    std::string Printer;  // an installed printer; empty: the PDF file
    std::string Paper;    // one of Papers(Printer); empty keeps the current one
    bool Landscape = false;
    bool operator==(const TPrinterChoice&) const = default;
};

class TPrinter {
public:
    virtual ~TPrinter() = default;

    // The printer's name as the user knows it.
    virtual std::string Name() const = 0;
    virtual TPrinterSheet Sheet() const = 0;
    // The installed printers, and the paper sizes a printer takes (empty
    // name: the PDF file's).
    virtual std::vector<std::string> Printers() const { return {}; }
    virtual std::vector<std::string> Papers(const std::string& /*printer*/) const { return {}; }
    virtual TPrinterChoice Choice() const { return {}; }
    // Takes effect for the next document.
    virtual void SetChoice(const TPrinterChoice& /*choice*/) {}
    // Output goes to a file whose name must be given before BeginDoc.
    virtual bool NeedsOutputFile() const { return false; }
    virtual void SetOutputFile(const std::filesystem::path& /*path*/) {}

    // Starts a document; raises EPrinter when the printer can't.
    virtual void BeginDoc() = 0;
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
    // Ends a begun document without output (a file begun is removed).
    virtual void Abort() = 0;
    virtual bool Printing() const = 0;
    // The page's canvas, from BeginDoc to EndDoc or Abort.
    virtual TCanvas& Canvas() = 0;
    // The canvas font before a document begins: the default font at the
    // printer's density.
    TFont CanvasFont() const {
        TFont font;
        font.SetPixelsPerInch(Sheet().PixelsPerInch);
        return font;
    }
};
