// SPDX-License-Identifier: MIT
// The scanners over the block classifiers: a block's masks are computed once and kept while the
// search stays in it.
#include "core/scanner/byte_scanner.h"

#include <algorithm>
#include <cstring>

#include "core/platform/bits.h"
#include "core/platform/gbk_text.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KORVEXER_SSE2 1
#endif

namespace korvexer {

using bits::LowestBit;
namespace bk = block_kernels;

namespace {

constexpr std::size_t kBlock = ByteScanner::kBlockSize;

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

}  // namespace

bool FollowerTakenBySecondByte(std::string_view bytes, std::string_view followers) {
    const std::size_t size = bytes.size();
    // Whether the byte after `high` (0x80 or more) is a follower that the high byte takes.
    auto takenAfter = [&](std::size_t high) {
        return high + 1 < size && followers.find(bytes[high + 1]) != std::string_view::npos &&
               gbk::IsSecondByteAt(bytes, 0, high + 1);
    };
    std::size_t at = 0;
#ifdef KORVEXER_SSE2
    // Sixty-four bytes at a time, ORed together, so that a block without a high byte costs one
    // test; a block with one is looked at sixteen bytes at a time.
    auto load = [&](std::size_t from) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(&bytes[from]));
    };
    for (; size - at >= kBlock; at += kBlock) {
        const __m128i any = _mm_or_si128(_mm_or_si128(load(at), load(at + 16)),
                                         _mm_or_si128(load(at + 32), load(at + 48)));
        if (_mm_movemask_epi8(any) == 0) continue;
        for (std::size_t part = at; part < at + kBlock; part += 16)
            for (auto highs = static_cast<unsigned>(_mm_movemask_epi8(load(part))); highs != 0;
                 highs &= highs - 1)
                if (takenAfter(part + LowestBit(highs))) return true;
    }
#endif
    for (; at < size; ++at)
        if (static_cast<unsigned char>(bytes[at]) >= 0x80 && takenAfter(at)) return true;
    return false;
}

ByteScanner::ByteScanner(std::string_view buffer, char byte)
    : m_buffer(buffer), m_byte(byte), m_set(bk::Best()), m_block(buffer.size()) {}

const BlockMasks& ByteScanner::MasksOf(std::size_t block) {
    if (block != m_block) {
        m_block = block;
        const std::size_t size = m_buffer.size() - block;
        if (size >= kBlock) {
            m_masks = bk::ByteMasks(m_set, m_buffer.data() + block, m_byte);
        } else {
            // A short block is copied into one padded with bytes that match neither mask.
            char padded[kBlock];
            std::memset(padded, m_byte == ' ' ? '!' : ' ', kBlock);
            std::memcpy(padded, m_buffer.data() + block, size);
            m_masks = bk::ByteMasks(m_set, padded, m_byte);
        }
    }
    return m_masks;
}

std::size_t ByteScanner::Find(std::size_t from) {
    return FindInBlocks(from, m_buffer.size(),
                        [this](std::size_t block) { return MasksOf(block).matches; });
}

PatternScanner::PatternScanner(std::string_view buffer, const std::vector<Pattern>& patterns)
    : m_buffer(buffer), m_set(bk::Best()), m_block(buffer.size()) {
    for (const Pattern& pattern : patterns)
        if (!pattern.bytes.empty())
            m_patterns.push_back(bk::PairPatternOf(pattern.bytes, pattern.foldCase));
    m_pad = bk::PadByteFor(m_patterns);
}

std::uint64_t PatternScanner::MatchesOf(std::size_t block) {
    if (block == m_block) return m_matches;
    m_block = block;
    // The classifier reads one byte past the block: the last block is padded for that.
    const char* bytes = m_buffer.data() + block;
    char padded[kBlock + 1];
    if (m_buffer.size() - block <= kBlock) {
        std::memset(padded, m_pad, sizeof padded);
        std::memcpy(padded, bytes, m_buffer.size() - block);
        bytes = padded;
    }
    m_matches = bk::PatternMatches(m_set, bytes, m_patterns.data(), m_patterns.size());
    return m_matches;
}

std::size_t PatternScanner::Find(std::size_t from) {
    if (m_patterns.empty()) return m_buffer.size();
    return FindInBlocks(from, m_buffer.size(),
                        [this](std::size_t block) { return MatchesOf(block); });
}

}  // namespace korvexer
