#include "sizelist/CTextEncoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Ascii(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

struct Detection {
    bool ok;
    std::int32_t mode;
    std::uint32_t error;
};

// Runs the reader's two steps on data read with the caller's mode.
Detection Detect(const Bytes& data, std::int32_t mode = TFM_AUTO) {
    std::uint32_t error = 0;
    mode = CTextEncoding::DetectBom(mode, data);
    const bool ok = CTextEncoding::DetectEncoding(mode, data, error);
    return {ok, mode, error};
}

} // namespace

TEST(CTextEncoding, ByteOrderMarkWinsOverTheCallersMode) {
    EXPECT_EQ(CTextEncoding::DetectBom(TFM_ANSI, Bytes{0xFF, 0xFE, 0x41, 0x00}), TFM_UTF16LE_BOM);
    EXPECT_EQ(CTextEncoding::DetectBom(TFM_UTF8, Bytes{0xFE, 0xFF, 0x00, 0x41}), TFM_UTF16BE_BOM);
    EXPECT_EQ(CTextEncoding::DetectBom(TFM_UTF16LE, Bytes{0xEF, 0xBB, 0xBF}), TFM_UTF8_BOM);
    // Without a mark only the mark field is cleared.
    EXPECT_EQ(CTextEncoding::DetectBom(TFM_UTF8_BOM, Ascii("abc")), TFM_UTF8_NOBOM);
    EXPECT_EQ(CTextEncoding::DetectBom(TFM_UTF16BE_BOM, Ascii("abc")), TFM_UTF16BE);
    EXPECT_EQ(CTextEncoding::DetectBom(TFM_AUTO, Bytes{0xEF, 0xBB}), TFM_AUTO);
    EXPECT_EQ(CTextEncoding::DetectBom(TFM_AUTO, Bytes{}), TFM_AUTO);

    const Detection d = Detect(Bytes{0xFE, 0xFF, 0x00, 0x41}, TFM_UTF8);
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.mode, TFM_UTF16BE_BOM);
}

TEST(CTextEncoding, DetectsUtf8AndShiftJisOnRealText) {
    EXPECT_EQ(Detect(Bytes{}).mode, TFM_UTF8_NOBOM);
    EXPECT_EQ(Detect(Ascii("0,0,640,480,VGA\r\n")).mode, TFM_UTF8_NOBOM);
    // 設定 in Shift-JIS is not UTF-8.
    EXPECT_EQ(Detect(Bytes{0x90, 0xDD, 0x92, 0xE8}).mode, TFM_ANSI);
    // あい in UTF-8 is valid Shift-JIS too (score 2) but scores 4 as UTF-8.
    const Bytes aiUtf8{0xE3, 0x81, 0x82, 0xE3, 0x81, 0x84};
    int s = 0, u = 0;
    EXPECT_TRUE(CTextEncoding::CheckShiftJis(aiUtf8, s));
    EXPECT_TRUE(CTextEncoding::CheckUtf8(aiUtf8, u));
    EXPECT_EQ(s, 2);
    EXPECT_EQ(u, 4);
    EXPECT_EQ(Detect(aiUtf8).mode, TFM_UTF8_NOBOM);
    EXPECT_EQ(Detect(Bytes{0x82, 0xA0, 0x82, 0xA2}).mode, TFM_ANSI);
    // Latin letters only: the two-byte-only rule makes UTF-8 win.
    EXPECT_EQ(Detect(Bytes{'c', 'a', 'f', 0xC3, 0xA9}).mode, TFM_UTF8_NOBOM);
    // A tie of non-zero scores goes to Shift-JIS: E5 80 A1 is one UTF-8
    // character (+1) and a kanji code plus a half-width katakana (+1).
    EXPECT_EQ(Detect(Bytes{0xE5, 0x80, 0xA1}).mode, TFM_ANSI);

    const Detection neither = Detect(Bytes{'a', 0x80, 'b'});
    EXPECT_FALSE(neither.ok);
    EXPECT_EQ(neither.error, TFE_UNSUPPORTED_TYPE);
}

