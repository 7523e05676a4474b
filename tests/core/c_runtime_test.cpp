// SPDX-License-Identifier: MIT
// Tests of the C runtime stand-ins: number reading and the random generator.
#include <gtest/gtest.h>

#include "core/platform/c_number.h"
#include "core/platform/ms_random.h"

namespace korvexer {
namespace {

TEST(CAtoi, ReadsAsTheCRuntimeDoes) {
    EXPECT_EQ(CAtoi(""), 0);
    EXPECT_EQ(CAtoi("abc"), 0);
    EXPECT_EQ(CAtoi("  \t42abc"), 42);
    EXPECT_EQ(CAtoi("-17"), -17);
    EXPECT_EQ(CAtoi("+8"), 8);
    EXPECT_EQ(CAtoi("0x1F"), 0);
    EXPECT_EQ(CAtoi("12:8"), 12);
    EXPECT_EQ(CAtoi("4294967297"), 1);  // wraps at 32 bits
}

TEST(MsRandom, MatchesTheOriginalRuntimeSequence) {
    // The first values the original runtime gives after srand(1), and after srand(12345).
    MsRandom random(1);
    EXPECT_EQ(random.Next(), 41);
    EXPECT_EQ(random.Next(), 18467);
    EXPECT_EQ(random.Next(), 6334);
    random.Seed(12345);
    EXPECT_EQ(random.Next(), 7584);
    EXPECT_EQ(random.Next(), 19164);
}

}  // namespace
}  // namespace korvexer
