// SPDX-License-Identifier: MIT
// The block masks: SSE2 compares where the compiler offers them (every x86-64 build), a plain
// loop elsewhere.
#include "core/scanner/byte_scanner.h"

#include <algorithm>
#include <cstring>

#include "core/platform/bits.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KORVEXER_SSE2 1
#endif

namespace korvexer {

using bits::LowestBit;

namespace {

constexpr std::size_t kBlock = ByteScanner::kBlockSize;
// Case folding for letters: bit 0x20 set.
constexpr char kFold = 0x20;

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

// The first set bit at or after `from` in the masks that `matchesOf` gives for each block;
// `size` when none.
template <typename MatchesOf>
std::size_t FindInBlocks(std::size_t from, std::size_t size, MatchesOf matchesOf) {
    if (from >= size) return size;
    std::size_t block = from - from % kBlock;
    std::uint64_t mask = matchesOf(block) & (~std::uint64_t{0} << (from - block));
    while (mask == 0) {
        block += kBlock;
        if (block >= size) return size;
        mask = matchesOf(block);
    }
    return block + LowestBit(mask);
}

// The masks of the `size` (at most 64) bytes at `block`.
BlockMasks ClassifyBlock(const char* block, std::size_t size, char byte) {
    if (size >= kBlock) return ClassifyWholeBlock(block, byte);
    // A short block is copied into one padded with bytes that match neither mask.
    char padded[kBlock];
    std::memset(padded, byte == ' ' ? '!' : ' ', kBlock);
    std::memcpy(padded, block, size);
    return ClassifyWholeBlock(padded, byte);
}

}  // namespace

bool AllBytesBelow0x80(std::string_view bytes) {
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
#ifdef KORVEXER_SSE2
    // Sixty-four bytes at a time, ORed together: one test of the high bits per block.
    for (; end - at >= static_cast<std::ptrdiff_t>(kBlock); at += kBlock) {
        auto load = [&](unsigned part) {
            return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16 * part));
        };
        const __m128i any =
            _mm_or_si128(_mm_or_si128(load(0), load(1)), _mm_or_si128(load(2), load(3)));
        if (_mm_movemask_epi8(any) != 0) return false;
    }
#endif
    for (; at < end; ++at)
        if (static_cast<unsigned char>(*at) >= 0x80) return false;
    return true;
}

ByteScanner::ByteScanner(std::string_view buffer, char byte)
    : m_buffer(buffer), m_byte(byte), m_block(buffer.size()) {}

const BlockMasks& ByteScanner::MasksOf(std::size_t block) {
    if (block != m_block) {
        m_block = block;
        m_masks = ClassifyBlock(m_buffer.data() + block, m_buffer.size() - block, m_byte);
    }
    return m_masks;
}

std::size_t ByteScanner::Find(std::size_t from) {
    return FindInBlocks(from, m_buffer.size(),
                        [this](std::size_t block) { return MasksOf(block).matches; });
}

PatternScanner::PatternScanner(std::string_view buffer, const std::vector<Pattern>& patterns)
    : m_buffer(buffer), m_block(buffer.size()) {
    for (const Pattern& pattern : patterns) {
        if (pattern.bytes.empty()) continue;
        const char fold = pattern.foldCase ? kFold : 0;
        const std::string& bytes = pattern.bytes;
        m_patterns.push_back({static_cast<char>(bytes[0] | fold),
                              static_cast<char>(bytes.size() > 1 ? bytes[1] | fold : 0),
                              bytes.size() > 1, pattern.foldCase});
    }
    // The pad byte must not start a pattern, folded or not.
    auto startsPattern = [&](char byte) {
        return std::any_of(m_patterns.begin(), m_patterns.end(), [&](const Bytes& pattern) {
            return static_cast<char>(pattern.foldCase ? byte | kFold : byte) == pattern.first;
        });
    };
    m_pad = 1;
    while (startsPattern(m_pad)) ++m_pad;
}

std::uint64_t PatternScanner::MatchesOf(std::size_t block) {
    if (block == m_block) return m_matches;
    m_block = block;
    // Patterns of two bytes read one byte past the block: the last block is padded for that.
    const char* bytes = m_buffer.data() + block;
    char padded[kBlock + 1];
    if (m_buffer.size() - block <= kBlock) {
        std::memset(padded, m_pad, sizeof padded);
        std::memcpy(padded, bytes, m_buffer.size() - block);
        bytes = padded;
    }
    std::uint64_t matches = 0;
#ifdef KORVEXER_SSE2
    const __m128i fold = _mm_set1_epi8(kFold);
    for (const Bytes& pattern : m_patterns) {
        const __m128i mask = pattern.foldCase ? fold : _mm_setzero_si128();
        const __m128i first = _mm_set1_epi8(pattern.first);
        const __m128i second = _mm_set1_epi8(pattern.second);
        auto load = [&](const char* at) {
            return _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), mask);
        };
        for (unsigned part = 0; part < 4; ++part) {
            const char* at = bytes + 16 * part;
            __m128i equal = _mm_cmpeq_epi8(load(at), first);
            if (pattern.hasSecond)
                equal = _mm_and_si128(equal, _mm_cmpeq_epi8(load(at + 1), second));
            matches |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(equal))}
                       << (16 * part);
        }
    }
#else
    for (const Bytes& pattern : m_patterns) {
        const char fold = pattern.foldCase ? kFold : 0;
        for (std::size_t i = 0; i < kBlock; ++i)
            if (static_cast<char>(bytes[i] | fold) == pattern.first &&
                (!pattern.hasSecond || static_cast<char>(bytes[i + 1] | fold) == pattern.second))
                matches |= std::uint64_t{1} << i;
    }
#endif
    m_matches = matches;
    return matches;
}

std::size_t PatternScanner::Find(std::size_t from) {
    if (m_patterns.empty()) return m_buffer.size();
    return FindInBlocks(from, m_buffer.size(),
                        [this](std::size_t block) { return MatchesOf(block); });
}

}  // namespace korvexer
