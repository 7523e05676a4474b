// SPDX-License-Identifier: MIT
// Tests of one row's texts and the edit of one line: applying, taking back, positions.
#include "core/rewrite/row_edit.h"

#include <gtest/gtest.h>

#include "core/list/list_texts.h"
#include "core/rewrite/replaced_text.h"

namespace korvexer {
namespace {

const std::string kReplace(texts::kStateReplace);
const std::string kString(texts::kTypeString);
const std::string kNumber(texts::kTypeNumber);

RowEdit EditOf(ListKind kind, std::vector<std::string> columns, char quote = '"') {
    RowList rows;
    rows.Append(std::move(columns));
    return DeriveRowEdit(rows, 0, kind, "//", quote);
}

TEST(DeriveRowEdit, GivesTheSearchResultAndRemovalTextsOfEachKind) {
    struct Case {
        ListKind kind;
        std::vector<std::string> columns;
        RowEdit expected;
    };
    const Case cases[] = {
        {ListKind::Constants,
         {"105", kString, "abc", kReplace},
         {"\"abc\"", "GetValueStr(105)", ""}},
        {ListKind::Constants, {"203", kNumber, "40", kReplace}, {"40", "GetValueInt(203)", ""}},
        // Any type but the string type is a number.
        {ListKind::Constants, {"7", "x", "1", kReplace}, {"1", "GetValueInt(7)", ""}},
        {ListKind::Constants,
         {"105", kString, "abc", ""},
         {"GetValueStr(105)", "\"abc\"", "//\"abc\""}},
        {ListKind::Constants, {"203", kNumber, "40", ""}, {"GetValueInt(203)", "40", "//40"}},
        {ListKind::Functions,
         {"1", "MessageBox", "MessageBox_kx", kReplace},
         {"MessageBox", "MessageBox_kx", ""}},
        {ListKind::Functions,
         {"1", "MessageBox", "MessageBox_kx", ""},
         {"MessageBox_kx", "MessageBox", "//MessageBox"}},
    };
    for (const Case& c : cases) {
        RowEdit edit = EditOf(c.kind, c.columns);
        EXPECT_EQ(edit.search, c.expected.search) << c.columns[0];
        EXPECT_EQ(edit.result, c.expected.result) << c.columns[0];
        EXPECT_EQ(edit.removal, c.expected.removal) << c.columns[0];
    }
    EXPECT_EQ(EditOf(ListKind::Constants, {"9", kString, "a", kReplace}, '\'').search, "'a'");
}

TEST(ParseRowPosition, ReadsLineAndColumnAsAtoiDoes) {
    struct Case {
        const char* text;
        long line;
        std::size_t column;
    };
    const Case cases[] = {
        {"12:4", 12, 4}, {"12", 12, 1},    {"", 0, 1},      {":5", 0, 5},    {"x:3", 0, 3},
        {"7:x", 7, 0},   {"-2:-3", -2, 0}, {" 3: 9", 3, 9}, {"3:4:5", 3, 4}, {"5abc", 5, 1},
    };
    for (const Case& c : cases) {
        RowPosition position = ParseRowPosition(c.text);
        EXPECT_EQ(position.line, c.line) << c.text;
        EXPECT_EQ(position.column, c.column) << c.text;
    }
}

TEST(EditLine, LeavesLinesThatDoNotHoldTheRowsText) {
    RowEdit apply = EditOf(ListKind::Constants, {"203", kNumber, "40", kReplace});
    RowEdit back = EditOf(ListKind::Constants, {"203", kNumber, "40", ""});
    RowEdit applyCall = EditOf(ListKind::Functions, {"1", "foo", "foo_kx", kReplace});
    RowEdit backCall = EditOf(ListKind::Functions, {"1", "foo", "foo_kx", ""});
    struct Case {
        const char* line;
        std::size_t column;
        const RowEdit& edit;
    };
    const Case cases[] = {
        {"n = 41;", 4, apply},                    // another literal
        {"n = 40;", 5, apply},                    // the column misses it
        {"n = 40;", 99, apply},                   // the column is past the line
        {"n = GetValueInt(203);//40", 4, apply},  // already applied
        {"n = 40;", 4, back},                     // never applied
        {"n = GetValueInt(203;", 4, apply},       // an accessor without ")"
        {"n = getvalueint(9);", 4, apply},        // accessor names compare exactly
        {"foo_kx(1);//foo", 0, applyCall},        // already applied: foo begins foo_kx
        {"foo(1);", 0, backCall},                 // never applied
    };
    for (const Case& c : cases)
        EXPECT_EQ(EditLine(c.line, c.column, c.edit, "//"), std::nullopt) << c.line;

    RowEdit emptyResult = EditOf(ListKind::Functions, {"1", "foo", "", kReplace});
    EXPECT_EQ(EditLine("foo(1);", 0, emptyResult, "//"), std::nullopt);
}

// A number or a name stands at a position only as a whole token: a hand edit that made it longer
// ("3" to "35") must not be taken for it, or the rewrite splits the user's token.
TEST(StandsAt, NumbersAndNamesStandOnlyAsWholeTokens) {
    struct Case {
        const char* rest;
        const char* text;
        TextEncoding encoding;
        bool stands;
    };
    const Case cases[] = {
        {"3;", "3", TextEncoding::Gbk, true},
        {"3", "3", TextEncoding::Gbk, true},
        {"35;", "3", TextEncoding::Gbk, false},
        {"3.5;", "3", TextEncoding::Gbk, false},
        {"3x;", "3", TextEncoding::Gbk, false},
        {"foo_kx(1);", "foo", TextEncoding::Gbk, false},
        {"foo(1);", "foo", TextEncoding::Gbk, true},
        {"foo (1);", "foo", TextEncoding::Gbk, true},
        {"foo\xB0\xA1(1);", "foo", TextEncoding::Gbk, false},  // a GBK letter continues it
        {"foo\xFF(1);", "foo", TextEncoding::Gbk, true},       // 0xFF starts no character
        {"foo\x80;", "foo", TextEncoding::Gbk, true},
        {"foo\x80;", "foo", TextEncoding::Utf8, false},  // in UTF-8 any byte of 0x80 or more
        {"\"ab\"c", "\"ab\"", TextEncoding::Gbk, true},  // a quoted text ends at its quote
        {"GetValueInt(5)x", "GetValueInt(5)", TextEncoding::Gbk, true},
        {"fo", "foo", TextEncoding::Gbk, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StandsAt(c.rest, c.text, c.encoding), c.stands) << c.rest << " / " << c.text;
}

TEST(EditLine, TellsWhatTheRowFoundAtItsPosition) {
    RowEdit apply = EditOf(ListKind::Constants, {"1955", kNumber, "3", kReplace});
    RowEdit back = EditOf(ListKind::Constants, {"1955", kNumber, "3", ""});
    struct Case {
        const char* line;
        const RowEdit& edit;
        LineEditResult result;
        const char* after;  // "" when the line stays
    };
    const Case cases[] = {
        {"c = 3;", apply, LineEditResult::Edited, "c = GetValueInt(1955);//3"},
        {"c = 35;", apply, LineEditResult::NotThere, ""},  // changed by hand: not split
        {"c = GetValueInt(1955);//3", apply, LineEditResult::InPlace, ""},
        {"c = GetValueInt(1955);//3", back, LineEditResult::Edited, "c = 3;"},
        {"c = 3;", back, LineEditResult::InPlace, ""},
        {"c = 35;", back, LineEditResult::NotThere, ""},
        {"c = 4;", back, LineEditResult::NotThere, ""},
    };
    for (const Case& c : cases) {
        LineEditResult result = LineEditResult::Edited;
        std::optional<std::string> edited =
            EditLine(c.line, 4, c.edit, "//", TextEncoding::Gbk, &result);
        EXPECT_EQ(result, c.result) << c.line;
        EXPECT_EQ(edited.value_or(""), c.after) << c.line;
    }
}

TEST(EditLine, AppliesAndTakesBackConstantsAndCalls) {
    struct Case {
        const char* before;
        std::size_t column;
        std::vector<std::string> columns;
        ListKind kind;
        const char* after;
    };
    const Case cases[] = {
        {"x = \"abc\";",
         4,
         {"105", kString, "abc", kReplace},
         ListKind::Constants,
         "x = GetValueStr(105);//\"abc\""},
        {"x = GetValueStr(105);//\"abc\"",
         4,
         {"105", kString, "abc", ""},
         ListKind::Constants,
         "x = \"abc\";"},
        {"n = 40;",
         4,
         {"203", kNumber, "40", kReplace},
         ListKind::Constants,
         "n = GetValueInt(203);//40"},
        {"n = GetValueInt(203);//40",
         4,
         {"203", kNumber, "40", ""},
         ListKind::Constants,
         "n = 40;"},
        {"MessageBox(h, s);",
         0,
         {"1", "MessageBox", "MessageBox_kx", kReplace},
         ListKind::Functions,
         "MessageBox_kx(h, s);//MessageBox"},
        {"MessageBox_kx(h, s);//MessageBox",
         0,
         {"1", "MessageBox", "MessageBox_kx", ""},
         ListKind::Functions,
         "MessageBox(h, s);"},
        // The index changed from 105 to 230 after the row was applied.
        {"x = GetValueStr(105);//\"abc\"",
         4,
         {"230", kString, "abc", kReplace},
         ListKind::Constants,
         "x = GetValueStr(230);//\"abc\"//GetValueStr(105)"},
        // A take-back that meets a call with another index restores the literal all the same.
        {"x = GetValueStr(999);//\"abc\"",
         4,
         {"105", kString, "abc", ""},
         ListKind::Constants,
         "x = \"abc\";"},
    };
    for (const Case& c : cases) {
        std::optional<std::string> after =
            EditLine(c.before, c.column, EditOf(c.kind, c.columns), "//");
        ASSERT_TRUE(after) << c.before;
        EXPECT_EQ(*after, c.after) << c.before;
    }
}

TEST(EditLine, TakeBackKeepsTheUsersOwnCommentOfTheSameText) {
    RowEdit apply = EditOf(ListKind::Constants, {"203", kNumber, "40", kReplace});
    RowEdit back = EditOf(ListKind::Constants, {"203", kNumber, "40", ""});
    const std::string original = "n = 40; //40 is the limit";
    std::optional<std::string> applied = EditLine(original, 4, apply, "//");
    ASSERT_TRUE(applied);
    EXPECT_EQ(*applied, "n = GetValueInt(203); //40 is the limit//40");
    std::optional<std::string> restored = EditLine(*applied, 4, back, "//");
    ASSERT_TRUE(restored);
    EXPECT_EQ(*restored, original);

    // When something was added after the comment, the last copy is still the one removed.
    std::optional<std::string> edited =
        EditLine("n = GetValueInt(203); //40 a //40 b", 4, back, "//");
    ASSERT_TRUE(edited);
    EXPECT_EQ(*edited, "n = 40; //40 a  b");
}

TEST(FindLastCharAligned, NeverMatchesOnTheSecondByteOfAGbkCharacter) {
    // 0x81 0x52 is one character whose second byte is "R".
    EXPECT_EQ(FindLastCharAligned("REM x \x81REM", "REM"), 0u);
    EXPECT_EQ(FindLastCharAligned("\x81REM REM", "REM"), 5u);
    EXPECT_EQ(FindLastCharAligned("abc", ""), std::string_view::npos);
    EXPECT_EQ(FindLastCharAligned("ab", "abc"), std::string_view::npos);
    EXPECT_EQ(FindLastCharAligned("//4//4", "//4"), 3u);
}

TEST(CommentNames, GivesTheNamesThatTheCommentsAfterACallHold) {
    struct Case {
        const char* line;
        std::vector<std::string_view> names;
    };
    const Case cases[] = {
        {"n = strlen_kx(s);//strlen", {"strlen"}},
        {"n = strlen_kx(s); //strlen  ", {"strlen"}},
        {"n = strlen_kx(s);// see below//strlen", {"strlen"}},  // words are no name
        {"n = strlen_kx(s);//::strlen//_strlen", {"::strlen", "_strlen"}},
        {"n = strlen_kx(s);", {}},
        {"n = strlen_kx(s);//", {}},
        {"n = strlen_kx(s);//\"x\"", {}},
        {"// before//a\r n = strlen_kx(s);", {}},  // only after the call
    };
    for (const Case& c : cases) {
        const std::string_view line = c.line;
        const std::size_t from = line.find("strlen_kx") + 9;
        EXPECT_EQ(CommentNames(line, from, "//"), c.names) << c.line;
    }
    EXPECT_TRUE(CommentNames("a_kx();'a", 6, "").empty());
    EXPECT_TRUE(CommentStandsAfter("u = GetValueStr(7);//\"http://a\"", 18, "//\"http://a\""));
    EXPECT_FALSE(CommentStandsAfter("//\"a\" u = GetValueStr(7);", 10, "//\"a\""));
}

}  // namespace
}  // namespace korvexer
