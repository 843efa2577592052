// The part loop: sequences, the fields each part sets, loading, encodings and
// the malformed-input table.
#include "data/XmlParser.h"

#include "data/XmlPartTrace.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using xml_test::Parts;
using xml_test::Trace;

namespace {

// Scans until a part of the type comes, so a test can look at the fields then.
bool ScanTo(TXmlParser& parser, TPartType type) {
    while (parser.Scan())
        if (parser.PartType() == type) return true;
    return false;
}

}  // namespace

TEST(XmlParserParts, IndentedEmptyElementGivesThreeParts) {
    const char* doc = "<a>\n  <b x=\"1\"/>\n</a>";
    EXPECT_EQ(Trace(doc), (Parts{"<a>", "<b x=1/>", "</a>"}));
    EXPECT_EQ(Trace(doc, false), (Parts{"<a>", "\"\n  \"", "<b x=1/>", "\"\n\"", "</a>"}));
}

TEST(XmlParserParts, TextKeepsTheNameOfTheLastTagSeen) {
    // Not the enclosing element: after <b/> the name is "b".
    TXmlParser parser;
    parser.LoadFromBuffer("<a><b/>t</a><c><!-- note -->words</c>");
    parser.StartScan();
    ASSERT_TRUE(ScanTo(parser, TPartType::ptContent));
    EXPECT_EQ(parser.PartContent(), "t");
    EXPECT_EQ(parser.PartName(), "b");
    ASSERT_TRUE(ScanTo(parser, TPartType::ptContent));
    EXPECT_EQ(parser.PartContent(), "words");
    EXPECT_EQ(parser.PartName(), "c");  // the comment changes nothing
}

TEST(XmlParserParts, TextIsTrimmedAndPacked) {
    TXmlParser parser;
    parser.LoadFromBuffer("<p> \t two \n\n  words   </p>");
    parser.StartScan();
    ASSERT_TRUE(ScanTo(parser, TPartType::ptContent));
    EXPECT_EQ(parser.PartContent(), "two words");
    EXPECT_EQ(parser.PartName(), "p");
}

TEST(XmlParserParts, DeclarationSetsDocumentFieldsFromRawValues) {
    TXmlParser parser;
    parser.LoadFromBuffer("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?><a/>");
    parser.StartScan();
    ASSERT_TRUE(parser.Scan());
    EXPECT_EQ(parser.PartType(), TPartType::ptXmlProlog);
    EXPECT_EQ(parser.XmlVersion(), "1.0");
    EXPECT_EQ(parser.Encoding(), "utf-8");
    EXPECT_TRUE(parser.Standalone());
    EXPECT_EQ(parser.CurrentEncoding(), "UTF-8");
    EXPECT_EQ(parser.PartAttributes().Count(), 3);
    EXPECT_EQ(std::string(parser.PartStart(), parser.PartFinal() + 1),
              "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>");
    EXPECT_EQ(Trace(parser), (Parts{"<?xml>", "<a/>"}));
}

TEST(XmlParserParts, DeclarationWithoutEncodingMeansUtf8) {
    TXmlParser parser;
    parser.LoadFromBuffer("<?xml version=\"1.0\"?><a>\xC3\xBC</a>");
    EXPECT_EQ(Trace(parser), (Parts{"<?xml>", "<a>", "\"\xFC\"", "</a>"}));
    EXPECT_EQ(parser.CurrentEncoding(), "UTF-8");
    EXPECT_FALSE(parser.Standalone());
}

