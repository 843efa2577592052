#include "platform/win/RegistryStore.h"

#include "platform/win/WinError.h"
#include "support/TestSupport.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

using win::HKey;
namespace fs = std::filesystem;

namespace {

constexpr HKey kUser = HKey::CurrentUser;

std::vector<std::uint8_t> Dword(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 24)};
}

std::vector<std::uint8_t> Sz(std::string_view text) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

class RegistryStore : public ::testing::Test {
protected:
    fs::path File(HKey root = kUser) const {
        return machine_.Path() / "registry" / (std::string(win::RootName(root)) + ".reg");
    }

    // The in-process copy goes: the next call reads the file afresh.
    static void ForgetCache() {
        testing_support::ScopedMachineRoot elsewhere;
        (void)win::RegKeyExists(kUser, "");
    }

    static long Query(std::string_view path, std::string_view name, std::uint32_t& type,
                      std::vector<std::uint8_t>& data) {
        return win::RegQueryValue(kUser, path, name, type, data);
    }

    static std::vector<std::uint8_t> Value(std::string_view path, std::string_view name) {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
        EXPECT_EQ(Query(path, name, type, data), win::ERROR_SUCCESS) << name;
        return data;
    }

    static ino_t Inode(const fs::path& file) {
        struct stat st {};
        return ::stat(file.c_str(), &st) == 0 ? st.st_ino : 0;
    }

    testing_support::ScopedMachineRoot machine_;
};

TEST_F(RegistryStore, TypedValuesSurviveTheFile) {
    const std::string key = "Software\\Lumivar\\KELVARIN\\ProgramOptions";
    ASSERT_EQ(win::RegCreateKey(kUser, key), win::ERROR_SUCCESS);
    const std::vector<std::uint8_t> binary = {0, 1, 0xFE, 0xFF};
    const std::vector<std::uint8_t> multi = {'a', 0, 0xF5, 0, 0};
    ASSERT_EQ(win::RegSetValue(kUser, key, "Planer", win::REG_SZ, Sz("line 1\r\nline 2\r\n")), win::ERROR_SUCCESS);
    ASSERT_EQ(win::RegSetValue(kUser, key, "LeftMargin", win::REG_DWORD, Dword(20)), win::ERROR_SUCCESS);
    ASSERT_EQ(win::RegSetValue(kUser, key, "Bin", win::REG_BINARY, binary), win::ERROR_SUCCESS);
    ASSERT_EQ(win::RegSetValue(kUser, key, "Multi", win::REG_MULTI_SZ, multi), win::ERROR_SUCCESS);
    ASSERT_EQ(win::RegSetValue(kUser, key, "", win::REG_EXPAND_SZ, Sz("%TEMP%")), win::ERROR_SUCCESS);
    ForgetCache();
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_EQ(Query(key, "Planer", type, data), win::ERROR_SUCCESS);
    EXPECT_EQ(type, win::REG_SZ);
    EXPECT_EQ(data, Sz("line 1\r\nline 2\r\n"));
    ASSERT_EQ(Query(key, "LeftMargin", type, data), win::ERROR_SUCCESS);
    EXPECT_EQ(type, win::REG_DWORD);
    EXPECT_EQ(data, Dword(20));
    ASSERT_EQ(Query(key, "Bin", type, data), win::ERROR_SUCCESS);
    EXPECT_EQ(type, win::REG_BINARY);
    EXPECT_EQ(data, binary);
    ASSERT_EQ(Query(key, "Multi", type, data), win::ERROR_SUCCESS);
    EXPECT_EQ(type, win::REG_MULTI_SZ);
    EXPECT_EQ(data, multi);
    ASSERT_EQ(Query(key, "", type, data), win::ERROR_SUCCESS);
    EXPECT_EQ(type, win::REG_EXPAND_SZ);
    EXPECT_EQ(data, Sz("%TEMP%"));
    const std::string text = testing_support::ReadFile(File());
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Lumivar\\KELVARIN\\ProgramOptions]\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"LeftMargin\"=dword:00000014\r\n"), std::string::npos);
}

TEST_F(RegistryStore, EachRootHasItsOwnFile) {
    ASSERT_EQ(win::RegCreateKey(HKey::LocalMachine, "Software\\Microsoft"), win::ERROR_SUCCESS);
    EXPECT_FALSE(win::RegKeyExists(kUser, "Software\\Microsoft"));
    EXPECT_EQ(testing_support::ReadFile(File(HKey::LocalMachine)),
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Microsoft]\r\n\r\n");
    EXPECT_FALSE(fs::exists(File(kUser)));
}

