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
#include "support/StreamBytes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void WriteReport(const TItem& item) {
    TPrintfStringStream text;
    item.WriteRtf(text);
}

void ReadAsProjectFile(std::string_view bytes) {
    TMemoryStream file;
    testing_support::FillStream(file, bytes);
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

void ReadAsItemRecord(std::string_view bytes, int version) {
    WriteReport(testing_support::ReadRecord<TItem>(bytes, version));
}

void ReadAsClipboardContent(std::string_view bytes) {
    TProject project;
    Clipboard().SetBlocks({{project.ClipboardFormat, std::string(bytes)}});
    project.PasteFromClipboard();
    for (const TItem& item : project.Items) WriteReport(item);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 24)) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReadAsProjectFile(bytes);
    ReadAsItemRecord(bytes, 256);
    ReadAsItemRecord(bytes, 257);
    ReadAsClipboardContent(bytes);
    return 0;
}
