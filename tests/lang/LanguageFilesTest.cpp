// The shipped language files hold every key the program looks up.
#include "lang/Languages.h"

#include "lang/StringTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path kLanguages = fs::path(SOURCE_ROOT) / "languages";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Keys looked up by the program whatever its code says today.
const char* const kKeys[] = {
    "IDS_PROGRAMTITLE", "IDS_SAVEQUESTION", "IDS_DELETEQUESTION", "IDS_NEWITEMCAPTION", "IDS_INVALIDFILE",
    "IDS_VERSIONERR", "IDS_WRONGVALUE", "IDS_FONTNAMEANDSIZE", "IDS_RTFEND", "IDS_USERDEFINED",
    "IDS_SUGGESTEDISOLATION", "IDS_NOSUGGESTION", "IDS_MULTILAYERISOLATION", "IDS_PRICEOUTOFDATE",
    "IDS_DEVICEDBLANGUAGE", "IDS_NEEDLENGTH", "IDS_NEEDVOLUMEORTIME", "IDS_DIAMETERERROR",
    "IDS_ISOLATIONTEMPERATUREERROR", "IDS_NEEDNOTISOLATION", "IDS_TANKSPEEDERROR", "IDS_TOOTHICKISOLATION",
    "IDS_NEEDTEMPERATUREDIFFERENCE", "IDS_LEFTAXISTEXT", "IDS_NEEDSELECTION", "IDS_CALCULATIONERROR",
    "IDS_UNKNOWNISOLATION", "IDS_TEXTTOOLONG", "IDS_INSIDEALPHAMODES+", "IDS_OUTSIDEALPHAMODES+",
    "IDS_VOLUMEDIMENSIONS+", "IDS_ITEMRTFTITLE+58", "ID_PROJEKT0", "ID_PROJEKT1", "ID_PROJEKT2", "ID_PROJEKT3",
    "ID_CLAUSOLE0", "ID_CLAUSOLE1"};

// A key ending in "+" is a stem: the program appends the numbers 0, 1 and 2.
void AddKey(std::set<std::string>& keys, const std::string& key) {
    if (!key.empty() && key.back() == '+') {
        for (char n : {'0', '1', '2'}) keys.insert(key + n);
    } else {
        keys.insert(key);
    }
}

std::set<std::string> RequiredKeys() {
    std::set<std::string> keys;
    for (const char* key : kKeys) AddKey(keys, key);
    for (int i = 1; i <= 66; ++i) keys.insert("ID_ITEMRTF" + std::to_string(i));
    // Every macro of the string table.
    const std::regex macro("#([A-Za-z0-9_+]+)#");
    for (const TResString& row : StringTable()) {
        const std::string text(row.text);
        for (auto m = std::sregex_iterator(text.begin(), text.end(), macro); m != std::sregex_iterator(); ++m)
            keys.insert((*m)[1]);
    }
    // Every key literal in the program's sources, and every macro in them.
    const std::regex literal("\"(IDS_[A-Z0-9_]+\\+?[0-9]*)\"|#(ID_[A-Z0-9_]+)#");
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(SOURCE_ROOT) / "src")) {
        const auto extension = entry.path().extension();
        if (extension != ".cpp" && extension != ".h") continue;
        const std::string text = ReadAll(entry.path());
        for (auto m = std::sregex_iterator(text.begin(), text.end(), literal); m != std::sregex_iterator(); ++m)
            AddKey(keys, (*m)[1].matched ? (*m)[1].str() : (*m)[2].str());
    }
    return keys;
}

class LanguageFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.CompressedOnly = false;
        list.Load(kLanguages / "*.xm?");
        ASSERT_EQ(list.Languages.size(), 2u);
    }
    const TLanguage& Get(const std::string& id) const {
        for (const TLanguage& l : list.Languages)
            if (l.id == id) return l;
        throw std::runtime_error("no language " + id);
    }
    TLanguages list;
};