TEST(XmlParserParts, ProcessingInstructionKeepsItsTextRaw) {
    TXmlParser parser;
    parser.LoadFromBuffer("<?target a=\"1\" some &amp; text?><?xmlfoo ?>");
    parser.StartScan();
    ASSERT_TRUE(parser.Scan());
    EXPECT_EQ(parser.PartType(), TPartType::ptPI);
    EXPECT_EQ(parser.PartName(), "target");
    EXPECT_EQ(parser.PartContent(), " a=\"1\" some &amp; text");
    EXPECT_EQ(parser.PartAttributes().Value("a"), "1");
    EXPECT_EQ(parser.PartAttributes().Count(), 1);
    ASSERT_TRUE(parser.Scan());
    EXPECT_EQ(parser.PartType(), TPartType::ptPI);  // "<?xml" without white space after it
    EXPECT_EQ(parser.PartName(), "xmlfoo");
}

TEST(XmlParserParts, CDataIsTranslatedButNotOtherwiseTouched) {
    EXPECT_EQ(Trace("<a><![CDATA[ x<b>&amp; ]]></a>"), (Parts{"<a>", "[CDATA: x<b>&amp; ]", "</a>"}));
    EXPECT_EQ(Trace("<?xml version=\"1.0\"?><![CDATA[\xE2\x82\xAC]]>"), (Parts{"<?xml>", "[CDATA:\x80]"}));
}

TEST(XmlParserParts, CommentSpansFromItsOpeningToItsClosingMark) {
    TXmlParser parser;
    parser.LoadFromBuffer("<a><!-- x -- y -->b</a>");
    parser.StartScan();
    ASSERT_TRUE(ScanTo(parser, TPartType::ptComment));
    EXPECT_EQ(std::string(parser.PartStart(), parser.PartFinal() + 1), "<!-- x -- y -->");
}

TEST(XmlParserParts, EmptyDocumentEndsAtOnceAndStaysEnded) {
    TXmlParser parser;
    EXPECT_FALSE(parser.Scan());  // nothing loaded
    ASSERT_TRUE(parser.LoadFromBuffer(""));
    parser.StartScan();
    EXPECT_FALSE(parser.Scan());
    EXPECT_FALSE(parser.Scan());
    parser.LoadFromBuffer("<a/>");
    parser.StartScan();
    EXPECT_TRUE(parser.Scan());
    EXPECT_FALSE(parser.Scan());
    EXPECT_FALSE(parser.Scan());
    EXPECT_EQ(*parser.PartStart(), '\0');
}

TEST(XmlParserParts, NamesCompareWithCase) {
    TXmlParser parser;
    parser.LoadFromBuffer("<Item ID=\"7\" id=\"8\"/>");
    parser.StartScan();
    ASSERT_TRUE(parser.Scan());
    EXPECT_EQ(parser.PartAttributes().Value("ID"), "7");
    EXPECT_EQ(parser.PartAttributes().Value("id"), "8");
    EXPECT_EQ(parser.PartAttributes().Value("Id"), "");
    EXPECT_EQ(parser.PartAttributes().Value("Language"), "");
}

TEST(XmlParserParts, AttributeWhiteSpaceBecomesSpacesWithoutPacking) {
    EXPECT_EQ(Trace("<a x=\"\tb  c\n\"/>"), (Parts{"<a x= b  c />"}));
}

TEST(XmlParserParts, SecondPassDeliversTheSameParts) {
    TXmlParser parser;
    parser.LoadFromBuffer("<a x=\"&amp;1\">t<!--c--><?p?></a>");
    const Parts first = Trace(parser);
    EXPECT_EQ(first, (Parts{"<a x=&1>", "\"t\"", "<!-- -->", "PI:p", "</a>"}));
    EXPECT_EQ(Trace(parser), first);
}

// Each row: input, parts with Normalize on.
struct MalformedCase {
    const char* name;
    std::string_view input;
    Parts parts;
};

