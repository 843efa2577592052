#pragma once
// The engine's control interfaces over Qt widgets. Each adapter refers to its
// widget (or font) and must not outlive it.

#include "platform/base/Controls.h"

#include <QString>

class QComboBox;
class QFont;
class QMenu;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// The text a widget shows, by its kind: an edit's text, a combo box's current
// (or edited) text, a label's or button's caption, a group box's title, a
// text edit's plain text; other widgets have none.
QString WidgetText(const QWidget& widget);
// Sets it; a combo box that can't be edited selects the entry with that text
// (ignoring case) or none.
void SetWidgetText(QWidget& widget, const QString& text);

// The program's own page changes, as the component library's ActivePage and
// TabVisible: neither raises the page control's change event. Hiding the
// active page's tab activates the next shown page.
void SetActivePage(QTabWidget& pages, int index);
void SetTabVisible(QTabWidget& pages, int index, bool visible);

// The menu pops up at the mouse when the widget is right-clicked (in place of
// the widget's own context menu).
void SetPopupMenu(QWidget& widget, QMenu& menu);

// A free-standing font, such as the report font of a printer canvas. Sizes set
// in pixels count at 96 pixels per inch.
class TQtFont : public IFont {
public:
    explicit TQtFont(QFont& font) : font_(font) {}
    std::string Name() const override;
    void SetName(const std::string& name) override;
    int Size() const override;
    // A size of 0 or less changes nothing.
    void SetSize(int points) override;

private:
    QFont& font_;
};

// A widget's own font; pixel sizes count at the widget's logical resolution.
class TWidgetFont : public IFont {
public:
    explicit TWidgetFont(QWidget& widget) : widget_(widget) {}
    std::string Name() const override;
    void SetName(const std::string& name) override;
    int Size() const override;
    // A size of 0 or less changes nothing.
    void SetSize(int points) override;

private:
    QWidget& widget_;
};

class TQtControl : public IControl {
public:
    explicit TQtControl(QWidget& widget) : widget_(widget), font_(widget) {}
    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SetFocus() override;
    IFont& Font() override { return font_; }

private:
    QWidget& widget_;
    TWidgetFont font_;
};

// Selection changes made here emit currentIndexChanged, never activated: the
// handlers of the user's choice don't run for the program's own changes.
class TQtComboBox : public IComboBox {
public:
    explicit TQtComboBox(QComboBox& box);
    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SetFocus() override;
    IFont& Font() override { return font_; }
    void Clear() override;
    void Add(const std::string& text) override;
    int Count() const override;
    std::string Item(int index) const override;
    void SetItem(int index, const std::string& text) override;
    int IndexOf(const std::string& text) const override;
    int ItemIndex() const override;
    void SetItemIndex(int index) override;

private:
    QComboBox& box_;
    TWidgetFont font_;
};

// Node data is kept in column 0 under Qt::UserRole.
class TQtTreeView : public ITreeView {
public:
    explicit TQtTreeView(QTreeWidget& tree) : tree_(tree) {}
    void Clear() override;
    TTreeNode* AddNode(TTreeNode* parent, const std::string& text, std::intptr_t data) override;
    TTreeNode* Parent(const TTreeNode* node) const override;
    std::string NodeText(const TTreeNode* node) const override;
    std::intptr_t Data(const TTreeNode* node) const override;
    TTreeNode* Selected() const override;

    // Between the engine's node handles and the tree's items.
    static TTreeNode* NodeOf(QTreeWidgetItem* item);
    static QTreeWidgetItem* ItemOf(const TTreeNode* node);

private:
    QTreeWidget& tree_;
};
