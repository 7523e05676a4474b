// SPDX-License-Identifier: MIT
// The source loader: one pass over one buffer, lines recorded as spans into it.
#include "core/scanner/line_model.h"

#include <algorithm>
#include <cstring>

namespace korvexer {

namespace {

constexpr std::string_view kSingleByteClosing = ".,;!?\")]:}";

// The two-byte closing marks, as GBK byte pairs.
constexpr unsigned char kDoubleByteClosing[][2] = {
    {0xA1, 0xA3}, {0xA3, 0xAC}, {0xA3, 0xBB}, {0xA1, 0xA2}, {0xA3, 0xA1},
    {0xA3, 0xBF}, {0xA1, 0xB1}, {0xA3, 0xBA}, {0xA3, 0xAE}, {0xA1, 0xC3},
    {0xA3, 0xDD}, {0xA3, 0xFD}, {0xA3, 0xA9}, {0xA1, 0xB3}, {0xA1, 0xBF},
    {0xA1, 0xBD}, {0xA1, 0xB5}, {0xA1, 0xB7}, {0xA1, 0xAD}, {0xA3, 0xA7},
    {0xA1, 0xAF}, {0xA3, 0xA2}, {0xA1, 0xA8}, {0xA3, 0xE0}, {0xA1, 0xAB},
};

// Finds the end of a run of plain bytes: bytes that are neither the first line-break byte nor a
// lead byte. Most source text is such runs, so they are skipped eight bytes at a time.
class PlainRunFinder {
public:
    explicit PlainRunFinder(unsigned char lineBreak) : m_breaks(kOnes * lineBreak) {
        for (int b = 0x81; b < 256; ++b) m_stops[b] = true;
        m_stops[lineBreak] = true;
    }

    bool IsStop(char byte) const { return m_stops[static_cast<unsigned char>(byte)]; }

    // The first position in [from, end) that holds a stop byte; `end` when there is none.
    std::size_t SkipPlain(const std::string& buffer, std::size_t from, std::size_t end) const {
        const char* data = buffer.data();
        std::size_t i = from;
        while (true) {
            // A word without a high bit and without the break byte holds no stop; a word that
            // fails the test is looked at byte by byte (0x80 sets the high bit but is no stop).
            while (i + 8 <= end && !MayHoldStop(data + i)) i += 8;
            const std::size_t wordEnd = std::min(end, i + 8);
            for (; i < wordEnd; ++i)
                if (IsStop(data[i])) return i;
            if (i >= end) return end;
        }
    }

private:
    static constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    static constexpr std::uint64_t kHighs = 0x8080808080808080ULL;

    bool MayHoldStop(const char* at) const {
        std::uint64_t word;
        std::memcpy(&word, at, sizeof word);
        const std::uint64_t breaks = word ^ m_breaks;  // a zero byte where the break byte is
        return (((breaks - kOnes) & ~breaks) | word) & kHighs;
    }

    std::uint64_t m_breaks;
    bool m_stops[256] = {};
};

}  // namespace

bool LineModel::IsWhole() const {
    if (!complete) return false;
    return std::none_of(lines.begin(), lines.end(),
                        [](const LineSpan& span) { return span.end == LineEnd::Cut; });
}

PunctuationProbe IsClosingPunctuation(std::string_view next) {
    PunctuationProbe probe;
    if (next.empty()) return probe;
    unsigned char first = static_cast<unsigned char>(next[0]);
    if (first >= 0x81) {
        probe.width = 2;
        unsigned char second = next.size() > 1 ? static_cast<unsigned char>(next[1]) : 0;
        for (const auto& mark : kDoubleByteClosing)
            if (mark[0] == first && mark[1] == second) probe.isClosing = true;
        return probe;
    }
    probe.isClosing = first != 0 && kSingleByteClosing.find(next[0]) != std::string_view::npos;
    return probe;
}

void SplitSourceLines(LineModel& model, LineBreak lineBreak) {
    model.lines.clear();
    const std::string& buffer = model.bytes;
    const std::size_t size = buffer.size();
    const char e1 = static_cast<char>(lineBreak.first);
    const char e2 = static_cast<char>(lineBreak.second);

    std::size_t start = 0;  // first byte of the current line
    std::size_t i = 0;
    std::size_t n = 0;      // bytes taken into the current line
    std::size_t carry = 0;  // 2 when a two-byte character must start the next line
    auto take = [&](std::size_t width) {
        i += width;
        n += width;
    };
    auto endLine = [&](LineEnd end) {
        model.lines.push_back(
            {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(i - start), end});
    };
    auto probeAt = [&](std::size_t at) {
        return IsClosingPunctuation(std::string_view(buffer).substr(at, 2));
    };

    const PlainRunFinder plain(lineBreak.first);
    while (i < size) {
        if (carry == 0) {
            const std::size_t scanEnd = std::min(size, start + kSourceLineLimit);
            if (i < scanEnd && !plain.IsStop(buffer[i])) {
                i = plain.SkipPlain(buffer, i + 1, scanEnd);
                n = i - start;
                if (i < size && n == kSourceLineLimit) {
                    PunctuationProbe probe = probeAt(i);
                    if (probe.isClosing) take(std::min<std::size_t>(probe.width, size - i));
                }
                continue;
            }
        }
        const char byte = buffer[i];
        if (byte == e1 || carry + n >= kSourceLineLimit) {
            if (byte == e1) {
                std::size_t lineEnd = i++;
                bool whole = e2 == 0;
                if (e2 != 0 && i < size && buffer[i] == e2) {
                    ++i;
                    whole = true;
                }
                model.lines.push_back({static_cast<std::uint32_t>(start),
                                       static_cast<std::uint32_t>(lineEnd - start),
                                       whole ? LineEnd::Break : LineEnd::LoneFirstByte});
            } else {
                endLine(LineEnd::Cut);
            }
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
    if (i > start) endLine(LineEnd::EndOfData);
}

LineModel LoadSourceLines(FileSystem& fs, const std::string& path, LineBreak lineBreak) {
    LineModel model;
    Expected<FileContent> content = fs.Read(path, kSourceReadLimit);
    if (!content) {
        model.readError = content.error();
        return model;
    }
    model.bytes = std::move(content->bytes);
    model.complete = content->complete;
    model.identity = content->identity;
    SplitSourceLines(model, lineBreak);
    return model;
}

}  // namespace korvexer
