#include "platform/base/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>

#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not
// return; it jumps back into DecodeInto. Nothing with a destructor lives in
// that function's frame between setjmp and the jump.
struct TErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<TErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->Message);
    std::longjmp(manager->Jump, 1);
}

// Warnings (corrupt data, a premature end) don't stop the decoding.
void OutputMessage(j_common_ptr) {}

// Returns nullptr on success, else libjpeg's message (kept in `manager`).
// `rgb` is sized here before any row is decoded into it.
const char* DecodeInto(std::span<const std::uint8_t> bytes, TErrorManager& manager, jpeg_decompress_struct& info,
                       std::vector<std::uint8_t>& rgb, int& width, int& height) {
    info.err = jpeg_std_error(&manager.Base);
    manager.Base.error_exit = ErrorExit;
    manager.Base.output_message = OutputMessage;
    manager.Message[0] = '\0';
    if (setjmp(manager.Jump)) {
        jpeg_destroy_decompress(&info);
        return manager.Message;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&info);
        return "CMYK pictures are not supported";
    }
    info.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&info);
    const auto pixels = static_cast<std::int64_t>(info.output_width) * info.output_height;
    if (pixels <= 0 || pixels > kMaxJpegPixels) {
        jpeg_destroy_decompress(&info);
        return "The picture is too large";
    }
    rgb.assign(static_cast<std::size_t>(pixels) * 3, 0);
    jpeg_start_decompress(&info);
    const std::size_t stride = static_cast<std::size_t>(info.output_width) * 3;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rgb.data() + stride * info.output_scanline;
        if (jpeg_read_scanlines(&info, &row, 1) != 1) break;
    }
    width = static_cast<int>(info.output_width);
    height = static_cast<int>(info.output_height);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return nullptr;
}

}  // namespace

bool DecodeJpeg(std::span<const std::uint8_t> bytes, TJpegImage& image, std::string* error) {
    image = TJpegImage{};
    if (bytes.empty()) {
        if (error) *error = "Empty JPEG file";
        return false;
    }
    TErrorManager manager{};
    jpeg_decompress_struct info{};
    std::vector<std::uint8_t> rgb;
    int width = 0;
    int height = 0;
    if (const char* message = DecodeInto(bytes, manager, info, rgb, width, height)) {
        if (error) *error = message;
        return false;
    }
    image.Width = width;
    image.Height = height;
    image.Rgb = std::move(rgb);
    return true;
}

bool LoadJpegFile(const std::filesystem::path& path, TJpegImage& image, std::string* error) {
    image = TJpegImage{};
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        if (error) *error = "Cannot open file";
        return false;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        if (error) *error = "Cannot read file";
        return false;
    }
    return DecodeJpeg(bytes, image, error);
}
