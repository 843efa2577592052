#pragma once
// A printer that writes a file (the PDF output when no printer is
// installed) needs the file's name before a document begins.

#include <string>

class QObject;
class TPrinter;
class TSaveDialog;

// The save dialog for the PDF file, a component "PdfDialog" of its owner.
TSaveDialog* CreatePdfDialog(QObject* owner);
// Asks for the file when the printer needs one, offering the project's
// name with ".pdf". False when the user cancels: nothing is to be printed.
bool ChoosePrinterOutput(TPrinter& printer, TSaveDialog& dialog, const std::string& projectFile);
