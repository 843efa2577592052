#include "uninstaller/UninstallData.h"

#include "support/TestSupport.h"
#include "uninstaller/UninstallFixture.h"
#include "uninstaller/RegistryNode.h"
#include "uninstaller/UninstallEncoder.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

const std::string kExe = "\x7F" "ELF pretend executable\0\0\0"s;

int ReadImage(const std::string& image, UninstallData& out) {
    return readUninstallDataFromBytes(reinterpret_cast<const unsigned char*>(image.data()), image.size(), out);
}

int ReadContent(const std::string& content, UninstallData& out) {
    return ReadImage(encoder::AppendToExecutable(kExe, encoder::WrapContent(content)), out);
}

encoder::Description Sample() {
    encoder::Description d;
    d.name = "Valdorine 2.1";
    d.code = "7";
    d.command = "C:\\Program Files\\Valdorine\\pre.bat /q";
    d.shared = {"C:\\Windows\\System32\\shared.dll"};
    d.backups = {{"C:\\Windows\\backup.dl_", "C:\\Windows\\System32\\x.dll", 0x00050001, 0x00020003, 29000000, 4000000000u}};
    d.files = {"C:\\Program Files\\Valdorine\\a.exe", "C:\\Program Files\\Valdorine\\\xE1rv\xEDz.txt"};
    d.directories = {"C:\\Program Files\\Valdorine"};
    d.roots[2].subkeys = {{1, "Software", {}, {{1, "Lumivar", {{"Path", 1}, {"Keep", 2}}, {}}}}};
    return d;
}

}  // namespace

TEST(UnwrapLayer, KnownAnswers) {
    EXPECT_EQ(encoder::WrapLayer("AB", 3, 5), "\x49\x4D\x03\x05\x49\x4D\x03\x05\x00\x00\x00\x00"s);
    EXPECT_EQ(encoder::WrapLayer("", 3, 5), "\x03\x05\x03\x05\x00\x00\x00\x00\x00\x00"s);

    ByteString layer = MakeByteString("\x49\x4D\x03\x05\x49\x4D\x03\x05\x00\x00\x00\x00"s);
    ASSERT_TRUE(unwrapLayer(layer));
    EXPECT_EQ(layer.view(), "AB");
    ByteString empty = MakeByteString("\x03\x05\x03\x05\x00\x00\x00\x00\x00\x00"s);
    ASSERT_TRUE(unwrapLayer(empty));
    EXPECT_TRUE(empty.empty());
}

TEST(UnwrapLayer, ByteIReducedByK2PlusIPlusOneTimesK1) {
    // Hand computed: k1 = 200, k2 = 100; byte 2 is reduced by (100 + 3*200) mod 256 = 188.
    const std::string payload = "\x00\x00\x00\x10"s;
    const std::string wrapped = encoder::WrapLayer(payload, 200, 100);
    EXPECT_EQ(static_cast<unsigned char>(wrapped[0]), (100 + 200) % 256);
    EXPECT_EQ(static_cast<unsigned char>(wrapped[2]), 188);
    EXPECT_EQ(static_cast<unsigned char>(wrapped[3]), (0x10 + 100 + 4 * 200) % 256);
    ByteString layer = MakeByteString(wrapped);
    ASSERT_TRUE(unwrapLayer(layer));
    EXPECT_EQ(layer.view(), payload);
}

TEST(UnwrapLayer, ShortLayersAreCorrupt) {
    for (std::size_t n = 0; n < 10; ++n) {
        ByteString layer = MakeByteString(std::string(n, '\0'));
        EXPECT_FALSE(unwrapLayer(layer)) << n;
    }
}

