#include "app/AppFiles.h"

#include "platform/ui/JpegPicture.h"
#include "platform/win/Files.h"

#include <ctime>

#include <sys/stat.h>

namespace {

std::filesystem::path& ExecutableOverride() {
    static std::filesystem::path executable;
    return executable;
}

}  // namespace

std::filesystem::path AppExecutable() {
    if (!ExecutableOverride().empty()) return ExecutableOverride();
    return win::ProgramFile();
}

std::filesystem::path AppFolder() {
    if (!ExecutableOverride().empty()) return ExecutableOverride().parent_path();
    return win::ProgramFolder();
}

void SetAppExecutableForTesting(const std::filesystem::path& executable) {
    ExecutableOverride() = executable;
}

std::filesystem::path PicturePathOf(const std::filesystem::path& executable) {
    std::filesystem::path picture = executable;
    picture.replace_extension(".jpg");
    return picture;
}

QImage LoadProgramPicture() {
    const std::filesystem::path executable = AppExecutable();
    if (executable.empty()) return {};
    return LoadJpegPicture(PicturePathOf(executable));
}

std::optional<win::TDate> FileDate(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    std::tm local{};
    const std::time_t when = info.st_mtime;
    if (!::localtime_r(&when, &local)) return std::nullopt;
    return win::TDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}
