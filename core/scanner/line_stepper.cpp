// SPDX-License-Identifier: MIT
// The line stepper: breaks found by block masks, long lines walked one character at a time, and
// runs of plain lines counted without being split.
#include "core/scanner/line_stepper.h"

#include <algorithm>
#include <cstdint>

#include "core/platform/bits.h"
#include "core/platform/gbk_text.h"

namespace korvexer {

using bits::CountBits;
using bits::HighestBit;
using bits::LowestBit;

namespace {

constexpr std::size_t kBlock = ByteScanner::kBlockSize;

}  // namespace

std::size_t SplitLineByCharacters(std::string_view buffer, LineBreak lineBreak, std::size_t start,
                                  std::vector<LineSpan>& out) {
    const std::size_t size = buffer.size();
    const char e1 = static_cast<char>(lineBreak.first);
    const char e2 = static_cast<char>(lineBreak.second);

    std::size_t i = start;
    std::size_t n = 0;      // bytes taken into the current piece
    std::size_t carry = 0;  // 2 when a two-byte character must start the next piece
    auto take = [&](std::size_t width) {
        i += width;
        n += width;
    };
    auto probeAt = [&](std::size_t at) { return IsClosingPunctuation(buffer.substr(at, 2)); };
    auto endPiece = [&](std::size_t length, LineEnd end) {
        out.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(length), end});
    };

    while (i < size) {
        const char byte = buffer[i];
        if (byte == e1) {
            const std::size_t lineEnd = i++;
            bool whole = e2 == 0;
            if (e2 != 0 && i < size && buffer[i] == e2) {
                ++i;
                whole = true;
            }
            endPiece(lineEnd - start, whole ? LineEnd::Break : LineEnd::LoneFirstByte);
            return i;
        }
        if (carry + n >= kSourceLineLimit) {
            endPiece(i - start, LineEnd::Cut);
            start = i;
            n = 0;
            carry = 0;
            continue;
        }
        if (static_cast<unsigned char>(byte) < 0x81) {
            take(1);
            if (i < size && n == kSourceLineLimit) {
                PunctuationProbe probe = probeAt(i);
                if (probe.isClosing) take(std::min<std::size_t>(probe.width, size - i));
            }
            continue;
        }
        if (n != kSourceLineLimit - 1) take(i + 1 < size ? 2 : 1);
        if (i < size && (n == kSourceLineLimit || n == kSourceLineLimit - 1)) {
            PunctuationProbe probe = probeAt(i);
            if (probe.isClosing)
                take(std::min<std::size_t>(probe.width, size - i));
            else if (probe.width == 2 && n == kSourceLineLimit - 1)
                carry = 2;
        }
    }
    if (i > start) endPiece(i - start, LineEnd::EndOfData);
    return i;
}

LineStepper::LineStepper(std::string_view bytes, LineBreak lineBreak)
    : m_bytes(bytes), m_break(lineBreak), m_breaks(bytes, static_cast<char>(lineBreak.first)) {}

bool LineStepper::Produce() {
    m_pending.clear();
    m_pendingAt = 0;
    const std::size_t size = m_bytes.size();
    if (m_start >= size) return false;
    // Only a line that comes within a byte of the limit needs the character walk, to place its
    // cuts (a closing mark just past the limit, even the break itself, stays on the line); for
    // the others the walk would only tell whether a break byte is the second byte of a
    // character, and that needs just the bytes right before it.
    std::size_t boundary = m_start;  // a character start, where the search for a break goes on
    while (true) {
        const std::size_t at = m_breaks.Find(boundary);
        if (at - m_start >= kSourceLineLimit - 1) {
            m_start = SplitLineByCharacters(m_bytes, m_break, m_start, m_pending);
            return true;
        }
        if (at == size) {
            m_pending.push_back({static_cast<std::uint32_t>(m_start),
                                 static_cast<std::uint32_t>(size - m_start), LineEnd::EndOfData});
            m_start = size;
            return true;
        }
        if (gbk::IsSecondByteAt(m_bytes, boundary, at)) {
            boundary = at + 1;  // the character ends with the break byte; the line goes on
            continue;
        }
        std::size_t next = at + 1;
        LineEnd end = LineEnd::Break;
        if (m_break.second != 0) {
            if (next < size && m_bytes[next] == static_cast<char>(m_break.second))
                ++next;
            else
                end = LineEnd::LoneFirstByte;
        }
        m_pending.push_back(
            {static_cast<std::uint32_t>(m_start), static_cast<std::uint32_t>(at - m_start), end});
        m_start = next;
        return true;
    }
}

bool LineStepper::Next(LineSpan& out) {
    if (m_pendingAt == m_pending.size() && !Produce()) return false;
    out = m_pending[m_pendingAt++];
    ++m_index;
    return true;
}

void LineStepper::SkipTo(std::size_t position) {
    while (true) {
        for (; m_pendingAt < m_pending.size(); ++m_pendingAt, ++m_index) {
            const LineSpan& span = m_pending[m_pendingAt];
            if (std::size_t{span.offset} + span.length > position) return;
        }
        CountPlainLines(position);
        if (!Produce()) return;
    }
}

void LineStepper::CountPlainLines(std::size_t position) {
    const char e1 = static_cast<char>(m_break.first);
    const char e2 = static_cast<char>(m_break.second);
    // Where the break has two equal bytes, a run of them is not one line per byte.
    if (e2 == e1) return;
    const std::size_t size = m_bytes.size();
    // Breaks at or before `position` end lines that are passed over.
    const std::size_t end = position >= size ? size : position + 1;
    std::size_t lineStart = m_start;  // of the line the counting is in
    for (std::size_t block = m_start - m_start % kBlock; block < end; block += kBlock) {
        // The block's bits from m_start (in the first block) to `end`.
        std::uint64_t valid = ~std::uint64_t{0};
        if (block < m_start) valid <<= m_start - block;
        if (end - block < kBlock) valid &= (std::uint64_t{1} << (end - block)) - 1;
        const BlockMasks& masks = m_breaks.MasksOf(block);
        // A byte from 0x80 up may make a break byte the second byte of a character: the lines
        // from here on are split one by one.
        if ((masks.highs & valid) != 0) return;
        const std::uint64_t breaks = masks.matches & valid;
        if (breaks == 0) {
            if (std::min(block + kBlock, end) - lineStart >= kSourceLineLimit - 1) return;
            continue;
        }
        // Lines inside one block are short; only the line that runs into it may be long.
        if (block + LowestBit(breaks) - lineStart >= kSourceLineLimit - 1) return;
        std::size_t next = block + HighestBit(breaks) + 1;
        if (e2 != 0 && next < size && m_bytes[next] == e2) ++next;
        m_start = lineStart = next;
        m_index += CountBits(breaks);
    }
}

}  // namespace korvexer