TEST(UnwrapLayer, EverySingleByteChangeIsCaught) {
    const std::string wrapped = encoder::WrapLayer("payload of some length", 17, 99);
    for (std::size_t i = 0; i < wrapped.size(); ++i) {
        std::string broken = wrapped;
        broken[i] = static_cast<char>(broken[i] + 1);
        ByteString layer = MakeByteString(broken);
        EXPECT_FALSE(unwrapLayer(layer)) << i;
    }
    // An equal and opposite change in the same lane goes unnoticed.
    std::string twice = wrapped;
    twice[1] = static_cast<char>(twice[1] + 5);
    twice[9] = static_cast<char>(twice[9] - 5);
    ByteString layer = MakeByteString(twice);
    EXPECT_TRUE(unwrapLayer(layer));
}

TEST(HeaderLine, FieldsBetweenNuls) {
    struct Case {
        std::string line, name, code, command;
    } const cases[] = {
        {"Prod\0" "7\0" "C:\\x.exe /a"s, "Prod", "7", "C:\\x.exe /a"},
        {"Prod", "Prod", "", ""},
        {"Prod\0" "100"s, "Prod", "100", ""},
        {"Prod\0" "1\0" "cmd\0" "junk"s, "Prod", "1", "cmd"},
        {"\0\0"s, "", "", ""},
    };
    for (const Case& c : cases) {
        ByteString name, code, command;
        parseHeaderLine(MakeByteString(c.line), name, code, command);
        EXPECT_EQ(name.view(), c.name);
        EXPECT_EQ(code.view(), c.code);
        EXPECT_EQ(command.view(), c.command);
    }
}

TEST(UninstallData, RoundTripOfEverySection) {
    const encoder::Description d = Sample();
    UninstallData data;
    ASSERT_EQ(ReadImage(encoder::AppendToExecutable(kExe, encoder::EncodeData(d)), data), kDataOk);
    EXPECT_EQ(data.name.view(), d.name);
    EXPECT_EQ(data.code.view(), d.code);
    EXPECT_EQ(data.command.view(), d.command);
    EXPECT_EQ(data.shared.view(), "C:\\Windows\\System32\\shared.dll\r\n");
    EXPECT_EQ(data.backups.view(),
              "C:\\Windows\\backup.dl_\tC:\\Windows\\System32\\x.dll\t327681\t131075\t29000000\t4000000000\r\n");
    EXPECT_EQ(data.files.view(), d.files[0] + "\r\n" + d.files[1] + "\r\n");
    EXPECT_EQ(data.directories.view(), d.directories[0] + "\r\n");
    EXPECT_EQ(data.registry.view(), encoder::EncodeRegistry(d));
}

TEST(UninstallData, EmptySectionsAndNoRegistry) {
    encoder::Description d;
    d.noRegistry = true;
    UninstallData data;
    ASSERT_EQ(ReadImage(encoder::AppendToExecutable(kExe, encoder::EncodeData(d)), data), kDataOk);
    EXPECT_TRUE(data.shared.empty());
    EXPECT_TRUE(data.backups.empty());
    EXPECT_TRUE(data.files.empty());
    EXPECT_TRUE(data.directories.empty());
    EXPECT_TRUE(data.registry.empty());
}

TEST(UninstallData, TrailerChecks) {
    UninstallData data;
    // Trailer pointing at its own last four bytes: an empty outer layer.
    EXPECT_EQ(ReadImage(kExe + "\x1A\x00\x00\x00"s, data), kDataCorrupt);
    // Offset one past that, and far beyond the end: no reliance on a failed allocation.
    EXPECT_EQ(ReadImage(kExe + "\x1B\x00\x00\x00"s, data), kDataOutOfMemory);
    EXPECT_EQ(ReadImage(kExe + "\xFF\xFF\xFF\xFF"s, data), kDataOutOfMemory);
    EXPECT_EQ(ReadImage("\x00\x00\x00"s, data), kDataCorrupt);
    EXPECT_STREQ(dataErrorMessage(kDataOutOfMemory), "Out of memory. Aborting.");
    EXPECT_STREQ(dataErrorMessage(kDataCorrupt), "Uninstallation information corrupt. Aborting.");
    EXPECT_STREQ(dataErrorMessage(kDataUnreadable), "Couldn't read uninstallation information. Aborting.");
}

