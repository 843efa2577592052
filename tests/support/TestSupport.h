#pragma once
// Helpers every test folder shares.

#include <filesystem>
#include <string>

namespace testing_support {

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Writes bytes to a file, creating its folders.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// The whole file; empty when it can't be read.
std::string ReadFile(const std::filesystem::path& path);

}  // namespace testing_support
