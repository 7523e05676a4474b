// SPDX-License-Identifier: MIT
// The plain walk: when it applies, the lines it hands out against the line model, and the needles
// it finds outside the comments.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/scanner/line_model.h"
#include "core/scanner/plain_walk.h"

namespace korvexer {
namespace {

constexpr LineBreak kLf{'\n', 0};
constexpr LineBreak kCrLf{'\r', '\n'};

TEST(PlainWalkFits, RefusesWhatCouldMoveABreakOrAMarker) {
    EXPECT_TRUE(PlainWalkFits("a := 1;\n{ c }\n", kLf, "{", "}"));
    // High bytes are fine where no break or marker follows one.
    EXPECT_TRUE(PlainWalkFits("s := '\xB0\xA1';\n{ \xB0\xA1 }\n", kLf, "{", "}"));
    // A lead byte may take the break, or a marker, as its second byte: where a run of lead bytes
    // before one is odd.
    EXPECT_FALSE(PlainWalkFits("s := 1; // \xB0\nt := 2;\n", kLf, "{", "}"));
    EXPECT_FALSE(PlainWalkFits("{ \xB0} t := 2;\n", kLf, "{", "}"));
    EXPECT_FALSE(PlainWalkFits("\xB0{ c }\n", kLf, "{", "}"));
    EXPECT_FALSE(PlainWalkFits("a\xB0\r\nb\r\n", kCrLf, "{", "}"));
    EXPECT_FALSE(PlainWalkFits("// \xE2\x80\x99\n", kLf, "{", "}"));  // 0x80 ends the run
    EXPECT_TRUE(PlainWalkFits("s := 1; // \xD6\xD0\xCE\xC4\nt := 2;\n", kLf, "{", "}"));
    EXPECT_TRUE(PlainWalkFits("{ \xB0\xA1} t := 2;\n\xB0\xA1{ c }\n", kLf, "{", "}"));
    EXPECT_TRUE(PlainWalkFits("// \xC3\xA9\n\x80\n", kLf, "{", "}"));
    // A marker with a high byte is left to the steps.
    EXPECT_FALSE(PlainWalkFits("a\n", kLf, "\xA1{", "}"));
    // A line long enough to be cut (the test takes no line near it), and a break of two equal
    // bytes.
    EXPECT_FALSE(PlainWalkFits(std::string(6000, 'a') + "\n", kLf, "{", "}"));
    const std::string longLine = std::string(2000, 'a') + "\n";
    EXPECT_TRUE(PlainWalkFits(longLine + longLine + longLine, kLf, "{", "}"));
    EXPECT_FALSE(PlainWalkFits("a\n\nb\n", {'\n', '\n'}, "{", "}"));
}

// Every line that holds a byte, asked for at each of its bytes in turn, is the line model's.
void ExpectLinesOfTheModel(const std::string& bytes, LineBreak lineBreak) {
    ASSERT_TRUE(PlainWalkFits(bytes, lineBreak, "{", "}"));
    LineModel model;
    model.bytes = bytes;
    SplitSourceLines(model, lineBreak);
    PlainWalk walk(bytes, lineBreak, "{", "}");
    for (std::size_t line = 0; line < model.LineCount(); ++line) {
        const LineSpan& expected = model.lines[line];
        for (std::size_t at = expected.offset; at < expected.offset + expected.length; ++at) {
            std::size_t index = 0;
            const LineSpan span = walk.LineAt(at, index);
            ASSERT_EQ(index, line) << "at " << at;
            ASSERT_EQ(span.offset, expected.offset) << "at " << at;
            ASSERT_EQ(span.length, expected.length) << "at " << at;
            ASSERT_EQ(span.end, expected.end) << "at " << at;
        }
    }
}

TEST(PlainWalk, HandsOutTheLinesOfTheLineModel) {
    // Sources of several batches of blocks, with empty lines, lone CRs and LFs, lines that cross
    // blocks and batches, and an end with or without a break.
    std::mt19937 random(5);
    const std::string pieces[] = {
        "a", "bc ", "\r", "\n", "\r\n", ":=", "x", std::string(70, 'y'), std::string(300, 'z')};
    for (int round = 0; round < 30; ++round) {
        std::string bytes;
        const std::size_t size = 100 + random() % 9000;
        while (bytes.size() < size) bytes += pieces[random() % std::size(pieces)];
        SCOPED_TRACE("round " + std::to_string(round));
        ExpectLinesOfTheModel(bytes, kLf);
        ExpectLinesOfTheModel(bytes, kCrLf);
    }
}

TEST(PlainWalk, FindsNeedlesOutsideTheCommentsOnly) {
    const std::string bytes =
        "a := 1 {b := 2}\n"  // 0: one outside, one inside
        "{ c\n"              // 16: a comment over three lines
        "d := 3\n"           // 20
        "} e := 4 {f}\n"     // 27: after its end, then a comment on one line
        "g {h} := 5\n";      // 40
    const std::vector<Needle> needles{{":="}};
    PlainWalk walk(bytes, kLf, "{", "}");
    walk.LookFor(needles);
    EXPECT_EQ(walk.NextNeedle(0), 2u);
    const std::size_t e = walk.NextNeedle(3);
    EXPECT_EQ(e, 31u);
    std::size_t index = 0;
    const LineSpan line = walk.LineAt(e, index);
    EXPECT_EQ(index, 3u);
    EXPECT_EQ(line.offset, 27u);
    // The line starts inside the comment passed over; the one after it does not.
    EXPECT_TRUE(walk.StartsInPassedComment(line.offset));
    EXPECT_FALSE(walk.StartsInPassedComment(40));
    EXPECT_EQ(walk.NextNeedle(39), 46u);
    EXPECT_EQ(walk.NextNeedle(47), std::string::npos);
}

TEST(PlainWalk, AnUnclosedCommentEndsTheSearch) {
    const std::string bytes = "a := 1\n{ b := 2\nc := 3\n";
    const std::vector<Needle> needles{{":="}};
    PlainWalk walk(bytes, kLf, "{", "}");
    walk.LookFor(needles);
    EXPECT_EQ(walk.NextNeedle(0), 2u);
    EXPECT_EQ(walk.NextNeedle(3), std::string::npos);
    // A line handed over that opens a comment: its end is searched for from the line's end.
    PlainWalk again(bytes, kLf, "{", "}");
    EXPECT_EQ(again.PastCommentEnd(15), std::string::npos);
}

}  // namespace
}  // namespace korvexer
