#include "platform/ui/JpegPicture.h"

#include "platform/base/JpegImage.h"

#include <cstring>

QImage ToQImage(const TJpegImage& picture) {
    if (picture.Width <= 0 || picture.Height <= 0) return {};
    const auto stride = static_cast<std::size_t>(picture.Width) * 3;
    if (picture.Rgb.size() < stride * static_cast<std::size_t>(picture.Height)) return {};
    QImage image(picture.Width, picture.Height, QImage::Format_RGB888);
    if (image.isNull()) return {};
    for (int y = 0; y < picture.Height; ++y) {
        std::memcpy(image.scanLine(y), picture.Rgb.data() + stride * static_cast<std::size_t>(y), stride);
    }
    return image;
}

QImage LoadJpegPicture(const std::filesystem::path& path) {
    TJpegImage picture;
    if (!LoadJpegFile(path, picture)) return {};
    return ToQImage(picture);
}
