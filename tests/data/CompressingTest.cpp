#include "data/Compressing.h"

#include "lzw/LzwEncoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string Decode(const Bytes& input) {
    std::string out;
    Compressing::Decompress(input, out);
    return out;
}

// Packs codes at widths the test states itself, so the decoder's width rule
// is checked against a hand calculation rather than against the encoder.
class TBitWriter {
public:
    void Put(unsigned code, int width) {
        for (int bit = width - 1; bit >= 0; --bit) {
            if (used_ == 0) bytes_.push_back(0);
            if ((code >> bit) & 1u) bytes_.back() |= static_cast<std::uint8_t>(0x80u >> used_);
            used_ = (used_ + 1) % 8;
        }
    }
    const Bytes& Result() const { return bytes_; }

private:
    Bytes bytes_;
    int used_ = 0;
};

// Codes of 9 bits, as every stream starts.
Bytes NineBitCodes(std::initializer_list<unsigned> codes) {
    TBitWriter writer;
    for (const unsigned code : codes) writer.Put(code, 9);
    return writer.Result();
}

// Width of the k-th code after a clear (k = 0 is the first) when every code is
// a literal: code k (k >= 1) makes entry 257 + k, and the code after the one
// that makes entry 510, 1022, 2046 or 4094 is one bit wider.
int WidthOfCode(int k) {
    if (k <= 253) return 9;    // code 253 makes entry 510
    if (k <= 765) return 10;   // code 765 makes entry 1022
    if (k <= 1789) return 11;  // code 1789 makes entry 2046
    if (k <= 3837) return 12;  // code 3837 makes entry 4094
    return 13;
}

unsigned char LiteralAt(int k) { return static_cast<unsigned char>('a' + k % 26); }

// A clear and `count` literal codes at the widths above; returns the text.
std::string PutLiterals(TBitWriter& writer, int count) {
    std::string text;
    writer.Put(256, 9);
    for (int k = 0; k < count; ++k) {
        writer.Put(LiteralAt(k), WidthOfCode(k));
        text.push_back(static_cast<char>(LiteralAt(k)));
    }
    return text;
}

TEST(Compressing, KnownAnswerTwoLiterals) {
    // 256, 65, 66, 257 in 9 bits, zero padded.
    EXPECT_EQ(Decode({0x80, 0x10, 0x48, 0x50, 0x10}), "AB");
}

TEST(Compressing, KnownAnswerStringRepeat) {
    // 256, 65, 258, 257: 258 is the entry being made ("AA").
    EXPECT_EQ(Decode({0x80, 0x10, 0x60, 0x50, 0x10}), "AAA");
}

TEST(Compressing, EmptyInputGivesEmptyOutput) {
    EXPECT_EQ(Decode({}), "");
    std::string out = "kept";
    Compressing::Decompress({}, out);
    EXPECT_EQ(out, "kept");
}

TEST(Compressing, AppendsToOutput) {
    std::string out = "x";
    Compressing::Decompress(Bytes{0x80, 0x10, 0x48, 0x50, 0x10}, out);
    EXPECT_EQ(out, "xAB");
}

