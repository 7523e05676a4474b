// SPDX-License-Identifier: MIT
// Tests of the GBK helpers on text whose second bytes are letters and backslashes.
#include "core/platform/gbk_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvexer {
namespace {

// 揮 is 93 5D (second byte ']'), 乗 is 81 5C (second byte '\'), 啊 is B0 A1, 亜 is 81 41 ('A').
const std::string kBracketChar = "\x93\x5D";
const std::string kBackslashChar = "\x81\x5C";
const std::string kLetterChar = "\x81\x41";

TEST(GbkToLower, LowersAsciiLettersOnly) {
    EXPECT_EQ(gbk::ToLower("C:\\Src\\Main.CPP"), "c:\\src\\main.cpp");
    EXPECT_EQ(gbk::ToLower(kLetterChar + "AB"), kLetterChar + "ab");
    EXPECT_EQ(gbk::ToLower("X" + kLetterChar), "x" + kLetterChar);
    // A lead byte at the very end stays as it is.
    EXPECT_EQ(gbk::ToLower("A\x81"), "a\x81");
}

TEST(GbkEqualsNoCase, ComparesTwoByteCharactersExactly) {
    EXPECT_TRUE(gbk::EqualsNoCase("Common Data", "COMMON DATA"));
    EXPECT_TRUE(gbk::EqualsNoCase(kLetterChar + "x", kLetterChar + "X"));
    // 81 41 and 81 61 differ only in the case of their second byte: different characters.
    EXPECT_FALSE(gbk::EqualsNoCase(kLetterChar, "\x81\x61"));
    EXPECT_FALSE(gbk::EqualsNoCase("abc", "abcd"));
}

TEST(GbkFind, StepsOverSecondBytes) {
    std::string text = "[" + kBracketChar + "]x";
    EXPECT_EQ(gbk::Find(text, ']'), 3u);
    EXPECT_EQ(gbk::Find(kBackslashChar + "\\", '\\'), 2u);
    EXPECT_EQ(gbk::Find("a]b]", ']', 2), 3u);
    EXPECT_EQ(gbk::Find(kBackslashChar, '\\'), std::string::npos);
}

TEST(GbkFindLastOf, IgnoresSeparatorsInsideCharacters) {
    std::string path = "C:\\dir\\" + kBackslashChar + ".cpp";
    EXPECT_EQ(gbk::FindLastOf(path, "\\/"), 6u);
    EXPECT_EQ(gbk::FindLastOf(kBackslashChar, "\\"), std::string::npos);
}

TEST(GbkCutLength, NeverSplitsACharacter) {
    std::string text = "ab" + std::string("\xB0\xA1") + "c";
    EXPECT_EQ(gbk::CutLength(text, 10), 5u);
    EXPECT_EQ(gbk::CutLength(text, 3), 2u);
    EXPECT_EQ(gbk::CutLength(text, 4), 4u);
    EXPECT_EQ(gbk::CutLength(text, 0), 0u);
}

TEST(GbkConversion, RoundTripsChineseText) {
    std::string gbkText = "\xC4\xE3\xBA\xC3 ok";  // 你好 ok
    Expected<std::string> utf8 = gbk::ToUtf8(gbkText);
    ASSERT_TRUE(utf8);
    EXPECT_EQ(*utf8, "\xE4\xBD\xA0\xE5\xA5\xBD ok");
    Expected<std::string> back = gbk::FromUtf8(*utf8);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, gbkText);
}

TEST(GbkConversion, ReportsTextThatHasNoOtherForm) {
    EXPECT_FALSE(gbk::ToUtf8("ok\xFF"));
    EXPECT_FALSE(gbk::FromUtf8("\xF0\x9F\x98\x80"));  // an emoji has no GBK form
    EXPECT_EQ(gbk::ToUtf8Lossy("a\xFF"
                               "b\xC4\xE3"),
              "a\xEF\xBF\xBD"
              "b\xE4\xBD\xA0");
}

// The look back over lead bytes agrees with walking the characters from the start.
TEST(GbkIsSecondByteAt, AgreesWithACharacterWalk) {
    const std::string texts[] = {
        "ab\xB0\xA1\xB0\xA1"
        "c",
        "\xB0\xB0\xB0\xB0\xB0",
        "\xB0"
        "a\xB0\xB0\x41",
        "\xFF\x80\x81\x40\x81\x81\x81", ""};
    for (const std::string& text : texts) {
        std::vector<bool> second(text.size(), false);
        for (std::size_t i = 0; i < text.size(); i += gbk::CharWidthAt(text, i))
            if (gbk::CharWidthAt(text, i) == 2) second[i + 1] = true;
        for (std::size_t pos = 0; pos < text.size(); ++pos)
            EXPECT_EQ(gbk::IsSecondByteAt(text, 0, pos), second[pos]) << text << " at " << pos;
    }
    // From a later character start the answer is the same.
    EXPECT_TRUE(gbk::IsSecondByteAt("\xB0\xA1\xB0\xA1", 2, 3));
    EXPECT_FALSE(gbk::IsSecondByteAt("\xB0\xA1\xB0\xA1", 2, 2));
}

}  // namespace
}  // namespace korvexer
