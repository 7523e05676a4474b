// SPDX-License-Identifier: MIT
// LineModel and LoadSourceLines: a source file as lines, with the read and line-length limits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/language/language_definition.h"
#include "core/platform/expected.h"
#include "core/platform/file_system.h"

namespace korvexer {

constexpr std::size_t kSourceReadLimit = 512000;  // bytes of a file that are read
constexpr std::size_t kSourceLineLimit = 5120;    // bytes after which a line is cut

// How one entry of the line model ended in the file.
enum class LineEnd : unsigned char {
    Break,          // by the whole line break (both bytes when it has two)
    LoneFirstByte,  // by the first break byte alone where the break has two (a lone CR)
    Cut,            // by the length limit: the next entry continues the same physical line
    EndOfData,      // by the end of the bytes read
};

// Where one line lies in LineModel::bytes; lines hold no line-break bytes.
struct LineSpan {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    LineEnd end = LineEnd::EndOfData;
};

// The lines of one source file over a single buffer holding the bytes read.
struct LineModel {
    std::string bytes;               // the bytes read, at most kSourceReadLimit
    std::vector<LineSpan> lines;     // in file order
    bool complete = true;            // false when the file holds bytes past the read limit
    std::optional<Error> readError;  // why the file could not be read (then there are no lines)
    FileIdentity identity;           // the file as it was read

    std::size_t LineCount() const { return lines.size(); }
    std::string_view Line(std::size_t index) const {
        return std::string_view(bytes).substr(lines[index].offset, lines[index].length);
    }
    // True when every entry is a whole physical line and the whole file was read.
    bool IsWhole() const;
};

// Whether the (up to) two bytes of `next` start a closing punctuation mark, and the width of the
// character they start: 2 when the first byte is 0x81 or more, else 1. A missing second byte reads
// as 0.
struct PunctuationProbe {
    bool isClosing = false;
    int width = 1;
};
PunctuationProbe IsClosingPunctuation(std::string_view next);

// Splits `bytes` into the entries of the line model with the line break `lineBreak`, replacing
// those of `lines`: lines are cut after kSourceLineLimit bytes, never inside a two-byte character,
// and a closing mark after the cut stays on the line before it. A break byte that a lead byte
// takes as its second byte ends no line.
void SplitLines(std::string_view bytes, LineBreak lineBreak, std::vector<LineSpan>& lines);
// SplitLines over `model.bytes` into `model.lines`.
void SplitSourceLines(LineModel& model, LineBreak lineBreak);
// The same split walked one character at a time from the first byte: slower, and the reference
// that SplitSourceLines must agree with.
void SplitSourceLinesCharByChar(LineModel& model, LineBreak lineBreak);

// Reads at most kSourceReadLimit bytes of `path` and splits them. A file that cannot be read gives
// no lines and sets readError.
LineModel LoadSourceLines(FileSystem& fs, const std::string& path, LineBreak lineBreak);

}  // namespace korvexer
