// SPDX-License-Identifier: MIT
// The scan passes over lines that cannot yield a row: its rows must be those of a walk that hands
// every statement to the extractor, for every language and for languages whose operator or
// separator holds a blank. Also the search for the bytes that rows need.
#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "core/language/language_defaults.h"
#include "core/platform/clock.h"
#include "core/scanner/needle_finder.h"
#include "core/scanner/source_scanner.h"
#include "core/scanner/statement_walker.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

std::vector<std::string> Joined(const RowList& rows) {
    std::vector<std::string> joined;
    for (const Row& row : rows.rows()) {
        std::string text;
        for (const std::string& column : row.columns) text += column + "|";
        joined.push_back(text + std::to_string(row.image));
    }
    return joined;
}

// Every statement of `path` through the extractor, without passing over any line.
RowList RowsOfEveryStatement(const LanguageDefinition& language, const std::string& path,
                             ScanMode mode) {
    const FixedClock clock(1700000000);
    const StatementExtractor extractor(language, clock);
    LineModel model = LoadSourceLines(FileSystem::Real(), path, language.carryreturn);
    StatementWalker walker(language, model);
    RowList rows;
    std::uint32_t counter = 1024;
    Statement statement;
    for (std::size_t i = 0; i < model.LineCount(); i = statement.line + 1) {
        if (!walker.Next(i, statement)) break;
        extractor.Extract(rows, statement, path, counter, mode);
    }
    return rows;
}

// Assignments and calls in the forms of several languages, with comments, markers, two-byte
// characters (unless `plain`) and stray pieces in between; some sources run over many blocks.
std::string RandomSource(std::mt19937& random, bool plain, int extraLines) {
    auto pick = [&](std::initializer_list<const char*> choices) {
        return std::string(choices.begin()[random() % choices.size()]);
    };
    // Lines whose only blank is a tab: the statement sees a space there.
    std::string source = "x=foo(a\tb;\r\nx\t=\t1;\r\n";
    // Half of the sources reach the statements of the languages that look for markers at once.
    if (random() % 2 == 0) source += "implementation\r\nprocedure P;\r\nsub Main\r\n";
    const int lines = 20 + static_cast<int>(random() % 60) + extraLines;
    for (int line = 0; line < lines; ++line) {
        if (random() % 6 == 0) {
            source += pick({"implementation", "procedure P;", "function F", "sub Main", "class C",
                            "var x", "end sub", "/* a", "*/", "{ a", "}", "} y := 2;", "*/ y = 2;",
                            "{ a } { b", "int n", "\t", ""});
            // A lead byte that takes the break or a comment's end as its second byte: such a
            // file is walked line by line.
            if (random() % 40 == 0)
                source += pick({" // \xB0", "{ \xB0} y := 3;", "/* \xB0*/ y = 3;"});
            // Whole characters before them leave the break and the comment's end as they are.
            if (random() % 20 == 0)
                source += pick({" // \xB0\xA1", "{ \xB0\xA1} y := 4;", "/* \xB0\xA1*/ y = 4;"});
        } else {
            source += pick({"", " ", "\t", "  for "}) + pick({"x", "y_kx", "\xB0\xA1", "a.b"});
            source += pick({" := ", "=", " = ", "\t:=\t", "\t=\t", " ", ":= ", "== "});
            source += pick({"12",
                            "-7",
                            "'s'",
                            "\"s\"",
                            "'it''s'",
                            "\"a\\\"b\"",
                            "0x1F",
                            "$1F",
                            "&H1F",
                            "GetValueInt(123)",
                            "getvaluestr (456)",
                            "foo(a, b)",
                            "bar_kx (1)",
                            "Baz_KX",
                            "return baz(1)",
                            "\xB0\xA1(2)",
                            "'\xA3\xA9'",
                            "f(g(1)",
                            "x, y",
                            "1 to 9",
                            "foo(a\tb",
                            "foo(a b",
                            "\"a/*b*/c\"",
                            "'a{b}c'",
                            "{ c } 5",
                            "/* c */ 5",
                            "/* c */ \"d\""});
            source += pick({";", "", " ;", ";;"});
            source += pick({"", "", " // c", " 'c", " && c", " { c }", " /* c */", " { c", " /* c",
                            " // can't be replaced", "\t"});
        }
        source += random() % 5 == 0 ? "\n" : "\r\n";
    }
    // Without two-byte characters the comments are found across the lines, not line by line.
    if (plain)
        for (char& byte : source)
            if (static_cast<unsigned char>(byte) >= 0x80) byte = 'z';
    return source;
}

