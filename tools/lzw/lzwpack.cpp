// lzwpack INPUT OUTPUT [--clear-after N]
// Compresses a file into the program's LZW format (data and language files
// whose names do not end in ".xml").
#include "lzw/LzwEncoder.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--clear-after")) {
        std::fprintf(stderr, "usage: lzwpack INPUT OUTPUT [--clear-after N]\n");
        return 2;
    }
    lzw::TEncodeOptions options;
    if (argc == 5) options.clearAfter = std::strtoul(argv[4], nullptr, 10);
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "lzwpack: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto packed = lzw::Compress(data, options);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packed.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "lzwpack: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
