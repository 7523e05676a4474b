// SPDX-License-Identifier: MIT
// The block classifiers: a plain loop everywhere, SSE2 on every x86-64 build, and AVX2 where
// the compiler can target it for one function and the processor runs it.
#include "core/scanner/block_kernels.h"

#include <algorithm>
#include <utility>

#include "core/platform/bits.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KORVEXER_SSE2 1
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define KORVEXER_AVX2 1
#define KORVEXER_TARGET_AVX2 __attribute__((target("avx2")))
// Every processor with AVX2 has the population count instruction too.
#define KORVEXER_TARGET_POPCNT __attribute__((target("popcnt")))
#endif

namespace korvexer::block_kernels {

namespace {

constexpr std::size_t kBlock = 64;
constexpr char kFold = 0x20;

BlockMasks ByteMasksPortable(const char* block, char byte) {
    BlockMasks masks;
    for (std::size_t i = 0; i < kBlock; ++i) {
        masks.matches |= std::uint64_t{block[i] == byte} << i;
        masks.highs |= std::uint64_t{static_cast<unsigned char>(block[i]) >= 0x80} << i;
    }
    return masks;
}

std::uint64_t PatternMatchesPortable(const char* block, const PairPattern* patterns,
                                     std::size_t count) {
    std::uint64_t matches = 0;
    for (std::size_t p = 0; p < count; ++p) {
        const PairPattern& pattern = patterns[p];
        const char fold = pattern.foldCase ? kFold : 0;
        for (std::size_t i = 0; i < kBlock; ++i)
            if (static_cast<char>(block[i] | fold) == pattern.first &&
                (!pattern.hasSecond || static_cast<char>(block[i + 1] | fold) == pattern.second))
                matches |= std::uint64_t{1} << i;
    }
    return matches;
}

void ClassifyBlocksPortable(const char* first, std::size_t blocks, const PairPattern* patterns,
                            const std::uint8_t* channels, std::size_t count, ChannelMasks* out) {
    for (std::size_t b = 0; b < blocks; ++b) {
        out[b] = {};
        for (std::size_t p = 0; p < count; ++p)
            out[b][channels[p]] |= PatternMatchesPortable(first + kBlock * b, patterns + p, 1);
    }
}

#ifdef KORVEXER_SSE2
BlockMasks ByteMasksSse2(const char* block, char byte) {
    BlockMasks masks;
    const __m128i wanted = _mm_set1_epi8(byte);
    for (unsigned part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * part));
        const auto equal =
            static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted)));
        const auto high = static_cast<std::uint16_t>(_mm_movemask_epi8(bytes));
        masks.matches |= std::uint64_t{equal} << (16 * part);
        masks.highs |= std::uint64_t{high} << (16 * part);
    }
    return masks;
}

// Each sixteen bytes and the sixteen after them are loaded once for all patterns.
std::uint64_t PatternMatchesSse2(const char* block, const PairPattern* patterns,
                                 std::size_t count) {
    const __m128i fold = _mm_set1_epi8(kFold);
    std::uint64_t matches = 0;
    for (unsigned part = 0; part < 4; ++part) {
        const char* at = block + 16 * part;
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
        __m128i any = _mm_setzero_si128();
        for (std::size_t p = 0; p < count; ++p) {
            const PairPattern& pattern = patterns[p];
            const __m128i mask = pattern.foldCase ? fold : _mm_setzero_si128();
            __m128i equal = _mm_cmpeq_epi8(_mm_or_si128(bytes, mask), _mm_set1_epi8(pattern.first));
            if (pattern.hasSecond)
                equal = _mm_and_si128(
                    equal, _mm_cmpeq_epi8(_mm_or_si128(next, mask), _mm_set1_epi8(pattern.second)));
            any = _mm_or_si128(any, equal);
        }
        matches |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(any))} << (16 * part);
    }
    return matches;
}

// The bytes of N patterns, set up once for a whole search. A pattern of one byte compares its
// second byte as equal everywhere, so that every pattern takes the same steps.
template <std::size_t N>
struct HoistedSse2 {
    __m128i first[N], second[N], fold[N], anySecond[N];
};

