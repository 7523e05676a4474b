// SPDX-License-Identifier: MIT
// The block classifiers of every instruction set this machine runs give the plain loop's masks.
#include <gtest/gtest.h>

#include <bitset>
#include <random>
#include <string>
#include <vector>

#include "core/scanner/block_kernels.h"

namespace korvexer {
namespace {

namespace bk = block_kernels;

// Bytes drawn mostly from the few that the patterns look for, so that matches are dense, with
// high bytes and the case-folded variants among them.
std::string RandomBytes(std::mt19937& random, std::size_t size) {
    const std::string alphabet = ":=={}()_,\n\r IiMmPp\xB0\xA1\x80\xFF";
    std::string bytes(size, ' ');
    for (char& byte : bytes) byte = alphabet[random() % alphabet.size()];
    return bytes;
}

std::vector<bk::PairPattern> Patterns() {
    return {{':', '=', true, false},
            {'{', 0, false, false},
            {'i' | 0x20, 'm' | 0x20, true, true},
            {'\n', 0, false, false},
            {'(', '*', true, false},
            {'p', 'p', true, true},
            {'_', 0, false, false},
            {'\xB0', '\xA1', true, false},
            {',', 0, false, false}};
}

TEST(BlockKernels, EveryInstructionSetGivesThePortableMasks) {
    const std::vector<bk::InstructionSet>& sets = bk::Available();
    ASSERT_EQ(sets.front(), bk::InstructionSet::Portable);
    const std::vector<bk::PairPattern> patterns = Patterns();
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        const std::size_t blocks = 1 + random() % 40;
        const std::string bytes = RandomBytes(random, blocks * 64 + 1);
        const std::size_t count = 1 + random() % patterns.size();
        std::vector<std::uint8_t> channels(count);
        for (std::uint8_t& channel : channels)
            channel = static_cast<std::uint8_t>(random() % bk::kChannels);
        const char byte = bytes[random() % bytes.size()];

        std::vector<bk::ChannelMasks> expected(blocks);
        bk::ClassifyBlocks(bk::InstructionSet::Portable, bytes.data(), blocks, patterns.data(),
                           channels.data(), count, expected.data());
        for (bk::InstructionSet set : sets) {
            SCOPED_TRACE("round " + std::to_string(round) + ", set " +
                         std::to_string(static_cast<int>(set)));
            std::vector<bk::ChannelMasks> masks(blocks);
            bk::ClassifyBlocks(set, bytes.data(), blocks, patterns.data(), channels.data(), count,
                               masks.data());
            EXPECT_EQ(masks, expected);
            std::vector<std::size_t> counts(blocks + 1, round), expectedCounts(counts);
            for (std::size_t block = 0; block < blocks; ++block)
                expectedCounts[block + 1] =
                    expectedCounts[block] + std::bitset<64>(masks[block][1]).count();
            bk::CountRunningBits(set, masks.data(), blocks, 1, counts.data());
            EXPECT_EQ(counts, expectedCounts);
            for (std::size_t block = 0; block < blocks; ++block) {
                const char* at = bytes.data() + block * 64;
                EXPECT_EQ(
                    bk::PatternMatches(set, at, patterns.data(), count),
                    bk::PatternMatches(bk::InstructionSet::Portable, at, patterns.data(), count));
                const BlockMasks got = bk::ByteMasks(set, at, byte);
                const BlockMasks want = bk::ByteMasks(bk::InstructionSet::Portable, at, byte);
                EXPECT_EQ(got.matches, want.matches);
                EXPECT_EQ(got.highs, want.highs);
            }
        }
    }
}

TEST(BlockKernels, PortableMasksMarkWhereThePatternsStart) {
    // "a:=b{" then blanks: the pair at 1, the brace at 4; a pair needs its second byte, which for
    // the last byte is the one after the block.
    std::string bytes = "a:=b{" + std::string(58, ' ') + ":=";
    const bk::PairPattern patterns[] = {{':', '=', true, false}, {'{', 0, false, false}};
    const std::uint8_t channels[] = {1, 2};
    bk::ChannelMasks masks{};
    bk::ClassifyBlocks(bk::InstructionSet::Portable, bytes.data(), 1, patterns, channels, 2,
                       &masks);
    EXPECT_EQ(masks[0], 0u);
    EXPECT_EQ(masks[1], (std::uint64_t{1} << 1) | (std::uint64_t{1} << 63));
    EXPECT_EQ(masks[2], std::uint64_t{1} << 4);
    EXPECT_EQ(masks[3], 0u);
}

}  // namespace
}  // namespace korvexer
