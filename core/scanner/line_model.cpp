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

// Whether a break of `rule` starts at `at` (a character's start) of `bytes`, and how many bytes
// it takes: the break byte, or the byte before it and the break byte, and the byte after.
std::size_t BreakWidthAt(std::string_view bytes, std::size_t at, const BreakRule& rule) {
    std::size_t width = 0;
    if (bytes[at] == rule.first)
        width = 1;
    else if (rule.before != 0 && bytes[at] == rule.before && at + 1 < bytes.size() &&
             bytes[at + 1] == rule.first)
        width = 2;
    else
        return 0;
    if (rule.after != 0 && at + width < bytes.size() && bytes[at + width] == rule.after) ++width;
    return width;
}

// The closing marks in UTF-8, in the order of kDoubleByteClosing.
constexpr std::string_view kUtf8Closing[] = {
    "\xE3\x80\x82", "\xEF\xBC\x8C", "\xEF\xBC\x9B", "\xE3\x80\x81", "\xEF\xBC\x81",
    "\xEF\xBC\x9F", "\xE2\x80\x9D", "\xEF\xBC\x9A", "\xEF\xBC\x8E", "\xE2\x88\xB6",
    "\xEF\xBC\xBD", "\xEF\xBD\x9D", "\xEF\xBC\x89", "\xE3\x80\x95", "\xE3\x80\x91",
    "\xE3\x80\x97", "\xE3\x80\x89", "\xE3\x80\x8B", "\xE2\x80\xA6", "\xEF\xBC\x87",
    "\xE2\x80\x99", "\xEF\xBC\x82", "\xE3\x80\x83", "\xEF\xBD\x80", "\xEF\xBD\x9E",
};

// Whether the character at `pos` of `text`, `width` bytes long, is a closing mark.
bool IsClosingMarkAt(std::string_view text, std::size_t pos, std::size_t width,
                     TextEncoding encoding) {
    if (encoding == TextEncoding::Gbk) return IsClosingPunctuation(text.substr(pos, 2)).isClosing;
    if (width == 1) return IsClosingPunctuation(text.substr(pos, 1)).isClosing;
    const std::string_view character = text.substr(pos, width);
    for (const std::string_view mark : kUtf8Closing)
        if (character == mark) return true;
    return false;
}

// Appends the entries of the physical line that starts at `start` (one, or several where the line
// is cut after kSourceLineLimit bytes) to `out`, walking one character at a time, and returns
// where the next physical line starts. A character of width w that makes the piece reach the
// limit (or come within w - 1 bytes of it) has the next character looked at: a closing mark joins
// the piece, which then ends; a character that would pass the limit starts the next piece. A
// character that does not fit at all starts the next piece too, unless it is a closing mark.
std::size_t SplitLineByCharacters(std::string_view buffer, const BreakRule& rule,
                                  TextEncoding encoding, std::size_t start,
                                  std::vector<LineSpan>& out) {
    const std::size_t size = buffer.size();
    std::size_t i = start;
    std::size_t n = 0;     // bytes taken into the current piece
    bool cutNext = false;  // the piece ends before the next character
    auto endPiece = [&](std::size_t length, LineEnd end) {
        out.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(length), end});
    };
    while (i < size) {
        if (const std::size_t width = BreakWidthAt(buffer, i, rule); width != 0) {
            endPiece(i - start, LineEnd::Break);
            return i + width;
        }
        if (cutNext || n >= kSourceLineLimit) {
            endPiece(i - start, LineEnd::Cut);
            start = i;
            n = 0;
            cutNext = false;
            continue;
        }
        const std::size_t width = CharWidthAt(buffer, i, encoding);
        if (n + width > kSourceLineLimit) {
            if (IsClosingMarkAt(buffer, i, width, encoding)) {
                i += width;
                n += width;
            }
            cutNext = true;
            continue;
        }
        i += width;
        n += width;
        if (n + width - 1 >= kSourceLineLimit && i < size && BreakWidthAt(buffer, i, rule) == 0) {
            const std::size_t next = CharWidthAt(buffer, i, encoding);
            if (IsClosingMarkAt(buffer, i, next, encoding)) {
                i += next;
                n += next;
                cutNext = true;
            } else if (n + next > kSourceLineLimit) {
                cutNext = true;
            }
        }
    }
    if (i > start) endPiece(i - start, LineEnd::EndOfData);
    return i;
}

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

