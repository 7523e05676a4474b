// SPDX-License-Identifier: MIT
// Trimming of byte texts: the blanks cut from their ends, for every layer from the settings file
// up.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvexer {

// Space, tab, LF, VT, FF and CR: the blanks of list texts, form fields and source lines. All of
// them are below 0x40, so none is ever the second byte of a GBK character and cutting them byte
// by byte never splits a character.
inline bool IsBlankByte(char byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

// The number of blank bytes at the start of `text`.
std::size_t CountLeadingBlanks(std::string_view text);
// `text` without the blank bytes at its end.
std::string_view TrimBlanksRight(std::string_view text);
// `text` without the blank bytes at either end.
std::string_view TrimBlanks(std::string_view text);

// A copy of `text` without the blanks at its start, or at its end.
std::string TrimLeadingBlanks(std::string_view text);
std::string TrimTrailingBlanks(std::string_view text);

// `text` without the bytes of `bytes` at either end, or at its end: for the settings file, which
// trims sets of its own. `bytes` must hold only bytes below 0x40.
std::string_view TrimBytes(std::string_view text, std::string_view bytes);
std::string_view TrimBytesRight(std::string_view text, std::string_view bytes);

}  // namespace korvexer