TEST(XmlParserParts, MalformedInputTable) {
    const MalformedCase cases[] = {
        {"tag without > swallows up to the next >", "<a b=\"1\" <c>text", {"<a b=1>", "\"text\""}},
        {"unclosed quote runs to the end", "<a><b x=\"open>more", {"<a>", "<b x=open>more>"}},
        {"name without = takes the next value", "<t a b=\"2\" c=\"3\">", {"<t a=2 c=3>"}},
        {"name without value is dropped", "<t x=\"1\" y>", {"<t x=1>"}},
        {"unquoted value is dropped (and the slash with it)", "<t x=\"1\" y=z/>", {"<t x=1>"}},
        {"attribute name that can't begin stops the list", "<t x=\"1\" 9y=\"2\">z", {"<t x=1>", "\"z\""}},
        {"name followed by slash is still a start tag", "<a x/>", {"<a>"}},
        {"end tag with slash is an empty tag", "</a/>", {"<a/>"}},
        {"unterminated comment", "<a/><!-- open", {"<a/>", "<!-- -->"}},
        {"unterminated CDATA", "<![CDATA[open", {"[CDATA:open]"}},
        {"unterminated PI", "<?pi open", {"PI:pi"}},
        {"unterminated declaration", "<?xml version=\"1.0\"", {"<?xml>"}},
        {"lone < at the end", "text<", {"\"text\"", "<>"}},
        {"lone </ at the end", "text</", {"\"text\"", "</>"}},
        {"lone <? at the end", "text<?", {"\"text\"", "PI:"}},
        {"& without ; is dropped", "<a>x & y</a>", {"<a>", "\"x y\"", "</a>"}},
        {"undeclared entity gives its name", "<a>&nbsp;x</a>", {"<a>", "\"nbspx\"", "</a>"}},
        {"undeclared entity in a value stays", "<a v=\"&nbsp;x\"/>", {"<a v=&nbsp;x/>"}},
        {"bad character reference gives a space", "<a>a&#1x;b</a>", {"<a>", "\"a b\"", "</a>"}},
        {"character reference above 255 gives its code-page byte", "<a v=\"&#8482;\">&#x152;</a>",
         {"<a v=\x99>", "\"\x8C\"", "</a>"}},
        {"end tags are not matched", "</a></b><c>", {"</a>", "</b>", "<c>"}},
        {"lower-case doctype is a tag", "<!doctype x>y", {"<!doctype>", "\"y\""}},
        {"a NUL ends the document", std::string_view("<a/>\0<b/>", 9), {"<a/>"}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Trace(row.input), row.parts);
    }
}

TEST(XmlParserEncoding, Utf8IsConvertedToWindows1252) {
    const char* doc = "<?xml version=\"1.0\" encoding=\"%s\"?><a v=\"\xC3\xBC\">\xC3\xBC \xE2\x82\xAC \xE4\xB8\xAD</a>";
    char text[200];
    for (const char* name : {"UTF-8", "utf-8", "Utf-8"}) {
        SCOPED_TRACE(name);
        std::snprintf(text, sizeof text, doc, name);
        EXPECT_EQ(Trace(text), (Parts{"<?xml>", "<a v=\xFC>", "\"\xFC \x80 \xBF\"", "</a>"}));
    }
    for (const char* name : {"ISO-8859-1", "windows-1252", "UTF8"}) {
        SCOPED_TRACE(name);
        std::snprintf(text, sizeof text, doc, name);
        EXPECT_EQ(Trace(text), (Parts{"<?xml>", "<a v=\xC3\xBC>", "\"\xC3\xBC \xE2\x82\xAC \xE4\xB8\xAD\"", "</a>"}));
    }
    EXPECT_EQ(Trace("<a>\xC3\xBC</a>"), (Parts{"<a>", "\"\xC3\xBC\"", "</a>"}));  // no declaration
}

TEST(XmlParserEncoding, ByteOrderMarkComesFirstAsUnconvertedText) {
    EXPECT_EQ(Trace("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>"),
              (Parts{"\"\xEF\xBB\xBF\"", "<?xml>", "<a/>"}));
}

TEST(XmlParserEncoding, NamesAreNeverTranslated) {
    EXPECT_EQ(Trace("<?xml version=\"1.0\"?><\xC3\xBC \xC3\xA9=\"\xC3\xA9\"/>"), (Parts{"<?xml>", "<\xC3\xBC \xC3\xA9=\xE9/>"}));
}

