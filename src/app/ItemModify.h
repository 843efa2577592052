#pragma once
// The calculation dialog: the user edits one calculation item, calculates it
// and sees its results and, for Optimum, its cost chart. The dialog never
// owns the item: every handler reads and writes the creator's item directly,
// so a failed check leaves what was read before it in the item. The report
// builds one without showing it, only to draw the cost chart.

#include "platform/ui/Form.h"

#include <QPoint>
#include <QStyle>

#include <memory>
#include <string>

class QAbstractButton;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPainter;
class QRect;
class QTabWidget;
class QWidget;
class TCostChart;
class TImageList;
class TItem;

namespace Ui {
class ItemModifyForm;
}

// Where an owner-drawn entry's 104 x 36 picture goes: x = left + 2,
// y = (text height + top + bottom - 36 + 4) / 2, bottom being top + height,
// divided as integers truncating toward zero.
QPoint EntryPicturePosition(const QRect& entry, int textHeight);

class TItemModifyForm : public TForm {
    Q_OBJECT

public:
    // Translates the form and fills the controls from `*item`, which must
    // outlive the dialog; shows the item's stored results.
    TItemModifyForm(QWidget* owner, TItem* item);
    ~TItemModifyForm() override;

    // Controls -> item with every check. A failure is shown in a message box,
    // focuses the control that failed where there is one, and returns false;
    // what was read before it stays in the item.
    bool ReadControls();

    // Reads, calculates and shows the results; the dialog stays open.
    void CalculateClick();
    // Reads and calculates; closes with mrOk only when both succeed.
    void OKClick();
    void HelpClick();

    // Draws the cost chart into `rect` of a page (print or preview), on a
    // dialog that was never shown: the results page is laid out with the
    // rectangle's aspect, its chart rendered with hatched bars on white.
    // An empty rectangle draws nothing. Leaves the dialog for destruction.
    void DrawResultPage(QPainter& painter, const QRect& rect);

    // Change handlers: each stores its control's value in the item and
    // brings the dependent controls up to date.
    void GeometryTypeChange();
    void CalculationTypeChange();
    void MediumTypeChange();
    void MediumTemperatureExit();
    void InsideAlphaCalculationModeChange();
    void OutsideAlphaCalculationModeChange();
    void WithRadiationClick();
    void VolumeButtonClick();
    void ValueChange();
    void GeometryTypeDrawItem(QPainter& painter, int index, const QRect& rect, QStyle::State state);
    void CalculationTypeDrawItem(QPainter& painter, int index, const QRect& rect, QStyle::State state);

    // Presets: the number (or numbers) at the end of the chosen entry's caption
    // go into the edit as they stand.
    void PopupSpeedButtonClick(QAbstractButton& button, QMenu& menu);
    void HeatConditionMenuClick(const QAction& item);
    void EmissionFactorMenuClick(const QAction& item);
    void TemperatureMenuClick(const QAction& item);
    void InsideAlphaMenuClick(const QAction& item);
    void OutsideAlphaMenuClick(const QAction& item);
    void StandardTubesButtonClick();
    void BigChartSpeedButtonClick();

    // The item's results into the labels and the chart.
    void ShowResults();
    // Empties the shown results (not the item's); nothing while filling.
    void ClearResults();
    void ShowMediumProperties();
    void UpdateGeometryPages();
    void UpdateCalculationPages();
    void UpdateMediumList();
    void UpdateIsolationList();
    void UpdatePriceDimensions();
    void UpdateInsideAlphaModes();
    void UpdateInsideAlphaControls();
    void UpdateOutsideAlphaControls();

    TCostChart& Chart() const;

private:
    void ConnectEvents();
    void CreatePresetMenus();
    void CreateImageLists();
    // Item -> controls, in the order the Read functions take them back.
    void FillControls();
    void FillGeometry();
    void FillMedium();
    void FillFlow();
    void FillAir();
    void FillTargets();
    void ReadGeometry();
    void ReadMedium();
    void ReadFlow();
    void ReadAir();
    void ReadTargets();
    void SetPageVisibility(QTabWidget& pages, int selector);
    void DrawPictureEntry(const QComboBox& box, const TImageList& images, QPainter& painter, int index,
                          const QRect& rect) const;
    std::string InsideAlphaModeText(int mode) const;
    // The number n (0 .. 2) whose inside-alpha mode text is `text`; -1 when none.
    int InsideAlphaModeOf(const std::string& text) const;
    std::string PriceDimension(bool perSquareMetre) const;
    std::string LeftAxisTitle(const std::string& currency) const;

    std::unique_ptr<Ui::ItemModifyForm> ui_;
    TItem* EditedItem = nullptr;
    bool Updating = false;
    TImageList* geometryImages_ = nullptr;
    TImageList* calculationImages_ = nullptr;
};
