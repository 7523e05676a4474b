// SPDX-License-Identifier: MIT
// Tests of the source encodings: validity, the per-file choice, and character widths.
#include "core/platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace korvexer {
namespace {

TEST(IsValidUtf8, SequencesAndTheirFaults) {
    struct Case {
        std::string bytes;
        bool valid;
        bool multibyte;
    };
    const Case cases[] = {
        {"", true, false},
        {"plain ASCII " + std::string(200, 'x'), true, false},
        {"\xE4\xBD\xA0\xE5\xA5\xBD", true, true},          // 你好
        {std::string(100, 'a') + "\xC3\xA9", true, true},  // past the 64-byte skip
        {"\xF0\x9F\x98\x80", true, true},                  // four bytes
        {"ab\xE4\xBD", true, true},                        // cut short by the end
        {"\xE4\xBD"
         "a",
         false, false},                      // cut short inside
        {"\xC0\xAF", false, false},          // overlong
        {"\xE0\x80\xAF", false, false},      // overlong, three bytes
        {"\xED\xA0\x80", false, false},      // a surrogate
        {"\xF4\x90\x80\x80", false, false},  // past U+10FFFF
        {"\x80", false, false},              // a lone continuation byte
        {"\xD6\xD0\xCE\xC4", false, false},  // 中文 in GBK
    };
    for (const Case& c : cases) {
        bool multibyte = false;
        EXPECT_EQ(IsValidUtf8(c.bytes, &multibyte), c.valid) << c.bytes;
        if (c.valid) {
            EXPECT_EQ(multibyte, c.multibyte) << c.bytes;
        }
    }
}

TEST(EncodingOf, AutomaticFixedAndUndecodable) {
    bool undecodable = true;
    // Automatic: the byte-order mark, or valid UTF-8 with a character of more than one byte.
    EXPECT_EQ(EncodingOf(SourceEncoding::Automatic, "\xEF\xBB\xBFx = 1;", &undecodable),
              TextEncoding::Utf8);
    EXPECT_FALSE(undecodable);
    EXPECT_EQ(EncodingOf(SourceEncoding::Automatic, "s = \"\xE4\xBD\xA0\";"), TextEncoding::Utf8);
    EXPECT_EQ(EncodingOf(SourceEncoding::Automatic, "x = 1;"), TextEncoding::Gbk);
    EXPECT_EQ(EncodingOf(SourceEncoding::Automatic, "s = \"\xD6\xD0\";"), TextEncoding::Gbk);
    // GBK whose first characters happen to be valid UTF-8 (C4 A3) is GBK: the whole is read.
    EXPECT_EQ(EncodingOf(SourceEncoding::Automatic,
                         "a = \"\xC4\xA3\";\n" + std::string(300, 'x') + "b = \"\xD6\xD0\";"),
              TextEncoding::Gbk);
    // A byte-order mark followed by invalid UTF-8 is still UTF-8.
    EXPECT_EQ(EncodingOf(SourceEncoding::Automatic, "\xEF\xBB\xBF\xD6\xD0"), TextEncoding::Utf8);
    // A fixed choice holds, and says when the bytes do not decode in it.
    EXPECT_EQ(EncodingOf(SourceEncoding::Gbk, "\xE4\xBD\xA0", &undecodable), TextEncoding::Gbk);
    EXPECT_FALSE(undecodable);  // E4 BD, then a lead byte cut short by the end
    EXPECT_EQ(EncodingOf(SourceEncoding::Gbk, "a\x80", &undecodable), TextEncoding::Gbk);
    EXPECT_TRUE(undecodable);
    EXPECT_EQ(EncodingOf(SourceEncoding::Utf8, "\xD6\xD0", &undecodable), TextEncoding::Utf8);
    EXPECT_TRUE(undecodable);
    // The settings texts.
    for (SourceEncoding choice :
         {SourceEncoding::Automatic, SourceEncoding::Gbk, SourceEncoding::Utf8}) {
        EXPECT_EQ(SourceEncodingNamed(SourceEncodingText(choice)), choice);
    }
    EXPECT_EQ(SourceEncodingNamed("UTF8"), SourceEncoding::Utf8);
    EXPECT_EQ(SourceEncodingNamed(""), SourceEncoding::Automatic);
    EXPECT_EQ(SourceEncodingNamed("latin1"), SourceEncoding::Automatic);
}

TEST(CharWidthAt, GbkPairsAndUtf8Sequences) {
    EXPECT_EQ(CharWidthAt("\xB0\xA1x", 0, TextEncoding::Gbk), 2u);
    EXPECT_EQ(CharWidthAt("\xB0\"x", 0, TextEncoding::Gbk), 2u);  // any byte after a lead
    EXPECT_EQ(CharWidthAt("\xB0", 0, TextEncoding::Gbk), 1u);
    EXPECT_EQ(CharWidthAt("\xE4\xBD\xA0", 0, TextEncoding::Utf8), 3u);
    EXPECT_EQ(CharWidthAt("\xE4\"", 0, TextEncoding::Utf8), 1u);  // no continuation: one byte
    EXPECT_EQ(CharWidthAt("\xE4\xBD", 0, TextEncoding::Utf8), 2u);
    EXPECT_EQ(CharWidthAt("\xBDx", 0, TextEncoding::Utf8), 1u);

    // In UTF-8 a quote or a backslash after an odd run of high bytes is a character of its own;
    // in GBK it is the second byte of one.
    const std::string text = "\xE4\xBD\xA0\\\"";
    EXPECT_TRUE(IsInsideCharacterAt(text, 0, 3, TextEncoding::Gbk));
    EXPECT_FALSE(IsInsideCharacterAt(text, 0, 3, TextEncoding::Utf8));
    EXPECT_TRUE(IsInsideCharacterAt(text, 0, 1, TextEncoding::Utf8));
    EXPECT_FALSE(IsInsideCharacterAt(text, 0, 0, TextEncoding::Utf8));
}

}  // namespace
}  // namespace korvexer