TEST(Compressing, RejectsBadCodes) {
    struct Row {
        const char* name;
        Bytes input;
    };
    const Row rows[] = {
        {"first code other than clear (65)", {0x20, 0xC0, 0x40}},
        {"entry code 258 right after clear", NineBitCodes({256, 258, 257})},
        {"entry code 259 right after clear", NineBitCodes({256, 259, 257})},
        {"entry code 511 right after clear", NineBitCodes({256, 511, 257})},
        {"entry code right after a clear in mid-stream", NineBitCodes({256, 'A', 256, 258, 257})},
        {"code beyond next free (258)", NineBitCodes({256, 'A', 259, 257})},
        {"input ending before the end code", NineBitCodes({256, 'A', 'B'})},
        {"input ending before the clear", {0x80}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_THROW(Decode(row.input), EDecompressError);
    }
}

TEST(Compressing, EveryTruncationIsAnErrorNeverACrash) {
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "<item id=\"" + std::to_string(i % 97) + "\"/>";
    const Bytes packed = lzw::Compress(text);
    ASSERT_EQ(Decode(packed), text);
    for (std::size_t n = 1; n < packed.size(); ++n) {
        const Bytes prefix(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(n));
        // (Near the cut the width rule reads the last codes differently, so
        // the tail decoded before the fault need not match the text.)
        EXPECT_THROW(Decode(prefix), EDecompressError) << "prefix " << n;
    }
}

TEST(Compressing, KeepsOutputDecodedBeforeFault) {
    std::string out;
    EXPECT_THROW(Compressing::Decompress(NineBitCodes({256, 'O', 'K', 300}), out), EDecompressError);
    EXPECT_EQ(out, "OK");
}

TEST(Compressing, BitsAfterEndCodeAreIgnored) {
    Bytes input{0x80, 0x10, 0x48, 0x50, 0x10, 0xFF, 0xFF, 0x00};
    EXPECT_EQ(Decode(input), "AB");
}

TEST(Compressing, ClearAndEndRightAfterClear) {
    EXPECT_EQ(Decode(NineBitCodes({256, 256, 'A', 256, 257})), "A");
}

TEST(Compressing, WidthStepsTo10AfterEntry510) {
    // Codes 0..253 at 9 bits make entries 258..510; code 254 is read with 10.
    TBitWriter w;
    std::string text = PutLiterals(w, 300);
    w.Put(257, WidthOfCode(300));
    EXPECT_EQ(WidthOfCode(254), 10);
    EXPECT_EQ(Decode(w.Result()), text);
}

TEST(Compressing, StreamEndingInNineBitEndCode) {
    // Entry 510 is made with only one unread byte left: the width stays 9.
    TBitWriter w;
    const std::string text = PutLiterals(w, 254);
    w.Put(257, 9);
    ASSERT_EQ(w.Result().size(), 288u);  // 256 codes of 9 bits
    EXPECT_EQ(Decode(w.Result()), text);
}

TEST(Compressing, StreamEndingInTenBitEndCode) {
    // The same with two unread bytes left: the end code is read with 10 bits.
    TBitWriter w;
    const std::string text = PutLiterals(w, 254);
    w.Put(257, 10);
    ASSERT_EQ(w.Result().size(), 289u);
    EXPECT_EQ(Decode(w.Result()), text);
}

TEST(Compressing, WidthGrowsUpTo13BitsAndDictionaryFills) {
    // Code 3838 is read with 13 bits and makes the last entry, 4095.
    TBitWriter w;
    const std::string text = PutLiterals(w, 3839);
    TBitWriter ended = w;
    ended.Put(257, 13);
    EXPECT_EQ(Decode(ended.Result()), text);

    // With the dictionary full only a clear or the end may follow.
    TBitWriter overfull = w;
    overfull.Put('x', 13);
    overfull.Put(257, 13);
    EXPECT_THROW(Decode(overfull.Result()), EDecompressError);

    TBitWriter cleared = w;
    cleared.Put(256, 13);
    cleared.Put('Z', 9);
    cleared.Put(258 - 0, 9);  // entry 258 = "Z" + "Z"
    cleared.Put(257, 9);
    EXPECT_EQ(Decode(cleared.Result()), text + "ZZZ");
}

TEST(Compressing, DictionaryCodesAtWiderWidths) {
    // "ab" repeated: code 258 ("ab") and longer strings read at 10+ bits.
    std::string text;
    for (int i = 0; i < 20000; ++i) text += static_cast<char>('a' + (i * 7 + i / 13) % 5);
    EXPECT_EQ(Decode(lzw::Compress(text)), text);
}

TEST(Compressing, LongRunsCopyFromJustBehindTheirTarget) {
    // Found by fuzzing (seed long-runs): entries whose string ends a few
    // bytes before where it is copied to.
    std::string text(3000, 'a');
    for (int i = 0; i < 500; ++i) text += "ab";
    EXPECT_EQ(Decode(lzw::Compress(text)), text);
}

// The encoder of the tools folder writes the same stream format.
TEST(LzwEncoder, KnownAnswers) {
    EXPECT_EQ(lzw::Compress("AB"), (Bytes{0x80, 0x10, 0x48, 0x50, 0x10}));
    EXPECT_EQ(lzw::Compress("AAA"), (Bytes{0x80, 0x10, 0x60, 0x50, 0x10}));
    EXPECT_TRUE(lzw::Compress("").empty());
}

TEST(LzwEncoder, PackFollowsTheEndOfStreamRule) {
    // Entry 510 is made with the end code still to come: 9 bits (288 bytes)
    // and 10 bits (289 bytes) are both consistent; the packer keeps growing.
    std::vector<std::uint16_t> codes{256};
    std::string text;
    for (int k = 0; k < 254; ++k) {
        codes.push_back(LiteralAt(k));
        text.push_back(static_cast<char>(LiteralAt(k)));
    }
    codes.push_back(257);
    const Bytes packed = lzw::Pack(codes);
    EXPECT_EQ(packed.size(), 289u);
    EXPECT_EQ(Decode(packed), text);
    // With one literal fewer entry 510 is never made.
    codes.erase(codes.end() - 2);
    text.pop_back();
    EXPECT_EQ(Decode(lzw::Pack(codes)), text);
}

TEST(LzwEncoder, RoundTripsThroughTheDecoder) {
    std::mt19937 random(12345);
    struct TCase {
        const char* name;
        std::string data;
        std::size_t clearAfter;
    };
    std::vector<TCase> cases;
    std::string allBytes;
    for (int i = 0; i < 256; ++i) allBytes.push_back(static_cast<char>(i));
    cases.push_back({"one byte", "Q", 0});
    cases.push_back({"every byte value", allBytes + allBytes + allBytes, 0});
    std::string noise;
    for (int i = 0; i < 200000; ++i) noise.push_back(static_cast<char>(random() & 0xFF));
    cases.push_back({"noise: many clears", noise, 0});
    std::string runs(300000, 'z');
    cases.push_back({"one long run", runs, 0});
    std::string xml;
    for (int i = 0; i < 20000; ++i)
        xml += "<item id=\"IDS_" + std::to_string(random() % 500) + "\" value=\"\xE1rv\xED\x7Azt\xFBr\xF5\"/>\r\n";
    cases.push_back({"xml", xml, 0});
    cases.push_back({"xml, clear after 1000 codes", xml, 1000});
    cases.push_back({"xml, clear after every 2 codes", xml.substr(0, 5000), 2});
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Decode(lzw::Compress(c.data, {c.clearAfter})), c.data);
    }
}

TEST(LzwEncoder, RoundTripsEveryLengthNearTheWidthSteps) {
    // Lengths around the points where the last entry is made close to the end.
    std::string text;
    for (int i = 0; i < 5000; ++i) text.push_back(static_cast<char>((i * 131) % 251));
    for (std::size_t n = 1; n <= text.size(); n += (n < 600 ? 1 : 37)) {
        const std::string part = text.substr(0, n);
        ASSERT_EQ(Decode(lzw::Compress(part)), part) << "length " << n;
    }
}

}  // namespace