TEST_F(LanguageFilesTest, HeaderOfEachLanguage) {
    const TLanguage& magyar = Get("Magyar");
    EXPECT_TRUE(magyar.Default);
    EXPECT_TRUE(magyar.UserInterface);
    EXPECT_EQ(magyar.Charset, 238);
    const TLanguage& english = Get("English");
    EXPECT_FALSE(english.Default);
    EXPECT_TRUE(english.UserInterface);
    EXPECT_EQ(english.Charset, 238);
}

TEST_F(LanguageFilesTest, EveryKeyTheProgramAsksForIsInBothFiles) {
    const std::set<std::string> required = RequiredKeys();
    EXPECT_GT(required.size(), 100u);
    for (const TLanguage& l : list.Languages)
        for (const std::string& key : required)
            EXPECT_TRUE(l.Strings.count(key) == 1 && !l.Strings.at(key).empty()) << l.id << " lacks " << key;
}

TEST_F(LanguageFilesTest, BothFilesHaveTheSameKeys) {
    std::set<std::string> magyar, english;
    for (const auto& [key, text] : Get("Magyar").Strings) magyar.insert(key);
    for (const auto& [key, text] : Get("English").Strings) english.insert(key);
    EXPECT_EQ(magyar, english);
}

TEST_F(LanguageFilesTest, TextsFitWhereThePrinterAndRtfPutThem) {
    const std::regex conversion(R"(%[-+ #0]*[0-9]*(\.[0-9]*)?[a-zA-Z%])");
    for (const TLanguage& l : list.Languages) {
        for (const auto& [key, text] : l.Strings) {
            // Macro texts end up inside printf formats and RTF: no "%", no RTF markup.
            if (key.rfind("ID_", 0) == 0) {
                EXPECT_EQ(text.find_first_of("%{}\\"), std::string::npos) << l.id << " " << key;
            }
        }
        const std::string limits = l.GetString("IDS_ISOLATIONTEMPERATUREERROR");
        std::vector<std::string> found;
        for (auto m = std::sregex_iterator(limits.begin(), limits.end(), conversion); m != std::sregex_iterator(); ++m)
            found.push_back(m->str().substr(m->str().size() - 1));
        EXPECT_EQ(found, (std::vector<std::string>{"f", "f", "f"})) << l.id;
        const std::string font = l.GetString("IDS_FONTNAMEANDSIZE");
        EXPECT_NE(font.find("%s"), std::string::npos) << l.id;
        EXPECT_NE(font.find("%i"), std::string::npos) << l.id;
        EXPECT_EQ(l.GetString("IDS_RTFEND"), "}") << l.id;
        for (const TResString& row : StringTable())
            EXPECT_EQ(l.ExpandMacros(row.text).find('#'), std::string::npos) << l.id << " row " << row.id;
    }
}

TEST_F(LanguageFilesTest, FilesAreWindows1250) {
    for (const char* name : {"Magyar.xml", "English.xml"}) {
        const std::string bytes = ReadAll(kLanguages / name);
        EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"windows-1250\"?>", 0), 0u) << name;
    }
    // o and u with double acute are single bytes, never UTF-8 sequences.
    const std::string magyar = Get("Magyar").GetString("IDS_DELETEQUESTION") + Get("Magyar").GetString("ID_ITEMRTF43");
    EXPECT_NE(magyar.find('\xF6'), std::string::npos);  // o with diaeresis
    EXPECT_NE(magyar.find('\xE9'), std::string::npos);  // e with acute
    EXPECT_EQ(Get("Magyar").GetString("ID_ITEMRTF3"), "K\xFCls\xF5 \xE1tm\xE9r\xF5");
    EXPECT_EQ(Get("Magyar").GetString("IDS_NEEDTEMPERATUREDIFFERENCE").find("\xC2\xB0"), std::string::npos);
    EXPECT_NE(Get("Magyar").GetString("IDS_NEEDTEMPERATUREDIFFERENCE").find("\xB0" "C"), std::string::npos);
}

}  // namespace
