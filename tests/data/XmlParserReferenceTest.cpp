// References in text and in attribute values: predefined, character, declared
// and external entities, and the bounds on their expansion.
#include "data/XmlParser.h"

#include "data/XmlPartTrace.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using xml_test::Parts;
using xml_test::Trace;

namespace {

const char* const kUtf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

std::string WithEntities(const std::string& declarations, const std::string& body) {
    return "<!DOCTYPE a [" + declarations + "]>" + body;
}

// The content of the first text part.
std::string FirstText(const std::string& document) {
    for (const std::string& part : Trace(document))
        if (part.front() == '"') return part.substr(1, part.size() - 2);
    return "<none>";
}

}  // namespace

TEST(XmlReferences, PredefinedAndCharacterReferencesInText) {
    EXPECT_EQ(FirstText("<a>&amp;&lt;&gt;&apos;&quot;</a>"), "&<>'\"");
    EXPECT_EQ(FirstText("<a>&#65;&#x42;&#X43;</a>"), "ABC");
    EXPECT_EQ(FirstText("<a>&#8364;</a>"), "\x80");
    EXPECT_EQ(FirstText("<a>&AMP;</a>"), "AMP");  // names compare with case
}

TEST(XmlReferences, BareAmpersandSwallowsNothing) {
    EXPECT_EQ(Trace("<a>x & y <b/> z;</a>"), (Parts{"<a>", "\"x y\"", "<b/>", "\"z;\"", "</a>"}));
    EXPECT_EQ(FirstText("<a>x &amp y &amp;</a>"), "x amp y &");
    EXPECT_EQ(FirstText("<a>&&&&#65;</a>"), "A");
}

TEST(XmlReferences, ProducedCharactersAreNotReadAgain) {
    EXPECT_EQ(Trace("<a x=\"&amp;#66;\">&amp;#66;</a>"), (Parts{"<a x=&#66;>", "\"&#66;\"", "</a>"}));
    EXPECT_EQ(Trace("<a x=\"&amp;lt;\"/>"), (Parts{"<a x=&lt;/>"}));
}

TEST(XmlReferences, AttributeReferencesFollowTheirOwnRules) {
    EXPECT_EQ(Trace("<a x=\"&lt;&#65;&x;\"/>"), (Parts{"<a x=<A&x;/>"}));   // undeclared stays
    EXPECT_EQ(Trace("<a x=\"&lt;&q\"/>"), (Parts{"<a x=<&q/>"}));           // no ";": the rest stays
    EXPECT_EQ(Trace("<a x=\"AT&T &amp; co\"/>"), (Parts{"<a x=AT&T &amp; co/>"}));  // the name runs to the ";"
    EXPECT_EQ(Trace("<a x=\"&#9;y\"/>"), (Parts{"<a x= y/>"}));             // white space after references
}

TEST(XmlReferences, CharacterReferencesInUtf8AttributesGiveTheirByte) {
    const std::string doc = std::string(kUtf8) + "<a x=\"caf&#233;ine &#8364; &#x4E2D;\">caf&#233;ine</a>";
    EXPECT_EQ(Trace(doc), (Parts{"<?xml>", "<a x=caf\xE9ine \x80 \xBF>", "\"caf\xE9ine\"", "</a>"}));
}

TEST(XmlReferences, CharacterReferencesInUtf8EntityTextsGiveTheirByte) {
    const std::string doc = std::string(kUtf8) + WithEntities("<!ENTITY c \"caf&#233;\">", "<a v=\"&c;\">&c;</a>");
    EXPECT_EQ(Trace(doc), (Parts{"<?xml>", "DTD", "<a v=caf\xE9>", "\"caf\xE9\"", "</a>"}));
}

TEST(XmlReferences, DeclaredEntityInTextAndAttributes) {
    const std::string doc = WithEntities("<!ENTITY e \"short\">", "<a x=\"[&e;]\">[&e;]</a>");
    EXPECT_EQ(Trace(doc), (Parts{"DTD", "<a x=[short]>", "\"[short]\"", "</a>"}));
}

