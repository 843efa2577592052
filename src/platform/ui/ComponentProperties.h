#pragma once
// The translation's per-kind adapters over Qt: each component kind of a
// language file acts only on the Qt classes that fit it, and sets a property
// the way that kind takes it.
//
// | kind                       | fitting Qt classes                               |
// |----------------------------|--------------------------------------------------|
// | Action                     | QAction                                          |
// | MenuItem                   | QAction (an entry), QMenu (a top-level menu)     |
// | Button                     | QPushButton                                      |
// | SpeedButton                | QAbstractButton                                  |
// | ToolButton                 | QToolButton                                      |
// | CheckBox / RadioButton     | QCheckBox / QRadioButton                         |
// | CheckListBox               | QListWidget                                      |
// | ComboBox / Edit            | QComboBox / QLineEdit                            |
// | GroupBox / RadioGroup      | QGroupBox (a radio group's items: its radios)    |
// | Label / Image              | QLabel                                           |
// | Panel                      | QFrame (a QLabel shows the caption)              |
// | PageControl / TabSheet     | QTabWidget / a page of a QTabWidget              |
// | ListView                   | TListView, QAbstractItemView (header captions)   |
// | ListHeader                 | QHeaderView, or a class named TListHeader        |
// | UpDown                     | QAbstractSpinBox, QAbstractSlider                |
// | OpenDialog / SaveDialog    | TOpenDialog / TSaveDialog                        |
// | Chart / Series             | QChartView or QChart / QAbstractSeries, QBarSet  |

#include "platform/base/Controls.h"

#include <QString>
#include <QStringList>

class QObject;

bool FitsComponentKind(const QObject& object, TComponentKind kind);

// False, with nothing changed, when the object doesn't fit the kind, the kind
// doesn't take the property, or `index` names no existing entry.
bool SetComponentProperty(QObject& object, TComponentKind kind, TComponentProperty property, int index,
                          const QString& value);

// Qt fonts have no character set (text is Unicode); the set a translation
// asks for is kept on the object, for whoever draws with a Windows font.
void SetFontCharset(QObject& object, int charset);
// -1 when none was set.
int FontCharset(const QObject& object);

// A chart title's lines, as translation and the chart's owner build them.
QStringList ChartTitleLines(const QObject& chart);
