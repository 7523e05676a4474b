// SPDX-License-Identifier: MIT
// The sixty-four-byte block classifier behind the plain walk, for each instruction set this build
// and processor can run, and how the scan picks one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace korvexer::block_kernels {

// The start of a pattern of one or two bytes. With `foldCase`, `first` and `second` hold bit 0x20
// set and bytes are compared with that bit set.
struct PairPattern {
    char first;
    char second;
    bool hasSecond;
    bool foldCase;
};

enum class InstructionSet { Portable, Sse2, Avx2 };

// The sets this build and processor can run, the portable loop first and the fastest last.
const std::vector<InstructionSet>& Available();
// The set a scan uses: the one that the environment variable KORVEXER_FORCE_ISA names
// ("portable", "sse2" or "avx2") when it names an available one, else the fastest.
InstructionSet Chosen();
// The set of that name; nothing for another name.
std::optional<InstructionSet> SetNamed(std::string_view name);
const char* NameOf(InstructionSet set);

// The pattern of the first one or two bytes of `text`, which is not empty.
PairPattern PairPatternOf(std::string_view text, bool foldCase);
// A byte that starts none of `patterns`, folded or not, to pad a short block with.
char PadByteFor(const std::vector<PairPattern>& patterns);

// What the classifier tells of one block. A plain array, not std::array: the kernel of each
// instruction set is compiled for that set alone and must call no shared inline code.
constexpr std::size_t kChannels = 4;
struct BlockClass {
    std::uint64_t channels[kChannels];  // bit i: a pattern of the channel starts at byte i
    std::uint64_t leads;                // bit i: byte i is 0x81 or more, a GBK lead byte
};

// For each of the `blocks` blocks of 64 bytes from `first`, each with a byte after it, sets the
// mask of channel `channels[p]` (below kChannels) to the places where pattern p starts, ORed over
// the `count` patterns (channels without a pattern get zero), and marks the lead bytes. Returns
// whether any block holds a lead byte.
bool ClassifyBlocks(InstructionSet set, const char* first, std::size_t blocks,
                    const PairPattern* patterns, const std::uint8_t* channels, std::size_t count,
                    BlockClass* out);

// Running counts of the bits of channel `channel` over `blocks` classes: counts[b + 1] is
// counts[b] plus the bits set in classes[b].channels[channel]. counts[0] is the caller's.
void CountRunningBits(InstructionSet set, const BlockClass* classes, std::size_t blocks,
                      std::size_t channel, std::size_t* counts);

}  // namespace korvexer::block_kernels