TEST(XmlReferences, EntityTextIsScannedLikeTheDocument) {
    const std::string doc = WithEntities("<!ENTITY m \"<b k='&#38;amp;'>in</b>\"><!ENTITY c \"&#60;i/&#62;\">",
                                         "<a>x&m;y&c;</a>");
    EXPECT_EQ(Trace(doc), (Parts{"DTD", "<a>", "\"x\"", "<b k=&>", "\"in\"", "</b>", "\"y\"", "<i/>", "</a>"}));
}

TEST(XmlReferences, NestedEntitiesExpand) {
    const std::string doc = WithEntities("<!ENTITY inner \"x\"><!ENTITY outer \"(&inner;&#33;)\">",
                                         "<a v=\"&outer;\">&outer;</a>");
    EXPECT_EQ(Trace(doc), (Parts{"DTD", "<a v=(x!)>", "\"(x!)\"", "</a>"}));
}

TEST(XmlReferences, SelfReferenceEndsAtTheNestingBound) {
    const std::string doc = WithEntities("<!ENTITY s \"a&s;\">", "<a v=\"&s;\">&s;</a>");
    const std::string deep(TXmlParser::kMaxEntityDepth, 'a');
    EXPECT_EQ(Trace(doc), (Parts{"DTD", "<a v=" + deep + "&s;>", "\"" + deep + "s\"", "</a>"}));
}

TEST(XmlReferences, ExponentialEntitiesStopAtTheBudget) {
    std::string decls = "<!ENTITY l0 \"lol\">";
    for (int i = 1; i <= 12; ++i) {
        decls += "<!ENTITY l" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k) decls += "&l" + std::to_string(i - 1) + ";";
        decls += "\">";
    }
    TXmlParser parser;
    parser.LoadFromBuffer(WithEntities(decls, "<a v=\"&l12;\">&l12;</a>"));
    parser.StartScan();
    std::size_t total = 0;
    int parts = 0;
    while (parser.Scan() && parts < 100) {
        ++parts;
        total += parser.PartContent().size();
        for (int i = 0; i < parser.PartAttributes().Count(); ++i) total += parser.PartAttributes().Value(i).size();
    }
    EXPECT_LT(parts, 100);
    EXPECT_GT(total, std::size_t{100000});                 // it expanded...
    EXPECT_LT(total, 2 * TXmlParser::kMinExpansionBudget);  // ...within the bound
}

TEST(XmlReferences, ManyShortReferencesStayWithinTheBound) {
    // 40,000 one-byte expansions are 40 kB of text, far below the bound.
    std::string refs;
    for (int i = 0; i < 40000; ++i) refs += "&e;";
    TXmlParser parser;
    parser.LoadFromBuffer(WithEntities("<!ENTITY e \"x\">", "<a v=\"" + refs + "\">" + refs + "</a>"));
    parser.StartScan();
    ASSERT_TRUE(parser.Scan() && parser.Scan());
    EXPECT_TRUE(parser.PartAttributes().Value("v") == std::string(40000, 'x'));
    ASSERT_TRUE(parser.Scan());
    EXPECT_TRUE(parser.PartContent() == std::string(40000, 'x'));
}

TEST(XmlReferences, RedefiningAnEntityWhileItsTextIsReadIsSafe) {
    // The parameter entity redefines itself from inside its own text.
    const std::string doc =
        WithEntities("<!ENTITY % p \"<!ENTITY % p 'gone'><!ENTITY e 'from p'>\"> %p; %p;", "<a>&e;</a>");
    EXPECT_EQ(Trace(doc), (Parts{"DTD", "<a>", "\"from p\"", "</a>"}));
}

TEST(XmlReferences, DocumentTypeInsideEntityTextIsJustMarkup) {
    const std::string doc =
        WithEntities("<!ENTITY e \"<!DOCTYPE b [<!ENTITY e 'zz'>]>after\">", "<a>&e;|&e;</a>");
    EXPECT_EQ(Trace(doc),
              (Parts{"DTD", "<a>", "<!DOCTYPE>", "\"]>after|\"", "<!DOCTYPE>", "\"]>after\"", "</a>"}));
}

class XmlExternalEntities : public ::testing::Test {
protected:
    void Load(const std::string& document) {
        const auto file = dir_.Path() / "main.xml";
        testing_support::WriteFile(file, document);
        ASSERT_TRUE(parser_.LoadFromFile(file));
    }
    void Write(const std::string& name, const std::string& bytes) {
        testing_support::WriteFile(dir_.Path() / name, bytes);
    }
    testing_support::TempDir dir_;
    TXmlParser parser_;
};

