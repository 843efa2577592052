#include "platform/base/Registry.h"

#include "platform/base/Exception.h"
#include "platform/base/StringList.h"
#include "platform/win/WinError.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using win::HKey;

namespace {

class Registry : public ::testing::Test {
protected:
    // The program key as the options and the list header open it: one name at a time.
    static bool OpenProgramKey(TRegistry& reg) {
        return reg.OpenKey("Software", true) && reg.OpenKey("Lumivar", true) && reg.OpenKey("KELVARIN", true);
    }

    testing_support::ScopedMachineRoot machine_;
};

TEST_F(Registry, RelativeOpenKeyChainsFromTheCurrentKey) {
    TRegistry reg;
    EXPECT_EQ(reg.RootKey(), HKey::CurrentUser);
    ASSERT_TRUE(OpenProgramKey(reg));
    ASSERT_TRUE(reg.OpenKey("FormMaximalization", true));
    // Opening the chain again from here nests it below, as the list header relies on.
    ASSERT_TRUE(OpenProgramKey(reg));
    ASSERT_TRUE(reg.OpenKey("FormPosition", true));
    EXPECT_EQ(reg.CurrentPath(),
              "Software\\Lumivar\\KELVARIN\\FormMaximalization\\Software\\Lumivar\\KELVARIN\\FormPosition");
    reg.WriteString("TMainForm", "10,20,300,400");
    EXPECT_TRUE(win::RegKeyExists(
        HKey::CurrentUser, "Software\\Lumivar\\KELVARIN\\FormMaximalization\\Software\\Lumivar\\KELVARIN\\FormPosition"));
    // A leading backslash starts at the root again.
    ASSERT_TRUE(reg.OpenKey("\\Software\\Lumivar", false));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Lumivar");
    reg.CloseKey();
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_TRUE(reg.KeyExists("software"));
}

TEST_F(Registry, CreateFlagDecidesWhetherMissingKeysAppear) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey("Software", false));
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_FALSE(reg.OpenKeyReadOnly("Software"));
    EXPECT_FALSE(win::RegKeyExists(HKey::CurrentUser, "Software"));
    ASSERT_TRUE(reg.OpenKey("Software\\Lumivar\\KELVARIN\\ProgramOptions", true));
    std::vector<std::string> names{"stale"};
    reg.GetValueNames(names);
    EXPECT_TRUE(names.empty());  // created, without values
    TRegistry other;
    ASSERT_TRUE(other.OpenKey("Software\\Lumivar\\KELVARIN", false));
    other.GetKeyNames(names);
    EXPECT_EQ(names, std::vector<std::string>{"ProgramOptions"});
    TStringList list;
    list.Add("stale");
    other.GetKeyNames(list);
    EXPECT_EQ(list.Text(), "ProgramOptions\r\n");
    EXPECT_FALSE(other.OpenKey("Missing", false));
    EXPECT_EQ(other.CurrentPath(), "Software\\Lumivar\\KELVARIN");  // a failed open keeps the key
}

TEST_F(Registry, ValuesOfEveryKindRoundTrip) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("K", true));
    reg.WriteString("Planer", "Kov\xE1\x63s \xC9va\r\nBudapest\r\n");
    reg.WriteInteger("LeftMargin", 20);
    reg.WriteInteger("Negative", -5);
    reg.WriteBool("InitDate", true);
    reg.WriteBool("CalcPrecision", false);
    TRegistry again;
    ASSERT_TRUE(again.OpenKeyReadOnly("k"));
    EXPECT_EQ(again.ReadString("planer"), "Kov\xE1\x63s \xC9va\r\nBudapest\r\n");
    EXPECT_EQ(again.ReadInteger("LeftMargin"), 20);
    EXPECT_EQ(again.ReadInteger("Negative"), -5);
    EXPECT_TRUE(again.ReadBool("InitDate"));
    EXPECT_FALSE(again.ReadBool("CalcPrecision"));
    EXPECT_TRUE(again.ValueExists("INITDATE"));
    EXPECT_FALSE(again.ValueExists("Missing"));
    EXPECT_EQ(again.ReadString("Missing"), "");
    std::vector<std::string> names;
    again.GetValueNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"Planer", "LeftMargin", "Negative", "InitDate", "CalcPrecision"}));
    // Booleans are the DWORDs 1 and 0; any other non-zero number reads true.
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_EQ(win::RegQueryValue(HKey::CurrentUser, "K", "InitDate", type, data), win::ERROR_SUCCESS);
    EXPECT_EQ(type, win::REG_DWORD);
    EXPECT_EQ(data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
    reg.WriteInteger("InitDate", 7);
    EXPECT_TRUE(again.ReadBool("InitDate"));
}

