// SPDX-License-Identifier: MIT
// ByteScanner and PatternScanner: places of bytes in a buffer, found sixty-four bytes at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/scanner/block_kernels.h"

namespace korvexer {

// Whether one of the bytes of `followers`, all below 0x80, is the second byte of a two-byte
// character of `bytes`: a byte from 0x81 up takes the byte after it, whatever it is, and a run of
// such bytes pairs up from its start, since the byte before a run always ends a character.
bool FollowerTakenBySecondByte(std::string_view bytes, std::string_view followers);

// Finds one byte value in a buffer from positions that only move forward, as a line split asks
// for it. memchr does the same but pays its set-up on every call, which is most of its cost when
// the byte recurs every few dozen bytes (line breaks). This scanner keeps the masks of the
// current sixty-four-byte block between calls instead.
class ByteScanner {
public:
    static constexpr std::size_t kBlockSize = 64;

    // `buffer` must outlive the scanner.
    ByteScanner(std::string_view buffer, char byte);

    // The first position at or after `from` that holds the byte; the buffer's size when none.
    std::size_t Find(std::size_t from);
    // The masks of the block of 64 bytes that starts at `block` (a multiple of 64 below the
    // buffer's size).
    const BlockMasks& MasksOf(std::size_t block);

private:
    std::string_view m_buffer;
    char m_byte;
    block_kernels::InstructionSet m_set;
    std::size_t m_block;  // the first position of the block whose masks are loaded
    BlockMasks m_masks;
};

// Finds the places where any of a few patterns of one or two bytes starts, in one pass over the
// buffer for all of them. A pattern that folds case counts bytes that differ only in bit 0x20 as
// equal: that matches letters in either case, and some other bytes too, so a caller checks each
// place.
class PatternScanner {
public:
    struct Pattern {
        std::string bytes;  // the first one or two bytes are looked for; empty ones are left out
        bool foldCase = false;
    };

    // `buffer` must outlive the scanner.
    PatternScanner(std::string_view buffer, const std::vector<Pattern>& patterns);

    // The first position at or after `from` where a pattern may start; the buffer's size when
    // none.
    std::size_t Find(std::size_t from);

private:
    std::uint64_t MatchesOf(std::size_t block);

    std::string_view m_buffer;
    block_kernels::InstructionSet m_set;
    std::vector<block_kernels::PairPattern> m_patterns;
    char m_pad;  // a byte that starts no pattern, to pad the last block with
    std::size_t m_block;
    std::uint64_t m_matches = 0;
};

}  // namespace korvexer
