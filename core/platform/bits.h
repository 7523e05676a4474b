// SPDX-License-Identifier: MIT
// Bit positions and counts of 64-bit masks, over the compilers' own instructions.
#pragma once

#include <cstdint>

#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif

namespace korvexer::bits {

// These wrap one compiler built-in each and sit in the header so that the block scanners' loops
// keep them inline.

// The place of the lowest set bit of a mask that is not zero.
inline unsigned LowestBit(std::uint64_t mask) {
#if defined(_MSC_VER) && !defined(__clang__)
    unsigned long index;
    _BitScanForward64(&index, mask);
    return static_cast<unsigned>(index);
#else
    return static_cast<unsigned>(__builtin_ctzll(mask));
#endif
}

// The place of the highest set bit of a mask that is not zero.
inline unsigned HighestBit(std::uint64_t mask) {
#if defined(_MSC_VER) && !defined(__clang__)
    unsigned long index;
    _BitScanReverse64(&index, mask);
    return static_cast<unsigned>(index);
#else
    return 63u - static_cast<unsigned>(__builtin_clzll(mask));
#endif
}

// The number of set bits, without the processor instruction that not every x86-64 has.
inline unsigned CountBits(std::uint64_t mask) {
    mask = mask - ((mask >> 1) & 0x5555555555555555ULL);
    mask = (mask & 0x3333333333333333ULL) + ((mask >> 2) & 0x3333333333333333ULL);
    mask = (mask + (mask >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<unsigned>((mask * 0x0101010101010101ULL) >> 56);
}

}  // namespace korvexer::bits