template <std::size_t N>
void ClassifyBlocksSse2(const char* first, std::size_t blocks, const PairPattern* patterns,
                        const std::uint8_t* channels, ChannelMasks* out) {
    HoistedSse2<N> hoisted;
    for (std::size_t p = 0; p < N; ++p) {
        hoisted.first[p] = _mm_set1_epi8(patterns[p].first);
        hoisted.second[p] = _mm_set1_epi8(patterns[p].second);
        hoisted.fold[p] = _mm_set1_epi8(patterns[p].foldCase ? kFold : 0);
        hoisted.anySecond[p] = _mm_set1_epi8(patterns[p].hasSecond ? 0 : -1);
    }
    for (std::size_t b = 0; b < blocks; ++b) {
        std::uint64_t found[N] = {};
        for (unsigned part = 0; part < 4; ++part) {
            const char* at = first + kBlock * b + 16 * part;
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
            for (std::size_t p = 0; p < N; ++p) {
                const __m128i one =
                    _mm_cmpeq_epi8(_mm_or_si128(bytes, hoisted.fold[p]), hoisted.first[p]);
                const __m128i two = _mm_or_si128(
                    _mm_cmpeq_epi8(_mm_or_si128(next, hoisted.fold[p]), hoisted.second[p]),
                    hoisted.anySecond[p]);
                found[p] |= std::uint64_t{static_cast<std::uint16_t>(
                                _mm_movemask_epi8(_mm_and_si128(one, two)))}
                            << (16 * part);
            }
        }
        out[b] = {};
        for (std::size_t p = 0; p < N; ++p) out[b][channels[p]] |= found[p];
    }
}
#endif

#ifdef KORVEXER_AVX2
KORVEXER_TARGET_AVX2 BlockMasks ByteMasksAvx2(const char* block, char byte) {
    BlockMasks masks;
    const __m256i wanted = _mm256_set1_epi8(byte);
    for (unsigned part = 0; part < 2; ++part) {
        const __m256i bytes =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 32 * part));
        const auto equal =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, wanted)));
        const auto high = static_cast<std::uint32_t>(_mm256_movemask_epi8(bytes));
        masks.matches |= std::uint64_t{equal} << (32 * part);
        masks.highs |= std::uint64_t{high} << (32 * part);
    }
    return masks;
}

KORVEXER_TARGET_AVX2 std::uint64_t PatternMatchesAvx2(const char* block,
                                                      const PairPattern* patterns,
                                                      std::size_t count) {
    const __m256i fold = _mm256_set1_epi8(kFold);
    std::uint64_t matches = 0;
    for (unsigned part = 0; part < 2; ++part) {
        const char* at = block + 32 * part;
        const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
        const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 1));
        __m256i any = _mm256_setzero_si256();
        for (std::size_t p = 0; p < count; ++p) {
            const PairPattern& pattern = patterns[p];
            const __m256i mask = pattern.foldCase ? fold : _mm256_setzero_si256();
            __m256i equal =
                _mm256_cmpeq_epi8(_mm256_or_si256(bytes, mask), _mm256_set1_epi8(pattern.first));
            if (pattern.hasSecond)
                equal =
                    _mm256_and_si256(equal, _mm256_cmpeq_epi8(_mm256_or_si256(next, mask),
                                                              _mm256_set1_epi8(pattern.second)));
            any = _mm256_or_si256(any, equal);
        }
        matches |= std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(any))}
                   << (32 * part);
    }
    return matches;
}

template <std::size_t N>
struct HoistedAvx2 {
    __m256i first[N], second[N], fold[N], anySecond[N];
};

