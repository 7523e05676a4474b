// SPDX-License-Identifier: MIT
// The block classifier written once over a vector type: each instruction set's file instantiates
// it with its own type, compiled for that set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "core/scanner/block_kernels.h"

namespace korvexer::block_kernels {

// A vector type V gives, for lanes of one byte each:
//   Reg                 the register type;
//   kWidth              its lanes (64 must be a multiple);
//   Load(const char*)   kWidth bytes from any address;
//   Splat(char)         every lane set to the byte;
//   Eq(Reg, Reg)        lanes of all ones where equal, else zero;
//   Or(Reg, Reg), And(Reg, Reg);
//   Mask(Reg)           the top bit of each lane, lane i at bit i;
//   Count(uint64_t)     the number of set bits.
// The types live in anonymous namespaces of their files, so that each instantiation is that
// file's own; the loop calls nothing else (no library code that another file might share).

// A pattern of one byte compared as it is (a single) needs one comparison; the others compare the
// byte after it too and fold case. The kernels are made for a few counts of each, known when they
// are compiled so that the patterns stay in registers: measured on the Free Pascal sources, such
// a kernel takes about a third of the time of one loop over any count. A count between two shapes
// takes the larger, its last pattern repeated.
inline constexpr std::size_t kSingleShapes[] = {0, 2, 3, 4, 6};
inline constexpr std::size_t kOtherShapes[] = {0, 1, 2, 4};
inline constexpr std::size_t kShapeCount = 20;
inline constexpr std::size_t kMostSingles = 6;
inline constexpr std::size_t kMostOthers = 4;

// The helpers below that are no templates of V are each file's own too: an inline function that
// two files share could be kept as the one compiled for AVX2.
namespace {

// The shape that S singles and O others take (an index below kShapeCount), or kShapeCount where
// they pass every shape and the loop over any count takes them.
constexpr std::size_t ShapeFor(std::size_t singles, std::size_t others) {
    std::size_t s = 0;
    while (s < 5 && kSingleShapes[s] < singles) ++s;
    std::size_t o = 0;
    while (o < 4 && kOtherShapes[o] < others) ++o;
    return s == 5 || o == 4 ? kShapeCount : 4 * s + o;
}

bool IsSingle(const PairPattern& pattern) {
    return !pattern.hasSecond && !pattern.foldCase;
}

}  // namespace

// The set-up of an other pattern: its bytes, its fold, and a second byte that equals everywhere
// for a pattern of one byte.
template <class V>
struct OtherRegs {
    typename V::Reg first, second, fold, anySecond;
};

template <class V>
OtherRegs<V> OtherRegsOf(const PairPattern& pattern) {
    return {V::Splat(pattern.first), V::Splat(pattern.second),
            V::Splat(pattern.foldCase ? '\x20' : '\0'),
            V::Splat(pattern.hasSecond ? '\0' : '\xFF')};
}

// Where `other` starts in the lanes of `bytes`, whose next lanes are `next`.
template <class V>
typename V::Reg OtherStarts(typename V::Reg bytes, typename V::Reg next,
                            const OtherRegs<V>& other) {
    const typename V::Reg one = V::Eq(V::Or(bytes, other.fold), other.first);
    const typename V::Reg two =
        V::Or(V::Eq(V::Or(next, other.fold), other.second), other.anySecond);
    return V::And(one, two);
}

// The lead bytes among `bytes`: 0x80 or more, but not 0x80. Most source text has none, and then
// the second comparison is passed over.
template <class V>
std::uint64_t LeadMask(typename V::Reg bytes, typename V::Reg noLead) {
    const std::uint64_t high = V::Mask(bytes);
    return high == 0 ? 0 : high & ~V::Mask(V::Eq(bytes, noLead));
}

// The kernel of S singles, then O others, in `patterns`.
template <class V, std::size_t S, std::size_t O>
bool ClassifyShapeWith(const char* first, std::size_t blocks, const PairPattern* patterns,
                       const std::uint8_t* channels, BlockClass* out) {
    using Reg = typename V::Reg;
    Reg singles[S + (S == 0)];
    for (std::size_t p = 0; p < S; ++p) singles[p] = V::Splat(patterns[p].first);
    OtherRegs<V> others[O + (O == 0)];
    for (std::size_t p = 0; p < O; ++p) others[p] = OtherRegsOf<V>(patterns[S + p]);
    const Reg noLead = V::Splat('\x80');
    std::uint64_t anyLeads = 0;
    for (std::size_t b = 0; b < blocks; ++b) {
        std::uint64_t found[S + O + 1] = {};  // the last: the lead bytes
        for (std::size_t part = 0; part < 64 / V::kWidth; ++part) {
            const char* at = first + 64 * b + V::kWidth * part;
            const unsigned shift = static_cast<unsigned>(V::kWidth * part);
            const Reg bytes = V::Load(at);
            for (std::size_t p = 0; p < S; ++p)
                found[p] |= V::Mask(V::Eq(bytes, singles[p])) << shift;
            if constexpr (O > 0) {
                const Reg next = V::Load(at + 1);
                for (std::size_t p = 0; p < O; ++p)
                    found[S + p] |= V::Mask(OtherStarts<V>(bytes, next, others[p])) << shift;
            }
            found[S + O] |= LeadMask<V>(bytes, noLead) << shift;
        }
        BlockClass& cls = out[b];
        for (std::uint64_t& mask : cls.channels) mask = 0;
        for (std::size_t p = 0; p < S + O; ++p) cls.channels[channels[p]] |= found[p];
        cls.leads = found[S + O];
        anyLeads |= found[S + O];
    }
    return anyLeads != 0;
}

// The loop over any count, for more patterns than the shapes hold.
template <class V>
bool ClassifyAnyWith(const char* first, std::size_t blocks, const PairPattern* patterns,
                     const std::uint8_t* channels, std::size_t count, BlockClass* out) {
    using Reg = typename V::Reg;
    const Reg noLead = V::Splat('\x80');
    std::uint64_t anyLeads = 0;
    for (std::size_t b = 0; b < blocks; ++b) {
        BlockClass& cls = out[b];
        for (std::uint64_t& mask : cls.channels) mask = 0;
        cls.leads = 0;
        for (std::size_t part = 0; part < 64 / V::kWidth; ++part) {
            const char* at = first + 64 * b + V::kWidth * part;
            const unsigned shift = static_cast<unsigned>(V::kWidth * part);
            const Reg bytes = V::Load(at);
            const Reg next = V::Load(at + 1);
            for (std::size_t p = 0; p < count; ++p)
                cls.channels[channels[p]] |=
                    V::Mask(OtherStarts<V>(bytes, next, OtherRegsOf<V>(patterns[p]))) << shift;
            cls.leads |= LeadMask<V>(bytes, noLead) << shift;
        }
        anyLeads |= cls.leads;
    }
    return anyLeads != 0;
}

using ShapeKernel = bool (*)(const char*, std::size_t, const PairPattern*, const std::uint8_t*,
                             BlockClass*);

template <class V, std::size_t... I>
ShapeKernel ShapeKernelWith(std::size_t shape, std::index_sequence<I...>) {
    static constexpr ShapeKernel kKernels[] = {
        &ClassifyShapeWith<V, kSingleShapes[I / 4], kOtherShapes[I % 4]>...};
    return kKernels[shape];
}

template <class V>
bool ClassifyBlocksWith(const char* first, std::size_t blocks, const PairPattern* patterns,
                        const std::uint8_t* channels, std::size_t count, BlockClass* out) {
    std::size_t singleCount = 0;
    for (std::size_t p = 0; p < count; ++p) singleCount += IsSingle(patterns[p]);
    const std::size_t shape = ShapeFor(singleCount, count - singleCount);
    if (shape == kShapeCount)
        return ClassifyAnyWith<V>(first, blocks, patterns, channels, count, out);
    // The singles first, then the others, each run filled up to its shape with its last pattern.
    const std::size_t singles = kSingleShapes[shape / 4];
    const std::size_t others = kOtherShapes[shape % 4];
    PairPattern ordered[kMostSingles + kMostOthers];
    std::uint8_t orderedChannels[kMostSingles + kMostOthers];
    std::size_t placed[2] = {0, 0};
    for (std::size_t p = 0; p < count; ++p) {
        const bool single = IsSingle(patterns[p]);
        const std::size_t at = single ? placed[0]++ : singles + placed[1]++;
        ordered[at] = patterns[p];
        orderedChannels[at] = channels[p];
    }
    for (std::size_t at = placed[0]; at < singles; ++at) {
        ordered[at] = ordered[at - 1];
        orderedChannels[at] = orderedChannels[at - 1];
    }
    for (std::size_t at = singles + placed[1]; at < singles + others; ++at) {
        ordered[at] = ordered[at - 1];
        orderedChannels[at] = orderedChannels[at - 1];
    }
    return ShapeKernelWith<V>(shape, std::make_index_sequence<kShapeCount>{})(
        first, blocks, ordered, orderedChannels, out);
}

template <class V>
void CountRunningBitsWith(const BlockClass* classes, std::size_t blocks, std::size_t channel,
                          std::size_t* counts) {
    for (std::size_t b = 0; b < blocks; ++b)
        counts[b + 1] = counts[b] + V::Count(classes[b].channels[channel]);
}

}  // namespace korvexer::block_kernels
