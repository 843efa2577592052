#pragma once
// The text stream every RTF text of the program is assembled in (item rows,
// the project-data block, report headers, the clipboard's RTF copy), and the
// clipboard stream through which the copy and paste commands move items.

#include "platform/base/MemoryStream.h"
#include "platform/base/StringStream.h"

#include <string>
#include <string_view>
#include <vector>

class IClipboard;
struct TClipboardBlock;

// A plain text (typed by the user, read from a data file, a result text) made
// safe to insert into RTF: "\", "{" and "}" get a backslash in front.
std::string EscapeRtfText(std::string_view text);

// A string stream with operations that fetch a string-table row, expand its
// #KEY# macros in the active language and append it, plain or formatted with
// one argument. Every append goes to the stream's position, the end of the
// text in every use.
class TPrintfStringStream : public TStringStream {
public:
    explicit TPrintfStringStream(std::string text = {});

    // Appends the prologue resource of that name (case ignored) with its
    // macros expanded; nothing when there is no such resource.
    void WriteRTFHeaderResource(std::string_view name);
    // Appends row `id` with its macros expanded, unformatted.
    void WriteResString(int id);
    // Appends row `id` formatted with `text` as its one %s argument. The row is
    // expanded first, with the "%" of its macros' texts doubled, and formatted
    // second, so only the row's own conversion takes the argument and nothing
    // in `text` is taken for a macro or a conversion.
    void PrintfResString(int id, std::string_view text);
    // The same with a number for the row's one floating-point conversion; when
    // `show` is false nothing is fetched and nothing appended.
    void PrintfResFloat(int id, bool show, float value);
    // Appends `text` when `show` is set.
    void WriteIf(bool show, std::string_view text);
};

// Lives for one copy or one paste command. From construction to destruction
// the language list is in printing mode, so every text fetched meanwhile comes
// from the printing language. Not two at a time.
class TClipboardStream {
public:
    TClipboardStream();
    ~TClipboardStream();
    TClipboardStream(const TClipboardStream&) = delete;
    TClipboardStream& operator=(const TClipboardStream&) = delete;

    // Writes the RTF prologue resource into RtfStream and clears RtfHeaderPending.
    void BeginRTF(std::string_view resourceName);

    // Replaces the clipboard's content by OwnFormatStream under `ownFormat`
    // (left out when the id is 0 or the stream empty) and, when RtfStream holds
    // text, RtfStream closed with the printing language's "IDS_RTFEND" (or "}"
    // without one) under "Rich Text Format". Each block carries a NUL after
    // its bytes.
    void CopyToClipboard(unsigned ownFormat);
    // Reads the clipboard's `ownFormat` block into OwnFormatStream, rewound.
    // True when OwnFormatStream then holds at least one byte.
    bool ReadFromClipboard(unsigned ownFormat);

    // Adds the whole stream, followed by a NUL, as the block of `format`;
    // nothing for an empty stream.
    static void SetClipboardData(std::vector<TClipboardBlock>& blocks, TStream& stream, unsigned format);
    // Writes the clipboard's block of `format` into the stream and rewinds it;
    // leaves the stream unchanged when the clipboard has no such block.
    static void ReadFormat(const IClipboard& clipboard, TStream& stream, unsigned format);

    MyMemoryStream OwnFormatStream;
    TPrintfStringStream RtfStream;
    bool RtfHeaderPending = true;

private:
    bool previousPrintingMode_ = false;
};