TEST_F(RegistryStore, NamesKeepTheirCaseAndCompareWithout) {
    ASSERT_EQ(win::RegCreateKey(kUser, "Software\\\xC1rv\xEDzt\xFBr\xF5"), win::ERROR_SUCCESS);  // Árvíztűrő
    EXPECT_TRUE(win::RegKeyExists(kUser, "SOFTWARE\\\xC1RV\xCDZT\xDBR\xD5"));
    ASSERT_EQ(win::RegCreateKey(kUser, "software\\\xE1rv\xEDzt\xFBr\xF5\\Sub"), win::ERROR_SUCCESS);
    std::vector<std::string> names;
    ASSERT_EQ(win::RegEnumKeys(kUser, "", names), win::ERROR_SUCCESS);
    EXPECT_EQ(names, std::vector<std::string>{"Software"});
    ASSERT_EQ(win::RegEnumKeys(kUser, "Software", names), win::ERROR_SUCCESS);
    EXPECT_EQ(names, std::vector<std::string>{"\xC1rv\xEDzt\xFBr\xF5"});

    ASSERT_EQ(win::RegSetValue(kUser, "software", "LeftMargin", win::REG_DWORD, Dword(1)), win::ERROR_SUCCESS);
    ASSERT_EQ(win::RegSetValue(kUser, "SOFTWARE", "LEFTMARGIN", win::REG_DWORD, Dword(2)), win::ERROR_SUCCESS);
    ASSERT_EQ(win::RegEnumValues(kUser, "Software", names), win::ERROR_SUCCESS);
    EXPECT_EQ(names, std::vector<std::string>{"LeftMargin"});
    EXPECT_EQ(Value("Software", "leftmargin"), Dword(2));
}

TEST_F(RegistryStore, SubkeysSortIgnoringCaseAndValuesKeepTheirOrder) {
    for (const char* name : {"b", "C", "a", "\xC1"})  // Á sorts after the ASCII letters
        ASSERT_EQ(win::RegCreateKey(kUser, std::string("K\\") + name), win::ERROR_SUCCESS);
    for (const char* name : {"z", "y", "x"}) ASSERT_EQ(win::RegSetValue(kUser, "K", name, win::REG_SZ, Sz("")), 0);
    std::vector<std::string> names;
    ASSERT_EQ(win::RegEnumKeys(kUser, "K", names), win::ERROR_SUCCESS);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "C", "\xC1"}));
    ASSERT_EQ(win::RegEnumValues(kUser, "K", names), win::ERROR_SUCCESS);
    EXPECT_EQ(names, (std::vector<std::string>{"z", "y", "x"}));
}

TEST_F(RegistryStore, KeysWithoutValuesPersist) {
    ASSERT_EQ(win::RegCreateKey(kUser, "Software\\Lumivar\\KELVARIN\\Fonts"), win::ERROR_SUCCESS);
    ForgetCache();
    EXPECT_TRUE(win::RegKeyExists(kUser, "Software\\Lumivar\\KELVARIN\\Fonts"));
    std::vector<std::string> names{"stale"};
    ASSERT_EQ(win::RegEnumValues(kUser, "Software\\Lumivar\\KELVARIN\\Fonts", names), win::ERROR_SUCCESS);
    EXPECT_TRUE(names.empty());
}

