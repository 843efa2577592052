#pragma once
// The component library's events as Qt signals, written once for every form.
// Each function connects a handler through the command barrier (RunCommand),
// to the signal that fires when the component library's event fires: on the
// user's action only, or also on the program's own change, as the event did.
//
// | event     | component                          | Qt                                 | program's own changes |
// |-----------|------------------------------------|------------------------------------|-----------------------|
// | OnClick   | TButton, TSpeedButton, TToolButton | QAbstractButton::clicked           | no                    |
// | OnClick   | TCheckBox                          | QCheckBox::toggled                 | yes (Checked := ...)  |
// | OnClick   | TRadioButton                       | QRadioButton::toggled, when on     | yes (Checked := True) |
// | OnClick   | TLabel, TImage                     | mouse button released over it      | no                    |
// | OnClick   | TListView                          | TListView::Click (anywhere in it)  | no                    |
// | OnClick   | TMenuItem with entries             | QMenu::aboutToShow                 | no                    |
// | OnClick   | TMenuItem without entries          | QAction::triggered, action passed  | no                    |
// | OnDblClick| TListView                          | TListView::DblClick                | no                    |
// | OnDblClick| TTreeView                          | QTreeWidget::itemDoubleClicked     | no                    |
// | OnEdited  | TListView                          | TListView::Edited                  | no                    |
// | OnSelectItem | TListView                       | TListView::SelectItem              | yes                   |
// | OnChange  | TComboBox                          | QComboBox::activated, and an       | no                    |
// |           |                                    | editable box's textEdited          |                       |
// | OnChange  | TEdit                              | QLineEdit::textChanged             | yes (Text := ...)     |
// | OnChange  | TPageControl                       | QTabWidget::currentChanged         | no (SetActivePage and |
// |           |                                    |                                    | SetTabVisible are     |
// |           |                                    |                                    | quiet)                |
// | OnChange  | TTreeView                          | QTreeWidget::itemSelectionChanged  | yes                   |
// | OnDrawItem| TComboBox, owner-drawn             | TOwnerDrawComboBox's entries, face | -                     |
// | OnExit    | TEdit                              | focus out to another control of    | yes (SetFocus on      |
// |           |                                    | the same window; not to another    | another control)      |
// |           |                                    | window, a popup or a menu          |                       |
// | OnExecute | TAction                            | QAction::triggered                 | no                    |
// | OnPopup   | TPopupMenu                         | QMenu::aboutToShow                 | no                    |
// | OnTimer   | TTimer                             | QTimer::timeout                    | -                     |
// | OnClick   | TCheckListBox                      | QListWidget::currentRowChanged     | yes (ItemIndex := ...)|
// | OnDrawItem| TCheckListBox                      | TOwnerDrawDelegate, per item       | -                     |
// | OnPaint   | TPaintBox                          | TPaintBox::Paint                   | -                     |

#include "platform/ui/CommandGuard.h"
#include "platform/ui/ListView.h"
#include "platform/ui/OwnerDrawComboBox.h"
#include "platform/ui/OwnerDrawList.h"
#include "platform/ui/PaintBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

class QLabel;

template <class F>
void OnClick(QAbstractButton& button, const QObject* context, F handler) {
    ConnectCommand(&button, &QAbstractButton::clicked, context, [handler = std::move(handler)] { handler(); });
}

template <class F>
void OnClick(QCheckBox& box, const QObject* context, F handler) {
    ConnectCommand(&box, &QCheckBox::toggled, context, [handler = std::move(handler)] { handler(); });
}

template <class F>
void OnClick(QRadioButton& button, const QObject* context, F handler) {
    ConnectCommand(&button, &QRadioButton::toggled, context, [handler = std::move(handler)](bool on) {
        if (on) handler();
    });
}

// A label takes no clicks of its own: an event filter owned by the label
// reports the released mouse button.
void OnClick(QLabel& label, const QObject* context, std::function<void()> handler);

template <class F>
void OnClick(TListView& list, const QObject* context, F handler) {
    ConnectCommand(&list, &TListView::Click, context, std::move(handler));
}

// A top-level menu entry's click is its menu opening.
template <class F>
void OnClick(QMenu& menu, const QObject* context, F handler) {
    ConnectCommand(&menu, &QMenu::aboutToShow, context, std::move(handler));
}

