// The event-driven scanner component.
#include "data/XmlParser.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// Assigns every handler; each appends one line to events.
void RecordAll(TCustomXmlScanner& scanner, std::vector<std::string>& events) {
    auto add = [&events](std::string line) { events.push_back(std::move(line)); };
    scanner.OnXmlProlog = [add](TCustomXmlScanner&, const std::string& v, const std::string& e, bool s) {
        add("prolog " + v + " " + e + (s ? " yes" : " no"));
    };
    scanner.OnComment = [add](TCustomXmlScanner&, const std::string& c) { add("comment " + c); };
    scanner.OnPI = [add](TCustomXmlScanner&, const std::string& t, const std::string& c, const TAttrList& a) {
        add("pi " + t + "|" + c + "|" + a.Value("k"));
    };
    scanner.OnDtdRead = [add](TCustomXmlScanner&, const std::string& root) { add("dtd " + root); };
    scanner.OnStartTag = [add](TCustomXmlScanner&, const std::string& n, const TAttrList& a) {
        add("start " + n + " " + a.Value("x"));
    };
    scanner.OnEmptyTag = [add](TCustomXmlScanner&, const std::string& n, const TAttrList&) { add("empty " + n); };
    scanner.OnEndTag = [add](TCustomXmlScanner&, const std::string& n) { add("end " + n); };
    scanner.OnContent = [add](TCustomXmlScanner&, const std::string& c) { add("text " + c); };
    scanner.OnCData = [add](TCustomXmlScanner&, const std::string& c) { add("cdata " + c); };
    scanner.OnElement = [add](TCustomXmlScanner&, const TElemDef& d) { add("element " + d.Name); };
    scanner.OnAttList = [add](TCustomXmlScanner&, const TElemDef& d) { add("attlist " + d.Name); };
    scanner.OnEntity = [add](TCustomXmlScanner&, const TEntityDef& d) { add("entity " + d.Name + "=" + d.Value); };
    scanner.OnNotation = [add](TCustomXmlScanner&, const TNotationDef& d) { add("notation " + d.Name); };
    scanner.OnDtdError = [add](TCustomXmlScanner&, const char* pos) { add(std::string("error ") + *pos); };
}

const char* const kDocument =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><!-- c -->"
    "<!DOCTYPE r [<!ELEMENT r ANY><!ATTLIST r x CDATA 'dx'><!ENTITY e 'v'><!NOTATION n SYSTEM 's'>"
    "<?dp k='1'?><!-- dc -->< ]>"
    "<?p k=\"2\"?><r>t&e;<b/><![CDATA[cd]]></r>";

}  // namespace

TEST(XmlScanner, ReportsEveryPartInOrder) {
    TCustomXmlScanner scanner;
    std::vector<std::string> events;
    RecordAll(scanner, events);
    ASSERT_TRUE(scanner.LoadFromBuffer(kDocument));
    scanner.Execute();
    const std::vector<std::string> expected{
        "prolog 1.0 ISO-8859-1 no", "comment <!-- c -->", "element r",   "attlist r", "entity e=v", "notation n",
        "pi dp| k='1'|1",           "comment <!-- dc -->", "error <",    "dtd r",     "pi p| k=\"2\"|2",
        "start r dx",               "text tv",             "empty b",    "cdata cd",  "end r"};
    EXPECT_EQ(events, expected);
    // A second walk reads the declarations no more.
    events.clear();
    scanner.Execute();
    EXPECT_EQ(events.size(), expected.size() - 7);
}

TEST(XmlScanner, WithoutHandlersItWalksQuietly) {
    TCustomXmlScanner scanner;
    scanner.LoadFromBuffer(kDocument);
    scanner.Execute();
    EXPECT_FALSE(scanner.StopParser);
}