TEST_F(RegistryStore, WindowsErrorCodes) {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(Query("Missing", "x", type, data), win::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win::RegOpenKey(kUser, "Missing", win::RegAccess::Read), win::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win::RegSetValue(kUser, "Missing", "x", win::REG_DWORD, Dword(1)), win::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win::RegDeleteKey(kUser, "Missing"), win::ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(win::RegCreateKey(kUser, "K"), win::ERROR_SUCCESS);
    EXPECT_EQ(Query("K", "x", type, data), win::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win::RegDeleteValue(kUser, "K", "x"), win::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win::RegDeleteKey(kUser, ""), win::ERROR_ACCESS_DENIED);  // the root stays
    for (const char* bad : {"\\K", "K\\", "K\\\\L", "K\nL"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(win::RegCreateKey(kUser, bad), win::ERROR_BAD_PATHNAME);
        EXPECT_EQ(win::RegOpenKey(kUser, bad, win::RegAccess::Read), win::ERROR_BAD_PATHNAME);
    }
    EXPECT_EQ(win::RegSetValue(kUser, "K", "a\r\nb", win::REG_DWORD, Dword(1)), win::ERROR_INVALID_PARAMETER);
    EXPECT_EQ(win::RegSetValue(kUser, "K", std::string_view("a\0b", 3), win::REG_DWORD, Dword(1)),
              win::ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryStore, KeyWithSubkeysIsNotDeleted) {
    ASSERT_EQ(win::RegCreateKey(kUser, "A\\B\\C"), win::ERROR_SUCCESS);
    EXPECT_EQ(win::RegDeleteKey(kUser, "A\\B"), win::ERROR_ACCESS_DENIED);
    EXPECT_TRUE(win::RegKeyExists(kUser, "A\\B\\C"));
    EXPECT_EQ(win::RegDeleteKey(kUser, "a\\b\\c"), win::ERROR_SUCCESS);
    EXPECT_EQ(win::RegDeleteKey(kUser, "A\\B"), win::ERROR_SUCCESS);
    ForgetCache();
    EXPECT_FALSE(win::RegKeyExists(kUser, "A\\B"));
    EXPECT_TRUE(win::RegKeyExists(kUser, "A"));
}

TEST_F(RegistryStore, ReadOnlyKeysRefuseEveryChangeBelowThem) {
    ASSERT_EQ(win::RegCreateKey(kUser, "Locked\\Sub"), win::ERROR_SUCCESS);
    ASSERT_EQ(win::RegSetValue(kUser, "Locked\\Sub", "v", win::REG_DWORD, Dword(7)), win::ERROR_SUCCESS);
    win::RegSetKeyAccessForTesting(kUser, "LOCKED", win::RegTestAccess::ReadOnly);
    EXPECT_EQ(win::RegOpenKey(kUser, "Locked\\Sub", win::RegAccess::Read), win::ERROR_SUCCESS);
    EXPECT_EQ(win::RegOpenKey(kUser, "Locked\\Sub", win::RegAccess::Write), win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(Value("Locked\\Sub", "v"), Dword(7));
    EXPECT_EQ(win::RegSetValue(kUser, "Locked\\Sub", "v", win::REG_DWORD, Dword(8)), win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::RegDeleteValue(kUser, "Locked\\Sub", "v"), win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::RegCreateKey(kUser, "Locked\\New"), win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::RegCreateKey(kUser, "Locked\\Sub"), win::ERROR_SUCCESS);  // exists already
    EXPECT_EQ(win::RegDeleteKey(kUser, "Locked\\Sub"), win::ERROR_ACCESS_DENIED);
    EXPECT_FALSE(win::RegKeyExists(kUser, "Locked\\New"));
    EXPECT_EQ(Value("Locked\\Sub", "v"), Dword(7));
    // Its siblings are not affected, and lifting the mark restores the key.
    EXPECT_EQ(win::RegCreateKey(kUser, "LockedNot"), win::ERROR_SUCCESS);
    win::RegSetKeyAccessForTesting(kUser, "Locked", win::RegTestAccess::Full);
    EXPECT_EQ(win::RegDeleteKey(kUser, "Locked\\Sub"), win::ERROR_SUCCESS);
}

TEST_F(RegistryStore, DeniedKeysExistButCannotBeUsed) {
    ASSERT_EQ(win::RegCreateKey(kUser, "Secret\\Sub"), win::ERROR_SUCCESS);
    ASSERT_EQ(win::RegSetValue(kUser, "Secret", "v", win::REG_DWORD, Dword(7)), win::ERROR_SUCCESS);
    win::RegSetKeyAccessForTesting(kUser, "Secret", win::RegTestAccess::Denied);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    std::vector<std::string> names;
    EXPECT_TRUE(win::RegKeyExists(kUser, "Secret"));
    EXPECT_EQ(win::RegOpenKey(kUser, "Secret", win::RegAccess::Read), win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::RegOpenKey(kUser, "Secret\\Sub", win::RegAccess::Read), win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::RegOpenKey(kUser, "Secret\\Missing", win::RegAccess::Read), win::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Query("Secret", "v", type, data), win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::RegEnumKeys(kUser, "Secret", names), win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::RegEnumValues(kUser, "Secret", names), win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::RegCreateKey(kUser, "Secret\\Sub"), win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::RegDeleteKey(kUser, "Secret\\Sub"), win::ERROR_ACCESS_DENIED);
    // A fresh machine root starts without marks.
    testing_support::ScopedMachineRoot other;
    ASSERT_EQ(win::RegCreateKey(kUser, "Secret"), win::ERROR_SUCCESS);
    EXPECT_EQ(win::RegOpenKey(kUser, "Secret", win::RegAccess::Write), win::ERROR_SUCCESS);
}

TEST_F(RegistryStore, EveryChangeReplacesTheFileAtomically) {
    ASSERT_EQ(win::RegCreateKey(kUser, "K"), win::ERROR_SUCCESS);
    const ino_t before = Inode(File());
    ASSERT_EQ(win::RegSetValue(kUser, "K", "v", win::REG_DWORD, Dword(1)), win::ERROR_SUCCESS);
    EXPECT_NE(Inode(File()), before);  // a new file renamed over the old one
    const std::string good = testing_support::ReadFile(File());

    // A write that can't finish keeps the old file and the old value.
    const fs::path temporary = fs::path(File()) += ".new";
    fs::create_directory(temporary);
    EXPECT_NE(win::RegSetValue(kUser, "K", "v", win::REG_DWORD, Dword(2)), win::ERROR_SUCCESS);
    EXPECT_NE(win::RegCreateKey(kUser, "K\\New"), win::ERROR_SUCCESS);
    EXPECT_EQ(testing_support::ReadFile(File()), good);
    EXPECT_EQ(Value("K", "v"), Dword(1));
    EXPECT_FALSE(win::RegKeyExists(kUser, "K\\New"));

    fs::remove(temporary);
    ASSERT_EQ(win::RegSetValue(kUser, "K", "v", win::REG_DWORD, Dword(2)), win::ERROR_SUCCESS);
    EXPECT_FALSE(fs::exists(temporary));
    ForgetCache();
    EXPECT_EQ(Value("K", "v"), Dword(2));
}

TEST_F(RegistryStore, BrokenFileIsNeverOverwritten) {
    const std::string broken = "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=dword:zz\r\n";
    testing_support::WriteFile(File(), broken);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(Query("K", "v", type, data), win::ERROR_BADDB);
    EXPECT_EQ(win::RegCreateKey(kUser, "Other"), win::ERROR_BADDB);
    EXPECT_EQ(win::RegOpenKey(kUser, "K", win::RegAccess::Read), win::ERROR_BADDB);
    EXPECT_FALSE(win::RegKeyExists(kUser, "K"));
    EXPECT_EQ(testing_support::ReadFile(File()), broken);
    // Other roots go on working; a repaired file is read again.
    EXPECT_EQ(win::RegCreateKey(HKey::LocalMachine, "Other"), win::ERROR_SUCCESS);
    testing_support::WriteFile(File(), "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\K]\n\"v\"=dword:2a\n");
    EXPECT_EQ(Value("K", "v"), Dword(42));
}

TEST_F(RegistryStore, SeesWhatAnotherProcessWrote) {
    ASSERT_EQ(win::RegCreateKey(kUser, "K"), win::ERROR_SUCCESS);
    // Same size and within one clock tick: only the generation tells the files apart.
    for (std::uint32_t i = 0; i < 20; ++i) {
        ASSERT_EQ(win::RegSetValue(kUser, "K", "v", win::REG_DWORD, Dword(i)), win::ERROR_SUCCESS);
        ASSERT_EQ(Value("K", "v"), Dword(i));
        ASSERT_EQ(testing_support::RunInChildProcess(
                      [i] { return win::RegSetValue(kUser, "K", "v", win::REG_DWORD, Dword(i + 100)) ? 1 : 0; }),
                  0);
        EXPECT_EQ(Value("K", "v"), Dword(i + 100));
    }
    ASSERT_EQ(testing_support::RunInChildProcess([] { return win::RegDeleteKey(kUser, "K") ? 1 : 0; }), 0);
    EXPECT_FALSE(win::RegKeyExists(kUser, "K"));
}

TEST_F(RegistryStore, TwoProcessesWritingAtOnceLoseNothing) {
    ASSERT_EQ(win::RegCreateKey(kUser, "Shared"), win::ERROR_SUCCESS);
    constexpr int kPerProcess = 60;
    auto writer = [](char who) {
        for (int i = 0; i < kPerProcess; ++i) {
            const std::string name = std::string(1, who) + std::to_string(i);
            if (win::RegSetValue(kUser, "Shared", name, win::REG_DWORD, Dword(static_cast<std::uint32_t>(i))))
                return 1;
            if (win::RegCreateKey(kUser, "Shared\\" + name)) return 1;
        }
        return 0;
    };
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) ::_exit(writer(c == 0 ? 'a' : 'b'));
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::vector<std::string> values, keys;
    ASSERT_EQ(win::RegEnumValues(kUser, "Shared", values), win::ERROR_SUCCESS);
    ASSERT_EQ(win::RegEnumKeys(kUser, "Shared", keys), win::ERROR_SUCCESS);
    EXPECT_EQ(values.size(), 2u * kPerProcess);
    EXPECT_EQ(keys.size(), 2u * kPerProcess);
    EXPECT_EQ(Value("Shared", "b59"), Dword(59));
}

}  // namespace