// handler(action): the handler reads the clicked entry's caption.
template <class F>
void OnClick(QAction& item, const QObject* context, F handler) {
    ConnectCommand(&item, &QAction::triggered, context, [&item, handler = std::move(handler)] { handler(item); });
}

template <class F>
void OnDblClick(QTreeWidget& tree, const QObject* context, F handler) {
    ConnectCommand(&tree, &QTreeWidget::itemDoubleClicked, context, [handler = std::move(handler)] { handler(); });
}

template <class F>
void OnDblClick(TListView& list, const QObject* context, F handler) {
    ConnectCommand(&list, &TListView::DblClick, context, std::move(handler));
}

// handler(index, text)
template <class F>
void OnEdited(TListView& list, const QObject* context, F handler) {
    ConnectCommand(&list, &TListView::Edited, context, std::move(handler));
}

// handler(index, selected)
template <class F>
void OnSelectItem(TListView& list, const QObject* context, F handler) {
    ConnectCommand(&list, &TListView::SelectItem, context, std::move(handler));
}

template <class F>
void OnChange(QComboBox& box, const QObject* context, F handler) {
    ConnectCommand(&box, &QComboBox::activated, context, [handler](int) { handler(); });
    if (QLineEdit* edit = box.lineEdit()) {
        ConnectCommand(edit, &QLineEdit::textEdited, context, [handler](const QString&) { handler(); });
    }
}

template <class F>
void OnChange(QLineEdit& edit, const QObject* context, F handler) {
    ConnectCommand(&edit, &QLineEdit::textChanged, context, [handler = std::move(handler)] { handler(); });
}

// The user's page change; the program's go through SetActivePage and
// SetTabVisible (QtControls.h), which keep it quiet.
template <class F>
void OnChange(QTabWidget& pages, const QObject* context, F handler) {
    ConnectCommand(&pages, &QTabWidget::currentChanged, context, [handler = std::move(handler)] { handler(); });
}

template <class F>
void OnChange(QTreeWidget& tree, const QObject* context, F handler) {
    ConnectCommand(&tree, &QTreeWidget::itemSelectionChanged, context, std::move(handler));
}

// handler(painter, index, rect, state), see DrawItemHandler.
template <class F>
void OnDrawItem(TOwnerDrawComboBox& box, const QObject* context, F handler) {
    box.SetDrawItem([guard = QPointer<const QObject>(context), handler = std::move(handler)](
                        QPainter& painter, int index, const QRect& rect, QStyle::State state) {
        if (guard) RunCommand([&] { handler(painter, index, rect, state); });
    });
}

// Focus moving from the edit to another control of its window.
void OnExit(QLineEdit& edit, const QObject* context, std::function<void()> handler);

template <class F>
void OnExecute(QAction& action, const QObject* context, F handler) {
    ConnectCommand(&action, &QAction::triggered, context, [handler = std::move(handler)] { handler(); });
}

template <class F>
void OnPopup(QMenu& menu, const QObject* context, F handler) {
    ConnectCommand(&menu, &QMenu::aboutToShow, context, std::move(handler));
}

template <class F>
void OnTimer(QTimer& timer, const QObject* context, F handler) {
    ConnectCommand(&timer, &QTimer::timeout, context, std::move(handler));
}

// A selection change of the list, by the user or the program.
template <class F>
void OnClick(QListWidget& list, const QObject* context, F handler) {
    ConnectCommand(&list, &QListWidget::currentRowChanged, context, [handler = std::move(handler)] { handler(); });
}

// Makes the list owner-drawn: handler(painter, index, rect) draws each item's
// text part (the painter is clipped to `rect`).
template <class F>
void OnDrawItem(QListWidget& list, const QObject* context, F handler) {
    QPointer<const QObject> guard(context);
    list.setItemDelegate(new TOwnerDrawDelegate(list, [guard, handler = std::move(handler)](QPainter& painter, int index,
                                                                                            const QRect& rect) {
        if (guard) RunCommand([&] { handler(painter, index, rect); });
    }));
}

// handler(painter)
template <class F>
void OnPaint(TPaintBox& box, const QObject* context, F handler) {
    ConnectCommand(&box, &TPaintBox::Paint, context, std::move(handler));
}
