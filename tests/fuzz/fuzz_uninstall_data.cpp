// The uninstaller's data reader on arbitrary bytes, three ways: as a whole
// executable image (trailer, both layers, content), as one protected layer,
// and as content already unwrapped, so the fuzzer reaches the section and
// registry checks without having to forge checksums.
#include "uninstaller/ByteString.h"
#include "uninstaller/UninstallData.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UninstallData image;
    const int imageResult = readUninstallDataFromBytes(data, size, image);
    if (imageResult != kDataOk && imageResult != kDataOutOfMemory && imageResult != kDataCorrupt) std::abort();

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ByteString layer;
    layer.assign(bytes);
    if (unwrapLayer(layer)) {
        UninstallData inner;
        (void)splitContent(layer, inner);
    }

    ByteString content;
    content.assign(bytes);
    UninstallData direct;
    if (splitContent(content, direct) == kDataOk) {
        // What the run then reads line by line must stay in bounds as well.
        for (const ByteString* section : {&direct.shared, &direct.backups, &direct.files, &direct.directories}) {
            int position = 0;
            ByteString line;
            while (section->isValidPos(position)) section->readLine(&position, line, false);
        }
    }
    return 0;
}
