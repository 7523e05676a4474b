// SPDX-License-Identifier: MIT
// Tests of the line model: line breaks, the read limit and the line-length limit at its boundaries.
#include "core/scanner/line_model.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace korvexer {
namespace {

constexpr LineBreak kCrLf{'\r', '\n'};
constexpr LineBreak kLf{'\n', 0};
constexpr LineBreak kNone{0, 0};

LineModel Split(std::string bytes, LineBreak lineBreak = kCrLf) {
    LineModel model;
    model.bytes = std::move(bytes);
    SplitSourceLines(model, lineBreak);
    return model;
}

std::vector<std::string> Lines(const LineModel& model) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < model.LineCount(); ++i) lines.emplace_back(model.Line(i));
    return lines;
}

using Lines_ = std::vector<std::string>;

TEST(SplitSourceLines, LineBreaks) {
    EXPECT_EQ(Lines(Split("a\r\nb\r\n")), (Lines_{"a", "b"}));
    EXPECT_EQ(Lines(Split("a\r\nb")), (Lines_{"a", "b"}));
    EXPECT_EQ(Lines(Split("")), Lines_{});
    EXPECT_EQ(Lines(Split("\r\n\r\n")), (Lines_{"", ""}));
    // With CR LF a lone CR ends a line too, while a lone LF stays inside it.
    LineModel mixed = Split("a\rb\nc\r\n");
    EXPECT_EQ(Lines(mixed), (Lines_{"a", "b\nc"}));
    EXPECT_EQ(mixed.lines[0].end, LineEnd::Break);
    EXPECT_FALSE(mixed.otherBreak);
    // A CR LF pair is one break under LF and under CR alone too; a lone CR stays inside a line
    // that breaks at LF.
    EXPECT_EQ(Lines(Split("a\r\nb\rc\n", kLf)), (Lines_{"a", "b\rc"}));
    EXPECT_EQ(Lines(Split("a\r\nb\nc\r", {'\r', 0})), (Lines_{"a", "b\nc"}));
    // A CR that is the second byte of a character belongs to it, not to the break.
    EXPECT_EQ(Lines(Split("a\xB0\r\nb", kLf)), (Lines_{"a\xB0\r", "b"}));
    // A file that holds none of the language's break byte is split at the one it holds, and
    // says so.
    EXPECT_EQ(Lines(Split("a\nb\n", kCrLf)), (Lines_{"a", "b"}));
    EXPECT_TRUE(Split("a\nb\n", kCrLf).otherBreak);
    EXPECT_TRUE(Split("a\rb\r", kLf).otherBreak);
    EXPECT_EQ(Lines(Split("a\rb\r", kLf)), (Lines_{"a", "b"}));
    EXPECT_FALSE(Split("ab", kLf).otherBreak);
    // With no line break only zero bytes (and the length limit) end lines.
    EXPECT_EQ(Lines(Split(std::string("a\r\nb\0c", 6), kNone)), (Lines_{"a\r\nb", "c"}));
}

TEST(SplitSourceLines, LengthLimitBoundaries) {
    LineModel plain = Split(std::string(6000, 'x'));
    ASSERT_EQ(plain.LineCount(), 2u);
    EXPECT_EQ(plain.Line(0).size(), 5120u);
    EXPECT_EQ(plain.Line(1).size(), 880u);
    EXPECT_EQ(plain.lines[0].end, LineEnd::Cut);
    EXPECT_FALSE(plain.IsWhole());

    // A closing mark after the 5,120th byte stays on the first line.
    LineModel mark = Split(std::string(5120, 'x') + "\xA1\xA3" + "more");
    EXPECT_EQ(mark.Line(0).size(), 5122u);
    EXPECT_EQ(mark.Line(1), "more");
    LineModel comma = Split(std::string(5120, 'x') + ",more");
    EXPECT_EQ(comma.Line(0).size(), 5121u);

    // A two-byte character that would pass the limit starts the next line.
    LineModel chinese = Split(std::string(5119, 'x') + "\xB0\xA1" + "y");
    EXPECT_EQ(chinese.Line(0).size(), 5119u);
    EXPECT_EQ(chinese.Line(1), "\xB0\xA1y");
    // ... unless it is a closing mark.
    LineModel closing = Split(std::string(5119, 'x') + "\xA1\xA3" + "y");
    EXPECT_EQ(closing.Line(0).size(), 5121u);
    // A line of exactly 5,120 bytes followed by its break is one whole line.
    LineModel exact = Split(std::string(5120, 'x') + "\r\nz");
    EXPECT_EQ(Lines(exact), (Lines_{std::string(5120, 'x'), "z"}));
    EXPECT_TRUE(exact.IsWhole());
}