TEST_F(Registry, ReadingAnotherTypeRaises) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("K", true));
    reg.WriteString("Text", "20");
    reg.WriteInteger("Number", 20);
    const std::vector<std::uint8_t> twoBytes = {1, 0};
    ASSERT_EQ(win::RegSetValue(HKey::CurrentUser, "K", "Short", win::REG_DWORD, twoBytes), win::ERROR_SUCCESS);
    ASSERT_EQ(win::RegSetValue(HKey::CurrentUser, "K", "Multi", win::REG_MULTI_SZ, twoBytes), win::ERROR_SUCCESS);
    EXPECT_THROW(reg.ReadInteger("Text"), ERegistryException);
    EXPECT_THROW(reg.ReadBool("Text"), ERegistryException);
    EXPECT_THROW(reg.ReadString("Number"), ERegistryException);
    EXPECT_THROW(reg.ReadString("Multi"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Short"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Missing"), ERegistryException);
    EXPECT_THROW(reg.ReadBool("Missing"), ERegistryException);
    try {
        reg.ReadInteger("Text");
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid data type for 'Text'");
    }
}

TEST_F(Registry, WritesThatCannotHappenRaise) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("K", true));
    TRegistry reader;
    ASSERT_TRUE(reader.OpenKeyReadOnly("K"));
    EXPECT_THROW(reader.WriteInteger("v", 1), ERegistryException);
    EXPECT_FALSE(reader.DeleteValue("v"));
    win::RegSetKeyAccessForTesting(HKey::CurrentUser, "K", win::RegTestAccess::ReadOnly);
    EXPECT_THROW(reg.WriteString("v", "x"), ERegistryException);
    EXPECT_FALSE(TRegistry().OpenKey("K", false));  // opening for writing is refused
    EXPECT_FALSE(TRegistry().OpenKey("K\\New", true));
    EXPECT_TRUE(TRegistry().OpenKeyReadOnly("K"));
    win::RegSetKeyAccessForTesting(HKey::CurrentUser, "K", win::RegTestAccess::Denied);
    EXPECT_FALSE(TRegistry().OpenKeyReadOnly("K"));
}

TEST_F(Registry, DeleteKeyTakesTheWholeTree) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Lumivar\\KELVARIN\\Headers\\List", true));
    reg.WriteString("Order", "1,2");
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKey("Software", false));
    EXPECT_TRUE(reg.DeleteKey("Lumivar"));
    EXPECT_FALSE(reg.KeyExists("Lumivar"));
    EXPECT_TRUE(reg.KeyExists("\\Software"));
    EXPECT_FALSE(reg.DeleteKey("Lumivar"));
    reg.WriteInteger("v", 1);
    EXPECT_TRUE(reg.DeleteValue("V"));
    EXPECT_FALSE(reg.ValueExists("v"));
    EXPECT_FALSE(reg.DeleteValue("v"));
}

TEST_F(Registry, RootKeyChoosesTheRootAndClosesTheKey) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("K", true));
    reg.SetRootKey(HKey::LocalMachine);
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_FALSE(reg.KeyExists("K"));
    ASSERT_TRUE(reg.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", true));
    reg.WriteInteger("C:\\Windows\\x.dll", 2);
    EXPECT_EQ(win::RegOpenKey(HKey::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs",
                              win::RegAccess::Read),
              win::ERROR_SUCCESS);
}

}  // namespace
