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

// Bit i is set when block[i] == byte.
std::uint64_t MatchMask(const char* block, char byte) {
    std::uint64_t mask = 0;
#ifdef KORVEXER_SSE2
    const __m128i wanted = _mm_set1_epi8(byte);
    for (unsigned part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * part));
        const int bits = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted));
        mask |= std::uint64_t{static_cast<std::uint16_t>(bits)} << (16 * part);
    }
#else
    for (std::size_t i = 0; i < kBlock; ++i)
        mask |= std::uint64_t{block[i] == byte} << i;
#endif
    return mask;
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

ByteScanner::ByteScanner(std::string_view buffer, char byte)
    : m_buffer(buffer), m_byte(byte), m_block(buffer.size()) {}

void ByteScanner::Load(std::size_t block) {
    m_block = block;
    if (block + kBlock <= m_buffer.size()) {
        m_mask = MatchMask(m_buffer.data() + block, m_byte);
        return;
    }
    // The last, short block: padded with a byte that does not match.
    char tail[kBlock];
    std::memset(tail, m_byte ^ 1, kBlock);
    std::memcpy(tail, m_buffer.data() + block, m_buffer.size() - block);
    m_mask = MatchMask(tail, m_byte);
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
