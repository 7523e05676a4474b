// SPDX-License-Identifier: MIT
// The plain walk: when it applies, the lines it hands out against the line model, and the needles
// it finds outside the comments.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/scanner/comment_blanker.h"
#include "core/scanner/line_model.h"
#include "core/scanner/plain_walk.h"

namespace korvexer {
namespace {

constexpr LineBreak kLf{'\n', 0};
constexpr LineBreak kCrLf{'\r', '\n'};

// Whether a plain walk that looks for ":=" fits `bytes`.
bool PlainWalkFits(std::string_view bytes, LineBreak lineBreak, const std::string& begin,
                   const std::string& end) {
    static const std::vector<Needle> needles{{":="}};
    return PlainWalkCheck(lineBreak, begin, end, needles, {})
        .Fits(bytes, BreakRuleFor(lineBreak, bytes), TextEncoding::Gbk);
}

TEST(PlainWalkCheck, RefusesWhatCouldMoveABreakOrAMarker) {
    EXPECT_TRUE(PlainWalkFits("a := 1;\n{ c }\n", kLf, "{", "}"));
    // Lead bytes never keep the walk off: its masks tell where one takes the break or a marker as
    // its second byte.
    EXPECT_TRUE(PlainWalkFits("s := '\xB0\xA1';\n{ \xB0\xA1 }\n", kLf, "{", "}"));
    EXPECT_TRUE(PlainWalkFits("s := 1; // \xB0\nt := 2;\n", kLf, "{", "}"));
    EXPECT_TRUE(PlainWalkFits("{ \xB0} t := 2;\n\xB0{ c }\n", kLf, "{", "}"));
    EXPECT_TRUE(PlainWalkFits("a\xB0\r\nb\r\n", kCrLf, "{", "}"));
    // A marker with a high byte, or of more than two bytes, is left to the exact walk; so are a
    // begin marker without an end marker, and the other way round.
    EXPECT_FALSE(PlainWalkFits("a\n", kLf, "\xA1{", "}"));
    EXPECT_FALSE(PlainWalkFits("a\n", kLf, "{{{", "}"));
    EXPECT_FALSE(PlainWalkFits("a\n", kLf, "{", ""));
    EXPECT_TRUE(PlainWalkFits("a\n", kLf, "", ""));
    // So are markers that overlap in the bytes, whichever comes first; apart they are fine.
    EXPECT_FALSE(PlainWalkFits("a /*/ b */\n", kLf, "/*", "*/"));
    EXPECT_FALSE(PlainWalkFits("/* a */*p = 1;\n", kLf, "/*", "*/"));
    EXPECT_TRUE(PlainWalkFits("/* a */ *p = 1; /**/\n", kLf, "/*", "*/"));
    EXPECT_FALSE(PlainWalkFits("(*)\n", kLf, "(*", "*)"));
    EXPECT_TRUE(PlainWalkFits("(*)\n", kLf, "(*", ")"));
    EXPECT_TRUE(PlainWalkFits("(* a *)\n", kLf, "(*", "*)"));
    EXPECT_FALSE(PlainWalkFits("a ' b\n", kLf, "'", "'"));
    EXPECT_TRUE(PlainWalkFits("a b\n", kLf, "'", "'"));
    // A line long enough to be cut (the test takes no line near it), also where the breaks in it
    // are second bytes; a break of two equal bytes, or from 0x80 up.
    EXPECT_FALSE(PlainWalkFits(std::string(6000, 'a') + "\n", kLf, "{", "}"));
    const std::string longLine = std::string(2000, 'a') + "\n";
    EXPECT_TRUE(PlainWalkFits(longLine + longLine + longLine, kLf, "{", "}"));
    const std::string hidden = std::string(2000, 'a') + "\xB0\n";
    EXPECT_FALSE(PlainWalkFits(hidden + hidden + hidden + "\n", kLf, "{", "}"));
    EXPECT_FALSE(PlainWalkFits("a\n\nb\n", {'\n', '\n'}, "{", "}"));
    EXPECT_FALSE(
        PlainWalkFits("a\xA1"
                      "b",
                      {0xA1, 0}, "{", "}"));
    // Of the needles: none to look for, or one that holds a break byte.
    const std::vector<Needle> none;
    EXPECT_FALSE(PlainWalkCheck(kLf, "{", "}", none, {})
                     .Fits("a\n", BreakRuleFor(kLf, "a\n"), TextEncoding::Gbk));
    const std::vector<Needle> breaking{{"a\nb"}};
    EXPECT_FALSE(PlainWalkCheck(kLf, "{", "}", breaking, {})
                     .Fits("a\n", BreakRuleFor(kLf, "a\n"), TextEncoding::Gbk));
    EXPECT_FALSE(PlainWalkCheck(kCrLf, "{", "}", {{"a"}}, {&breaking})
                     .Fits("a\r\n", BreakRuleFor(kCrLf, "a\r\n"), TextEncoding::Gbk));
}

// Every line that holds a byte, asked for at each of its bytes in turn, is the line model's.
void ExpectLinesOfTheModel(const std::string& bytes, LineBreak lineBreak) {
    ASSERT_TRUE(PlainWalkFits(bytes, lineBreak, "{", "}"));
    LineModel model;
    model.bytes = bytes;
    SplitSourceLines(model, lineBreak);
    for (const block_kernels::InstructionSet set : block_kernels::Available()) {
        SCOPED_TRACE(block_kernels::NameOf(set));
        PlainWalk walk(bytes, BreakRuleFor(lineBreak, bytes), "{", "}", TextEncoding::Gbk, set);
        for (std::size_t line = 0; line < model.LineCount(); ++line) {
            const LineSpan& expected = model.lines[line];
            for (std::size_t at = expected.offset; at < expected.offset + expected.length; ++at) {
                const PlainWalk::Line found = walk.LineAt(at);
                const LineSpan& span = found.span;
                ASSERT_EQ(found.index, line) << "at " << at;
                ASSERT_EQ(span.offset, expected.offset) << "at " << at;
                ASSERT_EQ(span.length, expected.length) << "at " << at;
                ASSERT_EQ(span.end, expected.end) << "at " << at;
            }
        }
    }
}

TEST(PlainWalk, HandsOutTheLinesOfTheLineModel) {
    // Sources of several batches of blocks, with empty lines, lone CRs and LFs, lines that cross
    // blocks and batches, and an end with or without a break.
    std::mt19937 random(5);
    const std::string pieces[] = {"a",
                                  "bc ",
                                  "\r",
                                  "\n",
                                  "\r\n",
                                  ":=",
                                  "x",
                                  std::string(70, 'y'),
                                  std::string(300, 'z'),
                                  "\xB0",
                                  "\xB0\xA1",
                                  "\x80"};
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
    PlainWalk walk(bytes, BreakRuleFor(kLf, bytes), "{", "}");
    walk.LookFor(needles);
    EXPECT_EQ(walk.NextNeedle(0), 2u);
    const std::size_t e = walk.NextNeedle(3);
    EXPECT_EQ(e, 31u);
    const PlainWalk::Line line = walk.LineAt(e);
    EXPECT_EQ(line.index, 3u);
    EXPECT_EQ(line.span.offset, 27u);
    // The line starts inside the comment from the lines before; the one after it does not.
    EXPECT_TRUE(line.startsInComment);
    EXPECT_EQ(walk.NextNeedle(39), 46u);
    EXPECT_FALSE(walk.LineAt(46).startsInComment);
    EXPECT_EQ(walk.NextNeedle(47), std::string::npos);
    // A needle on a begin marker is in the comment the marker begins.
    const std::vector<Needle> braces{{"{"}};
    PlainWalk onMarkers(bytes, BreakRuleFor(kLf, bytes), "{", "}");
    onMarkers.LookFor(braces);
    EXPECT_EQ(onMarkers.NextNeedle(0), std::string::npos);
}

TEST(PlainWalk, ANeedleCountsOnlyWholeWhereItsPatternMatches) {
    // A longer needle is matched by its first two bytes.
    const std::vector<Needle> words{{"abc"}};
    PlainWalk third("abx abc", BreakRuleFor(kLf, "abx abc"), "{", "}");
    third.LookFor(words);
    EXPECT_EQ(third.NextNeedle(0), 4u);
    // The last block is padded with a byte that starts no pattern, but may end one.
    const std::vector<Needle> needles{{std::string("a\x01")}, {"b"}};
    const std::string bytes = "b a\x01 xa";
    PlainWalk walk(bytes, BreakRuleFor(kLf, bytes), "{", "}");
    walk.LookFor(needles);
    EXPECT_EQ(walk.NextNeedle(0), 0u);
    EXPECT_EQ(walk.NextNeedle(1), 2u);
    EXPECT_EQ(walk.NextNeedle(3), std::string::npos);
}

TEST(PlainWalk, AnUnclosedCommentEndsTheSearch) {
    const std::string bytes = "a := 1\n{ b := 2\nc := 3\n";
    const std::vector<Needle> needles{{":="}};
    PlainWalk walk(bytes, BreakRuleFor(kLf, bytes), "{", "}");
    walk.LookFor(needles);
    EXPECT_EQ(walk.NextNeedle(0), 2u);
    EXPECT_EQ(walk.NextNeedle(3), std::string::npos);
}

// The needles the walk finds, and the lines it says start in a comment, against the blanker run
// over every line of the line model.
void ExpectCommentsOfTheBlanker(const std::string& bytes, LineBreak lineBreak,
                                const std::string& begin, const std::string& end) {
    LanguageDefinition language;
    language.multilinenote_begin = begin;
    language.multilinenote_end = end;
    LineModel model;
    model.bytes = bytes;
    SplitSourceLines(model, lineBreak);
    std::string blanked = bytes;
    CommentBlanker blanker(language, TextEncoding::Gbk);
    std::vector<bool> startsInside;
    for (const LineSpan& span : model.lines) {
        startsInside.push_back(blanker.inside());
        blanker.BlankLine(blanked, span);
    }
    const std::vector<Needle> needles{{"x="}};
    for (const block_kernels::InstructionSet set : block_kernels::Available()) {
        SCOPED_TRACE(block_kernels::NameOf(set));
        PlainWalk walk(bytes, BreakRuleFor(lineBreak, bytes), begin, end, TextEncoding::Gbk, set);
        walk.LookFor(needles);
        std::size_t from = 0;
        for (std::size_t at = blanked.find("x="); at != std::string::npos;
             at = blanked.find("x=", at + 1)) {
            ASSERT_EQ(walk.NextNeedle(from), at) << "from " << from;
            const PlainWalk::Line line = walk.LineAt(at);
            ASSERT_LT(line.index, model.LineCount());
            ASSERT_EQ(line.span.offset, model.lines[line.index].offset) << "line " << line.index;
            ASSERT_EQ(line.span.length, model.lines[line.index].length) << "line " << line.index;
            ASSERT_EQ(line.startsInComment, startsInside[line.index]) << "line " << line.index;
            from = at + 1;
        }
        EXPECT_EQ(walk.NextNeedle(from), std::string::npos);
    }
}

TEST(PlainWalk, FindsTheCommentsOfTheBlanker) {
    // Markers of one and two bytes, comments within a block and over blocks, batches and lines,
    // stray end markers, begin markers inside comments and a comment left open.
    const std::pair<std::string, std::string> markers[] = {
        {"{", "}"}, {"/*", "*/"}, {"(*", "*)"}, {"{", "*)"}, {"--", "**"}};
    std::mt19937 random(11);
    const std::string pieces[] = {
        "x=",   "x",        "=",    " ",           "\n", "\r\n", "{", "}",
        "/*",   "*/",       "(*",   "*)",          "--", "**",   "*", std::string(90, 'y'),
        "\xB0", "\xB0\xA1", "\x80", "\xFF\xFF\xFF"};
    int walked = 0;
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        const std::size_t size = 50 + random() % 6000;
        while (bytes.size() < size) bytes += pieces[random() % std::size(pieces)];
        for (const auto& [begin, end] : markers)
            for (const LineBreak lineBreak : {kLf, kCrLf}) {
                if (!PlainWalkFits(bytes, lineBreak, begin, end)) continue;
                SCOPED_TRACE("round " + std::to_string(round) + ", markers " + begin + " " + end);
                ExpectCommentsOfTheBlanker(bytes, lineBreak, begin, end);
                ++walked;
            }
    }
    // Overlapping markers send many of these sources to the steps, but not most.
    EXPECT_GT(walked, 1000);
}

}  // namespace
}  // namespace korvexer
