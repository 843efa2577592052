#include "report/PrinterOutput.h"

#include "platform/base/Printer.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/QtText.h"

#include <QFileInfo>

TSaveDialog* CreatePdfDialog(QObject* owner) {
    auto* dialog = new TSaveDialog(owner);
    dialog->setObjectName(QStringLiteral("PdfDialog"));
    dialog->SetFilter(QStringLiteral("PDF dokumentum (*.pdf)|*.pdf"));
    dialog->SetTitle(QStringLiteral("Nyomtatás PDF fájlba"));
    dialog->SetDefaultExt(QStringLiteral("pdf"));
    dialog->SetOverwritePrompt(true);
    return dialog;
}

bool ChoosePrinterOutput(TPrinter& printer, TSaveDialog& dialog, const std::string& projectFile) {
    if (!printer.NeedsOutputFile()) return true;
    if (!projectFile.empty()) {
        // Windows paths may come with backslashes: the name is what follows the last one.
        QString name = ToQString(projectFile);
        name = name.mid(std::max(name.lastIndexOf(QLatin1Char('\\')), name.lastIndexOf(QLatin1Char('/'))) + 1);
        dialog.SetFileName(QFileInfo(name).completeBaseName() + QStringLiteral(".pdf"));
    }
    if (!dialog.Execute()) return false;
    printer.SetOutputFile(dialog.FileName().toStdString());
    return true;
}
