#pragma once
// JPEG pictures decoded by libjpeg into plain RGB pixels, for the windows that
// show the program's picture. The graphics layer turns them into its images.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

struct TJpegImage {
    int Width = 0;
    int Height = 0;
    // Three bytes (red, green, blue) per pixel, rows top to bottom, no padding.
    std::vector<std::uint8_t> Rgb;
};

// Pictures larger than this (in pixels) are refused rather than allocated.
constexpr std::int64_t kMaxJpegPixels = 64LL * 1024 * 1024;

// Decodes a whole JPEG file image (baseline or progressive; grey or colour).
// False, with `image` emptied and the reason in `error` (when given), for
// anything libjpeg can't decode, a colour space it can't turn into RGB, or a
// picture beyond kMaxJpegPixels. Damage libjpeg only warns about (a file cut
// short) still decodes, as far as the data goes.
bool DecodeJpeg(std::span<const std::uint8_t> bytes, TJpegImage& image, std::string* error = nullptr);

// Reads and decodes a file; false as above, or when the file can't be read.
bool LoadJpegFile(const std::filesystem::path& path, TJpegImage& image, std::string* error = nullptr);
