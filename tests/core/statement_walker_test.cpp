// SPDX-License-Identifier: MIT
// Tests of the statement rules: block comments, markers, declarations, comments, terminators.
#include "core/scanner/statement_walker.h"

#include <gtest/gtest.h>

#include "core/language/language_defaults.h"

namespace korvexer {
namespace {

// One statement as "LINE:COLUMN|TEXT|COMMENT", LINE counted from 1.
std::vector<std::string> Walk(const LanguageDefinition& language, std::string source) {
    LineModel model;
    model.bytes = std::move(source);
    SplitSourceLines(model, language.carryreturn);
    StatementWalker walker(language, model);
    std::vector<std::string> found;
    Statement statement;
    for (std::size_t i = 0; i < model.LineCount(); i = statement.line + 1) {
        if (!walker.Next(i, statement)) break;
        found.push_back(std::to_string(statement.line + 1) + ":" +
                        std::to_string(statement.column) + "|" + statement.text + "|" +
                        statement.comment);
    }
    return found;
}

using Found = std::vector<std::string>;

TEST(StatementWalker, CLikeDeclarationsMarkersAndTerminators) {
    const LanguageDefinition cpp = LoaderDefaults(0);
    EXPECT_EQ(Walk(cpp,
                   "const int N = 5;\r\n"
                   "static char s[] = \"x\";\r\n"
                   "#define M 3\r\n"
                   "x = 5; // can't be replaced\r\n"
                   "  x = 5; // five\r\n"
                   "a = 1;\r\n"
                   "t = \"abc\"; //\"abc\"\r\n"
                   "u = 42; //42;\r\n"),
              (Found{"5:2|x = 5| five", "6:0|a = 1|", "7:0|t = \"abc\"|abc", "8:0|u = 42|42"}));
    // A declaration word must be a whole element of the list, and followed by a space: a tab
    // does not end the first word.
    EXPECT_EQ(Walk(cpp, "r = 1;\r\nc = 2;\r\nstatic\tint x = 5;\r\nCONST y = 1;\r\n"),
              (Found{"1:0|r = 1|", "2:0|c = 2|", "3:0|static int x = 5|"}));
    // "for " needs no terminator; an unfinished statement is seen only through its last line.
    EXPECT_EQ(Walk(cpp, "for (i = 0; i < n; i++)\r\nfoo(a,\r\n    b);\r\nFor (;;)\r\n"),
              (Found{"1:0|for (i = 0; i < n; i++)|", "3:4|b)|"}));
    // A comment marker inside a literal cuts the line, which then lacks its terminator.
    EXPECT_EQ(Walk(cpp, "s = \"http://x\";\r\n"), Found{});
    // Tabs in the statement become spaces; the comment keeps its bytes.
    EXPECT_EQ(Walk(cpp, "\tx\t=\t1;\t//\ta\tb\r\n"), (Found{"1:1|x = 1|\ta\tb"}));
    // Blank and comment-only lines are no statements, and leave no comment behind.
    EXPECT_EQ(Walk(cpp, "// only\r\n   \r\ny = 2;\r\n"), (Found{"3:0|y = 2|"}));
}

TEST(StatementWalker, CLikeBlockComments) {
    const LanguageDefinition cpp = LoaderDefaults(0);
    EXPECT_EQ(Walk(cpp, "x = 5; /* note\r\nstill */ y = 6;\r\n"),
              (Found{"1:0|x = 5|", "2:9|y = 6|"}));
    EXPECT_EQ(Walk(cpp, "a = 1; /* one */ /* two */\r\nb /* c */ = 2;\r\n"),
              (Found{"1:0|a = 1|", "2:0|b         = 2|"}));
    // An unclosed comment blanks the rest of the file.
    EXPECT_EQ(Walk(cpp, "a = 1;\r\n/* open\r\nb = 2;\r\nc = 3;\r\n"), (Found{"1:0|a = 1|"}));
    // A comment that closes on a later line and opens another one there.
    EXPECT_EQ(Walk(cpp, "/*\r\nx = 1;\r\n*/ y = 2; /*\r\n*/ z = 3;\r\n"),
              (Found{"3:3|y = 2|", "4:3|z = 3|"}));
}

TEST(StatementWalker, BasicStartsAfterTheFirstMarkerLine) {
    const LanguageDefinition basic = LoaderDefaults(1);
    EXPECT_EQ(Walk(basic,
                   "Attribute VB_Name = \"Module1\"\r\n"
                   "x = 1\r\n"
                   "Public Sub Main()\r\n"
                   "    Dim s As String\r\n"
                   "    s = \"abc\" ' greeting\r\n"
                   "    ' only a comment\r\n"
                   "    MsgBox s, 0\r\n"
                   "End Sub\r\n"),
              (Found{"5:4|s = \"abc\"| greeting", "7:4|MsgBox s, 0|", "8:0|End Sub|"}));
    // Without a marker line the file has no statements.
    EXPECT_EQ(Walk(basic, "x = 1\r\ny = 2\r\n"), Found{});
}

TEST(StatementWalker, FoxProCommentsAndMarkers) {
    const LanguageDefinition fox = LoaderDefaults(2);
    EXPECT_EQ(Walk(fox,
                   "x = 1\r\n"
                   "PROCEDURE Main\r\n"
                   "  LOCAL n\r\n"
                   "  n = 'abc' && note\r\n"
                   "  && all comment\r\n"
                   "  DECLARE INTEGER GetTickCount IN kernel32\r\n"
                   "ENDPROC\r\n"),
              (Found{"3:2|LOCAL n|", "4:2|n = 'abc'| note", "7:0|ENDPROC|"}));
}

TEST(StatementWalker, DelphiSkipsTheInterfaceAndTheFirstHeader) {
    const LanguageDefinition delphi = LoaderDefaults(3);
    EXPECT_EQ(Walk(delphi,
                   "unit u;\r\n"
                   "interface\r\n"
                   "const k = 1;\r\n"
                   "x := 1;\r\n"
                   "Implementation\r\n"
                   "y := 2;\r\n"
                   "procedure TForm1.Go;\r\n"
                   "var i: integer;\r\n"
                   "begin\r\n"
                   "  i := $1F; { hex\r\n"
                   "  still comment }\r\n"
                   "  s := 'a'; // c\r\n"
                   "end;\r\n"
                   "function F: integer;\r\n"
                   "begin\r\n"
                   "  result := 3;\r\n"
                   "end;\r\n"),
              (Found{"10:2|i := $1F|", "12:2|s := 'a'| c", "13:0|end|", "16:2|result := 3|",
                     "17:0|end|"}));
    // A begin marker that is itself a function marker starts processing right after it.
    LanguageDefinition own = delphi;
    own.begindealmark = "procedure;";
    EXPECT_EQ(Walk(own, "a := 1;\r\nprocedure P;\r\nb := 2;\r\n"), (Found{"3:0|b := 2|"}));
    // No function marker after the begin marker: nothing is a statement.
    EXPECT_EQ(Walk(delphi, "implementation\r\nx := 1;\r\n"), Found{});
}

TEST(StatementWalker, MarkersStepOverSecondBytes) {
    // "\x95\x7B" is one two-byte character whose second byte is '{': no block comment opens.
    const LanguageDefinition delphi = LoaderDefaults(3);
    EXPECT_EQ(
        Walk(delphi, "implementation\r\nprocedure P;\r\ns := '\x95\x7B';\r\nt := 'b'; {c}\r\n"),
        (Found{"3:0|s := '\x95\x7B'|", "4:0|t := 'b'|"}));
    // The user marker counts only where it starts on a character of its own.
    const LanguageDefinition cpp = LoaderDefaults(0);
    EXPECT_EQ(Walk(cpp,
                   "a = 1; // \x95"
                   "can't be replaced\r\nb = 2; // can't be replaced\r\n"),
              (Found{"1:0|a = 1| \x95"
                     "can't be replaced"}));
    // A terminator that is a letter is not found in a second byte.
    LanguageDefinition own = LoaderDefaults(0);
    own.linendchar = 'Z';
    EXPECT_EQ(Walk(own, "a = 1Z\r\nb = \xB0Z\r\n"), (Found{"1:0|a = 1|"}));
}

}  // namespace
}  // namespace korvexer
