// The report's RTF renderer on arbitrary bytes: measured, then drawn, on a
// recording canvas. The first byte picks the report size and the box width.
#include "platform/base/Exception.h"
#include "platform/base/StringStream.h"
#include "report/Rtfprint.h"
#include "support/FakeCanvas.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int reportSize = data[0] & 0x1F;  // 0 leaves the canvas font's size
    const int width = (data[0] >> 5) * 300;
    const std::string rtf(reinterpret_cast<const char*>(data + 1), size - 1);
    int tops[2] = {0, 0};
    for (const bool measureOnly : {true, false}) {
        testing_support::TFakeCanvas canvas(300);
        TRect rect{50, 100, 50 + width, 3000};
        TStringStream stream(rtf);
        RTFPrint print("Arial", reportSize);
        print.MeasureOnly = measureOnly;
        try {
            print.Render(canvas, rect, stream);
        } catch (const EConvertError&) {
            // documented: a parameter that is a bare "-"
            return 0;
        }
        if (measureOnly && !canvas.texts.empty()) std::abort();
        if (stream.Position() != stream.Size()) std::abort();
        tops[measureOnly ? 0 : 1] = rect.Top;
    }
    // Measuring must predict where drawing ends, or blocks overrun pages.
    if (tops[0] != tops[1]) std::abort();
    return 0;
}