TEST(XmlParserEncoding, ClearForgetsTheEncodingAndThePositions) {
    TXmlParser parser;
    parser.LoadFromBuffer("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>");
    Trace(parser);
    EXPECT_EQ(parser.CurrentEncoding(), "UTF-8");
    parser.Clear();
    EXPECT_EQ(parser.CurrentEncoding(), "");
    EXPECT_EQ(parser.PartStart(), nullptr);
    EXPECT_EQ(parser.PartType(), TPartType::ptNone);
    parser.LoadFromBuffer("<a>\xC3\xBC</a>");
    EXPECT_EQ(Trace(parser), (Parts{"<a>", "\"\xC3\xBC\"", "</a>"}));
}

TEST(XmlParserLoad, BuffersAndTheirSourceNames) {
    TXmlParser parser;
    ASSERT_TRUE(parser.LoadFromBuffer("<a/>"));
    EXPECT_EQ(parser.SourceName(), "<MEM>");
    EXPECT_EQ(parser.BufferSize(), 5);
    const char text[] = "<b/>";
    parser.SetBuffer(text);
    EXPECT_EQ(parser.SourceName(), "<REFERENCE>");
    EXPECT_EQ(parser.BufferSize(), 0);
    EXPECT_EQ(parser.DocBuffer(), text);
    EXPECT_EQ(Trace(parser), (Parts{"<b/>"}));
    parser.Clear();
    EXPECT_EQ(parser.SourceName(), "");
    EXPECT_STREQ(parser.GetDocBuffer(), "");
    EXPECT_TRUE(parser.Normalize());
}

TEST(XmlParserLoad, FileIsReadWholeAndNamed) {
    testing_support::TempDir dir;
    const auto file = dir.Path() / "media.xml";
    testing_support::WriteFile(file, "<DBMedium ItemID=\"w\"/>");
    TXmlParser parser;
    ASSERT_TRUE(parser.LoadFromFile(file, 0));
    EXPECT_EQ(parser.SourceName(), file.string());
    EXPECT_EQ(parser.BufferSize(), 23);
    EXPECT_EQ(Trace(parser), (Parts{"<DBMedium ItemID=w/>"}));

    testing_support::WriteFile(file, "");
    ASSERT_TRUE(parser.LoadFromFile(file, 64));
    parser.StartScan();
    EXPECT_FALSE(parser.Scan());

    testing_support::WriteFile(file, std::string("<a/>\0<b/>", 9));
    ASSERT_TRUE(parser.LoadFromFile(file));
    EXPECT_EQ(Trace(parser), (Parts{"<a/>"}));
}

TEST(XmlParserLoad, ReadsNoMoreThanTheSizeSeenAtTheStart) {
    // Its size reads as 0, yet reading it gives bytes: the buffer holds none of them.
    TXmlParser parser;
    ASSERT_TRUE(parser.LoadFromFile("/proc/self/status"));
    EXPECT_EQ(parser.BufferSize(), 1);
    EXPECT_STREQ(parser.GetDocBuffer(), "");
}

TEST(XmlParserLoad, RefusesWhatIsNotARegularFile) {
    testing_support::TempDir dir;
    const auto fifo = dir.Path() / "pipe.xml";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    TXmlParser parser;
    parser.LoadFromBuffer("<old/>");
    EXPECT_FALSE(parser.LoadFromFile(fifo));  // must not wait for a writer
    EXPECT_EQ(parser.SourceName(), "");
    EXPECT_STREQ(parser.GetDocBuffer(), "");
    EXPECT_FALSE(parser.LoadFromFile(dir.Path()));
    EXPECT_FALSE(parser.LoadFromFile(dir.Path() / "missing.xml"));
    EXPECT_EQ(parser.BufferSize(), 0);
    parser.StartScan();
    EXPECT_FALSE(parser.Scan());
}
