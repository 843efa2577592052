// The project-file reader and the item record on arbitrary bytes: the bytes
// as a whole project file, as one item record of either version, and as the
// own clipboard content. What is read is then written again (file and report
// text), and a file we write must read back.
#include "calc/Item.h"
#include "platform/base/Controls.h"
#include "platform/base/Exception.h"
#include "platform/base/MemoryStream.h"
#include "project/ClipboardStream.h"
#include "project/Project.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Fill(TMemoryStream& stream, const std::uint8_t* data, std::size_t size) {
    stream.Write(data, static_cast<int>(size));
    stream.SetPosition(0);
}

void WriteReport(const TItem& item) {
    TPrintfStringStream text;
    item.WriteRtf(text);
}

void ReadAsProjectFile(const std::uint8_t* data, std::size_t size) {
    TMemoryStream file;
    Fill(file, data, size);
    TProject project;
    try {
        project.LoadFromStream(file);
    } catch (const Exception&) {
        // documented: not a project file, another version, or cut short; the
        // project must be left as it was
        if (project.ItemCount() != 0) std::abort();
        return;
    }
    for (const TItem& item : project.Items) WriteReport(item);
    TMemoryStream saved;
    project.SaveToStream(saved);
    saved.SetPosition(0);
    TProject again;
    again.LoadFromStream(saved);  // must not raise
    if (again.ItemCount() != project.ItemCount()) std::abort();
}

void ReadAsItemRecord(const std::uint8_t* data, std::size_t size, int version) {
    TMemoryStream record;
    Fill(record, data, size);
    TItem item;
    item.Read(record, version);
    WriteReport(item);
}

void ReadAsClipboardContent(const std::uint8_t* data, std::size_t size) {
    TProject project;
    Clipboard().SetBlocks({{project.ClipboardFormat, std::string(reinterpret_cast<const char*>(data), size)}});
    project.PasteFromClipboard();
    for (const TItem& item : project.Items) WriteReport(item);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 24)) return 0;
    ReadAsProjectFile(data, size);
    ReadAsItemRecord(data, size, 256);
    ReadAsItemRecord(data, size, 257);
    ReadAsClipboardContent(data, size);
    return 0;
}
