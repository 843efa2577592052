// The project file, little-endian, fields as in StreamPrimitives.h:
//
//   string  "KELVARIN_PROJECT_FILE"   16 00 + 21 characters + 00
//   int16   version                   257 written; 256 and 257 read
//   chunks, each:
//     int16   tag
//     uint16  length                  bytes of the body that follows
//     body    tag 1: Address, Customer, Planer, Comment (string lists), Date
//             tag 2: one item record in the file's version
//             other: skipped by the length
//   int16   255                       the end; no length follows
//
// Bodies of tags 1 and 2 are read field by field; their length is not needed.

#include "project/Project.h"

#include "lang/Languages.h"
#include "lang/StringTable.h"
#include "platform/base/Controls.h"
#include "platform/base/Exception.h"
#include "platform/base/Stream.h"
#include "platform/win/Clock.h"
#include "project/ClipboardStream.h"
#include "project/ProgramOptions.h"
#include "project/StreamPrimitives.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

namespace {

// String-table row of the own clipboard format's name.
constexpr int kOwnFormatNameRow = 18;
// Version 256 is the record without SavingRatio.
constexpr std::int16_t kOldestProjectFileVersion = 256;
// In front of each item of the own clipboard format; also the record version
// the item is read with. Any other value ends the list (0 is written).
constexpr std::int16_t kClipboardItemMark = 257;
constexpr std::int16_t kClipboardEndMark = 0;
// Project-data rows of a report.
constexpr int kFirstLineRow = 96;  // + k
constexpr int kDateRow = 99;
constexpr int kFurtherLineRow = 100;

// Reads through to another stream and notes whether any read came back
// short: the stream primitives don't report it, and data that end early must
// not pass for whole. It shows no end, so that a reader that would stop
// quietly at the end (the item's point list) reads on and is noticed.
class TReadCheckStream : public TStream {
public:
    explicit TReadCheckStream(TStream& source) : source_(source) {}

    int Read(void* buffer, int count) override {
        const int got = source_.Read(buffer, count);
        if (got < count) short_ = true;
        return got;
    }
    int Write(const void*, int) override { return 0; }
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override { return source_.Seek(offset, origin); }
    std::int64_t Size() const override { return std::numeric_limits<std::int64_t>::max(); }
    void SetSize(std::int64_t) override {}
    std::int64_t Position() const override { return source_.Position(); }

    bool Short() const { return short_; }

private:
    TStream& source_;
    bool short_ = false;
};

[[noreturn]] void RaiseText(std::string_view key) { throw Exception(LanguageList->GetString(key)); }

}  // namespace

std::int64_t WriteChunkHeader(TStream& stream, std::int16_t tag) {
    WriteInt16(stream, tag);
    const std::int64_t position = stream.Position();
    WriteInt16(stream, tag);  // placeholder for the length
    return position;
}

void PatchChunkLength(TStream& stream, std::int64_t position) {
    const std::int64_t end = stream.Position();
    // Readers skip only unknown chunks by their length, so a longer body of
    // ours keeps just the low 16 bits.
    const auto length = static_cast<std::uint16_t>(end - position - 2);
    stream.SetPosition(position);
    WriteInt16(stream, static_cast<std::int16_t>(length));
    stream.SetPosition(end);
}

void SkipChunk(TStream& stream, std::uint16_t length) { stream.Seek(length, TSeekOrigin::Current); }

TProject::TProject() : ClipboardFormat(RegisterClipboardFormat(LoadResString(kOwnFormatNameRow))) {
    if (AppOptions) {
        Planer.Assign(AppOptions->Planer);
        if (AppOptions->InitDate) Date = ShortDateText(win::Today());
    }
}

void TProject::SaveToStream(TStream& stream) {
    WriteString(stream, ProjectFileMagic);
    WriteInt16(stream, kProjectFileVersion);

    std::int64_t lengthField = WriteChunkHeader(stream, kProjectDataChunk);
    WriteStrings(stream, Address);
    WriteStrings(stream, Customer);
    WriteStrings(stream, Planer);
    WriteStrings(stream, Comment);
    WriteString(stream, Date);
    PatchChunkLength(stream, lengthField);

    // Every item, however many: the count is never stored.
    for (const TItem& item : Items) {
        lengthField = WriteChunkHeader(stream, kItemChunk);
        item.Write(stream);
        PatchChunkLength(stream, lengthField);
    }
    WriteInt16(stream, kEndTag);
    Modified = false;
}

