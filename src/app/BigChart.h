#pragma once
// The enlarged cost chart: a large copy of the calculation dialog's chart,
// with no behaviour of its own.

#include "platform/ui/Form.h"

#include <memory>

class TCostChart;

namespace Ui {
class BigChartForm;
}

class TBigChartForm : public TForm {
    Q_OBJECT

public:
    // Translated, then `source` copied into Chart1, its series by position.
    TBigChartForm(QWidget* owner, const TCostChart& source);
    ~TBigChartForm() override;

    TCostChart& Chart() const;

private:
    std::unique_ptr<Ui::BigChartForm> ui_;
};
