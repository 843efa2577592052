#pragma once
// The header editor: which columns of a list header are shown, their order,
// width and alignments, how numbers are shown, and the user's own title
// lines. It edits the given format in place; Cancel puts back the copy made
// at the start, OK writes the layout to the registry.

#include "platform/ui/Form.h"

#include <QFont>

#include <memory>
#include <string>

class QLineEdit;
class QPainter;
class QRect;
class TListHeaderFormat;

namespace Ui {
class ChangeHeaderForm;
}

class TChangeHeaderForm : public TForm {
    Q_OBJECT

public:
    // The form alone: no format, empty key and name.
    explicit TChangeHeaderForm(QWidget* owner = nullptr);
    // Edits `format` (not owned; it must outlive the form) with the list's
    // font; the layout goes under the program key's "Headers\<registryName>"
    // on OK, unless the name is empty.
    TChangeHeaderForm(QWidget* owner, TListHeaderFormat* format, const QFont& listFont, std::string programKey,
                      std::string registryName);
    ~TChangeHeaderForm() override;

    // The display position whose column the controls show; -1 before the first.
    int CurrentPosition() const { return current_; }
    // The list font's character height plus external leading, in pixels.
    int LineHeight() const { return lineHeight_; }

    // One item per column, checked when it is shown; the first one current.
    void Create();
    // A new selection: the controls go into the current column first.
    void ClickEvent();
    // The current column into the controls, and back.
    void ShowColumn();
    // Raises the conversion error (the field focused) for a width, digits or
    // decimals text that is no whole number, IDS_WRONGVALUE for a factor
    // that is no number; the fields before it are stored.
    void StoreColumn();
    void UserDefinedClick();
    void MoveUpButtonClick();
    void MoveDownButtonClick();
    void ColumnsListDrawItem(QPainter& painter, int index, const QRect& rect);
    void ViewPanelPaint(QPainter& painter);
    // Stores, takes the check marks (the first column stays shown), saves,
    // and ends the run with OK.
    void OKClick();
    // Puts the format back as it was and ends the run with Cancel.
    void CancelClick();
    void HelpClick();

    // Escape and the close box act as Cancel.
    void reject() override;

private:
    void Connect();
    void UpdateMoveButtons();
    void MoveCurrent(int step);

    std::unique_ptr<Ui::ChangeHeaderForm> ui_;
    TListHeaderFormat* format_ = nullptr;
    std::string programKey_;
    std::string registryName_;
    std::unique_ptr<TListHeaderFormat> undo_;
    QFont listFont_;
    int current_ = -1;
    int lineHeight_ = 0;
};