void TProject::LoadFromStream(TStream& source) {
    TReadCheckStream stream(source);
    std::string magic;
    ReadString(stream, magic);
    if (stream.Short() || magic != ProjectFileMagic) RaiseText("IDS_INVALIDFILE");
    std::int16_t version = 0;
    ReadInt16(stream, version);
    if (stream.Short()) RaiseText("IDS_INVALIDFILE");
    if (version != kOldestProjectFileVersion && version != kProjectFileVersion) RaiseText("IDS_VERSIONERR");

    // Read into copies; the project changes only once the whole file is read.
    TStringList address = Address, customer = Customer, planer = Planer, comment = Comment;
    std::string date = Date;
    std::vector<TItem> items;
    for (;;) {
        std::int16_t tag = 0;
        ReadInt16(stream, tag);
        if (stream.Short()) RaiseText("IDS_INVALIDFILE");
        if (tag == kEndTag) break;
        // Unsigned: a length can't take the position backwards.
        std::int16_t length = 0;
        ReadInt16(stream, length);
        if (tag == kProjectDataChunk) {
            ReadStrings(stream, address);
            ReadStrings(stream, customer);
            ReadStrings(stream, planer);
            ReadStrings(stream, comment);
            ReadString(stream, date);
        } else if (tag == kItemChunk) {
            TItem item;
            item.Read(stream, version);
            items.push_back(std::move(item));
        } else {
            const auto bodyLength = static_cast<std::uint16_t>(length);
            if (source.Size() - source.Position() < bodyLength) RaiseText("IDS_INVALIDFILE");
            SkipChunk(stream, bodyLength);
        }
        if (stream.Short()) RaiseText("IDS_INVALIDFILE");
    }

    Address = std::move(address);
    Customer = std::move(customer);
    Planer = std::move(planer);
    Comment = std::move(comment);
    Date = std::move(date);
    Items.insert(Items.end(), std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    Modified = false;
}

void TProject::CopyToClipboard(const IItemSelection& list) const {
    TClipboardStream clipboard;
    const int count = std::min(list.Count(), ItemCount());
    for (int i = 0; i < count; ++i) {
        if (!list.Selected(i)) continue;
        if (clipboard.RtfHeaderPending) clipboard.BeginRTF("ItemRTFHeader");
        const TItem& item = Items[static_cast<std::size_t>(i)];
        item.WriteRtf(clipboard.RtfStream);
        WriteInt16(clipboard.OwnFormatStream, kClipboardItemMark);
        item.Write(clipboard.OwnFormatStream);
    }
    WriteInt16(clipboard.OwnFormatStream, kClipboardEndMark);
    clipboard.CopyToClipboard(ClipboardFormat);
}

void TProject::PasteFromClipboard() {
    TClipboardStream clipboard;
    if (!clipboard.ReadFromClipboard(ClipboardFormat)) return;
    TReadCheckStream stream(clipboard.OwnFormatStream);
    for (;;) {
        std::int16_t mark = kClipboardEndMark;
        ReadInt16(stream, mark);
        if (stream.Short() || mark != kClipboardItemMark) break;
        TItem item;
        item.Read(stream, kClipboardItemMark);
        // A record cut short would bring defaults for its missing fields.
        if (stream.Short()) break;
        Items.push_back(std::move(item));
    }
    Modified = true;
}

void TProject::WriteRTFHeader(TPrintfStringStream& stream) const {
    WriteRTFLines(stream, Address, 0);
    WriteRTFLines(stream, Customer, 1);
    WriteRTFLines(stream, Planer, 2);
    if (!Date.empty()) stream.PrintfResString(kDateRow, EscapeRtfText(Date));
}

void TProject::WriteRTFLines(TPrintfStringStream& stream, const TStringList& lines, int k) const {
    for (int i = 0; i < lines.Count(); ++i)
        stream.PrintfResString(i == 0 ? kFirstLineRow + k : kFurtherLineRow, EscapeRtfText(lines[i]));
}
