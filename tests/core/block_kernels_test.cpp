// SPDX-License-Identifier: MIT
// The block classifier of every instruction set this machine runs against a byte-by-byte reading
// of what it must mark.
#include <gtest/gtest.h>

#include <bitset>
#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/scanner/block_kernel_loop.h"
#include "core/scanner/block_kernels.h"

namespace korvexer {
namespace {

namespace bk = block_kernels;

// Bytes drawn mostly from the few that the patterns look for, so that matches are dense, with
// lead bytes, 0x80 and the case-folded variants among them.
std::string RandomBytes(std::mt19937& random, std::size_t size) {
    const std::string alphabet = ":=={}()_,\n\r IiMmPp\xB0\xA1\x80\x81\xFF\x7F";
    std::string bytes(size, ' ');
    for (char& byte : bytes) byte = alphabet[random() % alphabet.size()];
    return bytes;
}

// Patterns of one byte compared as they are (singles), and pairs, folded pairs and folded single
// bytes (the others).
std::vector<bk::PairPattern> Singles() {
    std::vector<bk::PairPattern> patterns;
    for (const char* text : {":", "{", "\n", "_", ",", "}", "\r", ")", "=", "\x80"})
        patterns.push_back(bk::PairPatternOf(text, false));
    return patterns;
}
std::vector<bk::PairPattern> Others() {
    return {bk::PairPatternOf(":=", false),       bk::PairPatternOf("im", true),
            bk::PairPatternOf("(*", false),       bk::PairPatternOf("pp", true),
            bk::PairPatternOf("\xB0\xA1", false), bk::PairPatternOf("*)", false),
            bk::PairPatternOf("i", true),         bk::PairPatternOf("__", false)};
}

bool StartsAt(const std::string& bytes, std::size_t at, const bk::PairPattern& pattern) {
    const char fold = pattern.foldCase ? 0x20 : 0;
    return static_cast<char>(bytes[at] | fold) == pattern.first &&
           (!pattern.hasSecond || static_cast<char>(bytes[at + 1] | fold) == pattern.second);
}

TEST(ClassifyBlocks, EverySetAndShapeMarksWhereEachPatternStartsAndTheLeadBytes) {
    const std::vector<bk::PairPattern> singles = Singles();
    const std::vector<bk::PairPattern> others = Others();
    std::set<std::size_t> shapesSeen;
    std::mt19937 random(11);
    // Every count of singles and others up to past the largest shape, in a random order.
    for (std::size_t singleCount = 0; singleCount <= bk::kMostSingles + 2; ++singleCount)
        for (std::size_t otherCount = 0; otherCount <= bk::kMostOthers + 2; ++otherCount)
            for (int round = 0; round < 4; ++round) {
                std::vector<bk::PairPattern> patterns(singles.begin(),
                                                      singles.begin() + singleCount);
                patterns.insert(patterns.end(), others.begin(), others.begin() + otherCount);
                std::shuffle(patterns.begin(), patterns.end(), random);
                shapesSeen.insert(bk::ShapeFor(singleCount, otherCount));
                const std::size_t count = patterns.size();
                const std::size_t blocks = 1 + random() % 40;
                const std::string bytes = RandomBytes(random, blocks * 64 + 1);
                std::vector<std::uint8_t> channels(count);
                for (std::uint8_t& channel : channels)
                    channel = static_cast<std::uint8_t>(random() % bk::kChannels);

                std::vector<bk::BlockClass> expected(blocks);
                for (std::size_t b = 0; b < blocks; ++b) {
                    expected[b] = {};
                    for (std::size_t i = 0; i < 64; ++i) {
                        const std::size_t at = 64 * b + i;
                        for (std::size_t p = 0; p < count; ++p)
                            if (StartsAt(bytes, at, patterns[p]))
                                expected[b].channels[channels[p]] |= std::uint64_t{1} << i;
                        if (static_cast<unsigned char>(bytes[at]) >= 0x81)
                            expected[b].leads |= std::uint64_t{1} << i;
                    }
                }
                for (bk::InstructionSet set : bk::Available()) {
                    SCOPED_TRACE(std::to_string(singleCount) + " singles, " +
                                 std::to_string(otherCount) + " others, set " + bk::NameOf(set));
                    // Garbage in the output that the classifier must overwrite.
                    std::vector<bk::BlockClass> classes(blocks, bk::BlockClass{{1, 2, 3, 4}, 5});
                    bk::ClassifyBlocks(set, bytes.data(), blocks, patterns.data(), channels.data(),
                                       count, classes.data());
                    for (std::size_t b = 0; b < blocks; ++b) {
                        for (std::size_t c = 0; c < bk::kChannels; ++c)
                            ASSERT_EQ(classes[b].channels[c], expected[b].channels[c])
                                << "block " << b << ", channel " << c;
                        ASSERT_EQ(classes[b].leads, expected[b].leads) << "block " << b;
                    }
                    std::vector<std::size_t> counts(blocks + 1, count), expectedCounts(counts);
                    for (std::size_t b = 0; b < blocks; ++b)
                        expectedCounts[b + 1] =
                            expectedCounts[b] + std::bitset<64>(classes[b].channels[1]).count();
                    bk::CountRunningBits(set, classes.data(), blocks, 1, counts.data());
                    EXPECT_EQ(counts, expectedCounts);
                }
            }
    // Every kernel made, and the loop past them.
    EXPECT_EQ(shapesSeen.size(), bk::kShapeCount + 1);
}

TEST(ClassifyBlocks, AvailableSetsAndTheirNames) {
    const std::vector<bk::InstructionSet>& sets = bk::Available();
    ASSERT_EQ(sets.front(), bk::InstructionSet::Portable);
    for (bk::InstructionSet set : sets) {
        EXPECT_EQ(bk::SetNamed(bk::NameOf(set)), set);
    }
    EXPECT_EQ(bk::SetNamed("neon"), std::nullopt);
    // The scan's choice is one of them: the forced one where the environment names one.
    EXPECT_NE(std::find(sets.begin(), sets.end(), bk::Chosen()), sets.end());
    if (const char* forced = std::getenv("KORVEXER_FORCE_ISA")) {
        const auto named = bk::SetNamed(forced);
        if (named && std::find(sets.begin(), sets.end(), *named) != sets.end()) {
            EXPECT_EQ(bk::Chosen(), *named);
        }
    }
}

}  // namespace
}  // namespace korvexer
