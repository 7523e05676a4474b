// SPDX-License-Identifier: MIT
// Tests of the extractor's constant and call modes and of the constant numbering.
#include "core/scanner/statement_extractor.h"

#include <gtest/gtest.h>

#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/scanner/constant_index.h"

namespace korvexer {
namespace {

const std::string kNumber(texts::kTypeNumber);
const std::string kString(texts::kTypeString);
const std::string kUnknown(texts::kStateUnknown);

// The row that `text` (on line 3, starting at column 2, with `comment`) gives, columns joined by
// '|' and the image appended after '#'; "" when it gives none.
std::string ExtractOne(const LanguageDefinition& language, ScanMode mode, const std::string& text,
                       const std::string& comment = "", std::uint32_t counter = 1024) {
    FixedClock clock(0);  // every new key is the previous one plus 271
    StatementExtractor extractor(language, clock, TextEncoding::Gbk);
    RowList rows;
    rows.Append({"x"});  // one row before, so that running numbers start at 2
    const std::string line = "  " + text;
    Statement statement{2, 2, text, comment, line};
    if (!extractor.Extract(rows, statement, "dir/f.cpp", counter, mode)) {
        EXPECT_EQ(rows.size(), 1u) << text;
        return "";
    }
    EXPECT_EQ(rows.size(), 2u) << text;
    std::string joined;
    for (std::size_t c = 0; c < 6; ++c) joined += rows.Text(1, c) + "|";
    return joined + "#" + std::to_string(rows.Image(1));
}

TEST(NextConstantIndex, SeedsWithTheClockPlusFive) {
    EXPECT_EQ(NextConstantIndex(1024, FixedClock(0)), 1024u + 271u);
    EXPECT_EQ(NextConstantIndex(1024, FixedClock(1000000000)), 1024u + 511u);
    // Within one second every call takes the same step.
    EXPECT_EQ(NextConstantIndex(1535, FixedClock(1000000000)), 1535u + 511u);
    EXPECT_EQ(NextConstantIndex(1024, FixedClock(1700000000)), 1024u + 396u);
    EXPECT_EQ(NextConstantIndex(0xFFFFFFFFu, FixedClock(0)), 270u);
}

TEST(ExtractConstant, LiteralsAndAccessors) {
    const LanguageDefinition cpp = LoaderDefaults(0);
    const std::string at = "|dir/f.cpp|3:";
    struct Case {
        std::string text;
        std::string comment;
        std::string expected;
    };
    const Case cases[] = {
        {"s = \"abc\"", "", "1295|" + kString + "|abc|" + at + "6|#2"},
        {"s = \"\"", "", "1295|" + kString + "||" + at + "6|#2"},
        {"x = 42", "", "1295|" + kNumber + "|42|" + at + "6|#1"},
        {"x = -7", "", "1295|" + kNumber + "|-7|" + at + "6|#1"},
        {"x = 5 + y", "", "1295|" + kNumber + "|5|" + at + "6|#1"},
        {"x =    42   ", "", "1295|" + kNumber + "|42|" + at + "9|#1"},
        {"a = b = 3", "", "1295|" + kNumber + "|3|" + at + "10|#1"},
        {"x = 0x1F", "", "1295|" + kNumber + "|31|" + at + "6|#1"},
        {"x = 0x1FL", "", "1295|" + kNumber + "|31|" + at + "6|#1"},
        {"x = 0X80000000", "", "1295|" + kNumber + "|-2147483648|" + at + "6|#1"},
        {"x = GetValueInt(1500)", "42", "1500|" + kNumber + "|42|" + kUnknown + at + "6|#1"},
        {"x = getvaluestr(1500)", "abc", "1500|" + kString + "|abc|" + kUnknown + at + "6|#2"},
        // In a for statement the first assignment counts, and a terminator may follow.
        {"For\tj = 1 to n = 2", "", "1295|" + kNumber + "|1|" + at + "10|#1"},
        {"for i = 0 to 9; k", "", "1295|" + kNumber + "|0|" + at + "10|#1"},
        {"for (i = 0; i < n; i++)", "", ""},  // "0" is followed by ";", not by a blank
        // No row: a string side that is more than one literal, adjacent or summed.
        {"s = \"a\" + x + \"b\"", "", ""},
        {"s = \"x\" \"y\"", "", ""},
        {"s = \"x\"\"y\"", "", ""},
        // A zero, which is also the null pointer; other numbers with zeros are numbers.
        {"p = 0", "", ""},
        {"p = 00", "", "1295|" + kNumber + "|00|" + at + "6|#1"},
        {"p = -0", "", "1295|" + kNumber + "|-0|" + at + "6|#1"},
        // A pure or defaulted function, with the qualifiers it may carry; a name that ends in
        // one is a variable.
        {"virtual int f() const = 5", "", ""},
        {"int f() const noexcept override = 1", "", ""},
        {"int f() && = 1", "", ""},
        {"int f()& = 1", "", ""},
        {"int x_const = 1", "", "1295|" + kNumber + "|1|" + at + "16|#1"},
        {"int f() y = 1", "", "1295|" + kNumber + "|1|" + at + "14|#1"},
        {"s = \"a\\\"b\"", "", ""},  // the last quote is escaped
        {"s = \"\"\"\"", "", ""},    // a doubled quote
        {"s = \"abc", "", ""},       // unclosed
        {"s = abc\"", "", ""},       // closes without opening
        {"s = \"", "", ""},          // a lone quote
        {"x = 5+y", "", ""},
        {"x = -", "", ""},  // a minus without digits is no number
        {"x = - 5", "", ""},
        {"x = 0x1G", "", ""},
        {"x = ab", "", ""},  // hex digits without a prefix are a name
        {"x = c1", "", ""},
        {"x = dead", "", ""},
        {"x = 10L", "", ""},
        {"x = GetValueInt(50)", "7", ""},  // indices of 100 or less were never given
        {"x = GetValueInt()", "7", ""},
        {"x = GetValueInt(1500", "7", ""},
        {"x = foo(1500)", "7", ""},
        {"x = 5; y", "", ""},  // a terminator on the right-hand side
        // A comparison is no assignment; a compound assignment is one.
        {"return n == 1 ? a : b", "", ""},
        {"sizeof...(Args) <= 10 ? sizeof...(Args) : 10", "", ""},
        {"ok = k >= 2", "", ""},
        {"ok = k != -1", "", ""},
        {"for (; i == 3; )", "", ""},
        {"x <<= 2", "", "1295|" + kNumber + "|2|" + at + "8|#1"},
        {"x += 2", "", "1295|" + kNumber + "|2|" + at + "7|#1"},
        {"=5", "", "1295|" + kNumber + "|5|" + at + "3|#1"},
        {"x == ", "", ""},
        {"print 5", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtractOne(cpp, ScanMode::Constants, c.text, c.comment), c.expected) << c.text;
}

TEST(ExtractConstant, DelphiLiteralsAndNumbering) {
    const LanguageDefinition delphi = LoaderDefaults(3);
    EXPECT_EQ(ExtractOne(delphi, ScanMode::Constants, "x := $1F"),
              "1295|" + kNumber + "|31||dir/f.cpp|3:7|#1");
    // Five hex digits: the whole decimal text is kept.
    EXPECT_EQ(ExtractOne(delphi, ScanMode::Constants, "x := $FFFFF"),
              "1295|" + kNumber + "|1048575||dir/f.cpp|3:7|#1");
    EXPECT_EQ(ExtractOne(delphi, ScanMode::Constants, "s := 'it''s'"), "");
    EXPECT_EQ(ExtractOne(delphi, ScanMode::Constants, "s := ''''+s+''''"), "");
    EXPECT_EQ(ExtractOne(delphi, ScanMode::Constants, "s := 'abc' + x + 'def'"), "");
    EXPECT_EQ(ExtractOne(delphi, ScanMode::Constants, "s := ''"),
              "1295|" + kString + "|||dir/f.cpp|3:7|#2");
    EXPECT_EQ(ExtractOne(delphi, ScanMode::Constants, "x := 1F"), "");
    // A quote that is the second byte of a two-byte character does not count as a quote.
    LanguageDefinition letterQuote = delphi;
    letterQuote.quotation = 'Q';
    EXPECT_EQ(ExtractOne(letterQuote, ScanMode::Constants, "s := Qa\xB0QbQ"),
              "1295|" + kString + "|a\xB0Qb||dir/f.cpp|3:7|#2");
    EXPECT_EQ(ExtractOne(letterQuote, ScanMode::Constants, "s := Qa\xB0Q"), "");

    // Equal constants get different, growing keys; the counter carries over.
    FixedClock clock(1000000000);
    const LanguageDefinition cpp = LoaderDefaults(0);
    StatementExtractor extractor(cpp, clock, TextEncoding::Gbk);
    RowList rows;
    std::uint32_t counter = 1024;
    Statement first{0, 0, "x = 1", "", "x = 1"};
    Statement second{1, 0, "x = 1", "", "x = 1"};
    ASSERT_TRUE(extractor.Extract(rows, first, "f", counter, ScanMode::Constants));
    ASSERT_TRUE(extractor.Extract(rows, second, "f", counter, ScanMode::Constants));
    EXPECT_EQ(rows.Text(0, kStepKey), "1535");
    EXPECT_EQ(rows.Text(1, kStepKey), "2046");
    EXPECT_EQ(counter, 2046u);
    // An accessor call keeps its key and leaves the counter alone.
    Statement accessor{2, 0, "x = GetValueInt(3000)", "", "x = GetValueInt(3000)"};
    ASSERT_TRUE(extractor.Extract(rows, accessor, "f", counter, ScanMode::Constants));
    EXPECT_EQ(counter, 2046u);
}

TEST(ExtractCall, CallsKeywordsAndSubstitutes) {
    const LanguageDefinition cpp = LoaderDefaults(0);
    const std::string at = "|dir/f.cpp|3:";
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"x = foo(1, 2)", "2|foo|||" + at.substr(1) + "6|#0"},
        {"foo(1)", "2|foo|||" + at.substr(1) + "2|#0"},
        {"return bar(x)", "2|bar|||" + at.substr(1) + "9|#0"},
        {"x = foo (1)", "2|foo|||" + at.substr(1) + "6|#0"},     // a blank before "("
        {"Sleep 100, 2", "2|Sleep|||" + at.substr(1) + "2|#0"},  // no "(": the name ends at a blank
        {"x = ::GetTickCount()", "2|::GetTickCount|||" + at.substr(1) + "6|#0"},
        {"x = foo_kx(1)", "2||foo_kx|" + kUnknown + at + "6|#0"},
        {"x = FOO_KX (1)", "2||FOO_KX|" + kUnknown + at + "6|#0"},
        {"return strlen_kx(s)", "2||strlen_kx|" + kUnknown + at + "9|#0"},
        {"y = foo_kx", ""},  // no "(" and no blank
        // No row.
        {"if (x) foo(1)", ""},  // the name is the keyword "if"
        {"While (x > 0)", ""},
        {"obj.run(1)", ""},  // "." in the name
        {"a + b(1)", ""},
        {"y = GetValueInt(1500)", ""},
        {"y = korvexinit(1)", ""},  // the runtime library's own entry point
        {"return KorvexClose(h)", ""},
        {"return 0", ""},  // begins with a digit
        {"x = -12", ""},
        {"x = \"a(b)\"", ""},  // begins with the quote
        {"x = y", ""},
        {"x = f(a); g(b)", ""},  // a terminator inside
        {"x = foo", ""},
        {"goto end", ""},
        {"x = (a)", ""},  // "(" first and no blank
        // Operators written as words call nothing, in any case and after another word.
        {"x = y or (z > 0)", ""},
        {"until not (done)", ""},
        {"m = Not (a)", ""},
        {"x = a AndAlso (b)", ""},
        {"n = sizeof(buf)", ""},
        {"q = div(a, b)", "2|div|||" + at.substr(1) + "6|#0"},  // C's div() is a function
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtractOne(cpp, ScanMode::Calls, c.text), c.expected) << c.text;

    // Running numbers follow the row count; the counter is untouched.
    FixedClock clock(0);
    StatementExtractor extractor(cpp, clock, TextEncoding::Gbk);
    RowList rows;
    std::uint32_t counter = 7;
    Statement call{0, 0, "foo(1)", "", "foo(1)"};
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(extractor.Extract(rows, call, "f", counter, ScanMode::Calls));
    EXPECT_EQ(rows.Text(2, kStepKey), "3");
    EXPECT_EQ(counter, 7u);
}

}  // namespace
}  // namespace korvexer