TEST(CTextEncoding, TellsUtf16ByItsZeroBytes) {
    // Little-endian ASCII without mark: decided at the first line end.
    EXPECT_EQ(Detect(Bytes{'A', 0, '\r', 0, '\n', 0}).mode, TFM_UTF16LE);
    // The line end decides even where even zeros are in the majority.
    EXPECT_EQ(Detect(Bytes{0, 'a', 0, 'b', '\n', 0}).mode, TFM_UTF16LE);
    EXPECT_EQ(Detect(Bytes{0, 'A', 0, '\r', 0, '\n'}).mode, TFM_UTF16BE);
    // One NUL in ASCII text at an even offset, followed by LF.
    EXPECT_EQ(Detect(Bytes{'a', 'b', 0, '\n', 'c'}).mode, TFM_UTF16BE);
    // Counting: more odd zeros means little-endian.
    EXPECT_EQ(Detect(Bytes{'a', 0, 'b', 0, 'c', 'd'}).mode, TFM_UTF16LE);
    EXPECT_EQ(Detect(Bytes{0, 'a', 0, 'b', 'c', 'd'}).mode, TFM_UTF16BE);
    // A tie follows the byte order that the caller named, big-endian otherwise.
    const Bytes tie{0, 'a', 'b', 0};
    EXPECT_EQ(Detect(tie).mode, TFM_UTF16BE);
    EXPECT_EQ(Detect(tie, TFM_UTF16LE).mode, TFM_UTF16LE);
    EXPECT_EQ(Detect(tie, TFM_UTF16LE_BOM).mode, TFM_UTF16LE);
    // A UTF-16 word without any zero byte keeps its byte order.
    EXPECT_EQ(Detect(Bytes{0x30, 0x42}, TFM_UTF16LE).mode, TFM_UTF16LE);
    EXPECT_EQ(Detect(Bytes{0x30, 0x42}, TFM_UTF16BE_BOM).mode, TFM_UTF16BE);
}

TEST(CTextEncoding, ChecksTheEncodingThatTheCallerNamed) {
    Detection d = Detect(Bytes{0x82, 0xA0}, TFM_UTF8);
    EXPECT_FALSE(d.ok);
    EXPECT_EQ(d.error, TFE_DATATYPE_MISMATCH);
    d = Detect(Bytes{0x82, 0xA0}, TFM_UTF8_BOM); // no mark: checked as UTF-8
    EXPECT_FALSE(d.ok);
    EXPECT_EQ(d.error, TFE_DATATYPE_MISMATCH);
    d = Detect(Bytes{'a', 0x00, 'b'}, TFM_ANSI);
    EXPECT_FALSE(d.ok);
    EXPECT_EQ(d.error, TFE_DATATYPE_MISMATCH);
    // Valid data keeps the caller's word, even where detection would differ.
    d = Detect(Bytes{0xE3, 0x81, 0x82}, TFM_UTF8);
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.mode, TFM_UTF8);
    d = Detect(Ascii("abc"), TFM_ANSI);
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.mode, TFM_ANSI);
}