// ClassifyBlocks on AVX2 for S patterns of one byte compared as they are, first, and O patterns of
// any shape after them: the single bytes need one comparison each.
template <std::size_t S, std::size_t O>
KORVEXER_TARGET_AVX2 void ClassifyShapedAvx2(const char* first, std::size_t blocks,
                                             const PairPattern* patterns,
                                             const std::uint8_t* channels, ChannelMasks* out) {
    __m256i singles[S + (S == 0)];
    for (std::size_t p = 0; p < S; ++p) singles[p] = _mm256_set1_epi8(patterns[p].first);
    HoistedAvx2<O + (O == 0)> others;
    for (std::size_t p = 0; p < O; ++p) {
        const PairPattern& pattern = patterns[S + p];
        others.first[p] = _mm256_set1_epi8(pattern.first);
        others.second[p] = _mm256_set1_epi8(pattern.second);
        others.fold[p] = _mm256_set1_epi8(pattern.foldCase ? kFold : 0);
        others.anySecond[p] = _mm256_set1_epi8(pattern.hasSecond ? 0 : -1);
    }
    for (std::size_t b = 0; b < blocks; ++b) {
        std::uint64_t found[S + O + (S + O == 0)] = {};
        for (unsigned part = 0; part < 2; ++part) {
            const char* at = first + kBlock * b + 32 * part;
            const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
            for (std::size_t p = 0; p < S; ++p)
                found[p] |= std::uint64_t{static_cast<std::uint32_t>(
                                _mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, singles[p])))}
                            << (32 * part);
            if constexpr (O > 0) {
                const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 1));
                for (std::size_t p = 0; p < O; ++p) {
                    const __m256i one =
                        _mm256_cmpeq_epi8(_mm256_or_si256(bytes, others.fold[p]), others.first[p]);
                    const __m256i two = _mm256_or_si256(
                        _mm256_cmpeq_epi8(_mm256_or_si256(next, others.fold[p]), others.second[p]),
                        others.anySecond[p]);
                    found[S + p] |= std::uint64_t{static_cast<std::uint32_t>(
                                        _mm256_movemask_epi8(_mm256_and_si256(one, two)))}
                                    << (32 * part);
                }
            }
        }
        out[b] = {};
        for (std::size_t p = 0; p < S + O; ++p) out[b][channels[p]] |= found[p];
    }
}

// Runs ClassifyShapedAvx2<S, O> for the S and O given, when both are among the sequences'.
template <std::size_t S, std::size_t... Os>
bool RunShapedOthers(std::size_t others, std::index_sequence<Os...>, const char* first,
                     std::size_t blocks, const PairPattern* patterns, const std::uint8_t* channels,
                     ChannelMasks* out) {
    bool ran = false;
    ((others == Os && S + Os > 0
          ? (ClassifyShapedAvx2<S, Os>(first, blocks, patterns, channels, out), ran = true)
          : false),
     ...);
    return ran;
}

template <std::size_t... Ss>
bool RunShaped(std::size_t singles, std::size_t others, std::index_sequence<Ss...>,
               const char* first, std::size_t blocks, const PairPattern* patterns,
               const std::uint8_t* channels, ChannelMasks* out) {
    bool ran = false;
    ((singles == Ss ? (ran = RunShapedOthers<Ss>(others, std::make_index_sequence<5>{}, first,
                                                 blocks, patterns, channels, out))
                    : false),
     ...);
    return ran;
}

// Orders the patterns single bytes first and runs the kernel of their shape; false when there
// are too many of one kind for the kernels made.
bool ClassifyByShapeAvx2(const char* first, std::size_t blocks, const PairPattern* patterns,
                         const std::uint8_t* channels, std::size_t count, ChannelMasks* out) {
    constexpr std::size_t kMostSingles = 6;
    constexpr std::size_t kMostOthers = 4;
    if (count > kMostSingles + kMostOthers) return false;
    auto isSingle = [](const PairPattern& pattern) {
        return !pattern.hasSecond && !pattern.foldCase;
    };
    std::size_t singleCount = 0;
    for (std::size_t p = 0; p < count; ++p) singleCount += isSingle(patterns[p]);
    if (singleCount > kMostSingles || count - singleCount > kMostOthers) return false;
    PairPattern ordered[kMostSingles + kMostOthers];
    std::uint8_t orderedChannels[kMostSingles + kMostOthers];
    std::size_t placed = 0;
    for (const bool singlesFirst : {true, false})
        for (std::size_t p = 0; p < count; ++p) {
            if (isSingle(patterns[p]) != singlesFirst) continue;
            ordered[placed] = patterns[p];
            orderedChannels[placed] = channels[p];
            ++placed;
        }
    return RunShaped(singleCount, count - singleCount, std::make_index_sequence<kMostSingles + 1>{},
                     first, blocks, ordered, orderedChannels, out);
}

