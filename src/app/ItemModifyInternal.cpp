#include "app/ItemModifyInternal.h"

#include "lang/Languages.h"
#include "platform/base/Exception.h"
#include "platform/base/StringList.h"
#include "platform/base/SysUtils.h"
#include "platform/ui/QtControls.h"
#include "platform/ui/QtText.h"
#include "project/ValueHelpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace item_modify {

QString NumberText(double value, int digits) {
    return ToQString(FloatToStrG(value, digits));
}

void ShowNumber(QLineEdit& edit, double value, int digits) {
    edit.setText(NumberText(value, digits));
}

void ShowNumber(QLabel& label, double value, int digits) {
    label.setText(NumberText(value, digits));
}

double ReadNumber(QWidget& control, int mode) {
    TQtControl adapter(control);
    return ControlToValue(adapter, mode);
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
    std::string text;
    const QStringList lines = memo.toPlainText().split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += FromQString(lines[i]);
    }
    return text;
}

void SetMemoText(QPlainTextEdit& memo, const std::string& text) {
    TStringList lines;
    lines.SetText(text);
    QStringList shown;
    for (const std::string& line : lines.Lines()) shown << ToQString(line);
    memo.setPlainText(shown.join(QLatin1Char('\n')));
}

}  // namespace item_modify