TEST(UninstallData, EveryTruncationIsRejected) {
    const std::string image = encoder::AppendToExecutable(kExe, encoder::EncodeData(Sample()));
    const std::string layer = image.substr(kExe.size(), image.size() - kExe.size() - 4);
    for (std::size_t n = 0; n < layer.size(); ++n) {
        UninstallData data;
        const int result = ReadImage(encoder::AppendToExecutable(kExe, layer.substr(0, n)), data);
        EXPECT_EQ(result, kDataCorrupt) << n;
    }
}

TEST(UninstallData, EveryTruncatedContentIsRejected) {
    // Checksums made good each time, so only the content checks can catch it.
    const std::string content = encoder::EncodeContent(Sample());
    const std::size_t registryStart = content.size() - encoder::EncodeRegistry(Sample()).size();
    for (std::size_t n = 0; n < content.size(); ++n) {
        UninstallData data;
        // Cut right after the last marker: an empty registry section, which is allowed.
        EXPECT_EQ(ReadContent(content.substr(0, n), data), n == registryStart ? kDataOk : kDataCorrupt) << n;
    }
}

TEST(UninstallData, MarkersMissingOrMisplaced) {
    const std::string good = encoder::EncodeContent(Sample());
    UninstallData data;
    ASSERT_EQ(ReadContent(good, data), kDataOk);
    for (const std::string marker : {"Shared:\r\n", "Backups:\r\n", "Files:\r\n", "Directories:\r\n", "Registry:\r\n"}) {
        SCOPED_TRACE(marker);
        std::string missing = good;
        missing.erase(missing.find(marker), marker.size());
        EXPECT_EQ(ReadContent(missing, data), kDataCorrupt);
        std::string lower = good;
        lower[lower.find(marker)] += 'a' - 'A';
        EXPECT_EQ(ReadContent(lower, data), kDataCorrupt);
    }
    // Out of order: Files before Backups.
    EXPECT_EQ(ReadContent("P\0\0\r\nShared:\r\nFiles:\r\nBackups:\r\nDirectories:\r\nRegistry:\r\n"s, data), kDataCorrupt);
    // Something between the header line and the first marker.
    EXPECT_EQ(ReadContent("P\0\0\r\nx\r\nShared:\r\nBackups:\r\nFiles:\r\nDirectories:\r\nRegistry:\r\n"s, data),
              kDataCorrupt);
    // A header line without its CR LF.
    EXPECT_EQ(ReadContent("P\0\0Shared:\r\nBackups:\r\nFiles:\r\nDirectories:\r\nRegistry:\r\n"s, data), kDataCorrupt);
    EXPECT_EQ(ReadContent("", data), kDataCorrupt);
}

TEST(UninstallData, MarkerTextInsideALineIsNotAMarker) {
    UninstallData data;
    ASSERT_EQ(ReadContent("P\0\0\r\nShared:\r\nX:Backups:\r\nBackups:\r\nFiles:\r\nDirectories:\r\nRegistry:\r\n"s, data),
              kDataOk);
    EXPECT_EQ(data.shared.view(), "X:Backups:\r\n");
    EXPECT_TRUE(data.backups.empty());
}

TEST(UninstallData, ReadsFromTheExecutableFile) {
    const testing_support::TempDir dir;
    const auto exe = dir.Path() / "uninst.exe";
    testing_support::WriteFile(exe, encoder::AppendToExecutable(kExe, encoder::EncodeData(Sample())));
    UninstallData data;
    EXPECT_EQ(readUninstallData(exe, data), kDataOk);
    EXPECT_EQ(data.name.view(), "Valdorine 2.1");
    EXPECT_EQ(readUninstallData(dir.Path() / "missing.exe", data), kDataUnreadable);
    testing_support::WriteFile(exe, kExe + "\xFF\xFF\x00\x00"s);
    EXPECT_EQ(readUninstallData(exe, data), kDataOutOfMemory);
    testing_support::WriteFile(exe, "ab");
    EXPECT_EQ(readUninstallData(exe, data), kDataCorrupt);
}