TEST(SplitSourceLines, Utf8CutsNeverSplitACharacter) {
    auto split = [](const std::string& bytes) {
        LineModel model;
        model.bytes = bytes;
        model.encoding = TextEncoding::Utf8;
        SplitSourceLines(model, kLf);
        return model;
    };
    const std::string ni = "\xE4\xBD\xA0";  // three bytes
    // A character that would pass the limit starts the next line, wherever it would be cut.
    for (std::size_t before : {5118u, 5119u}) {
        LineModel model = split(std::string(before, 'x') + ni + "y");
        ASSERT_EQ(model.LineCount(), 2u) << before;
        EXPECT_EQ(model.Line(0).size(), before) << before;
        EXPECT_EQ(model.Line(1), ni + "y") << before;
    }
    // The closing marks in their UTF-8 forms stay on the line: after the limit, and in place of
    // a character that does not fit.
    const std::string fullStop = "\xE3\x80\x82";  // 。
    EXPECT_EQ(split(std::string(5120, 'x') + fullStop + "z").Line(0).size(), 5123u);
    EXPECT_EQ(split(std::string(5119, 'x') + fullStop + "z").Line(0).size(), 5122u);
    EXPECT_EQ(split(std::string(5117, 'x') + fullStop + "z").Line(1), "z");
    // A high byte never takes the break: an odd run ends its line as any character does.
    EXPECT_EQ(Lines(split("a\xE4\xBD\nb")), (Lines_{"a\xE4\xBD", "b"}));
}

TEST(SplitSourceLines, LeadByteAtTheEnd) {
    EXPECT_EQ(Lines(Split("ab\x81")), (Lines_{"ab\x81"}));
    // A lead byte swallows the byte after it, even a line break byte.
    EXPECT_EQ(Lines(Split("a\x81\r\nb")), (Lines_{"a\x81\r\nb"}));
    EXPECT_EQ(Lines(Split("a\x81\r\r\nb")), (Lines_{"a\x81\r", "b"}));
}

TEST(LoadSourceLines, ReadLimitAndUnreadableFiles) {
    test_support::TempDir dir;
    test_support::WriteBytes(dir.File("big"), std::string(600000, 'x'));
    LineModel big = LoadSourceLines(FileSystem::Real(), dir.File("big"), kCrLf);
    EXPECT_EQ(big.bytes.size(), 512000u);
    EXPECT_FALSE(big.complete);
    test_support::WriteBytes(dir.File("limit"), std::string(512000, 'x'));
    EXPECT_TRUE(LoadSourceLines(FileSystem::Real(), dir.File("limit"), kCrLf).complete);

    LineModel missing = LoadSourceLines(FileSystem::Real(), dir.File("missing"), kCrLf);
    EXPECT_EQ(missing.LineCount(), 0u);
    EXPECT_TRUE(missing.readError.has_value());
    LineModel folder = LoadSourceLines(FileSystem::Real(), dir.path(), kCrLf);
    EXPECT_EQ(folder.LineCount(), 0u);
    EXPECT_TRUE(folder.readError.has_value());
}

TEST(IsClosingPunctuation, WidthsAndMarks) {
    EXPECT_TRUE(IsClosingPunctuation(";x").isClosing);
    EXPECT_FALSE(IsClosingPunctuation("(x").isClosing);
    EXPECT_EQ(IsClosingPunctuation("\xA3\xAC").width, 2);
    EXPECT_TRUE(IsClosingPunctuation("\xA3\xAC").isClosing);
    EXPECT_FALSE(IsClosingPunctuation("\xB0\xA1").isClosing);
    EXPECT_EQ(IsClosingPunctuation("\xA1").width, 2);
    EXPECT_FALSE(IsClosingPunctuation("\xA1").isClosing);
    EXPECT_FALSE(IsClosingPunctuation(std::string(1, '\0')).isClosing);
}

}  // namespace
}  // namespace korvexer
