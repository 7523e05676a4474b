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
    EXPECT_EQ(mixed.lines[0].end, LineEnd::LoneFirstByte);
    EXPECT_EQ(mixed.lines[1].end, LineEnd::Break);
    // With LF alone the CR stays at the end of the line.
    EXPECT_EQ(Lines(Split("a\r\nb", kLf)), (Lines_{"a\r", "b"}));
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
