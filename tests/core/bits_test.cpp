// SPDX-License-Identifier: MIT
// Tests of the mask helpers against a count bit by bit.
#include "core/platform/bits.h"

#include <gtest/gtest.h>

#include <random>

namespace korvexer {
namespace {

TEST(Bits, AgreeWithABitByBitCount) {
    std::mt19937_64 random(64);
    for (int round = 0; round < 2000; ++round) {
        // Sparse and dense masks, and the two ends.
        std::uint64_t mask = random();
        if (round % 3 == 0) mask &= random() & random();
        if (round == 0) mask = 1;
        if (round == 1) mask = std::uint64_t{1} << 63;
        if (round == 2) mask = ~std::uint64_t{0};
        if (mask == 0) continue;
        unsigned count = 0, lowest = 64, highest = 0;
        for (unsigned bit = 0; bit < 64; ++bit)
            if ((mask >> bit) & 1) {
                ++count;
                if (lowest == 64) lowest = bit;
                highest = bit;
            }
        EXPECT_EQ(bits::CountBits(mask), count) << mask;
        EXPECT_EQ(bits::LowestBit(mask), lowest) << mask;
        EXPECT_EQ(bits::HighestBit(mask), highest) << mask;
    }
    EXPECT_EQ(bits::CountBits(0), 0u);
}

}  // namespace
}  // namespace korvexer
