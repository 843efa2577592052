// The calculation dialog's preset menus, its owner-drawn lists and the two
// dialogs it opens.

#include "app/ItemModify.h"

#include "app/BigChart.h"
#include "app/ItemModifyInternal.h"
#include "app/StandardTubes.h"
#include "calc/Item.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/QtControls.h"
#include "platform/ui/QtText.h"
#include "ui_ItemModify.h"

#include <QAction>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

using namespace item_modify;

namespace {

constexpr QSize kPictureSize(104, 36);

enum class TEntryKind { Item, SubMenu, SubItem };

struct TPresetEntry {
    TEntryKind Kind;
    const char* Name;
    const char* Caption;  // UTF-8
};

struct TPresetMenu {
    const char* Name;
    std::vector<TPresetEntry> Entries;
};

// Every caption ends in its number (and unit): the handlers take it from there.
const TPresetMenu kHeatConditionMenu{"HeatConditionFactorPopupMenu",
                                     {{TEntryKind::Item, "Acl461", "Acél 50."},
                                      {TEntryKind::Item, "Alumnium2201", "Alumínium 222."},
                                      {TEntryKind::Item, "Polietilnkisnyoms0451", "Polietilén (kisnyomású) 0.45"},
                                      {TEntryKind::Item, "Polietilnnagynyoms0351", "Polietilén (nagynyomású) 0.35"},
                                      {TEntryKind::Item, "Polipropiln0221", "Polipropilén 0.22"},
                                      {TEntryKind::Item, "Rz3721", "Réz 394."},
                                      {TEntryKind::Item, "Vas501", "Vas 73."}}};

const TPresetMenu kEmissionMenu{"EmissionFactorPopupMenu",
                                {{TEntryKind::SubMenu, "Acl1", "Acél"},
                                 {TEntryKind::SubItem, "Ersenoxidlt0781", "Erősen oxidált 0.8"},
                                 {TEntryKind::SubItem, "Polrozott00661", "Polírozott 0.08"},
                                 {TEntryKind::SubItem, "Hengereltlemez0661", "Hengerelt lemez 0.66"},
                                 {TEntryKind::SubMenu, "Alumniumpolrozott0121", "Alumínium"},
                                 {TEntryKind::SubItem, "Hengerelt00491", "Lemezárú 0.09"},
                                 {TEntryKind::SubItem, "Polrozott0121", "Polírozott 0.05"},
                                 {TEntryKind::SubItem, "Ersenoxidlt031", "Erősen oxidált 0.3"},
                                 {TEntryKind::SubMenu, "Rzpolrozott00381", "Réz"},
                                 {TEntryKind::SubItem, "Oxidlt0731", "Eloxált 0.76"},
                                 {TEntryKind::SubItem, "Matt0151", "Matt 0.15"},
                                 {TEntryKind::SubItem, "Polrozott00381", "Polírozott 0.04"},
                                 {TEntryKind::SubMenu, "Vas1", "Vas"},
                                 {TEntryKind::SubItem, "Vrsrozsds0621", "Vörös rozsdás 0.61"},
                                 {TEntryKind::SubItem, "Durvarozsds0671", "Durva rozsdás 0.85"},
                                 {TEntryKind::SubItem, "Polrozott00662", "Polírozott 0.21"}}};

const TPresetMenu kAirMenu{
    "AirTemperaturePopupMenu",
    {{TEntryKind::Item, "lmennyezetfelett24C1", "Álmennyezet felett 24 °C, 65 %"},
     {TEntryKind::SubMenu, "Csveklgcsatornk1", "Csövek, légcsatornák"},
     {TEntryKind::SubItem, "Prskrnyezet22C1", "Párás környezet 22 °C, 85 %"},
     {TEntryKind::SubItem, "Szrazkrnyezet24C1", "Száraz környezet 24 °C, 65 %"},
     {TEntryKind::Item, "lelmiszeriparialkalmazs201", "Élelmiszeripari alkalmazás 20 °C, 90 %"},
     {TEntryKind::SubMenu, "Fldalattigarzs1", "Földalatti garázs"},
     {TEntryKind::SubItem, "Gyengnszellztetett22C1", "Gyengén szellőztetett 22 °C, 85 %"},
     {TEntryKind::SubItem, "Jlszellztetett26C1", "Jól szellőztetett 26 °C, 89 %"},
     {TEntryKind::Item, "Irodkiskolkkorhzak28C1", "Irodák, iskolák, korházak 28 °C, 75 %"},
     {TEntryKind::Item, "Gyrtcsarnok32C1", "Gyártócsarnok 32 °C, 70 %"},
     {TEntryKind::Item, "Pinck22C1", "Pincék 22 °C, 85 %"}}};

const TPresetMenu kInsideAlphaMenu{"InsudeAlphaPopupMenu",
                                   {{TEntryKind::SubMenu, "Folyadk1", "Víz"},
                                    {TEntryKind::SubItem, "Nyugv3001", "Nyugvó 300 W/m2K"},
                                    {TEntryKind::SubItem, "raml8001", "Áramló 800 W/m2K"},
                                    {TEntryKind::SubItem, "Ersenraml5000Wm2K1", "Erősen áramló 5000 W/m2K"},
                                    {TEntryKind::SubMenu, "Leveg1", "Levegő"},
                                    {TEntryKind::SubItem, "Nyugv4Wm2K1", "Nyugvó 4 W/m2K"},
                                    {TEntryKind::SubItem, "raml8Wm2K1", "Áramló 8 W/m2K"},
                                    {TEntryKind::SubItem, "Ersenraml25Wm2K1", "Erősen áramló 25 W/m2K"}}};

const TPresetMenu kOutsideAlphaMenu{
    "OutsideAlphaPopupMenu",
    {{TEntryKind::Item, "Nyugvlevegfelmelegedkzegre4Wm2K1", "Nyugvó levegő felmelegedő közegre 4 W/m2K"},
     {TEntryKind::SubMenu, "Nyugvlevegsugrzsnlkl6Wm2K1", "Nyugvó levegő lehűlő közegre"},
     {TEntryKind::SubItem, "Sugrzsnlkl6Wm2K1", "Sugárzás nélkül 6 W/m2K"},
     {TEntryKind::SubItem, "Vilgosfnyesfelletsugrzssal7Wm2K1", "Világos, fényes felület sugárzással 7 W/m2K"},
     {TEntryKind::SubItem, "Sttmattfelletsugrzssal10Wm2K1", "Sötét, matt felület sugárzással 10 W/m2K"},
     {TEntryKind::Item, "Mozgleveg25Wm2K1", "Mozgó levegő 25 W/m2K"},
     {TEntryKind::Item, "Ersenmozgleveg50Wm2K1", "Erősen mozgó levegő 50 W/m2K"}}};

// Builds the menu as a child of the form; `click` serves every entry without
// a submenu.
QMenu& BuildMenu(QWidget& form, const TPresetMenu& table, const std::function<void(const QAction&)>& click) {
    auto* menu = new QMenu(&form);
    menu->setObjectName(QString::fromLatin1(table.Name));
    QMenu* submenu = nullptr;
    for (const TPresetEntry& entry : table.Entries) {
        const QString caption = QString::fromUtf8(entry.Caption);
        if (entry.Kind == TEntryKind::SubMenu) {
            submenu = menu->addMenu(caption);
            submenu->setObjectName(QString::fromLatin1(entry.Name));
            continue;
        }
        QMenu* owner = entry.Kind == TEntryKind::SubItem && submenu ? submenu : menu;
        QAction* action = owner->addAction(caption);
        action->setObjectName(QString::fromLatin1(entry.Name));
        OnClick(*action, &form, [click](QAction& item) { click(item); });
    }
    return *menu;
}

// The caption up to its last blank, and what follows that blank.
std::optional<std::string> BeforeLastBlank(const std::string& text) {
    const auto blank = text.rfind(' ');
    if (blank == std::string::npos) return std::nullopt;
    return text.substr(0, blank);
}

std::optional<std::string> AfterLastBlank(const std::string& text) {
    const auto blank = text.rfind(' ');
    if (blank == std::string::npos) return std::nullopt;
    return text.substr(blank + 1);
}

void SetText(QLineEdit& edit, const std::string& text) {
    edit.setText(ToQString(text));
}

}  // namespace