KORVEXER_TARGET_POPCNT void CountRunningBitsPopcnt(const ChannelMasks* masks, std::size_t blocks,
                                                   std::size_t channel, std::size_t* counts) {
    for (std::size_t b = 0; b < blocks; ++b)
        counts[b + 1] =
            counts[b] + static_cast<std::size_t>(__builtin_popcountll(masks[b][channel]));
}

bool ProcessorRunsAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}
#endif

}  // namespace

const std::vector<InstructionSet>& Available() {
    static const std::vector<InstructionSet> sets = [] {
        std::vector<InstructionSet> found{InstructionSet::Portable};
#ifdef KORVEXER_SSE2
        found.push_back(InstructionSet::Sse2);
#endif
#ifdef KORVEXER_AVX2
        if (ProcessorRunsAvx2()) found.push_back(InstructionSet::Avx2);
#endif
        return found;
    }();
    return sets;
}

InstructionSet Best() {
    static const InstructionSet best = Available().back();
    return best;
}

BlockMasks ByteMasks(InstructionSet set, const char* block, char byte) {
    switch (set) {
#ifdef KORVEXER_AVX2
        case InstructionSet::Avx2:
            return ByteMasksAvx2(block, byte);
#endif
#ifdef KORVEXER_SSE2
        case InstructionSet::Sse2:
            return ByteMasksSse2(block, byte);
#endif
        default:
            return ByteMasksPortable(block, byte);
    }
}

std::uint64_t PatternMatches(InstructionSet set, const char* block, const PairPattern* patterns,
                             std::size_t count) {
    switch (set) {
#ifdef KORVEXER_AVX2
        case InstructionSet::Avx2:
            return PatternMatchesAvx2(block, patterns, count);
#endif
#ifdef KORVEXER_SSE2
        case InstructionSet::Sse2:
            return PatternMatchesSse2(block, patterns, count);
#endif
        default:
            return PatternMatchesPortable(block, patterns, count);
    }
}

namespace {

template <template <std::size_t> class Kernel, std::size_t... Ns, typename... Args>
bool WithConstantCountIn(std::index_sequence<Ns...>, std::size_t count, Args&&... args) {
    return ((count == Ns + 1 && (Kernel<Ns + 1>::Run(args...), true)) || ...);
}

// Calls `Kernel<N>::Run` with the pattern count as a constant, for up to eight patterns; false
// for more.
template <template <std::size_t> class Kernel, typename... Args>
bool WithConstantCount(std::size_t count, Args&&... args) {
    return WithConstantCountIn<Kernel>(std::make_index_sequence<8>{}, count, args...);
}

#ifdef KORVEXER_SSE2
template <std::size_t N>
struct ClassifySse2 {
    static void Run(const char* first, std::size_t blocks, const PairPattern* patterns,
                    const std::uint8_t* channels, ChannelMasks* out) {
        ClassifyBlocksSse2<N>(first, blocks, patterns, channels, out);
    }
};
#endif

}  // namespace

void ClassifyBlocks(InstructionSet set, const char* first, std::size_t blocks,
                    const PairPattern* patterns, const std::uint8_t* channels, std::size_t count,
                    ChannelMasks* out) {
    switch (set) {
#ifdef KORVEXER_AVX2
        case InstructionSet::Avx2:
            // Shapes beyond the kernels made go to SSE2, which every AVX2 processor has.
            if (ClassifyByShapeAvx2(first, blocks, patterns, channels, count, out) ||
                WithConstantCount<ClassifySse2>(count, first, blocks, patterns, channels, out))
                return;
            break;
#endif
#ifdef KORVEXER_SSE2
        case InstructionSet::Sse2:
            if (WithConstantCount<ClassifySse2>(count, first, blocks, patterns, channels, out))
                return;
            break;
#endif
        default:
            break;
    }
    ClassifyBlocksPortable(first, blocks, patterns, channels, count, out);
}

void CountRunningBits(InstructionSet set, const ChannelMasks* masks, std::size_t blocks,
                      std::size_t channel, std::size_t* counts) {
#ifdef KORVEXER_AVX2
    if (set == InstructionSet::Avx2) return CountRunningBitsPopcnt(masks, blocks, channel, counts);
#endif
    for (std::size_t b = 0; b < blocks; ++b)
        counts[b + 1] = counts[b] + bits::CountBits(masks[b][channel]);
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
