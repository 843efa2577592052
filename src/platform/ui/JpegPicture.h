#pragma once
// JPEG pictures as Qt images, decoded by libjpeg.

#include <QImage>

#include <filesystem>

struct TJpegImage;

// A deep copy in Format_RGB888; a null image for an empty picture.
QImage ToQImage(const TJpegImage& picture);
// A null image when the file can't be read or decoded.
QImage LoadJpegPicture(const std::filesystem::path& path);
