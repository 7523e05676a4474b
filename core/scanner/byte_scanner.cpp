// SPDX-License-Identifier: MIT
// The block masks: SSE2 compares where the compiler offers them (every x86-64 build), a plain
// loop elsewhere.
#include "core/scanner/byte_scanner.h"

#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KORVEXER_SSE2 1
#endif
#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif

namespace korvexer {

namespace {

constexpr std::size_t kBlock = 64;

// The masks of 64 whole bytes.
BlockMasks ClassifyWholeBlock(const char* block, char byte) {
    BlockMasks masks;
#ifdef KORVEXER_SSE2
    const __m128i wanted = _mm_set1_epi8(byte);
    for (unsigned part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * part));
        const auto equal =
            static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted)));
        const auto high = static_cast<std::uint16_t>(_mm_movemask_epi8(bytes));
        masks.matches |= std::uint64_t{equal} << (16 * part);
        masks.highs |= std::uint64_t{high} << (16 * part);
    }
#else
    for (std::size_t i = 0; i < kBlock; ++i) {
        masks.matches |= std::uint64_t{block[i] == byte} << i;
        masks.highs |= std::uint64_t{static_cast<unsigned char>(block[i]) >= 0x80} << i;
    }
#endif
    return masks;
}

// The place of the lowest set bit of a mask that is not zero.
unsigned LowestBit(std::uint64_t mask) {
#if defined(_MSC_VER) && !defined(__clang__)
    unsigned long index;
    _BitScanForward64(&index, mask);
    return static_cast<unsigned>(index);
#else
    return static_cast<unsigned>(__builtin_ctzll(mask));
#endif
}

}  // namespace

BlockMasks ClassifyBlock(const char* block, std::size_t size, char byte) {
    if (size >= kBlock) return ClassifyWholeBlock(block, byte);
    // A short block is copied into one padded with bytes that match neither mask.
    char padded[kBlock];
    std::memset(padded, byte == ' ' ? '!' : ' ', kBlock);
    std::memcpy(padded, block, size);
    return ClassifyWholeBlock(padded, byte);
}

ByteScanner::ByteScanner(std::string_view buffer, char byte)
    : m_buffer(buffer), m_byte(byte), m_block(buffer.size()) {}

void ByteScanner::Load(std::size_t block) {
    m_block = block;
    m_mask = ClassifyBlock(m_buffer.data() + block, m_buffer.size() - block, m_byte).matches;
}

std::size_t ByteScanner::Find(std::size_t from) {
    const std::size_t size = m_buffer.size();
    if (from >= size) return size;
    std::size_t block = from - from % kBlock;
    if (block != m_block) Load(block);
    std::uint64_t mask = m_mask & (~std::uint64_t{0} << (from - block));
    while (mask == 0) {
        block += kBlock;
        if (block >= size) return size;
        Load(block);
        mask = m_mask;
    }
    return block + LowestBit(mask);
}

}  // namespace korvexer
