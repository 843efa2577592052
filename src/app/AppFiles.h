#pragma once
// The files the program finds beside itself: the language folder, the price
// list, the help pages and the picture. Tests point the program at a folder
// of their own.

#include "platform/win/Clock.h"

#include <QImage>

#include <filesystem>
#include <optional>

// The program's executable (or what a test set in its place).
std::filesystem::path AppExecutable();
// Its folder.
std::filesystem::path AppFolder();
// Makes the program see `executable` as its own; an empty path restores the real one.
void SetAppExecutableForTesting(const std::filesystem::path& executable);

// The picture of an executable: its name with the extension replaced by
// ".jpg", or with ".jpg" appended when it has none ("Valdorine.exe" and
// "Valdorine" both give "Valdorine.jpg").
std::filesystem::path PicturePathOf(const std::filesystem::path& executable);
// The program's picture; a null image when it is missing or can't be decoded.
QImage LoadProgramPicture();

// The local calendar date of a file's last change; nothing when it can't be read.
std::optional<win::TDate> FileDate(const std::filesystem::path& path);
