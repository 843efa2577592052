// Document type declarations: the declaration lists, attribute defaults and
// what DtdElementFound hears.
#include "data/XmlParser.h"

#include "data/XmlPartTrace.h"

#include <gtest/gtest.h>

using xml_test::Parts;
using xml_test::Trace;

namespace {

// Records each report as kind:text from its first to its last character, or
// error:the byte at the error.
class TRecordingParser : public TXmlParser {
public:
    explicit TRecordingParser(std::string_view document) { LoadFromBuffer(document); }
    std::vector<std::string> reports;

protected:
    void DtdElementFound(const TDtdElementRec& rec) override {
        static constexpr const char* kKind[] = {"element", "attlist", "entity", "notation", "pi", "comment", "error"};
        if (rec.ElementType == TDtdElemType::deError) {
            reports.push_back(std::string("error:") + *rec.ErrorPos);
            return;
        }
        reports.push_back(std::string(kKind[static_cast<int>(rec.ElementType)]) + ":" +
                          std::string(rec.FirstChar, rec.LastChar + 1));
    }
};

// The attributes of the first start or empty tag.
const TAttrList& FirstTagAttributes(TXmlParser& parser) {
    parser.StartScan();
    while (parser.Scan())
        if (parser.PartType() == TPartType::ptStartTag || parser.PartType() == TPartType::ptEmptyTag) break;
    return parser.PartAttributes();
}

}  // namespace

TEST(XmlDtd, FixedValueWinsOverTheTag) {
    TXmlParser parser;
    parser.LoadFromBuffer("<!DOCTYPE a [<!ATTLIST a v CDATA #FIXED \"1\">]><a v=\"2\"/>");
    const TAttrList& attrs = FirstTagAttributes(parser);
    ASSERT_EQ(attrs.Count(), 1);
    EXPECT_EQ(attrs.Value("v"), "1");
    EXPECT_EQ(attrs.Node("v")->ValueType, TValueType::vtFixed);
    EXPECT_EQ(attrs.Node("v")->AttrType, TAttrType::atCData);
}

TEST(XmlDtd, DefaultsAreAddedOnlyWithAValue) {
    TXmlParser parser;
    parser.LoadFromBuffer(
        "<!DOCTYPE a [<!ATTLIST a d CDATA 'dflt' i CDATA #IMPLIED r CDATA #REQUIRED>]><a/><a i=\"x\" d=\"own\"/>");
    const TAttrList& attrs = FirstTagAttributes(parser);
    ASSERT_EQ(attrs.Count(), 1);
    EXPECT_EQ(attrs.Value("d"), "dflt");
    EXPECT_EQ(attrs.Node("d")->ValueType, TValueType::vtDefault);
    ASSERT_TRUE(parser.Scan());
    EXPECT_EQ(attrs.Value("d"), "own");
    EXPECT_EQ(attrs.Node("d")->ValueType, TValueType::vtNormal);
    EXPECT_EQ(attrs.Node("i")->ValueType, TValueType::vtImplied);
    EXPECT_EQ(attrs.Node("r"), nullptr);
}

TEST(XmlDtd, DefaultsReachEveryTagOfALongDocument) {
    std::string doc = "<!DOCTYPE r [<!ATTLIST a x CDATA \"1\">]><r>";
    for (int i = 0; i < 20000; ++i) doc += "<a/>";
    TXmlParser parser;
    parser.LoadFromBuffer(doc + "</r>");
    parser.StartScan();
    int tags = 0, withDefault = 0;
    while (parser.Scan()) {
        if (parser.PartType() != TPartType::ptEmptyTag) continue;
        ++tags;
        withDefault += parser.PartAttributes().Value("x") == "1";
    }
    EXPECT_EQ(tags, 20000);
    EXPECT_EQ(withDefault, 20000);
}

