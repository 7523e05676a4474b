// SPDX-License-Identifier: MIT
// GBK byte text: trail-byte-aware case folding and searches, cutting, and conversion to UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/platform/expected.h"

namespace korvexer::gbk {

// A byte of 0x81 or more starts a two-byte character; its second byte may be any of 0x40-0xFE,
// letters and backslash included. Bytes below 0x40 never occur as a second byte.
inline bool IsLeadByte(unsigned char byte) {
    return byte >= 0x81;
}
inline bool IsLeadByte(char byte) {
    return IsLeadByte(static_cast<unsigned char>(byte));
}

// Width of the character that starts at `pos`: 2 for a lead byte followed by another byte, else 1.
// A lead byte that is the text's last byte counts as one byte.
std::size_t CharWidthAt(std::string_view text, std::size_t pos);

// Whether the byte at `pos` is the second byte of a two-byte character, given that `boundary`
// (at or before `pos`) starts a character. Looks back only over the lead bytes right before `pos`.
bool IsSecondByteAt(std::string_view text, std::size_t boundary, std::size_t pos);

// ASCII letters lowered; second bytes of two-byte characters untouched.
std::string ToLower(std::string_view text);
void ToLowerInPlace(std::string& text);

// Equal when compared without regard to the case of ASCII letters (trail-byte aware).
bool EqualsNoCase(std::string_view a, std::string_view b);

// Position of the first character equal to `byte` at or after `from`, skipping second bytes;
// npos when none. Safe for letters, '\\', ']' and '|', which can be second bytes.
std::size_t Find(std::string_view text, char byte, std::size_t from = 0);

// Position of the last character that is one of `bytes`, skipping second bytes; npos when none.
std::size_t FindLastOf(std::string_view text, std::string_view bytes);

// The longest length <= capacity at which `text` can be cut without splitting a character.
std::size_t CutLength(std::string_view text, std::size_t capacity);

// Conversion to and from UTF-8. The strict forms fail on bytes the other side cannot represent;
// the lossy form shows each unconvertible byte as U+FFFD and is for display only.
Expected<std::string> ToUtf8(std::string_view gbkText);
Expected<std::string> FromUtf8(std::string_view utf8Text);
std::string ToUtf8Lossy(std::string_view gbkText);

}  // namespace korvexer::gbk
