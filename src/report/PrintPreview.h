#pragma once
// The print preview: the pages of a previewed report one at a time, at one
// of seven zoom steps, with page navigation, a go-to-page dialog and
// printing of the page shown.

#include "platform/ui/Form.h"

#include <array>
#include <memory>

class QPainter;
class TReportJob;
class TSaveDialog;

namespace Ui {
class PrintPreviewForm;
}

inline constexpr std::array<int, 7> ZoomPercents = {25, 50, 75, 100, 150, 200, 400};
// Kept for the program run: the zoom step and the window state of the last preview.
extern int PreviewZoomIndex;
extern Qt::WindowStates PreviewWindowState;

class TPrintPreviewForm : public TForm {
    Q_OBJECT

public:
    // The job, run in preview, must outlive the form.
    TPrintPreviewForm(QWidget* owner, const TReportJob& job);
    ~TPrintPreviewForm() override;

    int CurrentPage() const { return currentPage_; }
    int Zoom() const { return zoom_; }

    void UpdatePageControls();
    void PageImagePaint(QPainter& painter);
    void ZoomComboBoxChange();
    void FirstExecute();
    void PreviousExecute();
    void NextExecute();
    void LastExecute();
    void NumberExecute();
    // Prints the page shown, as one document, placed on the sheet as the
    // report places it.
    void PrintExecute();
    void ExitExecute();
    void HelpClick();

private:
    void GoTo(int page);
    void SizePageImage();

    std::unique_ptr<Ui::PrintPreviewForm> ui_;
    const TReportJob& job_;
    int currentPage_ = 0;
    int zoom_ = 100;
    TSaveDialog* pdfDialog_ = nullptr;
};
