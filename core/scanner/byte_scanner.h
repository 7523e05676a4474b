// SPDX-License-Identifier: MIT
// ByteScanner: the places of one byte value in a buffer, found sixty-four bytes at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvexer {

// Bit i of `matches` is set when byte i of a block equals the byte looked for; bit i of `highs`
// when byte i is 0x80 or more. Bits past the block's end are clear.
struct BlockMasks {
    std::uint64_t matches = 0;
    std::uint64_t highs = 0;
};

// The masks of the `size` (at most 64) bytes at `block`.
BlockMasks ClassifyBlock(const char* block, std::size_t size, char byte);

// Finds one byte value in a buffer from positions that only move forward, as a line split or a
// walk over candidate lines asks for it. memchr does the same but pays its set-up on every call,
// which is most of its cost when the byte recurs every few dozen bytes (line breaks). This scanner
// keeps the bit mask of the current sixty-four-byte block between calls instead.
class ByteScanner {
public:
    // `buffer` must outlive the scanner.
    ByteScanner(std::string_view buffer, char byte);

    // The first position at or after `from` that holds the byte; the buffer's size when none.
    std::size_t Find(std::size_t from);

private:
    // Loads the mask of the block that starts at `block` (a multiple of 64 below the size).
    void Load(std::size_t block);

    std::string_view m_buffer;
    char m_byte;
    std::size_t m_block;       // the first position of the block whose mask is loaded
    std::uint64_t m_mask = 0;  // bit i: the byte at m_block + i is the byte searched for
};

}  // namespace korvexer
