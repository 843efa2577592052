#pragma once
// What the engine does to windows, without seeing them: a control's text and
// focus, a combo box's items, a tree's nodes, a font, a form's components,
// the clipboard and the user's short date text. The Qt layer implements these;
// tests use fakes. All texts are Windows-1250 bytes.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace win {
struct TDate;
}

// A font's face and size.
class IFont {
public:
    virtual ~IFont() = default;
    virtual std::string Name() const = 0;
    virtual void SetName(const std::string& name) = 0;
    // Size in points (rounded when the font was set in pixels).
    virtual int Size() const = 0;
    virtual void SetSize(int points) = 0;
};

// A control that shows a text: an edit, a label, a combo box's edit part.
class IControl {
public:
    virtual ~IControl() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void SetFocus() = 0;
    // The control's own font; valid as long as the control.
    virtual IFont& Font() = 0;
};

// A combo box: a list of texts with at most one selected (index -1: none).
class IComboBox : public IControl {
public:
    virtual void Clear() = 0;
    virtual void Add(const std::string& text) = 0;
    virtual int Count() const = 0;
    // The text of entry i; "" for an index outside the list.
    virtual std::string Item(int index) const = 0;
    // Replaces entry i; an index outside the list changes nothing.
    virtual void SetItem(int index, const std::string& text) = 0;
    // The list's own search: the first entry equal to `text` ignoring case; -1 when none.
    virtual int IndexOf(const std::string& text) const = 0;
    virtual int ItemIndex() const = 0;
    // An index outside the list leaves no entry selected.
    virtual void SetItemIndex(int index) = 0;
};

// A node of an ITreeView; only the tree that made it knows what it is.
struct TTreeNode;

// A tree of text nodes, each carrying a number of the caller's.
class ITreeView {
public:
    virtual ~ITreeView() = default;
    virtual void Clear() = 0;
    // Appends a node under parent (null: a top-level node) and returns it. The
    // node lives until Clear or the tree's end.
    virtual TTreeNode* AddNode(TTreeNode* parent, const std::string& text, std::intptr_t data) = 0;
    // Null for a top-level node.
    virtual TTreeNode* Parent(const TTreeNode* node) const = 0;
    virtual std::string NodeText(const TTreeNode* node) const = 0;
    virtual std::intptr_t Data(const TTreeNode* node) const = 0;
    // The selected node, null when none.
    virtual TTreeNode* Selected() const = 0;
};

// The kinds of component a form translation names for its entries (the
// language file's declared type), and the properties it may set on them.
enum class TComponentKind {
    Action, Button, Chart, CheckBox, CheckListBox, ComboBox, Edit, GroupBox, Image, Label, ListHeader,
    ListView, MenuItem, OpenDialog, PageControl, Panel, RadioButton, RadioGroup, SaveDialog, Series,
    SpeedButton, TabSheet, ToolButton, UpDown
};
enum class TComponentProperty {
    Caption, Hint, Text,
    ItemsString,    // entry `index` of the component's list of items
    ColumnCaption,  // caption of column `index`
    ChartTitleLine, // a further line of a chart's title
    BottomAxisTitle, LeftAxisTitle, RightAxisTitle, TopAxisTitle,
    Filter, Title   // a file dialog's filter and title; Title is a series' title too
};

// One component of a form, found by its name.
class IComponent {
public:
    virtual ~IComponent() = default;
    virtual std::string Name() const = 0;
    // The class of the object behind it (the toolkit's class name).
    virtual std::string ClassName() const = 0;
    // Whether the object behind it really is a component of that kind.
    virtual bool IsKind(TComponentKind kind) const = 0;
    // Sets a property the way a component of `kind` takes it. False, with
    // nothing changed, when the object is not of that kind, or `index` names
    // no existing item or column (lists are never extended).
    virtual bool SetProperty(TComponentKind kind, TComponentProperty property, int index,
                             const std::string& value) = 0;
    // The Windows character set of the component's font (238: Central European).
    virtual void SetFontCharset(int charset) = 0;
};

// A form: its own properties and its components in their fixed order.
class IForm {
public:
    virtual ~IForm() = default;
    virtual std::string Name() const = 0;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // "short|long": the short part is the tooltip, the long part the status text.
    virtual std::string Hint() const = 0;
    virtual void SetHint(const std::string& hint) = 0;
    virtual std::string HelpFile() const = 0;
    virtual void SetHelpFile(const std::string& helpFile) = 0;
    // The Windows character set of the form's font.
    virtual void SetFontCharset(int charset) = 0;
    // Components are listed afresh by each call of ComponentCount; a reference
    // from Component or FindComponent stays valid while its object lives.
    virtual int ComponentCount() = 0;
    virtual IComponent& Component(int index) = 0;
    // The first component whose name equals `name` exactly; null when none.
    virtual IComponent* FindComponent(std::string_view name) = 0;
};

// One format's bytes on the clipboard, stored and returned exactly as given.
struct TClipboardBlock {
    unsigned Format = 0;
    std::string Bytes;
};

// The clipboard: a set of blocks, one per format, replaced as a whole.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    // The id of a named format (see RegisterClipboardFormat).
    virtual unsigned RegisterFormat(std::string_view name) = 0;
    // Clears the clipboard and puts all blocks on it at once; an empty list clears it.
    virtual void SetBlocks(const std::vector<TClipboardBlock>& blocks) = 0;
    virtual bool HasFormat(unsigned format) const = 0;
    // The block of that format; false, with `bytes` unchanged, when absent.
    virtual bool GetBlock(unsigned format, std::string& bytes) const = 0;
};

// Process-wide table of format names: the same name (ignoring ASCII case)
// always gives the same id, from 0xC000 up; an empty name gives 0.
unsigned RegisterClipboardFormat(std::string_view name);
// The name a format was first registered with; "" for an unknown id.
std::string ClipboardFormatName(unsigned format);

// The installed clipboard; a process-local one until something is installed.
IClipboard& Clipboard();
// Installs a clipboard (not owned; null restores the process-local one) and
// returns the one installed before (null for the process-local one).
IClipboard* SetClipboard(IClipboard* clipboard);

// A clipboard that lives in this process only: the default, and a fake for tests.
class TMemoryClipboard : public IClipboard {
public:
    unsigned RegisterFormat(std::string_view name) override;
    void SetBlocks(const std::vector<TClipboardBlock>& blocks) override;
    bool HasFormat(unsigned format) const override;
    bool GetBlock(unsigned format, std::string& bytes) const override;

private:
    std::vector<TClipboardBlock> blocks_;
};

// The user's short date text of a day ("2004. 02. 03." under Hungarian
// settings). Without an installed hook: year-month-day with two-digit month
// and day ("2004-02-03").
std::string ShortDateText(const win::TDate& date);
using ShortDateTextHook = std::function<std::string(const win::TDate& date)>;
// Installs a hook and returns the previous one; an empty hook restores the default.
ShortDateTextHook SetShortDateTextHook(ShortDateTextHook hook);
