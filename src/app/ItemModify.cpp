// The calculation dialog's construction and its buttons.

#include "app/ItemModify.h"

#include "app/CostChart.h"
#include "calc/Item.h"
#include "lang/Languages.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/CursorWait.h"
#include "platform/ui/MemoLines.h"
#include "project/StreamPrimitives.h"
#include "ui_ItemModify.h"

#include <QtCharts/QAreaSeries>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

TItemModifyForm::TItemModifyForm(QWidget* owner, TItem* item)
    : TForm(owner), ui_(std::make_unique<Ui::ItemModifyForm>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    SetHelpContext(101);
    // The chart's series hang below the chart, which has no parent: enter
    // them by hand so translation finds them.
    TCostChart& chart = Chart();
    chart.Bars(0).setObjectName(QStringLiteral("Series1"));
    chart.Bars(1).setObjectName(QStringLiteral("Series3"));
    chart.Line().setObjectName(QStringLiteral("Series2"));
    for (int i = 0; i < TCostChart::kSeriesCount; ++i) AddComponent(chart.Series(i));
    chart.Bars(0).setName(QStringLiteral("Beruházás"));
    chart.Bars(0).setColor(Qt::blue);
    chart.Bars(1).setName(QStringLiteral("Veszteség"));
    chart.Bars(1).setColor(Qt::red);
    chart.Line().setName(QStringLiteral("Összesen"));
    chart.Line().setColor(QColor(0, 128, 0));
    chart.BottomAxis().setTitleText(QStringLiteral("Szigetelés vastagság [mm]"));
    chart.LeftAxis().setTitleText(QStringLiteral("Fajlagos költség"));
    chart.chart()->setBackgroundBrush(FormColor());
    CreatePresetMenus();
    CreateImageLists();
    ui_->GeometryType->SetItemHeight(60);
    ui_->CalculationType->SetItemHeight(60);
    ConnectEvents();
    // No longer than the project file keeps them.
    ui_->Name->setMaxLength(static_cast<int>(kMaxStoredText));
    LimitMemoLines(*ui_->Comment, static_cast<int>(kMaxStoredText));

    LanguageList->TranslateForm(*this);
    EditedItem = item;
    Updating = true;
    FillControls();
}

TItemModifyForm::~TItemModifyForm() = default;

TCostChart& TItemModifyForm::Chart() const {
    return *ui_->Chart1;
}

void TItemModifyForm::CalculateClick() {
    const TCursorWait wait;
    if (ReadControls() && EditedItem->Calculate()) ShowResults();
}

void TItemModifyForm::OKClick() {
    const TCursorWait wait;
    if (ReadControls() && EditedItem->Calculate()) SetModalResult(mrOk);
}

void TItemModifyForm::HelpClick() {
    ShowHelp();
}
