#pragma once
// The standard-tubes dialog: the user picks a standard pipe or round-duct
// size from the data base instead of typing the diameters and the wall's
// conductivity.

#include "platform/ui/Form.h"

#include <memory>

namespace Ui {
class StandardTubesForm;
}

class TStandardTubesForm : public TForm {
    Q_OBJECT

public:
    // Lists the tube types whose AirCanal key is `airCanal` (0 pipe, 1 round
    // duct), each with its sizes.
    TStandardTubesForm(QWidget* owner, int airCanal);
    ~TStandardTubesForm() override;

    // OK is enabled exactly while a size is selected.
    void TreeViewChange();
    // Takes the selected size and closes with mrOk; nothing on a type or no selection.
    void OKClick();
    void HelpClick();

    // Valid after mrOk: diameters in mm, conductivity in W/mK.
    float ResultDb = 0;
    float ResultDk = 0;
    float ResultHeatConditionFactor = 0;

private:
    std::unique_ptr<Ui::StandardTubesForm> ui_;
};
