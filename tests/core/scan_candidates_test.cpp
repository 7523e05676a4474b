// SPDX-License-Identifier: MIT
// The plain walk passes over lines that cannot yield a row: its rows must be those of the exact
// walk, which hands every statement to the extractor, for every language, for languages whose
// operator or separator holds a blank and on every instruction set. Also the test of the bytes
// that rows need.
#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "core/language/language_defaults.h"
#include "core/platform/clock.h"
#include "core/scanner/buffer_scan.h"
#include "core/scanner/row_needles.h"
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

SourceEncoding ChoiceOf(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? SourceEncoding::Utf8 : SourceEncoding::Gbk;
}

// Every statement of `path` through the extractor, without passing over any line.
RowList RowsOfEveryStatement(const LanguageDefinition& language, const std::string& path,
                             ScanMode mode, TextEncoding encoding) {
    const FixedClock clock(1700000000);
    const StatementExtractor extractor(language, clock, encoding);
    LineModel model =
        LoadSourceLines(FileSystem::Real(), path, language.carryreturn, ChoiceOf(encoding));
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
            source += pick({"", " ", "\t", "  for "}) +
                      pick({"x", "y_kx", "\xB0\xA1", "a.b", "\xE4\xBD\xA0"});
            source += pick({" := ", "=", " = ", "\t:=\t", "\t=\t", " ", ":= ", "== "});
            source +=
                pick({"12",
                      "-7",
                      "'s'",
                      "\"s\"",
                      "'it''s'",
                      "\"a\\\"b\"",
                      "\"\xE4\xBD\xA0\\\"\xE5\xA5\xBD\"",  // UTF-8 characters beside an escape
                      "'\xE4\xBD\xA0'",
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
                            " // can't be replaced", "\t",
                            " // \xE4\xBD\xA0"
                            "can't be replaced",
                            " { \xE4\xBD\xA0}"});
        }
        source += random() % 5 == 0 ? "\n" : "\r\n";
    }
    // Without two-byte characters the comments are found across the lines, not line by line.
    if (plain)
        for (char& byte : source)
            if (static_cast<unsigned char>(byte) >= 0x80) byte = 'z';
    return source;
}

// The rows of `bytes` by the scan's walk `walk`.
RowList RowsOfScan(const LanguageDefinition& language, const std::string& path,
                   const std::string& bytes, ScanMode mode, ScanWalk walk,
                   block_kernels::InstructionSet set, TextEncoding encoding) {
    const FixedClock clock(1700000000);
    const StatementRules rules(language, encoding);
    const StatementExtractor extractor(language, clock, encoding);
    RowList rows;
    std::uint32_t counter = 1024;
    BufferScan(rules, extractor, mode, walk, set).Run(bytes, rows, path, counter);
    return rows;
}

TEST(BufferScan, ThePlainWalkGivesTheRowsOfTheExactWalk) {
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
    LanguageDefinition lfCpp = LoaderDefaults(0);
    lfCpp.carryreturn = {'\n', 0};
    languages.insert(languages.end(),
                     {spacedOperator, tabOperator, blankSeparator, noOperator, lfDelphi, lfCpp});

    test_support::TempDir dir;
    const std::string path = dir.File("source.txt");
    std::mt19937 random(7);
    std::size_t rowsSeen = 0;
    std::size_t plainWalks = 0;
    const FixedClock clock(1700000000);
    for (int round = 0; round < 80; ++round) {
        const std::string bytes = RandomSource(random, round % 2 == 0, round % 4 < 2 ? 0 : 300);
        test_support::WriteBytes(path, bytes);
        // The same bytes read as GBK and as UTF-8.
        const TextEncoding encoding = round % 3 == 0 ? TextEncoding::Utf8 : TextEncoding::Gbk;
        for (std::size_t l = 0; l < languages.size(); ++l) {
            for (ScanMode mode : {ScanMode::Constants, ScanMode::Calls}) {
                SCOPED_TRACE("round " + std::to_string(round) + ", language " + std::to_string(l) +
                             ", mode " + std::to_string(int(mode)));
                const RowList exact = RowsOfScan(languages[l], path, bytes, mode, ScanWalk::Exact,
                                                 block_kernels::InstructionSet::Portable, encoding);
                // The exact walk is the statement walker's, as the CLI shows it.
                ASSERT_EQ(Joined(exact),
                          Joined(RowsOfEveryStatement(languages[l], path, mode, encoding)));
                for (const block_kernels::InstructionSet set : block_kernels::Available()) {
                    SCOPED_TRACE(block_kernels::NameOf(set));
                    ASSERT_EQ(Joined(RowsOfScan(languages[l], path, bytes, mode, ScanWalk::Fastest,
                                                set, encoding)),
                              Joined(exact));
                }
                const StatementRules rules(languages[l], encoding);
                const StatementExtractor extractor(languages[l], clock, encoding);
                plainWalks += BufferScan(rules, extractor, mode).WalksPlainly(bytes);
                rowsSeen += exact.size();
            }
        }
    }
    // The sources are made to yield rows in every language, and most take the plain walk.
    EXPECT_GT(rowsSeen, 1000u);
    EXPECT_GT(plainWalks, 80u * 2 * languages.size() / 2);
}

TEST(NeedleCountsAt, OccurrencesWithTheirFollowers) {
    const std::string bytes = "a := 1\nb := c\n_f(x), y :=\t'z'\nd :=";
    auto all = [&](std::vector<Needle> needles, const std::string& in) {
        std::vector<std::size_t> found;
        for (std::size_t at = 0; at < in.size(); ++at)
            if (NeedleCountsAt(in, needles, at)) found.push_back(at);
        return found;
    };
    EXPECT_EQ(all({{":="}}, bytes), (std::vector<std::size_t>{2, 9, 23, 32}));
    // Only where a digit or a quote follows past blanks; nothing follows the last one.
    EXPECT_EQ(all({{":=", "0123456789'"}}, bytes), (std::vector<std::size_t>{2, 23}));
    EXPECT_EQ(all({{")"}, {"_"}, {","}}, bytes), (std::vector<std::size_t>{14, 18, 19}));
    // Needles with and without followers together; letters in either case where asked.
    EXPECT_EQ(all({{":=", "'"}, {"b"}}, bytes), (std::vector<std::size_t>{7, 23}));
    EXPECT_EQ(all({{"B"}}, bytes), std::vector<std::size_t>{});
    EXPECT_EQ(all({{":=", "'"}, {"B", "", true}, {"_F", "", true}}, bytes),
              (std::vector<std::size_t>{7, 14, 23}));
    EXPECT_EQ(all({{"zz"}}, bytes), std::vector<std::size_t>{});
    // A word that follows, in either case, and only whole.
    const std::string calls = "a := GetValueInt(1)\nb := gx\nc :=getvaluestr\nd := getval";
    EXPECT_EQ(all({{":=", "'", false, {"getvalue"}}}, calls), (std::vector<std::size_t>{2, 30}));
    EXPECT_EQ(all({}, bytes), std::vector<std::size_t>{});
}

}  // namespace
}  // namespace korvexer