BreakRule BreakRuleFor(LineBreak lineBreak, std::string_view bytes, bool* otherBreak) {
    constexpr char kCr = '\r';
    constexpr char kLf = '\n';
    if (otherBreak != nullptr) *otherBreak = false;
    const char first = static_cast<char>(lineBreak.first);
    const char second = static_cast<char>(lineBreak.second);
    const bool atCr = first == kCr && (second == 0 || second == kLf);
    const bool atLf = first == kLf && second == 0;
    if (!atCr && !atLf) return {first, second, 0};
    const BreakRule crRule{kCr, kLf, 0};
    const BreakRule lfRule{kLf, 0, kCr};
    const char wanted = atCr ? kCr : kLf;
    const char other = atCr ? kLf : kCr;
    bytes = bytes.substr(0, kSourceReadLimit);
    if (bytes.find(wanted) == std::string_view::npos &&
        bytes.find(other) != std::string_view::npos) {
        if (otherBreak != nullptr) *otherBreak = true;
        return atCr ? lfRule : crRule;
    }
    return atCr ? crRule : lfRule;
}

void SplitSourceLinesCharByChar(LineModel& model, LineBreak lineBreak) {
    model.lines.clear();
    const BreakRule rule = BreakRuleFor(lineBreak, model.bytes, &model.otherBreak);
    for (std::size_t start = 0; start < model.bytes.size();)
        start = SplitLineByCharacters(model.bytes, rule, model.encoding, start, model.lines);
}

void SplitLines(std::string_view bytes, const BreakRule& rule, TextEncoding encoding,
                std::vector<LineSpan>& lines) {
    lines.clear();
    const std::size_t size = bytes.size();
    auto add = [&](std::size_t start, std::size_t length, LineEnd end) {
        lines.push_back(
            {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(length), end});
    };
    for (std::size_t start = 0; start < size;) {
        // Only a line that comes within a byte of the limit needs the character walk, to place
        // its cuts (a closing mark just past the limit, even the break itself, stays on the
        // line); for the others the walk would only tell whether a break byte is the second byte
        // of a character, and that needs just the lead bytes right before it.
        std::size_t at = bytes.find(rule.first, start);
        while (at != std::string_view::npos && at - start < kSourceLineLimit - 1 &&
               IsInsideCharacterAt(bytes, start, at, encoding))
            at = bytes.find(rule.first, at + 1);
        const std::size_t end = at == std::string_view::npos ? size : at;
        if (end - start >= kSourceLineLimit - 1) {
            start = SplitLineByCharacters(bytes, rule, encoding, start, lines);
            continue;
        }
        if (end == size) {
            add(start, size - start, LineEnd::EndOfData);
            break;
        }
        // A byte before the break belongs to it where it starts a character of its own.
        const bool takesBefore = rule.before != 0 && end > start && bytes[end - 1] == rule.before &&
                                 !IsInsideCharacterAt(bytes, start, end - 1, encoding);
        add(start, end - start - takesBefore, LineEnd::Break);
        start = end + 1;
        if (rule.after != 0 && start < size && bytes[start] == rule.after) ++start;
    }
}

void SplitSourceLines(LineModel& model, LineBreak lineBreak) {
    SplitLines(model.bytes, BreakRuleFor(lineBreak, model.bytes, &model.otherBreak), model.encoding,
               model.lines);
}

LineModel LoadSourceLines(FileSystem& fs, const std::string& path, LineBreak lineBreak,
                          SourceEncoding choice) {
    LineModel model;
    Expected<FileContent> content = fs.Read(path, kSourceReadLimit);
    if (!content) {
        model.readError = content.error();
        return model;
    }
    model.bytes = std::move(content->bytes);
    model.complete = content->complete;
    model.identity = content->identity;
    model.encoding = EncodingOf(choice, model.bytes, &model.undecodable);
    SplitSourceLines(model, lineBreak);
    return model;
}

}  // namespace korvexer
