#include "uninstaller/UninstallRun.h"

#include "uninstaller/UninstallFixture.h"

#include "platform/win/WinError.h"

#include <string>

namespace {

using encoder::RegSubkey;
using win::HKey;

class RegistryWalkTest : public UninstallFixture {
protected:
    RegistryWalkTest() : run_(dialogs_) {}

    static ByteString Section(const encoder::Description& d) { return MakeByteString(encoder::EncodeRegistry(d)); }
    void TearDown() override {
        for (const HKey root : {HKey::ClassesRoot, HKey::CurrentUser, HKey::LocalMachine, HKey::Users})
            for (const char* key : {"Software", "Software\\Denied", "Software\\ReadOnly", "Other"})
                win::RegSetKeyAccessForTesting(root, key, win::RegTestAccess::Full);
    }

    UninstallRun run_;
};

}  // namespace

TEST_F(RegistryWalkTest, OnePositionForAllFourRoots) {
    encoder::Description d;
    const char* names[] = {"Classes", "User", "Machine", "Users"};
    const HKey roots[] = {HKey::ClassesRoot, HKey::CurrentUser, HKey::LocalMachine, HKey::Users};
    for (int i = 0; i < 4; ++i) {
        d.roots[i].subkeys = {{1, names[i], {{"V", 1}}, {}}};
        SetString(roots[i], names[i], "V", "x");
        // The same name under another root stays.
        SetString(roots[(i + 1) % 4], names[i], "V", "x");
    }
    run_.removeRegistryEntries(Section(d));
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(win::RegKeyExists(roots[i], names[i])) << i;
        EXPECT_TRUE(win::RegKeyExists(roots[(i + 1) % 4], names[i])) << i;
    }
    EXPECT_TRUE(run_.failedRegistryKeys().empty());
    EXPECT_EQ(dialogs_.log, std::vector<std::string>{"mark 1010"});
}

TEST_F(RegistryWalkTest, ValuesGoOnlyWithFlagOne) {
    encoder::Description d;
    d.roots[1].values = {{"RootValue", 1}};
    d.roots[1].subkeys = {{0, "Software", {{"one", 1}, {"zero", 0}, {"two", 2}}, {}}};
    SetString(HKey::CurrentUser, "", "RootValue", "x");
    for (const char* v : {"one", "zero", "two", "undescribed"}) SetString(HKey::CurrentUser, "Software", v, "x");
    run_.removeRegistryEntries(Section(d));
    EXPECT_FALSE(HasValue(HKey::CurrentUser, "", "RootValue"));
    EXPECT_FALSE(HasValue(HKey::CurrentUser, "Software", "one"));
    EXPECT_TRUE(HasValue(HKey::CurrentUser, "Software", "zero"));
    EXPECT_TRUE(HasValue(HKey::CurrentUser, "Software", "two"));
    EXPECT_TRUE(win::RegKeyExists(HKey::CurrentUser, "Software"));  // flag 0 keeps the key
}

TEST_F(RegistryWalkTest, EmptyKeysWithAnyFlagGoOthersAreListedOnce) {
    encoder::Description d;
    d.roots[2].subkeys = {{1, "Software", {}, {
        {2, "Empty", {}, {}},
        {1, "Example", {{"V", 1}}, {}},
        {1, "Example", {}, {}},  // the same key twice
        {1, "Missing", {}, {{1, "Deeper", {{"V", 1}}, {}}}},
        {0, "Keep", {}, {}},
    }}};
    ASSERT_EQ(win::RegCreateKey(HKey::LocalMachine, "Software\\Empty"), win::ERROR_SUCCESS);
    SetString(HKey::LocalMachine, "Software\\Example", "V", "x");
    ASSERT_EQ(win::RegCreateKey(HKey::LocalMachine, "Software\\Example\\NotOurs"), win::ERROR_SUCCESS);
    ASSERT_EQ(win::RegCreateKey(HKey::LocalMachine, "Software\\Keep"), win::ERROR_SUCCESS);
    run_.removeRegistryEntries(Section(d));
    EXPECT_FALSE(win::RegKeyExists(HKey::LocalMachine, "Software\\Empty"));
    EXPECT_FALSE(HasValue(HKey::LocalMachine, "Software\\Example", "V"));
    EXPECT_TRUE(win::RegKeyExists(HKey::LocalMachine, "Software\\Example\\NotOurs"));
    EXPECT_TRUE(win::RegKeyExists(HKey::LocalMachine, "Software\\Keep"));
    EXPECT_EQ(run_.failedRegistryKeys().view(),
              "HKEY_LOCAL_MACHINE\\Software\\Example\r\nHKEY_LOCAL_MACHINE\\Software\r\n");
}

