// SPDX-License-Identifier: MIT
// The sixty-four-byte block classifiers behind ByteScanner and PatternScanner, one for each
// instruction set, for the scanners to pick the best of and for tests to compare.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace korvexer {

// Bit i of `matches` is set when byte i of a block equals the byte looked for; bit i of `highs`
// when byte i is 0x80 or more. Bits past the block's end are clear.
struct BlockMasks {
    std::uint64_t matches = 0;
    std::uint64_t highs = 0;
};

namespace block_kernels {

// The start of a pattern of one or two bytes. With `foldCase`, `first` and `second` hold bit 0x20
// set and bytes are compared with that bit set.
struct PairPattern {
    char first;
    char second;
    bool hasSecond;
    bool foldCase;
};

enum class InstructionSet { Portable, Sse2, Avx2 };

// The sets this build and processor can run, the portable loop first.
const std::vector<InstructionSet>& Available();
// The fastest of them.
InstructionSet Best();

// The masks of the 64 bytes at `block` for `byte`.
BlockMasks ByteMasks(InstructionSet set, const char* block, char byte);
// Bit i is set where one of the `count` patterns starts at byte i of the 64 bytes at `block`.
// Reads block[64] as the byte after the last.
std::uint64_t PatternMatches(InstructionSet set, const char* block, const PairPattern* patterns,
                             std::size_t count);

// The pattern of the first one or two bytes of `text`, which is not empty.
PairPattern PairPatternOf(std::string_view text, bool foldCase);
// A byte that starts none of `patterns`, folded or not, to pad a short block with.
char PadByteFor(const std::vector<PairPattern>& patterns);

// The masks that ClassifyBlocks gives each block, one for each channel.
constexpr std::size_t kChannels = 4;
using ChannelMasks = std::array<std::uint64_t, kChannels>;

// For each of the `blocks` blocks of 64 bytes from `first`, each with a byte after it, sets the
// mask of channel `channels[p]` (below kChannels) to the places where pattern p starts, ORed over
// the `count` patterns; channels without a pattern get zero.
void ClassifyBlocks(InstructionSet set, const char* first, std::size_t blocks,
                    const PairPattern* patterns, const std::uint8_t* channels, std::size_t count,
                    ChannelMasks* out);

// Running counts of the bits of channel `channel` over `blocks` masks: counts[b + 1] is counts[b]
// plus the bits set in masks[b][channel]. counts[0] is the caller's.
void CountRunningBits(InstructionSet set, const ChannelMasks* masks, std::size_t blocks,
                      std::size_t channel, std::size_t* counts);

}  // namespace block_kernels
}  // namespace korvexer
