// The LZW decoder on arbitrary bytes: it either decodes or raises
// EDecompressError; anything else is a fault.
#include "data/Compressing.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string out;
    try {
        Compressing::Decompress({data, size}, out);
    } catch (const EDecompressError&) {
        // documented: a damaged stream
    }
    return 0;
}
