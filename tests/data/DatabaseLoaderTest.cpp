#include "data/DatabaseLoader.h"

#include "DataTestLanguage.h"
#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/StandardTubes.h"
#include "data/Xmlmacro.h"
#include "lzw/LzwEncoder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using testing_support::WriteFile;

std::string Medium(const std::string& id, const std::string& extra = {}) {
    return "<DBMedium><ItemID>" + id + "</ItemID>" + extra + "</DBMedium>";
}

std::string Doc(const std::string& body) { return "<?xml version=\"1.0\" encoding=\"windows-1250\"?><db>" + body + "</db>"; }

std::string Packed(const std::string& text) {
    const auto bytes = lzw::Compress(text);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> MediumIds() {
    std::vector<std::string> ids;
    for (const auto& item : MediumTypes->Items) ids.push_back(item.ItemID);
    return ids;
}

}  // namespace

class DatabaseLoaderTest : public DataLanguageTest {
protected:
    testing_support::TempDir dir;
    std::filesystem::path data() const { return dir.Path() / "data"; }

    void TearDown() override {
        MediumTypes.reset();
        IsolationTypes.reset();
        StandardTubeTypes.reset();
        DataLanguageTest::TearDown();
    }
};

TEST_F(DatabaseLoaderTest, SubFoldersFirstThenFilesByName) {
    WriteFile(data() / "sub" / "a.XML", Doc(Medium("a")));
    WriteFile(data() / "b.xml", Doc(Medium("b")));
    WriteFile(data() / "c.xmz", Packed(Doc(Medium("c"))));
    WriteFile(data() / "A2" / "deeper" / "z.xml", Doc(Medium("z")));
    WriteFile(data() / "notes.txt", Doc(Medium("txt")));
    EXPECT_TRUE(ScanDataFolder(data()));
    EXPECT_EQ(MediumIds(), (std::vector<std::string>{"z", "a", "b", "c"}));
}

TEST_F(DatabaseLoaderTest, LoadDatabasesStartsEmpty) {
    WriteFile(data() / "m.xml", Doc(Medium("m")));
    LoadDatabases(data());
    LoadDatabases(data());
    EXPECT_EQ(MediumIds(), (std::vector<std::string>{"m"}));
    LoadDatabases(dir.Path() / "missing");
    ASSERT_NE(MediumTypes, nullptr);
    EXPECT_EQ(MediumTypes->Count(), 0);
    EXPECT_EQ(IsolationTypes->Count(), 0);
    EXPECT_EQ(StandardTubeTypes->Count(), 0);
}

TEST_F(DatabaseLoaderTest, PlainOrCompressedByTheFileNameAlone) {
    WriteFile(data() / "x.xml.xml", Doc(Medium("plain-looking")));
    WriteFile(data() / "y.xml.xml", Packed(Doc(Medium("y"))));
    WriteFile(data() / "pack.XMZ" / "inner.xml", Doc(Medium("inner")));
    WriteFile(data() / "box.xml" / "z.xmz", Packed(Doc(Medium("z"))));
    EXPECT_FALSE(ScanDataFolder(data()));  // x.xml.xml doesn't decode
    EXPECT_EQ(MediumIds(), (std::vector<std::string>{"z", "inner", "y"}));
}

TEST_F(DatabaseLoaderTest, HiddenFilesAndFoldersAreLeftOut) {
    WriteFile(data() / ".hidden.xml", Doc(Medium("h1")));
    WriteFile(data() / ".secret" / "m.xml", Doc(Medium("h2")));
    WriteFile(data() / "seen.xml", Doc(Medium("seen")));
    EXPECT_TRUE(ScanDataFolder(data()));
    EXPECT_EQ(MediumIds(), (std::vector<std::string>{"seen"}));
}

TEST_F(DatabaseLoaderTest, EveryRecordKindAndNestingDepth) {
    WriteFile(data() / "all.xml",
              Doc("<Tube><ItemName>T</ItemName></Tube><x><y>" + Medium("w") + Medium("w", "<ItemName>2</ItemName>") +
                  "</y></x><Isolation><ItemID>i</ItemID></Isolation><DBMedium/>" + Medium("after")));
    EXPECT_TRUE(ScanDataFolder(data()));
    EXPECT_EQ(MediumIds(), (std::vector<std::string>{"w", "w", "after"}));
    EXPECT_EQ(MediumTypes->FindItem("w")->ItemName, "");
    ASSERT_EQ(StandardTubeTypes->Count(), 1);
    EXPECT_EQ(StandardTubeTypes->GetItem(0)->ItemName, "T");
    ASSERT_EQ(IsolationTypes->Count(), 1);
    EXPECT_EQ(IsolationTypes->Items[0].ItemID, "i");
}