TEST_F(XmlExternalEntities, TextComesFromAFileBesideTheDocument) {
    Write("sub/part.xml", "<b>in</b>");
    for (const char* name : {"sub/part.xml", "sub\\part.xml", "\\sub/part.xml"}) {
        SCOPED_TRACE(name);
        Load(WithEntities(std::string("<!ENTITY ext SYSTEM \"") + name + "\">", "<a>&ext;!</a>"));
        EXPECT_EQ(Trace(parser_), (Parts{"DTD", "<a>", "<b>", "\"in\"", "</b>", "\"!\"", "</a>"}));
    }
}

TEST_F(XmlExternalEntities, AttributeTakesTheWholeFile) {
    Write("v.txt", "from &amp; file");
    Load(WithEntities("<!ENTITY v PUBLIC \"-//x\" \"v.txt\">", "<a x=\"[&v;]\"/>"));
    EXPECT_EQ(Trace(parser_), (Parts{"DTD", "<a x=[from & file]/>"}));
}

TEST_F(XmlExternalEntities, MissingFileGivesEmptyText) {
    Load(WithEntities("<!ENTITY ext SYSTEM \"none.xml\">", "<a x=\"[&ext;]\">[&ext;]</a>"));
    EXPECT_EQ(Trace(parser_), (Parts{"DTD", "<a x=[]>", "\"[]\"", "</a>"}));
}

TEST_F(XmlExternalEntities, EncodingOfTheIncludedTextEndsWithIt) {
    Write("latin.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\xFC");
    Load(std::string(kUtf8) + WithEntities("<!ENTITY ext SYSTEM \"latin.xml\">", "<a>&ext;|\xC3\xBC</a>"));
    EXPECT_EQ(Trace(parser_), (Parts{"<?xml>", "DTD", "<a>", "<?xml>", "\"\xFC|\xFC\"", "</a>"}));
    EXPECT_EQ(parser_.XmlVersion(), "1.0");
    EXPECT_EQ(parser_.Encoding(), "UTF-8");  // the included declaration sets only the encoding in force

    // A document without a declaration stays unconverted after a UTF-8 entity.
    Write("utf8.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\xC3\xA9");
    Load(WithEntities("<!ENTITY ext SYSTEM \"utf8.xml\">", "<a>&ext;|\xC3\xBC</a>"));
    EXPECT_EQ(Trace(parser_), (Parts{"DTD", "<a>", "<?xml>", "\"\xE9|\xC3\xBC\"", "</a>"}));
}

TEST_F(XmlExternalEntities, ExternalSubsetDeclaresEntities) {
    Write("decl.dtd", "<!ENTITY e \"from dtd\"><!ENTITY % p \"<!ENTITY f 'via p'>\">%p;]> stray");
    Load("<!DOCTYPE a SYSTEM \"decl.dtd\" [<!ENTITY g \"inner\">]><a>&e;|&f;|&g;</a>");
    EXPECT_EQ(Trace(parser_), (Parts{"DTD", "<a>", "\"from dtd|via p|inner\"", "</a>"}));
    EXPECT_EQ(parser_.RootElementName(), "a");
}

TEST_F(XmlExternalEntities, AbsoluteNamesMapOntoTheMachineRoot) {
    const testing_support::ScopedMachineRoot machine;
    testing_support::WriteFile(machine.Path() / "drives" / "c" / "Dtd" / "e.xml", "drive");
    testing_support::WriteFile(machine.Path() / "unc" / "srv" / "share" / "e.xml", "share");
    Write("Dtd/e.xml", "beside");
    Load(WithEntities("<!ENTITY d SYSTEM \"C:\\Dtd\\e.xml\"><!ENTITY u SYSTEM \"//srv/share/e.xml\">"
                      "<!ENTITY r SYSTEM \"/Dtd/e.xml\"><!ENTITY n SYSTEM \"http://host/e.xml\">",
                      "<a v=\"&d;|&u;|&r;|&n;\"/>"));
    EXPECT_EQ(Trace(parser_), (Parts{"DTD", "<a v=drive|share|beside|/>"}));
}
