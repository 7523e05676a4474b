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
#include "core/platform/text_encoding.h"

namespace korvexer {

constexpr std::size_t kSourceReadLimit = 512000;  // bytes of a file that are read
constexpr std::size_t kSourceLineLimit = 5120;    // bytes after which a line is cut

// How one entry of the line model ended in the file.
enum class LineEnd : unsigned char {
    Break,      // by a line break; its bytes lie between this entry and the next
    Cut,        // by the length limit: the next entry continues the same physical line
    EndOfData,  // by the end of the bytes read
};

// Where a file's lines end: at the byte `first`, found where a character starts; the byte
// `after` right after it, or the byte `before` right before it (where that starts a character),
// belongs to the break as well. 0 stands for no such byte.
struct BreakRule {
    char first = 0;
    char after = 0;
    char before = 0;
};

// The rule for a file whose first kSourceReadLimit bytes are `bytes`, under the language's line
// break `lineBreak`. Where the language breaks at CR (alone or followed by LF) or at LF, a CR LF
// pair is always one break; and a file that holds none of the language's break byte but holds
// the other one is split at that, which `otherBreak` (when given) then tells. Any other break,
// and the empty one, is taken as it stands: its first byte, then its second where it follows.
BreakRule BreakRuleFor(LineBreak lineBreak, std::string_view bytes, bool* otherBreak = nullptr);

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
    bool otherBreak = false;         // split at another break than the language's
    TextEncoding encoding = TextEncoding::Gbk;  // how its bytes make characters
    bool undecodable = false;  // the project fixes an encoding that does not decode them
    FileIdentity identity;     // the file as it was read

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

// Splits `bytes`, read in `encoding`, into the entries of the line model by the break rule
// `rule`, replacing those of `lines`: lines are cut after kSourceLineLimit bytes, never inside a
// character, and a closing mark after the cut stays on the line before it. A break byte that a
// GBK lead byte takes as its second byte ends no line.
void SplitLines(std::string_view bytes, const BreakRule& rule, TextEncoding encoding,
                std::vector<LineSpan>& lines);
// SplitLines over `model.bytes` in `model.encoding` into `model.lines`, by the rule BreakRuleFor
// gives for them.
void SplitSourceLines(LineModel& model, LineBreak lineBreak);
// The same split walked one character at a time from the first byte: slower, and the reference
// that SplitSourceLines must agree with.
void SplitSourceLinesCharByChar(LineModel& model, LineBreak lineBreak);

// Reads at most kSourceReadLimit bytes of `path` and splits them, in the encoding that the
// project's choice gives them (EncodingOf). A file that cannot be read gives no lines and sets
// readError.
LineModel LoadSourceLines(FileSystem& fs, const std::string& path, LineBreak lineBreak,
                          SourceEncoding choice = SourceEncoding::Automatic);

}  // namespace korvexer
