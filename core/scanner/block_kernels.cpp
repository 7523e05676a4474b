// SPDX-License-Identifier: MIT
// The block classifier's portable and SSE2 instances, the choice among the sets, and the pattern
// helpers. The AVX2 instance lives in block_kernels_avx2.cpp, compiled for AVX2 alone.
#include "core/scanner/block_kernels.h"

#include <algorithm>
#include <cstdlib>

#include "core/platform/bits.h"
#include "core/scanner/block_kernel_loop.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KORVEXER_SSE2 1
#endif

namespace korvexer::block_kernels {

#ifdef KORVEXER_AVX2_KERNELS
// block_kernels_avx2.cpp
bool ProcessorRunsAvx2();
bool ClassifyBlocksAvx2(const char* first, std::size_t blocks, const PairPattern* patterns,
                        const std::uint8_t* channels, std::size_t count, BlockClass* out);
void CountRunningBitsAvx2(const BlockClass* classes, std::size_t blocks, std::size_t channel,
                          std::size_t* counts);
#endif

namespace {

constexpr char kFold = 0x20;

// One byte a lane: the loop every build can run.
struct PortableVector {
    using Reg = unsigned char;
    static constexpr std::size_t kWidth = 1;
    static Reg Load(const char* at) { return static_cast<Reg>(*at); }
    static Reg Splat(char byte) { return static_cast<Reg>(byte); }
    static Reg Eq(Reg a, Reg b) { return a == b ? 0xFF : 0; }
    static Reg Or(Reg a, Reg b) { return static_cast<Reg>(a | b); }
    static Reg And(Reg a, Reg b) { return static_cast<Reg>(a & b); }
    static std::uint64_t Mask(Reg a) { return a >> 7; }
    static unsigned Count(std::uint64_t mask) { return bits::CountBits(mask); }
};

#ifdef KORVEXER_SSE2
struct Sse2Vector {
    using Reg = __m128i;
    static constexpr std::size_t kWidth = 16;
    static Reg Load(const char* at) { return _mm_loadu_si128(reinterpret_cast<const Reg*>(at)); }
    static Reg Splat(char byte) { return _mm_set1_epi8(byte); }
    static Reg Eq(Reg a, Reg b) { return _mm_cmpeq_epi8(a, b); }
    static Reg Or(Reg a, Reg b) { return _mm_or_si128(a, b); }
    static Reg And(Reg a, Reg b) { return _mm_and_si128(a, b); }
    static std::uint64_t Mask(Reg a) { return static_cast<std::uint16_t>(_mm_movemask_epi8(a)); }
    static unsigned Count(std::uint64_t mask) { return bits::CountBits(mask); }
};
#endif

std::vector<InstructionSet> FindAvailable() {
    std::vector<InstructionSet> found{InstructionSet::Portable};
#ifdef KORVEXER_SSE2
    found.push_back(InstructionSet::Sse2);
#endif
#ifdef KORVEXER_AVX2_KERNELS
    if (ProcessorRunsAvx2()) found.push_back(InstructionSet::Avx2);
#endif
    return found;
}

InstructionSet FindChosen() {
    const std::vector<InstructionSet>& sets = Available();
    if (const char* forced = std::getenv("KORVEXER_FORCE_ISA"))
        if (const std::optional<InstructionSet> named = SetNamed(forced))
            if (std::find(sets.begin(), sets.end(), *named) != sets.end()) return *named;
    return sets.back();
}

}  // namespace

const std::vector<InstructionSet>& Available() {
    static const std::vector<InstructionSet> sets = FindAvailable();
    return sets;
}

InstructionSet Chosen() {
    static const InstructionSet chosen = FindChosen();
    return chosen;
}

std::optional<InstructionSet> SetNamed(std::string_view name) {
    for (InstructionSet set :
         {InstructionSet::Portable, InstructionSet::Sse2, InstructionSet::Avx2})
        if (name == NameOf(set)) return set;
    return std::nullopt;
}

const char* NameOf(InstructionSet set) {
    switch (set) {
        case InstructionSet::Sse2:
            return "sse2";
        case InstructionSet::Avx2:
            return "avx2";
        default:
            return "portable";
    }
}

bool ClassifyBlocks(InstructionSet set, const char* first, std::size_t blocks,
                    const PairPattern* patterns, const std::uint8_t* channels, std::size_t count,
                    BlockClass* out) {
    switch (set) {
#ifdef KORVEXER_AVX2_KERNELS
        case InstructionSet::Avx2:
            return ClassifyBlocksAvx2(first, blocks, patterns, channels, count, out);
#endif
#ifdef KORVEXER_SSE2
        case InstructionSet::Sse2:
            return ClassifyBlocksWith<Sse2Vector>(first, blocks, patterns, channels, count, out);
#endif
        default:
            return ClassifyBlocksWith<PortableVector>(first, blocks, patterns, channels, count,
                                                      out);
    }
}

void CountRunningBits(InstructionSet set, const BlockClass* classes, std::size_t blocks,
                      std::size_t channel, std::size_t* counts) {
#ifdef KORVEXER_AVX2_KERNELS
    if (set == InstructionSet::Avx2) return CountRunningBitsAvx2(classes, blocks, channel, counts);
#else
    (void)set;
#endif
    CountRunningBitsWith<PortableVector>(classes, blocks, channel, counts);
}

PairPattern PairPatternOf(std::string_view text, bool foldCase) {
    const char fold = foldCase ? kFold : 0;
    return {static_cast<char>(text[0] | fold),
            static_cast<char>(text.size() > 1 ? text[1] | fold : 0), text.size() > 1, foldCase};
}

char PadByteFor(const std::vector<PairPattern>& patterns) {
    auto startsPattern = [&](char byte) {
        return std::any_of(patterns.begin(), patterns.end(), [&](const PairPattern& pattern) {
            return static_cast<char>(pattern.foldCase ? byte | kFold : byte) == pattern.first;
        });
    };
    char pad = 1;
    while (startsPattern(pad)) ++pad;
    return pad;
}

}  // namespace korvexer::block_kernels