QPoint EntryPicturePosition(const QRect& entry, int textHeight) {
    const int bottom = entry.top() + entry.height();
    return {entry.left() + 2, (textHeight + entry.top() + bottom - kPictureSize.height() + 4) / 2};
}

void TItemModifyForm::CreatePresetMenus() {
    Ui::ItemModifyForm& ui = *ui_;
    QMenu& heat = BuildMenu(*this, kHeatConditionMenu, [this](const QAction& a) { HeatConditionMenuClick(a); });
    QMenu& emission = BuildMenu(*this, kEmissionMenu, [this](const QAction& a) { EmissionFactorMenuClick(a); });
    QMenu& air = BuildMenu(*this, kAirMenu, [this](const QAction& a) { TemperatureMenuClick(a); });
    QMenu& inside = BuildMenu(*this, kInsideAlphaMenu, [this](const QAction& a) { InsideAlphaMenuClick(a); });
    QMenu& outside = BuildMenu(*this, kOutsideAlphaMenu, [this](const QAction& a) { OutsideAlphaMenuClick(a); });
    const std::pair<QAbstractButton*, QMenu*> buttons[] = {
        {ui.SpeedButton1, &heat},          {ui.EmissionFactorSpeedButton, &emission},
        {ui.AirTemperatureSpeedButton, &air}, {ui.AirRelativHumiditiSpeedButton, &air},
        {ui.InsideAlphaSpeedButton, &inside}, {ui.OutsideAlphaSpeedButton, &outside},
    };
    for (const auto& [button, menu] : buttons) {
        OnClick(*button, this, [this, button, menu] { PopupSpeedButtonClick(*button, *menu); });
    }
    SetPopupMenu(*ui.GeometryHeatConditionFactor, heat);
    SetPopupMenu(*ui.EmissionFactor, emission);
    SetPopupMenu(*ui.AirTemperature, air);
    SetPopupMenu(*ui.AirRelativHumidity, air);
}