TEST(UninstallData, NoMemoryForTheLayer) {
    const std::string image = encoder::AppendToExecutable(kExe, encoder::EncodeData(Sample()));
    UninstallData data;
    ByteString::setAllocationLimitForTesting(16);
    EXPECT_EQ(ReadImage(image, data), kDataOutOfMemory);
    ByteString::setAllocationLimitForTesting(0);
}

// The registry section: four nodes, one shared position, nothing after them.

namespace {

std::string Node(std::uint32_t values, std::uint32_t subkeys) {
    return encoder::BigEndian32(values) + encoder::BigEndian32(subkeys);
}

const std::string kEmptyNode = Node(0, 0);

}  // namespace

TEST(RegistrySection, FourRootsExactly) {
    EXPECT_TRUE(checkRegistrySection(MakeByteString("")));
    EXPECT_TRUE(checkRegistrySection(MakeByteString(kEmptyNode + kEmptyNode + kEmptyNode + kEmptyNode)));
    EXPECT_FALSE(checkRegistrySection(MakeByteString(kEmptyNode + kEmptyNode + kEmptyNode)));
    EXPECT_FALSE(checkRegistrySection(MakeByteString(kEmptyNode + kEmptyNode + kEmptyNode + kEmptyNode + "x")));
    const std::string full = encoder::EncodeRegistry(Sample());
    ASSERT_TRUE(checkRegistrySection(MakeByteString(full)));
    for (std::size_t n = 1; n < full.size(); ++n) EXPECT_FALSE(checkRegistrySection(MakeByteString(full.substr(0, n)))) << n;
}

TEST(RegistrySection, HugeCountsInAShortSectionFailAtOnce) {
    const std::string tail = kEmptyNode + kEmptyNode + kEmptyNode;
    EXPECT_FALSE(checkRegistrySection(MakeByteString(encoder::BigEndian32(0xFFFFFFFFu) + "\0\0\0\0"s + tail)));
    EXPECT_FALSE(checkRegistrySection(MakeByteString(Node(0, 0xFFFFFFFFu) + tail)));
    // A name without its NUL before the end.
    EXPECT_FALSE(checkRegistrySection(MakeByteString(encoder::BigEndian32(1) + "name")));
}

TEST(RegistrySection, NestingDeeperThanWindowsAllowsIsCorrupt) {
    auto nested = [](int depth) {
        std::string node = kEmptyNode;
        for (int i = 0; i < depth; ++i) node = Node(0, 1) + encoder::BigEndian32(1) + "k"s + '\0' + node;
        return node + kEmptyNode + kEmptyNode + kEmptyNode;
    };
    EXPECT_TRUE(checkRegistrySection(MakeByteString(nested(kMaxRegistryDepth))));
    EXPECT_FALSE(checkRegistrySection(MakeByteString(nested(kMaxRegistryDepth + 1))));
}

TEST(RegistrySection, ReadersStayInside) {
    const ByteString s = MakeByteString("\x00\x00\x00\x05" "ab\0c"s);
    std::uint32_t position = 0, value = 0;
    ASSERT_TRUE(readRegistryNumber(s, position, value));
    EXPECT_EQ(value, 5u);
    ByteString name;
    ASSERT_TRUE(readRegistryName(s, position, name));
    EXPECT_EQ(name.view(), "ab");
    EXPECT_FALSE(readRegistryName(s, position, name));  // "c" has no NUL
    EXPECT_EQ(position, 7u);
    EXPECT_FALSE(readRegistryNumber(s, position, value));
    EXPECT_EQ(position, 7u);
}

TEST(UninstallData, CorruptRegistrySectionRejectsTheWholeData) {
    UninstallData data;
    EXPECT_EQ(ReadContent("P\0\0\r\nShared:\r\nBackups:\r\nFiles:\r\nDirectories:\r\nRegistry:\r\n\0\0\0"s, data),
              kDataCorrupt);
    const std::string leftover = encoder::EncodeContent(Sample()) + "\0"s;
    EXPECT_EQ(ReadContent(leftover, data), kDataCorrupt);
}