TEST(ScanFile, PassesOverOnlyLinesThatYieldNoRow) {
    std::vector<LanguageDefinition> languages;
    for (std::int32_t base = 0; base < 7; ++base) languages.push_back(LoaderDefaults(base));
    LanguageDefinition spacedOperator = LoaderDefaults(0);
    spacedOperator.setvalue = " = ";
    LanguageDefinition tabOperator = LoaderDefaults(3);
    tabOperator.setvalue = "\t:=";
    LanguageDefinition blankSeparator = LoaderDefaults(0);
    blankSeparator.separator = ' ';
    LanguageDefinition noOperator = LoaderDefaults(0);
    noOperator.setvalue = "";
    LanguageDefinition lfDelphi = LoaderDefaults(3);
    lfDelphi.carryreturn = {'\n', 0};
    languages.insert(languages.end(),
                     {spacedOperator, tabOperator, blankSeparator, noOperator, lfDelphi});

    test_support::TempDir dir;
    const std::string path = dir.File("source.txt");
    std::mt19937 random(7);
    const FixedClock clock(1700000000);
    std::size_t rowsSeen = 0;
    for (int round = 0; round < 80; ++round) {
        test_support::WriteBytes(path,
                                 RandomSource(random, round % 2 == 0, round % 4 < 2 ? 0 : 300));
        for (std::size_t l = 0; l < languages.size(); ++l) {
            for (ScanMode mode : {ScanMode::Constants, ScanMode::Calls}) {
                const SourceScanner scanner(FileSystem::Real(), languages[l], clock);
                RowList rows;
                std::uint32_t counter = 1024;
                ASSERT_TRUE(scanner.ScanFile(rows, path, counter, mode));
                const RowList expected = RowsOfEveryStatement(languages[l], path, mode);
                ASSERT_EQ(Joined(rows), Joined(expected))
                    << "round " << round << ", language " << l << ", mode " << int(mode);
                rowsSeen += rows.size();
            }
        }
    }
    EXPECT_GT(rowsSeen, 1000u);  // the sources are made to yield rows in every language
}

TEST(NeedleFinder, FindsOccurrencesInOrderWithTheirFollowers) {
    const std::string bytes = "a := 1\nb := c\n_f(x), y :=\t'z'\nd :=";
    auto all = [&](std::vector<Needle> needles) {
        NeedleFinder finder(bytes, std::move(needles));
        std::vector<std::size_t> found;
        for (std::size_t at = finder.Next(0); at != std::string::npos; at = finder.Next(at + 1))
            found.push_back(at);
        return found;
    };
    EXPECT_EQ(all({{":="}}), (std::vector<std::size_t>{2, 9, 23, 32}));
    // Only where a digit or a quote follows past blanks; nothing follows the last one.
    EXPECT_EQ(all({{":=", "0123456789'"}}), (std::vector<std::size_t>{2, 23}));
    EXPECT_EQ(all({{")"}, {"_"}, {","}}), (std::vector<std::size_t>{14, 18, 19}));
    // Needles with and without followers together; letters in either case where asked.
    EXPECT_EQ(all({{":=", "'"}, {"b"}}), (std::vector<std::size_t>{7, 23}));
    EXPECT_EQ(all({{"B"}}), std::vector<std::size_t>{});
    EXPECT_EQ(all({{":=", "'"}, {"B", "", true}, {"_F", "", true}}),
              (std::vector<std::size_t>{7, 14, 23}));
    EXPECT_EQ(all({{"zz"}, {""}}), std::vector<std::size_t>{});
    // A word that follows, in either case, and only whole.
    const std::string calls = "a := GetValueInt(1)\nb := gx\nc :=getvaluestr\nd := getval";
    NeedleFinder accessors(calls, {{":=", "'", false, {"getvalue"}}});
    EXPECT_EQ(accessors.Next(0), 2u);
    EXPECT_EQ(accessors.Next(3), 30u);
    EXPECT_EQ(accessors.Next(31), std::string::npos);
    EXPECT_EQ(all({}), std::vector<std::size_t>{});
}

}  // namespace
}  // namespace korvexer
