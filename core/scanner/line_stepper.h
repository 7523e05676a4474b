// SPDX-License-Identifier: MIT
// LineStepper: the entries of the line model one at a time, with a fast way past many of them.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/language/language_definition.h"
#include "core/scanner/byte_scanner.h"
#include "core/scanner/line_model.h"

namespace korvexer {

// Appends the entries of the physical line that starts at `start` (one, or several where the line
// is cut after kSourceLineLimit bytes) to `out`, walking one character at a time, and returns
// where the next physical line starts.
std::size_t SplitLineByCharacters(std::string_view bytes, LineBreak lineBreak, std::size_t start,
                                  std::vector<LineSpan>& out);

// Hands out the entries that SplitSourceLines lists for `bytes`, in order, and counts them. A scan
// that needs only a few lines of a file passes over the others with SkipTo, which counts whole
// lines sixty-four bytes at a time where no two-byte character or long line can change them.
// The bytes must outlive the stepper. Bytes of entries already handed out may be changed (comments
// blanked), bytes of later ones not.
class LineStepper {
public:
    LineStepper(std::string_view bytes, LineBreak lineBreak);

    // The next entry; false when there is none.
    bool Next(LineSpan& out);
    // Passes over the entries whose bytes end at or before `position` (an entry ends where its
    // break begins), so that Next hands out the first entry that ends after it.
    void SkipTo(std::size_t position);
    // The index in the line model of the entry that Next hands out next.
    std::size_t NextIndex() const { return m_index; }

private:
    // Splits the next physical line into m_pending; false at the end of the bytes.
    bool Produce();
    // Counts the whole lines that start at m_start and end at or before `position`, as long as no
    // byte from 0x80 up and no line near the length limit is in the way.
    void CountPlainLines(std::size_t position);

    std::string_view m_bytes;
    LineBreak m_break;
    ByteScanner m_breaks;
    std::size_t m_start = 0;          // where the next physical line starts
    std::size_t m_index = 0;          // entries handed out or passed over
    std::vector<LineSpan> m_pending;  // entries produced and not yet handed out
    std::size_t m_pendingAt = 0;      // the first of them
};

}  // namespace korvexer
