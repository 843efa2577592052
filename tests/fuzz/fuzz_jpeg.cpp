// The JPEG decoder of the program's picture: any bytes must decode or be
// refused, never crash or read out of bounds.

#include "platform/base/JpegImage.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TJpegImage image;
    if (DecodeJpeg(std::span(data, size), image)) {
        // Every row the decoder reports is there.
        volatile std::uint8_t last = image.Rgb.empty() ? 0 : image.Rgb.back();
        (void)last;
        if (image.Rgb.size() != static_cast<std::size_t>(image.Width) * image.Height * 3) __builtin_trap();
    }
    return 0;
}
