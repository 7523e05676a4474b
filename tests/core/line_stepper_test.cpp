// SPDX-License-Identifier: MIT
// The line stepper against the whole split: after any skip, the entry handed out next and its
// index are those of the line model.
#include "core/scanner/line_stepper.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

namespace korvexer {
namespace {

// Sources of plain lines, mostly, with two-byte characters, breaks as second bytes, lone CRs,
// runs of breaks and lines near the length limit here and there.
std::string RandomSource(std::mt19937& random) {
    const std::string pieces[] = {"abc",    "x := 1;", "\n", "\r\n",     "\r", "\xB0\xA1",
                                  "\xB0\n", "\n\n\n",  "  ", "\xA3\xAC", "."};
    std::string bytes;
    const std::size_t target = random() % 4 == 0 ? random() % 300 : random() % 30000;
    while (bytes.size() < target) {
        const std::string& piece = pieces[random() % std::size(pieces)];
        std::size_t repeat = 1;
        if (random() % 50 == 0) repeat = kSourceLineLimit / piece.size() - 3 + random() % 6;
        for (std::size_t r = 0; r < repeat; ++r) bytes += piece;
    }
    return bytes;
}

TEST(LineStepper, SkipsLandWhereTheSplitSays) {
    const LineBreak breaks[] = {{'\n', 0}, {'\r', '\n'}, {'\n', '\n'}};
    std::mt19937 random(1208);
    for (int round = 0; round < 300; ++round) {
        const LineBreak lineBreak = breaks[round % std::size(breaks)];
        LineModel model;
        model.bytes = RandomSource(random);
        SplitSourceLines(model, lineBreak);
        SplitSourceLinesCharByChar(model, lineBreak);  // the reference, walked by characters
        const std::vector<LineSpan> expected = model.lines;

        LineStepper stepper(model.bytes, lineBreak);
        std::size_t position = 0;
        while (true) {
            // Skip a random distance, sometimes none, sometimes far.
            position += random() % 3 == 0 ? 0 : random() % (random() % 5 == 0 ? 9000 : 200);
            stepper.SkipTo(position);
            std::size_t index = 0;
            while (index < expected.size() &&
                   std::size_t{expected[index].offset} + expected[index].length <= position)
                ++index;
            ASSERT_EQ(stepper.NextIndex(), index) << "round " << round << ", at " << position;
            LineSpan span;
            if (!stepper.Next(span)) {
                ASSERT_EQ(index, expected.size()) << "round " << round;
                break;
            }
            ASSERT_LT(index, expected.size()) << "round " << round;
            ASSERT_EQ(span.offset, expected[index].offset) << "round " << round;
            ASSERT_EQ(span.length, expected[index].length) << "round " << round;
            ASSERT_EQ(span.end, expected[index].end) << "round " << round;
            position = std::max<std::size_t>(position, span.offset + span.length);
        }
    }
}

}  // namespace
}  // namespace korvexer