TEST_F(RegistryWalkTest, DeniedKeysAreSkippedAndTheWalkGoesOn) {
    encoder::Description d;
    d.roots[1].subkeys = {{1, "Software", {}, {
        {1, "Denied", {}, {{1, "Inner", {{"V", 1}}, {}}}},
        {1, "ReadOnly", {}, {{1, "Inner", {}, {}}}},
        {1, "After", {{"V", 1}}, {}},
    }}};
    d.roots[3].subkeys = {{1, "Last", {{"V", 1}}, {}}};
    SetString(HKey::CurrentUser, "Software\\Denied\\Inner", "V", "x");
    ASSERT_EQ(win::RegCreateKey(HKey::CurrentUser, "Software\\ReadOnly\\Inner"), win::ERROR_SUCCESS);
    SetString(HKey::CurrentUser, "Software\\After", "V", "x");
    SetString(HKey::Users, "Last", "V", "x");
    win::RegSetKeyAccessForTesting(HKey::CurrentUser, "Software\\Denied", win::RegTestAccess::Denied);
    win::RegSetKeyAccessForTesting(HKey::CurrentUser, "Software\\ReadOnly", win::RegTestAccess::ReadOnly);
    run_.removeRegistryEntries(Section(d));
    win::RegSetKeyAccessForTesting(HKey::CurrentUser, "Software\\Denied", win::RegTestAccess::Full);
    win::RegSetKeyAccessForTesting(HKey::CurrentUser, "Software\\ReadOnly", win::RegTestAccess::Full);
    EXPECT_TRUE(HasValue(HKey::CurrentUser, "Software\\Denied\\Inner", "V"));
    EXPECT_TRUE(win::RegKeyExists(HKey::CurrentUser, "Software\\ReadOnly\\Inner"));
    EXPECT_FALSE(win::RegKeyExists(HKey::CurrentUser, "Software\\After"));
    EXPECT_FALSE(win::RegKeyExists(HKey::Users, "Last"));
    EXPECT_EQ(run_.failedRegistryKeys().view(),
              "HKEY_CURRENT_USER\\Software\\ReadOnly\\Inner\r\nHKEY_CURRENT_USER\\Software\\ReadOnly\r\n"
              "HKEY_CURRENT_USER\\Software\r\n");
}

TEST_F(RegistryWalkTest, CheckModeChangesNothing) {
    encoder::Description d;
    d.roots[1].subkeys = {{1, "Software", {{"Top", 1}}, {
        {1, "ReadOnly", {}, {{1, "Inner", {}, {}}}},
        {1, "Missing", {{"V", 1}}, {}},
    }}};
    d.roots[2].subkeys = {{1, "Other", {{"V", 1}}, {}}};
    SetString(HKey::CurrentUser, "Software", "Top", "x");
    ASSERT_EQ(win::RegCreateKey(HKey::CurrentUser, "Software\\ReadOnly\\Inner"), win::ERROR_SUCCESS);
    SetString(HKey::LocalMachine, "Other", "V", "x");
    // A read-only key whose node has no values may be walked.
    win::RegSetKeyAccessForTesting(HKey::CurrentUser, "Software\\ReadOnly", win::RegTestAccess::ReadOnly);
    EXPECT_TRUE(run_.checkPrivileges(Section(d)));
    // One whose node has values may not, nor a key that can't even be read.
    win::RegSetKeyAccessForTesting(HKey::LocalMachine, "Other", win::RegTestAccess::ReadOnly);
    EXPECT_FALSE(run_.checkPrivileges(Section(d)));
    win::RegSetKeyAccessForTesting(HKey::LocalMachine, "Other", win::RegTestAccess::Full);
    win::RegSetKeyAccessForTesting(HKey::CurrentUser, "Software\\ReadOnly", win::RegTestAccess::Denied);
    EXPECT_FALSE(run_.checkPrivileges(Section(d)));
    win::RegSetKeyAccessForTesting(HKey::CurrentUser, "Software\\ReadOnly", win::RegTestAccess::Full);
    EXPECT_TRUE(HasValue(HKey::CurrentUser, "Software", "Top"));
    EXPECT_TRUE(win::RegKeyExists(HKey::CurrentUser, "Software\\ReadOnly\\Inner"));
    EXPECT_TRUE(HasValue(HKey::LocalMachine, "Other", "V"));
    EXPECT_TRUE(run_.failedRegistryKeys().empty());
}

TEST_F(RegistryWalkTest, EmptySubkeyNameNeverAddressesItsParent) {
    encoder::Description d;
    d.roots[2].subkeys = {{0, "Software", {}, {{1, "", {{"V", 1}}, {}}}}};
    SetString(HKey::LocalMachine, "Software", "V", "x");
    run_.removeRegistryEntries(Section(d));
    EXPECT_TRUE(HasValue(HKey::LocalMachine, "Software", "V"));
}