TEST(CTextEncoding, ShiftJisScore) {
    auto score = [](const Bytes& data) {
        int s = 0;
        return CTextEncoding::CheckShiftJis(data, s) ? s : -1;
    };
    EXPECT_EQ(score(Bytes{0x83, 0x41}), 2);      // ア
    EXPECT_EQ(score(Bytes{0x88, 0x9F}), 1);      // 亜, the first kanji of level one
    EXPECT_EQ(score(Bytes{0x98, 0x73}), 0);      // behind level one
    EXPECT_EQ(score(Bytes{0x81, 0x40}), 0);      // ideographic space
    EXPECT_EQ(score(Bytes{'a', 0xB1, 0xB2}), 2); // half-width katakana
    EXPECT_EQ(score(Bytes{0xB1}), 0);            // not at the start of the data
    EXPECT_EQ(score(Bytes{'a', 0xC2, 0xB1}), 0); // neither 0xC2 nor the byte behind it
    EXPECT_EQ(score(Bytes{'a', 0xCF, 0xCD}), 0);
    EXPECT_EQ(score(Bytes{'a', 0x82}), -1);  // lead byte without its second byte
    EXPECT_EQ(score(Bytes{0x82, 0x20}), -1); // second byte out of range
    EXPECT_EQ(score(Bytes{0x82, 0x7F}), -1);
    EXPECT_EQ(score(Bytes{'a', 0x80}), -1);
    EXPECT_EQ(score(Bytes{'a', 0xA0}), -1);
    EXPECT_EQ(score(Bytes{'a', 0xFD}), -1);
    EXPECT_EQ(score(Bytes{'a', 0x1B}), -1);
    EXPECT_EQ(score(Bytes{'\t', '\r', '\n', '~'}), 0);

    int s = 5;
    EXPECT_FALSE(CTextEncoding::CheckShiftJis(Bytes{0x83, 0x41, 0x80}, s));
    EXPECT_EQ(s, 5); // an invalid check adds nothing
}

TEST(CTextEncoding, Utf8Score) {
    auto score = [](const Bytes& data) {
        int u = 0;
        return CTextEncoding::CheckUtf8(data, u) ? u : -1;
    };
    EXPECT_EQ(score(Bytes{0xE4, 0xB8, 0x80}), 1);             // 一
    EXPECT_EQ(score(Bytes{0xE3, 0x82, 0xA2}), 2);             // ア
    EXPECT_EQ(score(Bytes{0xC3, 0xA9, 0xE4, 0xB8, 0x80}), 0); // é counts -1
    EXPECT_EQ(score(Bytes{0xC2, 0xA0, 0xE4, 0xB8, 0x80}), 1); // but not behind C2
    EXPECT_EQ(score(Bytes{0xC2, 0xA0}), 9999);                // two-byte only
    EXPECT_EQ(score(Bytes{0xF0, 0x9F, 0x98, 0x80}), 9999);    // four-byte sets the score
    EXPECT_EQ(score(Bytes{0xF0, 0x9F, 0x98, 0x80, 0xE4, 0xB8, 0x80}), 10000);
    EXPECT_EQ(score(Bytes{0xC0, 0x80}), -1);
    EXPECT_EQ(score(Bytes{0xF5, 0x80, 0x80, 0x80}), -1);
    EXPECT_EQ(score(Bytes{0xE3, 0x81}), -1);       // ends inside a sequence
    EXPECT_EQ(score(Bytes{0xE3, 0x41, 0x81}), -1); // wrong continuation
    EXPECT_EQ(score(Bytes{'a', 0x00}), -1);
    EXPECT_EQ(score(Bytes{0x7F}), -1);
}

TEST(CTextEncoding, PreparesUtf16WithATerminatorBehindTheText) {
    // Five bytes of big-endian text plus the zero bytes the reader keeps.
    Bytes buffer{0x00, 0x41, 0x30, 0x42, 0x7A, 0, 0, 0, 0};
    CTextEncoding::PrepareUtf16(buffer.data(), 5, true);
    EXPECT_EQ(buffer, (Bytes{0x41, 0x00, 0x42, 0x30, 0x00, 0x00, 0, 0, 0}));
    Bytes le{0x41, 0x00, 0x7A, 0, 0, 0, 0};
    CTextEncoding::PrepareUtf16(le.data(), 3, false);
    EXPECT_EQ(le, (Bytes{0x41, 0x00, 0x00, 0, 0, 0, 0}));

    EXPECT_EQ(CTextEncoding::BomLength(TFM_UTF8_BOM), 3u);
    EXPECT_EQ(CTextEncoding::BomLength(TFM_UTF16BE_BOM), 2u);
    EXPECT_EQ(CTextEncoding::BomLength(TFM_UTF8_NOBOM), 0u);
}
