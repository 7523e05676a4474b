// SPDX-License-Identifier: MIT
// Tests of the whole-element word-list test.
#include "core/language/word_list.h"

#include <gtest/gtest.h>

namespace korvexer {
namespace {

TEST(WordListHas, MatchesWholeElementsOnly) {
    struct Case {
        std::string_view list;
        std::string_view word;
        bool expected;
    };
    const Case cases[] = {
        {"void;char;byte;", "char", true},
        {"void;char;byte;", "void", true},    // first element
        {"void;char;byte;", "byte", true},    // last element
        {"void;char;byte;", "r", false},      // tail of "char;"
        {"void;char;byte;", "ha", false},     // inside an element
        {"void;char;byte;", "char;", false},  // the separator is not part of a word
        {"int;cstring;", "ring", false},
        {"int;cstring;", "cstring", true},
        {"static;class;", "s", false},
        {"Public;Sub;", "public", true},  // both sides compared in lower case
        {"public;sub;", "PUBLIC", true},
        {".pas", ".pas", false},  // an element without its ';' matches nothing
        {"", "", false},
        {"a;;b;", "", true},  // an empty element
        {"a;b;", "", false},
        {"end sub;end function;", "end sub", true},
        {"end sub;end function;", "end", false},
        {"#define;const;", "#DEFINE", true},  // a first byte that is no letter
        {"#define;const;", "$define", false},
        {"Z9;y;", "z9", true},
        {"Z9;y;", "a9", false},
        {";x;", "", true},  // an empty first element
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WordListHas(c.list, c.word), c.expected) << c.list << " / " << c.word;
        EXPECT_EQ(WordList(c.list).Has(c.word), c.expected) << c.list << " / " << c.word;
    }
}

TEST(WordListHas, TwoByteCharactersCompareExactly) {
    // "\xB0\x41" is one character whose second byte is 'A'; it must not be folded to 'a'.
    EXPECT_TRUE(WordListHas("\xB0\x41;x;", "\xB0\x41"));
    EXPECT_FALSE(WordListHas("\xB0\x41;x;", "\xB0\x61"));
    EXPECT_TRUE(WordListHas("\xB0\x41Z;", "\xB0\x41z"));
    EXPECT_TRUE(WordList("\xB0\x41Z;").Has("\xB0\x41z"));
    EXPECT_FALSE(WordList("\xB0\x41;x;").Has("\xB0\x61"));
}

}  // namespace
}  // namespace korvexer
