#pragma once
// A temporary machine with an installed product, for the run's tests: files
// and folders by Windows path, the uninstaller with its data, registry helpers.

#include "support/TestSupport.h"
#include "uninstaller/ByteString.h"
#include "uninstaller/ScriptedDialogs.h"
#include "uninstaller/UninstallEncoder.h"

#include "platform/win/RegistryStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// A ByteString holding exactly these bytes, NULs included.
ByteString MakeByteString(std::string_view bytes);

class UninstallFixture : public ::testing::Test {
protected:
    UninstallFixture();
    ~UninstallFixture() override;

    // The native path of a Windows path on this machine.
    std::filesystem::path Native(const std::string& windowsPath) const;
    void MakeFile(const std::string& windowsPath, const std::string& bytes = "x") const;
    void MakeDir(const std::string& windowsPath) const;
    bool Exists(const std::string& windowsPath) const;
    std::string Contents(const std::string& windowsPath) const;

    // The uninstaller "C:\Program Files\Example\uninst.exe" with d appended.
    std::filesystem::path WriteUninstaller(const encoder::Description& d) const;
    std::filesystem::path WriteUninstallerBytes(const std::string& outerLayer) const;
    // Runs the uninstaller written last with the scripted dialogs.
    int Run(const std::string& commandLine = "uninst.exe");

    static constexpr char kUninstaller[] = "C:\\Program Files\\Example\\uninst.exe";

    // Registry helpers over the store.
    static void SetDword(win::HKey root, const std::string& key, const std::string& name, std::uint32_t value);
    // -1 when the value is missing.
    static std::int64_t Dword(win::HKey root, const std::string& key, const std::string& name);
    static void SetString(win::HKey root, const std::string& key, const std::string& name, const std::string& value);
    static bool HasValue(win::HKey root, const std::string& key, const std::string& name);

    testing_support::ScopedMachineRoot root_;
    ScriptedDialogs dialogs_;

private:
    std::filesystem::path savedDirectory_;
};
