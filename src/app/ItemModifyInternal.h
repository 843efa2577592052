#pragma once
// What the parts of the calculation dialog share: the rules that decide
// which controls are inputs, and number texts in and out of its controls.

#include <QString>

#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;
class TItem;

namespace item_modify {

// A frost calculation and every tank run over a time the user gives.
bool TimeIsInput(const TItem& item);
// Square ducts and tanks take their wall thickness as typed; a round
// section's wall comes from its two diameters and is shown as a result.
bool WallThicknessIsInput(const TItem& item);
// Pipes and round ducts: results per metre, not per square metre.
bool IsRoundSection(const TItem& item);

// Key prefixes of the heat-transfer mode texts; the mode's digit follows.
inline constexpr char kInsideAlphaModes[] = "IDS_INSIDEALPHAMODES+";
inline constexpr char kOutsideAlphaModes[] = "IDS_OUTSIDEALPHAMODES+";

// The general format with 4 (or 3) significant digits, as every number the
// dialog shows. An edit remembers the exact value it was given: see ReadNumber.
QString NumberText(double value, int digits = 4);
void ShowNumber(QLineEdit& edit, double value, int digits = 4);
void ShowNumber(QLabel& label, double value, int digits = 4);

// The control's number under one of the ValueHelpers checks; on failure the
// control has the focus and the translated error is thrown. An edit whose
// text is still what ShowNumber wrote gives the exact value shown.
double ReadNumber(QWidget& control, int mode);
// Focuses the control and throws the translated "IDS_WRONGVALUE".
[[noreturn]] void RejectValue(QWidget& control);
// The value as the item's single-precision number; one beyond its range is
// rejected like a bad text.
float ToItemFloat(QWidget& control, double value);
// ReadNumber, then ToItemFloat.
float ReadFloat(QWidget& control, int mode);

// The text of a control, Windows-1250.
std::string TextOf(const QWidget& control);

// A memo's lines joined by CR LF, none after the last line; and the reverse.
std::string MemoText(const QPlainTextEdit& memo);
void SetMemoText(QPlainTextEdit& memo, const std::string& text);

}  // namespace item_modify
