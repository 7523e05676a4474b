// SPDX-License-Identifier: MIT
// Byte-text helpers of the scanner: white space, trimming and GBK-aware searches over views.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/platform/text_encoding.h"
#include "core/platform/text_trim.h"

namespace korvexer::source_text {

constexpr std::size_t npos = std::string_view::npos;

// Space, tab, CR, LF, vertical tab and form feed (the trimming of core/platform/text_trim.h).
inline bool IsBlank(char byte) {
    return IsBlankByte(byte);
}

// The number of blank bytes at the start of `text`.
inline std::size_t LeadingBlanks(std::string_view text) {
    return CountLeadingBlanks(text);
}
// `text` without its trailing blank bytes.
inline std::string_view TrimRight(std::string_view text) {
    return TrimBlanksRight(text);
}
// `text` without blank bytes at either end.
inline std::string_view Trim(std::string_view text) {
    return TrimBlanks(text);
}

// The bytes of `text` before its first space; all of it when it has none. A tab does not end the
// word.
std::string_view FirstWord(std::string_view text);

// The searches below find only occurrences that start at a character of `text` in `encoding`
// (never on the second byte of a GBK character, never on a UTF-8 continuation byte).

// Position of the first occurrence of `needle` that starts at a character at or after `from`
// (`from` must itself start a character); npos when there is none. The empty needle is found at
// `from`.
std::size_t FindText(std::string_view text, std::string_view needle, TextEncoding encoding,
                     std::size_t from = 0);
// Position of the last occurrence of `needle` that starts at a character; npos when none.
std::size_t FindLastText(std::string_view text, std::string_view needle, TextEncoding encoding);
// Position of the first character that is the single byte `byte`; npos when none.
std::size_t FindChar(std::string_view text, char byte, TextEncoding encoding);
// Whether the last character of `text` is the single byte `byte`.
bool EndsWithChar(std::string_view text, char byte, TextEncoding encoding);

}  // namespace korvexer::source_text