TEST(XmlDtd, DeclaredTokensArePackedUndeclaredOnesAreNot) {
    const char* doc = "<!DOCTYPE a [<!ATTLIST a n NMTOKEN #IMPLIED c CDATA #IMPLIED>]>"
                      "<a n=\"  x \t y \" c=\" x  y\" u=\"  x   y \"/>";
    EXPECT_EQ(Trace(doc), (Parts{"DTD", "<a c= x  y n=x y u=  x   y />"}));
}

TEST(XmlDtd, AttributeListDeclarationIsReadInFull) {
    TXmlParser parser;
    parser.LoadFromBuffer(
        "<!DOCTYPE a [<!ENTITY % t \"NMTOKENS\">"
        "<!ATTLIST a e ( x | y ) 'x' n NOTATION ( g | p ) #REQUIRED t %t; #IMPLIED o odd 'v' c CDATA '&#65;'>]>");
    Trace(parser);
    const TElemDef* a = parser.ElementDefs().Node("a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->ContentModel, "ANY");  // made for the list: no element declaration
    ASSERT_EQ(a->Count(), 5);
    const TAttrDef& e = *a->Node("e");
    EXPECT_EQ(e.TypeText, "(x|y)");
    EXPECT_EQ(e.AttrType, TAttrType::atEnumeration);
    EXPECT_EQ(e.Value, "x");
    const TAttrDef& n = *a->Node("n");
    EXPECT_EQ(n.AttrType, TAttrType::atNotation);
    EXPECT_EQ(n.NotationText, "g|p");
    EXPECT_EQ(n.AttrDefault, TAttrDefault::adRequired);
    EXPECT_EQ(a->Node("t")->AttrType, TAttrType::atNmTokens);
    EXPECT_EQ(a->Node("t")->AttrDefault, TAttrDefault::adImplied);
    EXPECT_EQ(a->Node("o")->AttrType, TAttrType::atUnknown);
    EXPECT_EQ(a->Node("o")->TypeText, "odd");
    EXPECT_EQ(a->Node("c")->Value, "A");
}

TEST(XmlDtd, ElementTypesFromTheContentModel) {
    TXmlParser parser;
    parser.LoadFromBuffer(
        "<!DOCTYPE a [<!ELEMENT e EMPTY><!ELEMENT y ANY><!ELEMENT m (#PCDATA | b)*>"
        "<!ELEMENT c ( b , d )><!ELEMENT j junk>]>");
    Trace(parser);
    const TElemList& defs = parser.ElementDefs();
    EXPECT_EQ(defs.Node("e")->ElemType, TElemType::etEmpty);
    EXPECT_EQ(defs.Node("y")->ElemType, TElemType::etAny);
    EXPECT_EQ(defs.Node("m")->ElemType, TElemType::etMixed);
    EXPECT_EQ(defs.Node("m")->ContentModel, "(#PCDATA|b)*");
    EXPECT_EQ(defs.Node("c")->ElemType, TElemType::etChildren);
    EXPECT_EQ(defs.Node("j")->ElemType, TElemType::etAny);
}

TEST(XmlDtd, ElementDeclaredAfterItsAttributesKeepsThem) {
    TXmlParser parser;
    parser.LoadFromBuffer("<!DOCTYPE a [<!ATTLIST a v CDATA 'd'><!ELEMENT a EMPTY>]><a/>");
    EXPECT_EQ(Trace(parser), (Parts{"DTD", "<a v=d/>"}));
    EXPECT_EQ(parser.ElementDefs().Count(), 1);
    EXPECT_EQ(parser.ElementDefs().Node("a")->ElemType, TElemType::etEmpty);
}

TEST(XmlDtd, EntityAndNotationDeclarations) {
    TXmlParser parser;
    parser.LoadFromBuffer(
        "<!DOCTYPE a [<!ENTITY % pe 'P'><!ENTITY g \"[%pe;&#66;]\"><!ENTITY pic SYSTEM 'p.gif' NDATA gif>"
        "<!ENTITY g2 PUBLIC '-//pub' 'sys'><!NOTATION gif SYSTEM 'viewer'><!NOTATION gif PUBLIC 'x'>]>");
    Trace(parser);
    EXPECT_EQ(parser.ParameterEntities().Value("pe"), "P");
    EXPECT_EQ(parser.GeneralEntities().Value("g"), "[PB]");
    EXPECT_EQ(parser.GeneralEntities().Node("pe"), nullptr);
    const TEntityDef& pic = *parser.GeneralEntities().Node("pic");
    EXPECT_EQ(pic.SystemId, "p.gif");
    EXPECT_EQ(pic.NotationId, "gif");
    EXPECT_TRUE(pic.IsExternal());
    EXPECT_EQ(parser.GeneralEntities().Node("g2")->PublicId, "-//pub");
    EXPECT_EQ(parser.GeneralEntities().Node("g2")->SystemId, "sys");
    EXPECT_EQ(parser.NotationDefs().Count(), 2);  // notations accumulate
    EXPECT_EQ(parser.NotationDefs().Value("gif"), "viewer");
}

TEST(XmlDtd, ReportsEveryDeclarationWithItsText) {
    TRecordingParser parser("<!DOCTYPE a [<!ELEMENT a EMPTY><?pi x?><!-- c -->< <!NOTATION n SYSTEM 's'>]><a/>");
    EXPECT_EQ(Trace(parser), (Parts{"DTD", "<a/>"}));
    EXPECT_EQ(parser.reports, (std::vector<std::string>{"element:<!ELEMENT a EMPTY>", "pi:<?pi x?>",
                                                        "comment:<!-- c -->", "error:<",
                                                        "notation:<!NOTATION n SYSTEM 's'>"}));
    EXPECT_EQ(parser.RootElementName(), "a");
}

TEST(XmlDtd, SecondPassDoesNotReadTheDeclarationAgain) {
    TRecordingParser parser("<!DOCTYPE a [<!ENTITY e 'x'>]><a>&e;</a>");
    const Parts first = Trace(parser);
    EXPECT_EQ(first, (Parts{"DTD", "<a>", "\"x\"", "</a>"}));
    EXPECT_EQ(parser.reports.size(), 1u);
    EXPECT_EQ(Trace(parser), first);
    EXPECT_EQ(parser.reports.size(), 1u);
    ASSERT_NE(parser.DtdEnd(), nullptr);
    EXPECT_EQ(*parser.DtdEnd(), '>');
}

TEST(XmlDtd, SecondDeclarationIsReadWhereItStands) {
    TXmlParser parser;
    parser.LoadFromBuffer("<!DOCTYPE a [<!ENTITY e '1'>]><a>&e;</a><!DOCTYPE b [<!ENTITY e '2'>]><b>&e;</b>");
    EXPECT_EQ(Trace(parser), (Parts{"DTD", "<a>", "\"1\"", "</a>", "DTD", "<b>", "\"2\"", "</b>"}));
    EXPECT_EQ(parser.RootElementName(), "b");
    // No return to the first declaration's end; declarations stay from the first pass.
    EXPECT_EQ(Trace(parser), (Parts{"DTD", "<a>", "\"2\"", "</a>", "DTD", "<b>", "\"2\"", "</b>"}));
}

TEST(XmlDtd, DeclarationRunningIntoTheEndEndsTheDocument) {
    EXPECT_EQ(Trace("<!DOCTYPE a [<!ENTITY e \"x\">"), (Parts{"DTD"}));
    EXPECT_EQ(Trace("<a/><!DOCTYPE a SYSTEM \"unclosed"), (Parts{"<a/>", "DTD"}));
    EXPECT_EQ(Trace("<!DOCTYPE a [<!ATTLIST a x"), (Parts{"DTD"}));
}

TEST(XmlDtd, DeclarationEndingInsideAParameterEntityEndsAtItsReference) {
    TRecordingParser parser("<!DOCTYPE a [<!ENTITY % close \"]>\"> %close; <a/>");
    EXPECT_EQ(Trace(parser), (Parts{"DTD", "<a/>"}));
    ASSERT_EQ(parser.reports.size(), 2u);
    EXPECT_EQ(parser.reports[1], "error:>");
    EXPECT_EQ(std::string(parser.DtdEnd() - 6, parser.DtdEnd() + 1), "%close;");
}

TEST(XmlDtd, ParameterEntitiesInsideDeclarations) {
    TXmlParser parser;
    parser.LoadFromBuffer("<!DOCTYPE a [<!ENTITY % t \"CDATA 'dv'\"><!ENTITY % m \"(b)\">"
                          "<!ATTLIST a x %t;><!ELEMENT a %m;>%undeclared; %bare]><a/>");
    EXPECT_EQ(Trace(parser), (Parts{"DTD", "<a x=dv/>"}));
    EXPECT_EQ(parser.ElementDefs().Node("a")->ContentModel, "(b)");
    EXPECT_EQ(parser.ElementDefs().Node("a")->ElemType, TElemType::etChildren);
}

TEST(XmlDtd, DeclarationsBeyondTheBoundAreReportedAndDropped) {
    std::string doc = "<!DOCTYPE a [";
    for (int n = 0; n <= TXmlParser::kMaxDeclarations; ++n) doc += "<!ENTITY e" + std::to_string(100000 + n) + " 'x'>";
    doc += "<!ENTITY e100000 'again'>]><a>&e100000;&e" + std::to_string(100000 + TXmlParser::kMaxDeclarations) + ";</a>";
    TRecordingParser parser(doc);
    EXPECT_EQ(Trace(parser), (Parts{"DTD", "<a>", "\"againe" + std::to_string(100000 + TXmlParser::kMaxDeclarations) + "\"", "</a>"}));
    EXPECT_EQ(parser.GeneralEntities().Count(), TXmlParser::kMaxDeclarations);
    ASSERT_EQ(parser.reports.size(), static_cast<std::size_t>(TXmlParser::kMaxDeclarations) + 2);
    EXPECT_EQ(parser.reports[TXmlParser::kMaxDeclarations], "error:<");  // the one too many
    EXPECT_EQ(parser.reports.back().substr(0, 7), "entity:");  // a redefinition still fits
}

TEST(XmlDtd, AttributeDeclarationsBeyondTheBoundAreDropped) {
    std::string doc = "<!DOCTYPE a [<!ATTLIST a";
    for (int n = 0; n <= TXmlParser::kMaxAttributeDeclarations; ++n) doc += " x" + std::to_string(1000 + n) + " CDATA 'v'";
    doc += " x1000 CDATA 'again'>]><a/>";
    TRecordingParser parser(doc);
    const TAttrList& attrs = FirstTagAttributes(parser);
    EXPECT_EQ(attrs.Count(), TXmlParser::kMaxAttributeDeclarations);
    EXPECT_EQ(attrs.Value("x1000"), "again");
    EXPECT_EQ(parser.reports.front(), "error:x");
}

TEST(XmlDtd, FixedValueAppliesToEveryCopyOfARepeatedAttribute) {
    TXmlParser parser;
    parser.LoadFromBuffer("<!DOCTYPE a [<!ATTLIST a v CDATA #FIXED 'f' d CDATA 'dv'>]><a v='1' z='' v='2' v='3'/>");
    const TAttrList& attrs = FirstTagAttributes(parser);
    ASSERT_EQ(attrs.Count(), 5);
    for (int i = 0; i < attrs.Count(); ++i) {
        if (attrs.Name(i) == "v") {
            EXPECT_EQ(attrs.Value(i), "f");
        }
    }
    EXPECT_EQ(attrs.Name(0), "d");  // the default joins in name order
    EXPECT_EQ(attrs.Name(4), "z");
}
