// SPDX-License-Identifier: MIT
// The source loader: one pass over one buffer, lines recorded as spans into it.
#include "core/scanner/line_model.h"

#include <algorithm>
#include <cstring>

#include "core/platform/gbk_text.h"
#include "core/scanner/byte_scanner.h"

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

namespace {

// Splits the physical line that starts at `start`, one character at a time: the line may be cut
// after kSourceLineLimit bytes, never inside a two-byte character, and a closing mark after the
// cut stays on the line before it. Appends one entry per piece and returns where the next
// physical line starts.
std::size_t SplitLineByCharacters(LineModel& model, LineBreak lineBreak, std::size_t start) {
    const std::string& buffer = model.bytes;
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
    auto probeAt = [&](std::size_t at) {
        return IsClosingPunctuation(std::string_view(buffer).substr(at, 2));
    };
    auto endPiece = [&](std::size_t length, LineEnd end) {
        model.lines.push_back(
            {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(length), end});
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

}  // namespace

void SplitSourceLinesCharByChar(LineModel& model, LineBreak lineBreak) {
    model.lines.clear();
    for (std::size_t start = 0; start < model.bytes.size();)
        start = SplitLineByCharacters(model, lineBreak, start);
}

void SplitSourceLines(LineModel& model, LineBreak lineBreak) {
    model.lines.clear();
    const std::string& buffer = model.bytes;
    const std::size_t size = buffer.size();
    const char* data = buffer.data();
    const char e2 = static_cast<char>(lineBreak.second);
    // Only a line that comes within a byte of the limit needs the
    // character walk, to place its cuts (a closing mark just past the limit, even the break
    // itself, stays on the line); for the others the walk would only tell whether a break byte is
    // the second byte of a character, and that needs just the bytes right before it.
    ByteScanner breaks(buffer, static_cast<char>(lineBreak.first));
    std::size_t start = 0;     // the current line's first byte
    std::size_t boundary = 0;  // a character start at or after `start`, where the search goes on
    while (start < size) {
        const std::size_t at = breaks.Find(boundary);
        if (at - start >= kSourceLineLimit - 1) {
            start = boundary = SplitLineByCharacters(model, lineBreak, start);
            continue;
        }
        if (at == size) {
            model.lines.push_back({static_cast<std::uint32_t>(start),
                                   static_cast<std::uint32_t>(size - start), LineEnd::EndOfData});
            break;
        }
        if (gbk::IsSecondByteAt(buffer, boundary, at)) {
            boundary = at + 1;  // the character ends with the break byte; the line goes on
            continue;
        }
        std::size_t next = at + 1;
        LineEnd end = LineEnd::Break;
        if (e2 != 0) {
            if (next < size && data[next] == e2)
                ++next;
            else
                end = LineEnd::LoneFirstByte;
        }
        model.lines.push_back(
            {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(at - start), end});
        start = boundary = next;
    }
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
