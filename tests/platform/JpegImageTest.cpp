#include "platform/base/JpegImage.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

// Encodes RGB pixels with libjpeg itself, so each case knows its picture.
std::vector<std::uint8_t> Encode(int width, int height, const std::vector<std::uint8_t>& rgb, bool progressive = false,
                                 bool grey = false) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    const int stride = width * info.input_components;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride));
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            const std::size_t pixel = (static_cast<std::size_t>(info.next_scanline) * width + x) * 3;
            if (grey) {
                row[x] = rgb[pixel];
            } else {
                for (int c = 0; c < 3; ++c) row[x * 3 + c] = rgb[pixel + c];
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// Four flat quarters: red, green, blue, white.
std::vector<std::uint8_t> Quarters(int width, int height) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int quarter = (y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0);
            static const std::uint8_t colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
            for (int c = 0; c < 3; ++c) rgb[(static_cast<std::size_t>(y) * width + x) * 3 + c] = colours[quarter][c];
        }
    }
    return rgb;
}

void ExpectPixelNear(const TJpegImage& image, int x, int y, int r, int g, int b) {
    const std::size_t at = (static_cast<std::size_t>(y) * image.Width + x) * 3;
    EXPECT_NEAR(image.Rgb[at], r, 12) << x << "," << y;
    EXPECT_NEAR(image.Rgb[at + 1], g, 12) << x << "," << y;
    EXPECT_NEAR(image.Rgb[at + 2], b, 12) << x << "," << y;
}

}  // namespace

TEST(JpegImage, DecodesBaselineAndProgressive) {
    for (const bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        const auto bytes = Encode(32, 16, Quarters(32, 16), progressive);
        TJpegImage image;
        ASSERT_TRUE(DecodeJpeg(bytes, image));
        EXPECT_EQ(image.Width, 32);
        EXPECT_EQ(image.Height, 16);
        ASSERT_EQ(image.Rgb.size(), 32u * 16 * 3);
        ExpectPixelNear(image, 4, 4, 255, 0, 0);
        ExpectPixelNear(image, 27, 3, 0, 255, 0);
        ExpectPixelNear(image, 3, 12, 0, 0, 255);
        ExpectPixelNear(image, 28, 12, 255, 255, 255);
    }
}

TEST(JpegImage, GreyPicturesComeOutAsRgb) {
    std::vector<std::uint8_t> rgb(16 * 16 * 3, 128);
    const auto bytes = Encode(16, 16, rgb, false, true);
    TJpegImage image;
    ASSERT_TRUE(DecodeJpeg(bytes, image));
    ASSERT_EQ(image.Rgb.size(), 16u * 16 * 3);
    ExpectPixelNear(image, 8, 8, 128, 128, 128);
}

TEST(JpegImage, BadDataIsRefusedWithAReason) {
    TJpegImage image;
    std::string error;
    EXPECT_FALSE(DecodeJpeg({}, image, &error));
    EXPECT_FALSE(error.empty());
    const std::vector<std::uint8_t> text{'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'};
    error.clear();
    EXPECT_FALSE(DecodeJpeg(text, image, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(image.Width, 0);
    EXPECT_TRUE(image.Rgb.empty());
}

TEST(JpegImage, EveryTruncationEndsWithoutCrash) {
    const auto bytes = Encode(24, 24, Quarters(24, 24));
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        TJpegImage image;
        const bool ok = DecodeJpeg(std::span(bytes.data(), length), image);
        // A cut inside the headers fails; a cut in the picture data decodes
        // what there is, always at full size.
        if (ok) {
            EXPECT_EQ(image.Rgb.size(), 24u * 24 * 3) << length;
        } else {
            EXPECT_TRUE(image.Rgb.empty()) << length;
        }
    }
}

TEST(JpegImage, HugeDimensionsAreRefusedBeforeAllocating) {
    auto bytes = Encode(16, 16, Quarters(16, 16));
    // The SOF0 frame header: FF C0, length, precision, height, width.
    for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = 0xFD;  // height 65000, under libjpeg's own limit
            bytes[i + 6] = 0xE8;
            bytes[i + 7] = 0xFD;  // width 65000
            bytes[i + 8] = 0xE8;
            break;
        }
    }
    TJpegImage image;
    std::string error;
    EXPECT_FALSE(DecodeJpeg(bytes, image, &error));
    EXPECT_EQ(error, "The picture is too large");
}

TEST(JpegImage, ShippedPictureDecodes) {
    TJpegImage image;
    std::string error;
    ASSERT_TRUE(LoadJpegFile(SOURCE_ROOT "/src/app/pictures/Valdorine.jpg", image, &error)) << error;
    EXPECT_EQ(image.Width, 565);
    EXPECT_EQ(image.Height, 335);
}

TEST(JpegImage, MissingFileIsAnError) {
    testing_support::TempDir dir;
    TJpegImage image;
    std::string error;
    EXPECT_FALSE(LoadJpegFile(dir.Path() / "missing.jpg", image, &error));
    EXPECT_EQ(error, "Cannot open file");
}
