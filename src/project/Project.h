#pragma once
// The project document: a few blocks of descriptive text and the ordered
// calculation items, with the project file (".kvr") it is saved to and opened
// from, and the item copy and paste through the clipboard.

#include "calc/Item.h"
#include "platform/base/StringList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TPrintfStringStream;
class TStream;

// The first field of every project file.
inline constexpr std::string_view ProjectFileMagic = "KELVARIN_PROJECT_FILE";
// Written; files of version 256 (items without SavingRatio) are read too.
inline constexpr std::int16_t kProjectFileVersion = 257;

// Chunk tags of the project file.
inline constexpr std::int16_t kProjectDataChunk = 1;
inline constexpr std::int16_t kItemChunk = 2;
inline constexpr std::int16_t kEndTag = 255;

// The list that shows the project's items, as the item commands see it:
// entry i is item i of the project. The main window implements it over its
// list view.
class IItemSelection {
public:
    virtual ~IItemSelection() = default;
    virtual int Count() const = 0;
    virtual bool Selected(int index) const = 0;
};

// The list as the project fills it: one entry per item, a caption and
// sub-item texts.
class IListView : public IItemSelection {
public:
    virtual void Clear() = 0;
    virtual void AddItem(const std::string& caption, const std::vector<std::string>& subItems) = 0;
};

// The calculation dialog as the project's edit commands see it.
class IItemEditor {
public:
    virtual ~IItemEditor() = default;
    // Lets the user edit `item`; true when they confirmed (OK). On false the
    // item may still hold values read before a check failed.
    virtual bool Edit(TItem& item) = 0;
};

class TProject {
public:
    // A new project: the options' designer lines, today's date in the user's
    // short format when the options ask for it, no items, not modified.
    // Without options (AppOptions null) both stay empty.
    TProject();

    // Writes the whole project file at the stream's position and clears
    // Modified. Errors of the stream go to the caller.
    void SaveToStream(TStream& stream);
    // Reads a whole project file from the stream's position. Raises Exception
    // with the translated "IDS_INVALIDFILE" for another first field or for
    // data that end before the end tag, and "IDS_VERSIONERR" for a version
    // other than 256 and 257; the project is then unchanged. On success the
    // file's texts replace the project's (those of a file without project
    // data stay), its items are appended and Modified is cleared.
    void LoadFromStream(TStream& stream);

    int ItemCount() const { return static_cast<int>(Items.size()); }

    // Appends a copy of `item`, sets Modified, then edits the new last item as
    // EditItem does. A cancelled edit leaves the appended copy as given.
    void AddItem(IItemEditor& editor, const TItem& item);
    // Runs the editor on a copy of item `index`; only on OK the copy replaces
    // the item and Modified is set. An index outside the items does nothing.
    void EditItem(IItemEditor& editor, int index);
    // Erases the items whose list entries are selected (entries beyond the
    // items are ignored); the others keep their order. Sets Modified.
    void DeleteSelectedItems(const IItemSelection& list);
    // Renames item `index` and sets Modified, also for the same name; an index
    // outside the items does nothing.
    void SetItemName(int index, const std::string& name);

    // Empties the list, then adds one entry per item in order: the item's
    // name with its comment as the one sub-item. The selection is lost.
    void FillListView(IListView& list) const;

    // Puts the selected items on the clipboard, in list order: the own format
    // under ClipboardFormat and an RTF copy in the printing language.
    void CopyToClipboard(const IItemSelection& list) const;
    // Appends the items of the clipboard's own format and sets Modified;
    // changes nothing when the clipboard doesn't hold that format.
    void PasteFromClipboard();

    // The project-data block of a report: the first lines of Address,
    // Customer and Planer with their labels and their further lines, then the
    // date when there is one. Comment is not printed.
    void WriteRTFHeader(TPrintfStringStream& stream) const;
    // The lines of one list, k = 0 Address, 1 Customer, 2 Planer.
    void WriteRTFLines(TPrintfStringStream& stream, const TStringList& lines, int k) const;

    bool Modified = false;        // differs from its file
    unsigned ClipboardFormat = 0;  // id of the own clipboard format
    std::string FileName;         // "" until saved or opened
    TStringList Address;          // building or site
    TStringList Customer;
    TStringList Planer;           // designer
    TStringList Comment;
    std::string Date;             // as typed or as filled in
    std::vector<TItem> Items;     // list order
};

// Chunk helpers of the project file.
// Writes the tag and a placeholder for the length; returns the position of
// the length field.
std::int64_t WriteChunkHeader(TStream& stream, std::int16_t tag);
// Writes the number of bytes after the length field at `position` (its low
// 16 bits when the body is longer than 65535 bytes) and returns to the end.
void PatchChunkLength(TStream& stream, std::int64_t position);
// Moves the position forward by `length` bytes.
void SkipChunk(TStream& stream, std::uint16_t length);