TEST_F(DatabaseLoaderTest, MacrosAndLanguageAreResetForEveryFile) {
    WriteFile(data() / "1.xml",
              Doc("<DBGlobalMacro><Macro ID=\"$A$\">alpha</Macro><Macro ID=\"$A$\" Language=\"EN\">en</Macro>"
                  "</DBGlobalMacro>" +
                  Medium("m1", "<ItemName>$A$</ItemName><ItemName Language=\"EN\">english</ItemName>")));
    WriteFile(data() / "2.xml", Doc(Medium("m2", "<ItemName>$A$</ItemName>")));
    // A file of another language setting does not leak into the next one.
    SetDeviceDBLanguage("EN");
    EXPECT_TRUE(ScanDataFolder(data()));
    ASSERT_EQ(MediumTypes->Count(), 2);
    EXPECT_EQ(MediumTypes->Items[0].ItemName, "alpha");
    EXPECT_EQ(MediumTypes->Items[1].ItemName, "$A$");
}

TEST_F(DatabaseLoaderTest, ABadNumberEndsOnlyItsFolder) {
    WriteFile(data() / "f1.xml", Doc(Medium("1")));
    WriteFile(data() / "f2.xml", Doc(Medium("2")));
    WriteFile(data() / "f3.xml",
              Doc(Medium("3a") + Medium("3b", "<TempMin>x</TempMin>") + Medium("3c")));
    WriteFile(data() / "f4.xml", Doc(Medium("4")));
    WriteFile(data() / "f5.xml", Doc(Medium("5")));
    WriteFile(data() / "other" / "o.xml", Doc(Medium("o")));
    WriteFile(data() / "zother" / "p.xml", Doc(Medium("p")));
    EXPECT_FALSE(ScanDataFolder(data()));
    EXPECT_EQ(MediumIds(), (std::vector<std::string>{"o", "p", "1", "2", "3a"}));
}

TEST_F(DatabaseLoaderTest, UnreadableFilesAreSkipped) {
    WriteFile(data() / "a.xml", Doc(Medium("a")));
    WriteFile(data() / "b.xmz", "not a code stream");
    WriteFile(data() / "c.xmz", "");
    WriteFile(data() / "d.xmz", Packed(Doc(Medium("d"))).substr(0, 20));
    WriteFile(data() / "e.xml", Doc(Medium("e")));
    EXPECT_FALSE(LoadDatabaseFolder(data()));
    EXPECT_EQ(MediumIds().front(), "a");
    EXPECT_EQ(MediumIds().back(), "e");
}

TEST_F(DatabaseLoaderTest, CompressedAndPlainReadAlike) {
    const std::string text = Doc("<DBGlobalMacro><Macro ID=\"$M$\">Víz</Macro></DBGlobalMacro>" +
                                 Medium("w", "<ItemName>$M$ \xF5</ItemName><TempMax>200</TempMax>"));
    WriteFile(data() / "p" / "w.xml", text);
    WriteFile(data() / "q" / "w.xmz", Packed(text));
    EXPECT_TRUE(ScanDataFolder(data()));
    ASSERT_EQ(MediumTypes->Count(), 2);
    EXPECT_EQ(MediumTypes->Items[0], MediumTypes->Items[1]);
    EXPECT_EQ(MediumTypes->Items[0].ItemName, "Víz \xF5");
}

TEST_F(DatabaseLoaderTest, AFolderLinkThatLoopsEnds) {
    WriteFile(data() / "m.xml", Doc(Medium("m")));
    std::filesystem::create_directory_symlink(data(), data() / "loop");
    EXPECT_FALSE(ScanDataFolder(data()));
    ASSERT_NE(MediumTypes, nullptr);
    EXPECT_EQ(MediumTypes->Count(), 33);  // the folder itself and 32 levels of the link
}