void TItemModifyForm::PopupSpeedButtonClick(QAbstractButton& button, QMenu& menu) {
    menu.popup(button.mapToGlobal(QPoint(0, 0)));
}

void TItemModifyForm::HeatConditionMenuClick(const QAction& item) {
    if (const auto value = AfterLastBlank(FromQString(item.text()))) SetText(*ui_->GeometryHeatConditionFactor, *value);
}

void TItemModifyForm::EmissionFactorMenuClick(const QAction& item) {
    if (const auto value = AfterLastBlank(FromQString(item.text()))) SetText(*ui_->EmissionFactor, *value);
}

void TItemModifyForm::InsideAlphaMenuClick(const QAction& item) {
    const auto number = BeforeLastBlank(FromQString(item.text()));  // drops the unit
    if (const auto value = number ? AfterLastBlank(*number) : std::nullopt) SetText(*ui_->InsideAlpha, *value);
}

void TItemModifyForm::OutsideAlphaMenuClick(const QAction& item) {
    const auto number = BeforeLastBlank(FromQString(item.text()));
    if (const auto value = number ? AfterLastBlank(*number) : std::nullopt) SetText(*ui_->OutsideAlpha, *value);
}

void TItemModifyForm::TemperatureMenuClick(const QAction& item) {
    // "place T °C, H %": from the end, each step needs its blank.
    const auto withHumidity = BeforeLastBlank(FromQString(item.text()));
    const auto humidity = withHumidity ? AfterLastBlank(*withHumidity) : std::nullopt;
    if (!humidity) return;
    SetText(*ui_->AirRelativHumidity, *humidity);
    const auto withUnit = BeforeLastBlank(*withHumidity);
    const auto withTemperature = withUnit ? BeforeLastBlank(*withUnit) : std::nullopt;
    if (const auto temperature = withTemperature ? AfterLastBlank(*withTemperature) : std::nullopt) {
        SetText(*ui_->AirTemperature, *temperature);
    }
}

void TItemModifyForm::StandardTubesButtonClick() {
    // A child of this dialog, so it opens on top of it.
    TStandardTubesForm tubes(this, static_cast<int>(EditedItem->Geometry));
    if (tubes.ShowModal() != mrOk) return;
    ShowNumber(*ui_->Tubed1, tubes.ResultDb);
    ShowNumber(*ui_->Tubed2, tubes.ResultDk);
    ShowNumber(*ui_->GeometryHeatConditionFactor, tubes.ResultHeatConditionFactor);
}

void TItemModifyForm::BigChartSpeedButtonClick() {
    TBigChartForm big(this, Chart());
    big.ShowModal();
}

void TItemModifyForm::CreateImageLists() {
    geometryImages_ = new TImageList(kPictureSize, this);
    geometryImages_->setObjectName(QStringLiteral("GeometryImageList"));
    for (int i = 0; i < 4; ++i) {
        geometryImages_->SetImage(i, QIcon(QStringLiteral(":/images/geometry%1.png").arg(i)));
    }
    calculationImages_ = new TImageList(kPictureSize, this);
    calculationImages_->setObjectName(QStringLiteral("CalculationImageList"));
    for (int i = 0; i < 7; ++i) {
        calculationImages_->SetImage(i, QIcon(QStringLiteral(":/images/calculation%1.png").arg(i)));
    }
}

void TItemModifyForm::DrawPictureEntry(const QComboBox& box, const TImageList& images, QPainter& painter, int index,
                                       const QRect& rect) const {
    painter.fillRect(rect, painter.brush());
    const QFontMetrics metrics(painter.font());
    painter.drawText(QRect(rect.left() + 2, rect.top() + 2, rect.width() - 4, metrics.height()),
                     Qt::AlignLeft | Qt::AlignTop, box.itemText(index));
    painter.drawPixmap(EntryPicturePosition(rect, metrics.height()), images.Image(index).pixmap(kPictureSize));
}

void TItemModifyForm::GeometryTypeDrawItem(QPainter& painter, int index, const QRect& rect, QStyle::State) {
    DrawPictureEntry(*ui_->GeometryType, *geometryImages_, painter, index, rect);
}

void TItemModifyForm::CalculationTypeDrawItem(QPainter& painter, int index, const QRect& rect, QStyle::State) {
    DrawPictureEntry(*ui_->CalculationType, *calculationImages_, painter, index, rect);
}
