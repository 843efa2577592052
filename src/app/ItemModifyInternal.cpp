#include "app/ItemModifyInternal.h"

#include "calc/Item.h"
#include "lang/Languages.h"
#include "platform/base/Exception.h"
#include "platform/base/StringList.h"
#include "platform/base/SysUtils.h"
#include "platform/ui/MemoLines.h"
#include "platform/ui/QtControls.h"
#include "platform/ui/QtText.h"
#include "project/ValueHelpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>

#include <cmath>

namespace item_modify {

bool TimeIsInput(const TItem& item) {
    return item.CalculationType == CalcMode::Frost || item.Geometry == GeometryType::Tank;
}

bool WallThicknessIsInput(const TItem& item) {
    return item.Geometry == GeometryType::SquareCanal || item.Geometry == GeometryType::Tank;
}

bool IsRoundSection(const TItem& item) {
    return item.Geometry == GeometryType::Tube || item.Geometry == GeometryType::RoundCanal;
}

QString NumberText(double value, int digits) {
    return ToQString(FloatToStrG(value, digits));
}

namespace {
// What ShowNumber wrote into an edit, kept on the edit itself.
constexpr char kShownText[] = "shownNumberText";
constexpr char kShownValue[] = "shownNumberValue";
}  // namespace

void ShowNumber(QLineEdit& edit, double value, int digits) {
    const QString text = NumberText(value, digits);
    edit.setText(text);
    edit.setProperty(kShownText, text);
    edit.setProperty(kShownValue, value);
}

void ShowNumber(QLabel& label, double value, int digits) {
    label.setText(NumberText(value, digits));
}

double ReadNumber(QWidget& control, int mode) {
    TQtControl adapter(control);
    const double typed = ControlToValue(adapter, mode);
    // An edit the user left as shown reads back the value it shows, not its
    // rounded text: otherwise OK on an unchanged item would store 12350 for
    // a length of 12345. Rounding to 4 digits keeps the sign and never
    // reaches 0, so the check above holds for the exact value too.
    const auto* edit = qobject_cast<const QLineEdit*>(&control);
    if (edit != nullptr && edit->text() == edit->property(kShownText).toString()) {
        return edit->property(kShownValue).toDouble();
    }
    return typed;
}

float ToItemFloat(QWidget& control, double value) {
    // The item keeps single-precision numbers: one beyond their range is no input.
    const auto single = static_cast<float>(value);
    if (std::isinf(single)) RejectValue(control);
    return single;
}

float ReadFloat(QWidget& control, int mode) {
    return ToItemFloat(control, ReadNumber(control, mode));
}

void RejectValue(QWidget& control) {
    control.setFocus(Qt::OtherFocusReason);
    throw Exception(LanguageList->GetString("IDS_WRONGVALUE"));
}

std::string TextOf(const QWidget& control) {
    return FromQString(WidgetText(control));
}

std::string MemoText(const QPlainTextEdit& memo) {
    // Not TStringList::Text: that ends every line, so each OK would add one.
    TStringList lines;
    ReadMemoLines(memo, lines);
    std::string text;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

void SetMemoText(QPlainTextEdit& memo, const std::string& text) {
    TStringList lines;
    lines.SetText(text);
    SetMemoLines(memo, lines);
}

}  // namespace item_modify