TEST(XmlScanner, StopParserEndsTheWalkAtOnce) {
    TCustomXmlScanner scanner;
    std::vector<std::string> events;
    RecordAll(scanner, events);
    scanner.OnStartTag = [&events](TCustomXmlScanner& sender, const std::string& name, const TAttrList&) {
        events.push_back("start " + name);
        if (name == "second") sender.StopParser = true;
    };
    scanner.LoadFromBuffer("<first/><second>text</second><third/>");
    scanner.Execute();
    EXPECT_EQ(events, (std::vector<std::string>{"empty first", "start second"}));

    // Set during the declarations: nothing more of them, nor the declaration part.
    events.clear();
    scanner.OnElement = [&events](TCustomXmlScanner& sender, const TElemDef& d) {
        events.push_back("element " + d.Name);
        sender.StopParser = true;
    };
    scanner.LoadFromBuffer("<!DOCTYPE r [<!ELEMENT a ANY><!ELEMENT b ANY>]><r/>");
    scanner.Execute();
    EXPECT_EQ(events, (std::vector<std::string>{"element a"}));
}

TEST(XmlScanner, TranslationHandlerReplacesEveryConversion) {
    TCustomXmlScanner scanner;
    std::vector<std::string> events;
    RecordAll(scanner, events);
    scanner.OnTranslateEncoding = [](TCustomXmlScanner&, const std::string& encoding, const std::string& text) {
        return encoding + "[" + text + "]";
    };
    scanner.LoadFromBuffer("<?xml version=\"1.0\" encoding=\"utf-8\"?><r x=\"\xC3\xBC\">\xC3\xBC</r>");
    scanner.Execute();
    EXPECT_EQ(events, (std::vector<std::string>{"prolog 1.0 utf-8 no", "start r UTF-8[\xC3\xBC]",
                                                "text UTF-8[\xC3\xBC]", "end r"}));
}

TEST(XmlScanner, ExternalEntitiesComeFromTheHandler) {
    TCustomXmlScanner scanner;
    std::vector<std::string> events;
    RecordAll(scanner, events);
    std::vector<std::string> asked;
    scanner.OnLoadExternal = [&asked](TCustomXmlScanner&, const std::string& system, const std::string& pub,
                                      const std::string& notation, std::unique_ptr<TXmlParser>& result) {
        asked.push_back(system + "|" + pub + "|" + notation);
        if (system == "given") {
            result = std::make_unique<TXmlParser>();
            result->LoadFromBuffer("<i/>");
        }
    };
    scanner.LoadFromBuffer("<!DOCTYPE r [<!ENTITY g SYSTEM 'given'><!ENTITY n PUBLIC 'p' 'none'>]>"
                           "<r x=\"[&n;]\">&g;&n;</r>");
    scanner.Execute();
    EXPECT_EQ(asked, (std::vector<std::string>{"none|p|", "given||", "none|p|"}));
    EXPECT_EQ(events, (std::vector<std::string>{"entity g=", "entity n=", "dtd r", "start r []", "empty i", "end r"}));
}

TEST(XmlScanner, LoadFromFileReportsItsResult) {
    testing_support::TempDir dir;
    const auto file = dir.Path() / "doc.xml";
    testing_support::WriteFile(file, "<r/>");
    TCustomXmlScanner scanner;
    EXPECT_TRUE(scanner.LoadFromFile(file));
    EXPECT_EQ(scanner.GetFilename(), file.string());
    EXPECT_FALSE(scanner.LoadFromFile(dir.Path() / "missing.xml"));
    EXPECT_EQ(scanner.GetFilename(), "");
    EXPECT_TRUE(scanner.GetNormalize());
    scanner.SetNormalize(false);
    EXPECT_FALSE(scanner.XmlParser().Normalize());
}

TEST(XmlScanner, DescendantsMayOverrideInsteadOfUsingEvents) {
    class TCounter : public TCustomXmlScanner {
    public:
        int tags = 0;

    protected:
        void WhenStartTag(const std::string&, const TAttrList&) override { ++tags; }
        void WhenEmptyTag(const std::string&, const TAttrList&) override { ++tags; }
    };
    TCounter counter;
    counter.LoadFromBuffer("<a><b/><c></c></a>");
    counter.Execute();
    EXPECT_EQ(counter.tags, 3);
}
