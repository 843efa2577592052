#include "project/ClipboardStream.h"

#include "lang/Languages.h"
#include "lang/StringTable.h"
#include "platform/base/Controls.h"

#include <limits>
#include <utility>

namespace {

// String-table row of the RTF clipboard format's name.
constexpr int kRtfFormatNameRow = 16;

}  // namespace

TClipboardStream::TClipboardStream() {
    // Last, so that the mode is on only once the object exists.
    previousPrintingMode_ = std::exchange(LanguageList->PrintingMode, true);
}

TClipboardStream::~TClipboardStream() { LanguageList->PrintingMode = previousPrintingMode_; }

void TClipboardStream::BeginRTF(std::string_view resourceName) {
    RtfStream.WriteRTFHeaderResource(resourceName);
    RtfHeaderPending = false;
}

void TClipboardStream::CopyToClipboard(unsigned ownFormat) {
    IClipboard& clipboard = Clipboard();
    std::vector<TClipboardBlock> blocks;
    if (ownFormat != 0) SetClipboardData(blocks, OwnFormatStream, ownFormat);
    if (RtfStream.Size() > 0) {
        // The prologue leaves the document group open; a language without the
        // closing text must not leave the copy unbalanced.
        const std::string end = LanguageList->GetString("IDS_RTFEND");
        RtfStream.WriteIf(true, end.empty() ? std::string_view("}") : std::string_view(end));
        SetClipboardData(blocks, RtfStream, clipboard.RegisterFormat(LoadResString(kRtfFormatNameRow)));
    }
    clipboard.SetBlocks(blocks);
}

bool TClipboardStream::ReadFromClipboard(unsigned ownFormat) {
    ReadFormat(Clipboard(), OwnFormatStream, ownFormat);
    return OwnFormatStream.Size() > 0;
}

void TClipboardStream::SetClipboardData(std::vector<TClipboardBlock>& blocks, TStream& stream, unsigned format) {
    const std::int64_t size = stream.Size();
    if (size <= 0) return;
    TClipboardBlock block;
    block.Format = format;
    block.Bytes.assign(static_cast<std::size_t>(size) + 1, '\0');  // the NUL after the last byte
    stream.SetPosition(0);
    stream.ReadBuffer(block.Bytes.data(), static_cast<int>(size));
    blocks.push_back(std::move(block));
}

void TClipboardStream::ReadFormat(const IClipboard& clipboard, TStream& stream, unsigned format) {
    std::string bytes;
    if (!clipboard.GetBlock(format, bytes)) return;
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return;
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
}
