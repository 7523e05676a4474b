// SPDX-License-Identifier: MIT
// Tests of the scanner's fast paths: the line split against the character walk, space runs, the
// user marker search, the reverse search and block comments found across lines.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/language/language_defaults.h"
#include "core/scanner/line_model.h"
#include "core/scanner/source_text.h"
#include "core/scanner/statement_walker.h"

namespace korvexer {
namespace {

// Lines of `bytes` below the length limit, taken one character at a time: a lead byte takes the
// byte after it whatever it is, the break byte ends a line.
std::vector<std::string> SplitOneByOne(const std::string& bytes, char lineBreak) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (bytes[i] == lineBreak) {
            lines.push_back(line);
            line.clear();
            ++i;
        } else if (byte >= 0x81 && i + 1 < bytes.size()) {
            line.append(bytes, i, 2);
            i += 2;
        } else {
            line += bytes[i++];
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::vector<std::string> Split(const std::string& bytes, LineBreak lineBreak) {
    LineModel model;
    model.bytes = bytes;
    SplitSourceLines(model, lineBreak);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < model.LineCount(); ++i) lines.emplace_back(model.Line(i));
    return lines;
}

TEST(SplitSourceLines, StopBytesAtEveryPlaceOfAWord) {
    // A break, a lead byte (whose second byte may be the break byte itself) and 0x80, which is no
    // lead byte, put at every offset of lines around the eight-byte steps.
    const std::string specials[] = {"\n", "\xB0\xA1", "\xB0\n", "\x80", "\xFF\x41", "\n\n"};
    for (std::size_t length = 0; length <= 19; ++length) {
        for (std::size_t at = 0; at <= length; ++at) {
            for (const std::string& special : specials) {
                std::string bytes(length, 'a');
                bytes.insert(at, special);
                bytes += "\nlast";
                EXPECT_EQ(Split(bytes, {'\n', 0}), SplitOneByOne(bytes, '\n'))
                    << "length " << length << ", at " << at << ", special " << int(special[0]);
            }
        }
    }
}

TEST(SplitSourceLines, BreakBytesOtherThanLf) {
    // The word test looks for the break byte by value: CR, a letter, and zero.
    const char breaks[] = {'\r', 'q', '\0'};
    for (char lineBreak : breaks) {
        std::string bytes = "abcdefghij" + std::string(1, lineBreak) + "klmnopqrstuvw" +
                            std::string(1, lineBreak) + std::string(1, lineBreak) + "x";
        EXPECT_EQ(Split(bytes, {static_cast<unsigned char>(lineBreak), 0}),
                  SplitOneByOne(bytes, lineBreak))
            << int(lineBreak);
    }
}

// Random sources around the length limit agree with the character walk, entry by entry: breaks
// that are the second byte of a character, lone first bytes, cuts next to closing marks and
// two-byte characters, and break bytes that are themselves lead or trail bytes.
TEST(SplitSourceLines, AgreesWithTheCharacterWalk) {
    const LineBreak breaks[] = {{'\n', 0}, {'\r', '\n'}, {'q', 0}, {0xB0, 0}, {0xA3, 0xAC}};
    const std::string pieces[] = {"a",        "\n", "\r", "\r\n", "\xB0",  "\xB0\xA1",
                                  "\xA3\xAC", ".",  "q",  "\x80", "\xB0\n"};
    auto expectAgreement = [](const std::string& bytes, LineBreak lineBreak) {
        LineModel fast;
        fast.bytes = bytes;
        SplitSourceLines(fast, lineBreak);
        LineModel walked;
        walked.bytes = bytes;
        SplitSourceLinesCharByChar(walked, lineBreak);
        ASSERT_EQ(fast.LineCount(), walked.LineCount());
        for (std::size_t i = 0; i < fast.LineCount(); ++i) {
            ASSERT_EQ(fast.lines[i].offset, walked.lines[i].offset) << "entry " << i;
            ASSERT_EQ(fast.lines[i].length, walked.lines[i].length) << "entry " << i;
            ASSERT_EQ(fast.lines[i].end, walked.lines[i].end) << "entry " << i;
        }
    };
    std::mt19937 random(20261208);
    for (const LineBreak& lineBreak : breaks) {
        std::string breakBytes(1, static_cast<char>(lineBreak.first));
        if (lineBreak.second != 0) breakBytes += static_cast<char>(lineBreak.second);
        // Lines of about the limit's length, ending in a one- or two-byte character, before the
        // break (which may itself be a closing mark).
        for (std::size_t length = kSourceLineLimit - 3; length <= kSourceLineLimit + 2; ++length)
            for (const std::string tail : {"", "\xB0\xA1", "\xB0", "."}) {
                SCOPED_TRACE("length " + std::to_string(length) + ", tail " + tail);
                expectAgreement(std::string(length, 'a') + tail + breakBytes + "x", lineBreak);
            }
        for (int round = 0; round < 150; ++round) {
            std::string bytes;
            const std::size_t target = random() % 3 == 0 ? random() % 200 : random() % 24000;
            while (bytes.size() < target) {
                // Mostly runs of one piece, so that lines often end near the limit.
                const std::string& piece = pieces[random() % std::size(pieces)];
                const std::size_t repeat = random() % 4 == 0 ? random() % 6000 : 1;
                for (std::size_t r = 0; r < repeat; ++r) bytes += piece;
            }
            SCOPED_TRACE("round " + std::to_string(round));
            expectAgreement(bytes, lineBreak);
        }
    }
}

TEST(SourceText, SpaceRunsAndReverseSearch) {
    namespace st = source_text;
    struct Case {
        std::string text;
        std::size_t leading;
        std::string trimmedRight;
    };
    const Case cases[] = {
        {"", 0, ""},
        {std::string(8, ' '), 8, ""},
        {std::string(17, ' ') + "x" + std::string(9, ' '), 17, std::string(17, ' ') + "x"},
        {std::string(8, ' ') + "\t\r x\t" + std::string(8, ' '), 11,
         std::string(8, ' ') + "\t\r x"},
        {"x" + std::string(16, ' ') + "\x0b", 0, "x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(st::LeadingBlanks(c.text), c.leading) << "[" << c.text << "]";
        EXPECT_EQ(st::TrimRight(c.text), c.trimmedRight) << "[" << c.text << "]";
    }
    EXPECT_EQ(st::FindLastText("a := b := c", ":=", TextEncoding::Gbk), 7u);
    EXPECT_EQ(st::FindLastText(":=", ":=", TextEncoding::Gbk), 0u);
    EXPECT_EQ(st::FindLastText(":", ":=", TextEncoding::Gbk), st::npos);
    EXPECT_EQ(st::FindLastText("a == b =", "==", TextEncoding::Gbk), 2u);
    EXPECT_EQ(st::FindLastText("x = 1", "==", TextEncoding::Gbk), st::npos);
}

std::vector<std::string> Statements(const LanguageDefinition& language, const std::string& source) {
    LineModel model;
    model.bytes = source;
    SplitSourceLines(model, language.carryreturn);
    StatementWalker walker(language, model);
    std::vector<std::string> found;
    Statement statement;
    for (std::size_t i = 0; i < model.LineCount(); i = statement.line + 1) {
        if (!walker.Next(i, statement)) break;
        found.push_back(std::to_string(statement.line + 1) + ":" +
                        std::to_string(statement.column) + "|" + statement.text);
    }
    return found;
}

TEST(StatementWalker, UserMarkerFoundByItsApostrophe) {
    const LanguageDefinition cpp = LoaderDefaults(0);
    struct Case {
        std::string line;
        bool listed;
    };
    const Case cases[] = {
        {"x = 1; // can't be replaced", false},
        {"x = 1; // 'can't be replaced", false},
        {"x = 'can't be replaced';", false},
        {"x = 1; // can't", true},
        {"x = 1; // an't be replaced", true},
        {"x = 1; // can't be replace", true},
        // "\xB0" and "c" are one character: the marker does not start on a character.
        {"x = 1; // \xB0"
         "can't be replaced",
         true},
        {"x = 1; // \xB0\xA1"
         "can't be replaced",
         false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Statements(cpp, c.line + "\r\n").size(), c.listed ? 1u : 0u) << c.line;
}

TEST(StatementWalker, MarkerLineWordWithTrailingBlanks) {
    LanguageDefinition delphi = LoaderDefaults(3);
    delphi.carryreturn = {'\n', 0};
    // The marker word is followed by a tab and a space only: trimmed, the line is the word alone.
    EXPECT_EQ(Statements(delphi, "x := 1;\nimplementation\t \nprocedure P; \t\n  y := 2;\n"),
              (std::vector<std::string>{"4:2|y := 2"}));
    // A tab inside the trimmed line belongs to the first word, so this is no marker line.
    EXPECT_EQ(Statements(delphi, "implementation\t x\nprocedure P;\n  y := 2;\n"),
              std::vector<std::string>{});
}

TEST(BlankBlockComments, CommentsFoundAcrossManyLines) {
    LanguageDefinition cpp = LoaderDefaults(0);
    cpp.carryreturn = {'\n', 0};
    std::string source;
    for (int i = 0; i < 20; ++i)
        source += "a" + std::to_string(i) + " = " + std::to_string(i) + ";\n";
    source += "/* one\n";
    for (int i = 0; i < 20; ++i) source += "b = 1;\n";
    source += "*/ c = 2; /* two */ d = 3;\n/**/e = 4;\n";
    const std::vector<std::string> found = Statements(cpp, source);
    ASSERT_EQ(found.size(), 22u);
    EXPECT_EQ(found[19], "20:0|a19 = 19");
    EXPECT_EQ(found[20], "42:3|c = 2;" + std::string(11, ' ') + "d = 3");
    EXPECT_EQ(found[21], "43:4|e = 4");
}

}  // namespace
}  // namespace korvexer
